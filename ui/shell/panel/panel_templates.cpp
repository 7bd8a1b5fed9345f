#include "ui/shell/panel/panel_templates.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/shape/shape_coord.h"
#include "core/shape/shape_parser.h"
#include "ui/framework/shapes/shape_refs.h"

namespace {

ShapeRecord ParseTemplateShape(const std::string* text, const CEntityModelSet& models)
{
    ShapeRecord record;
    if (text == nullptr || ParseShape(*text, record) != 0)
        return {};
    ResolveShapeRefs(record, models);
    return record;
}

} // namespace

void CPanelTemplates::FollowModels()
{
    if (generation_ == EntityModelsGeneration())
        return;
    generation_ = EntityModelsGeneration();
    parsed_.clear();
    selectedMark_ = {};
    ShapeRecord mark;
    if (ParseShape(CurrentEntityModels().GetSelectedMark(), mark) == 0 && mark.code == kShapeRL)
        selectedMark_ = mark;
}

const CParsedTemplate* CPanelTemplates::Find(const CEntityType& model, int severity, int state)
{
    FollowModels();
    const CEntityTemplate* source = model.GetTemplate(severity, state);
    if (source == nullptr)
        return nullptr;
    const auto found = parsed_.find(source);
    if (found != parsed_.end())
        return &found->second;

    const CEntityModelSet& models = CurrentEntityModels();
    CParsedTemplate& parsed = parsed_[source];
    parsed.size = source->size;
    parsed.fit = source->fit;
    parsed.shapes.reserve(source->shapes.size());
    for (int i = 0; i < source->GetShapeCount(); ++i) {
        ShapeRecord record = ParseTemplateShape(source->GetShape(i), models);
        if (record.code != kShapeNone)
            parsed.shapes.push_back(std::move(record));
    }
    for (int i = 0; i < kTemplateComponentCount; ++i)
        parsed.components[static_cast<size_t>(i)] =
            ParseTemplateShape(source->GetShape(kTemplateOwnShapeLimit + i), models);
    for (const CTemplateRect& rect : source->rects) {
        std::array<int32_t, 4> packed{};
        for (size_t k = 0; k < 4; ++k)
            packed[k] = ParseShapeCoord(rect.coords[k], 0);
        parsed.rects.push_back(packed);
    }
    return &parsed;
}

const ShapeRecord& CPanelTemplates::SelectedMark()
{
    FollowModels();
    return selectedMark_;
}
