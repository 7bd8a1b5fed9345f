// What the link shows a person: the wait dialog with its Stop button, the failure message box and the PDU log
// window. The shell registers its implementation; until then a headless one logs.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The request behind a wait dialog, as the dialog sees it.
class CWaitContext {
public:
    // `start`: when the request began (its elapsed time counts from there).
    CWaitContext(uint32_t timeoutMs, std::function<void()> stop,
                 std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now());

    bool IsFinished() const;
    // Waits up to `ms` for the request to end; true when it has.
    bool WaitFinished(uint32_t ms);
    uint32_t ElapsedMs() const;
    uint32_t TimeoutMs() const { return timeoutMs_; }
    // The Stop button: ends the request as cancelled by the operator.
    void Stop();

    // Called by the driver when the request has ended.
    void MarkFinished();
    // `notice` runs once when the request ends, on the thread that ends it (at once when it has ended already), so
    // that a dialog closes with the reply instead of at its next look. An empty function takes it back; after that
    // it no longer runs.
    void SetFinishedNotice(std::function<void()> notice);

private:
    mutable std::mutex mutex_;
    std::condition_variable finishedCv_;
    bool finished_ = false;
    std::function<void()> finishedNotice_; // guarded by mutex_
    const uint32_t timeoutMs_;
    const std::chrono::steady_clock::time_point start_;
    std::function<void()> stop_;
};

class ILinkUi {
public:
    virtual ~ILinkUi() = default;

    // Modal wait dialog on the calling (UI) thread. Must return once `wait.IsFinished()`; calls `wait.Stop()` when
    // the operator presses Stop.
    virtual void RunWaitDialog(CWaitContext& wait) = 0;

    // The failure message box: the string-table text `failureTextId`, then the result code and `errorText` (the
    // driver's error text, or the text of a text reply), composed by ComposeFailureMessage.
    virtual void ShowFailureMessage(uint32_t failureTextId, int code, const std::string& errorText) = 0;

    // New lines for the PDU log window (UI thread).
    virtual void AppendPduLogLines(const std::vector<std::string>& lines) = 0;

    // A notice of the link for the main window's status line (a trap port that could not be bound, notifications
    // that were lost). Any thread may call it; the implementation shows it on the UI thread.
    virtual void ShowLinkStatus(const std::string& text) = 0;
};

// Registers the shell's implementation; null restores the headless one. The object must outlive its registration.
void SetLinkUi(ILinkUi* ui);
ILinkUi& GetLinkUi();
