#include "sim/server/sim_adsl_ports.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "sim/server/sim_ne.h"

std::string AdslPortRefusal(const CSimNe& ne, uint32_t port)
{
    const CEntityNode* node = ne.FindEntity(port);
    if (node == nullptr || node->GetLevel() != kEntityLevelPort || node->IsAbsent())
        return "No such port";
    const CEntityType* model = CurrentEntityModels().FindModel(node->GetType());
    if (model == nullptr || model->GetProvClass() != kProvClassAdslPort)
        return "The entity is not an ADSL port";
    if (node->GetParent() == nullptr || node->GetParent()->GetPlanState() != 0)
        return "The line card does not match its plan";
    return {};
}

namespace {

// The ports whose model, the fitted one or (with `planned`) the one the plan gives, is an ADSL port.
std::vector<uint32_t> PortsOfClass(const CSimNe& ne, bool planned)
{
    std::vector<uint32_t> ports;
    for (const CEntityNode* node : ne.Entities()) {
        if (node->GetLevel() != kEntityLevelPort)
            continue;
        const CEntityType* model = CurrentEntityModels().FindModel(planned ? node->GetModelId() : node->GetType());
        if (model != nullptr && model->GetProvClass() == kProvClassAdslPort)
            ports.push_back(node->GetEntityId());
    }
    return ports;
}

} // namespace

std::vector<uint32_t> AdslPortsOf(const CSimNe& ne)
{
    return PortsOfClass(ne, false);
}

std::vector<uint32_t> ProvisionableAdslPortsOf(const CSimNe& ne)
{
    return PortsOfClass(ne, true);
}
