#include "ui/framework/menus/context_menu_data.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string_view NextWord(std::string_view& text)
{
    text = Trim(text);
    size_t end = 0;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t')
        ++end;
    const std::string_view word = text.substr(0, end);
    text = Trim(text.substr(end));
    return word;
}

// A quoted text that makes up the whole rest of the line.
bool ParseQuoted(std::string_view text, std::string& out)
{
    out.clear();
    if (text.size() < 2 || text.front() != '"')
        return false;
    for (size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            return i + 1 == text.size();
        if (c == '\\') {
            if (i + 1 >= text.size() || (text[i + 1] != '"' && text[i + 1] != '\\'))
                return false;
            out += text[++i];
            continue;
        }
        out += c;
    }
    return false;
}

bool ParseNumber(std::string_view text, int& value)
{
    const auto [next, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && next == text.data() + text.size();
}

// The names of a popup, "|" between them; none when one of them is empty (an empty name would answer the lookup of
// a position that has no popup).
std::vector<std::string> SplitNames(const std::string& text)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (true) {
        const size_t bar = text.find('|', start);
        names.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (names.back().empty())
            return {};
        if (bar == std::string::npos)
            return names;
        start = bar + 1;
    }
}

void CollectIds(const std::vector<ContextMenuEntry>& entries, std::vector<int>& ids)
{
    for (const ContextMenuEntry& entry : entries) {
        if (entry.kind == ContextMenuEntry::Kind::Item)
            ids.push_back(entry.commandId);
        else if (entry.kind == ContextMenuEntry::Kind::Popup)
            CollectIds(entry.children, ids);
    }
}

} // namespace

bool ContextPopup::HasName(std::string_view name) const
{
    for (const std::string& own : names) {
        if (own == name)
            return true;
    }
    return false;
}

const ContextPopup* ContextMenu::PopupAt(int index) const
{
    return index >= 0 && index < PopupCount() ? &popups[static_cast<size_t>(index)] : nullptr;
}

int ContextMenu::FindPopup(std::string_view name) const
{
    for (int i = 0; i < PopupCount(); ++i) {
        if (popups[static_cast<size_t>(i)].HasName(name))
            return i;
    }
    return -1;
}

const ContextMenu* ContextMenuFile::FindMenu(int id) const
{
    for (const ContextMenu& menu : menus) {
        if (menu.id == id)
            return &menu;
    }
    return nullptr;
}

ContextMenuFile ParseContextMenuFile(std::string_view content, const std::string& origin)
{
    ContextMenuFile result;
    result.read = true;
    ContextMenu* menu = nullptr;
    ContextPopup* popup = nullptr;         // the open top-level popup
    std::vector<ContextMenuEntry*> nested; // popups open inside it
    bool skippingPopup = false;            // a top-level popup whose header was bad: skip to its END
    int skipDepth = 0;
    auto fault = [&](size_t line, const std::string& reason) {
        result.faults.push_back(origin + ":" + std::to_string(line) + ": " + reason);
    };

    size_t lineNumber = 0;
    while (!content.empty()) {
        ++lineNumber;
        const size_t end = content.find('\n');
        std::string_view line = Trim(content.substr(0, end));
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        const std::string_view keyword = NextWord(line);
        if (skippingPopup) {
            if (keyword == "POPUP")
                ++skipDepth;
            else if (keyword == "END" && skipDepth-- == 0)
                skippingPopup = false;
            continue;
        }
        if (keyword == "MENU") {
            int id = 0;
            if (menu != nullptr) {
                fault(lineNumber, "MENU inside a menu");
            } else if (!ParseNumber(line, id) || id <= 0) {
                fault(lineNumber, "bad menu id");
            } else if (result.FindMenu(id) != nullptr) {
                fault(lineNumber, "menu " + std::to_string(id) + " defined twice");
            } else {
                result.menus.push_back(ContextMenu{id, {}});
                menu = &result.menus.back();
            }
            continue;
        }
        if (menu == nullptr) {
            fault(lineNumber, "entry outside a menu");
            continue;
        }
        if (keyword == "END") {
            if (!nested.empty())
                nested.pop_back();
            else if (popup != nullptr)
                popup = nullptr;
            else
                menu = nullptr;
            continue;
        }
        if (popup == nullptr) {
            // The menu itself holds popups only.
            std::string name;
            std::vector<std::string> names;
            if (keyword != "POPUP") {
                fault(lineNumber, "a menu holds popups only");
            } else if (!ParseQuoted(line, name) || (names = SplitNames(name)).empty()) {
                fault(lineNumber, "bad popup name");
                skippingPopup = true;
                skipDepth = 0;
            } else {
                menu->popups.push_back(ContextPopup{std::move(names), {}});
                popup = &menu->popups.back();
            }
            continue;
        }
        ContextMenuEntry entry;
        if (keyword == "SEPARATOR") {
            entry.kind = ContextMenuEntry::Kind::Separator;
        } else if (keyword == "POPUP") {
            entry.kind = ContextMenuEntry::Kind::Popup;
            if (!ParseQuoted(line, entry.text))
                fault(lineNumber, "bad popup text"); // its END still closes it
        } else if (keyword == "ITEM") {
            int id = 0;
            if (!ParseNumber(NextWord(line), id) || id <= 0 || id > 0xFFFF) {
                fault(lineNumber, "bad command id");
                continue;
            }
            entry.commandId = static_cast<uint16_t>(id);
            if (!ParseQuoted(line, entry.text)) {
                fault(lineNumber, "bad item text");
                continue;
            }
        } else {
            fault(lineNumber, "unknown keyword");
            continue;
        }
        std::vector<ContextMenuEntry>& list = nested.empty() ? popup->entries : nested.back()->children;
        list.push_back(std::move(entry));
        if (list.back().kind == ContextMenuEntry::Kind::Popup)
            nested.push_back(&list.back());
    }
    if (menu != nullptr)
        fault(lineNumber, "menu " + std::to_string(menu->id) + " has no END");
    return result;
}

ContextMenuFile LoadContextMenuFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    std::ostringstream text;
    text << file.rdbuf();
    return ParseContextMenuFile(text.str(), path);
}

std::vector<int> ContextMenuCommandIds(const std::vector<ContextMenuEntry>& entries)
{
    std::vector<int> ids;
    CollectIds(entries, ids);
    return ids;
}
