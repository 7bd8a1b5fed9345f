// Column specs come from the string table: any text must give a usable list of columns, each with one header and one
// cell alignment, at most one kind flag and a title taken from the spec's first 255 characters.
#include "core/list/column_spec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view spec(reinterpret_cast<const char*>(data), size);
    const auto columns = ParseColumnSpecFields(spec);
    if (columns.size() > (kMaxColumnSpecLength + 1) / 2)
        std::abort();
    size_t titles = 0;
    for (const ColumnSpecField& column : columns) {
        const uint16_t header = column.flags & kColumnHeaderAlignMask;
        const uint16_t cell = column.flags & kColumnTextAlignMask;
        const uint16_t kind = column.flags & (kColumnStretch | kColumnHidden | kColumnOwnerText);
        if (header == 0 || cell == 0 || (kind & (kind - 1)) != 0)
            std::abort();
        if ((column.flags & ~(kColumnHeaderAlignMask | kColumnTextAlignMask | kind)) != 0)
            std::abort();
        if (column.title.find('|') != std::string::npos || column.title.find('\0') != std::string::npos)
            std::abort();
        titles += column.title.size();
    }
    if (titles > kMaxColumnSpecLength)
        std::abort();
    return 0;
}
