#include "ui/framework/menus/context_menu.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "platform/command_relay.h"
#include "platform/popup_menu_runner.h"
#include "platform/posted_call.h"
#include "ui/framework/menus/context_menu_data.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr char kMenuFile[] = "resources/menus/context_menus.menu";

// The popups of entity menus 112 and 114 in order; the entity models' menu classes count in these positions.
constexpr std::array<std::string_view, 33> kEntityPopupNames = {
    "<null>",       "Rack",        "Shelf",           "Module",
    "Port",         "NE",          "NEList",          "QX7100MainShelf",
    "MiscShelf",    "ADSLModule",  "QX7100CWMModule", "MiscModule",
    "ADSLPort",     "GigaPort",    "MiscPort",        "MapNE",
    "Map",          "Group",       "GroupNEs",        "GroupMembers",
    "GroupNE",      "GroupMember", "GroupDummy",      "PowerModule",
    "FanModule",    "RelayModule", "RelayInPort",     "RootGroup",
    "SHDSLModule",  "SHDSLPort",   "QX7200CWMModule", "QX7200MainShelf",
    "RelayOutPort",
};

int listMenuId = kListPopupMenuDirect;
int entityMenuId = kEntityPopupMenuDirect;
std::string menuFilePath;
std::unique_ptr<ContextMenuFile> menuFile;

std::string FindMenuFile()
{
    QStringList folders{QDir::currentPath()};
    if (QCoreApplication::instance() != nullptr) {
        QDir dir(QCoreApplication::applicationDirPath());
        for (int up = 0; up < 5; ++up) {
            folders.append(dir.absolutePath());
            if (!dir.cdUp())
                break;
        }
    }
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder).filePath(kMenuFile));
        if (file.isFile())
            return file.absoluteFilePath().toStdString();
    }
    return {};
}

const ContextMenu* LoadMenu(int menuId)
{
    if (!menuFile) {
        const std::string path = menuFilePath.empty() ? FindMenuFile() : menuFilePath;
        menuFile = std::make_unique<ContextMenuFile>(path.empty() ? ContextMenuFile{} : LoadContextMenuFile(path));
        for (const std::string& fault : menuFile->faults)
            qWarning("%s", fault.c_str());
    }
    return menuFile->FindMenu(menuId);
}

bool Listed(const uint16_t* ids, uint16_t id)
{
    if (ids == nullptr)
        return false;
    for (; *ids != 0; ++ids) {
        if (*ids == id)
            return true;
    }
    return false;
}

void AddEntries(QMenu& menu, const std::vector<ContextMenuEntry>& entries, const uint16_t* disabledIds,
                const uint16_t* tickedIds)
{
    for (const ContextMenuEntry& entry : entries) {
        switch (entry.kind) {
        case ContextMenuEntry::Kind::Separator:
            menu.addSeparator();
            break;
        case ContextMenuEntry::Kind::Popup:
            AddEntries(*menu.addMenu(QString::fromStdString(entry.text)), entry.children, disabledIds, tickedIds);
            break;
        case ContextMenuEntry::Kind::Item: {
            QAction* action = menu.addAction(QString::fromStdString(entry.text));
            action->setData(static_cast<int>(entry.commandId));
            if (Listed(disabledIds, entry.commandId))
                action->setEnabled(false);
            if (Listed(tickedIds, entry.commandId)) {
                action->setCheckable(true);
                action->setChecked(true);
            }
            break;
        }
        }
    }
}

// Shows the popup of the menu at the cursor and posts the chosen command to the owner. A popup without commands (the
// placeholders, the folders of a mode that offers nothing there) is shown as it is, empty.
int ShowPopup(const ContextPopup* popup, QWidget* owner, const uint16_t* disabledIds, const uint16_t* tickedIds)
{
    const QPoint cursor = QCursor::pos();
    if (popup == nullptr)
        return 0;
    QMenu qmenu(owner);
    BuildContextMenu(qmenu, *popup, disabledIds, tickedIds);
    const int command = TrackPopupMenu(qmenu, cursor);
    if (command != 0 && owner != nullptr) {
        QPointer<QWidget> target(owner);
        PostCall(owner, [target, command] {
            if (auto* commands = dynamic_cast<CommandTarget*>(target.data()))
                commands->OnCommand(command, 0);
        });
    }
    return 1;
}

const ContextPopup* NamedPopup(int menuId, std::string_view popupName)
{
    const ContextMenu* menu = LoadMenu(menuId);
    if (menu == nullptr || popupName.empty())
        return nullptr;
    return menu->PopupAt(menu->FindPopup(popupName));
}

} // namespace

int GetListPopupMenuId()
{
    return listMenuId;
}

void SetListPopupMenuId(int menuId)
{
    listMenuId = menuId;
}

int GetEntityPopupMenuId()
{
    return entityMenuId;
}

void SetEntityPopupMenuId(int menuId)
{
    entityMenuId = menuId;
}

void SetContextMenuFile(const std::string& path)
{
    menuFilePath = path;
    menuFile.reset();
}

std::string_view EntityPopupName(int index)
{
    return index >= 0 && index < static_cast<int>(kEntityPopupNames.size())
               ? kEntityPopupNames[static_cast<size_t>(index)]
               : std::string_view();
}

int TrackContextMenu(int popupIndex, QWidget* owner, const uint16_t* disabledIds, const uint16_t* tickedIds)
{
    const ContextMenu* menu = LoadMenu(listMenuId);
    return ShowPopup(menu != nullptr ? menu->PopupAt(popupIndex & 0xFF) : nullptr, owner, disabledIds, tickedIds);
}

int TrackContextMenu(std::string_view popupName, QWidget* owner, const uint16_t* disabledIds, const uint16_t* tickedIds)
{
    return ShowPopup(NamedPopup(listMenuId, popupName), owner, disabledIds, tickedIds);
}

int EntityContextMenu(int popupIndex, QWidget* owner, const uint16_t* disabledIds)
{
    return EntityContextMenu(EntityPopupName(popupIndex & 0xFFFF), owner, disabledIds);
}

int EntityContextMenu(std::string_view popupName, QWidget* owner, const uint16_t* disabledIds)
{
    return ShowPopup(NamedPopup(entityMenuId, popupName), owner, disabledIds, nullptr);
}

int EntityContextMenuById(uint32_t modelId, QWidget* owner, const uint16_t* disabledIds)
{
    const CEntityType* model = FindEntityModel(modelId);
    if (model == nullptr)
        return 0;
    return EntityContextMenu(model->GetMenuClass(), owner, disabledIds);
}

void BuildContextMenu(QMenu& menu, const ContextPopup& popup, const uint16_t* disabledIds, const uint16_t* tickedIds)
{
    AddEntries(menu, popup.entries, disabledIds, tickedIds);
}

namespace {

// Runs popups as the runner in place does, without the listed commands.
class CLeavingOutRunner final : public PopupMenuRunner {
public:
    explicit CLeavingOutRunner(const uint16_t* removedIds)
        : removedIds_(removedIds), runner_(CurrentPopupMenuRunner()), installed_(SetPopupMenuRunner(this))
    {
    }
    ~CLeavingOutRunner() override { SetPopupMenuRunner(installed_); }
    CLeavingOutRunner(const CLeavingOutRunner&) = delete;
    CLeavingOutRunner& operator=(const CLeavingOutRunner&) = delete;

    int TrackPopupMenu(QMenu& menu, const QPoint& globalPos) override
    {
        for (QAction* action : menu.actions()) {
            if (action->menu() == nullptr && Listed(removedIds_, static_cast<uint16_t>(CommandIdOf(action))))
                menu.removeAction(action);
        }
        return runner_.TrackPopupMenu(menu, globalPos);
    }

private:
    const uint16_t* removedIds_;
    PopupMenuRunner& runner_;
    PopupMenuRunner* installed_;
};

} // namespace

int TrackContextMenuWithout(std::string_view popupName, QWidget* owner, const uint16_t* removedIds,
                            const uint16_t* disabledIds)
{
    const CLeavingOutRunner leavingOut(removedIds);
    return TrackContextMenu(popupName, owner, disabledIds, nullptr);
}
