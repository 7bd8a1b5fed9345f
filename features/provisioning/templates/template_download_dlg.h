#pragma once
// CTemplateDownloadDlg ("Template Download", template 338): sends one prepared write, a template of the server for
// example, to every NE the operator ticks in a list of the NEs of a location and an NE model, one NE per tick of a
// 100 ms timer, and marks each row with its outcome (image 23 done, 24 failed). A row that is done loses its tick;
// a failed one keeps it and ends the run, so that Download again goes on from it. NEs that cannot take a download
// (not connected, planned) show grey and cannot be ticked. Show opens the NE dialog of the selected row; Export
// writes the list ("TempDownload").
//
// The opener prepares the write (template_download.h): the records and the code, the NE left to the dialog. A
// download has one write for every NE, or one per NE model (the NEs of the model chosen in the model combo take
// theirs). A dialog of this area builds it on its own stack:
//
//     CTemplateDownloadDlg dlg(this);
//     dlg.SetDownload(download);                  // copied
//     dlg.SetConfirmTextId(kStrSureToSynchronizeProfiles); // else "Are you sure to download this template to NEs?"
//     dlg.SetLocationId(GetLocationId());         // the location the list starts at
//     dlg.SetNeId(GetNeId());                     // its row is ticked at the start
//     dlg.DoModal();
//
// A dialog of another area opens it through the route registry with DialogRequest::templateDownload pointing at the
// download it keeps while the dialog runs (template_download.h shows how).

#include "features/provisioning/templates/template_download_run.h"
#include "ui/framework/dialogs/batch_ticks.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"
#include "ui/framework/dialogs/template_download.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CTemplateDownloadDlg;
}
class CNeRecord;

class CTemplateDownloadDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 338;
    static constexpr int kTitleId = 1257;
    static constexpr int kLocationComboId = 1214;
    static constexpr int kModelComboId = 1250;
    static constexpr int kDownloadId = 1144;
    static constexpr int kStopId = 1331;
    static constexpr int kSelectAllId = 1059;
    static constexpr int kDeselectAllId = 1060;
    static constexpr int kPopupShowNe = 33083;
    static constexpr int kPopupSelectAll = 33140;
    static constexpr int kPopupDeselectAll = 33141;
    static constexpr int kTickTimer = 52342;
    static constexpr int kTickMs = 100;
    // The model combo's entry for every NE model.
    static constexpr uint32_t kAllModels = 1;
    // Columns.
    static constexpr int kNameColumn = 1;

    explicit CTemplateDownloadDlg(QWidget* parent = nullptr);
    ~CTemplateDownloadDlg() override;

    void SetDownload(const TemplateDownload& download) { download_ = download; }
    void SetConfirmTextId(uint32_t id) { confirmTextId_ = id; }
    void SetFailureTextId(uint32_t id) { failureTextId_ = id; }
    // From the route registry: the download the opener keeps.
    void ApplyOpenerFields(const DialogRequest& request);
    bool IsRunning() const { return ticks_.Running(); }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;
    void OnDestroy() override;
    void OnShowRecord(uint32_t neId) override;
    void OnListSelChanged(int row, int listId) override;
    void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                       int listId) override;

private:
    std::vector<ListColumn<CNeRecord>> Columns();
    // The NE ids of the location and model chosen, in the NE table's order.
    std::vector<uint32_t> ListedNes() const;
    void FillModelCombo();
    void FillNeList();
    void TickAll(bool on);
    // An NE that takes no download: its display state is not connected or planned.
    static bool IsLocked(const CNeRecord& ne);
    int RowImage(const CNeRecord& ne) const;
    // The write for the NEs of the chosen model; none when the download has none for it.
    const TemplateDownloadSlot* ChosenSlot() const;
    void StartRun();
    void StopRun();
    void Tick();

    std::unique_ptr<Ui::CTemplateDownloadDlg> ui_;
    CTableRecordList<CNeRecord> rows_;
    TemplateDownload download_;
    uint32_t confirmTextId_;
    uint32_t failureTextId_;
    CBatchTicks ticks_{*this, kTickTimer, kTickMs, [this] { Tick(); }};
    CTemplateDownloadRun run_;
    std::map<uint32_t, DownloadRow::Outcome> outcomes_; // by NE id
};
