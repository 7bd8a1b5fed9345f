#pragma once
// CRemoteNeListDlg (450, "Remote NE List"): the remote NEs behind the target root NE, with how the root reaches each
// (connected or not), and Show, Modify, Add, Delete, Refresh and Export through the remote NE dialog (CRemoteNeDlg).
// A remote NE that is not enabled keeps its row, drawn grey.

#include "link/records/remote_ne_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CRemoteNeListDlg;
}

// What the list shows of a remote NE's operational status: "Connected" with the link-up picture for 1, "Disconnected"
// with the link-down picture for 2, "Not Active" without a picture for any other value.
struct RemoteNeOperShown {
    uint32_t textId = 0;
    int image = 0;
};
RemoteNeOperShown RemoteNeOperStatusShown(uint32_t operStatus);

class CRemoteNeListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 450;
    // The legend of the list's images.
    static constexpr int kEnabledLegendId = 1153;
    static constexpr int kDisabledLegendId = 1134;
    static constexpr int kLinkUpLegendId = 1364;
    static constexpr int kLinkDownLegendId = 1144;
    // Columns of the list.
    static constexpr int kNumberColumn = 0;
    static constexpr int kIdColumn = 1;
    static constexpr int kAddressColumn = 2;
    static constexpr int kAdminStateColumn = 3;
    static constexpr int kOperStatusColumn = 4;
    static constexpr int kNoteColumn = 5;

    explicit CRemoteNeListDlg(QWidget* parent = nullptr);
    ~CRemoteNeListDlg() override;

    void InitData() override;
    void DrawExtras(Dc& dc) override;
    void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                       int listId) override;
    void OnShowRecord(uint32_t remoteNeId) override;
    void OnModifyRecord(uint32_t remoteNeId) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t remoteNeId) override;

private:
    // The remote NE of a row as its ID column shows it.
    uint32_t IdShown(uint32_t key) const;
    // Runs the remote NE dialog; the record as it was sent after IDOK.
    std::optional<RemoteNeRecord> RunRemoteNeDlg(uint8_t accessMode, uint32_t remoteNeId);

    std::unique_ptr<Ui::CRemoteNeListDlg> ui_;
    CRecordList<RemoteNeRecord> rows_;
};
