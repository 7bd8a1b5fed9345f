#include "features/management/oplog/op_log_text.h"

std::array<std::string, 3> SplitOpLogText(std::string_view text)
{
    constexpr char kSeparator = '\x1b';
    std::array<std::string, 3> parts;
    for (size_t part = 0; part < parts.size(); ++part) {
        const size_t end = part + 1 < parts.size() ? text.find(kSeparator) : std::string_view::npos;
        parts[part] = std::string(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return parts;
}
