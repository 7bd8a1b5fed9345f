#pragma once
// CXdslIpTrafficProfileDlg ("xDSL IP Traffic Profile", template 358): shows, changes or adds one IP traffic profile of
// an NE, or one of the server's templates of them: the downstream priority queue, the downstream rate (32 Kbps steps,
// profile_rates.h), the upstream rate limit and whether downstream broadcast is dropped or forwarded. A profile that
// is changed to drop broadcast is first judged by the NE of the target (rule check 414, in template mode too, the
// server when the target holds no NE): PVCs using it that are DHCP-related or transparent refuse it. OK writes the
// profile, enabled, and ends with IDOK; the record then holds what was written.
//
//     CXdslIpTrafficProfileDlg dlg(this);
//     dlg.SetTemplateMode(templateMode);
//     dlg.SetNeId(neId);                    // a template's editor keeps its opener's NE for the count and check
//     dlg.SetAccessMode(kAccessModify);     // kAccessQuery to show, kAccessCreate to add
//     dlg.SetName(name);                    // the profile is read by its name (or SetRecord: the profile as read)
//     if (dlg.DoModal() == IDOK) ... dlg.GetRecord() ...

#include "features/provisioning/profiles/xdsl_profile_editor.h"
#include "link/records/ip_traffic_profile_rec.h"

#include <QString>

#include <memory>
#include <string>

namespace Ui {
class CXdslIpTrafficProfileDlg;
}

class CXdslIpTrafficProfileDlg : public CNamedProfileEditor<CADialog, IpTrafficProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 358;
    static constexpr int kNameId = 1257;
    static constexpr int kRateId = 1292;
    static constexpr int kRateSpinId = 1302;
    static constexpr int kUpstreamId = 1293;
    static constexpr int kQueueId = 1279;
    static constexpr int kBroadcastId = 1404;
    static constexpr int kNameMax = 32;

    explicit CXdslIpTrafficProfileDlg(QWidget* parent = nullptr);
    ~CXdslIpTrafficProfileDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    void ShowRecord(const IpTrafficProfileRec& rec);
    // The NE's verdict on dropping broadcast; false when refused or not asked (the failure box has said why).
    bool NeAllowsDrop(const std::string& name);

    std::unique_ptr<Ui::CXdslIpTrafficProfileDlg> ui_;
    QString name_;
    uint32_t rate_ = 29984;
    int upstream_ = 0;
    int queue_ = 1;
    int broadcast_ = 1;
};
