// Shape strings come from the entity definition files: any byte sequence must parse or fail cleanly, and a parsed
// record must hold the coordinates its code promises.
#include "core/shape/shape_coord.h"
#include "core/shape/shape_parser.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

size_t ExpectedCoords(const ShapeRecord& r)
{
    switch (r.code) {
    case kShapeQ:
        return 10;
    case kShapeQG:
    case kShapeQS:
    case kShapeTR:
    case kShapeLA:
        return 8;
    case kShapeTRS:
    case kShapeTRG:
        return 6;
    case kShapeL:
        return 4;
    case kShapePL:
        return static_cast<size_t>(r.index) * 2;
    case kShapePS:
    case kShapePG:
        return static_cast<size_t>(r.index + 1) * 2;
    default:
        return 4;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    ShapeRecord record;
    if (ParseShape(text, record) != 0) {
        if (record.code != kShapeNone || !record.coords.empty() || !record.text.empty())
            std::abort();
        return 0;
    }
    if (record.code < 1 || record.code > kShapeCodeCount || record.coords.size() != ExpectedCoords(record))
        std::abort();
    if (IsShapeTextCode(record.code) && (record.text.empty() || record.text.size() > kMaxShapeTextLength))
        std::abort();
    ShapeRecord resolved = ResolveShapeRecord(record, -5, -7, 2000, 1500, 13);
    if (resolved.coords.size() != record.coords.size())
        std::abort();
    for (size_t i = 0; i + 1 < text.size() && i < 64; ++i)
        (void)ResolveShapeCoord(0, 0, 100, 100, ParseShapeCoord(text.substr(i, 12), 0), 7, static_cast<int>(i % 2));
    FreeShape(&record);
    return 0;
}
