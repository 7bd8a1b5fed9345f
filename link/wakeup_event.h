// A file descriptor that a thread sleeping in poll() also watches, so that another thread can wake it at once.
#pragma once

class CWakeupEvent {
public:
    CWakeupEvent();
    ~CWakeupEvent();
    CWakeupEvent(const CWakeupEvent&) = delete;
    CWakeupEvent& operator=(const CWakeupEvent&) = delete;

    bool IsValid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Signal();
    // Clears the signalled state (after poll() reported the descriptor readable).
    void Drain();

private:
    int fd_ = -1;
};
