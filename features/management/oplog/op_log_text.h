#pragma once
// The text of an operation log entry: its function, action and parameters, separated by ESC. Window-free.

#include <array>
#include <string>
#include <string_view>

// The three parts; a part the text does not have is empty, and ESCs past the second stay in the parameters.
std::array<std::string, 3> SplitOpLogText(std::string_view text);
