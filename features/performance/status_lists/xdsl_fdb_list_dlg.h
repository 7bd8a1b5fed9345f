#pragma once
// CXdslFdbListDlg ("Filtering Database Entry List", template 291): the MAC addresses the NE's filtering database
// holds on the ports of a line card, or of one port (request 480), learned or configured, with their PVC, VLAN and
// status. Delete removes a selected entry (request 483); entries the NE keeps for spoofing and virtual MACs are shown
// grey and cannot be deleted. Export writes "xDslFdb".

#include "features/performance/status_lists/xdsl_status_list_dlg.h"
#include "link/records/fdb_entry_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>
#include <optional>

namespace Ui {
class CXdslFdbListDlg;
}

class CXdslFdbListDlg : public CXdslStatusListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 291;
    static constexpr int kVlanColumn = 5;
    static constexpr int kStatusColumn = 6;

    explicit CXdslFdbListDlg(QWidget* parent = nullptr);
    ~CXdslFdbListDlg() override;

    // The status's text; empty for a status the NE does not name.
    static std::string StatusText(uint32_t status);
    // Entries the NE keeps itself: spoofed (active or not) and virtual MACs.
    static bool IsKeptByNe(uint32_t status);

    void OnDeleteRecord(uint32_t key) override;
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;
    void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                       int listId) override;

private:
    std::vector<ListColumn<FdbEntryRec>> Columns();

    std::unique_ptr<Ui::CXdslFdbListDlg> ui_;
    CIndexedRecordList<FdbEntryRec> rows_;
};
