#pragma once
// CXdslMcChannelListDlg ("xDSL Multicast Channel List", template 303): the multicast channels of an xDSL port, or of
// every port below a line card, shelf or the NE. Show, Modify and Add open the channel setting (Add on the selected
// row's port, else on the list's target; a port that had a channel keeps its row, replaced); Delete deletes the
// selected channel and Multi-Delete (1133) the ticked ones, stopping at the first the NE refuses; Check All (1402)
// and Uncheck All (1403) tick the rows; VC OAM Test (1319) runs the OAM loopback on an enabled channel's VC; MC
// Profile (1283) opens the NE's VLAN profiles and reads the list again when they changed. A disabled channel's row is
// grey.
//
// Opened by the main window's command 33121 and by the ADSL port list, on the NE and entity whose channels are
// wanted.

#include "link/records/mc_channel_rec.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/ticked_record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CXdslMcChannelListDlg;
}

class CXdslMcChannelListDlg : public CTickedRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 303;
    static constexpr int kOamTestId = 1319;
    static constexpr int kProfileId = 1283;
    static constexpr int kEnabledLegendId = 1153;
    static constexpr int kDisabledLegendId = 1134;
    static constexpr int kPopupOamTest = 33089;
    static constexpr int kPopupProfile = 33123;

    explicit CXdslMcChannelListDlg(QWidget* parent = nullptr);
    ~CXdslMcChannelListDlg() override;

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
    bool DeleteTickedRow(uint32_t key) override;

private:
    std::optional<McChannelRec> RunSetting(uint8_t accessMode, const CEntityId& target);
    void OpenOamTest(uint32_t key);
    void OpenProfiles();

    std::unique_ptr<Ui::CXdslMcChannelListDlg> ui_;
    CIndexedRecordList<McChannelRec> rows_;
};
