#pragma once
// CNeListDlg ("NE List", template 245): the NEs of a location (with or without the locations below it, by
// DIALOG/NELISTINCLSUBNE; location 0 lists them all) as the NE table holds them, one row each with the NE id as its
// key, in name order. From the selected row it shows, changes and deletes NEs (request 32), adds new ones through the
// NE dialog, tells an NE to write its configuration to flash (request 343), and opens the NE's configuration backups,
// active alarms and port lists; Export writes the list under the stem "Node". The commands on a row follow the NE's
// state: an NE that is planned or not connected can be shown, changed and deleted only. A connection filter (set by
// the alarm summary) lists only the connected NEs, or only the others.

#include "core/tables/ne_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CNeListDlg;
}

class CNeListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 245;
    static constexpr int kWriteFlashButtonId = 1310;
    static constexpr int kBackupButtonId = 1050;
    static constexpr int kActiveAlarmButtonId = 1174;
    static constexpr int kAdslPortButtonId = 1383;
    static constexpr int kShdslPortButtonId = 1385;
    static constexpr int kPopupWriteFlash = 33087;
    static constexpr int kPopupBackup = 33001;
    static constexpr int kPopupActiveAlarm = 33029;
    static constexpr int kPopupAdslPort = 33130;
    static constexpr int kPopupShdslPort = 33177;
    // Columns.
    static constexpr int kNameColumn = 1;
    static constexpr int kLocationColumn = 2;
    static constexpr int kAddressColumn = 3;
    static constexpr int kModelColumn = 5;

    // Connection filters.
    static constexpr uint8_t kAllNes = 0;
    static constexpr uint8_t kConnectedNes = 1;
    static constexpr uint8_t kUnconnectedNes = 2;

    explicit CNeListDlg(QWidget* parent = nullptr);
    ~CNeListDlg() override;

    void SetConnectionFilter(uint8_t filter) { connectionFilter_ = filter; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;
    std::vector<uint16_t> GreyedPopupCommands() const override;

    void OnShowRecord(uint32_t neId) override;
    void OnModifyRecord(uint32_t neId) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t neId) override;

private:
    // The NEs of the list, in name order.
    std::vector<uint32_t> ListedNes() const;
    void WriteFlash();
    void OpenBackups();
    void OpenActiveAlarms();
    void OpenPortList(const char* className);

    std::unique_ptr<Ui::CNeListDlg> ui_;
    CTableRecordList<CNeRecord> rows_;
    uint8_t connectionFilter_ = kAllNes;
};
