#include "tools/generators/main_menu_writer.h"

#include "ui/framework/commands/command_registry.h"
#include "ui/framework/commands/menu_skeleton.h"
#include "ui/shell/frame/main_menu_cases.h"

#include <algorithm>
#include <set>
#include <vector>

namespace {

constexpr char kHeader[] =
    "# The six main menus of the main frame, by menu id. Written by tools/generators/make_menus.cpp from the\n"
    "# commands the areas declare (ninja regenerate_menus; edit the declarations, not this file).\n"
    "# MENU <id> ... END; POPUP \"text\" ... END; ITEM <command id> \"text\"; SEPARATOR (the format of the\n"
    "# context menus). \"&\" marks the access key, \"&&\" is a literal ampersand; a tab in a text separates the\n"
    "# shortcut.\n";

// An entry of a popup: a sub-popup, a separator or a command's menu entry.
struct Entry {
    int order = 0;
    const MenuSkeletonNode* node = nullptr;
    const CommandDeclaration* command = nullptr;
    const MenuPlacement* placement = nullptr;
};

struct MenuCaseView {
    int index;
    const MainMenuCaseTraits& traits;
    std::set<uint16_t> hidden;
};

std::vector<Entry> EntriesOf(const std::string& popupKey)
{
    std::vector<Entry> entries;
    for (const MenuSkeletonNode& node : MainMenuSkeleton()) {
        const std::string_view owner =
            node.kind == MenuSkeletonNode::Kind::Popup ? ParentMenuPath(node.path) : node.path;
        if (MenuPathKey(owner) == popupKey)
            entries.push_back({node.order, &node, nullptr, nullptr});
    }
    for (const CommandDeclaration* command : DeclaredCommands()) {
        for (const MenuPlacement& placement : command->placements) {
            if (MenuPathKey(placement.popupPath) == popupKey)
                entries.push_back({placement.order, nullptr, command, &placement});
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.order < b.order; });
    return entries;
}

bool Offers(const MenuCaseView& menuCase, const Entry& entry)
{
    if (entry.node != nullptr)
        return entry.node->kind == MenuSkeletonNode::Kind::Separator ||
               OfferedIn(entry.node->modes, menuCase.traits.direct);
    const CommandDeclaration& command = *entry.command;
    if (menuCase.hidden.count(static_cast<uint16_t>(command.id)) != 0)
        return false;
    if (entry.placement->NamesCases())
        return entry.placement->ShownIn(menuCase.index);
    if (!OfferedIn(entry.placement->modes, menuCase.traits.direct))
        return false;
    if (command.need == NeNeed::Any && !menuCase.traits.withNe)
        return false;
    if (command.need == NeNeed::Online && !menuCase.traits.withConfigurableNe)
        return false;
    return true;
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::vector<std::string> PopupLines(const MenuCaseView& menuCase, const std::string& popupKey, int depth)
{
    const std::string pad(static_cast<size_t>(depth) * 4, ' ');
    std::vector<std::string> lines;
    bool separatorDue = false;
    for (const Entry& entry : EntriesOf(popupKey)) {
        if (!Offers(menuCase, entry))
            continue;
        std::vector<std::string> block;
        if (entry.node != nullptr && entry.node->kind == MenuSkeletonNode::Kind::Separator) {
            separatorDue = !lines.empty();
            continue;
        }
        if (entry.node != nullptr) {
            std::vector<std::string> body = PopupLines(menuCase, MenuPathKey(entry.node->path), depth + 1);
            if (body.empty())
                continue;
            block.push_back(pad + "POPUP " + Quoted(std::string(MenuPathText(entry.node->path))));
            block.insert(block.end(), body.begin(), body.end());
            block.push_back(pad + "END");
        } else {
            block.push_back(pad + "ITEM " + std::to_string(entry.command->id) + " " + Quoted(entry.placement->text));
        }
        if (separatorDue)
            lines.push_back(pad + "SEPARATOR");
        separatorDue = false;
        lines.insert(lines.end(), block.begin(), block.end());
    }
    return lines;
}

} // namespace

std::string WriteMainMenus()
{
    std::string text = kHeader;
    for (int menuCase = 0; menuCase < kMainMenuCaseCount; ++menuCase) {
        const std::vector<uint16_t> hidden = MenuHiddenCommandIds(menuCase);
        const MenuCaseView view{
            menuCase, kMainMenuCases[static_cast<size_t>(menuCase)], {hidden.begin(), hidden.end()}};
        text += "\nMENU " + std::to_string(view.traits.menuResourceId) + "\n";
        for (const std::string& line : PopupLines(view, "", 1))
            text += line + "\n";
        text += "END\n";
    }
    return text;
}
