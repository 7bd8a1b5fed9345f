#pragma once
// DecodeSfpInfo: the serial-ID data of a trunk port's transceiver as the 20 rows of its page, in the order of the
// page's items: identifier, connector, the six rows of the transceiver compliance bits, encoding, nominal bit rate,
// the five link lengths, vendor name, OUI, part number, serial number and laser wavelength.
//
// Compliance bit n is bit n of the 7-byte field, bit 0 the most significant bit of its first byte. The SONET and the
// transmitter media rows join the texts of every set bit, in bit order, with ", "; the other four rows show the
// text of the last set bit of their list. A row whose bits are all clear stays empty.

#include <array>
#include <string>

struct SfpInfoRec;

inline constexpr size_t kSfpRowCount = 20;

std::array<std::string, kSfpRowCount> DecodeSfpInfo(const SfpInfoRec& rec);
