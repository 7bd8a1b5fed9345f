#include "link/icmp/ping_output.h"

void TrimPingOutputHead(std::string& text)
{
    if (text.size() <= kPingOutputMax)
        return;
    // The line end stays: the text goes on with the next line's start.
    const size_t lineEnd = text.find("\r\n", kPingOutputKeep);
    if (lineEnd != std::string::npos)
        text.erase(0, lineEnd);
}

void CPingOutput::Append(std::string_view text)
{
    std::lock_guard lock(mutex_);
    text_.append(text);
}

std::string CPingOutput::Text() const
{
    std::lock_guard lock(mutex_);
    return text_;
}

void CPingOutput::Clear()
{
    std::lock_guard lock(mutex_);
    text_.clear();
}

void CPingOutput::Edit(const std::function<void(std::string&)>& edit)
{
    std::lock_guard lock(mutex_);
    edit(text_);
}

std::string CPingOutput::TrimmedText()
{
    std::lock_guard lock(mutex_);
    TrimPingOutputHead(text_);
    return text_;
}
