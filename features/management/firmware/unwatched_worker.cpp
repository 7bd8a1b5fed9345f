#include "features/management/firmware/unwatched_worker.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

namespace {

constexpr int kLookMs = 100;

// Looks at the job now and then; once it has ended, takes the thread back and goes.
class CUnwatchedWorker : public QObject {
public:
    explicit CUnwatchedWorker(std::unique_ptr<CFtpWorker> worker)
        : QObject(QCoreApplication::instance()), worker_(std::move(worker))
    {
        timer_.setInterval(kLookMs);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            if (!worker_->Job().Ended())
                return;
            timer_.stop();
            worker_->Join();
            deleteLater();
        });
        timer_.start();
    }

private:
    std::unique_ptr<CFtpWorker> worker_;
    QTimer timer_;
};

} // namespace

void LeaveWorkerRunning(std::unique_ptr<CFtpWorker> worker)
{
    if (worker == nullptr || !worker->Running())
        return;
    new CUnwatchedWorker(std::move(worker)); // the application owns it
}
