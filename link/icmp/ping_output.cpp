#include "link/icmp/ping_output.h"

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
