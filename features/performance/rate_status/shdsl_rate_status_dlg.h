#pragma once
// CShdslRateStatusDlg (template 416, "SHDSL Current Rate Status"): the line rates, transmission mode, and the SNR
// margin and attenuation at both ends of one SHDSL port (request 809), seven rows (shdsl_rate_status_rows.h). The
// paging buttons move to the first, previous, next and last port of the same line card; Export writes the rows
// ("ShdslRateStatus"). The SHDSL port list and the port selection in its mode 3 open it.
//
//     CShdslRateStatusDlg dlg;
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();

#include "features/performance/rate_status/card_port_pager.h"
#include "features/performance/rate_status/shdsl_rate_status_rows.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>

namespace Ui {
class CShdslRateStatusDlg;
}

class CShdslRateStatusDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 416;
    static constexpr int kEntityId = 1348;
    static constexpr int kNextId = card_port_pager::kNextId;
    static constexpr int kPreviousId = card_port_pager::kPreviousId;
    static constexpr int kFirstId = card_port_pager::kFirstId;
    static constexpr int kLastId = card_port_pager::kLastId;

    explicit CShdslRateStatusDlg(QWidget* parent = nullptr);
    ~CShdslRateStatusDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnRefresh() override { Refresh(); }

private:
    void Refresh();

    std::unique_ptr<Ui::CShdslRateStatusDlg> ui_;
    CRecordList<ShdslRateStatusRow> rows_;
};
