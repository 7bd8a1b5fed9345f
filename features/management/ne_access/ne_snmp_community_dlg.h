#pragma once
// CNeSnmpCommunityDlg (349, "NE SNMP Community Setting"): adds one SNMP community to the target NE, or changes the
// permission of one. OK checks the name, asks the NE for room before an add, sends the community and ends the dialog
// with IDOK; the dialog then holds what was sent.

#include "link/records/ne_snmp_community_record.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class CNeSnmpCommunityDlg;
}

class CNeSnmpCommunityDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 349;
    static constexpr int kCommunityId = 1094;
    static constexpr int kPermissionComboId = 1245;
    // An NE keeps at most this many communities.
    static constexpr uint16_t kMaxCommunities = 8;
    static constexpr int kCommunityMax = 20;

    explicit CNeSnmpCommunityDlg(QWidget* parent = nullptr);
    ~CNeSnmpCommunityDlg() override;

    void SetCommunity(const NeSnmpCommunityRecord& community) { community_ = community; }
    const NeSnmpCommunityRecord& GetCommunity() const { return community_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    bool Creating() const { return GetAccessMode() == kAccessCreate; }

    std::unique_ptr<Ui::CNeSnmpCommunityDlg> ui_;
    NeSnmpCommunityRecord community_;
    QString name_;
    int permission_ = 0; // the combo's entry: 0 read-only, 1 read / write / create
};
