#include "link/server/server_frame_intake.h"

#include <cerrno>
#include <string>
#include <sys/socket.h>

#include "core/tables/location_tree.h"
#include "link/driver_logs.h"
#include "link/driver_result.h"
#include "link/server/alarm_event_conversion.h"

namespace {

constexpr int kReceiveRoundsPerWake = 16; // then let the reader's other work in

} // namespace

std::string OtherVersionText(uint32_t version)
{
    return "the server answers in protocol version " + std::to_string(version) + ", this workstation speaks version " +
           std::to_string(kFrameProtocolVersion);
}

int DeliverDecodedFrames(CFrameDecoder& decoder, const FrameDelivery& deliver)
{
    Frame frame;
    for (;;) {
        const FrameStatus status = decoder.Next(frame);
        if (status == FrameStatus::NeedMore) {
            return kDrvOk;
        }
        if (status == FrameStatus::Invalid && decoder.Fault() == FrameFault::kUnsupportedVersion) {
            WriteDriverLog(DriverLogKind::Comm,
                           "frame of protocol version %lu from the server, this workstation speaks %lu: "
                           "connection closed",
                           static_cast<unsigned long>(decoder.FaultyHeader().version),
                           static_cast<unsigned long>(kFrameProtocolVersion));
            return kDrvInvalidFormat;
        }
        if (status == FrameStatus::Invalid) {
            WriteDriverLog(DriverLogKind::Comm, "invalid frame from the server: connection closed");
            return kDrvInvalidFormat;
        }
        // Alarm and event records come in the server's form; callers read them as AlarmEventRec.
        if (IsServerAlarmEventReply(frame.header) && !ConvertServerAlarmEventFrame(frame, CLocationTree::kRootName)) {
            WriteDriverLog(DriverLogKind::Comm, "alarm event reply with records of %lu bytes: connection closed",
                           static_cast<unsigned long>(frame.header.recordSize));
            return kDrvInvalidFormat;
        }
        const EmsMsg msg = MsgFromFrame(frame);
        if (const int result = deliver(msg, frame.payload.data(), frame.payload.size()); result != kDrvOk) {
            WriteDriverLog(DriverLogKind::Comm, "reply seq %lu breaks its earlier frames: connection closed",
                           static_cast<unsigned long>(msg.sequence));
            return result;
        }
    }
}

int ReceiveFrames(int fd, CFrameDecoder& decoder, std::vector<uint8_t>& buffer, const std::function<bool()>& holdBack,
                  const FrameDelivery& deliver, bool waitFirst, bool* caughtUp)
{
    bool emptied = false;
    const auto done = [&](int result) {
        if (caughtUp != nullptr) {
            *caughtUp = emptied && decoder.BufferedBytes() == 0;
        }
        return result;
    };
    for (int round = 0; round < kReceiveRoundsPerWake && !(holdBack && holdBack()); ++round) {
        const int flags = waitFirst && round == 0 ? 0 : MSG_DONTWAIT;
        const ssize_t n = recv(fd, buffer.data(), buffer.size(), flags);
        if (n > 0) {
            if (IsDriverLogEnabled(DriverLogKind::Comm)) {
                WriteDriverLog(DriverLogKind::Comm, "received %ld bytes", static_cast<long>(n));
            }
            decoder.Append(buffer.data(), static_cast<size_t>(n));
            if (const int result = DeliverDecodedFrames(decoder, deliver); result != kDrvOk) {
                return done(result);
            }
            if (static_cast<size_t>(n) < buffer.size()) {
                emptied = true;
                return done(kDrvOk);
            }
            continue;
        }
        if (n == 0) {
            WriteDriverLog(DriverLogKind::Comm, "the server closed the connection");
            return done(kDrvConnectionClosed);
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            emptied = true;
            return done(kDrvOk);
        }
        WriteDriverLog(DriverLogKind::Comm, "receive failed: errno %d", errno);
        return done(errno == ECONNRESET ? kDrvConnectionClosed : kDrvReceiveFailed);
    }
    return done(kDrvOk);
}
