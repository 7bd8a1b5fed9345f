#pragma once
// What an FTP transfer worker shares with the user-interface thread that watches it: the job's state, the bytes moved
// so far and, once it failed, why. The UI thread fills the job before the worker starts and then only reads it on its
// timer; the worker writes the state and the bytes as it goes and its failure before its last state, which it
// publishes last of all (release), so that the reader that sees the last state (acquire) also sees the failure.
// Raising the abort flag makes the worker end soon, failed with FtpFailure::kAborted.

#include <atomic>
#include <cstdint>
#include <string>

// Where a job stands. The dialogs show these as their own numbers.
enum class FtpJobState : uint32_t {
    kIdle,      // no job
    kInit,      // the worker is starting: nothing sent yet
    kSending,   // the remote file is open and data goes to the NE
    kReceiving, // data comes from the NE
    kDone,      // the last state of a job that succeeded
    kFailed,    // the last state of a job that failed: see Failure()
};

// Why a job failed; the UI says it in the words of its string table, with the text where one is kept.
enum class FtpFailure : uint8_t {
    kNone,
    kUnknownNe,           // the NE was not in the NE table
    kLocalFile,           // the local file could not be opened, created, read or written; text: the system's
    kSession,             // no FTP session could be made
    kConnect,             // connecting or logging in failed; text: the FTP library's
    kDirectory,           // the remote directory could not be changed to
    kRemoteFile,          // the NE would not open the remote file
    kTransfer,            // the transfer broke off; text: the FTP library's
    kRemoteImageCorrupt,  // a downloaded firmware image failed its check or is of another type
    kRemoteConfigCorrupt, // the NE's configuration and its digest do not agree
    kLocalReopen,         // the downloaded file could not be opened again to be checked
    kAborted,             // the abort flag was raised
};

class CFtpJob {
public:
    FtpJobState State() const { return state_.load(std::memory_order_acquire); }
    uint32_t Bytes() const { return bytes_.load(std::memory_order_relaxed); }
    // Valid once State() has answered kFailed.
    FtpFailure Failure() const { return failure_; }
    const std::string& FailureText() const { return failureText_; }
    bool Ended() const { return State() == FtpJobState::kDone || State() == FtpJobState::kFailed; }

    // The UI thread, while no worker runs on the job: a fresh job in state `state`.
    void Reset(FtpJobState state = FtpJobState::kIdle)
    {
        failure_ = FtpFailure::kNone;
        failureText_.clear();
        bytes_.store(0, std::memory_order_relaxed);
        abort_.store(false);
        state_.store(state, std::memory_order_release);
    }

    // Any thread.
    void RequestAbort() { abort_.store(true); }
    const std::atomic<bool>& AbortFlag() const { return abort_; }
    bool AbortRequested() const { return abort_.load(); }

    // The worker.
    void SetState(FtpJobState state) { state_.store(state, std::memory_order_release); }
    void SetBytes(uint32_t bytes) { bytes_.store(bytes, std::memory_order_relaxed); }
    void AddBytes(uint32_t bytes) { bytes_.fetch_add(bytes, std::memory_order_relaxed); }
    void Fail(FtpFailure failure, std::string text = {})
    {
        failure_ = failure;
        failureText_ = std::move(text);
        SetState(FtpJobState::kFailed);
    }

private:
    std::atomic<FtpJobState> state_{FtpJobState::kIdle};
    std::atomic<uint32_t> bytes_{0};
    std::atomic<bool> abort_{false};
    FtpFailure failure_ = FtpFailure::kNone;
    std::string failureText_;
};
