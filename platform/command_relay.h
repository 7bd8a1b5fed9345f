#pragma once
// Turns the signals of a window's controls into the command and notification calls its handlers are written for:
// a button click becomes OnCommand(id, BN_CLICKED), a combo box choice OnCommand(id, CBN_SELCHANGE), a list selection
// OnNotify(LVN_ITEMCHANGED) and so on. The relay belongs to the window (as a member, so that it goes before the
// controls do and no call reaches a half-destroyed window).
//
// Controls and what they send:
//   buttons, check boxes, radio buttons   BN_CLICKED
//   QComboBox      CBN_SELCHANGE (a choice by the user), CBN_DROPDOWN (before the list opens), CBN_EDITCHANGE
//   QLineEdit, QPlainTextEdit, QTextEdit, QSpinBox, IpAddressEdit   EN_CHANGE (also for changes by the program),
//                  EN_SETFOCUS, EN_KILLFOCUS (line edits)
//   QListWidget    LBN_SELCHANGE, LBN_DBLCLK
//   QTreeView without root decoration (a QTreeWidget, or a view over a model): a list; QTreeWidget with it: a tree
//   list           LVN_ITEMCHANGED (selection and check box, per row), LVN_COLUMNCLICK, NM_CLICK, NM_DBLCLK,
//                  NM_RCLICK, NM_RETURN, LVN_KEYDOWN
//   tree           TVN_SELCHANGED, NM_CLICK, NM_DBLCLK, NM_RCLICK, NM_RETURN, TVN_KEYDOWN
//   QTabWidget, QTabBar   TCN_SELCHANGE;  DeltaSpin  UDN_DELTAPOS;  QDateTimeEdit  DTN_DATETIMECHANGE

#include "platform/notify_codes.h"

#include <QHash>
#include <QObject>

class QTreeView;
class QTreeWidget;

class CommandRelay : public QObject {
    Q_OBJECT
public:
    explicit CommandRelay(CommandTarget& target);

    // Binds one control under its id; a control is bound once.
    void Bind(QWidget* control, int id);
    // Binds every control with an id below `root` (see control_id.h).
    void BindAll(const QWidget* root);
    bool IsBound(const QWidget* control) const;

    // Deliver as a control would.
    void SendCommand(int id, int code);
    int SendNotify(const NotifyHeader& header);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A model-backed list has its model before it is bound: the selection is watched on the model's selection model.
    void BindList(QTreeView* list);
    void BindTree(QTreeWidget* tree);
    NotifyHeader Header(QWidget* control, int code) const;

    CommandTarget& target_;
    QHash<const QObject*, int> ids_;
};
