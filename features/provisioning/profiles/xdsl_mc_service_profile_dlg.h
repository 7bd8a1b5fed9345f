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

#include "link/records/mc_channel_profile_rec.h"
#include "link/records/mc_service_profile_rec.h"
#include "ui/framework/dialogs/dialog_request.h"
#include "ui/framework/dialogs/record_list.h"

#include <QString>

#include <memory>
#include <string>

namespace Ui {
class CXdslMcServiceProfileDlg;
}

class CXdslMcServiceProfileDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 363;
    static constexpr int kNameId = 1257;
    static constexpr int kNameMax = 32;

    explicit CXdslMcServiceProfileDlg(QWidget* parent = nullptr);
    ~CXdslMcServiceProfileDlg() override;

    void SetTemplateMode(bool on) { templateMode_ = on; }
    void SetRecord(const McServiceProfileRec& rec);
    void SetName(const std::string& name) { record_.name = name; }
    const McServiceProfileRec& GetRecord() const { return record_; }
    // Opened by name from another dialog (a channel's service profile).
    void ApplyOpenerFields(const DialogRequest& request);

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

protected:
    void OnShowRecord(uint32_t profileId) override;

private:
    bool IsAdding() const { return GetAccessMode() == kAccessCreate; }
    uint32_t RequestNeId() const;
    bool ReadProfile();

    std::unique_ptr<Ui::CXdslMcServiceProfileDlg> ui_;
    CRecordList<McChannelProfileRec> channels_;
    bool templateMode_ = false;
    bool recordGiven_ = false;
    McServiceProfileRec record_;
    QString name_;
};
