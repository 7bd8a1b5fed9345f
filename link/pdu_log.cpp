#include "link/pdu_log.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <iterator>
#include <mutex>

#include "link/driver_logs.h"
#include "link/link_ui.h"
#include "link/records/logon_rec.h"
#include "link/records/online_user_record.h"
#include "link/records/request_codes.h"
#include "link/records/user_account_record.h"

namespace {

// A PDU as the window will show it, kept raw: its lines are made only when they are handed to the window, so that
// PDUs whose lines the bound pushes out are never formatted.
struct PendingPdu {
    std::chrono::system_clock::time_point at;
    PduDirection direction = PduDirection::Send;
    EmsMsg header;
    std::array<uint8_t, kPduWindowDumpBytes> head{};
    size_t headSize = 0;
    bool hasRecords = false;
    size_t lines = 0; // the header line and the dump lines
};

struct PendingLines {
    std::mutex mutex;
    std::deque<PendingPdu> pdus;
    size_t lines = 0; // of all the PDUs kept; the window gets the latest kPduWindowMaxLines of them
};

PendingLines& Pending()
{
    static PendingLines pending;
    return pending;
}

std::atomic<int> g_pduLogFlag{1};

// Where a code's records carry a password digest: the record's size and the digest field's offset and width.
struct DigestField {
    uint16_t code;
    size_t recordSize;
    size_t offset;
    size_t width;
};
constexpr DigestField kDigestFields[] = {
    {kReqLogon, kLogonRecSize, 11, kLogonDigestSize},
    {kReqUserAccount, kUserAccountRecordSize, 11, kUserAccountDigestWidth},
    {kReqUserAccountAdd, kUserAccountRecordSize, 11, kUserAccountDigestWidth},
    {kReqUserAccountDelete, kUserAccountRecordSize, 11, kUserAccountDigestWidth},
    {kReqOnlineUser, kOnlineUserRecordSize, 11, kUserAccountDigestWidth},
};

const char* DirectionName(PduDirection direction)
{
    switch (direction) {
    case PduDirection::Send:
        return "SEND";
    case PduDirection::Recv:
        return "RECV";
    case PduDirection::Notify:
        return "NOTIFY";
    }
    return "?";
}

void AppendLines(const PendingPdu& pdu, std::vector<std::string>& out)
{
    out.push_back(FormatPduHeaderLine(FormatLogTimestamp(pdu.at), pdu.direction, pdu.header));
    std::vector<std::string> dump =
        FormatPduDump(pdu.hasRecords ? pdu.head.data() : nullptr, pdu.headSize, kPduWindowDumpBytes);
    out.insert(out.end(), std::make_move_iterator(dump.begin()), std::make_move_iterator(dump.end()));
}

void HandPendingLinesToWindow()
{
    std::deque<PendingPdu> pdus;
    size_t lineCount = 0;
    {
        PendingLines& pending = Pending();
        std::lock_guard<std::mutex> lock(pending.mutex);
        pdus.swap(pending.pdus);
        lineCount = pending.lines;
        pending.lines = 0;
    }
    if (pdus.empty()) {
        return;
    }
    std::vector<std::string> lines;
    lines.reserve(lineCount);
    for (const PendingPdu& pdu : pdus) {
        AppendLines(pdu, lines);
    }
    // The oldest PDU may be kept for its last lines only.
    if (lines.size() > kPduWindowMaxLines) {
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(kPduWindowMaxLines));
    }
    GetLinkUi().AppendPduLogLines(lines);
}

} // namespace

std::string FormatPduHeaderLine(const std::string& timestamp, PduDirection direction, const EmsMsg& msg)
{
    char text[256];
    std::snprintf(text, sizeof text, "%s %s op=%u ne=%lu code=%u total=%lu count=%ld size=%lu status=%lu seq=%lu",
                  timestamp.c_str(), DirectionName(direction), static_cast<unsigned>(msg.operation),
                  static_cast<unsigned long>(msg.neId), static_cast<unsigned>(msg.requestCode),
                  static_cast<unsigned long>(msg.total), static_cast<long>(msg.count),
                  static_cast<unsigned long>(msg.recordSize), static_cast<unsigned long>(msg.status),
                  static_cast<unsigned long>(msg.sequence));
    return text;
}

std::vector<std::string> FormatPduDump(const uint8_t* data, size_t size, size_t limit)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::vector<std::string> lines;
    if (data == nullptr) {
        return lines;
    }
    const size_t shown = size < limit ? size : limit;
    lines.reserve((shown + 15) / 16);
    for (size_t offset = 0; offset < shown; offset += 16) {
        char line[96];
        size_t pos = static_cast<size_t>(std::snprintf(line, sizeof line, "%04zx ", offset));
        char ascii[16];
        size_t asciiSize = 0;
        for (size_t i = 0; i < 16; ++i) {
            if (offset + i < shown) {
                const uint8_t byte = data[offset + i];
                line[pos++] = ' ';
                line[pos++] = kHex[byte >> 4];
                line[pos++] = kHex[byte & 0x0F];
                ascii[asciiSize++] = (byte >= 0x20 && byte < 0x7F) ? static_cast<char>(byte) : '.';
            } else {
                line[pos++] = ' ';
                line[pos++] = ' ';
                line[pos++] = ' ';
            }
        }
        line[pos++] = ' ';
        line[pos++] = ' ';
        std::string text(line, pos);
        text.append(ascii, asciiSize);
        lines.push_back(std::move(text));
    }
    return lines;
}

std::vector<uint8_t> PduRecordsForLog(const EmsMsg& msg, const uint8_t* records, size_t size)
{
    std::vector<uint8_t> shown;
    if (records == nullptr) {
        return shown;
    }
    shown.assign(records, records + size);
    for (const DigestField& field : kDigestFields) {
        if (field.code != msg.requestCode) {
            continue;
        }
        // Records of another size carry no account; every byte of a digest that is not its end is masked.
        const size_t step = msg.recordSize != 0 ? msg.recordSize : field.recordSize;
        if (step < field.recordSize) {
            break;
        }
        for (size_t at = 0; at + field.offset + field.width <= size; at += step) {
            for (size_t i = at + field.offset; i < at + field.offset + field.width && shown[i] != 0; ++i) {
                shown[i] = '*';
            }
        }
    }
    return shown;
}

void LogPdu(PduDirection direction, const EmsMsg& msg, const uint8_t* rawRecords, size_t size)
{
    // Only the few codes that carry digests are copied to be masked.
    const bool carriesDigest = std::any_of(std::begin(kDigestFields), std::end(kDigestFields),
                                           [&](const DigestField& field) { return field.code == msg.requestCode; });
    std::vector<uint8_t> masked;
    if (carriesDigest) {
        masked = PduRecordsForLog(msg, rawRecords, size);
    }
    const uint8_t* records = carriesDigest && rawRecords != nullptr ? masked.data() : rawRecords;
    const auto now = std::chrono::system_clock::now();
    if (IsDriverLogEnabled(DriverLogKind::Pdu)) {
        std::string text = FormatPduHeaderLine(FormatLogTimestamp(now), direction, msg) + "\n";
        for (const auto& line : FormatPduDump(records, size, size)) {
            text += line + "\n";
        }
        WriteDriverLogText(DriverLogKind::Pdu, text);
    }
    PendingPdu pdu;
    pdu.at = now;
    pdu.direction = direction;
    pdu.header = msg;
    pdu.header.records = nullptr;
    pdu.hasRecords = records != nullptr;
    pdu.headSize = records == nullptr ? 0 : std::min(size, kPduWindowDumpBytes);
    if (pdu.headSize != 0) {
        std::memcpy(pdu.head.data(), records, pdu.headSize);
    }
    pdu.lines = 1 + (pdu.headSize + 15) / 16;
    PendingLines& pending = Pending();
    std::lock_guard<std::mutex> lock(pending.mutex);
    pending.lines += pdu.lines;
    pending.pdus.push_back(pdu);
    // Whole PDUs go once the later ones fill the window's lines without them.
    while (pending.lines - pending.pdus.front().lines >= kPduWindowMaxLines) {
        pending.lines -= pending.pdus.front().lines;
        pending.pdus.pop_front();
    }
}

void FlushPduLog(int flag, int flush)
{
    g_pduLogFlag = flag;
    if (flag == 0 && flush != 0) {
        HandPendingLinesToWindow();
    }
}

int GetPduLogFlag()
{
    return g_pduLogFlag;
}

void RefreshPduLogWindow()
{
    if (g_pduLogFlag != 0) {
        HandPendingLinesToWindow();
    }
}

size_t PendingPduLogLineCount()
{
    PendingLines& pending = Pending();
    std::lock_guard<std::mutex> lock(pending.mutex);
    return std::min(pending.lines, kPduWindowMaxLines);
}

void ClearPendingPduLogLines()
{
    PendingLines& pending = Pending();
    std::lock_guard<std::mutex> lock(pending.mutex);
    pending.pdus.clear();
    pending.lines = 0;
}
