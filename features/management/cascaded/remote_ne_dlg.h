#pragma once
// CRemoteNeDlg (451, "Remote NE Setting"): shows, changes or adds one remote NE behind the target root NE: its id,
// whether it is managed through the root, its address, the SNMP community and login the root uses for it, and a note.
// OK (not in query mode) checks the room, the id, the address and the texts in that order, sends the remote NE and
// ends the dialog with IDOK; the dialog then holds the record sent.

#include "core/util/ip_address.h"
#include "link/records/remote_ne_record.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Ui {
class CRemoteNeDlg;
}

class CRemoteNeDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 451;
    static constexpr int kIdId = 1199;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kIpAddressId = 1204;
    static constexpr int kCommunityId = 1094;
    static constexpr int kUserId = 1258;
    static constexpr int kPasswordId = 1289;
    static constexpr int kNoteId = 1259;
    // A root keeps at most this many remote NEs.
    static constexpr uint16_t kMaxRemoteNes = 100;
    static constexpr uint32_t kMaxId = 2147483647;

    explicit CRemoteNeDlg(QWidget* parent = nullptr);
    ~CRemoteNeDlg() override;

    // The remote NE shown or changed.
    void SetRemoteNeId(uint32_t id) { shownId_ = id; }
    const RemoteNeRecord& GetRemoteNe() const { return remote_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    bool Adding() const { return GetAccessMode() == kAccessCreate; }
    // False (with the message shown) when the root has no room for another remote NE, or could not say.
    bool HasRoom();
    // The checks of the address and the texts; false when one refused.
    bool CheckAddress(IpAddress* address);
    bool CheckTexts();

    std::unique_ptr<Ui::CRemoteNeDlg> ui_;
    uint32_t shownId_ = 0;
    RemoteNeRecord remote_;
    QString id_;
    int state_ = 0; // 0 enabled, 1 disabled
    QString community_;
    QString user_;
    QString password_;
    QString note_;
};
