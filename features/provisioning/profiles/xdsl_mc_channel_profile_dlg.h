#pragma once
// CXdslMcChannelProfileDlg ("xDSL Multicast Channel Profile", template 304): shows, changes or adds one multicast
// channel profile of an NE, or one of the server's templates of them: its id (1..800, the key), name, group address
// (within the configured ranges, mc_address_ranges.h), priority queue and downstream rate. OK writes the profile,
// enabled, and ends with IDOK; the record then holds what was written. A refused write says so in the message line:
// an id that is taken already has its own message.
//
//     CXdslMcChannelProfileDlg dlg(this);
//     dlg.SetTemplateMode(templateMode);
//     dlg.SetNeId(neId);
//     dlg.SetAccessMode(kAccessQuery);
//     dlg.SetProfileId(id);                 // the profile is read by its id (or SetRecord: the profile as read)
//     if (dlg.DoModal() == IDOK) ... dlg.GetRecord() ...

#include "core/config/ini_readers.h"
#include "features/provisioning/profiles/xdsl_profile_editor.h"
#include "link/records/mc_channel_profile_rec.h"

#include <QString>

#include <memory>
#include <vector>

namespace Ui {
class CXdslMcChannelProfileDlg;
}

class CXdslMcChannelProfileDlg : public CProfileEditor<CADialog, McChannelProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 304;
    static constexpr int kIdId = 1199;
    static constexpr int kIdSpinId = 1202;
    static constexpr int kNameId = 1257;
    static constexpr int kAddressId = 1204;
    static constexpr int kRateId = 1292;
    static constexpr int kRateSpinId = 1302;
    static constexpr int kQueueId = 1279;
    static constexpr int kNameMax = 32;
    static constexpr uint32_t kIdMax = 800;

    explicit CXdslMcChannelProfileDlg(QWidget* parent = nullptr);
    ~CXdslMcChannelProfileDlg() override;

    void SetProfileId(uint16_t id) { record_.profileId = id; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    bool ReadProfile();
    void ShowRecord(const McChannelProfileRec& rec);
    // The group address as typed; false with the refusal shown.
    bool TakeAddress(IniIpv4Address& address);

    std::unique_ptr<Ui::CXdslMcChannelProfileDlg> ui_;
    std::vector<IniIpRange> ranges_;
    uint32_t id_ = 1;
    QString name_;
    uint32_t rate_ = 29984;
    int queue_ = 0;
};
