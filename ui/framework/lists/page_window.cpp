#include "ui/framework/lists/page_window.h"

#include <algorithm>
#include <utility>

CPageWindow::CPageWindow(PageRules rules, int64_t first, int64_t last, int64_t total)
    : rules_(rules), first_(first), last_(last), total_(total < 0 ? 0 : total)
{
}

void CPageWindow::Set(int64_t first, int64_t last)
{
    first_ = first;
    last_ = last;
}

void CPageWindow::Normalize()
{
    if (first_ > last_)
        std::swap(first_, last_);
    const int64_t lowest = total_ == 0 ? 0 : 1;
    first_ = std::clamp(first_, lowest, total_);
    last_ = std::clamp(last_, lowest, total_);
    if (rules_.maxRows != 0 && last_ >= first_ + rules_.maxRows)
        last_ = first_ + rules_.maxRows - 1;
}

void CPageWindow::MoveToFirst()
{
    Normalize();
    last_ = Size();
    first_ = total_ == 0 ? 0 : 1;
}

void CPageWindow::MoveBack()
{
    Normalize();
    const int64_t size = Size();
    first_ -= size;
    last_ -= size;
    if (last_ <= 0 && rules_.wrap) {
        last_ = total_;
        first_ = std::max<int64_t>(1, total_ - size + 1);
    } else if (first_ < 1) {
        first_ = 1;
    }
}

void CPageWindow::MoveForward()
{
    Normalize();
    const int64_t size = Size();
    first_ += size;
    last_ = std::min(last_ + size, total_);
}

void CPageWindow::MoveToLast()
{
    Normalize();
    const int64_t size = Size();
    if (size == 0)
        return;
    if (rules_.alignLastPage) {
        const int64_t rest = total_ % size;
        first_ = rest == 0 ? total_ - size + 1 : total_ - rest + 1;
    } else {
        first_ += total_ - last_;
    }
    last_ = total_;
}

bool CPageWindow::Spin(int steps)
{
    Normalize();
    if (total_ == 0 || first_ == last_ || steps == 0)
        return false;
    const int64_t size = Size();
    const int64_t shift = size * steps;
    first_ += shift;
    last_ += shift;
    if (!rules_.wrap) {
        // The window stops at the end it reached, keeping its size.
        if (first_ < 1) {
            first_ = 1;
            last_ = std::min(size, total_);
        } else if (last_ > total_) {
            last_ = total_;
            first_ = std::max<int64_t>(1, total_ - size + 1);
        }
        return true;
    }
    if (steps > 0) {
        if (first_ > total_) {
            first_ = 1;
            last_ = std::min(shift, total_);
        } else {
            last_ = std::min(last_, total_);
        }
    } else if (last_ < 1) {
        last_ = total_;
        first_ = std::max<int64_t>(1, total_ + shift + 1);
    } else {
        first_ = std::max<int64_t>(first_, 1);
    }
    return true;
}

PageRows CPageWindow::QueryRows() const
{
    // After a result of no rows the window is row 0 to row 0, and the next query asks for that one row.
    const int64_t first = std::max<int64_t>(first_, 0);
    const int64_t last = std::max(last_, first);
    return {static_cast<uint32_t>(first), static_cast<uint32_t>(last - first + 1)};
}
