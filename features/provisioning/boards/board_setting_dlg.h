#pragma once
// CBoardSettingDlg ("Board Setting", template 372): the planned type and the settings of an xDSL line card: AAL5
// encapsulation (radios 1059 LLC, 1060 VC Mux), VLAN tag pass-through (1061 Enabled, 1062 Disabled), service type
// control (1063 Enabled, 1064 Disabled) and tagged mode (1065 Tagged-Only, 1066 Untagged-Only), with what the card
// runs now (statics 1361 and 1363). The planned type's model decides which settings it takes. OK has the NE check the
// card's PVCs against service-type control first: the conflicts it finds are reported and nothing is written; a
// change that resets the card asks first.
//
//     CBoardSettingDlg dlg(this);
//     dlg.SetTarget(neId, &slot);
//     dlg.SetAccessMode(kAccessModify);
//     if (dlg.DoModal() == IDOK) ... dlg.GetRecord() ...

#include "features/provisioning/boards/board_dlg_base.h"
#include "features/provisioning/boards/board_values.h"
#include "link/pdu_log.h"

#include <memory>
#include <optional>

namespace Ui {
class CBoardSettingDlg;
}

class CBoardSettingDlg : public CBoardDlgBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 372;
    static constexpr int kLlcId = 1059;
    static constexpr int kVcMuxId = 1060;
    static constexpr int kTagPassEnabledId = 1061;
    static constexpr int kTagPassDisabledId = 1062;
    static constexpr int kServiceControlEnabledId = 1063;
    static constexpr int kServiceControlDisabledId = 1064;
    static constexpr int kTaggedOnlyId = 1065;
    static constexpr int kUntaggedOnlyId = 1066;
    static constexpr int kRunTimeTagPassId = 1361;
    static constexpr int kRunTimeTaggedId = 1363;

    explicit CBoardSettingDlg(QWidget* parent = nullptr);
    ~CBoardSettingDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    // Enables the radios the chosen type's model takes.
    void ApplyTypeRule();
    BoardSettings Chosen() const;
    // The NE's check of the card's PVCs; false when it stops the setting (the reason shown). From its reading on
    // `hold` holds the PDU log window's display.
    bool CheckServiceTypes(bool serviceControl, std::optional<CPduLogHold>& hold);

    std::unique_ptr<Ui::CBoardSettingDlg> ui_;
    int aal5Index_ = 0;
    int tagPassIndex_ = 0;
    int serviceControlIndex_ = 0;
    int taggedIndex_ = 0;
    QString runTimeTagPass_;
    QString runTimeTagged_;
    BoardSettings loaded_;
};
