#include "ui/framework/shapes/shape_refs.h"

#include "core/entity/entity_model_set.h"

#include <limits>

namespace {

// Image handles of the picture table are small numbers; one that does not fit a shape word counts as none.
int32_t HandleOf(const CEntityModelSet& models, int32_t zeroBasedIndex)
{
    if (zeroBasedIndex < 0 || zeroBasedIndex == std::numeric_limits<int32_t>::max())
        return 0;
    const uintptr_t handle = models.GetImageHandle(zeroBasedIndex + 1);
    return handle <= static_cast<uintptr_t>(std::numeric_limits<int32_t>::max()) ? static_cast<int32_t>(handle) : 0;
}

} // namespace

void ResolveShapeRefs(ShapeRecord& record, const CEntityModelSet& models)
{
    if (record.code == kShapeRPF || record.code == kShapeTPF) {
        record.color1 = HandleOf(models, record.color1);
        record.color2 = HandleOf(models, record.color2);
    }
    if (IsShapeTextCode(record.code)) {
        record.font = record.index >= 0 && record.index < std::numeric_limits<int32_t>::max()
                          ? models.GetFont(record.index + 1)
                          : nullptr;
    }
}
