#pragma once
// What a view in one of the frame's panes may ask of the frame that hosts it: the current selection (read and set),
// the active pane, a refresh of the views at once, a switch of the right pane's view, the size of its pane, commands
// for the frame, the tree's icons and text colours, the blink phase of flashing icons, the View menu's switches and
// the Location Indicator. The main frame implements
// it; views, and the feature areas that make them, include this header rather than the frame's.
//
//     class CTopoView : public CAFormView {
//     public:
//         CTopoView(IViewHost& host, QWidget* parent) : CAFormView(268, parent), host_(host) {}
//         void RefreshData() override { SetTarget(host_.GetCurrentNeId(), ...); }
//     };

#include "core/entity/entity_id.h"
#include "core/entity/entity_index.h"
#include "platform/color_ref.h"

#include <QPixmap>

#include <cstdint>
#include <string>

class CNeRecord;

// The pane kinds a view names when it makes itself the frame's active pane.
inline constexpr uint8_t kPaneOfRightView = 2; // the view of the right-hand pane (front panel, map)

class IViewHost {
public:
    // Splitters of the pane size operations: the outer one holds the columns, the inner one the tree over the alarm
    // summary.
    static constexpr int kOuterSplitter = 0;
    static constexpr int kInnerSplitter = 1;

    virtual ~IViewHost() = default;

    // The current selection: the NE and entity, the location, the selected account's name (at most 10 characters).
    virtual void SetCurrentEntity(uint32_t neId, const CEntityIndex* index) = 0;
    // The selection as an entity id, rebuilt from the index at each call (id 0 for an empty index).
    virtual const CEntityId& GetCurrentEntity() = 0;
    virtual uint32_t GetCurrentNeId() const = 0;
    virtual void SetCurrentLocation(uint32_t locationId) = 0;
    virtual uint32_t GetCurrentLocationId() const = 0;
    virtual void SetKeyText(const std::string& text) = 0;
    virtual const std::string& GetKeyText() const = 0;
    // The pane whose view the operator works in.
    virtual void SetActivePane(uint8_t pane) = 0;
    virtual uint8_t GetActivePane() const = 0;

    // Switches the right pane to the view of a selected item's kind (view_tabs.h for the codes).
    virtual void SelectView(int kind, int viewCode) = 0;
    // The kind of the item whose views the right pane shows (-1 none).
    virtual int GetSelectedKind() const = 0;
    // Asks for a refresh of the views at once.
    virtual void PostRefreshNow() = 0;
    // Sets the size of a pane of a splitter; nothing when the pane does not exist.
    virtual void SetSplitterPaneSize(int splitter, int pane, int size, int minimum) = 0;

    // Queues a command for the frame, as a posted menu command.
    virtual void PostFrameCommand(int commandId) = 0;
    // The frame's own handling of a command, without offering it to the active view first: for a view that does its
    // part of a command and leaves the rest to the frame.
    virtual bool RouteCommand(int commandId) = 0;

    // Icons and colours of the tree and the views.
    virtual QPixmap GetListIcon(int index) const = 0;
    virtual int GetEntityStateIcon(uint32_t neId, int position) const = 0;
    virtual int GetEntityIcon(uint32_t neId, int state, int position) const = 0;
    virtual COLORREF GetTreeTextColor(int kind) const = 0;
    virtual COLORREF GetEntityTextColor(uint32_t neId) const = 0;
    // The same for a record at hand (null: the colour of no NE).
    virtual COLORREF GetNeTextColor(const CNeRecord* ne) const = 0;
    // An NE's icon and name colour from the gravest alarm the tables keep for it, without a walk of its entities: for
    // views that show every NE.
    virtual int GetNeKeptStateIcon(const CNeRecord& ne) const = 0;
    virtual COLORREF GetNeKeptTextColor(const CNeRecord& ne) const = 0;
    // The background of an item: the selected item's from the colour table, the window's otherwise.
    virtual COLORREF GetItemBackColor(bool selected) const = 0;
    // The phase of the flashing icons, on or off.
    virtual bool IsBlinkPhaseOn() const = 0;

    // The View menu's switches: the Location Indicator, the port hint of the front panel and its selection frame.
    virtual bool GetLocationIndicatorFlag() const = 0;
    virtual bool GetPortTipFlag() const = 0;
    virtual bool GetFocusFrameFlag() const = 0;
    // Shows a map position and zoom ratio (percent) on the Location Indicator.
    virtual void UpdateLocationIndicator(double longitude, double latitude, int ratio) = 0;
};
