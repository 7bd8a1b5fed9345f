#include "features/management/common/name_chars.h"

#include "core/util/names.h"

int FirstBadNameChar(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c > 0x7F || !IsValidNameChar(static_cast<char>(c)))
            return i;
    }
    return -1;
}
