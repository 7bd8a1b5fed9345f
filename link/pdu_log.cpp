#include "link/pdu_log.h"

#include <atomic>
#include <cstdio>
#include <deque>
#include <mutex>

#include "link/driver_logs.h"
#include "link/link_ui.h"

namespace {

struct PendingLines {
    std::mutex mutex;
    std::deque<std::string> lines;
};

PendingLines& Pending()
{
    static PendingLines pending;
    return pending;
}

std::atomic<int> g_pduLogFlag{1};

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

void HandPendingLinesToWindow()
{
    std::vector<std::string> lines;
    {
        PendingLines& pending = Pending();
        std::lock_guard<std::mutex> lock(pending.mutex);
        lines.assign(std::make_move_iterator(pending.lines.begin()), std::make_move_iterator(pending.lines.end()));
        pending.lines.clear();
    }
    if (!lines.empty()) {
        GetLinkUi().AppendPduLogLines(lines);
    }
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
    std::vector<std::string> lines;
    if (data == nullptr) {
        return lines;
    }
    const size_t shown = size < limit ? size : limit;
    for (size_t offset = 0; offset < shown; offset += 16) {
        char line[96];
        int pos = std::snprintf(line, sizeof line, "%04zx ", offset);
        std::string ascii;
        for (size_t i = 0; i < 16; ++i) {
            if (offset + i < shown) {
                const uint8_t byte = data[offset + i];
                pos += std::snprintf(line + pos, sizeof line - static_cast<size_t>(pos), " %02x", byte);
                ascii += (byte >= 0x20 && byte < 0x7F) ? static_cast<char>(byte) : '.';
            } else {
                pos += std::snprintf(line + pos, sizeof line - static_cast<size_t>(pos), "   ");
            }
        }
        lines.push_back(std::string(line) + "  " + ascii);
    }
    return lines;
}

void LogPdu(PduDirection direction, const EmsMsg& msg, const uint8_t* records, size_t size)
{
    const std::string header = FormatPduHeaderLine(FormatLogTimestamp(), direction, msg);
    if (IsDriverLogEnabled(DriverLogKind::Pdu)) {
        std::string text = header + "\n";
        for (const auto& line : FormatPduDump(records, size, size)) {
            text += line + "\n";
        }
        WriteDriverLogText(DriverLogKind::Pdu, text);
    }
    std::vector<std::string> windowLines = FormatPduDump(records, size, kPduWindowDumpBytes);
    PendingLines& pending = Pending();
    std::lock_guard<std::mutex> lock(pending.mutex);
    pending.lines.push_back(header);
    for (auto& line : windowLines) {
        pending.lines.push_back(std::move(line));
    }
    while (pending.lines.size() > kPduWindowMaxLines) {
        pending.lines.pop_front();
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
    return pending.lines.size();
}

void ClearPendingPduLogLines()
{
    PendingLines& pending = Pending();
    std::lock_guard<std::mutex> lock(pending.mutex);
    pending.lines.clear();
}
