#include "link/ftp/ftp_file_transfer.h"

#include "core/util/firmware_image.h"
#include "link/ftp/ftp_transfer_steps.h"

#include <cerrno>
#include <cstring>

void RunFtpUpload(const FtpFileTransfer& transfer, CFtpJob& job)
{
    FtpLocalFile file = OpenLocalFile(transfer.localPath, "rb", job);
    if (!file)
        return;
    std::unique_ptr<IFtpSession> session = EnterNe(transfer.endpoint, transfer.directory, job);
    if (!session)
        return;
    CFtpStepReader reader(file.get(), transfer.settings, job);
    const FtpResult stored =
        session->Store(transfer.remoteName, [&](uint8_t* data, size_t room) { return reader.Read(data, room); });
    file.reset();
    session.reset();
    if (!stored.Ok()) {
        FailTransfer(stored, reader.Error(), job);
        return;
    }
    job.SetState(FtpJobState::kDone);
}

void RunFtpDownload(const FtpFileTransfer& transfer, CFtpJob& job, const std::optional<std::string>& imageType)
{
    FtpLocalFile file = OpenLocalFile(transfer.localPath, "wb", job);
    if (!file)
        return;
    std::unique_ptr<IFtpSession> session = EnterNe(transfer.endpoint, transfer.directory, job);
    if (!session)
        return;
    CFtpStepWriter writer(file.get(), transfer.settings, job);
    const FtpResult fetched = session->Retrieve(
        transfer.remoteName, [&](const uint8_t* data, size_t size) { return writer.Write(data, size); });
    session.reset();
    const bool closed = std::fclose(file.release()) == 0;
    if (!fetched.Ok()) {
        FailTransfer(fetched, writer.Error(), job);
        return;
    }
    if (!closed) {
        job.Fail(FtpFailure::kLocalFile, std::strerror(errno));
        return;
    }
    if (imageType) {
        FirmwareImageHeader header;
        if (CheckImageFile(transfer.localPath, &header) != 0 || header.TypeName() != *imageType) {
            job.Fail(FtpFailure::kRemoteImageCorrupt);
            return;
        }
    }
    job.SetState(FtpJobState::kDone);
}
