#pragma once
// The group addresses a multicast channel profile may take: the ranges DIALOG/MULTICASTIPRANGECOUNT (0..100, a count
// beyond clamped) and MULTICASTIPRANGE1..n ("first,last", taken in ascending order) of the configuration file name;
// with a count of 0, the one range 224.0.1.0 to 239.255.255.255.

#include "core/config/ini_readers.h"

#include <string>
#include <vector>

std::vector<IniIpRange> ReadMcAddressRanges(const std::string& configFile);
// Whether the address lies in one of the ranges, both ends included.
bool InMcAddressRanges(const std::vector<IniIpRange>& ranges, const IniIpv4Address& address);
