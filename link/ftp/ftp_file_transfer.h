#pragma once
// One file between the workstation and an NE over FTP, as the firmware workers move it: the local file is read (or
// written) in steps of the configured data size, and a pause of the configured rate limit follows each full step
// (without one the worker only yields). Each function is a worker's whole body: it runs on the worker's thread,
// reports through the job (ftp_job.h) and ends with the job's last state, after everything it opened is closed.
//
//     CFtpJob job;
//     job.Reset(FtpJobState::kInit);
//     std::thread worker([&] { RunFtpUpload({ne, "Partition 1", "qx7200.enc", "/tmp/qx7200.enc", {}}, job); });

#include "link/ftp/ftp_job.h"
#include "link/ftp/ftp_session.h"

#include <cstdint>
#include <optional>
#include <string>

// The UPGRADE settings of a transfer.
struct FtpTransferSettings {
    uint32_t dataSize = 1400; // bytes per step, 64..1500
    uint32_t rateLimitMs = 0; // pause after each full step, 0..60000
};

struct FtpFileTransfer {
    FtpEndpoint endpoint;
    std::string directory; // the remote directory changed to first; none when empty
    std::string remoteName;
    std::string localPath;
    FtpTransferSettings settings;
};

// Sends the local file to the NE under the remote name. The job is kSending once the NE has opened the remote file,
// its bytes what was sent so far.
void RunFtpUpload(const FtpFileTransfer& transfer, CFtpJob& job);

// Fetches the remote file into the local file, which is made anew. The job is kReceiving while data comes. With an
// image type, the file that came must be a sound firmware image of that type, or the job fails with
// kRemoteImageCorrupt. The file takes the local file's place only when it is whole and sound (download_file.h): a
// failed fetch leaves the local file as it was.
void RunFtpDownload(const FtpFileTransfer& transfer, CFtpJob& job,
                    const std::optional<std::string>& imageType = std::nullopt);
