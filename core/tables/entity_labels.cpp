#include "core/tables/entity_labels.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/ne_record.h"

namespace {

// The model of the entity at an index, or null.
const CEntityType* ModelAt(const CNeRecord* ne, const CEntityIndex& index)
{
    if (ne == nullptr || ne->root == nullptr) {
        return nullptr;
    }
    const CEntityNode* node = ne->root->FindChild(index);
    return node == nullptr ? nullptr : FindEntityModel(node->GetModelId());
}

const char* LevelWord(int level)
{
    switch (level) {
    case kEntityLevelShelf:
        return "Shelf";
    case kEntityLevelSlot:
        return "Slot";
    case kEntityLevelPort:
        return "Port";
    default:
        return nullptr;
    }
}

} // namespace

std::string GetEntityLevelLabel(const CNeRecord* ne, int level, const CEntityIndex& index)
{
    if (level < kEntityLevelNe || level > index.GetLevel()) {
        return {};
    }
    if (level == kEntityLevelNe) {
        return "<NE>";
    }
    const unsigned number = index.At(level);
    if (const CEntityType* parentModel = ModelAt(ne, index.Truncated(level - 1))) {
        const char* name = parentModel->GetChildName(static_cast<int>(number) - 1);
        if (name != nullptr && *name != '\0') {
            return name;
        }
    }
    return std::to_string(number);
}

std::string GetEntityLevelLabel(const CNeRecord* ne, const CEntityIndex& index)
{
    return GetEntityLevelLabel(ne, index.GetLevel(), index);
}

std::string FormatEntityLocation(const CNeRecord* ne, CEntityIndex index, int /*mode*/, bool words)
{
    const int last = index.GetLevel();
    int first = kEntityLevelShelf;
    if (ne != nullptr && ne->usedChildCount == 1 && last > kEntityLevelShelf) {
        first = kEntityLevelSlot;
    }
    std::string text;
    for (int level = first; level <= last; ++level) {
        if (!text.empty()) {
            text += words ? ", " : "-";
        }
        const char* word = LevelWord(level);
        if (words && word != nullptr) {
            text += word;
            text += '-';
        }
        text += GetEntityLevelLabel(ne, level, index);
    }
    return text;
}

std::string FormatEntityLocationById(const CNeRecord* ne, uint32_t entityId, bool words)
{
    return FormatEntityLocation(ne, EntityIndexFromId(entityId), 0, words);
}

CEntityIndex MapDelegateSlot(const CNeRecord* ne, CEntityIndex index)
{
    if (index.GetLevel() < kEntityLevelSlot) {
        return index;
    }
    const CEntityType* shelfModel = ModelAt(ne, index.Truncated(kEntityLevelShelf));
    if (shelfModel == nullptr) {
        return index;
    }
    const int delegate = shelfModel->GetChildDelegate(static_cast<int>(index.Slot()) - 1);
    const unsigned slot = static_cast<unsigned>(delegate) + 1;
    if (delegate < 0 || slot > GetMaxEntityLevel(kEntityLevelSlot)) {
        return index;
    }
    index.levels[kEntityLevelSlot - 1] = static_cast<uint8_t>(slot);
    return index;
}
