#pragma once
// CShdslRateStatusDlg (template 416, "SHDSL Current Rate Status"): the line rates, transmission mode, and the SNR
// margin and attenuation at both ends of one SHDSL port (request 809), seven rows (shdsl_rate_status_rows.h). The
// paging buttons move to the first, previous, next and last port of the same line card; Export writes the rows
// ("ShdslRateStatus"). The SHDSL port list and the port selection in its mode 3 open it.
//
//     CShdslRateStatusDlg dlg;
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();

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
    static constexpr int kNextId = 1264;
    static constexpr int kPreviousId = 1277;
    static constexpr int kFirstId = 1169;
    static constexpr int kLastId = 1211;

    explicit CShdslRateStatusDlg(QWidget* parent = nullptr);
    ~CShdslRateStatusDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnRefresh() override { Refresh(); }

private:
    void Refresh();
    // Shows the port at the position of the line card's ports (from 0).
    void GoToPort(int position);

    std::unique_ptr<Ui::CShdslRateStatusDlg> ui_;
    CRecordList<ShdslRateStatusRow> rows_;
};
