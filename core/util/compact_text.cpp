#include "core/util/compact_text.h"

#include <cstdint>
#include <cstring>
#include <ostream>

std::string_view CCompactText::View() const
{
    if (chars_ == nullptr)
        return {};
    uint32_t length = 0;
    std::memcpy(&length, chars_.get(), sizeof length);
    return {chars_.get() + sizeof length, length};
}

void CCompactText::Assign(std::string_view text)
{
    if (text.empty()) {
        chars_.reset();
        return;
    }
    const auto length = static_cast<uint32_t>(text.size());
    auto chars = std::make_unique_for_overwrite<char[]>(sizeof length + text.size());
    std::memcpy(chars.get(), &length, sizeof length);
    std::memcpy(chars.get() + sizeof length, text.data(), text.size());
    chars_ = std::move(chars);
}

std::ostream& operator<<(std::ostream& out, const CCompactText& text)
{
    return out << text.View();
}
