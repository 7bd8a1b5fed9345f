#pragma once
// Popup menus behind a replaceable runner. Menu actions carry their 16-bit command id in QAction::data(); running a
// popup returns the command id of the chosen action, 0 when none was chosen.

class QAction;
class QMenu;
class QPoint;

class PopupMenuRunner {
public:
    virtual ~PopupMenuRunner() = default;
    virtual int TrackPopupMenu(QMenu& menu, const QPoint& globalPos) = 0;
};

PopupMenuRunner& CurrentPopupMenuRunner();
// Installs a runner (not owned; null restores the default) and returns the one installed before (null for the
// default).
PopupMenuRunner* SetPopupMenuRunner(PopupMenuRunner* runner);

int TrackPopupMenu(QMenu& menu, const QPoint& globalPos);

// The command id an action carries (0 for none or a null action).
int CommandIdOf(const QAction* action);
