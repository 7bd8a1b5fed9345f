#pragma once
// CNeAutoDiscoveryDlg (243, "NE Auto-discovery"): the operator's window on the server's search for NEs. The upper
// list holds the address ranges the server searches, with their state; the lower one the NEs it found there that no
// one manages yet. Both follow the server on a refresh timer; a second timer checks the found NEs one after another
// with an ICMP echo. The operator adds, deletes and restarts ranges (CNeAutoDiscoveryRangeDlg), adds the ticked NEs
// as managed NEs (CAddDiscoveredNeDlg), drops them, pings one and exports either list. Server mode only: in direct
// mode the dialog closes at once. The timers act only while no dialog opened from this one is showing.

#include "features/management/discovery/discovery_pinger.h"
#include "features/management/discovery/discovery_rows.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CNeAutoDiscoveryDlg;
}

class CNeAutoDiscoveryDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 243;
    static constexpr int kFoundListId = 1213;
    // The ranges' commands are the list's Add (1263), Delete (1131) and Export (1165); Restart is its own.
    static constexpr int kRestartButtonId = 1308;
    static constexpr int kAddNesButtonId = 1265;
    static constexpr int kIgnoreNesButtonId = 1133;
    static constexpr int kPingNeButtonId = 1269;
    static constexpr int kExportNesButtonId = 1167;
    static constexpr int kPopupRestart = 33085;
    static constexpr int kPopupAddNes = 33061;
    static constexpr int kPopupIgnoreNes = 33138;
    static constexpr int kPopupPingNe = 33074;
    static constexpr int kPopupExportNes = 33139;
    static constexpr int kRefreshTimer = 28934;
    static constexpr int kPingTimer = 28935;
    // Columns of the two lists.
    static constexpr int kNumberColumn = 0;
    static constexpr int kFromColumn = 1;
    static constexpr int kToColumn = 2;
    static constexpr int kModelCommunityColumn = 3;
    static constexpr int kStateColumn = 4;
    static constexpr int kAddressColumn = 1;
    static constexpr int kModelColumn = 2;
    static constexpr int kDescriptionColumn = 3;
    static constexpr int kStatusColumn = 4;

    // The timers' periods, from the configuration, brought into their bounds.
    struct Periods {
        uint32_t refreshMs = 10000;
        uint32_t pingMs = 1000;
        uint32_t pingWaitMs = 500;
    };
    static Periods ReadPeriods();

    explicit CNeAutoDiscoveryDlg(QWidget* parent = nullptr);
    ~CNeAutoDiscoveryDlg() override;

    // The check of one found NE (the system's ICMP echo unless given).
    void SetPingProbe(CDiscoveryPinger::Probe probe) { pinger_.SetProbe(std::move(probe)); }
    const Periods& GetPeriods() const { return periods_; }

    void InitData() override;
    void OnTimer(int id) override;
    void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                       int listId) override;
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t key) override;
    void OnExport() override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;

    // Brings both lists up to date with the server: the first time with the failure box and the wait dialog, from
    // the timer quietly and within a second.
    void Refresh(bool first);
    // Checks the next found NE, round the list.
    void PingNext();

private:
    std::vector<DiscoveryRangeRow> RangeRows() const;
    std::vector<FoundNeRow> FoundRows() const;
    // The ticked found NEs in the order the list shows them.
    std::vector<FoundNeRow> TickedRows() const;
    // Every found row's failure mark taken away.
    void ResetFoundMarks();
    void MarkFailed(const FoundNeRow& row);
    void UpdateFoundCommands();
    void ToggleFoundRow(int row);
    void ShowFoundMenu();
    // Whether the dialog's timers may act: no dialog opened from this one is showing.
    bool IsInnermost() const;

    void RestartRange();
    void AddNes();
    void IgnoreNes();
    void PingSelectedNe();
    void ExportNes();
    void OnPinged(const IpAddress& address, bool online);

    std::unique_ptr<Ui::CNeAutoDiscoveryDlg> ui_;
    CRecordList<DiscoveryRangeRow> ranges_;
    CRecordList<FoundNeRow> found_;
    CDiscoveryPinger pinger_;
    Periods periods_;
    uint32_t rangeCounter_ = 0;
    uint32_t foundCounter_ = 0;
    int pingIndex_ = 0;
};
