#pragma once
// The alarm name filter of the alarm lists: the operator types one or more alarm names, separated by commas, blanks,
// slashes or semicolons, and a row passes when one of its alarms bears one of the names. A name that holds blanks
// matches too when it stands whole between the other separators ("Card Out, LOS" names "Card Out" and "LOS"). Names
// compare without regard to case, on their first 15 characters. Window-free.

#include <string>
#include <string_view>
#include <vector>

class CAlarmNameFilter {
public:
    // Texts longer than this are read up to it.
    static constexpr size_t kTextMax = 255;
    // Characters of a name that take part in the comparison.
    static constexpr size_t kNameCompared = 15;

    CAlarmNameFilter() = default;
    explicit CAlarmNameFilter(std::string_view text);

    // One of the filter's words equals the name.
    bool Matches(std::string_view name) const;
    // One of the comma-separated names of a row (as the lists show them) matches.
    bool MatchesAnyOf(std::string_view names) const;

private:
    // The words of the text between the characters `separates` takes, blanks around them left out.
    void AddWords(std::string_view text, bool (*separates)(char));

    std::vector<std::string> words_;
};
