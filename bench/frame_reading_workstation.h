#pragma once
// A workstation of the benchmarks that speaks frames itself: it logs in as the program does (logon, the tables,
// notifications on) and reads what the server sends as far as the frames' headers, letting the records go unread.
// Many of them share one machine's cores with what is measured, where each would have a machine of its own.

#include "link/ems_msg.h"
#include "link/records/logon_rec.h"
#include "link/records/request_catalogue.h"
#include "link/records/word_record.h"
#include "link/server/frame_codec.h"
#include "tests/link/server_sim_harness.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace bench_ws {

class CFrameReadingWorkstation {
public:
    static constexpr int kReadLimitMs = 120000;

    bool Connect(uint16_t port) { return client_.Connect(port); }

    // The request and its answer; the notifications before it are counted and let go.
    bool Request(uint8_t operation, uint16_t code, const std::vector<uint8_t>& record, uint32_t recordSize)
    {
        const uint32_t sequence = client_.Send(operation, code, 0, record, recordSize);
        for (;;) {
            std::optional<FrameHeader> header = NextHeader();
            if (!header)
                return false;
            if (header->sequence == 0) {
                statesRead_ += header->requestCode == kReqEntityState ? header->count : 0;
                continue;
            }
            if (header->sequence == sequence && header->more == 0)
                return header->status == 0;
        }
    }

    bool Query(uint16_t code)
    {
        const RequestEntry entry = FindRequest(code);
        const uint32_t size = entry.spec != nullptr ? entry.spec->QueryBodySize() : 1;
        return Request(kEmsOpQuery, code, std::vector<uint8_t>(size), size);
    }

    // The program's login requests, in its order, as admin.
    bool LogIn()
    {
        LogonRec logon;
        logon.userName = "admin";
        logon.passwordDigest = server_test::Digest("admin");
        const auto bytes = EncodeRecord(logon);
        return Request(kEmsOpModify, kReqLogon, {bytes.begin(), bytes.end()}, kLogonRecSize) && Query(kReqLocation) &&
               Query(kReqUserAccount) && Query(kReqUserRights) && Query(kReqNeKeyAll) && Query(kReqLoginQuery) &&
               Request(kEmsOpModify, kReqNotificationsOn, {1, 0, 0, 0}, kWordRecordSize);
    }

    // A keep-alive's answer comes after every state sent before it.
    bool ReadTheStates() { return Request(kEmsOpQuery, kReqKeepAlive, {0}, 1); }

    uint64_t StatesRead() const { return statesRead_; }

private:
    // The next frame's header, its records skipped; nullopt when nothing came in time or the server closed.
    std::optional<FrameHeader> NextHeader()
    {
        for (;;) {
            const size_t skipped = std::min(skip_, end_ - begin_);
            begin_ += skipped;
            skip_ -= skipped;
            if (skip_ == 0 && end_ - begin_ >= kFramePrefixSize + kFrameHeaderSize) {
                const uint8_t* prefix = buffer_.data() + begin_;
                const uint32_t length =
                    (uint32_t{prefix[0]} << 24) | (uint32_t{prefix[1]} << 16) | (uint32_t{prefix[2]} << 8) | prefix[3];
                FrameHeader header;
                if (length < kFrameHeaderSize || !DecodeFrameHeader(prefix + kFramePrefixSize, header))
                    return std::nullopt;
                begin_ += kFramePrefixSize + kFrameHeaderSize;
                skip_ = length - kFrameHeaderSize;
                return header;
            }
            if (begin_ == end_ || skip_ != 0) {
                begin_ = end_ = 0;
            } else {
                std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
                end_ -= begin_;
                begin_ = 0;
            }
            pollfd ready{client_.Fd(), POLLIN, 0};
            if (::poll(&ready, 1, kReadLimitMs) <= 0)
                return std::nullopt;
            const ssize_t n = ::recv(client_.Fd(), buffer_.data() + end_, buffer_.size() - end_, 0);
            if (n <= 0)
                return std::nullopt;
            end_ += static_cast<size_t>(n);
        }
    }

    server_test::CRawClient client_; // its requests; the frames that come are read here
    std::vector<uint8_t> buffer_ = std::vector<uint8_t>(256 * 1024);
    size_t begin_ = 0;
    size_t end_ = 0;
    size_t skip_ = 0; // record bytes of the last frame not received yet
    uint64_t statesRead_ = 0;
};

} // namespace bench_ws
