#pragma once
// CXdslStatusListDlg: a status list of the entries the NE holds on the ports of a line card, or of one port, chosen
// in the Shelf, Slot and Port combos, or the Slot and Port combos alone (CXdslStatusScope). It checks the right and the
// NE, fills the combos from the target, names the columns, hides the VLAN column where the control module runs untagged
// and fills the list; the combos' changes are followed. A list gives its records through Scope().Feed in its
// constructor.

#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "features/performance/status_lists/xdsl_status_scope.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

class CXdslStatusListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    struct ColumnNames {
        // The string naming the list's columns, and the VLAN column hidden for an untagged control module.
        uint32_t namesId = 0;
        int vlanColumn = -1;
        CXdslStatusScope::Combos combos = CXdslStatusScope::Combos::kShelfSlotPort;
    };

    CXdslStatusListDlg(int templateId, Setup setup, ColumnNames columns, QWidget* parent = nullptr);

    void InitData() override;
    int OnCommandHook(int id, int code) override;

protected:
    CXdslStatusScope& Scope() { return scope_; }

    // The "Slot-Port" column: the port's location on the NE, ordered by `sortValue`.
    template <class Rec> ListColumn<Rec> PortLocationColumn(std::function<ListValue(const Rec&)> sortValue)
    {
        return {.value =
                    [this](const Rec& rec) {
                        return ListValue(
                            FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())), rec.portId));
                    },
                .order = ListOrder::kText,
                .sortValue = std::move(sortValue)};
    }

private:
    int right_;
    ColumnNames columns_;
    CXdslStatusScope scope_;
};
