#pragma once
// CXdslMcServiceProfileDlg ("xDSL Multicast Service Profile", template 363): shows, changes or adds one multicast
// service profile of an NE, or one of the server's templates of them: its name and the channel profiles it offers,
// ticked in the list of the NE's (or the templates') channel profiles; Show opens the selected channel profile. OK
// writes the profile, enabled, with the ticked channels only (mc_channel_set.h), and ends with IDOK; the record then
// holds what was written.
//
//     CXdslMcServiceProfileDlg dlg(this);
//     dlg.SetTemplateMode(templateMode);
//     dlg.SetNeId(neId);
//     dlg.SetAccessMode(kAccessModify);
//     dlg.SetRecord(rec);                   // or SetName(): the profile is read by its name
//     if (dlg.DoModal() == IDOK) ... dlg.GetRecord() ...

#include "features/provisioning/profiles/xdsl_profile_editor.h"
#include "link/records/mc_channel_profile_rec.h"
#include "link/records/mc_service_profile_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <QString>

#include <memory>
#include <string>

namespace Ui {
class CXdslMcServiceProfileDlg;
}

class CXdslMcServiceProfileDlg : public CNamedProfileEditor<CRecordListDlg, McServiceProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 363;
    static constexpr int kNameId = 1257;
    static constexpr int kNameMax = 32;

    explicit CXdslMcServiceProfileDlg(QWidget* parent = nullptr);
    ~CXdslMcServiceProfileDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

protected:
    void OnShowRecord(uint32_t profileId) override;

private:
    std::unique_ptr<Ui::CXdslMcServiceProfileDlg> ui_;
    CRecordList<McChannelProfileRec> channels_;
    bool channelsRead_ = false;
    QString name_;
};
