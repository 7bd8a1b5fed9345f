#include "link/ftp/ftp_transfer_steps.h"

#include "link/ftp/download_file.h"

#include <algorithm>
#include <filesystem>
#include <cerrno>
#include <cstring>

FtpLocalFile OpenLocalFile(const std::string& path, const char* mode, CFtpJob& job)
{
    FtpLocalFile file(std::fopen(path.c_str(), mode));
    if (!file)
        job.Fail(FtpFailure::kLocalFile, std::strerror(errno));
    return file;
}

bool CreateDownloadFile(CDownloadFile& file, const std::string& path, CFtpJob& job)
{
    std::string error;
    if (file.Create(path, &error))
        return true;
    job.Fail(FtpFailure::kLocalFile, error);
    return false;
}

bool FinishDownloadFile(CDownloadFile& file, const FtpResult& fetched, const std::string& localError, CFtpJob& job)
{
    std::string error;
    const bool finished = file.Finish(&error);
    if (!fetched.Ok()) {
        FailTransfer(fetched, localError, job);
        return false;
    }
    if (!finished) {
        job.Fail(FtpFailure::kLocalFile, error);
        return false;
    }
    return true;
}

void CommitDownloadFile(CDownloadFile& file, CFtpJob& job)
{
    std::string error;
    if (!file.Commit(&error)) {
        job.Fail(FtpFailure::kLocalFile, error);
        return;
    }
    job.SetState(FtpJobState::kDone);
}

void KeepUncheckedDownload(CDownloadFile& file, CFtpJob& job, FtpFailure failure)
{
    std::error_code error;
    std::string commitError;
    if (!std::filesystem::exists(file.Target(), error) && !error && !file.Commit(&commitError)) {
        job.Fail(FtpFailure::kLocalFile, commitError);
        return;
    }
    job.Fail(failure);
}

std::unique_ptr<IFtpSession> EnterNe(const FtpEndpoint& endpoint, const std::string& directory, CFtpJob& job)
{
    std::unique_ptr<IFtpSession> session = OpenFtpSession(&job.AbortFlag());
    if (!session) {
        job.Fail(FtpFailure::kSession);
        return nullptr;
    }
    FtpResult result = session->Connect(endpoint);
    if (result.Ok())
        result = session->ChangeDirectory(directory);
    if (result.Ok())
        return session;
    switch (result.failed) {
    case FtpStep::kAborted:
        job.Fail(FtpFailure::kAborted);
        break;
    case FtpStep::kDirectory:
        job.Fail(FtpFailure::kDirectory);
        break;
    default:
        job.Fail(FtpFailure::kConnect, result.text);
        break;
    }
    return nullptr;
}

void FailTransfer(const FtpResult& result, const std::string& localError, CFtpJob& job)
{
    if (!localError.empty()) {
        job.Fail(FtpFailure::kLocalFile, localError);
        return;
    }
    switch (result.failed) {
    case FtpStep::kAborted:
        job.Fail(FtpFailure::kAborted);
        break;
    case FtpStep::kConnect:
        job.Fail(FtpFailure::kConnect, result.text);
        break;
    case FtpStep::kDirectory:
        job.Fail(FtpFailure::kDirectory);
        break;
    case FtpStep::kOpenFile:
        job.Fail(FtpFailure::kRemoteFile);
        break;
    default:
        job.Fail(FtpFailure::kTransfer, result.text);
        break;
    }
}

CFtpStepReader::CFtpStepReader(std::FILE* file, const FtpTransferSettings& settings, CFtpJob& job, uint32_t bytesBefore)
    : file_(file), dataSize_(settings.dataSize), job_(job), pacer_(settings.rateLimitMs, job.AbortFlag()),
      bytesBefore_(bytesBefore)
{
}

long CFtpStepReader::Read(uint8_t* data, size_t room)
{
    if (!started_) {
        started_ = true;
        job_.SetBytes(bytesBefore_);
        job_.SetState(FtpJobState::kSending);
    }
    // Without a pause between them, the steps that fit go out together (and the processor is yielded once for
    // them), so that no step leaves on its own.
    size_t given = 0;
    bool full = false;
    do {
        if (ended_)
            break;
        const size_t step = std::min<size_t>(room - given, dataSize_);
        const size_t got = std::fread(data + given, 1, step, file_);
        if (got < step && std::ferror(file_)) {
            error_ = std::strerror(errno);
            return -1;
        }
        job_.AddBytes(static_cast<uint32_t>(got));
        given += got;
        // A short step is the file's end; a file of whole steps ends with an empty one.
        full = got == step;
        ended_ = !full;
    } while (!pacer_.Pauses() && room - given >= dataSize_);
    if (full)
        pacer_.AfterFullStep();
    return static_cast<long>(given);
}

CFtpStepWriter::CFtpStepWriter(std::FILE* file, const FtpTransferSettings& settings, CFtpJob& job)
    : file_(file), dataSize_(settings.dataSize), job_(job), pacer_(settings.rateLimitMs, job.AbortFlag())
{
}

bool CFtpStepWriter::Write(const uint8_t* data, size_t size)
{
    if (!started_) {
        started_ = true;
        job_.SetState(FtpJobState::kReceiving);
    }
    bool full = false;
    while (size > 0) {
        const size_t step = std::min<size_t>(size, dataSize_);
        if (std::fwrite(data, 1, step, file_) != step) {
            error_ = std::strerror(errno);
            return false;
        }
        job_.AddBytes(static_cast<uint32_t>(step));
        data += step;
        size -= step;
        full = step == dataSize_;
        // With a pause each full step waits; without, the processor is yielded once for what came.
        if (full && pacer_.Pauses())
            pacer_.AfterFullStep();
    }
    if (full && !pacer_.Pauses())
        pacer_.AfterFullStep();
    return true;
}
