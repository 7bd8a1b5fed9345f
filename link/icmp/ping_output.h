#pragma once
// A text that a ping run appends to on its own thread while the user interface reads, trims or clears it.

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

// An output shown whole grows no longer than this: past it, the head goes up to a line end at or after kPingOutputKeep.
inline constexpr size_t kPingOutputMax = 8192;
inline constexpr size_t kPingOutputKeep = 4096;

// Past kPingOutputMax characters, cuts everything before the first "\r\n" at or after character kPingOutputKeep (the
// line end goes too); a text without one there stays whole.
void TrimPingOutputHead(std::string& text);

class CPingOutput {
public:
    void Append(std::string_view text);
    std::string Text() const;
    void Clear();
    // Runs edit on the text with no append in between, e.g. to cut its head.
    void Edit(const std::function<void(std::string&)>& edit);
    // Cuts the head as TrimPingOutputHead does and returns what is left, with no append in between.
    std::string TrimmedText();

private:
    mutable std::mutex mutex_;
    std::string text_;
};
