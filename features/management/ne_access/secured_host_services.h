#pragma once
// The management services a secured host section lets its hosts use, as a bit mask of the section record and as the
// list shows them: "SNMP,TELNET,FTP,TFTP", the set bits' names in that order. Read back from such a text, each name
// counts only as a whole name between the commas, so that "TFTP" does not also give FTP.

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr uint32_t kServiceSnmp = 0x80;
inline constexpr uint32_t kServiceTelnet = 0x40;
inline constexpr uint32_t kServiceFtp = 0x20;
inline constexpr uint32_t kServiceTftp = 0x10;

// The names of the set bits, joined by commas; empty for none.
std::string ServicesText(uint32_t mask);
// The mask of the names a text holds.
uint32_t ServicesOfText(std::string_view text);
