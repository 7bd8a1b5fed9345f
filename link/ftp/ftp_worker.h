#pragma once
// The worker thread of a single-NE transfer and the job it shares with the dialog that started it. The dialog owns
// the worker: it starts the body, watches Job() on its timer and takes the result once the job has ended. Destroying
// the worker raises the job's abort flag and waits for the thread, so the job is never freed under it.
//
//     CFtpWorker worker_;
//     worker_.Start([transfer](CFtpJob& job) { RunFtpUpload(transfer, job); });
//     ... on the timer: if (worker_.Job().Ended()) { worker_.Join(); show the result; }

#include "link/ftp/ftp_job.h"

#include <functional>
#include <thread>

class CFtpWorker {
public:
    CFtpWorker() = default;
    ~CFtpWorker();
    CFtpWorker(const CFtpWorker&) = delete;
    CFtpWorker& operator=(const CFtpWorker&) = delete;

    const CFtpJob& Job() const { return job_; }
    // A job was started and has not been taken back with Join.
    bool Running() const { return thread_.joinable(); }

    // Starts the body on a thread of its own with a fresh job in kInit; false when none could be started (the job
    // is idle then). Refused while a job runs.
    bool Start(std::function<void(CFtpJob&)> body);
    // Waits for the thread of a job that has ended; afterwards the job keeps its last state for reading.
    void Join();

private:
    CFtpJob job_;
    std::thread thread_;
};
