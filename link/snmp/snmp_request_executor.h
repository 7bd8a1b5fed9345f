#pragma once
// Carries out one request code with its records over an SNMP session, as the request-code map says, and builds
// the reply records.

#include "link/ems_msg.h"
#include "link/snmp/snmp_request_map.h"
#include "link/snmp/snmp_session.h"

#include <cstdint>
#include <vector>

struct SnmpReplyData {
    uint8_t operation = kEmsOpReply;
    uint16_t requestCode = 0;
    uint32_t recordSize = 0;
    uint32_t count = 0;
    uint32_t total = 0;
    std::vector<uint8_t> records; // count x recordSize bytes
};

class CSnmpRequestExecutor {
public:
    CSnmpRequestExecutor(const CSnmpRequestMap& map, CSnmpSession& session) : map_(map), session_(session) {}

    // 0 with the reply, or a driver result code: kDrvNotSupported for a code or operation the map does not carry,
    // kDrvInvalidParameter for a request record too short for its code, the SNMP result codes otherwise.
    int Execute(const EmsMsg& request, SnmpReplyData* reply);

    // GETBULK repetitions (0: chosen per table); used by tests and the benchmark.
    void SetMaxRepetitions(int32_t repetitions) { maxRepetitions_ = repetitions; }

private:
    int QueryScalars(const SnmpRequestEntry& entry, SnmpReplyData* reply);
    int QueryTable(const SnmpRequestEntry& entry, const EmsMsg& request, SnmpReplyData* reply);
    // SETs the action of the row the request's word names.
    int Trigger(const SnmpRequestEntry& entry, const EmsMsg& request);
    int QueryCount(const SnmpRequestEntry& entry, SnmpReplyData* reply);
    int WriteScalars(const SnmpRequestEntry& entry, const EmsMsg& request);
    int WriteRows(const SnmpRequestEntry& entry, const EmsMsg& request);
    void ApplyFixup(const SnmpRequestEntry& entry, uint8_t* record) const;

    const CSnmpRequestMap& map_;
    CSnmpSession& session_;
    int32_t maxRepetitions_ = 0;
};
