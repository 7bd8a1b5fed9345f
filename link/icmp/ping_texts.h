#pragma once
// The lines a ping run writes, as printf formats, so that the user interface can show the same texts.

inline constexpr char kPingOpenFailedText[] = "failed to create ICMP file\r\n";
// An echo without reply: destination, sequence number, kPingTimedOutWords.
inline constexpr char kPingNoReplyFormat[] = "ping %s icmp_seq=%u %s\r\n";
inline constexpr char kPingTimedOutWords[] = "timed out";
// An echo that could not be sent: destination, sequence number, system error code.
inline constexpr char kPingSendErrorFormat[] = "ping %s icmp_seq=%u err=%u\r\n";
// Answered echoes: reply source, sequence number, request size, (round trip,) reply TTL.
inline constexpr char kPingReplyFastFormat[] = "Reply from [%s]: icmp_seq=%u bytes=%u time<10ms TTL=%u";
inline constexpr char kPingReplyFormat[] = "Reply from [%s]: icmp_seq=%u bytes=%u time=%ldms TTL=%u";
// An error answer from a router or the destination: reply source, status text.
inline constexpr char kPingReplyStatusFormat[] = "Reply from [%s]: %s";
inline constexpr char kPingLineEnd[] = "\r\n";

// The lines of a traceroute. The header: destination, max hops.
inline constexpr char kTraceHeaderFormat[] = "Tracing route to %s over a maximum of %u hops:\r\n\r\n"
                                             "hop min(ms) avg(ms) max(ms) success    reply IP\r\n"
                                             "=== ======= ======= ======= ======= ===============\r\n";
// A hop that answered: hop, minimum, average, maximum (each a number or kTraceUnderOneMs), received, count, address.
inline constexpr char kTraceHopFormat[] = "%3u %7s %7s %7s %3u/%-3u %s\r\n";
inline constexpr char kTraceUnderOneMs[] = "< 1";
// A hop without a usable answer: hop, received (0), count, status text.
inline constexpr char kTraceSilentHopFormat[] = "%3u       *       *       * %3u/%-3u %s\r\n";
// The engine could not run: hop, received (0), count, the engine's result.
inline constexpr char kTraceEngineErrorFormat[] = "%3u       *       *       * %3u/%3u internal error %d\r\n";
inline constexpr char kTraceCompleteText[] = "\r\n Trace Complete\r\n";
