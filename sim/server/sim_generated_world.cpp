#include "sim/server/sim_generated_world.h"

#include <cstdio>
#include <string>

namespace {

constexpr uint32_t kNesPerSite = 100;
constexpr uint32_t kAlarmEvery = 25;
constexpr uint32_t kFirstSiteId = 5;

// The sample models: one shelf of eight slots, and two shelves.
constexpr uint32_t kSmallModel = 2;
constexpr uint32_t kLargeModel = 4;

struct BoardSpec {
    uint32_t slot;
    uint32_t type;
};
constexpr BoardSpec kSmallBoards[] = {{10100, 130}, {10200, 132}}; // the IPD-12's own ALC-24 and SLC-16
constexpr BoardSpec kLargeBoards[] = {{10100, 31}, {20100, 32}};

LocationRecord Location(uint32_t id, const std::string& name, uint32_t parentId)
{
    LocationRecord rec;
    rec.id = id;
    rec.name = name;
    rec.parentId = parentId;
    return rec;
}

UserAccountRecord Account(const std::string& name, const std::string& role, uint32_t locationId,
                          const std::string& fullName)
{
    UserAccountRecord rec;
    rec.name = name;
    rec.passwordDigest = PasswordDigest(name); // each logs on with its name as password
    rec.roleLetter = role;
    rec.locationId = locationId;
    rec.fullName = fullName;
    return rec;
}

std::string Numbered(const char* format, uint32_t number)
{
    char text[32];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

SimNe GeneratedNe(uint32_t id)
{
    SimNe ne;
    const bool small = id % 2 == 1;
    ne.key.neId = id;
    ne.key.neName = Numbered("DSLAM-%05u", id);
    ne.key.modelId = small ? kSmallModel : kLargeModel;
    ne.key.locationId = kFirstSiteId + (id - 1) / kNesPerSite;
    // 10.a.b.c with b and c in 1..250: unique for every id, never a network or broadcast address.
    ne.key.ipAddress = {10, static_cast<uint8_t>(id / 62500 + 1), static_cast<uint8_t>(id / 250 % 250 + 1),
                        static_cast<uint8_t>(id % 250 + 1)};
    ne.key.port = 161;
    ne.key.snmpCommunity = "public";
    ne.key.autoSync = 2;
    for (const BoardSpec& spec : small ? kSmallBoards : kLargeBoards) {
        BoardSettingRec board;
        board.entityId = spec.slot;
        board.plannedType = spec.type;
        board.onlineType = spec.type;
        board.aal5Encapsulation = 1;
        board.taggedMode = 2;
        board.runtimeTaggedMode = 2;
        board.runtimeVlanTagPassThrough = 2;
        ne.boards.push_back(board);
    }
    if (id % kAlarmEvery == 0) {
        // A port alarm of the ADSL card, or the card alarm of the larger model's first card.
        SimAlarm alarm;
        alarm.entityId = small ? 10103 : 10100;
        alarm.bit = small ? 3 : 1;
        ne.alarms.push_back(alarm);
    }
    return ne;
}

} // namespace

SimScenario GenerateSimScenario(uint32_t neCount)
{
    SimScenario scenario = DefaultSimScenario();
    scenario.locations = {Location(1, "Headquarters", 0), Location(2, "North", 1), Location(3, "South", 1),
                          Location(4, "Lab", 0)};
    const uint32_t sites = (neCount + kNesPerSite - 1) / kNesPerSite;
    for (uint32_t site = 0; site < sites; ++site) {
        scenario.locations.push_back(
            Location(kFirstSiteId + site, Numbered("Site-%04u", site + 1), site % 2 == 0 ? 2 : 3));
    }
    scenario.accounts = {Account("admin", "A", 0, "Administrator"), Account("manager", "B", 1, "Shift Manager"),
                         Account("north", "C", 2, "North Operator"), Account("guest", "C", 4, "Guest")};
    scenario.nes.reserve(neCount);
    for (uint32_t id = 1; id <= neCount; ++id) {
        scenario.nes.push_back(GeneratedNe(id));
    }
    return scenario;
}

std::vector<FoundNeRec> GenerateFoundNes(uint32_t count)
{
    std::vector<FoundNeRec> found;
    found.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const bool small = i % 2 == 0;
        FoundNeRec ne;
        ne.ipAddress = {10, static_cast<uint8_t>(200 + i / 63500), static_cast<uint8_t>(i / 254 % 250),
                        static_cast<uint8_t>(i % 254 + 1)};
        ne.modelId = small ? kSmallModel : kLargeModel;
        ne.description =
            small ? "IPD-12 (1 shelf) IP DSLAM, release 2.4.1" : "IPD-48 (2 shelves) IP DSLAM, release 2.4.1";
        found.push_back(ne);
    }
    return found;
}
