#pragma once
// CXdslTrafficPolicingProfileDlg ("xDSL Traffic Policing Profile", template 437): shows, changes or adds one traffic
// policing profile of an NE, or one of the server's templates of them: the upstream CIR (0..2 Mbps) and the action on
// packets beyond it (none, drop, or a re-marking of the DSCP code). A profile that is changed to re-mark the DSCP
// code is first judged by the NE of the target (rule check 415, in template mode too): a port applying it with an
// enabled PVC that is PPPoE-related or transparent refuses it. OK writes the profile, enabled, and ends with IDOK;
// the record then holds what was written.
//
//     CXdslTrafficPolicingProfileDlg dlg(this);
//     dlg.SetTemplateMode(templateMode);
//     dlg.SetNeId(neId);
//     dlg.SetAccessMode(kAccessModify);
//     dlg.SetRecord(rec);                   // or SetName(): the profile is read by its name
//     if (dlg.DoModal() == IDOK) ... dlg.GetRecord() ...

#include "features/provisioning/profiles/xdsl_profile_editor.h"
#include "link/records/traffic_policing_profile_rec.h"

#include <QString>

#include <memory>
#include <string>

namespace Ui {
class CXdslTrafficPolicingProfileDlg;
}

class CXdslTrafficPolicingProfileDlg : public CNamedProfileEditor<CADialog, TrafficPolicingProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 437;
    static constexpr int kNameId = 1257;
    static constexpr int kCirId = 1292;
    static constexpr int kCirSpinId = 1302;
    static constexpr int kActionId = 1361;
    static constexpr int kNameMax = 32;
    static constexpr uint32_t kCirMax = 2;

    explicit CXdslTrafficPolicingProfileDlg(QWidget* parent = nullptr);
    ~CXdslTrafficPolicingProfileDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    void ShowRecord(const TrafficPolicingProfileRec& rec);
    // The NE's verdict on re-marking the DSCP code; false when refused or not asked.
    bool NeAllowsDscp(const std::string& name);

    std::unique_ptr<Ui::CXdslTrafficPolicingProfileDlg> ui_;
    QString name_;
    uint32_t cir_ = 1;
    int action_ = 0;
};
