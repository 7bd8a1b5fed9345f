#include "core/entity/entity_type.h"

#include <algorithm>

namespace {

// List images of a model-less entity: the NE image for an NE model, none for the others.
constexpr unsigned kNeDefaultIcon = 27;
constexpr unsigned kOtherDefaultIcon = 0;

} // namespace

std::string CEntityType::GetDisplayName() const
{
    return note_.empty() ? name_ : name_ + " (" + note_ + ")";
}

unsigned CEntityType::GetStateIcon(int displayState) const
{
    if (displayState < 0 || displayState >= kIconStateCount)
        return level_ == 1 ? kNeDefaultIcon : kOtherDefaultIcon;
    return stateIcons_[static_cast<size_t>(displayState)];
}

const CEntityChildDef* CEntityType::GetChild(int position) const
{
    if (position < 0 || static_cast<size_t>(position) >= children_.size())
        return nullptr;
    return &children_[static_cast<size_t>(position)];
}

uint32_t CEntityType::GetChildFixedType(int position) const
{
    const CEntityChildDef* child = GetChild(position);
    return child ? child->fixedType : kEntityTypeAbsent;
}

uint32_t CEntityType::GetChildVoid(int position) const
{
    const CEntityChildDef* child = GetChild(position);
    return child ? child->voidType : kEntityTypeEmpty;
}

uint32_t CEntityType::GetChildEmpty(int position) const
{
    const CEntityChildDef* child = GetChild(position);
    return child ? child->emptyType : kEntityTypeEmpty;
}

uint8_t CEntityType::GetChildRedundant(int position) const
{
    const CEntityChildDef* child = GetChild(position);
    return child ? child->redundant : 0;
}

int CEntityType::GetChildDelegate(int position) const
{
    const CEntityChildDef* child = GetChild(position);
    return child ? child->delegate : position;
}

const char* CEntityType::GetChildName(int position) const
{
    const CEntityChildDef* child = GetChild(position);
    return child ? child->name.c_str() : nullptr;
}

const uint8_t* CEntityType::GetChildClasses(int position) const
{
    const CEntityChildDef* child = GetChild(position);
    return child ? child->classes.data() : nullptr;
}

bool CEntityType::SlotAcceptsClass(int position, uint8_t provClass) const
{
    const CEntityChildDef* child = GetChild(position);
    if (!child || provClass == 0xFF)
        return false;
    for (uint8_t c : child->classes) {
        if (c == 0xFF)
            break;
        if (c == provClass)
            return true;
    }
    return false;
}

const CEntityAlarmDef* CEntityType::GetAlarmDef(int index) const
{
    if (index < 0 || index >= kEntityAlarmCount)
        return nullptr;
    const CEntityAlarmDef& def = alarms_[static_cast<size_t>(index)];
    return def.defined ? &def : nullptr;
}

const CEntityTemplate* CEntityType::GetTemplate(int severity, int state) const
{
    if (templates_.empty())
        return nullptr;
    return templates_[static_cast<size_t>(TemplateIndex(severity, state))].get();
}

const CTemplateSize* CEntityType::GetTemplateSize(int severity, int state) const
{
    const CEntityTemplate* t = GetTemplate(severity, state);
    return t ? &t->size : nullptr;
}

int CEntityType::GetTemplateFit(int severity, int state) const
{
    const CEntityTemplate* t = GetTemplate(severity, state);
    return t ? t->fit : kTemplateFitA;
}

int CEntityType::GetTemplateShapeCount(int severity, int state) const
{
    const CEntityTemplate* t = GetTemplate(severity, state);
    return t ? t->GetShapeCount() : 0;
}

const std::string* CEntityType::GetTemplateShape(int severity, int state, int shapeIndex) const
{
    const CEntityTemplate* t = GetTemplate(severity, state);
    return t ? t->GetShape(shapeIndex) : nullptr;
}

int CEntityType::GetTemplateRectCount(int severity, int state) const
{
    const CEntityTemplate* t = GetTemplate(severity, state);
    return t ? t->GetRectCount() : 0;
}

const CTemplateRect* CEntityType::GetTemplateRect(int severity, int state, int rectIndex) const
{
    const CEntityTemplate* t = GetTemplate(severity, state);
    return t ? t->GetRect(rectIndex) : nullptr;
}
