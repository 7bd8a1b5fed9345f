// The menu file of any content: whatever it keeps is a usable menu (ids positive and unique, every popup named and
// found by its name, command ids 16-bit and not zero), and each line gives at most one fault.
#include "ui/framework/menus/context_menu_data.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "context_menus_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const size_t lines = static_cast<size_t>(std::count(content.begin(), content.end(), '\n')) + 1;
    const ContextMenuFile file = ParseContextMenuFile(content, "context_menus.menu");
    Check(file.read);
    Check(file.faults.size() <= lines + 1);
    for (const ContextMenu& menu : file.menus) {
        Check(menu.id > 0 && file.FindMenu(menu.id) == &menu);
        for (int i = 0; i < menu.PopupCount(); ++i) {
            const ContextPopup& popup = *menu.PopupAt(i);
            Check(!popup.names.empty() && !popup.names.front().empty());
            const int found = menu.FindPopup(popup.names.front());
            Check(found >= 0 && found <= i && menu.PopupAt(found)->HasName(popup.names.front()));
            for (const int id : ContextMenuCommandIds(popup.entries))
                Check(id > 0 && id <= 0xFFFF);
        }
        Check(menu.PopupAt(menu.PopupCount()) == nullptr && menu.PopupAt(-1) == nullptr);
    }
    return 0;
}
