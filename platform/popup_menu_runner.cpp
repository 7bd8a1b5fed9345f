#include "platform/popup_menu_runner.h"

#include <QAction>
#include <QMenu>

namespace {

class QtPopupMenuRunner : public PopupMenuRunner {
public:
    int TrackPopupMenu(QMenu& menu, const QPoint& globalPos) override { return CommandIdOf(menu.exec(globalPos)); }
};

QtPopupMenuRunner defaultRunner;
PopupMenuRunner* installed = nullptr;

} // namespace

PopupMenuRunner& CurrentPopupMenuRunner()
{
    return installed ? *installed : defaultRunner;
}

PopupMenuRunner* SetPopupMenuRunner(PopupMenuRunner* runner)
{
    PopupMenuRunner* previous = installed;
    installed = runner;
    return previous;
}

int TrackPopupMenu(QMenu& menu, const QPoint& globalPos)
{
    return CurrentPopupMenuRunner().TrackPopupMenu(menu, globalPos);
}

int CommandIdOf(const QAction* action)
{
    if (action == nullptr)
        return 0;
    bool ok = false;
    int id = action->data().toInt(&ok);
    return ok ? id : 0;
}
