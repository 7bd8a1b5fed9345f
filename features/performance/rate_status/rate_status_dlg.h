#pragma once
// The frame of the current rate status windows of an xDSL port (ADSL, SHDSL): the port's location in the entity edit
// above a list of fixed rows, and the paging buttons that move to the first, previous, next and last port of the same
// line card (card_port_pager.h). A refresh clears the rows, shows where the port is, sets the paging buttons and, for
// a port of a line card, reads the port's values; an unknown NE, or a port the NE does not have, is said in an alert.
//
//     class CShdslRateStatusDlg : public CRateStatusDlg {
//         void ClearValues() override;              // the rows as they are before a reading
//         void ReadValues(uint32_t port) override;  // reads and shows the port's values
//     };

#include "features/performance/rate_status/card_port_pager.h"
#include "ui/framework/dialogs/record_list.h"

#include <cstdint>

class CRateStatusDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kEntityId = 1348;
    static constexpr int kNextId = card_port_pager::kNextId;
    static constexpr int kPreviousId = card_port_pager::kPreviousId;
    static constexpr int kFirstId = card_port_pager::kFirstId;
    static constexpr int kLastId = card_port_pager::kLastId;

    int OnCommandHook(int id, int code) override;
    void OnRefresh() override { Refresh(); }

protected:
    CRateStatusDlg(int templateId, const char* exportStem, QWidget* parent);

    void Refresh();
    virtual void ClearValues() = 0;
    virtual void ReadValues(uint32_t port) = 0;
};
