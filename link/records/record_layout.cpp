#include "link/records/record_layout.h"

#include <algorithm>
#include <cstring>

void EncodeFields(const RecordLayout& layout, const void* rec, uint8_t* out)
{
    std::memset(out, 0, layout.size);
    for (const RecordField& field : layout.fields) {
        if (field.put != nullptr)
            field.put(rec, out + field.offset, field.width);
    }
}

void DecodeFields(const RecordLayout& layout, const uint8_t* data, void* rec)
{
    for (const RecordField& field : layout.fields) {
        if (field.get != nullptr)
            field.get(data + field.offset, field.width, rec);
    }
}

void MaskSecretFields(const RecordLayout& layout, uint8_t* record, size_t size)
{
    for (const RecordField& field : layout.fields) {
        if (field.offset >= size)
            break;
        if (field.nested != nullptr) {
            MaskSecretFields(*field.nested, record + field.offset, size - field.offset);
            continue;
        }
        if (!field.secret)
            continue;
        // Zeros are left: they tell an empty field, not what it holds.
        const size_t end = std::min<size_t>(size, field.offset + field.width);
        for (size_t i = field.offset; i < end; ++i) {
            if (record[i] != 0)
                record[i] = '*';
        }
    }
}
