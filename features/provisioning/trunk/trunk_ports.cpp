#include "features/provisioning/trunk/trunk_ports.h"

#include "core/entity/entity_id.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_record.h"
#include "link/records/trunk_port_rec.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

std::vector<CEntityIndex> TrunkPortIndexes(const CNeRecord* ne)
{
    std::vector<CEntityIndex> ports;
    for (int port = 1; ne != nullptr && port <= 2; ++port) {
        const CEntityIndex index = CwmModulePortIndex(1, port, ne->neModelId);
        if (!index.IsEmpty())
            ports.push_back(index);
    }
    return ports;
}

uint32_t TrunkPortId(const CNeRecord* ne, int port)
{
    return ne != nullptr ? EntityIdFromIndexValue(CwmModulePortIndex(1, port, ne->neModelId)) : 0;
}

std::string TrunkPortPageTitle(const CNeRecord* ne, const CEntityIndex& port)
{
    return LoadQString(kStrPortPage).arg(QString::fromStdString(GetEntityLevelLabel(ne, port))).toStdString();
}

int TrunkPortNumber(uint32_t entityId)
{
    const CEntityIndex index = EntityIndexFromId(entityId);
    const unsigned port = index.GetLevel() == 4 ? index.Port() : 0;
    return port == 1 || port == 2 ? static_cast<int>(port) : 0;
}

std::string TrunkSpeedText(const TrunkPortRec& port)
{
    constexpr uint32_t kGiga = 1000000000;
    constexpr uint32_t kMega = 1000000;
    if (port.operState != 1)
        return LoadString(kStrNotApplicable);
    if (port.speed >= kGiga)
        return LoadQString(kStrSpeedGiga).arg(port.speed / kGiga).toStdString();
    return LoadQString(kStrSpeedMega).arg(port.speed / kMega).toStdString();
}
