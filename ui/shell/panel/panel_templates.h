#pragma once
// The drawing templates of the entity models, parsed once: the front panel draws thousands of entities from a few
// dozen templates, so each template's shapes and rectangles are read from their text the first time they are needed
// and kept until the program's entity model is replaced.

#include "core/entity/entity_template.h"
#include "core/shape/shape_record.h"

#include <array>
#include <cstdint>
#include <map>
#include <vector>

class CEntityModelSet;
class CEntityType;

struct CParsedTemplate {
    CTemplateSize size;
    int fit = kTemplateFitA;
    std::vector<ShapeRecord> shapes;                             // own shapes, drawing order
    std::array<ShapeRecord, kTemplateComponentCount> components; // code 0: none
    std::vector<std::array<int32_t, 4>> rects;                   // packed left, top, right, bottom per child position
};

class CPanelTemplates {
public:
    // The template of a model for (severity, state), parsed; null for a model without templates. The result stays
    // valid until the next call after the program's entity model was replaced.
    const CParsedTemplate* Find(const CEntityType& model, int severity, int state);
    // The selection mark of the template file ("RL"); code 0 when it has none.
    const ShapeRecord& SelectedMark();

private:
    void FollowModels();

    unsigned generation_ = ~0u;
    std::map<const CEntityTemplate*, CParsedTemplate> parsed_;
    ShapeRecord selectedMark_;
};
