// The simulated server's store for every request code that it has no special knowledge of, so that each function of
// the workstation finds a peer that keeps what it writes. It serves the codes of the request catalogue by their kinds,
// keeping records per code family and NE id:
// - a family (base code query and modify, an add code, a delete code, maybe a delete-all code) keys its records by
//   their first bytes, with the key length of its record; a server-wide family keeps one set, under NE 0. An add
//   refuses a key it holds; a modify of a family that has an add code, and a delete, refuse a key it does not hold.
//   A query answers the records whose key starts with the query's selecting bytes, or all;
// - a record that keeps its read-only fields (RequestSpec::keepsReadOnly) takes from a modify what its writable columns
//   hold, and keeps the rest as it was;
// - a single setting keeps the records last written, answering zeros of its size before the first write (unless it
//   starts empty);
// - an action only answers;
// - a count answers the number of records of a family in a 16-bit word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "link/records/record_codec.h"
#include "link/records/request_catalogue.h"
#include "link/records/request_code.h"

struct GenericReply {
    uint32_t status = 0; // 0, or a driver result code: kDrvTextReply for a refusal, which says why in `reason`
    std::string reason;
    uint32_t recordSize = 0;
    uint32_t count = 0;
    std::vector<uint8_t> records;
};

class CGenericRecordStore {
public:
    // One request: `count` records of `recordSize` bytes at `records`.
    GenericReply Handle(uint16_t code, uint8_t operation, uint32_t neId, const uint8_t* records, uint32_t count,
                        uint32_t recordSize);

    // Forgets every record kept for an NE.
    void RemoveNe(uint32_t neId);
    // The bytes of every record kept.
    size_t StoredBytes() const;

    // The records kept of a code's family for an NE (a setting's last written), in key order; none when there are
    // none.
    std::vector<std::vector<uint8_t>> KeptRecords(uint16_t code, uint32_t neId) const;
    // The same, decoded; one that does not decode is left out.
    template <class Rec> std::vector<Rec> DecodedKeptRecords(RequestCode<Rec> code, uint32_t neId) const
    {
        return DecodeEach<Rec>(KeptRecords(code, neId));
    }
    // The family's records for the NE become `records`, each of `recordSize` bytes; the ones it held go.
    void ReplaceRecords(uint16_t code, uint32_t neId, uint32_t recordSize,
                        const std::vector<std::vector<uint8_t>>& records);

private:
    using Record = std::vector<uint8_t>;
    // A family's records are indexed by their key bytes, so that a batch of many records costs no scan per record;
    // a single setting keeps the records of its last write in their order.
    struct Family {
        uint32_t recordSize = 0;
        std::map<Record, Record> keyed; // by the record's first min(key length, record size) bytes
        std::vector<Record> single;
        uint32_t lastId = 0; // the highest id given or written, for families that give ids
    };
    // A copy of the store (a database backup of the server) shares each family with the store it copies until
    // either writes it, so that a copy costs no copy of the records.
    class SharedFamily {
    public:
        const Family& operator*() const { return *family_; }
        const Family* operator->() const { return family_.get(); }
        // The family to write, no longer shared with a copy.
        Family& Mutable()
        {
            if (family_.use_count() > 1)
                family_ = std::make_shared<Family>(*family_);
            return *family_;
        }

    private:
        std::shared_ptr<Family> family_ = std::make_shared<Family>();
    };
    GenericReply Query(const RequestSpec& spec, uint32_t neId, const uint8_t* request, uint32_t requestSize);
    GenericReply Modify(const RequestSpec& spec, uint32_t neId, const uint8_t* records, uint32_t count,
                        uint32_t recordSize);
    GenericReply Add(const RequestSpec& spec, uint32_t neId, const uint8_t* records, uint32_t count,
                     uint32_t recordSize);
    GenericReply Delete(const RequestSpec& spec, uint32_t neId, const uint8_t* records, uint32_t count,
                        uint32_t recordSize);

    std::map<std::pair<uint16_t, uint32_t>, SharedFamily> families_; // by (base code, NE id)
};
