#pragma once
// CAdslRateStatusDlg (template 323, "ADSL Current Rate Status"): the line status of one ADSL port (request 661),
// downstream and upstream, twelve rows (adsl_rate_status_rows.h). The paging buttons move to the first, previous,
// next and last port of the same line card; Transit to L0, L2 and L3 command the line into that power state (request
// 669) and read the status again two (L0) or three seconds later, offered as the line's state allows; Export writes
// the rows ("AdslRateStatus"). The port selection opens it in its mode 3, the frame on a selected ADSL port.
//
//     CAdslRateStatusDlg dlg;
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();

#include "features/performance/common/up_down_rows.h"
#include "features/performance/rate_status/rate_status_dlg.h"
#include "link/pdu_log.h"

#include <memory>
#include <optional>

namespace Ui {
class CAdslRateStatusDlg;
}

class CAdslRateStatusDlg : public CRateStatusDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 323;
    static constexpr int kToL0Id = 1245;
    static constexpr int kToL2Id = 1246;
    static constexpr int kToL3Id = 1247;
    // The wait between a transition and the reading of its result.
    static constexpr int kTransitTimer = 32323;
    static constexpr int kL0WaitMs = 2000;
    static constexpr int kL2L3WaitMs = 3000;

    explicit CAdslRateStatusDlg(QWidget* parent = nullptr);
    ~CAdslRateStatusDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;

protected:
    void ClearValues() override;
    void ReadValues(uint32_t port) override;

private:
    void Transit(uint32_t state);

    std::unique_ptr<Ui::CAdslRateStatusDlg> ui_;
    CRecordList<UpDownRow> rows_;
    // The PDU log display is held from a transition's request until the line's status is read after it.
    std::optional<CPduLogHold> transitHold_;
};
