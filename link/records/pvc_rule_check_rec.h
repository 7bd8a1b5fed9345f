#pragma once
// PvcRuleCheckRec (196 bytes, requests 413 to 415): a check of the port's, line card's and VLAN's provisioning rules,
// written with operation 2 and read back with operation 1, whose reply carries the verdict. 413 judges a PVC before
// it is written (the PVC's settings, with one service amount or static IP range at a time); 414 an IP traffic profile
// about to drop broadcast (its name only); 415 a traffic policing profile about to change DSCP (its name only).

#include "link/records/pvc_check_result_rec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kPvcRuleCheckRecSize = 196;
inline constexpr size_t kPvcRuleCheckNameWidth = 33;

struct PvcRuleCheckRec {
    uint32_t portId = 0; // packed entity id of the PVC's port
    uint8_t vpi = 0;
    uint16_t vci = 0;
    uint16_t vlanId = 0;
    uint8_t userPriority = 0;
    uint8_t macLimit = 0;
    uint32_t rfc2684Mode = 0; // 1 routed, 2 bridged
    std::string nextHopName;
    uint32_t serviceType = 0;             // the service type under check (as in PvcRec)
    std::array<uint8_t, 4> baseAddress{}; // the static IP range under check; 0.0.0.0 otherwise
    uint8_t amount = 0;                   // the DHCP IP limit, or the static IP count under check
    uint8_t clientLimit = 0;
    std::string trafficPolicingProfile; // 415
    std::string ipTrafficProfile;       // 413, 414
    PvcCheckResultRec result;           // the reply's verdict
    bool operator==(const PvcRuleCheckRec&) const = default;
};

template <> struct RecordTable<PvcRuleCheckRec> {
    using R = PvcRuleCheckRec;
    static constexpr const char* kName = "PvcRuleCheckRec";
    static constexpr uint32_t kSize = kPvcRuleCheckRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Column(1, kColumnWritable),
        U8<&R::vpi>("vpi", 4).Column(2, kColumnWritable),
        Reserved(5, 1),
        U16<&R::vci>("vci", 6).Column(3, kColumnWritable),
        U16<&R::vlanId>("vlanId", 8).Column(4, kColumnWritable),
        U8<&R::userPriority>("userPriority", 10).Column(5, kColumnWritable),
        U8<&R::macLimit>("macLimit", 11).Column(6, kColumnWritable),
        U32<&R::rfc2684Mode>("rfc2684Mode", 12).Column(7, kColumnWritable),
        Text<&R::nextHopName>("nextHopName", 16, kPvcRuleCheckNameWidth).Column(8, kColumnWritable),
        Reserved(49, 35),
        U32<&R::serviceType>("serviceType", 84).Column(9, kColumnWritable),
        Ipv4<&R::baseAddress>("baseAddress", 88).Column(10, kColumnWritable),
        U8<&R::amount>("amount", 92).Column(11, kColumnWritable),
        U8<&R::clientLimit>("clientLimit", 93).Column(12, kColumnWritable),
        Text<&R::trafficPolicingProfile>("trafficPolicingProfile", 94, kPvcRuleCheckNameWidth)
            .Column(13, kColumnWritable),
        Text<&R::ipTrafficProfile>("ipTrafficProfile", 127, kPvcRuleCheckNameWidth).Column(14, kColumnWritable),
        Reserved(160, 4),
        Nested<&R::result>("result", 164).Column(15),
    };
};
