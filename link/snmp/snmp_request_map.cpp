#include "link/snmp/snmp_request_map.h"

#include "link/records/record_bytes.h"
#include "link/records/request_catalogue.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace record_bytes;

const CSnmpOid& SnmpPrivateRoot()
{
    static const CSnmpOid root{1, 3, 6, 1, 4, 1, kSnmpEnterpriseNumber, 1};
    return root;
}

const CSnmpOid& SnmpTrapEnterpriseOid()
{
    static const CSnmpOid oid = SnmpPrivateRoot().Appended(0);
    return oid;
}

const CSnmpOid& SnmpEntityStateChangeTrapOid()
{
    static const CSnmpOid oid = SnmpTrapEnterpriseOid().Appended(kSnmpEntityStateChangeSpecific);
    return oid;
}

const CSnmpOid& SnmpSysUpTimeOid()
{
    static const CSnmpOid oid{1, 3, 6, 1, 2, 1, 1, 3, 0};
    return oid;
}

const CSnmpOid& SnmpTrapOidOid()
{
    static const CSnmpOid oid{1, 3, 6, 1, 6, 3, 1, 1, 4, 1, 0};
    return oid;
}

const CSnmpOid& SnmpColdStartOid()
{
    static const CSnmpOid oid{1, 3, 6, 1, 6, 3, 1, 1, 5, 1};
    return oid;
}

const CSnmpOid& SnmpWarmStartOid()
{
    static const CSnmpOid oid{1, 3, 6, 1, 6, 3, 1, 1, 5, 2};
    return oid;
}

const SnmpColumnDef* SnmpRequestEntry::FindColumn(uint32_t number) const
{
    for (const SnmpColumnDef& column : columns) {
        if (column.number == number)
            return &column;
    }
    return nullptr;
}

bool SnmpRequestEntry::IsSecretCell(uint32_t column) const
{
    const SnmpColumnDef* def = FindColumn(column);
    if (def != nullptr && def->secret)
        return true;
    return std::any_of(indexColumns.begin(), indexColumns.end(), [this](uint32_t number) {
        const SnmpColumnDef* index = FindColumn(number);
        return index != nullptr && index->secret;
    });
}

uint32_t SnmpRequestEntry::RowStatusColumn() const
{
    uint32_t last = 0;
    for (const SnmpColumnDef& column : columns)
        last = std::max(last, column.number);
    return last + 1;
}

CSnmpOid SnmpRequestEntry::ObjectOid() const
{
    return SnmpPrivateRoot().Appended(objectCode);
}

CSnmpOid SnmpRequestEntry::EntryOid() const
{
    return ObjectOid().Appended(1);
}

CSnmpOid SnmpRequestEntry::ColumnOid(const SnmpColumnDef& column) const
{
    if (column.instanceOid != nullptr)
        return CSnmpOid::Parse(column.instanceOid).value_or(CSnmpOid());
    if (kind == SnmpEntryKind::Table)
        return EntryOid().Appended(column.number);
    return ObjectOid().Appended(0).Appended(column.number);
}

void CSnmpRequestMap::Add(SnmpRequestEntry entry)
{
    uint16_t code = entry.code;
    entries_[code] = std::move(entry);
}

const SnmpRequestEntry* CSnmpRequestMap::Find(uint16_t code) const
{
    auto it = entries_.find(code);
    return it == entries_.end() ? nullptr : &it->second;
}

namespace {

using T = SnmpColumnType;

SnmpColumnType ColumnType(const RecordField& field)
{
    if ((field.column.flags & kColumnUpTime) != 0)
        return T::UpTimeSeconds;
    if ((field.column.flags & kColumnObjectId) != 0)
        return T::ObjectIdText;
    switch (field.type) {
    case FieldType::kU8:
        return T::Unsigned8;
    case FieldType::kU16:
        return T::Unsigned16;
    case FieldType::kI16:
        return T::Integer16;
    case FieldType::kI32:
        return T::Integer32;
    case FieldType::kText:
        return T::Text;
    case FieldType::kIpv4:
        return T::IpAddress;
    case FieldType::kBytes:
        return T::Octets;
    default:
        return T::Unsigned32;
    }
}

// The columns of a record's fields, in field order, those of a record inside it in its place; a record that lies at
// `offset` in the entry's record, its columns numbered on from `firstColumn`.
void AddFieldColumns(const RecordLayout& record, uint16_t offset, uint32_t firstColumn, SnmpRequestEntry& entry)
{
    for (const RecordField& field : record.fields) {
        if (field.column.number == 0)
            continue;
        const uint32_t number = firstColumn + field.column.number - 1;
        const auto at = static_cast<uint16_t>(offset + field.offset);
        if (field.nested != nullptr) {
            AddFieldColumns(*field.nested, at, number, entry);
            continue;
        }
        SnmpColumnDef column{number,
                             at,
                             field.width,
                             ColumnType(field),
                             (field.column.flags & kColumnWritable) != 0,
                             field.column.standardOid,
                             (field.column.flags & kColumnSecret) != 0};
        entry.columns.push_back(column);
        if (field.key)
            entry.indexColumns.push_back(number);
    }
}

// The columns of a record and its INDEX: the columns of its key fields.
void AddColumns(const RecordLayout& record, SnmpRequestEntry& entry)
{
    entry.recordSize = record.size;
    AddFieldColumns(record, 0, 1, entry);
}

SnmpEntryKind EntryKind(DirectAccess access)
{
    switch (access) {
    case DirectAccess::kScalars:
        return SnmpEntryKind::ScalarGroup;
    case DirectAccess::kTable:
        return SnmpEntryKind::Table;
    case DirectAccess::kAction:
        return SnmpEntryKind::Action;
    case DirectAccess::kCount:
        return SnmpEntryKind::Count;
    default:
        return SnmpEntryKind::Ignored;
    }
}

SnmpRequestEntry EntryOf(const RequestSpec& spec, uint16_t code, SnmpWriteKind writeKind)
{
    const DirectSpec& direct = spec.direct;
    SnmpRequestEntry entry;
    entry.code = code;
    entry.kind = EntryKind(direct.access);
    entry.objectCode = direct.objectCode != 0 ? direct.objectCode : spec.code;
    if (const RecordLayout* record = direct.record != nullptr ? direct.record : spec.record;
        record != nullptr && direct.access != DirectAccess::kAction && direct.access != DirectAccess::kIgnored &&
        direct.access != DirectAccess::kCount) {
        AddColumns(*record, entry);
    }
    entry.rowStatus = direct.rowStatus;
    entry.addChanges = direct.addChanges;
    switch (direct.range) {
    case DirectRange::kAll:
        entry.queryRange = SnmpQueryRange::All;
        break;
    case DirectRange::kFirstLast:
        entry.queryRange = SnmpQueryRange::FirstLast;
        break;
    case DirectRange::kFirstCount:
        entry.queryRange = SnmpQueryRange::FirstCount;
        break;
    case DirectRange::kKeyPrefix:
        entry.queryRange = SnmpQueryRange::KeyPrefix;
        break;
    case DirectRange::kKeyRange:
        entry.queryRange = SnmpQueryRange::KeyRange;
        break;
    case DirectRange::kEntityKey:
        entry.queryRange = SnmpQueryRange::EntityKey;
        break;
    case DirectRange::kKeyPair:
        entry.queryRange = SnmpQueryRange::KeyPair;
        break;
    }
    entry.queryKeyOffset = spec.queryKeyOffset;
    entry.writeKind = writeKind;
    entry.fixup =
        direct.fixup == DirectFixup::kNeKeyFromSession ? SnmpRecordFixup::NeKeyFromSession : SnmpRecordFixup::None;
    return entry;
}

// Every code of the catalogue that the direct link answers; a table with a RowStatus column also takes its family's
// add and delete codes, which create and destroy rows.
CSnmpRequestMap BuildDefaultMap()
{
    CSnmpRequestMap map;
    for (const RequestSpec& spec : RequestCatalogue()) {
        if (spec.direct.access == DirectAccess::kNone)
            continue;
        const SnmpWriteKind write = spec.direct.trigger    ? SnmpWriteKind::Trigger
                                    : spec.direct.writable ? SnmpWriteKind::Modify
                                                           : SnmpWriteKind::None;
        SnmpRequestEntry entry = EntryOf(spec, spec.code, write);
        if (spec.kind == RequestKind::kCount) {
            const RequestEntry counted = FindRequest(spec.countOf);
            if (counted.spec == nullptr || counted.spec->direct.access != DirectAccess::kTable)
                continue;
            entry.countedObject =
                counted.spec->direct.objectCode != 0 ? counted.spec->direct.objectCode : counted.spec->code;
            entry.recordSize = spec.recordSize;
        }
        map.Add(std::move(entry));
        if (spec.direct.access == DirectAccess::kTable && spec.direct.rowStatus) {
            if (spec.addCode != 0)
                map.Add(EntryOf(spec, spec.addCode, SnmpWriteKind::Add));
            if (spec.deleteCode != 0)
                map.Add(EntryOf(spec, spec.deleteCode, SnmpWriteKind::Delete));
        }
    }
    return map;
}

bool FitsUnsigned(uint64_t value, SnmpColumnType type)
{
    switch (type) {
    case T::Unsigned8:
        return value <= 0xFF;
    case T::Unsigned16:
        return value <= 0xFFFF;
    default:
        return value <= 0xFFFFFFFFu;
    }
}

} // namespace

const CSnmpRequestMap& DefaultSnmpRequestMap()
{
    static const CSnmpRequestMap map = BuildDefaultMap();
    return map;
}

SnmpValue SnmpColumnValue(const SnmpColumnDef& column, const uint8_t* record)
{
    const size_t off = column.offset;
    switch (column.type) {
    case T::Unsigned8:
        return SnmpValue::Gauge32(GetU8(record, off));
    case T::Unsigned16:
        return SnmpValue::Gauge32(GetU16(record, off));
    case T::Unsigned32:
        return SnmpValue::Gauge32(GetU32(record, off));
    case T::Integer16:
        return SnmpValue::Integer(GetI16(record, off));
    case T::Integer32:
        return SnmpValue::Integer(GetI32(record, off));
    case T::Text:
        return SnmpValue::Octets(GetText(record, off, column.width));
    case T::IpAddress:
        return SnmpValue::IpAddress(GetBytes<4>(record, off));
    case T::Octets:
        return SnmpValue::Octets(std::vector<uint8_t>(record + off, record + off + column.width));
    case T::UpTimeSeconds: {
        uint64_t ticks = uint64_t{GetU32(record, off)} * 100;
        return SnmpValue::TimeTicks(static_cast<uint32_t>(std::min<uint64_t>(ticks, 0xFFFFFFFFu)));
    }
    case T::ObjectIdText:
        return SnmpValue::ObjectId(CSnmpOid::Parse(GetText(record, off, column.width)).value_or(CSnmpOid()));
    }
    return SnmpValue::Null();
}

SnmpStoreResult StoreSnmpColumnValue(const SnmpColumnDef& column, const SnmpValue& value, uint8_t* record)
{
    const size_t off = column.offset;
    switch (column.type) {
    case T::Unsigned8:
    case T::Unsigned16:
    case T::Unsigned32: {
        uint64_t v = 0;
        if (value.type == SnmpType::Integer) {
            if (value.integer < 0)
                return SnmpStoreResult::WrongValue;
            v = static_cast<uint64_t>(value.integer);
        } else if (value.type == SnmpType::Gauge32 || value.type == SnmpType::Counter32 ||
                   value.type == SnmpType::TimeTicks) {
            v = value.number;
        } else {
            return SnmpStoreResult::WrongType;
        }
        if (!FitsUnsigned(v, column.type))
            return SnmpStoreResult::WrongValue;
        if (column.type == T::Unsigned8)
            PutU8(record, off, static_cast<uint8_t>(v));
        else if (column.type == T::Unsigned16)
            PutU16(record, off, static_cast<uint16_t>(v));
        else
            PutU32(record, off, static_cast<uint32_t>(v));
        return SnmpStoreResult::Ok;
    }
    case T::Integer16:
    case T::Integer32: {
        if (value.type != SnmpType::Integer)
            return SnmpStoreResult::WrongType;
        if (column.type == T::Integer16) {
            if (value.integer < INT16_MIN || value.integer > INT16_MAX)
                return SnmpStoreResult::WrongValue;
            PutI16(record, off, static_cast<int16_t>(value.integer));
        } else {
            PutI32(record, off, static_cast<int32_t>(value.integer));
        }
        return SnmpStoreResult::Ok;
    }
    case T::Text:
        if (value.type != SnmpType::OctetString)
            return SnmpStoreResult::WrongType;
        if (value.bytes.size() >= column.width)
            return SnmpStoreResult::WrongLength;
        std::memset(record + off, 0, column.width);
        if (!value.bytes.empty())
            std::memcpy(record + off, value.bytes.data(), value.bytes.size());
        return SnmpStoreResult::Ok;
    case T::Octets:
        if (value.type != SnmpType::OctetString)
            return SnmpStoreResult::WrongType;
        if (value.bytes.size() > column.width)
            return SnmpStoreResult::WrongLength;
        std::memset(record + off, 0, column.width);
        if (!value.bytes.empty())
            std::memcpy(record + off, value.bytes.data(), value.bytes.size());
        return SnmpStoreResult::Ok;
    case T::IpAddress:
        if (value.type != SnmpType::IpAddress)
            return SnmpStoreResult::WrongType;
        if (value.bytes.size() != 4)
            return SnmpStoreResult::WrongLength;
        std::memcpy(record + off, value.bytes.data(), 4);
        return SnmpStoreResult::Ok;
    case T::UpTimeSeconds:
        if (value.type != SnmpType::TimeTicks)
            return SnmpStoreResult::WrongType;
        PutU32(record, off, static_cast<uint32_t>(value.number / 100));
        return SnmpStoreResult::Ok;
    case T::ObjectIdText: {
        if (value.type != SnmpType::ObjectId)
            return SnmpStoreResult::WrongType;
        const std::string text = value.oid.Format();
        if (text.size() >= column.width)
            return SnmpStoreResult::WrongLength;
        std::memset(record + off, 0, column.width);
        std::memcpy(record + off, text.data(), text.size());
        return SnmpStoreResult::Ok;
    }
    }
    return SnmpStoreResult::WrongType;
}

CSnmpOid EncodeSnmpRowIndex(const SnmpRequestEntry& entry, const uint8_t* record)
{
    CSnmpOid index;
    for (uint32_t number : entry.indexColumns) {
        const SnmpColumnDef* column = entry.FindColumn(number);
        if (column == nullptr)
            continue;
        SnmpValue value = SnmpColumnValue(*column, record);
        switch (column->type) {
        case T::Text:
        case T::Octets:
            index.Append(static_cast<uint32_t>(value.bytes.size()));
            for (uint8_t b : value.bytes)
                index.Append(b);
            break;
        case T::IpAddress:
            for (uint8_t b : value.bytes)
                index.Append(b);
            break;
        case T::Integer16:
        case T::Integer32:
            index.Append(static_cast<uint32_t>(value.integer));
            break;
        default:
            index.Append(static_cast<uint32_t>(value.number));
            break;
        }
    }
    return index;
}

bool DecodeSnmpRowIndex(const SnmpRequestEntry& entry, const CSnmpOid& index, uint8_t* record)
{
    size_t pos = 0;
    for (uint32_t number : entry.indexColumns) {
        const SnmpColumnDef* column = entry.FindColumn(number);
        if (column == nullptr || pos >= index.Size())
            return false;
        SnmpValue value;
        switch (column->type) {
        case T::Text:
        case T::Octets: {
            uint32_t length = index[pos++];
            // Raw octets fill their whole field (a MAC address is six bytes): a shorter index names no record.
            const bool lengthFits = column->type == T::Text ? length <= column->width - 1u : length == column->width;
            if (!lengthFits || index.Size() - pos < length)
                return false;
            std::vector<uint8_t> bytes;
            for (uint32_t i = 0; i < length; ++i) {
                // A text ends at its first zero byte: an index holding one names no record.
                if (index[pos] > 0xFF || (column->type == T::Text && index[pos] == 0))
                    return false;
                bytes.push_back(static_cast<uint8_t>(index[pos++]));
            }
            value = SnmpValue::Octets(std::move(bytes));
            break;
        }
        case T::IpAddress: {
            if (index.Size() - pos < 4)
                return false;
            std::array<uint8_t, 4> address{};
            for (auto& b : address) {
                if (index[pos] > 0xFF)
                    return false;
                b = static_cast<uint8_t>(index[pos++]);
            }
            value = SnmpValue::IpAddress(address);
            break;
        }
        case T::Integer16:
        case T::Integer32:
            value = SnmpValue::Integer(static_cast<int32_t>(index[pos++]));
            break;
        case T::UpTimeSeconds:
            value = SnmpValue::TimeTicks(index[pos++]);
            break;
        default:
            value = SnmpValue::Gauge32(index[pos++]);
            break;
        }
        if (StoreSnmpColumnValue(*column, value, record) != SnmpStoreResult::Ok)
            return false;
    }
    return pos == index.Size();
}
