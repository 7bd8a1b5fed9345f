#pragma once
// CFastProvListDlg ("Fast Provision List", template 289): shows what a fast provisioning will write (the common
// settings above, one row per port and one per PVC of the port below, each naming its port) and writes it on "Go", one
// ticked row per tick of a 100 ms timer, marking each row done (image 23, unticked) or failed (image 24). The first
// failed row stops the batch with its tick kept, so that Go goes on from it; Stop stops it between rows. "Port Setting"
// and "VC-to-VLAN" tick or untick all port rows or all PVC rows. A PVC whose static IP block holds an address in use is
// marked failed and unticked at the start: the batch never sends it, and unticks it again when a box ticked it.
//
//     CFastProvListDlg list(this);
//     list.SetTarget(neId, nullptr);
//     list.SetParams(params);                         // from the fast provisioning dialog
//     list.DoModal();
//     if (list.ResultMessageId() != 0) ...            // "Vlan ID overflow": the list closed before sending

#include "features/provisioning/fast_prov/fast_prov_params.h"
#include "features/provisioning/fast_prov/fast_prov_rows.h"
#include "ui/framework/dialogs/batch_ticks.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class CFastProvListDlg;
}

class CFastProvListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 289;
    static constexpr int kPortRowsCheckId = 1059;
    static constexpr int kPvcRowsCheckId = 1060;
    static constexpr int kGoId = 1263;
    static constexpr int kStopId = 1331;
    static constexpr int kPolicingProfileId = 1283;
    static constexpr int kTickTimer = 49645;
    static constexpr int kTickMs = 100;

    explicit CFastProvListDlg(QWidget* parent = nullptr);
    ~CFastProvListDlg() override;

    void SetParams(const FastProvParams& params) { params_ = params; }
    uint32_t ResultMessageId() const { return resultMessageId_; }
    bool IsRunning() const { return ticks_.Running(); }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnAddRecord(std::optional<uint32_t> selected) override; // Go
    void OnExport() override;
    void OnTimer(int id) override;
    void OnDestroy() override;

private:
    std::vector<ListColumn<FastProvRow>> Columns();
    std::string StaticIpText(const FastProvRow& row) const;
    void ShowHeader();
    // The rows of the range; false when the list closed (a VLAN overflow).
    bool BuildRows();
    void TickRows(bool portRows, bool on);
    void Stop();
    void Tick();

    std::unique_ptr<Ui::CFastProvListDlg> ui_;
    CIndexedRecordList<FastProvRow> rows_;
    FastProvParams params_;
    uint32_t resultMessageId_ = 0;
    CBatchTicks ticks_{*this, kTickTimer, kTickMs, [this] { Tick(); }};
    uint32_t nextKey_ = 0; // where the next search for a ticked row starts
};
