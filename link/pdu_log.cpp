#include "link/pdu_log.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bitset>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <mutex>

#include "link/driver_logs.h"
#include "link/link_ui.h"
#include "link/records/logon_rec.h"
#include "link/records/request_catalogue.h"

namespace {

// A PDU as the window will show it, kept raw: its lines are made only when they are handed to the window, so that
// PDUs whose lines the bound pushes out are never formatted. Its first bytes are in the ring of bytes from `headAt`
// on.
struct PendingPdu {
    std::chrono::system_clock::time_point at;
    PduDirection direction = PduDirection::Send;
    bool hasRecords = false;
    uint16_t headSize = 0;
    uint16_t lines = 0; // the header line and the dump lines
    uint64_t headAt = 0;
    EmsMsg header;
};

// Every PDU kept has a line, and its bytes a line per 16 besides: what the window's lines can show, with the oldest
// PDU and the one being added, fits these rings, made once. Every request logs two PDUs: rings written in place leave
// the caches to the request.
constexpr size_t kPendingPduSlots = kPduWindowMaxLines + 1;
constexpr size_t kPendingHeadBytes = 32 * 1024; // a power of two, so that a position is masked
static_assert(kPendingHeadBytes >= kPduWindowMaxLines * 16 + 2 * kPduWindowDumpBytes);
static_assert((kPendingHeadBytes & (kPendingHeadBytes - 1)) == 0);

struct PendingLines {
    std::mutex mutex;
    std::vector<PendingPdu> pdus = std::vector<PendingPdu>(kPendingPduSlots); // a ring: `count` from `first`
    size_t first = 0;
    size_t count = 0;
    std::vector<uint8_t> heads = std::vector<uint8_t>(kPendingHeadBytes); // a ring of the PDUs' first bytes
    uint64_t headsWritten = 0;
    size_t lines = 0; // of all the PDUs kept; the window gets the latest kPduWindowMaxLines of them

    const PendingPdu& Front() const { return pdus[first]; }
    void PopFront()
    {
        lines -= pdus[first].lines;
        first = (first + 1) % pdus.size();
        --count;
    }
    void Clear()
    {
        first = 0;
        count = 0;
        lines = 0;
    }
    void CopyHead(const PendingPdu& pdu, uint8_t* out) const
    {
        for (size_t i = 0; i < pdu.headSize; ++i) {
            out[i] = heads[(pdu.headAt + i) & (kPendingHeadBytes - 1)];
        }
    }
};

PendingLines& Pending()
{
    static PendingLines pending;
    return pending;
}

std::atomic<int> g_pduLogFlag{1};

// The wall clock less the steady one, in nanoseconds; none noted yet: the lowest value.
std::atomic<int64_t> g_wallLessSteadyNs{INT64_MIN};

int64_t NoteClockDifference()
{
    const auto wall = std::chrono::system_clock::now();
    const auto steady = std::chrono::steady_clock::now();
    const int64_t difference = std::chrono::duration_cast<std::chrono::nanoseconds>(wall.time_since_epoch()).count() -
                               std::chrono::duration_cast<std::chrono::nanoseconds>(steady.time_since_epoch()).count();
    g_wallLessSteadyNs.store(difference, std::memory_order_relaxed);
    return difference;
}

// The records a code's PDUs may carry that have secret fields: the code's own, its replies' and its direct link's.
struct SecretLayouts {
    std::array<const RecordLayout*, 3> layouts{};
};

// The codes with secrets, so that the PDUs of every other code are logged without a copy or a search.
struct SecretIndex {
    std::bitset<UINT16_MAX + 1> codes;
    std::vector<std::pair<uint16_t, SecretLayouts>> byCode; // sorted by code
};

const SecretIndex& Secrets()
{
    static const SecretIndex index = [] {
        SecretIndex built;
        for (const RequestSpec& spec : RequestCatalogue()) {
            SecretLayouts found;
            size_t count = 0;
            for (const RecordLayout* layout : {spec.record, spec.replyRecord, spec.direct.record}) {
                if (layout != nullptr && layout->HasSecrets())
                    found.layouts[count++] = layout;
            }
            if (count == 0)
                continue;
            for (const uint16_t code : {spec.code, spec.addCode, spec.deleteCode, spec.deleteAllCode}) {
                if (code != 0 && !built.codes.test(code)) {
                    built.codes.set(code);
                    built.byCode.push_back({code, found});
                }
            }
        }
        // The catalogue sends a logon without a record: the driver puts the logon record in.
        if (!built.codes.test(kReqLogon)) {
            built.codes.set(kReqLogon);
            built.byCode.push_back({kReqLogon, SecretLayouts{{&kRecordLayout<LogonRec>}}});
        }
        std::sort(built.byCode.begin(), built.byCode.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        return built;
    }();
    return index;
}

const SecretLayouts* SecretsOf(uint16_t code)
{
    const SecretIndex& index = Secrets();
    if (!index.codes.test(code))
        return nullptr;
    const auto it = std::lower_bound(index.byCode.begin(), index.byCode.end(), code,
                                     [](const auto& entry, uint16_t value) { return entry.first < value; });
    return &it->second;
}

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

void AppendLines(const PendingPdu& pdu, const uint8_t* head, std::vector<std::string>& out)
{
    out.push_back(FormatPduHeaderLine(FormatLogTimestamp(pdu.at), pdu.direction, pdu.header));
    std::vector<std::string> dump = FormatPduDump(pdu.hasRecords ? head : nullptr, pdu.headSize, kPduWindowDumpBytes);
    out.insert(out.end(), std::make_move_iterator(dump.begin()), std::make_move_iterator(dump.end()));
}

void HandPendingLinesToWindow()
{
    // Copied out under the lock, formatted without it.
    std::vector<PendingPdu> pdus;
    std::vector<uint8_t> heads;
    size_t lineCount = 0;
    {
        PendingLines& pending = Pending();
        std::lock_guard<std::mutex> lock(pending.mutex);
        pdus.reserve(pending.count);
        for (size_t i = 0; i < pending.count; ++i) {
            const PendingPdu& pdu = pending.pdus[(pending.first + i) % pending.pdus.size()];
            pdus.push_back(pdu);
            pdus.back().headAt = heads.size();
            heads.resize(heads.size() + pdu.headSize);
            pending.CopyHead(pdu, heads.data() + pdus.back().headAt);
        }
        lineCount = pending.lines;
        pending.Clear();
    }
    if (pdus.empty()) {
        return;
    }
    std::vector<std::string> lines;
    lines.reserve(lineCount);
    for (const PendingPdu& pdu : pdus) {
        AppendLines(pdu, heads.data() + pdu.headAt, lines);
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
    const SecretLayouts* secrets = SecretsOf(msg.requestCode);
    if (secrets == nullptr || msg.operation == kEmsOpTextReply) {
        return shown;
    }
    // Each record the PDU may carry is masked where it has secrets: a few bytes too many masked cost nothing, one
    // too few would show a password. Records shorter than the layout carry none of its fields; a last record cut
    // short is masked as far as it goes.
    for (const RecordLayout* layout : secrets->layouts) {
        if (layout == nullptr) {
            break;
        }
        const size_t step = msg.recordSize != 0 ? msg.recordSize : layout->size;
        if (step < layout->size) {
            continue;
        }
        for (size_t at = 0; at < size; at += step) {
            MaskSecretFields(*layout, shown.data() + at, std::min<size_t>(size - at, layout->size));
        }
    }
    return shown;
}

void LogPdu(PduDirection direction, const EmsMsg& msg, const uint8_t* rawRecords, size_t size,
            std::chrono::steady_clock::time_point at)
{
    // Only the codes whose records have secrets are copied to be masked.
    std::vector<uint8_t> masked;
    const bool carriesSecrets = rawRecords != nullptr && SecretsOf(msg.requestCode) != nullptr;
    if (carriesSecrets) {
        masked = PduRecordsForLog(msg, rawRecords, size);
    }
    const uint8_t* records = carriesSecrets ? masked.data() : rawRecords;
    const auto now = at == std::chrono::steady_clock::time_point{} ? std::chrono::system_clock::now() : WallTimeOf(at);
    if (IsDriverLogEnabled(DriverLogKind::Pdu)) {
        std::string text = FormatPduHeaderLine(FormatLogTimestamp(now), direction, msg) + "\n";
        for (const auto& line : FormatPduDump(records, size, size)) {
            text += line + "\n";
        }
        WriteDriverLogText(DriverLogKind::Pdu, text);
    }
    const size_t headSize = records == nullptr ? 0 : std::min(size, kPduWindowDumpBytes);
    PendingLines& pending = Pending();
    std::lock_guard<std::mutex> lock(pending.mutex);
    PendingPdu& pdu = pending.pdus[(pending.first + pending.count) % pending.pdus.size()];
    ++pending.count;
    pdu.at = now;
    pdu.direction = direction;
    pdu.header = msg;
    pdu.header.records = nullptr;
    pdu.hasRecords = records != nullptr;
    pdu.headSize = static_cast<uint16_t>(headSize);
    pdu.lines = static_cast<uint16_t>(1 + (headSize + 15) / 16);
    pdu.headAt = pending.headsWritten;
    for (size_t i = 0; i < headSize; ++i) {
        pending.heads[(pending.headsWritten + i) & (kPendingHeadBytes - 1)] = records[i];
    }
    pending.headsWritten += headSize;
    pending.lines += pdu.lines;
    // Whole PDUs go once the later ones fill the window's lines without them.
    while (pending.lines - pending.Front().lines >= kPduWindowMaxLines) {
        pending.PopFront();
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

std::chrono::system_clock::time_point WallTimeOf(std::chrono::steady_clock::time_point at)
{
    int64_t difference = g_wallLessSteadyNs.load(std::memory_order_relaxed);
    if (difference == INT64_MIN) {
        difference = NoteClockDifference();
    }
    return std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
        at.time_since_epoch() + std::chrono::nanoseconds(difference)));
}

void RefreshPduLogWindow()
{
    NoteClockDifference();
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
    pending.Clear();
}
