#include "platform/scripted_runners.h"

#include "platform/notify_codes.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <algorithm>

ScriptedModalRunner::ScriptedModalRunner() : previous_(SetModalRunner(this)) {}

ScriptedModalRunner::~ScriptedModalRunner()
{
    SetModalRunner(previous_);
}

void ScriptedModalRunner::Push(Script script)
{
    scripts_.push_back(std::move(script));
}

void ScriptedModalRunner::PushResult(int result)
{
    scripts_.push_back([result](QDialog&) { return result; });
}

int ScriptedModalRunner::RunModal(QDialog& dialog)
{
    runs_.append(dialog.windowTitle());
    dialog.setResult(IDCANCEL);
    dialog.show();
    QCoreApplication::processEvents();
    int result = IDCANCEL;
    if (!scripts_.empty()) {
        Script script = std::move(scripts_.front());
        scripts_.pop_front();
        result = script(dialog);
    }
    if (dialog.isVisible())
        dialog.done(result);
    return dialog.result();
}

ScriptedMessageBoxes::ScriptedMessageBoxes() : previous_(SetMessageBoxRunner(this)) {}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    SetMessageBoxRunner(previous_);
}

void ScriptedMessageBoxes::PushAnswer(int result)
{
    answers_.push_back(result);
}

int ScriptedMessageBoxes::ShowMessageBox(const MessageBoxRequest& request)
{
    requests_.push_back(request);
    if (answers_.empty())
        return DefaultMessageBoxResult(request.type);
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

ScriptedFileChooser::ScriptedFileChooser() : previous_(SetFileChooser(this)) {}

ScriptedFileChooser::~ScriptedFileChooser()
{
    SetFileChooser(previous_);
}

void ScriptedFileChooser::PushPath(std::optional<QString> path)
{
    paths_.push_back(std::move(path));
}

std::optional<QString> ScriptedFileChooser::ChooseFile(const FileChooserRequest& request)
{
    requests_.push_back(request);
    if (paths_.empty())
        return std::nullopt;
    const bool chosen = paths_.front().has_value();
    const QString path = chosen ? *paths_.front() : QString();
    paths_.pop_front();
    if (!chosen)
        return std::nullopt;
    return path;
}

ScriptedPopupMenus::ScriptedPopupMenus() : previous_(SetPopupMenuRunner(this)) {}

ScriptedPopupMenus::~ScriptedPopupMenus()
{
    SetPopupMenuRunner(previous_);
}

void ScriptedPopupMenus::PushChoice(int commandId)
{
    choices_.push_back(commandId);
}

namespace {

// The commands of the menu and its sub-menus; greyed ones only with `greyed`.
void CollectCommands(const QMenu& menu, std::vector<int>& ids, bool greyed = false)
{
    for (QAction* action : menu.actions()) {
        if (action->menu())
            CollectCommands(*action->menu(), ids, greyed);
        else if ((greyed || action->isEnabled()) && !action->isSeparator() && CommandIdOf(action) != 0)
            ids.push_back(CommandIdOf(action));
    }
}

} // namespace

int ScriptedPopupMenus::TrackPopupMenu(QMenu& menu, const QPoint& /*globalPos*/)
{
    std::vector<int> ids;
    CollectCommands(menu, ids);
    offered_.push_back(ids);
    CollectCommands(menu, shown_.emplace_back(), true);
    if (choices_.empty())
        return 0;
    int choice = choices_.front();
    choices_.pop_front();
    // A person cannot choose what the menu does not offer.
    return std::find(ids.begin(), ids.end(), choice) != ids.end() ? choice : 0;
}
