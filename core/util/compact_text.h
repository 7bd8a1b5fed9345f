#pragma once
// A short text kept where millions are kept and few are ever set (an entity's acknowledging person): one pointer
// wide, no allocation while empty. It reads as a std::string_view and is set from any text.

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

class CCompactText {
public:
    CCompactText() = default;
    CCompactText(std::string_view text) { Assign(text); }
    CCompactText(const CCompactText& other) { Assign(other.View()); }
    CCompactText(CCompactText&&) noexcept = default;
    CCompactText& operator=(const CCompactText& other)
    {
        if (this != &other)
            Assign(other.View());
        return *this;
    }
    CCompactText& operator=(CCompactText&&) noexcept = default;
    CCompactText& operator=(std::string_view text)
    {
        Assign(text);
        return *this;
    }
    CCompactText& operator=(const std::string& text) { return *this = std::string_view(text); }
    CCompactText& operator=(const char* text) { return *this = std::string_view(text); }

    bool empty() const { return chars_ == nullptr; }
    std::string_view View() const;
    operator std::string_view() const { return View(); }
    std::string ToString() const { return std::string(View()); }
    void clear() { chars_.reset(); }

    friend bool operator==(const CCompactText& a, std::string_view b) { return a.View() == b; }
    friend bool operator==(const CCompactText& a, const CCompactText& b) { return a.View() == b.View(); }
    friend std::ostream& operator<<(std::ostream& out, const CCompactText& text);

private:
    void Assign(std::string_view text);

    // The length (a uint32_t), then the characters; null for the empty text.
    std::unique_ptr<char[]> chars_;
};
