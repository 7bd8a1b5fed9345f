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
