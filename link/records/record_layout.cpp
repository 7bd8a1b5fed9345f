#include "link/records/record_layout.h"

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
