#pragma once
// DhcpAgentIdRec (152 bytes, request 501 query and modify): the option 82 agent circuit ID and remote ID of one xDSL
// port; the port names it.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kDhcpAgentIdRecSize = 152;
inline constexpr size_t kDhcpAgentCircuitIdWidth = 81;
inline constexpr size_t kDhcpAgentRemoteIdWidth = 64;

struct DhcpAgentIdRec {
    uint32_t portId = 0;   // packed entity id of the port
    std::string circuitId; // at most 80 characters
    std::string remoteId;  // at most 63 characters
    bool operator==(const DhcpAgentIdRec&) const = default;
};

template <> struct RecordTable<DhcpAgentIdRec> {
    using R = DhcpAgentIdRec;
    static constexpr const char* kName = "DhcpAgentIdRec";
    static constexpr uint32_t kSize = kDhcpAgentIdRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Key().Column(1),
        Text<&R::circuitId>("circuitId", 4, kDhcpAgentCircuitIdWidth).Column(2, kColumnWritable),
        Text<&R::remoteId>("remoteId", 85, kDhcpAgentRemoteIdWidth).Column(3, kColumnWritable),
        Reserved(149, 3),
    };
};
