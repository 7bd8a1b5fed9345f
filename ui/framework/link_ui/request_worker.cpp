#include "ui/framework/link_ui/request_worker.h"

#include "link/driver_mode.h"

#include <QMetaObject>

namespace {

// The driver's requests without the wait dialog.
EmsChannel QuietChannel(CNetDrv& driver)
{
    EmsChannel channel = DriverChannel(driver);
    channel.request = [inner = std::move(channel.request)](EmsMsg& request, EmsMsg** reply, uint32_t failureTextId,
                                                           int32_t timeoutMs, bool /*waitDialog*/) {
        return inner(request, reply, failureTextId, timeoutMs, false);
    };
    return channel;
}

} // namespace

CRequestWorker::CRequestWorker(QObject* parent) : QObject(parent) {}

CRequestWorker::~CRequestWorker()
{
    // The thread ends before the object: what a job posts to it is dropped with it.
    thread_.WaitDone();
}

void CRequestWorker::Abandon()
{
    thread_.WaitDone();
    ++generation_;
    busy_.store(false, std::memory_order_release);
}

bool CRequestWorker::Start(std::function<std::function<void()>(const CRecordRequests&)> job)
{
    if (busy_.exchange(true, std::memory_order_acq_rel))
        return false;
    // The job before has posted its result; it may still be on its way out.
    thread_.WaitDone();
    const uint64_t generation = generation_;
    auto run = [this, job = std::move(job), channel = QuietChannel(GetCurrentDriver()), generation] {
        std::function<void()> apply = job(CRecordRequests(channel));
        QMetaObject::invokeMethod(
            this,
            [this, apply = std::move(apply), generation] {
                if (generation != generation_)
                    return;
                busy_.store(false, std::memory_order_release);
                apply();
            },
            Qt::QueuedConnection);
    };
    if (!thread_.Start(run))
        run(); // no thread to be had: the job runs here, its result still comes through the queue
    return true;
}
