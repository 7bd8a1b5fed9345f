#include "features/fault/alarm_lists/alarm_name_filter.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsSeparator(char c)
{
    return c == ',' || c == ' ' || c == '/' || c == ';';
}

std::string Compared(std::string_view text)
{
    std::string folded(text.substr(0, CAlarmNameFilter::kNameCompared));
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

} // namespace

CAlarmNameFilter::CAlarmNameFilter(std::string_view text)
{
    text = text.substr(0, kTextMax);
    AddWords(text, IsSeparator);
    // Names with blanks in them (as the sample definition files have) are meant whole between the other separators.
    AddWords(text, [](char c) { return c != ' ' && IsSeparator(c); });
}

void CAlarmNameFilter::AddWords(std::string_view text, bool (*separates)(char))
{
    size_t start = 0;
    while (start < text.size()) {
        while (start < text.size() && (separates(text[start]) || text[start] == ' '))
            ++start;
        size_t end = start;
        while (end < text.size() && !separates(text[end]))
            ++end;
        size_t last = end;
        while (last > start && text[last - 1] == ' ')
            --last;
        if (last > start)
            words_.push_back(Compared(text.substr(start, last - start)));
        start = end;
    }
}

bool CAlarmNameFilter::Matches(std::string_view name) const
{
    const std::string compared = Compared(name);
    return std::find(words_.begin(), words_.end(), compared) != words_.end();
}

bool CAlarmNameFilter::MatchesAnyOf(std::string_view names) const
{
    size_t start = 0;
    while (start <= names.size()) {
        const size_t comma = names.find(',', start);
        const size_t end = comma == std::string_view::npos ? names.size() : comma;
        if (end > start && Matches(names.substr(start, end - start)))
            return true;
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return false;
}
