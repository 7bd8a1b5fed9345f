#include "link/ftp/ftp_file_transfer.h"

#include "core/util/firmware_image.h"
#include "link/ftp/download_file.h"
#include "link/ftp/ftp_transfer_steps.h"

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
    CDownloadFile file;
    if (!CreateDownloadFile(file, transfer.localPath, job))
        return;
    std::unique_ptr<IFtpSession> session = EnterNe(transfer.endpoint, transfer.directory, job);
    if (!session)
        return;
    CFtpStepWriter writer(file.Stream(), transfer.settings, job);
    const FtpResult fetched = session->Retrieve(
        transfer.remoteName, [&](const uint8_t* data, size_t size) { return writer.Write(data, size); });
    session.reset();
    if (!FinishDownloadFile(file, fetched, writer.Error(), job))
        return;
    if (imageType) {
        FirmwareImageHeader header;
        if (CheckImageFile(file.TemporaryPath(), &header) != 0 || header.TypeName() != *imageType) {
            KeepUncheckedDownload(file, job, FtpFailure::kRemoteImageCorrupt);
            return;
        }
    }
    CommitDownloadFile(file, job);
}
