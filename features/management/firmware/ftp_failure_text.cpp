#include "features/management/firmware/ftp_failure_text.h"

#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

QString FtpFailureText(const CFtpJob& job, FtpTransferKind kind)
{
    switch (job.Failure()) {
    case FtpFailure::kUnknownNe:
        return LoadQString(kStrUnknownNe);
    case FtpFailure::kSession:
        return LoadQString(kStrFailToOpenFtpSession);
    case FtpFailure::kDirectory:
        return LoadQString(kStrFailToChangeRemoteDrive);
    case FtpFailure::kRemoteFile:
        return LoadQString(kind == FtpTransferKind::kFirmware ? kStrFailToOpenRemoteFirmwareFile
                                                              : kStrFailToOpenRemoteConfigFile);
    case FtpFailure::kRemoteImageCorrupt:
        return LoadQString(kStrRemoteFirmwareCorrupted);
    case FtpFailure::kRemoteConfigCorrupt:
        return LoadQString(kStrRemoteConfigCorrupted);
    case FtpFailure::kLocalReopen:
        return LoadQString(kStrFailToOpenLocalFile);
    default:
        return QString::fromStdString(job.FailureText());
    }
}
