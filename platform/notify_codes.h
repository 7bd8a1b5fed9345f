#pragma once
// Command and notification codes as the dialogs' handlers compare them, and the dialog results.

#include <QPoint>

#include <cstdint>

class QTreeWidgetItem;
class QWidget;

// Dialog and message box results.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Command codes (OnCommand).
inline constexpr int BN_CLICKED = 0;
inline constexpr int CBN_SELCHANGE = 1;
inline constexpr int CBN_EDITCHANGE = 5;
inline constexpr int CBN_DROPDOWN = 7;
inline constexpr int LBN_SELCHANGE = 1;
inline constexpr int LBN_DBLCLK = 2;
inline constexpr int EN_SETFOCUS = 0x100;
inline constexpr int EN_KILLFOCUS = 0x200;
inline constexpr int EN_CHANGE = 0x300;

// Notification codes (OnNotify).
inline constexpr int NM_CLICK = -2;
inline constexpr int NM_DBLCLK = -3;
inline constexpr int NM_RETURN = -4;
inline constexpr int NM_RCLICK = -5;
inline constexpr int LVN_ITEMCHANGED = -101;
inline constexpr int LVN_COLUMNCLICK = -108;
inline constexpr int LVN_KEYDOWN = -155;
inline constexpr int TVN_SELCHANGED = -402;
inline constexpr int TVN_KEYDOWN = -412;
inline constexpr int TCN_SELCHANGE = -551;
inline constexpr int UDN_DELTAPOS = -722;
inline constexpr int DTN_DATETIMECHANGE = -759;

// List item state bits of LVN_ITEMCHANGED; the check box is the state image (1 unticked, 2 ticked).
inline constexpr uint32_t LVIS_FOCUSED = 0x0001;
inline constexpr uint32_t LVIS_SELECTED = 0x0002;
inline constexpr uint32_t LVIS_STATEIMAGEMASK = 0xF000;
inline constexpr uint32_t LVIS_UNCHECKED = 0x1000;
inline constexpr uint32_t LVIS_CHECKED = 0x2000;

// One notification of a control. Fields that the code does not use keep their defaults.
struct NotifyHeader {
    int idFrom = 0;
    int code = 0;
    QWidget* control = nullptr;
    int item = -1;         // list row
    int subItem = -1;      // list column (NM_CLICK, LVN_COLUMNCLICK ...)
    uint32_t oldState = 0; // LVN_ITEMCHANGED
    uint32_t newState = 0;
    int delta = 0;                          // UDN_DELTAPOS: +1 up, -1 down
    int key = 0;                            // LVN_KEYDOWN, TVN_KEYDOWN: the Qt key code
    QPoint point;                           // NM_RCLICK: position in the control
    QTreeWidgetItem* treeItem = nullptr;    // TVN_SELCHANGED: the new item; NM_* of a tree: the item under the event
    QTreeWidgetItem* oldTreeItem = nullptr; // TVN_SELCHANGED: the item before
};

// What a window does with its controls' commands and notifications. `OnNotify` may set *result (a non-zero result
// refuses a change where the notification allows it).
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual bool OnCommand(int id, int code) = 0;
    virtual bool OnNotify(const NotifyHeader& header, int* result) = 0;
};
