#pragma once
// CNeFwUpgradeDlg ("NE Firmware Upgrade", template 250): the firmware of many NEs upgraded in one batch, through the
// management server. The operator picks a local image file, its firmware type and the boot partition to write it to,
// lists the NEs of a location and NE model (the server's firmware records, request 301: version, FTP login, last
// upgrade), ticks the NEs and presses Upgrade: after the image's check and a confirmation the batch
// (fw_upgrade_batch.h) sends the image to the ticked NEs over FTP, several at a time, each row showing its NE's
// status, progress and error, and its result as the server keeps it. NEs that are not connected or are planned are
// greyed and cannot be ticked. Stop ends the dispatch; closing the dialog mid-batch leaves the NEs being served to
// finish and be reported on their own. Show opens the NE dialog of a row, Detail the information of the image file,
// Export writes the list under the stem "FWUpgrade".

#include "features/management/firmware/fw_upgrade_batch.h"
#include "features/management/firmware/upgrade_settings.h"
#include "link/records/ne_fw_upgrade_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <QPointer>
#include <QRect>
#include <QSize>

#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CNeFwUpgradeDlg;
}

// A row of the list: the NE's firmware record and its job in this dialog.
struct FwUpgradeRow {
    NeFwUpgradeRecord record;
    FwJobView job;
};

class CNeFwUpgradeDlg : public CRecordListDlg, public IFwUpgradeView {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 250;
    static constexpr int kLocalFileId = 1257;
    static constexpr int kBrowseButtonId = 1166;
    static constexpr int kFirmwareTypeId = 1361;
    static constexpr int kPartitionId = 1258;
    static constexpr int kDetailButtonId = 1132;
    static constexpr int kLocationId = 1214;
    static constexpr int kNeModelId = 1250;
    static constexpr int kUpgradeButtonId = 1364;
    static constexpr int kSelectAllButtonId = 1059;
    static constexpr int kDeselectAllButtonId = 1060;
    static constexpr int kStopButtonId = 1331;
    static constexpr int kUpgradeCommand = 33108;
    static constexpr int kStopCommand = 33094;
    static constexpr int kPopupBrowse = 33025;
    static constexpr int kPopupShowNe = 33083;
    static constexpr int kJobTimer = 15725;
    // Columns.
    static constexpr int kStatusColumn = 5;
    static constexpr int kProgressColumn = 6;
    static constexpr int kErrorColumn = 7;
    static constexpr int kLastResultColumn = 10;

    explicit CNeFwUpgradeDlg(QWidget* parent = nullptr);
    ~CNeFwUpgradeDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void OnTimer(int id) override;
    void OnCancel() override;
    void OnDestroy() override;
    void OnShowRecord(uint32_t neId) override;
    void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                       int listId) override;
    void DrawOwnerText(Dc& dc, const QRect& rect, int row, int column, COLORREF textColor, int listId) override;

    // The batch in progress, null when none.
    CFwUpgradeBatch* Batch() const { return batch_; }

    // IFwUpgradeView.
    bool IsChecked(uint32_t neId) const override;
    void ShowJobs(const std::vector<std::pair<uint32_t, FwJobView>>& jobs) override;
    void ShowReport(const NeFwUpgradeRecord& record) override;
    void OnStopped() override;
    void OnEnded() override;

    bool OnInitDialog() override;

protected:
    // The list takes the room the window is given; the buttons keep to its right, OK and Close to its corner.
    void resizeEvent(QResizeEvent* event) override;

private:
    // A control's place in the template, and how it follows the window's size.
    struct Placed {
        QPointer<QWidget> control;
        QRect base;
        bool grows = false; // the list: wider and taller; the others move
        bool down = false;  // also moves down
    };

    void FillModelCombo();
    void FillLocationCombo();
    void QueryFirmwareRecords();
    // The records of the chosen model and location, for a fill.
    std::vector<FwUpgradeRow> ListedRows() const;
    bool IsGreyed(uint32_t neId) const;
    uint32_t ChosenModel() const;
    void Browse();
    void ShowFileInformation();
    void CheckAll(bool on);
    void Upgrade();
    // The batch's local file and names when they fit and the image is sound and of the chosen type; the reason on
    // the message line otherwise.
    std::optional<FwUploadImage> CheckedImage(uint32_t* length);
    // Idle (everything but Stop) or running (the list and Stop only).
    void SetRunning(bool running);

    std::unique_ptr<Ui::CNeFwUpgradeDlg> ui_;
    CRecordList<FwUpgradeRow> rows_;
    std::vector<NeFwUpgradeRecord> records_; // the server's records, for the life of the dialog
    std::optional<CUpgradeSettings> settings_;
    QPointer<CFwUpgradeBatch> batch_;
    // The window's size and the controls' places as its start-up laid them out (message line and scaling included);
    // empty until then.
    QSize baseSize_;
    std::vector<Placed> placed_;
};
