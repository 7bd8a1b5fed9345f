#include "ui/framework/lists/entity_icons.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/ne_record.h"
#include "core/util/severity.h"

namespace {

int NoModelIcon(int position)
{
    return position == 0 ? kIconNeWithoutModel : 0;
}

const CEntityNode* ChildAt(const CNeRecord& ne, int position)
{
    if (ne.root == nullptr || position < 1)
        return nullptr;
    return ne.root->GetChild(position - 1);
}

int StateIcon(const CEntityType& model, int state)
{
    return static_cast<int>(model.GetStateIcon(state));
}

int SeverityState(uint32_t severity)
{
    return severity <= 4 ? static_cast<int>(severity) : 5;
}

} // namespace

bool IsNeConnected(const CNeRecord& ne)
{
    return ne.root != nullptr && ne.root->IsConnected();
}

uint32_t GetNeHighestSeverity(const CNeRecord& ne)
{
    const uint32_t own = ne.GetSeverityAt(1);
    const uint32_t below = ne.root != nullptr ? ne.root->GetSummarySeverity() : 0;
    return CompareSeverity(static_cast<int>(own), static_cast<int>(below)) > 0 ? own : below;
}

uint32_t GetNeKeptSeverity(const CNeRecord& ne)
{
    return ne.GetSeverityAt(1);
}

int GetNeStateIcon(const CNeRecord& ne, uint32_t severity)
{
    const CEntityType* model = FindEntityModel(ne.neModelId);
    if (model == nullptr)
        return NoModelIcon(0);
    const bool connected = IsNeConnected(ne);
    if (ne.planned == 1)
        return StateIcon(*model, connected ? kIconStatePlannedConnected : kIconStatePlannedDisconnected);
    if (!connected)
        return StateIcon(*model, kIconStateNotConnected);
    if (ne.root->GetPlanState() == kPlanStateMismatch)
        return StateIcon(*model, kIconStateMismatch);
    return StateIcon(*model, SeverityState(severity));
}

int GetEntityStateIcon(const CNeRecord* ne, int position)
{
    if (ne == nullptr)
        return NoModelIcon(position);
    if (position == 0)
        return GetNeStateIcon(*ne, GetNeHighestSeverity(*ne));
    const CEntityType* neModel = FindEntityModel(ne->neModelId);
    if (neModel == nullptr)
        return NoModelIcon(position);
    const CEntityNode* node = ChildAt(*ne, position);
    if (node == nullptr)
        return StateIcon(*neModel, kIconStateMissing);
    if (node->IsAbsent())
        return 0;
    const CEntityType* model = FindEntityModel(node->GetModelId());
    if (model == nullptr)
        return 0;

    const bool connected = node->IsConnected();
    if (ne->planned == 1)
        return StateIcon(*model, connected ? kIconStatePlannedConnected : kIconStatePlannedDisconnected);
    if (!connected)
        return StateIcon(*model, kIconStateNotConnected);
    const int planState = node->GetPlanState();
    if (planState == kPlanStateMismatch)
        return StateIcon(*model, kIconStateMismatch);
    if (planState == kPlanStateUnplanned)
        return StateIcon(*model, kIconStateNotConnected);
    return StateIcon(*model, SeverityState(node->GetSummarySeverity()));
}

int GetEntityIcon(const CNeRecord* ne, int state, int position)
{
    if (ne == nullptr)
        return NoModelIcon(position);
    const CEntityType* model = FindEntityModel(ne->neModelId);
    if (model == nullptr)
        return NoModelIcon(position);
    if (position != 0) {
        const CEntityNode* node = ChildAt(*ne, position);
        if (node == nullptr || node->IsAbsent())
            return 0;
        model = FindEntityModel(node->GetModelId());
        if (model == nullptr)
            return 0;
    }
    return StateIcon(*model, state);
}
