// Every PDU in readable form: a header line and a hex dump of the records. PDU.log gets the whole dump; the PDU log
// window gets the first 256 bytes of each PDU, gathered until the window is refreshed or flushed. Neither shows a
// secret: the bytes of every field the record's field table marks secret (passwords, password digests, which stand
// for the passwords at the server, and communities) are dumped as '*', in every record of the catalogue and in both
// modes.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/ems_msg.h"

enum class PduDirection { Send, Recv, Notify };

inline constexpr size_t kPduWindowDumpBytes = 256;
inline constexpr size_t kPduWindowMaxLines = 2000;

// "YYYY-MM-DD HH:MM:SS.mmm SEND op=.. ne=.. code=.. total=.. count=.. size=.. status=.. seq=.."
std::string FormatPduHeaderLine(const std::string& timestamp, PduDirection direction, const EmsMsg& msg);

// 16 bytes a line: offset, hex bytes, printable characters; at most `limit` bytes.
std::vector<std::string> FormatPduDump(const uint8_t* data, size_t size, size_t limit);

// The records as the logs show them: a copy with the bytes of every secret field they carry masked.
std::vector<uint8_t> PduRecordsForLog(const EmsMsg& msg, const uint8_t* records, size_t size);

// Logs one PDU (header of `msg`, records as given, secrets masked). `at`: when it went, a steady-clock reading the
// caller made a moment before for its own use, shown as the wall-clock time it stands for; none: the clock is read.
void LogPdu(PduDirection direction, const EmsMsg& msg, const uint8_t* records, size_t size,
            std::chrono::steady_clock::time_point at = {});

// The wall-clock time a steady-clock reading stands for, by the two clocks' difference as last noted; noted again at
// every refresh of the window, so that a change of the wall clock shows from the next one on.
std::chrono::system_clock::time_point WallTimeOf(std::chrono::steady_clock::time_point at);

// (hold flag, flush flag): stores the flag; with flag 0 and flush 1 the window gets what is gathered so far.
// While the flag is 0 the periodic refresh leaves the window as it is.
void FlushPduLog(int flag, int flush);
int GetPduLogFlag();

// Holds the window's display over a run of requests, (0, 1) when made and (1, 1) when it goes, whichever way the run
// ends.
class CPduLogHold {
public:
    CPduLogHold() { FlushPduLog(0, 1); }
    ~CPduLogHold() { FlushPduLog(1, 1); }
    CPduLogHold(const CPduLogHold&) = delete;
    CPduLogHold& operator=(const CPduLogHold&) = delete;
};

// The frame's periodic refresh: hands the gathered lines to the window unless the display is held.
void RefreshPduLogWindow();

// Lines gathered and not yet handed to the window.
size_t PendingPduLogLineCount();
void ClearPendingPduLogLines();
