#pragma once
// A text that a ping run appends to on its own thread while the user interface reads, trims or clears it.

#include <functional>
#include <mutex>
#include <string>
#include <string_view>

class CPingOutput {
public:
    void Append(std::string_view text);
    std::string Text() const;
    void Clear();
    // Runs edit on the text with no append in between, e.g. to cut its head.
    void Edit(const std::function<void(std::string&)>& edit);

private:
    mutable std::mutex mutex_;
    std::string text_;
};
