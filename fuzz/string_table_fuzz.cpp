// The string table file of any content: each line gives at most one text or one fault, and reading the file in two
// parts (cut at a line end) gives the table that reading it whole gives.
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const size_t lines = static_cast<size_t>(std::count(content.begin(), content.end(), '\n')) + 1;
    CStringTable whole;
    const auto faults = whole.Parse(content, "strings.tsv");
    if (whole.Count() > lines || faults.size() > lines)
        std::abort();

    const size_t cut = size == 0 ? std::string_view::npos : content.find('\n', data[0] % size);
    if (cut == std::string_view::npos)
        return 0;
    CStringTable parts;
    parts.Parse(content.substr(0, cut + 1), "strings.tsv");
    parts.Parse(content.substr(cut + 1), "strings.tsv");
    if (parts.Count() != whole.Count())
        std::abort();
    for (const uint32_t id : {0u, 1u, kStrFailToQuery, kStrFailedToLogin, 4294967295u}) {
        const std::string* a = whole.Find(id);
        const std::string* b = parts.Find(id);
        if ((a == nullptr) != (b == nullptr) || (a != nullptr && *a != *b))
            std::abort();
    }
    return 0;
}
