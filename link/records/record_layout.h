#pragma once
// The field table of a record that crosses a link: one row per field with its name, offset, width and type, bound to
// the member of the record's struct that holds it, and for the direct link the field's column in the NE's MIB.
// Encoding and decoding (record_codec.h), the SNMP column map and the simulated peers' record keys all read it, so a
// record's layout is written once, next to its struct:
//
//     struct NeSnmpCommunityRecord {
//         std::string community;
//         uint32_t permission = 0;
//         uint32_t state = 0;
//     };
//
//     template <> struct RecordTable<NeSnmpCommunityRecord> {
//         using R = NeSnmpCommunityRecord;
//         static constexpr const char* kName = "NeSnmpCommunityRecord";
//         static constexpr uint32_t kSize = 32;
//         static constexpr RecordField kFields[] = {
//             Text<&R::community>("community", 0, 24).Key().Column(1, kColumnSecret),
//             U32<&R::permission>("permission", 24).Column(2, kColumnWritable),
//             U32<&R::state>("state", 28).Column(3, kColumnWritable),
//         };
//     };
//
// Bytes that no field names are zero when encoded and skipped when decoded; Reserved() names them where the layout
// says so. Every member of the struct belongs in the table. A password, its digest or a community is marked
// .Secret(): the logs never show its bytes (link/pdu_log.h).
//
// The compiler checks each table where kRecordLayout<Rec> is used: fields in offset order without overlap and inside
// the record, each bound to a member of the record's own struct and of the C++ type its wire type needs; key fields
// leading the record; columns numbered upwards in field order, none on a float or reserved field. A broken rule stops
// the build at RecordTableError with its reason. (The request catalogue checks that a record served as a table in the
// NE's MIB has a column on every key field: its INDEX.)
//
// A record inside the record takes a column number too: its own record's columns follow on from it, in its order, so
// that the counters a record repeats for several intervals are columns of the one table:
//
//     Nested<&R::current15Min>("current15Min", 8).Column(3),   // columns 1..9 of XdslPmCountersRec as 3..11

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <utility>

#include "core/util/utf8_text.h"
#include "link/records/record_bytes.h"

// How a field travels. Integers are little-endian; a text is UTF-8, zero-terminated inside its width (the longest
// start of whole characters that fits in width - 1 bytes is written; one read ends at the first zero or at the width
// and leaves out a character cut off at its end); an IPv4 address is 4 bytes, first number first; bytes are carried
// as they are; a record inside the record follows its own table.
enum class FieldType : uint8_t { kU8, kU16, kU32, kI16, kI32, kF32, kText, kIpv4, kBytes, kRecord, kReserved };

// A field's column in the direct link's table (or scalar group) of the record. Columns are read-only unless writable.
inline constexpr uint8_t kColumnWritable = 1;
// Readable through a read-write community only.
inline constexpr uint8_t kColumnSecret = 2;
// A count of seconds that travels as TimeTicks (hundredths), as sysUpTime does.
inline constexpr uint8_t kColumnUpTime = 4;
// A text holding an object identifier in dotted form, which travels as an OBJECT IDENTIFIER, as sysObjectID does.
inline constexpr uint8_t kColumnObjectId = 8;

struct FieldColumn {
    uint16_t number = 0; // 0: the field is not in the NE's MIB
    uint8_t flags = 0;
    const char* standardOid = nullptr; // a standard object's instance instead of the private column
};

struct RecordLayout;

struct RecordField {
    const char* name = nullptr;
    uint16_t offset = 0;
    uint16_t width = 0;
    FieldType type = FieldType::kReserved;
    bool key = false;    // part of what names the record in its family: the INDEX of its table in direct mode
    bool secret = false; // a password, a password's digest or a community: never shown in a log
    FieldColumn column;  // of a record field: the number of its record's first column (see below)
    const RecordLayout* nested = nullptr; // the layout of a record field's record
    const void* owner = nullptr; // the record struct the field is bound to (kRecordTag); null for reserved bytes
    void (*put)(const void* rec, uint8_t* at, uint16_t width) = nullptr;
    void (*get)(const uint8_t* at, uint16_t width, void* rec) = nullptr;

    constexpr RecordField Key() const
    {
        RecordField field = *this;
        field.key = true;
        return field;
    }
    constexpr RecordField Secret() const
    {
        RecordField field = *this;
        field.secret = true;
        return field;
    }
    constexpr RecordField Column(uint16_t number, uint8_t flags = 0, const char* standardOid = nullptr) const
    {
        RecordField field = *this;
        field.column = {number, flags, standardOid};
        return field;
    }
};

struct RecordLayout {
    const char* name = nullptr;
    uint32_t size = 0;
    std::span<const RecordField> fields;

    // The leading bytes that name a record in its family: up to the end of its last key field; 0 without one.
    constexpr uint32_t KeyLength() const
    {
        uint32_t length = 0;
        for (const RecordField& field : fields) {
            if (field.key)
                length = static_cast<uint32_t>(field.offset + field.width);
        }
        return length;
    }
    // The highest column number, a record field's own columns counted; 0 without columns.
    constexpr uint16_t LastColumn() const
    {
        uint16_t last = 0;
        for (const RecordField& field : fields) {
            if (field.column.number == 0)
                continue;
            const uint16_t own = field.nested != nullptr ? field.nested->LastColumn() : 1;
            last = static_cast<uint16_t>(field.column.number + own - 1);
        }
        return last;
    }
    // Whether a field of the record, or of a record inside it, is secret.
    constexpr bool HasSecrets() const
    {
        for (const RecordField& field : fields) {
            if (field.secret || (field.nested != nullptr && field.nested->HasSecrets()))
                return true;
        }
        return false;
    }
    constexpr bool HasColumns() const
    {
        for (const RecordField& field : fields) {
            if (field.column.number != 0)
                return true;
        }
        return false;
    }
};

// Writes the record at `rec` (of the layout's struct) into `out`: layout.size bytes, every byte no field names zero.
void EncodeFields(const RecordLayout& layout, const void* rec, uint8_t* out);
// Reads every field of the layout from `data` into `rec`; the caller has checked the size.
void DecodeFields(const RecordLayout& layout, const uint8_t* data, void* rec);
// Overwrites with '*' every byte but zeros of the secret fields (of records inside it too) of the record at `record`,
// of which only the first `size` bytes are there.
void MaskSecretFields(const RecordLayout& layout, uint8_t* record, size_t size);

// Specialised next to each record's struct (see above).
template <typename Rec> struct RecordTable;

template <typename T> inline constexpr char kRecordTag = 0;

namespace record_fields {

template <typename T> struct MemberOf;
template <typename C, typename M> struct MemberOf<M C::*> {
    using Class = C;
    using Type = M;
};

inline void Put(uint8_t* at, uint16_t, uint8_t value)
{
    record_bytes::PutU8(at, 0, value);
}
inline void Put(uint8_t* at, uint16_t, uint16_t value)
{
    record_bytes::PutU16(at, 0, value);
}
inline void Put(uint8_t* at, uint16_t, uint32_t value)
{
    record_bytes::PutU32(at, 0, value);
}
inline void Put(uint8_t* at, uint16_t, int16_t value)
{
    record_bytes::PutI16(at, 0, value);
}
inline void Put(uint8_t* at, uint16_t, int32_t value)
{
    record_bytes::PutI32(at, 0, value);
}
inline void Put(uint8_t* at, uint16_t, float value)
{
    record_bytes::PutF32(at, 0, value);
}
inline void Put(uint8_t* at, uint16_t width, const std::string& value)
{
    record_bytes::PutText(at, 0, width, Utf8WholePrefix(value, static_cast<size_t>(width) - 1));
}
template <size_t N> void Put(uint8_t* at, uint16_t, const std::array<uint8_t, N>& value)
{
    record_bytes::PutBytes(at, 0, value);
}

inline void Get(const uint8_t* at, uint16_t, uint8_t& value)
{
    value = record_bytes::GetU8(at, 0);
}
inline void Get(const uint8_t* at, uint16_t, uint16_t& value)
{
    value = record_bytes::GetU16(at, 0);
}
inline void Get(const uint8_t* at, uint16_t, uint32_t& value)
{
    value = record_bytes::GetU32(at, 0);
}
inline void Get(const uint8_t* at, uint16_t, int16_t& value)
{
    value = record_bytes::GetI16(at, 0);
}
inline void Get(const uint8_t* at, uint16_t, int32_t& value)
{
    value = record_bytes::GetI32(at, 0);
}
inline void Get(const uint8_t* at, uint16_t, float& value)
{
    value = record_bytes::GetF32(at, 0);
}
inline void Get(const uint8_t* at, uint16_t width, std::string& value)
{
    value = record_bytes::GetText(at, 0, width);
    value.resize(Utf8WholePrefix(value, value.size()).size());
}
template <size_t N> void Get(const uint8_t* at, uint16_t, std::array<uint8_t, N>& value)
{
    value = record_bytes::GetBytes<N>(at, 0);
}

// The member itself, or item `Index` of an array member.
template <auto Member, size_t Index> const auto& Ref(const void* rec)
{
    const auto& member = static_cast<const typename MemberOf<decltype(Member)>::Class*>(rec)->*Member;
    if constexpr (Index == SIZE_MAX)
        return member;
    else
        return member[Index];
}
template <auto Member, size_t Index> auto& Ref(void* rec)
{
    auto& member = static_cast<typename MemberOf<decltype(Member)>::Class*>(rec)->*Member;
    if constexpr (Index == SIZE_MAX)
        return member;
    else
        return member[Index];
}

template <auto Member, size_t Index> void PutMember(const void* rec, uint8_t* at, uint16_t width)
{
    Put(at, width, Ref<Member, Index>(rec));
}
template <auto Member, size_t Index> void GetMember(const uint8_t* at, uint16_t width, void* rec)
{
    Get(at, width, Ref<Member, Index>(rec));
}

// A field of wire type `type` bound to `Member` (or its item `Index`), whose C++ type must be `Expected`.
template <auto Member, typename Expected, size_t Index = SIZE_MAX>
constexpr RecordField Bind(const char* name, uint16_t offset, uint16_t width, FieldType type)
{
    using Traits = MemberOf<decltype(Member)>;
    if constexpr (Index == SIZE_MAX)
        static_assert(std::is_same_v<typename Traits::Type, Expected>, "the member's type does not fit the field");
    else
        static_assert(std::is_same_v<typename Traits::Type::value_type, Expected>,
                      "the member's items do not fit the field");
    RecordField field;
    field.name = name;
    field.offset = offset;
    field.width = width;
    field.type = type;
    field.owner = &kRecordTag<typename Traits::Class>;
    field.put = &PutMember<Member, Index>;
    field.get = &GetMember<Member, Index>;
    return field;
}

} // namespace record_fields

// The fields of a table, by wire type. Each checks the member's C++ type.
template <auto Member> constexpr RecordField U8(const char* name, uint16_t offset)
{
    return record_fields::Bind<Member, uint8_t>(name, offset, 1, FieldType::kU8);
}
template <auto Member> constexpr RecordField U16(const char* name, uint16_t offset)
{
    return record_fields::Bind<Member, uint16_t>(name, offset, 2, FieldType::kU16);
}
template <auto Member> constexpr RecordField U32(const char* name, uint16_t offset)
{
    return record_fields::Bind<Member, uint32_t>(name, offset, 4, FieldType::kU32);
}
template <auto Member> constexpr RecordField I16(const char* name, uint16_t offset)
{
    return record_fields::Bind<Member, int16_t>(name, offset, 2, FieldType::kI16);
}
template <auto Member> constexpr RecordField I32(const char* name, uint16_t offset)
{
    return record_fields::Bind<Member, int32_t>(name, offset, 4, FieldType::kI32);
}
template <auto Member> constexpr RecordField F32(const char* name, uint16_t offset)
{
    return record_fields::Bind<Member, float>(name, offset, 4, FieldType::kF32);
}
// A zero-terminated UTF-8 text in `width` bytes: whole characters in at most width - 1 of them.
template <auto Member> constexpr RecordField Text(const char* name, uint16_t offset, uint16_t width)
{
    return record_fields::Bind<Member, std::string>(name, offset, width, FieldType::kText);
}
// Item `Index` of an array of texts: one text of `width` bytes.
template <auto Member, size_t Index> constexpr RecordField TextItem(const char* name, uint16_t offset, uint16_t width)
{
    return record_fields::Bind<Member, std::string, Index>(name, offset, width, FieldType::kText);
}
template <auto Member> constexpr RecordField Ipv4(const char* name, uint16_t offset)
{
    return record_fields::Bind<Member, std::array<uint8_t, 4>>(name, offset, 4, FieldType::kIpv4);
}
// Bytes carried as they are; the width is the member's array size.
template <auto Member> constexpr RecordField Bytes(const char* name, uint16_t offset)
{
    using Type = typename record_fields::MemberOf<decltype(Member)>::Type;
    return record_fields::Bind<Member, Type>(name, offset, static_cast<uint16_t>(std::tuple_size_v<Type>),
                                             FieldType::kBytes);
}
// Bytes the layout reserves: zero when encoded, not read.
constexpr RecordField Reserved(uint16_t offset, uint16_t width)
{
    RecordField field;
    field.name = "reserved";
    field.offset = offset;
    field.width = width;
    field.type = FieldType::kReserved;
    return field;
}

// Named in the compiler's error where a record table breaks one of the rules above; never defined.
void RecordTableError(const char* reason);

template <typename Rec> consteval RecordLayout MakeRecordLayout()
{
    using Table = RecordTable<Rec>;
    const RecordLayout layout{Table::kName, Table::kSize, Table::kFields};
    uint32_t end = 0;
    uint16_t lastColumn = 0;
    bool pastKey = false;
    for (const RecordField& field : layout.fields) {
        if (field.owner != nullptr && field.owner != &kRecordTag<Rec>)
            RecordTableError("a field is bound to a member of another struct");
        if (field.width == 0 || field.offset < end)
            RecordTableError("fields overlap, are empty or are out of offset order");
        end = static_cast<uint32_t>(field.offset + field.width);
        if (end > layout.size)
            RecordTableError("a field ends beyond the record");
        if (field.key && pastKey)
            RecordTableError("key fields must lead the record");
        if (!field.key && field.type != FieldType::kReserved)
            pastKey = true;
        if (field.column.number != 0) {
            if (field.column.number <= lastColumn)
                RecordTableError("columns must be numbered upwards in field order");
            if (field.type == FieldType::kF32 || field.type == FieldType::kReserved)
                RecordTableError("a float or reserved field has no column");
            if ((field.column.flags & kColumnUpTime) != 0 && field.type != FieldType::kU32)
                RecordTableError("an up-time column is a u32 of seconds");
            if ((field.column.flags & kColumnObjectId) != 0 && field.type != FieldType::kText)
                RecordTableError("an object identifier column is a text");
            lastColumn = field.column.number;
            if (field.type == FieldType::kRecord) {
                if (field.key || field.column.flags != 0 || field.nested == nullptr || !field.nested->HasColumns())
                    RecordTableError("a record field's columns are its record's own, and no key");
                lastColumn = static_cast<uint16_t>(lastColumn + field.nested->LastColumn() - 1);
            }
        }
    }
    return layout;
}

template <typename Rec> inline constexpr RecordLayout kRecordLayout = MakeRecordLayout<Rec>();

namespace record_fields {

template <auto Member, size_t Index> void PutRecord(const void* rec, uint8_t* at, uint16_t)
{
    const auto& nested = Ref<Member, Index>(rec);
    EncodeFields(kRecordLayout<std::remove_cvref_t<decltype(nested)>>, &nested, at);
}
template <auto Member, size_t Index> void GetRecord(const uint8_t* at, uint16_t, void* rec)
{
    auto& nested = Ref<Member, Index>(rec);
    DecodeFields(kRecordLayout<std::remove_cvref_t<decltype(nested)>>, at, &nested);
}

// The member's type, or the type of its items.
template <typename T, size_t Index> struct ItemOf {
    using Type = typename T::value_type;
};
template <typename T> struct ItemOf<T, SIZE_MAX> {
    using Type = T;
};

// A record field bound to `Member` (or its item `Index`); the width is the nested record's size.
template <auto Member, size_t Index> constexpr RecordField BindRecord(const char* name, uint16_t offset)
{
    using Traits = MemberOf<decltype(Member)>;
    using Type = typename ItemOf<typename Traits::Type, Index>::Type;
    RecordField field;
    field.name = name;
    field.offset = offset;
    field.width = static_cast<uint16_t>(kRecordLayout<Type>.size);
    field.type = FieldType::kRecord;
    field.nested = &kRecordLayout<Type>;
    field.owner = &kRecordTag<typename Traits::Class>;
    field.put = &PutRecord<Member, Index>;
    field.get = &GetRecord<Member, Index>;
    return field;
}

} // namespace record_fields

// A record inside the record, encoded by its own table; the width is that record's size.
template <auto Member> constexpr RecordField Nested(const char* name, uint16_t offset)
{
    return record_fields::BindRecord<Member, SIZE_MAX>(name, offset);
}
// Item `Index` of an array of records: one record inside the record.
template <auto Member, size_t Index> constexpr RecordField NestedItem(const char* name, uint16_t offset)
{
    return record_fields::BindRecord<Member, Index>(name, offset);
}
