#pragma once
// SfpInfoRec (88 bytes, request 720): the serial-ID data of the transceiver in one trunk port. A query sends a
// record of zeros and is answered with one record per trunk port; a record that is zero past its entity id means no
// transceiver.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kSfpInfoRecSize = 88;
inline constexpr size_t kSfpVendorTextWidth = 17; // vendor name, part number and serial number

struct SfpInfoRec {
    uint32_t entityId = 0;               // packed entity id of the trunk port
    uint16_t identifier = 0;             // 3 SFP
    uint16_t connector = 0;              // 1 SC, 7 LC
    std::array<uint8_t, 7> compliance{}; // transceiver compliance bits, bit 0 the most significant of the first byte
    uint16_t encoding = 0;               // 0 unspecified, 1 8B10B, 2 4B5B, 3 NRZ, 4 Manchester, 5 SONET scrambled
    uint16_t nominalBitRate = 0;         // units of 100 Mbit/s
    uint16_t length9umKm = 0;
    uint16_t length9um100m = 0; // units of 100 m
    uint16_t length50um10m = 0; // units of 10 m
    uint16_t length62um10m = 0; // 62.5 um fibre, units of 10 m
    uint16_t lengthCopperM = 0;
    std::string vendorName;
    std::array<uint8_t, 3> vendorOui{};
    std::string vendorPartNumber;
    std::string vendorSerialNumber;
    uint16_t wavelength = 0; // nm
    bool operator==(const SfpInfoRec&) const = default;
};

template <> struct RecordTable<SfpInfoRec> {
    using R = SfpInfoRec;
    static constexpr const char* kName = "SfpInfoRec";
    static constexpr uint32_t kSize = kSfpInfoRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U16<&R::identifier>("identifier", 4).Column(2),
        U16<&R::connector>("connector", 6).Column(3),
        Bytes<&R::compliance>("compliance", 8).Column(4),
        Reserved(15, 1),
        U16<&R::encoding>("encoding", 16).Column(5),
        U16<&R::nominalBitRate>("nominalBitRate", 18).Column(6),
        U16<&R::length9umKm>("length9umKm", 20).Column(7),
        U16<&R::length9um100m>("length9um100m", 22).Column(8),
        U16<&R::length50um10m>("length50um10m", 24).Column(9),
        U16<&R::length62um10m>("length62um10m", 26).Column(10),
        U16<&R::lengthCopperM>("lengthCopperM", 28).Column(11),
        Text<&R::vendorName>("vendorName", 30, kSfpVendorTextWidth).Column(12),
        Bytes<&R::vendorOui>("vendorOui", 47).Column(13),
        Text<&R::vendorPartNumber>("vendorPartNumber", 50, kSfpVendorTextWidth).Column(14),
        Text<&R::vendorSerialNumber>("vendorSerialNumber", 67, kSfpVendorTextWidth).Column(15),
        U16<&R::wavelength>("wavelength", 84).Column(16),
        Reserved(86, 2),
    };
};
