#pragma once
// Encoding and decoding of the records of the links by their field tables (record_layout.h): a record's bytes follow
// its table and nothing else.
//
//     const auto bytes = EncodeRecord(community);           // std::array of kRecordSize<NeSnmpCommunityRecord>
//     NeSnmpCommunityRecord back;
//     if (!DecodeRecord(bytes.data(), bytes.size(), &back)) // false for a short buffer
//         ...

#include "link/records/record_layout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

template <typename Rec> inline constexpr uint32_t kRecordSize = kRecordLayout<Rec>.size;

namespace record_fields {

// The table walked at compile time, so that each field's access is a direct call the compiler can inline (the
// same as EncodeFields and DecodeFields do at run time).
template <typename Rec, size_t... I> void EncodeAll(const Rec& rec, uint8_t* out, std::index_sequence<I...>)
{
    std::memset(out, 0, kRecordSize<Rec>);
    (
        [&] {
            constexpr RecordField field = RecordTable<Rec>::kFields[I];
            if constexpr (field.put != nullptr)
                field.put(&rec, out + field.offset, field.width);
        }(),
        ...);
}
template <typename Rec, size_t... I> void DecodeAll(const uint8_t* data, Rec* out, std::index_sequence<I...>)
{
    (
        [&] {
            constexpr RecordField field = RecordTable<Rec>::kFields[I];
            if constexpr (field.get != nullptr)
                field.get(data + field.offset, field.width, out);
        }(),
        ...);
}
template <typename Rec> using FieldIndexes = std::make_index_sequence<kRecordLayout<Rec>.fields.size()>;

} // namespace record_fields

// Writes kRecordSize<Rec> bytes at `out`: every field by the table, every byte no field names zero.
template <typename Rec> void EncodeRecord(const Rec& rec, uint8_t* out)
{
    record_fields::EncodeAll(rec, out, record_fields::FieldIndexes<Rec>{});
}

template <typename Rec> std::array<uint8_t, kRecordSize<Rec>> EncodeRecord(const Rec& rec)
{
    std::array<uint8_t, kRecordSize<Rec>> bytes;
    EncodeRecord(rec, bytes.data());
    return bytes;
}

// The records one after the other.
template <typename Rec> std::vector<uint8_t> EncodeRecords(const std::vector<Rec>& records)
{
    std::vector<uint8_t> bytes(records.size() * kRecordSize<Rec>);
    for (size_t i = 0; i < records.size(); ++i)
        EncodeRecord(records[i], bytes.data() + i * kRecordSize<Rec>);
    return bytes;
}

// False, `out` untouched, when `data` or `out` is null or `size` is short of the record. Bytes past the record are
// not looked at.
template <typename Rec> bool DecodeRecord(const uint8_t* data, size_t size, Rec* out)
{
    if (data == nullptr || out == nullptr || size < kRecordSize<Rec>)
        return false;
    record_fields::DecodeAll(data, out, record_fields::FieldIndexes<Rec>{});
    return true;
}

// The records of a range of encoded records, in order; one that does not decode is left out. `bytesOf` gives an
// element's bytes (a container of bytes), by default the element itself.
template <typename Rec, typename EncodedRange, typename BytesOf>
std::vector<Rec> DecodeEach(const EncodedRange& encoded, BytesOf bytesOf)
{
    std::vector<Rec> records;
    for (const auto& element : encoded) {
        const auto& bytes = bytesOf(element);
        Rec rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec))
            records.push_back(rec);
    }
    return records;
}
template <typename Rec, typename EncodedRange> std::vector<Rec> DecodeEach(const EncodedRange& encoded)
{
    return DecodeEach<Rec>(
        encoded, [](const auto& bytes) -> const auto& { return bytes; });
}

// `count` records laid out every `stride` bytes (the size a reply carries them in, at least the record's), in order.
// False, `out` untouched, when `data` or `out` is null or the stride is short of the record.
template <typename Rec> bool DecodeRecords(const uint8_t* data, size_t count, size_t stride, std::vector<Rec>* out)
{
    if (data == nullptr || out == nullptr || stride < kRecordSize<Rec>)
        return false;
    out->assign(count, Rec{});
    for (size_t i = 0; i < count; ++i)
        record_fields::DecodeAll(data + i * stride, &(*out)[i], record_fields::FieldIndexes<Rec>{});
    return true;
}
