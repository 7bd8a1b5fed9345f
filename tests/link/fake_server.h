// A small management server for the link tests: listens on loopback, decodes the client's frames with the link's
// own codec and answers them the way a test says.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "link/server/frame_codec.h"

// Waits (without a fixed sleep) until `done` holds or a generous bound passes; the result says which.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds bound = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

class CFakeServer {
public:
    // Called on the server's thread for every frame from the client.
    using Handler = std::function<void(const Frame& request, CFakeServer& server)>;

    // On a port of the loopback the system picks, or on `port` (then Port() is 0 when it is taken).
    explicit CFakeServer(uint16_t port = 0)
    {
        listen_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int one = 1;
        setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(port);
        const bool bound = bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        listen(listen_, 4);
        socklen_t length = sizeof addr;
        getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &length);
        port_ = bound ? ntohs(addr.sin_port) : 0;
        pipe2(stopPipe_, O_CLOEXEC);
        handler_ = [](const Frame& request, CFakeServer& server) { server.Reply(request, {}, 0, 0); };
        thread_ = std::thread([this] { Run(); });
    }

    ~CFakeServer()
    {
        stop_ = true;
        const char byte = 1;
        [[maybe_unused]] ssize_t n = write(stopPipe_[1], &byte, 1);
        thread_.join();
        for (auto& later : later_) {
            later.join();
        }
        CloseClient();
        close(listen_);
        close(stopPipe_[0]);
        close(stopPipe_[1]);
    }

    uint16_t Port() const { return port_; }

    void SetHandler(Handler handler)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        handler_ = std::move(handler);
    }

    // Frames received so far.
    std::vector<Frame> Received() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }
    size_t ReceivedCount() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_.size();
    }
    int Accepted() const { return accepted_.load(); }
    // Whether the client has read everything the server sent: nothing waits in the connection's sockets on either
    // side, as the kernel counts it (/proc/self/net/tcp: the server's queue to send, the client's to read).
    bool ClientReadEverything() const
    {
        std::ifstream tcp("/proc/self/net/tcp");
        std::string line;
        std::getline(tcp, line);
        long waiting = 0;
        while (std::getline(tcp, line)) {
            std::istringstream fields(line);
            std::string slot, local, remote, state, queues;
            fields >> slot >> local >> remote >> state >> queues;
            const auto portOf = [](const std::string& address) {
                return std::stoul(address.substr(address.find(':') + 1), nullptr, 16);
            };
            if (state != "01") // established
                continue;
            if (portOf(local) == port_)
                waiting += std::stol(queues.substr(0, queues.find(':')), nullptr, 16);
            if (portOf(remote) == port_)
                waiting += std::stol(queues.substr(queues.find(':') + 1), nullptr, 16);
        }
        return waiting == 0;
    }
    bool ClientClosed() const { return clientClosed_.load(); }

    // A reply frame to `request`: operation 4, its code and sequence.
    void Reply(const Frame& request, const std::vector<uint8_t>& records, uint32_t count, uint32_t recordSize,
               uint32_t status = 0, uint32_t more = 0, uint32_t total = 0)
    {
        FrameHeader header;
        header.operation = kEmsOpReply;
        header.neId = request.header.neId;
        header.requestCode = request.header.requestCode;
        header.total = total != 0 ? total : count;
        header.count = count;
        header.recordSize = recordSize;
        header.status = status;
        header.more = more;
        header.sequence = request.header.sequence;
        SendFrame(header, records);
    }

    void SendFrame(const FrameHeader& header, const std::vector<uint8_t>& payload)
    {
        SendRaw(EncodeFrame(header, payload.data(), payload.size()));
    }

    void SendRaw(const std::vector<uint8_t>& bytes)
    {
        std::lock_guard<std::mutex> lock(sendMutex_);
        size_t sent = 0;
        while (client_ >= 0 && sent < bytes.size()) {
            const ssize_t n = send(client_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) {
                break;
            }
            sent += static_cast<size_t>(n);
        }
    }

    // Runs `work` on a thread of its own (an answer given later); joined when the server ends.
    void Defer(std::function<void()> work)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        later_.emplace_back(std::move(work));
    }

    // Drops the connection, as a server that goes away.
    void CloseClient()
    {
        std::lock_guard<std::mutex> lock(sendMutex_);
        if (client_ >= 0) {
            shutdown(client_, SHUT_RDWR);
        }
    }

private:
    void Run()
    {
        std::vector<uint8_t> buffer(65536);
        CFrameDecoder decoder;
        while (!stop_) {
            pollfd fds[3] = {{stopPipe_[0], POLLIN, 0}, {listen_, POLLIN, 0}, {client_, POLLIN, 0}};
            if (poll(fds, 3, -1) <= 0) {
                continue;
            }
            if (fds[0].revents != 0) {
                break;
            }
            if ((fds[1].revents & POLLIN) != 0) {
                const int fd = accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
                std::lock_guard<std::mutex> lock(sendMutex_);
                if (client_ >= 0) {
                    close(client_);
                }
                client_ = fd;
                decoder.Reset();
                clientClosed_ = false;
                ++accepted_;
                continue;
            }
            if (client_ >= 0 && fds[2].revents != 0) {
                const ssize_t n = recv(client_, buffer.data(), buffer.size(), 0);
                if (n <= 0) {
                    std::lock_guard<std::mutex> lock(sendMutex_);
                    close(client_);
                    client_ = -1;
                    clientClosed_ = true;
                    continue;
                }
                decoder.Append(buffer.data(), static_cast<size_t>(n));
                Frame frame;
                while (decoder.Next(frame) == FrameStatus::Complete) {
                    Handler handler;
                    {
                        std::lock_guard<std::mutex> lock(mutex_);
                        received_.push_back(frame);
                        handler = handler_;
                    }
                    handler(frame, *this);
                }
            }
        }
    }

    int listen_ = -1;
    int client_ = -1; // changed on the server thread under sendMutex_
    int stopPipe_[2] = {-1, -1};
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> accepted_{0};
    std::atomic<bool> clientClosed_{false};
    mutable std::mutex mutex_;
    std::mutex sendMutex_;
    Handler handler_;
    std::vector<Frame> received_;
    std::vector<std::thread> later_;
    std::thread thread_;
};
