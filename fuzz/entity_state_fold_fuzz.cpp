// Entity-state messages of a few NEs and entities go into the fold, and records are taken from its front with limits
// and counts the input chooses. What comes out must be what a plain list says: every record in arrival order, save
// the replies 325 that a later state of their entity replaced; a replaced notification 330 comes for the trap log
// alone, the entity's latest record for the model.
#include "fuzz/fuzz_bytes.h"
#include "link/entity_state_fold.h"
#include "link/records/entity_state_rec.h"
#include "link/records/record_bytes.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <utility>
#include <vector>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "entity_state_fold_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

constexpr size_t kValueOffset = 52; // the record's value field carries its serial number

// The fold's promise, kept as a plain list.
struct Expected {
    uint32_t serial = 0;
    uint64_t arrival = 0;
    uint32_t neId = 0;
    uint16_t code = 0;
    bool live = true;     // for the model
    bool logOnly = false; // for the trap log alone
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzBytes in(data, size);
    CEntityStateFold fold;
    std::deque<Expected> expected;
    std::map<std::pair<uint32_t, uint32_t>, uint32_t> latest; // (NE, entity) -> serial of its live record
    uint32_t serial = 0;
    uint64_t arrival = 0;
    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        if ((op & 3) != 0) {
            EmsMsg msg;
            msg.operation = kEmsOpReply;
            msg.requestCode = (op & 4) != 0 ? kReqEntityStateChange : kReqEntityState;
            msg.neId = in.Byte() % 4;
            msg.recordSize = kEntityStateRecSize;
            msg.count = 1 + in.Byte() % 40;
            std::vector<uint8_t> records(static_cast<size_t>(msg.count) * kEntityStateRecSize);
            for (int32_t i = 0; i < msg.count; ++i) {
                uint8_t* record = records.data() + static_cast<size_t>(i) * kEntityStateRecSize;
                const uint32_t entity = in.Byte() % 24;
                record_bytes::PutU32(record, 0, entity);
                record_bytes::PutU32(record, kValueOffset, serial);
                if (const auto it = latest.find({msg.neId, entity}); it != latest.end()) {
                    for (Expected& e : expected) {
                        if (e.serial == it->second) {
                            e.live = false;
                            e.logOnly = e.code == kReqEntityStateChange;
                        }
                    }
                }
                latest[{msg.neId, entity}] = serial;
                expected.push_back({serial++, arrival, msg.neId, msg.requestCode});
            }
            msg.records = records.data();
            Check(CEntityStateFold::Folds(msg));
            fold.Add(msg, arrival++);
        } else {
            const size_t most = 1 + in.Byte() % 64;
            const uint64_t limit = in.Byte() < 0x40 ? arrival - std::min<uint64_t>(arrival, in.Byte() % 8) : UINT64_MAX;
            std::vector<OwnedServerMessage> out;
            fold.TakeFront(most, limit, out);
            size_t taken = 0;
            for (const OwnedServerMessage& msg : out) {
                Check(msg.header.count > 0 && msg.header.recordSize == kEntityStateRecSize);
                Check(msg.records.size() == static_cast<size_t>(msg.header.count) * kEntityStateRecSize);
                for (int32_t i = 0; i < msg.header.count; ++i, ++taken) {
                    while (!expected.empty() && !expected.front().live && !expected.front().logOnly) {
                        expected.pop_front();
                    }
                    Check(!expected.empty());
                    const Expected next = expected.front();
                    expected.pop_front();
                    const uint8_t* record = msg.records.data() + static_cast<size_t>(i) * kEntityStateRecSize;
                    Check(record_bytes::GetU32(record, kValueOffset) == next.serial);
                    Check(next.arrival < limit);
                    Check(msg.header.requestCode == next.code && msg.header.neId == next.neId);
                    Check(msg.trapLogOnly == next.logOnly);
                    if (next.live) {
                        latest.erase({next.neId, record_bytes::GetU32(record, 0)});
                    }
                }
            }
            Check(taken <= most);
        }
        size_t wanted = 0;
        uint64_t first = UINT64_MAX;
        for (const Expected& e : expected) {
            if (e.live || e.logOnly) {
                first = std::min(first, e.arrival);
                ++wanted;
            }
        }
        Check(fold.RecordCount() == wanted && fold.Empty() == (wanted == 0));
        Check(fold.FirstArrival() == first);
    }
    return 0;
}
