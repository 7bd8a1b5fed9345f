#pragma once
// The request-code map of the direct link: for each request code, where its record lives in the NE's MIB. The SNMP
// driver builds its operations from it and the simulated NE agent serves its tables from it, so both sides read
// one definition; the default map is built from the request catalogue's direct-mode entries and the columns of the
// records' field tables.
//
// Private objects live under R = 1.3.6.1.4.1.32473.1. A table of request code c has entries R.c.1.<column>.<index>,
// columns numbered from 1 in record-field order; a scalar group has instances R.c.0.<column>; an action is the
// scalar R.c.0, set to 1; a count is the scalar R.c.0.1, the number of rows of the table it counts. Writable tables end
// with a RowStatus column. Secret columns (NE user passwords, the communities) are outside what a read-only community
// sees.

#include "link/snmp/snmp_oid.h"
#include "link/snmp/snmp_value.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

inline constexpr uint32_t kSnmpEnterpriseNumber = 32473;

// R, the root of the private subtree.
const CSnmpOid& SnmpPrivateRoot();
// The entityStateChange notification: R.0.1 (v1: enterprise R.0, specific trap 1).
const CSnmpOid& SnmpEntityStateChangeTrapOid();
const CSnmpOid& SnmpTrapEnterpriseOid();
inline constexpr int32_t kSnmpEntityStateChangeSpecific = 1;

// Standard objects the link uses.
const CSnmpOid& SnmpSysUpTimeOid(); // 1.3.6.1.2.1.1.3.0
const CSnmpOid& SnmpTrapOidOid();   // snmpTrapOID.0, 1.3.6.1.6.3.1.1.4.1.0
const CSnmpOid& SnmpColdStartOid(); // 1.3.6.1.6.3.1.1.5.1
const CSnmpOid& SnmpWarmStartOid(); // 1.3.6.1.6.3.1.1.5.2

enum class SnmpColumnType : uint8_t {
    Unsigned8,     // Gauge32
    Unsigned16,    // Gauge32
    Unsigned32,    // Gauge32
    Integer16,     // INTEGER
    Integer32,     // INTEGER
    Text,          // OCTET STRING, zero-terminated in a field of `width` bytes
    IpAddress,     // IpAddress, 4 bytes
    Octets,        // OCTET STRING, raw bytes of at most `width`
    UpTimeSeconds, // TimeTicks read as whole seconds into a u32
    ObjectIdText,  // OBJECT IDENTIFIER, its dotted form zero-terminated in a field of `width` bytes
};

struct SnmpColumnDef {
    uint32_t number = 0; // column (table) or scalar sub-id
    uint16_t offset = 0; // in the record
    uint16_t width = 0;  // bytes in the record
    SnmpColumnType type = SnmpColumnType::Unsigned32;
    bool writable = false;
    const char* instanceOid = nullptr; // a standard object's instance instead of the private one
    bool secret = false;               // readable through a read-write community only
};

enum class SnmpEntryKind : uint8_t {
    Ignored,     // answered at once with an empty reply
    ScalarGroup, // GET / SET of scalars
    Table,       // walked by GET-NEXT / GETBULK, rows SET
    Action,      // SET R.c.0 = 1
    Count,       // GET R.c.0.1: the number of rows of the table R.<countedObject>
};

// How a query's request record bounds the walk of a table.
enum class SnmpQueryRange : uint8_t {
    All,        // the whole table
    FirstLast,  // (u32 first, u32 last) of the first index column
    FirstCount, // (ignored, u32 number of rows) from the start of the table
    KeyPrefix,  // (u32 key): the rows whose first index column is the key
    KeyRange,   // (u32 key, u32 first, u32 last): the key's rows whose second index column lies in [first, last]
    EntityKey,  // (u32 entity id): the rows whose first index column is a port at or below the entity; all for the NE
    KeyPair,    // (u32 key, u32 second): the rows whose first two index columns are the key and the second
};

// What an operation-2 request does to a table row.
enum class SnmpWriteKind : uint8_t {
    None,    // the code cannot be written in direct mode
    Modify,  // SET the writable columns of the row the record names
    Add,     // SET the row with RowStatus createAndGo
    Delete,  // SET RowStatus destroy
    Trigger, // SET R.c.0 to the first word of the record (an action on the row it names)
};

// What the driver adds to a reply record from its own session.
enum class SnmpRecordFixup : uint8_t {
    None,
    NeKeyFromSession, // NE id 1, the address as name, address, port and community of the session
};

inline constexpr int32_t kRowStatusActive = 1;
inline constexpr int32_t kRowStatusCreateAndGo = 4;
inline constexpr int32_t kRowStatusDestroy = 6;

struct SnmpRequestEntry {
    uint16_t code = 0;
    SnmpEntryKind kind = SnmpEntryKind::Ignored;
    uint16_t objectCode = 0; // R.<objectCode> holds the data (several codes may share one table)
    uint32_t recordSize = 0;
    std::vector<SnmpColumnDef> columns; // in record-field order
    std::vector<uint32_t> indexColumns; // column numbers making the INDEX, in order
    bool rowStatus = false;             // a RowStatus column follows the last column
    bool addChanges = false;            // Add: a row the table has already takes the writable columns
    SnmpQueryRange queryRange = SnmpQueryRange::All;
    uint16_t queryKeyOffset = 0; // KeyPrefix, KeyRange and KeyPair: where in the request record the key starts
    SnmpWriteKind writeKind = SnmpWriteKind::None;
    SnmpRecordFixup fixup = SnmpRecordFixup::None;
    uint16_t countedObject = 0; // Count: the table counted

    const SnmpColumnDef* FindColumn(uint32_t number) const;
    uint32_t RowStatusColumn() const;
    // Reading the column tells a secret: the column is secret, or the row's INDEX (part of every cell's OID) holds
    // a secret column.
    bool IsSecretCell(uint32_t column) const;
    // R.<objectCode>, and R.<objectCode>.1 for a table.
    CSnmpOid ObjectOid() const;
    CSnmpOid EntryOid() const;
    // The column's OID without instance (table) or its full instance OID (scalar).
    CSnmpOid ColumnOid(const SnmpColumnDef& column) const;
    CSnmpOid ActionOid() const { return ObjectOid().Appended(0); }
    CSnmpOid CountOid() const { return ObjectOid().Appended(0).Appended(1); }
};

class CSnmpRequestMap {
public:
    // Adds or replaces the entry of its code.
    void Add(SnmpRequestEntry entry);
    const SnmpRequestEntry* Find(uint16_t code) const;
    const std::map<uint16_t, SnmpRequestEntry>& Entries() const { return entries_; }

private:
    std::map<uint16_t, SnmpRequestEntry> entries_;
};

// The codes the direct link answers, from the request catalogue.
const CSnmpRequestMap& DefaultSnmpRequestMap();

// Converting between record fields and SNMP values.
enum class SnmpStoreResult : uint8_t { Ok, WrongType, WrongLength, WrongValue };

SnmpValue SnmpColumnValue(const SnmpColumnDef& column, const uint8_t* record);
SnmpStoreResult StoreSnmpColumnValue(const SnmpColumnDef& column, const SnmpValue& value, uint8_t* record);

// The INDEX of the row a record names, and the reverse: fills the index columns of a record from an OID suffix.
// Decoding fails when the suffix is not exactly one well-formed index.
CSnmpOid EncodeSnmpRowIndex(const SnmpRequestEntry& entry, const uint8_t* record);
bool DecodeSnmpRowIndex(const SnmpRequestEntry& entry, const CSnmpOid& index, uint8_t* record);
