#pragma once
// CNeSnmpCommunityListDlg (348, "NE SNMP Community List"): the SNMP communities of the target NE with Modify, Add,
// Delete and Export. The NE's record is read first, so that the list knows which community the program reaches the NE
// with: when that one may write, every community is listed; otherwise the communities that may write are listed only to
// an operator who may change communities. Opened in query mode (as from the NE dialog), the list only shows.

#include "link/records/ne_snmp_community_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"
#include "ui/framework/dialogs/row_numbers.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class CNeSnmpCommunityListDlg;
}

class CNeSnmpCommunityListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 348;
    static constexpr int kEnabledLegendId = 1153;
    static constexpr int kDisabledLegendId = 1134;
    // Columns of the list.
    static constexpr int kNumberColumn = 0;
    static constexpr int kCommunityColumn = 1;
    static constexpr int kPermissionColumn = 2;

    explicit CNeSnmpCommunityListDlg(QWidget* parent = nullptr);
    ~CNeSnmpCommunityListDlg() override;

    void InitData() override;
    void DrawExtras(Dc& dc) override;
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;
    void OnModifyRecord(uint32_t key) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t key) override;

private:
    std::vector<ListColumn<NeSnmpCommunityRecord>> Columns();
    uint32_t KeyOf(const NeSnmpCommunityRecord& rec) { return numbers_.Of(rec.community); }
    bool ShowsOnly() const { return GetAccessMode() == kAccessQuery; }

    std::unique_ptr<Ui::CNeSnmpCommunityListDlg> ui_;
    CRowNumbers numbers_;
    CRecordList<NeSnmpCommunityRecord> rows_;
};

// The communities an operator is shown: all of them when the NE is reached with a community that may write (`own`),
// else those that may only read, and those that may write for an operator who may change them.
std::vector<NeSnmpCommunityRecord> VisibleCommunities(const std::vector<NeSnmpCommunityRecord>& communities,
                                                      const std::string& own, bool mayChange);
