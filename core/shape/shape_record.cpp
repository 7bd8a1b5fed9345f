#include "core/shape/shape_record.h"

#include <array>

namespace {

constexpr std::array<const char*, kShapeCodeCount> kCodeNames = {
    "B3", "BG", "BR", "BB", "RL",  "RS",  "RG",  "RPH", "RPF", "RPR", "Q", "QS", "QG", "T",   "TS",  "TM", "TN", "TT",
    "TL", "TA", "TE", "TG", "TPH", "TPF", "TPR", "R",   "R2",  "C",   "L", "LA", "TR", "TRS", "TRG", "PL", "PS", "PG",
};

} // namespace

int FreeShape(ShapeRecord* record)
{
    if (record == nullptr)
        return -1;
    record->coords.clear();
    record->coords.shrink_to_fit();
    record->text.clear();
    record->text.shrink_to_fit();
    record->font = nullptr;
    record->code = kShapeNone;
    return 0;
}

const char* ShapeCodeName(int code)
{
    if (code < 1 || code > kShapeCodeCount)
        return "";
    return kCodeNames[static_cast<size_t>(code - 1)];
}
