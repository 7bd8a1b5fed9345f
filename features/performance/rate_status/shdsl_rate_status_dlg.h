#pragma once
// CShdslRateStatusDlg (template 416, "SHDSL Current Rate Status"): the line rates, transmission mode, and the SNR
// margin and attenuation at both ends of one SHDSL port (request 809), seven rows (shdsl_rate_status_rows.h). The
// paging buttons move to the first, previous, next and last port of the same line card; Export writes the rows
// ("ShdslRateStatus"). The SHDSL port list and the port selection in its mode 3 open it.
//
//     CShdslRateStatusDlg dlg;
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();

#include "features/performance/rate_status/rate_status_dlg.h"
#include "features/performance/rate_status/shdsl_rate_status_rows.h"

#include <memory>

namespace Ui {
class CShdslRateStatusDlg;
}

class CShdslRateStatusDlg : public CRateStatusDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 416;

    explicit CShdslRateStatusDlg(QWidget* parent = nullptr);
    ~CShdslRateStatusDlg() override;

    void InitData() override;

protected:
    void ClearValues() override;
    void ReadValues(uint32_t port) override;

private:
    std::unique_ptr<Ui::CShdslRateStatusDlg> ui_;
    CRecordList<ShdslRateStatusRow> rows_;
};
