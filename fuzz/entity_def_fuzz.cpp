// The entity definition loader on arbitrary text: the input holds the information, alarm and skin file, separated
// by lines "=====". Every accessor of the loaded set is walked so that a model built wrongly is touched too.
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_type_ids.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

void Walk(const CEntityModelSet& set)
{
    volatile size_t sink = 0;
    for (int level = 0; level <= 6; ++level)
        sink = sink + set.GetMaxEntityLevel(level);
    for (int i = 0; i < set.GetTypeCount(); ++i) {
        const CEntityType& m = *set.GetTypeAt(i);
        sink = sink + (set.FindModel(m.GetId()) == &m) + m.GetDisplayName().size() + m.GetStateIcon(i % 12);
        for (int p = -1; p <= m.GetChildCount(); ++p) {
            sink = sink + m.GetChildFixedType(p) + m.GetChildVoid(p) + m.GetChildEmpty(p) + m.GetChildRedundant(p) +
                   static_cast<size_t>(m.GetChildDelegate(p)) + m.SlotAcceptsClass(p, static_cast<uint8_t>(p));
            if (const char* name = m.GetChildName(p))
                sink = sink + std::string_view(name).size();
            if (const uint8_t* classes = m.GetChildClasses(p))
                sink = sink + classes[3];
        }
        // The model's alarms and one past them, then each kind of index beyond: the last without the top bit, the
        // first with it, the built-in alarms and one past them, the last index.
        const auto alarm = [&](int a) {
            if (const CEntityAlarmDef* def = set.GetAlarmDef(m.GetId(), static_cast<uint8_t>(a)))
                sink = sink + def->name.size() + def->text.size();
        };
        for (int a = 0; a <= kEntityAlarmCount; ++a)
            alarm(a);
        for (int a = 0x7F; a <= kEntityAlarmOffline + 1; ++a)
            alarm(a);
        alarm(0xFF);
        // Templates of one source are one object: its items are walked once, its accessors from every index.
        std::vector<const CTemplateSize*> walked;
        for (int s = -1; s <= 6; ++s) {
            for (int t = -1; t <= 4; ++t) {
                sink = sink + static_cast<size_t>(m.GetTemplateFit(s, t));
                const CTemplateSize* size = m.GetTemplateSize(s, t);
                if (size)
                    sink = sink + static_cast<size_t>(size->width);
                // A severity or state out of range reads the template of one in range: its items are walked there.
                const bool inRange = s >= 0 && s < kTemplateSeverityCount && t >= 0 && t < kTemplateStateCount;
                const bool walkItems = inRange && std::find(walked.begin(), walked.end(), size) == walked.end();
                if (walkItems)
                    walked.push_back(size);
                const int shapeEnd = walkItems ? m.GetTemplateShapeCount(s, t) : 0;
                for (int k = 0; k <= shapeEnd; ++k) {
                    if (const std::string* shape = m.GetTemplateShape(s, t, k))
                        sink = sink + shape->size();
                }
                for (int k = kTemplateOwnShapeLimit; k <= (walkItems ? kTemplateShapeLimit : kTemplateOwnShapeLimit);
                     ++k) {
                    if (const std::string* shape = m.GetTemplateShape(s, t, k))
                        sink = sink + shape->size();
                }
                const int rectEnd = walkItems ? m.GetTemplateRectCount(s, t) : 0;
                for (int r = 0; r <= rectEnd; ++r) {
                    if (const CTemplateRect* rect = m.GetTemplateRect(s, t, r))
                        sink = sink + rect->coords[3].size();
                }
            }
        }
    }
    for (int k = 0; k <= static_cast<int>(set.GetFonts().size()) + 1; ++k) {
        sink = sink + set.GetImageHandle(k);
        if (const FontSpec* font = set.GetFont(k))
            sink = sink + font->face.size();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view parts[3];
    for (int i = 0; i < 2; ++i) {
        const size_t cut = input.find("\n=====\n");
        if (cut == std::string_view::npos) {
            parts[i] = input;
            input = {};
            continue;
        }
        parts[i] = input.substr(0, cut);
        input.remove_prefix(cut + 7);
    }
    parts[2] = input;
    auto result = LoadEntityModelSetFromText(parts[0], parts[1], parts[2]);
    if (result.models)
        Walk(*result.models);
    return 0;
}
