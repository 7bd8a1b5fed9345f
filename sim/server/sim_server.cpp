#include "sim/server/sim_server.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include "core/util/ip_address.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"

namespace {

constexpr size_t kReceiveChunk = 64 * 1024;
constexpr int kReceiveRounds = 16; // then the other connections get their turn
constexpr double kMaxAlarmBacklog = 1000;
// While descriptors are short and none can be freed for a refusal, new connections wait in the backlog this long.
constexpr auto kAcceptPause = std::chrono::milliseconds(200);

// A free TCP port whose UDP twin is taken is given back and another one tried, this many times.
constexpr int kFreePortAttempts = 20;

void CloseSocket(int& fd)
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

uint32_t Now()
{
    return static_cast<uint32_t>(std::time(nullptr));
}

sockaddr_in SocketAddress(const std::array<uint8_t, 4>& address, uint16_t port)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    std::memcpy(&addr.sin_addr.s_addr, address.data(), 4);
    return addr;
}

} // namespace

CSimServer::CSimServer(CSimDatabase& database, SimServerOptions options)
    : options_(options), handler_(database, options.handler)
{
    handler_.SetSessionLister([this] { return LoggedInSessions(); });
}

CSimServer::~CSimServer()
{
    for (auto& [id, connection] : connections_) {
        if (connection->fd >= 0) {
            ::close(connection->fd);
        }
    }
    CloseSocket(listenFd_);
    CloseSocket(udpFd_);
    if (reserveFd_ >= 0) {
        ::close(reserveFd_);
    }
}

int CSimServer::Open()
{
    // A free port must be free for both: the notifications go out from the service port.
    const int attempts = options_.port == 0 ? kFreePortAttempts : 1;
    int result = 0;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        result = OpenOn(options_.port);
        if (result != EADDRINUSE) {
            break;
        }
    }
    if (result != 0) {
        return result;
    }
    reserveFd_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    return 0;
}

int CSimServer::OpenOn(uint16_t port)
{
    CloseSocket(listenFd_);
    CloseSocket(udpFd_);
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) {
        return errno;
    }
    int one = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr = SocketAddress(options_.bindAddress, port);
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd_, 64) != 0) {
        return errno;
    }
    socklen_t length = sizeof addr;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &length);
    port_ = ntohs(addr.sin_port);

    udpFd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (udpFd_ < 0) {
        return errno;
    }
    sockaddr_in udp = SocketAddress(options_.bindAddress, port_);
    if (::bind(udpFd_, reinterpret_cast<sockaddr*>(&udp), sizeof udp) != 0) {
        return errno;
    }
    int buffer = 4 * 1024 * 1024;
    ::setsockopt(udpFd_, SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
    return 0;
}

void CSimServer::Run(const std::atomic<bool>& stop)
{
    auto last = std::chrono::steady_clock::now();
    // The kernel tells the end of the parent (SIGTERM), so that an idle server need not look at the clock for it.
    const pid_t parent = ::getppid();
    if (options_.exitWithParent && (::prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || ::getppid() != parent)) {
        return;
    }
    bool datagramsWait = false;
    std::vector<pollfd>& fds = pollFds_;
    std::vector<Connection*>& polled = polledConnections_;
    while (!stop.load()) {
        const size_t servedBefore = requestsServed_;
        // A negative descriptor is left out of the poll. A pause that ended before the last round needs no clock.
        const bool accepting = acceptPausedUntil_ <= last || Clock::now() >= acceptPausedUntil_;
        if (accepting) {
            acceptPausedUntil_ = {}; // over: `last` may stay behind it while the clock is not read
        }
        fds.assign(1, {accepting ? listenFd_ : -1, POLLIN, 0});
        polled.clear();
        bool timed = !accepting;
        for (auto& [id, connection] : connections_) {
            const bool reading = !Paused(*connection) && !connection->closeWhenSent;
            // A series goes on as the socket takes more, even when everything made so far is sent.
            const bool writing = connection->pendingBytes != 0 || connection->laterNotices != nullptr;
            const short events = static_cast<short>((reading ? POLLIN : 0) | (writing ? POLLOUT : 0));
            fds.push_back({connection->fd, events, 0});
            polled.push_back(connection.get());
            timed = timed || connection->frameBegan || !connection->session.loggedIn;
        }
        // Without a time-out when nothing is due at a time: a wait that the clock may end costs every request. A
        // stop that comes before the wait is not slept through: it leaves the listener readable (WakeToStop).
        const int timeoutMs = datagramsWait ? 1 : options_.alarmRate > 0 ? 10 : timed ? 100 : -1;
        if (::poll(fds.data(), fds.size(), timeoutMs) < 0 && errno != EINTR) {
            std::perror("tarvik-sim-server: poll");
            return;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            Accept();
        }
        for (size_t i = 0; i < polled.size(); ++i) {
            Connection& connection = *polled[i];
            const short revents = fds[i + 1].revents;
            const bool reading = (fds[i + 1].events & POLLIN) != 0;
            if (!connection.dead && !reading && (revents & (POLLHUP | POLLERR)) != 0) {
                Close(connection, "the workstation is gone");
            }
            if (!connection.dead && reading && (revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                Receive(connection);
            }
            if (!connection.dead && (revents & POLLOUT) != 0) {
                Flush(connection);
                // Requests that waited while the workstation read its answers.
                ServeBuffered(connection);
            }
        }
        // Every request that came is answered before the long series go on: a few slices a round, taken in turn,
        // so that a login waits little behind the states of other workstations however many there are. While
        // requests keep coming, the series wait for a round without any, but for one slice every few rounds, so that
        // a login's round trips do not each wait for others' states and a workstation that keeps asking cannot hold
        // the series back.
        const bool busy = requestsServed_ != servedBefore;
        const size_t slices = !busy ? kSeriesSlicesPerRound : busyRounds_++ % kBusyRoundsPerSlice == 0 ? 1 : 0;
        size_t sliced = 0;
        for (size_t k = 0; k < polled.size() && sliced < slices; ++k) {
            const size_t i = (seriesTurn_ + k) % polled.size();
            if ((fds[i + 1].revents & POLLOUT) != 0 && polled[i]->laterNotices) {
                ContinueLaterNotices(*polled[i]);
                ++sliced;
            }
        }
        // The next connection's turn; a division only when connections went since.
        if (++seriesTurn_ >= polled.size()) {
            seriesTurn_ = polled.empty() || seriesTurn_ == polled.size() ? 0 : seriesTurn_ % polled.size();
        }
        // The clock is read only when something is due at a time, so that a request's round costs no look at it. The
        // credits of the alarms and of the pace grow by the time since the last look: a credit that nothing spends
        // meanwhile comes out the same, capped as it is.
        if (timed || options_.alarmRate > 0 || datagramsWait || datagramsQueued_) {
            const auto now = std::chrono::steady_clock::now();
            CloseLateConnections(now);
            const double seconds = std::chrono::duration<double>(now - last).count();
            if (options_.alarmRate > 0) {
                alarmCredit_ += options_.alarmRate * seconds;
                alarmCredit_ = std::min(alarmCredit_, kMaxAlarmBacklog);
                while (alarmCredit_ >= 1) {
                    GenerateAlarms();
                    alarmCredit_ -= 1;
                }
            }
            datagramsQueued_ = false;
            datagramsWait = SendPacedDatagrams(seconds);
            last = now;
        }
        // Else no datagram waits anywhere, nor a reply behind one.
        if (connectionsClosed_) {
            connectionsClosed_ = false;
            for (auto it = connections_.begin(); it != connections_.end();) {
                it = it->second->dead ? connections_.erase(it) : std::next(it);
            }
        }
    }
}

void CSimServer::WakeToStop()
{
    // A listener shut down is readable (hung up) from then on, and wakes a wait on it at once.
    if (listenFd_ >= 0) {
        ::shutdown(listenFd_, SHUT_RD);
    }
}

void CSimServer::Accept()
{
    for (;;) {
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        const int fd = ::accept4(listenFd_, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EMFILE || errno == ENFILE) {
                RefuseForLackOfDescriptors();
            }
            return;
        }
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        auto connection = std::make_unique<Connection>();
        connection->fd = fd;
        connection->accepted = Clock::now();
        connection->session.id = nextSessionId_++;
        std::memcpy(connection->session.peerIp.data(), &peer.sin_addr.s_addr, 4);
        std::fprintf(stderr, "tarvik-sim-server: connection %llu from %s\n",
                     static_cast<unsigned long long>(connection->session.id),
                     FormatIpAddress(connection->session.peerIp).c_str());
        connections_[connection->session.id] = std::move(connection);
    }
}

// The listener stays readable while a connection waits that cannot be taken: the one descriptor kept in reserve is
// given up to take it and close it at once, else the backlog waits a moment, so that the loop does not spin.
void CSimServer::RefuseForLackOfDescriptors()
{
    if (reserveFd_ >= 0) {
        ::close(reserveFd_);
        reserveFd_ = -1;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0) {
            ::close(fd);
            std::fprintf(stderr, "tarvik-sim-server: out of descriptors: a new connection was closed at once\n");
        }
        reserveFd_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (fd >= 0 && reserveFd_ >= 0) {
            return;
        }
    }
    std::fprintf(stderr, "tarvik-sim-server: out of descriptors: new connections wait\n");
    acceptPausedUntil_ = Clock::now() + kAcceptPause;
}

void CSimServer::Receive(Connection& connection)
{
    std::vector<uint8_t>& buffer = receiveBuffer_;
    buffer.resize(kReceiveChunk);
    for (int round = 0; round < kReceiveRounds && !connection.dead && !connection.closeWhenSent && !Paused(connection);
         ++round) {
        const ssize_t n = ::recv(connection.fd, buffer.data(), buffer.size(), 0);
        if (n == 0) {
            Close(connection, "closed by the workstation");
            return;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                Close(connection, std::strerror(errno));
            }
            return;
        }
        connection.decoder.Append(buffer.data(), static_cast<size_t>(n));
        ServeBuffered(connection);
        if (static_cast<size_t>(n) < buffer.size()) {
            return;
        }
    }
}

void CSimServer::ServeBuffered(Connection& connection)
{
    Frame& frame = servedFrame_;
    bool served = false;
    while (!connection.dead && !connection.closeWhenSent && !Paused(connection)) {
        const FrameStatus status = connection.decoder.Next(frame);
        if (status == FrameStatus::NeedMore) {
            break;
        }
        if (status == FrameStatus::Invalid) {
            RefuseFrame(connection);
            return;
        }
        Serve(connection, frame);
        served = true;
    }
    // The time-out of a half-sent frame runs while the server is reading it.
    if (connection.decoder.BufferedBytes() == 0 || Paused(connection)) {
        connection.frameBegan.reset();
    } else if (served || !connection.frameBegan) {
        connection.frameBegan = Clock::now();
    }
}

void CSimServer::RefuseFrame(Connection& connection)
{
    if (connection.decoder.Fault() != FrameFault::kUnsupportedVersion) {
        Close(connection, "malformed frame");
        return;
    }
    // Its header is readable: the workstation is told, in this server's version, why it is turned away.
    const FrameHeader& refused = connection.decoder.FaultyHeader();
    std::fprintf(stderr, "tarvik-sim-server: connection %llu speaks protocol version %u, this server %u\n",
                 static_cast<unsigned long long>(connection.session.id), refused.version, kFrameProtocolVersion);
    FrameHeader header;
    header.operation = kEmsOpReply;
    header.neId = refused.neId;
    header.requestCode = refused.requestCode;
    header.sequence = refused.sequence;
    header.status = kDrvInvalidFormat;
    Queue(connection, Frame{header, {}});
    connection.session.loggedIn = false;
    connection.closeWhenSent = true;
    Flush(connection);
}

void CSimServer::CloseLateConnections(Clock::time_point now)
{
    const auto frameLimit = std::chrono::milliseconds(options_.frameTimeoutMs);
    const auto logonLimit = std::chrono::milliseconds(options_.logonTimeoutMs);
    for (auto& [id, connection] : connections_) {
        if (connection->dead) {
            continue;
        }
        if (connection->frameBegan && now - *connection->frameBegan > frameLimit) {
            Close(*connection, "a frame was left half-sent");
        } else if (!connection->session.loggedIn && now - connection->accepted > logonLimit) {
            Close(*connection, "no logon in time");
        }
    }
}

void CSimServer::Serve(Connection& connection, const Frame& request)
{
    ++requestsServed_;
    // The answer is made in the storage of the last one (a request that comes while this one is served makes its
    // own): most answers are one frame, and every request has one.
    SimHandled handled;
    handled.replies = std::move(spareReplies_);
    handled.replies.clear();
    struct KeepReplies {
        std::vector<Frame>& replies;
        std::vector<Frame>& spare;
        ~KeepReplies()
        {
            if (replies.capacity() <= kSpareReplyFrames) {
                replies.clear();
                spare = std::move(replies);
            }
        }
    } keep{handled.replies, spareReplies_};
    handler_.Handle(connection.session, request, Now(), handled);
    if (handled.close && handled.replies.empty()) {
        Close(connection, "asked to drop it");
        return;
    }
    if (handled.noticesFirst) {
        for (const SimNotice& notice : handled.notices) {
            Deliver(&connection, notice);
        }
    }
    // A reply that follows its notifications also follows the datagrams among them.
    if (!connection.afterDatagrams.empty() || (handled.noticesFirst && !connection.datagrams.empty())) {
        for (Frame& reply : ReplyFrames(handled)) {
            connection.afterDatagrams.push_back(std::move(reply));
        }
    } else {
        // The frames of one answer go out in one send.
        const bool held = connection.holdFlush;
        connection.holdFlush = true;
        for (const Frame& reply : handled.replies) {
            Queue(connection, reply);
        }
        if (handled.sharedReply) {
            QueueShared(connection, *handled.sharedReply);
        }
        connection.holdFlush = held;
        if (!held) {
            Flush(connection);
        }
    }
    if (!handled.noticesFirst) {
        for (const SimNotice& notice : handled.notices) {
            Deliver(&connection, notice);
        }
    }
    if (handled.laterNotices && !connection.dead) {
        connection.laterNotices = std::move(handled.laterNotices);
        ContinueLaterNotices(connection);
    }
    if (handled.close && !connection.dead) {
        connection.closeWhenSent = true;
        Flush(connection);
    }
}

void CSimServer::Queue(Connection& connection, const Frame& frame)
{
    if (connection.dead) {
        return;
    }
    std::shared_ptr<std::vector<uint8_t>> bytes =
        spareFrame_ != nullptr ? std::move(spareFrame_) : std::make_shared<std::vector<uint8_t>>();
    if (!EncodeFrameInto(frame.header, frame.payload.data(), frame.payload.size(), *bytes)) {
        std::fprintf(stderr, "tarvik-sim-server: frame of code %u does not encode\n", frame.header.requestCode);
        return;
    }
    const uint8_t* data = bytes->data();
    const size_t size = bytes->size();
    QueueChunk(connection, Chunk{std::move(bytes), data, size, true});
}

void CSimServer::QueueBytes(Connection& connection, std::shared_ptr<const std::vector<uint8_t>> bytes)
{
    const uint8_t* data = bytes->data();
    const size_t size = bytes->size();
    QueueChunk(connection, Chunk{std::move(bytes), data, size});
}

void CSimServer::QueueShared(Connection& connection, const SimSharedReply& reply)
{
    size_t offset = 0;
    for (const Frame& frame : reply.frames) {
        const size_t size = static_cast<size_t>(frame.header.count) * frame.header.recordSize;
        std::vector<uint8_t> head(kFramePrefixSize + kFrameHeaderSize);
        if (size > kMaxEmsRecordBytes || offset + size > reply.records->size() ||
            !EncodeFrameHeader(frame.header, head.data() + kFramePrefixSize)) {
            std::fprintf(stderr, "tarvik-sim-server: frame of code %u does not encode\n", frame.header.requestCode);
            return;
        }
        const auto length = static_cast<uint32_t>(kFrameHeaderSize + size);
        head[0] = static_cast<uint8_t>(length >> 24);
        head[1] = static_cast<uint8_t>(length >> 16);
        head[2] = static_cast<uint8_t>(length >> 8);
        head[3] = static_cast<uint8_t>(length);
        QueueBytes(connection, std::make_shared<const std::vector<uint8_t>>(std::move(head)));
        QueueChunk(connection, Chunk{reply.records, reply.records->data() + offset, size});
        offset += size;
    }
}

void CSimServer::QueueChunk(Connection& connection, Chunk chunk)
{
    if (connection.dead || chunk.size == 0) {
        return;
    }
    connection.pendingBytes += chunk.size;
    connection.pending.push_back(std::move(chunk));
    if (connection.pendingBytes > options_.maxUnsentBytes) {
        Close(connection, "it does not read what it is sent");
        return;
    }
    if (!connection.holdFlush) {
        Flush(connection);
    }
}

void CSimServer::Flush(Connection& connection)
{
    // Many frames to a system call: a series of small ones costs the sockets of both sides little more than one.
    constexpr size_t kFramesPerSend = 256;
    while (!connection.dead && !connection.pending.empty()) {
        iovec parts[kFramesPerSend];
        size_t count = 0;
        for (auto it = connection.pending.begin(); it != connection.pending.end() && count < kFramesPerSend; ++it) {
            const size_t skip = count == 0 ? connection.pendingOffset : 0;
            parts[count++] = {const_cast<uint8_t*>(it->data) + skip, it->size - skip};
        }
        msghdr message{};
        message.msg_iov = parts;
        message.msg_iovlen = count;
        // One frame (an answer) goes without a vector of parts for the kernel to read.
        ssize_t n = count == 1 ? ::send(connection.fd, parts[0].iov_base, parts[0].iov_len, MSG_NOSIGNAL | MSG_DONTWAIT)
                               : ::sendmsg(connection.fd, &message, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                Close(connection, std::strerror(errno));
            }
            return;
        }
        connection.pendingBytes -= static_cast<size_t>(n);
        while (n > 0) {
            const size_t left = connection.pending.front().size - connection.pendingOffset;
            if (static_cast<size_t>(n) < left) {
                connection.pendingOffset += static_cast<size_t>(n);
                break;
            }
            n -= static_cast<ssize_t>(left);
            KeepSpareFrame(connection.pending.front());
            connection.pending.pop_front();
            connection.pendingOffset = 0;
        }
    }
    if (!connection.dead && connection.pending.empty() && connection.closeWhenSent) {
        Close(connection, "session ended");
    }
}

void CSimServer::KeepSpareFrame(Chunk& sent)
{
    // A large frame's storage is let go, not kept for the small answers that mostly follow.
    constexpr size_t kLargestSpare = 64 * 1024;
    if (sent.ownFrame && sent.owner.use_count() == 1 && sent.owner->capacity() <= kLargestSpare) {
        spareFrame_ = std::const_pointer_cast<std::vector<uint8_t>>(std::move(sent.owner));
    }
}

void CSimServer::Deliver(const Connection* from, const SimNotice& notice)
{
    for (auto& [id, connection] : connections_) {
        Connection& to = *connection;
        if (to.dead || !to.session.loggedIn) {
            continue;
        }
        bool wanted = false;
        switch (notice.audience) {
        case SimAudience::kOthers:
            wanted = &to != from && to.session.notificationsOn;
            break;
        case SimAudience::kEveryone:
            wanted = to.session.notificationsOn;
            break;
        case SimAudience::kUser:
            wanted = to.session.user == notice.user;
            break;
        }
        if (wanted) {
            Send(to, notice);
        }
    }
}

void CSimServer::Send(Connection& to, const SimNotice& notice)
{
    if (notice.channel == SimChannel::kUdp && to.session.trapPort != 0) {
        QueueDatagrams(to, notice);
        return;
    }
    if (notice.encoded != nullptr) {
        QueueNumberedCopy(to, notice.encoded);
        return;
    }
    for (Frame& frame : NotificationFrames(notice, kMaxEmsRecordBytes)) {
        to.notificationNumber = NumberAfter(to.notificationNumber);
        frame.header.total = to.notificationNumber;
        Queue(to, frame);
    }
}

void CSimServer::QueueNumberedCopy(Connection& to, const std::shared_ptr<const std::vector<uint8_t>>& encoded)
{
    // Each frame's prefix and header are the connection's own, its records a stretch of the shared bytes.
    constexpr size_t kHead = kFramePrefixSize + kFrameHeaderSize;
    const std::vector<uint8_t>& bytes = *encoded;
    for (size_t at = 0; at + kHead <= bytes.size();) {
        const size_t length = (size_t{bytes[at]} << 24) | (size_t{bytes[at + 1]} << 16) | (size_t{bytes[at + 2]} << 8) |
                              size_t{bytes[at + 3]};
        const size_t end = at + kFramePrefixSize + length;
        if (length < kFrameHeaderSize || end > bytes.size()) {
            std::fprintf(stderr, "tarvik-sim-server: a shared notification does not decode\n");
            return;
        }
        auto head = std::make_shared<std::vector<uint8_t>>(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                                           bytes.begin() + static_cast<std::ptrdiff_t>(at + kHead));
        to.notificationNumber = NumberAfter(to.notificationNumber);
        PutFrameTotal(head->data() + kFramePrefixSize, to.notificationNumber);
        QueueBytes(to, std::move(head));
        QueueChunk(to, Chunk{encoded, bytes.data() + at + kHead, end - at - kHead});
        at = end;
    }
}

void CSimServer::ContinueLaterNotices(Connection& connection)
{
    // A connection that reads slowly holds back only its own series, and a slice at a time leaves the server free
    // for the other workstations' requests.
    size_t made = 0;
    const auto send = [&](const SimNotice& notice) {
        made += notice.encoded != nullptr ? notice.encoded->size() : notice.records.size();
        Send(connection, notice);
    };
    // A slice goes out in as few sends as it can: one per NE would wake the workstation's reader for each.
    bool more = true;
    connection.holdFlush = true;
    while (!connection.dead && more && connection.pendingBytes <= kPauseServingBytes && made < kSeriesSliceBytes) {
        more = connection.laterNotices(send);
    }
    connection.holdFlush = false;
    Flush(connection);
    if (!more && !connection.dead) {
        connection.laterNotices = nullptr;
        ServeBuffered(connection);
    }
}

void CSimServer::QueueDatagrams(Connection& to, const SimNotice& notice)
{
    for (const Frame& frame : NotificationFrames(notice, kMaxDatagramBytes - kFramePrefixSize - kFrameHeaderSize)) {
        if (to.datagrams.size() >= kMaxQueuedDatagrams) {
            std::fprintf(stderr, "tarvik-sim-server: notification datagram to session %llu lost: too many wait\n",
                         static_cast<unsigned long long>(to.session.id));
            // Its number goes unsent: the workstation learns of the loss from the gap.
            to.notificationNumber = NumberAfter(to.notificationNumber);
            continue;
        }
        to.datagrams.push_back(EncodeFrame(frame.header, frame.payload.data(), frame.payload.size()));
        datagramsQueued_ = true;
    }
}

bool CSimServer::SendPacedDatagrams(double seconds)
{
    const bool paced = options_.datagramRate != 0;
    bool waiting = false;
    for (auto& [id, connection] : connections_) {
        Connection& to = *connection;
        if (to.dead) {
            continue;
        }
        // A workstation gets notifications at the pace its network and its receive buffer can take, as a server
        // with many workstations would send them.
        to.datagramCredit = std::min(kDatagramBurst, to.datagramCredit + options_.datagramRate * seconds);
        const sockaddr_in target = SocketAddress(to.session.peerIp, to.session.trapPort);
        while (!to.datagrams.empty() && (!paced || to.datagramCredit >= 1)) {
            std::vector<uint8_t>& bytes = to.datagrams.front();
            if (to.session.datagramsToLose != 0) {
                --to.session.datagramsToLose;
                to.notificationNumber = NumberAfter(to.notificationNumber);
                to.datagrams.pop_front();
                continue;
            }
            if (to.session.forgeAhead != 0) {
                std::vector<uint8_t> forged = bytes;
                PutFrameTotal(forged.data() + kFramePrefixSize,
                              std::max<uint32_t>(1, NumberAfter(to.notificationNumber) + to.session.forgeAhead));
                to.session.forgeAhead = 0;
                ::sendto(udpFd_, forged.data(), forged.size(), 0, reinterpret_cast<const sockaddr*>(&target),
                         sizeof target);
            }
            // Numbered as it goes, so that the series follows what leaves in its order.
            PutFrameTotal(bytes.data() + kFramePrefixSize, NumberAfter(to.notificationNumber));
            const ssize_t n = ::sendto(udpFd_, bytes.data(), bytes.size(), 0,
                                       reinterpret_cast<const sockaddr*>(&target), sizeof target);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOBUFS)) {
                break; // the send buffer is full for a moment: the next round sends it
            }
            if (n < 0) {
                std::fprintf(stderr, "tarvik-sim-server: notification datagram to session %llu lost: %s\n",
                             static_cast<unsigned long long>(to.session.id), std::strerror(errno));
            }
            to.notificationNumber = NumberAfter(to.notificationNumber);
            to.datagrams.pop_front();
            to.datagramCredit -= 1;
        }
        if (to.datagrams.empty() && !to.afterDatagrams.empty()) {
            std::vector<Frame> replies = std::move(to.afterDatagrams);
            to.afterDatagrams.clear();
            for (const Frame& reply : replies) {
                Queue(to, reply);
            }
        }
        waiting = waiting || !to.datagrams.empty();
    }
    return waiting;
}

void CSimServer::GenerateAlarms()
{
    for (const SimNotice& notice : handler_.GenerateAlarmEvent(random_, Now())) {
        Deliver(nullptr, notice);
    }
}

void CSimServer::Close(Connection& connection, const char* why)
{
    if (connection.dead) {
        return;
    }
    std::fprintf(stderr, "tarvik-sim-server: connection %llu (%s) closed: %s\n",
                 static_cast<unsigned long long>(connection.session.id),
                 connection.session.user.empty() ? "not logged in" : connection.session.user.c_str(), why);
    ::close(connection.fd);
    connection.fd = -1;
    connection.dead = true;
    connectionsClosed_ = true;
    connection.session.loggedIn = false;
}

std::vector<SimSession> CSimServer::LoggedInSessions() const
{
    std::vector<SimSession> sessions;
    for (const auto& [id, connection] : connections_) {
        if (!connection->dead && connection->session.loggedIn) {
            sessions.push_back(connection->session);
        }
    }
    return sessions;
}
