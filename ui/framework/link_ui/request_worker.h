#pragma once
// Requests away from the user-interface thread, one job at a time: a run of many requests (a port after port
// provisioning) keeps the windows answering while the NE does. The job gets typed requests on the current driver,
// without the wait dialog (nobody waits in front of it); a failure box it asks for shows once the UI thread gets to
// it. Its result comes back on the UI thread, through the worker's own event queue, so it never reaches a window that
// has gone.
//
//     worker_.Run<uint32_t>(
//         [neId, channel](const CRecordRequests& requests) { return WriteMcChannel(neId, true, channel, requests); },
//         [this](uint32_t refusal) { ... });
//
// The driver must stay the current one while a job runs (a modal window over the run keeps the operator from logging
// out).

#include "link/record_requests.h"
#include "link/request_thread.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class CRequestWorker : public QObject {
    Q_OBJECT
public:
    explicit CRequestWorker(QObject* parent = nullptr);
    // Waits for the job under way; its result is dropped.
    ~CRequestWorker() override;

    bool IsBusy() const { return busy_.load(std::memory_order_acquire); }
    // Waits for the job under way and drops its result.
    void Abandon();

    // Starts the job; false (and nothing run) while one is under way.
    template <class Result>
    bool Run(std::function<Result(const CRecordRequests&)> job, std::function<void(Result)> done)
    {
        return Start([job = std::move(job), done = std::move(done)](const CRecordRequests& requests) {
            auto result = std::make_shared<Result>(job(requests));
            return std::function<void()>([done, result] { done(std::move(*result)); });
        });
    }

private:
    // The job returns what the UI thread is to run with its result.
    bool Start(std::function<std::function<void()>(const CRecordRequests&)> job);

    CRequestThread thread_;
    std::atomic<bool> busy_{false};
    // Bumped by Abandon: a result of an earlier generation is dropped.
    uint64_t generation_ = 0;
};
