#pragma once
// CXdslVcVlanListDlg ("xDSL VC-to-VLAN List", template 285): the PVCs of an xDSL port, or of every port below a line
// card, shelf or the NE, and the entry to what a PVC carries. Show, Modify and Add open the VC-to-VLAN setting on a
// PVC (Add on the selected row's port, else on the list's target); Delete deletes the selected PVC and Multi-Delete
// (1133) the ticked ones, each past the deletion guards (pvc_delete.h); ACL (1321) opens the PVC's source MACs, VC
// OAM Test (1319) the OAM loopback on a PVC that is up, Profile (1281) the NE's VLAN profiles and Next-hop List
// (1282) its next hops. Check All (1402) and Uncheck All (1403) tick the rows. A disabled PVC's row is grey.
//
// Opened by the main window's command 33022 and by the port lists, on the NE and entity whose PVCs are wanted.

#include "link/records/board_setting_rec.h"
#include "link/records/pvc_rec.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/ticked_record_list_dlg.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CXdslVcVlanListDlg;
}

class CXdslVcVlanListDlg : public CTickedRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 285;
    static constexpr int kOamTestId = 1319;
    static constexpr int kProfileId = 1281;
    static constexpr int kNextHopListId = 1282;
    static constexpr int kAclId = 1321;
    static constexpr int kEnabledLegendId = 1153;
    static constexpr int kDisabledLegendId = 1134;
    static constexpr int kUpLegendId = 1364;
    static constexpr int kDownLegendId = 1144;
    static constexpr int kPopupOamTest = 33089;
    static constexpr int kPopupProfile = 33080;
    static constexpr int kPopupNextHopList = 33081;
    static constexpr int kPopupAcl = 33167;

    explicit CXdslVcVlanListDlg(QWidget* parent = nullptr);
    ~CXdslVcVlanListDlg() override;

    // The PVCs the list shows, in the order shown.
    std::vector<PvcRec> ShownPvcs() const;

    void InitData() override;
    void OnShowRecord(uint32_t key) override;
    void OnModifyRecord(uint32_t key) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t key) override;
    int OnCommandHook(int id, int code) override;
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;
    void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                       int listId) override;
    void DrawExtras(Dc& dc) override;

protected:
    bool MayMultiDelete() override;
    bool DeleteTickedRow(uint32_t key) override { return DeleteOne(key, false); }

private:
    RecordReply<PvcRec> QueryPvcs();
    bool ServiceControlOf(uint32_t portId) const;
    // The setting dialog on a PVC; its result on OK.
    std::optional<PvcRec> RunSetting(uint8_t accessMode, const PvcRec& pvc, const CEntityId& target);
    // One PVC past its guards; false when the run is to stop. `confirm` asks first.
    bool DeleteOne(uint32_t key, bool confirm);
    void OpenAcl(uint32_t key);
    void OpenOamTest(uint32_t key);

    std::unique_ptr<Ui::CXdslVcVlanListDlg> ui_;
    CIndexedRecordList<PvcRec> rows_;
    std::map<uint32_t, BoardSettingRec> boards_; // by the slot's entity id
};
