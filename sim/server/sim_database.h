// The simulated server's data: locations, operator accounts, the rights of the three roles, the NEs with their
// entity trees, the alarm log and the generic record store. Every change is checked as a management server would:
// a refused change leaves everything as it was and says why. A copy of the database is a copy of all of it, as the
// server's database backups keep it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "link/records/entity_state_rec.h"
#include "link/records/location_record.h"
#include "link/records/ne_config_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/server_alarm_event_rec.h"
#include "link/records/user_account_record.h"
#include "link/records/user_rights_record.h"
#include "sim/server/generic_record_store.h"
#include "sim/server/sim_alarm_log.h"
#include "sim/server/sim_discovery.h"
#include "sim/server/sim_ne.h"
#include "sim/server/sim_ne_clock.h"
#include "sim/server/sim_op_log.h"
#include "sim/server/sim_result.h"
#include "sim/server/sim_scenario.h"
#include "sim/server/sim_subscribers.h"

class CSimDatabase {
public:
    // Takes over a scenario; false with *error when it contradicts itself (duplicate ids or names, unknown parents,
    // models or entities).
    bool Load(const SimScenario& scenario, uint32_t now, std::string* error);

    // Locations.
    std::vector<LocationRecord> Locations() const;
    SimResult AddLocation(LocationRecord rec, LocationRecord* stored);
    SimResult ModifyLocation(const LocationRecord& rec, LocationRecord* stored);
    // Sub-locations move to the parent; a location that still holds NEs or accounts stays.
    SimResult DeleteLocation(uint32_t id, LocationRecord* removed);
    // The location is `ancestor` or lies below it; everything lies below 0.
    bool LocationWithin(uint32_t locationId, uint32_t ancestor) const;
    std::string LocationName(uint32_t id) const;

    // Accounts.
    std::vector<UserAccountRecord> Accounts() const;
    const UserAccountRecord* FindAccount(const std::string& name) const;
    SimResult AddAccount(const UserAccountRecord& rec, UserAccountRecord* stored);
    // An empty password digest keeps the stored one.
    SimResult ModifyAccount(const UserAccountRecord& rec, UserAccountRecord* stored);
    SimResult DeleteAccount(const std::string& name, UserAccountRecord* removed);

    const UserRightsRecord& Rights() const { return rights_; }
    void SetRights(const UserRightsRecord& rights) { rights_ = rights; }

    // NEs.
    std::vector<NeKeyRecord> NeKeys() const;
    // The same records encoded, made once for as long as no NE comes, goes or changes its key.
    std::shared_ptr<const std::vector<uint8_t>> EncodedNeKeys() const;
    CSimNe* FindNe(uint32_t id);
    const CSimNe* FindNe(uint32_t id) const;
    // In ascending order, kept as NEs come and go, so that picking one costs nothing.
    const std::vector<uint32_t>& NeIds() const { return neIds_; }
    // A new NE gets the next free id.
    SimResult AddNe(NeKeyRecord rec, NeKeyRecord* stored);
    SimResult ModifyNe(const NeKeyRecord& rec, NeKeyRecord* stored);
    SimResult DeleteNe(uint32_t id, NeKeyRecord* removed);
    // Writes an NE's configuration: refused when its management addresses do not fit together, or another NE has
    // one of them.
    SimResult WriteNeConfig(uint32_t id, const NeConfigRecord& rec);

    // Alarms.
    CSimAlarmLog& AlarmLog() { return alarms_; }
    const CSimAlarmLog& AlarmLog() const { return alarms_; }
    // The state of one entity as the server reports it.
    EntityStateRec EntityState(const CSimNe& ne, const CEntityNode& node) const;
    // The NE is on the network: its offline alarm is not active.
    bool IsNeReachable(const CSimNe& ne) const;
    // Every entity of the NE that is not absent.
    std::vector<EntityStateRec> EntityStates(const CSimNe& ne) const;
    // Frames made from the states of the NE's entities by `make`, kept while neither its tree nor its alarms change.
    // A copy of the database shares what is kept with the database it copies: an NE unchanged in both is made once.
    std::shared_ptr<const std::vector<uint8_t>> KeptStatesFrames(const CSimNe& ne,
                                                                 const std::function<std::vector<uint8_t>()>& make) const;
    // Raises the alarm when it is not active, else clears it; the entity's new state, or nullopt when the entity or
    // its alarm is unknown.
    std::optional<EntityStateRec> ToggleAlarm(uint32_t neId, uint32_t entityId, uint32_t bit, uint32_t now);
    // False when the NE, the entity or the alarm definition is unknown.
    bool RaiseAlarm(uint32_t neId, uint32_t entityId, uint32_t bit, uint32_t severity, uint32_t now);
    // A log entry as the server sends it in the reply to request 328.
    ServerAlarmEventRec ToServerRecord(const SimAlarmEntry& entry) const;

    CGenericRecordStore& Generic() { return generic_; }
    CSimDiscovery& Discovery() { return discovery_; }
    // The NEs' clocks.
    CSimNeClocks& NeClocks() { return clocks_; }

    // The operation log.
    CSimOpLog& OpLog() { return opLog_; }
    const CSimOpLog& OpLog() const { return opLog_; }

    // Subscribers.
    const CSimSubscribers& Subscribers() const { return subscribers_; }
    // Adds or replaces the subscriber of a line port of an NE the server keeps.
    SimResult PutSubscriber(const SubscriberRecord& rec, bool* added, SubscriberRecord* stored);
    SimResult DeleteSubscriber(const SubscriberRecord& rec, SubscriberRecord* removed);
    // Made-up subscribers on the line ports of the NEs, in NE and port order, up to `count` or the last free port.
    void GenerateSubscribers(uint32_t count);

    // The bytes of the records the database keeps: the size of a backup of it.
    size_t StoredBytes() const;

private:
    SimResult CheckLocation(const LocationRecord& rec, bool adding) const;
    SimResult CheckNe(const NeKeyRecord& rec) const;
    // Keeps the NE and its name and address in the indexes.
    void IndexNe(const NeKeyRecord& rec);
    void UnindexNe(const NeKeyRecord& rec);
    void InsertNe(const NeKeyRecord& key, const std::vector<BoardSettingRec>& boards,
                  const std::optional<NeConfigRecord>& config);

    using NeAddress = std::pair<std::array<uint8_t, 4>, uint16_t>;

    std::map<uint32_t, LocationRecord> locations_;
    std::map<std::string, UserAccountRecord> accounts_;
    UserRightsRecord rights_;
    std::map<uint32_t, CSimNe> nes_;
    std::vector<uint32_t> neIds_;                                       // the keys of nes_
    mutable std::shared_ptr<const std::vector<uint8_t>> encodedNeKeys_; // null once an NE's key changed
    // Names and addresses are unique among the NEs; checked by index, so that large networks load fast.
    std::map<std::string, uint32_t> neByName_;
    std::map<NeAddress, uint32_t> neByAddress_;
    CSimAlarmLog alarms_;
    CGenericRecordStore generic_;
    CSimDiscovery discovery_;
    CSimNeClocks clocks_;
    CSimOpLog opLog_;
    CSimSubscribers subscribers_;
    // Tree and alarm stamps are unique in the process, so that what copies keep under them stays right for each.
    struct KeptStates {
        uint64_t treeStamp = 0;
        uint64_t alarmStamp = 0;
        std::shared_ptr<const std::vector<uint8_t>> frames;
    };
    struct StatesKeep {
        std::mutex mutex;
        std::unordered_map<uint32_t, KeptStates> byNe;
    };
    std::shared_ptr<StatesKeep> keptStates_ = std::make_shared<StatesKeep>();
};
