#pragma once
// CNeSnmpManagerListDlg (248, "NE SNMP Manager IP Address List"): the SNMP managers the target NE sends its traps to,
// with Add, Delete and Export. A manager is named by its address; it is added or deleted, never changed.

#include "link/records/ne_snmp_manager_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"
#include "ui/framework/dialogs/row_numbers.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CNeSnmpManagerListDlg;
}

class CNeSnmpManagerListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 248;
    static constexpr int kEnabledLegendId = 1153;
    static constexpr int kDisabledLegendId = 1134;
    // Columns of the list.
    static constexpr int kNumberColumn = 0;
    static constexpr int kAddressColumn = 1;
    static constexpr int kCommunityColumn = 2;
    static constexpr int kVersionColumn = 3;

    explicit CNeSnmpManagerListDlg(QWidget* parent = nullptr);
    ~CNeSnmpManagerListDlg() override;

    void InitData() override;
    void DrawExtras(Dc& dc) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t key) override;

private:
    std::vector<ListColumn<NeSnmpManagerRecord>> Columns();
    uint32_t KeyOf(const NeSnmpManagerRecord& rec) { return numbers_.Of(FormatIpAddress(rec.ipAddress)); }

    std::unique_ptr<Ui::CNeSnmpManagerListDlg> ui_;
    CRowNumbers numbers_;
    CRecordList<NeSnmpManagerRecord> rows_;
};
