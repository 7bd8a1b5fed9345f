#include "link/ftp/ftp_worker.h"

#include <system_error>

CFtpWorker::~CFtpWorker()
{
    job_.RequestAbort();
    Join();
}

bool CFtpWorker::Start(std::function<void(CFtpJob&)> body)
{
    if (Running())
        return false;
    job_.Reset(FtpJobState::kInit);
    try {
        thread_ = std::thread([this, body = std::move(body)] { body(job_); });
    } catch (const std::system_error&) {
        job_.Reset();
        return false;
    }
    return true;
}

void CFtpWorker::Join()
{
    if (thread_.joinable())
        thread_.join();
}
