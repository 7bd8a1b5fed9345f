#pragma once
// CTrapSumView (form 271): the alarm summary below the location tree. Five fixed rows count the active critical, major
// and minor alarms and the NEs offline and online; the main frame's refresh keeps the counts current, and Detail (or a
// double click) opens the list behind a row.

#include "core/entity/entity_id.h"
#include "ui/framework/views/form_view.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace Ui {
class CTrapSumView;
}

// What Detail opens for a row. The lists live in other parts of the program and register the opener.
struct TrapSumDetailRequest {
    static constexpr int kAlarmEventList = 223;  // server mode: the network's active alarms of a severity
    static constexpr int kActiveAlarmList = 217; // direct mode: the NE's active alarms of a severity
    static constexpr int kNeList = 245;          // the NEs of a connection state

    int dialogId = 0;
    int severity = 0;      // 223 and 217: 1 critical, 2 major, 3 minor
    uint32_t neId = 0;     // 217: the NE, its target entity the NE itself
    int neStateFilter = 0; // 245: 1 connected NEs only, 2 NEs not connected only
    bool operator==(const TrapSumDetailRequest&) const = default;
};
using TrapSumDetailOpener = std::function<void(const TrapSumDetailRequest&)>;
// Installs the opener (empty: none, and Detail opens nothing).
void SetTrapSumDetailOpener(TrapSumDetailOpener opener);

class CTrapSumView : public CAFormView {
    Q_OBJECT
public:
    static constexpr int kFormId = 271;
    static constexpr int kCmdDetail = 33012;
    static constexpr int kCmdExport = 33024;
    static constexpr int kRowCount = 5;
    static constexpr int kRowOffline = 3;
    static constexpr int kRowOnline = 4;

    // The main frame's current NE and entity.
    using SelectionSource = std::function<std::pair<uint32_t, CEntityId>()>;
    // Sets the height of the summary's pane.
    using PaneSizer = std::function<void(int height)>;
    // Brings the application's severity counts up to date before the refresh shows them.
    using CountUpdater = std::function<void()>;

    explicit CTrapSumView(QWidget* parent = nullptr);
    ~CTrapSumView() override;

    void SetSelectionSource(SelectionSource source) { selection_ = std::move(source); }
    void SetPaneSizer(PaneSizer sizer) { paneSizer_ = std::move(sizer); }
    void SetCountUpdater(CountUpdater updater) { countUpdater_ = std::move(updater); }

    // Hooks.
    void InitData() override;
    void OnFirstShow() override;
    void RefreshData() override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;

    void OnDetail();
    void OnExport();
    void OnContextMenu();

    // The height the summary's pane is given: seven times the height of "Wly" in the list's font.
    int PaneHeight() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The list over the whole view, its last column widened to fill it.
    void LayoutList();
    // Keeps the width the list layout gave the last column, for LayoutList to widen.
    void KeepLaidOutWidth();

    std::unique_ptr<Ui::CTrapSumView> ui_;
    SelectionSource selection_;
    PaneSizer paneSizer_;
    CountUpdater countUpdater_;
    bool initialised_ = false;
    int laidOutLastWidth_ = 0;
    bool stopRefreshWhileBusy_ = false;
    std::pair<uint32_t, CEntityId> lastSelection_{0, CEntityId{}};
};

// Makes the main frame build this view for its alarm summary pane.
void RegisterTrapSumView();
