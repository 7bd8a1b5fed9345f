#pragma once
// What the operator reads of a transfer that failed: the string table's text of the failure, or the text the job kept
// (the system's or the FTP library's words). A remote file that would not open is a firmware file or the
// configuration, by what was being moved.

#include "link/ftp/ftp_job.h"

#include <QString>

enum class FtpTransferKind { kFirmware, kConfiguration };

QString FtpFailureText(const CFtpJob& job, FtpTransferKind kind);
