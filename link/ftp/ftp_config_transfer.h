#pragma once
// An NE's configuration between the NE and a local backup file over FTP. On the NE the configuration is a file with
// an MD5 side file beside it that holds the configuration's digest as 32 lower-case hexadecimal digits; the local
// backup file is those 32 digits, a carriage return and a line feed, and then the configuration, byte for byte:
//
//     offset 0   32 hexadecimal digits: the MD5 of everything from offset 34 on
//     offset 32  0x0D 0x0A
//     offset 34  the NE's configuration file
//
// The backup fetches the side file, then the configuration, and checks that the two agree; the restore sends the side
// file first, then the configuration, so that a restore that breaks off may leave the NE's side file written. Both
// are a worker's whole body (see ftp_file_transfer.h).

#include "link/ftp/ftp_file_transfer.h"

#include <cstdint>
#include <string>

inline constexpr size_t kConfigDigestDigits = 32;
inline constexpr size_t kConfigBackupHeaderSize = 34; // the digits and the line end

struct FtpConfigTransfer {
    FtpEndpoint endpoint;
    std::string directory;  // the NE's configuration drive; none when empty
    std::string configName; // the configuration file
    std::string digestName; // its MD5 side file
    std::string localPath;
    FtpTransferSettings settings;
};

// The job is kReceiving from the side file on, its bytes what the local file holds. A side file that is not exactly
// 32 bytes, or a configuration whose digest is not the side file's, fails with kRemoteConfigCorrupt. The backup takes
// the local file's place only when it is whole and sound (download_file.h): a failed one leaves the file as it was.
void RunConfigBackup(const FtpConfigTransfer& transfer, CFtpJob& job);
// The job is kSending from the side file on, its bytes what was sent of the digits and the configuration.
void RunConfigRestore(const FtpConfigTransfer& transfer, CFtpJob& job);

// Whether a local file is a sound backup, before anything is sent: its first line, up to a carriage return and line
// feed within the first 40 bytes, is exactly 32 characters, and they are the MD5 of the rest in lower-case
// hexadecimal.
struct LocalConfigCheck {
    enum Result { kSound, kCannotOpen, kCorrupt } result = kCorrupt;
    std::string error;   // kCannotOpen: the system's text
    uint32_t length = 0; // the file's length
};
LocalConfigCheck CheckLocalCfgFile(const std::string& path);
