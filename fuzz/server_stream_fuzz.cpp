// The bytes of the server connection, cut anywhere, go through the server driver's receive loop and its routing:
// frames whose sequence a waiting request holds end up in that request's slot (a reply of several frames gathered
// there), the late reply of a request that gave up is dropped, and everything else reaches the dispatcher's queue,
// which stays within its limit. A frame that breaks the protocol ends the connection, as the driver would.
#include "fuzz/fuzz_bytes.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/net_drv.h"
#include "link/server/frame_codec.h"
#include "link/server/server_frame_intake.h"
#include "link/server_message_dispatcher.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "server_stream_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

constexpr size_t kLargestPayload = 8192;

// The driver's routing without its threads.
class CIntakeDriver : public CNetDrv {
public:
    using CNetDrv::DeliverFrame;
    using CNetDrv::Slots;
};

struct Connection {
    Connection() { Check(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) == 0); }
    int fds[2] = {-1, -1}; // the server's end, the workstation's end
};

Connection& TheConnection()
{
    static Connection connection;
    return connection;
}

CIntakeDriver& TheDriver()
{
    static CIntakeDriver driver;
    return driver;
}

// Bytes as they come, or a frame whose header the input makes, its sequence often one a request waits for.
std::vector<uint8_t> NextPiece(CFuzzBytes& in, uint8_t head, const std::array<uint32_t, 3>& waiting)
{
    if ((head & 0x40) == 0) {
        return in.Bytes(in.U16() % kLargestPayload);
    }
    FrameHeader header;
    const uint8_t operation = in.Byte();
    header.operation = operation < 0xC0 ? kEmsOpReply : operation % 8;
    header.requestCode = (head & 0x20) != 0 ? 328 : in.U16(); // 328: alarm records in the server's form
    header.neId = in.Byte();
    header.recordSize = (head & 0x20) != 0 && in.Byte() < 0xC0 ? 124 : in.U16() % 512;
    header.count = in.Byte() % 16;
    header.total = in.U16();
    header.status = in.Byte() < 0xE0 ? 0 : in.U16() % 33000;
    header.more = in.Byte() % 2;
    const uint8_t which = in.Byte();
    header.sequence = which < 0xC0 ? waiting[which % 3] : which < 0xE0 ? 0 : in.U32();
    const size_t length = header.operation == kEmsOpTextReply ? in.U16() % kLargestPayload
                                                              : static_cast<size_t>(header.count) * header.recordSize;
    std::vector<uint8_t> payload = in.Bytes(length);
    payload.resize(length);
    return EncodeFrame(header, payload.data(), payload.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Connection& connection = TheConnection();
    CIntakeDriver& driver = TheDriver();
    CFuzzBytes in(data, size);
    std::vector<uint8_t> buffer(64 * 1024);
    // Nothing of an input before is left in the connection.
    while (::recv(connection.fds[1], buffer.data(), buffer.size(), MSG_DONTWAIT) > 0) {
    }
    std::array<uint32_t, 3> waiting{};
    for (uint32_t& sequence : waiting) {
        sequence = driver.Slots().Acquire();
    }
    if ((in.Byte() & 1) != 0) {
        driver.Slots().Release(waiting[2]); // a request that gave up: its reply comes late
    }
    CFrameDecoder decoder;
    const auto deliver = [&driver](const EmsMsg& msg, const uint8_t* records, size_t bytes) {
        return driver.DeliverFrame(msg, records, bytes);
    };
    bool closed = false;
    while (!in.Empty() && !closed) {
        const uint8_t head = in.Byte();
        const std::vector<uint8_t> piece = NextPiece(in, head, waiting);
        // Written as the socket takes it, the reader taking turns, in cuts the input chooses (a piece in at most
        // sixteen, so that a run costs few system calls).
        const size_t cut = std::max<size_t>(1 + in.Byte() * 37u, piece.size() / 16);
        for (size_t offset = 0; offset < piece.size() && !closed;) {
            const size_t length = std::min(cut, piece.size() - offset);
            const ssize_t n = ::send(connection.fds[0], piece.data() + offset, length, MSG_DONTWAIT | MSG_NOSIGNAL);
            Check(n > 0 || errno == EAGAIN);
            offset += n > 0 ? static_cast<size_t>(n) : 0;
            const bool holdBack = (head & 0x80) != 0 && n > 0;
            const int result = ReceiveFrames(
                connection.fds[1], decoder, buffer, [holdBack] { return holdBack; }, deliver);
            closed = result != kDrvOk;
            Check(closed == (result == kDrvInvalidFormat) || result == kDrvOk);
        }
    }
    if (!closed) {
        Check(ReceiveFrames(connection.fds[1], decoder, buffer, nullptr, deliver) != kDrvConnectionClosed);
    }
    Check(QueuedServerMessageBytes() <= kServerMessageQueueLimit + 2 * kMaxEmsRecordBytes);
    for (const uint32_t sequence : waiting) {
        driver.Slots().Release(sequence);
    }
    ClearServerMessageQueue();
    return 0;
}
