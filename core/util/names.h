#pragma once
// Names of accounts, NEs and locations, and the text orders of the lists that show them.

#include <string_view>

// True for "0".."9", "a".."z", "A".."Z", "-", ".", "@" and "_".
bool IsValidNameChar(char c);

// -1, 0 or 1 without regard to case (ASCII): texts that differ in case only are equal.
int CompareNoCase(std::string_view a, std::string_view b);

// The order of the account and NE name lists: -1, 0 or 1, without regard to case (ASCII), ties broken with regard
// to case; 0 only for identical texts.
int CompareNames(std::string_view a, std::string_view b);

// -1, 0 or 1 for list sorting: an empty text sorts first; texts that read wholly as decimal numbers (blanks around
// them, a sign, a fraction after ".") compare by value, exactly however long they are; two other texts compare as
// strings. A number sorts before a text that is not one, which keeps the order consistent for sorting.
int CompareNumericText(std::string_view a, std::string_view b);
