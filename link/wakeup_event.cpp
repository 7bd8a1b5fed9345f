#include "link/wakeup_event.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

CWakeupEvent::CWakeupEvent() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

CWakeupEvent::~CWakeupEvent()
{
    if (fd_ >= 0) {
        close(fd_);
    }
}

void CWakeupEvent::Signal()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(fd_, &one, sizeof one);
}

void CWakeupEvent::Drain()
{
    uint64_t value = 0;
    [[maybe_unused]] const ssize_t n = read(fd_, &value, sizeof value);
}
