#pragma once
// The request catalogue: for every request code of the system (named in request_codes.h) what it carries and how
// the peers serve it. One entry describes a family of codes, as the workstation sees them:
//
//     Family(kReqNeSnmpCommunity, kReqNeSnmpCommunityAdd, kReqNeSnmpCommunityDelete) // size, key: the record's
//         .Direct(DirectTable().Writable().RowStatus()), // the NE's MIB table R.307, rows created and destroyed
//     Count(kReqNeSnmpCommunityCount, kReqNeSnmpCommunity),
//     Single(kReqServerOption).Query(1),                 // one setting; a query sends a 1-byte body
//     Action(kReqAlarmSync).Direct(DirectAction()),
//
// An entry's record is the one its codes carry (request_codes.h): the entry takes its size and key from the record's
// field table without naming it, and the compiler refuses a family whose siblings carry another record.
//
// The typed requests (link/record_requests.h) take the bodies of queries and actions from it, the simulated server's
// generic store keeps records by its kinds and keys, and the direct link's request map (link/snmp) is built from its
// direct-mode entries and the records' columns.

#include "link/records/record_layout.h"
#include "link/records/request_codes.h"

#include <cstdint>
#include <span>

enum class RequestKind : uint8_t {
    kFamily,       // records kept by key: query and modify, with add, delete and delete-all siblings where it has them
    kSingle,       // one setting: the records written last
    kAction,       // a one-shot request; nothing is kept
    kCount,        // the number of records of a family, answered as one 16-bit word
    kNotification, // sent by the server only
};

// How the direct link reaches a code in the NE's MIB (private subtree R.<code>).
enum class DirectAccess : uint8_t {
    kNone,    // not in direct mode: "request not supported"
    kIgnored, // answered at once with an empty reply
    kScalars, // a scalar group: GET and SET of R.<code>.0.<column>
    kTable,   // a table: walked by GET-NEXT / GETBULK, rows SET
    kAction,  // SET R.<code>.0 to 1
    kCount,   // a count: GET R.<code>.0.1, the rows of the counted family's table
};
// How a query's request record bounds the walk of a table.
enum class DirectRange : uint8_t {
    kAll,        // the whole table
    kFirstLast,  // (u32 first, u32 last) of the first index column
    kFirstCount, // (ignored, u32 number of rows) from the start of the table
    kKeyPrefix,  // (u32 key): the rows whose first index column is the key
    kKeyRange,   // (u32 key, u32 first, u32 last): the key's rows whose second index column lies in [first, last]
    kEntityKey,  // (u32 entity id): the rows whose first index column is a port at or below the entity; all for the NE
    kKeyPair,    // (u32 key, u32 second): the rows whose first two index columns are the key and the second
};
// What the driver adds to a reply record from its own session.
enum class DirectFixup : uint8_t {
    kNone,
    kNeKeyFromSession, // NE id 1, the address as name, address, port and community of the session
};

// A record type with a field table (record_layout.h), as opposed to the markers of request_code.h.
template <typename T>
concept TabledRecord = requires
{
    RecordTable<T>::kSize;
};

struct DirectSpec {
    DirectAccess access = DirectAccess::kNone;
    const RecordLayout* record = nullptr; // the record in direct mode, when it differs from the server's
    uint16_t objectCode = 0;              // R.<objectCode> holds the data; 0 = the code's own
    bool writable = false;                // operation 2 writes the writable columns
    bool rowStatus = false;               // the table ends with a RowStatus column; add and delete create and destroy
    bool trigger = false;                 // operation 2 sets R.<code>.0 to the first word of its record
    bool addChanges = false;              // an add of a row the table has changes its writable columns
    DirectRange range = DirectRange::kAll;
    DirectFixup fixup = DirectFixup::kNone;

    template <typename Rec> constexpr DirectSpec Of() const
    {
        DirectSpec spec = *this;
        spec.record = &kRecordLayout<Rec>;
        return spec;
    }
    constexpr DirectSpec Object(uint16_t code) const
    {
        DirectSpec spec = *this;
        spec.objectCode = code;
        return spec;
    }
    constexpr DirectSpec Writable() const
    {
        DirectSpec spec = *this;
        spec.writable = true;
        return spec;
    }
    constexpr DirectSpec Trigger() const
    {
        DirectSpec spec = *this;
        spec.trigger = true;
        return spec;
    }
    constexpr DirectSpec AddChanges() const
    {
        DirectSpec spec = *this;
        spec.addChanges = true;
        return spec;
    }
    constexpr DirectSpec RowStatus() const
    {
        DirectSpec spec = *this;
        spec.rowStatus = true;
        return spec;
    }
    constexpr DirectSpec Range(DirectRange value) const
    {
        DirectSpec spec = *this;
        spec.range = value;
        return spec;
    }
    constexpr DirectSpec Fixup(DirectFixup value) const
    {
        DirectSpec spec = *this;
        spec.fixup = value;
        return spec;
    }
};

constexpr DirectSpec DirectIgnored()
{
    return {DirectAccess::kIgnored};
}
constexpr DirectSpec DirectScalars()
{
    return {DirectAccess::kScalars};
}
constexpr DirectSpec DirectTable()
{
    return {DirectAccess::kTable};
}
constexpr DirectSpec DirectAction()
{
    return {DirectAccess::kAction};
}
constexpr DirectSpec DirectCount()
{
    return {DirectAccess::kCount};
}

struct RequestSpec {
    uint16_t code = 0; // the family's query and modify code
    RequestKind kind = RequestKind::kAction;
    bool server = true; // the management server serves it
    uint16_t addCode = 0;
    uint16_t deleteCode = 0;
    uint16_t deleteAllCode = 0;
    uint16_t countOf = 0;                      // count: the family counted
    const RecordLayout* record = nullptr;      // the record, when it has a field table
    const RecordLayout* replyRecord = nullptr; // what a query's reply holds, where it is not the code's record
    uint32_t recordSize = 0;                   // bytes of one record; 0 where no size is fixed
    uint32_t querySize = 0;                    // the body of a query; 0 = a record of zeros
    uint16_t keyLength = 0;                    // family: the leading bytes that name a record
    uint16_t queryKeyLength = 0;               // family: leading bytes of a query record that select records (0: all)
    uint16_t queryKeyOffset = 0;               // family: where in a query record the selecting bytes start
    bool keepsReadOnly = false;                // a modify changes the writable columns only; the far end keeps the rest
    bool autoId = false;                       // family: an added record whose u32 at 0 is zero gets the next free id
    bool startsEmpty = false;                  // single: nothing is answered before the first write, not zeros
    bool serverWide = false;                   // family: one set for all NEs, whatever NE a request names
    DirectSpec direct;

    // Bytes of zeros a query sends when the caller gives no record, and an action or modify without a record.
    constexpr uint32_t QueryBodySize() const { return querySize != 0 ? querySize : BodySize(); }
    constexpr uint32_t BodySize() const { return recordSize != 0 ? recordSize : 1; }

    // The record by its field table: its size, and its key fields as the family's key.
    template <typename Rec> constexpr RequestSpec Of() const
    {
        RequestSpec spec = *this;
        spec.record = &kRecordLayout<Rec>;
        spec.recordSize = kRecordLayout<Rec>.size;
        spec.keyLength = static_cast<uint16_t>(kRecordLayout<Rec>.KeyLength());
        return spec;
    }
    constexpr RequestSpec Query(uint32_t bytes) const
    {
        RequestSpec spec = *this;
        spec.querySize = bytes;
        return spec;
    }
    // A query whose body is a record of its own (criteria, a range, a selection), sized by its field table.
    template <typename Body> constexpr RequestSpec QueryOf() const { return Query(kRecordLayout<Body>.size); }
    // A query answered with records of another kind than the code carries (an action whose query lists states).
    template <typename Reply> constexpr RequestSpec ReplyOf() const
    {
        RequestSpec spec = *this;
        spec.replyRecord = &kRecordLayout<Reply>;
        return spec;
    }
    constexpr RequestSpec QueryKey(uint16_t queryLength) const
    {
        RequestSpec spec = *this;
        spec.queryKeyLength = queryLength;
        return spec;
    }
    // The selecting bytes of a query record start at `offset`, not at its first byte; in direct mode the walk of
    // a table's rows under a key (DirectRange::kKeyPrefix) takes its key there too.
    constexpr RequestSpec QueryKeyAt(uint16_t offset) const
    {
        RequestSpec spec = *this;
        spec.queryKeyOffset = offset;
        return spec;
    }
    // A modify changes what the record's writable columns hold; the far end keeps its read-only fields (states,
    // counters, its own addresses), which a write sends as zeros.
    constexpr RequestSpec KeepsReadOnly() const
    {
        RequestSpec spec = *this;
        spec.keepsReadOnly = true;
        return spec;
    }
    constexpr RequestSpec AutoId() const
    {
        RequestSpec spec = *this;
        spec.autoId = true;
        return spec;
    }
    constexpr RequestSpec StartsEmpty() const
    {
        RequestSpec spec = *this;
        spec.startsEmpty = true;
        return spec;
    }
    constexpr RequestSpec ServerWide() const
    {
        RequestSpec spec = *this;
        spec.serverWide = true;
        return spec;
    }
    constexpr RequestSpec DirectOnly() const
    {
        RequestSpec spec = *this;
        spec.server = false;
        return spec;
    }
    constexpr RequestSpec Direct(DirectSpec value) const
    {
        RequestSpec spec = *this;
        spec.direct = value;
        return spec;
    }
};

// What a code does in its family.
enum class RequestRole : uint8_t { kQueryModify, kAdd, kDelete, kDeleteAll };

struct RequestEntry {
    const RequestSpec* spec = nullptr; // null: the catalogue does not know the code
    RequestRole role = RequestRole::kQueryModify;
};

std::span<const RequestSpec> RequestCatalogue();
RequestEntry FindRequest(uint16_t code);
