// Entity states as an NE tells them (whole rows from a poll, or the columns a notification carries) go through the
// direct link's memory of them: a column told takes the told value, a column left out keeps what was told before,
// a type told as "unchanged" keeps the known type (0 when none is known), and the memory answers with what it
// handed out.
#include "core/entity/entity_type_ids.h"
#include "fuzz/fuzz_bytes.h"
#include "link/records/record_bytes.h"
#include "link/records/request_codes.h"
#include "link/snmp/snmp_entity_state_memory.h"
#include "link/snmp/snmp_request_map.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "snmp_entity_state_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

constexpr uint16_t kOnlineTypeOffset = 16;
constexpr uint16_t kPlannedTypeOffset = 20;

uint32_t NextType(CFuzzBytes& in)
{
    const uint8_t pick = in.Byte();
    return pick < 0x40 ? kPlannedTypeSame : pick < 0x80 ? 0 : in.U32();
}

EntityStateRec NextState(CFuzzBytes& in)
{
    std::array<uint8_t, kEntityStateRecSize> bytes{};
    const std::vector<uint8_t> given = in.Bytes(in.Byte() % (kEntityStateRecSize + 1));
    std::copy(given.begin(), given.end(), bytes.begin());
    EntityStateRec state;
    DecodeRecord(bytes.data(), bytes.size(), &state);
    state.entityId = in.Byte() % 8;
    state.onlineType = NextType(in);
    state.plannedType = NextType(in);
    return state;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzBytes in(data, size);
    CSnmpEntityStateMemory memory;
    std::map<uint32_t, EntityStateRec> known;
    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        if (op == 0xFF) {
            memory.Clear();
            known.clear();
            continue;
        }
        const EntityStateRec told = NextState(in);
        const uint32_t toldColumns = (op & 1) != 0 ? CSnmpEntityStateMemory::kAllColumns : in.U32();
        const EntityStateRec state = memory.Complete(told, toldColumns);
        const auto before = known.find(told.entityId);
        const bool isKnown = before != known.end();
        const auto stateBytes = EncodeRecord(state);
        const auto toldBytes = EncodeRecord(told);
        const auto knownBytes = EncodeRecord(isKnown ? before->second : EntityStateRec{});
        Check(state.entityId == told.entityId);
        for (const SnmpColumnDef& column : DefaultSnmpRequestMap().Find(kReqEntityState)->columns) {
            const bool isTold = !isKnown || (toldColumns & (1u << (column.number - 1))) != 0;
            const uint8_t* source = (isTold ? toldBytes.data() : knownBytes.data()) + column.offset;
            if (column.offset == kOnlineTypeOffset || column.offset == kPlannedTypeOffset) {
                // "Unchanged" keeps the known type, and names none when no type is known.
                uint32_t expected = record_bytes::GetU32(source, 0);
                if (expected == kPlannedTypeSame) {
                    expected = record_bytes::GetU32(knownBytes.data(), column.offset);
                }
                Check(record_bytes::GetU32(stateBytes.data(), column.offset) == expected);
            } else if (column.offset != 0) {
                Check(std::memcmp(stateBytes.data() + column.offset, source, column.width) == 0);
            }
        }
        known[told.entityId] = state;
        const std::optional<EntityStateRec> remembered = memory.Find(told.entityId);
        Check(remembered && *remembered == state);
    }
    return 0;
}
