#include "link/ftp/fw_upload_batch.h"

#include <system_error>

CFwUploadBatch::CFwUploadBatch(FwUploadImage image, size_t slots) : image_(std::move(image))
{
    for (size_t i = 0; i < slots; ++i)
        slots_.push_back(std::make_unique<Slot>());
}

CFwUploadBatch::~CFwUploadBatch()
{
    Abort();
    for (const std::unique_ptr<Slot>& slot : slots_) {
        if (slot->worker.joinable())
            slot->worker.join();
    }
}

bool CFwUploadBatch::IsBusy(size_t slot) const
{
    const FtpJobState state = slots_[slot]->job.State();
    return state != FtpJobState::kIdle && state != FtpJobState::kDone && state != FtpJobState::kFailed;
}

bool CFwUploadBatch::AnyBusy() const
{
    for (size_t i = 0; i < slots_.size(); ++i) {
        if (IsBusy(i))
            return true;
    }
    return false;
}

bool CFwUploadBatch::Start(size_t slot, const std::optional<FtpEndpoint>& ne)
{
    Slot& target = *slots_[slot];
    if (target.worker.joinable())
        target.worker.join();
    target.job.Reset(FtpJobState::kInit);
    FtpFileTransfer transfer{ne.value_or(FtpEndpoint{}), image_.directory, image_.remoteName, image_.localPath,
                             image_.settings};
    try {
        target.worker = std::thread([&job = target.job, transfer, known = ne.has_value()] {
            if (known)
                RunFtpUpload(transfer, job);
            else
                job.Fail(FtpFailure::kUnknownNe);
        });
    } catch (const std::system_error&) {
        target.job.Reset();
        return false;
    }
    return true;
}

void CFwUploadBatch::Release(size_t slot)
{
    Slot& target = *slots_[slot];
    if (target.worker.joinable())
        target.worker.join();
    target.job.Reset();
}

void CFwUploadBatch::Abort()
{
    for (const std::unique_ptr<Slot>& slot : slots_)
        slot->job.RequestAbort();
}
