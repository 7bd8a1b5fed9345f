#pragma once
// Names and texts the operator types for an NE, checked character by character as they stand (blanks included):
// each character must be a name character (IsValidNameChar).

#include <QString>

// The position of the first character that is no name character, -1 when every one is.
int FirstBadNameChar(const QString& text);
