#pragma once
// The steps the FTP transfer workers share: the local file opened with its failure reported, the session opened and
// brought into the remote directory, the local file fed to the NE or filled from it step by step, and a failed store
// or fetch turned into the job's failure.

#include "link/ftp/ftp_file_transfer.h"
#include "link/ftp/ftp_step_pacer.h"

#include <cstdio>
#include <memory>
#include <string>

struct FtpFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FtpLocalFile = std::unique_ptr<std::FILE, FtpFileCloser>;

// The local file in the mode of fopen; null after failing the job with the system's text.
FtpLocalFile OpenLocalFile(const std::string& path, const char* mode, CFtpJob& job);

class CDownloadFile;

// The temporary file a download fills, beside the local file; false after failing the job with the system's text.
bool CreateDownloadFile(CDownloadFile& file, const std::string& path, CFtpJob& job);
// After the fetch: false after failing the job for a fetch that failed or data that could not be written out.
bool FinishDownloadFile(CDownloadFile& file, const FtpResult& fetched, const std::string& localError, CFtpJob& job);
// Puts the checked download in the local file's place and ends the job: done, or failed with the system's text.
void CommitDownloadFile(CDownloadFile& file, CFtpJob& job);
// A whole download that failed its check ends the job with `failure`. An older local file stays as it was, as a
// corrupted copy must not replace a sound one; with none, the download takes the local file's name as it came.
void KeepUncheckedDownload(CDownloadFile& file, CFtpJob& job, FtpFailure failure);

// A session connected to the NE and in the directory (none when empty); null after failing the job.
std::unique_ptr<IFtpSession> EnterNe(const FtpEndpoint& endpoint, const std::string& directory, CFtpJob& job);

// Fails the job for a store or fetch that failed; a local file error met on the way says more than the FTP library.
void FailTransfer(const FtpResult& result, const std::string& localError, CFtpJob& job);

// Feeds a store from the local file at its position, a step of the data size at a time, counting the bytes sent and
// pausing after each full step; without a pause configured, each call gives as many steps as fit. Its first call
// marks the job as sending, with `bytesBefore` counted (what the job sent before this store).
class CFtpStepReader {
public:
    CFtpStepReader(std::FILE* file, const FtpTransferSettings& settings, CFtpJob& job, uint32_t bytesBefore = 0);
    long Read(uint8_t* data, size_t room);
    const std::string& Error() const { return error_; }

private:
    std::FILE* file_;
    uint32_t dataSize_;
    CFtpJob& job_;
    CFtpStepPacer pacer_;
    uint32_t bytesBefore_;
    bool started_ = false;
    bool ended_ = false;
    std::string error_;
};

// Takes a fetch into the local file, a step of the data size at a time, counting the bytes and pausing after each full
// step. Its first call marks the job as receiving.
class CFtpStepWriter {
public:
    CFtpStepWriter(std::FILE* file, const FtpTransferSettings& settings, CFtpJob& job);
    bool Write(const uint8_t* data, size_t size);
    const std::string& Error() const { return error_; }

private:
    std::FILE* file_;
    uint32_t dataSize_;
    CFtpJob& job_;
    CFtpStepPacer pacer_;
    bool started_ = false;
    std::string error_;
};
