#include "sim/server/sim_database.h"

#include <algorithm>
#include <cstdio>

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "core/util/ip_address.h"
#include "core/util/names.h"
#include "core/util/ne_ip_validation.h"
#include "core/util/severity.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/request_codes.h"
#include "sim/server/sim_ne_access.h"

namespace {

constexpr uint32_t kAlarmKindAlarm = 1;
constexpr uint32_t kNeItselfEntity = 1;
constexpr size_t kAckPersonInState = 12;
constexpr size_t kLocationNameMax = 20;
constexpr size_t kAccountNameMax = 10;
constexpr size_t kNeNameMax = 20;
// Provisioning classes of the ports that serve subscribers: ADSL and SHDSL line ports.
constexpr uint8_t kLinePortClass = 0x40;
constexpr uint8_t kShdslPortClass = 0x43;

// Reasons of refusals that more than one change gives.
constexpr char kNoSuchLocation[] = "Location does not exist";
constexpr char kNoSuchSuperior[] = "Superior location does not exist";
constexpr char kNoSuchAccount[] = "User account does not exist";
constexpr char kUnknownRole[] = "Unknown role";

bool ValidName(const std::string& name, size_t max)
{
    return !name.empty() && name.size() <= max && std::all_of(name.begin(), name.end(), IsValidNameChar);
}

bool ValidRoleLetter(const std::string& letter)
{
    return letter == "A" || letter == "B" || letter == "C";
}

bool IsKnownNeModel(uint32_t model)
{
    const CEntityType* type = CurrentEntityModels().FindModel(model);
    return type != nullptr && type->GetLevel() == kEntityLevelNe;
}

uint32_t AlarmClassOf(const CEntityNode& node)
{
    return node.GetLevel() == kEntityLevelPort || node.GetLevel() == kEntityLevelNe ? kAlarmClassCommunication
                                                                                    : kAlarmClassEquipment;
}

// A port of a line card: what a subscriber is served by.
bool IsLinePort(const CEntityNode* node)
{
    if (node == nullptr || node->GetLevel() != kEntityLevelPort || node->IsAbsent()) {
        return false;
    }
    const CEntityType* model = CurrentEntityModels().FindModel(node->GetModelId());
    return model != nullptr && (model->GetProvClass() == kLinePortClass || model->GetProvClass() == kShdslPortClass);
}

} // namespace

bool CSimDatabase::Load(const SimScenario& scenario, uint32_t now, std::string* error)
{
    auto fail = [&](const std::string& why) {
        *error = why;
        return false;
    };
    rights_ = scenario.rights;
    // Locations may name parents that come later in the file.
    for (const LocationRecord& rec : scenario.locations) {
        if (rec.id == 0) {
            return fail("a location needs an id other than 0");
        }
        if (!locations_.emplace(rec.id, rec).second) {
            return fail("location " + std::to_string(rec.id) + " given twice");
        }
    }
    for (const auto& [id, rec] : locations_) {
        if (rec.parentId != 0 && locations_.count(rec.parentId) == 0) {
            return fail("location " + std::to_string(id) + " names the unknown parent " + std::to_string(rec.parentId));
        }
        if (LocationWithin(rec.parentId, id)) {
            return fail("location " + std::to_string(id) + " lies below itself");
        }
    }
    for (const UserAccountRecord& rec : scenario.accounts) {
        UserAccountRecord stored;
        if (const SimResult added = AddAccount(rec, &stored); !added.Ok()) {
            return fail("account \"" + rec.name + "\": " + added.reason);
        }
    }
    for (const SimNe& ne : scenario.nes) {
        if (ne.key.neId == 0) {
            return fail("an NE needs an id other than 0");
        }
        if (nes_.count(ne.key.neId) != 0) {
            return fail("NE " + std::to_string(ne.key.neId) + " given twice");
        }
        if (const SimResult checked = CheckNe(ne.key); !checked.Ok()) {
            return fail("NE " + std::to_string(ne.key.neId) + " (" + ne.key.neName + "): " + checked.reason);
        }
        InsertNe(ne.key, ne.boards, ne.config);
        for (const SimAlarm& alarm : ne.alarms) {
            if (!RaiseAlarm(ne.key.neId, alarm.entityId, alarm.bit, alarm.severity, now)) {
                return fail("NE " + std::to_string(ne.key.neId) + ": alarm " + std::to_string(alarm.bit) +
                            " of entity " + std::to_string(alarm.entityId) + " is not defined");
            }
            if (!alarm.ackPerson.empty()) {
                alarms_.Acknowledge(ne.key.neId, alarm.entityId, alarm.ackPerson, now);
            }
        }
    }
    for (const FoundNeRec& device : scenario.devices)
        discovery_.AddDevice(device);
    // Records of the generic store are added as the workstation adds them, for an NE that exists. Discovery's ranges
    // and found NEs are its own, the files of an NE its file system's.
    std::map<uint32_t, std::vector<NeFsFileRecord>> files;
    for (const SimSeedRecord& seed : scenario.records) {
        if (seed.neId != 0 && nes_.count(seed.neId) == 0) {
            return fail(seed.origin + ": NE " + std::to_string(seed.neId) + " is not in the scenario");
        }
        if (seed.spec->code == kReqFoundNe) {
            FoundNeRec found;
            DecodeRecord(seed.record.data(), seed.record.size(), &found);
            discovery_.KeepFound(found);
            continue;
        }
        if (seed.spec->code == kReqDiscoveryRange) {
            DiscoveryRangeRec range;
            DecodeRecord(seed.record.data(), seed.record.size(), &range);
            if (const SimResult kept = discovery_.KeepRange(range); !kept.Ok())
                return fail(seed.origin + ": the server refuses the record: " + kept.reason);
            continue;
        }
        if (seed.spec->code == kReqNeFsFile) {
            NeFsFileRecord file;
            DecodeRecord(seed.record.data(), seed.record.size(), &file);
            files[seed.neId].push_back(file);
            continue;
        }
        if (seed.spec->code == kReqSubscriber) {
            SubscriberRecord rec;
            DecodeRecord(seed.record.data(), seed.record.size(), &rec);
            rec.neId = seed.neId;
            bool added = false;
            SubscriberRecord stored;
            if (const SimResult put = PutSubscriber(rec, &added, &stored); !put.Ok()) {
                return fail(seed.origin + ": the server refuses the subscriber: " + put.reason);
            }
            continue;
        }
        const uint16_t code = seed.spec->addCode != 0 ? seed.spec->addCode : seed.spec->code;
        const GenericReply reply = generic_.Handle(code, kEmsOpModify, seed.neId, seed.record.data(), 1,
                                                   static_cast<uint32_t>(seed.record.size()));
        if (reply.status != kDrvOk) {
            const std::string why =
                reply.reason.empty() ? GetDriverErrorText(static_cast<int>(reply.status)) : reply.reason;
            return fail(seed.origin + ": the server refuses the record: " + why);
        }
    }
    for (auto& [neId, neFiles] : files)
        nes_.at(neId).FileSystem().SetFiles(std::move(neFiles));
    for (const auto& [neId, ne] : nes_)
        SeedNeAccessDefaults(*this, neId);
    return true;
}

std::vector<LocationRecord> CSimDatabase::Locations() const
{
    std::vector<LocationRecord> out;
    for (const auto& [id, rec] : locations_) {
        out.push_back(rec);
    }
    return out;
}

SimResult CSimDatabase::CheckLocation(const LocationRecord& rec, bool adding) const
{
    if (rec.name.empty() || rec.name.size() > kLocationNameMax) {
        return Refused("Location name must have 1 to 20 characters");
    }
    if (rec.parentId != 0 && locations_.count(rec.parentId) == 0) {
        return Refused(kNoSuchSuperior);
    }
    if (!adding && (rec.parentId == rec.id || LocationWithin(rec.parentId, rec.id))) {
        return Refused("Location cannot move below itself");
    }
    for (const auto& [id, other] : locations_) {
        if (other.name == rec.name && (adding || id != rec.id)) {
            return Refused("Location name already exists");
        }
    }
    return {};
}

SimResult CSimDatabase::AddLocation(LocationRecord rec, LocationRecord* stored)
{
    if (SimResult checked = CheckLocation(rec, true); !checked.Ok()) {
        return checked;
    }
    rec.id = locations_.empty() ? 1 : locations_.rbegin()->first + 1;
    locations_[rec.id] = rec;
    *stored = rec;
    return {};
}

SimResult CSimDatabase::ModifyLocation(const LocationRecord& rec, LocationRecord* stored)
{
    if (locations_.count(rec.id) == 0) {
        return Refused(kNoSuchLocation);
    }
    if (SimResult checked = CheckLocation(rec, false); !checked.Ok()) {
        return checked;
    }
    locations_[rec.id] = rec;
    *stored = rec;
    return {};
}

SimResult CSimDatabase::DeleteLocation(uint32_t id, LocationRecord* removed)
{
    auto it = locations_.find(id);
    if (it == locations_.end()) {
        return Refused(kNoSuchLocation);
    }
    for (const auto& [neId, ne] : nes_) {
        if (ne.Key().locationId == id) {
            return Refused("Location still holds NEs");
        }
    }
    for (const auto& [name, account] : accounts_) {
        if (account.locationId == id) {
            return Refused("Location still holds user accounts");
        }
    }
    *removed = it->second;
    for (auto& [childId, child] : locations_) {
        if (child.parentId == id) {
            child.parentId = it->second.parentId;
        }
    }
    locations_.erase(it);
    return {};
}

bool CSimDatabase::LocationWithin(uint32_t locationId, uint32_t ancestor) const
{
    if (ancestor == 0) {
        return true;
    }
    // Bounded by the number of locations, so that a broken chain cannot loop.
    for (size_t steps = 0; locationId != 0 && steps <= locations_.size(); ++steps) {
        if (locationId == ancestor) {
            return true;
        }
        auto it = locations_.find(locationId);
        if (it == locations_.end()) {
            return false;
        }
        locationId = it->second.parentId;
    }
    return false;
}

std::string CSimDatabase::LocationName(uint32_t id) const
{
    auto it = locations_.find(id);
    return it == locations_.end() ? std::string() : it->second.name;
}

std::vector<UserAccountRecord> CSimDatabase::Accounts() const
{
    std::vector<UserAccountRecord> out;
    for (const auto& [name, rec] : accounts_) {
        out.push_back(rec);
    }
    return out;
}

const UserAccountRecord* CSimDatabase::FindAccount(const std::string& name) const
{
    auto it = accounts_.find(name);
    return it == accounts_.end() ? nullptr : &it->second;
}

SimResult CSimDatabase::AddAccount(const UserAccountRecord& rec, UserAccountRecord* stored)
{
    if (!ValidName(rec.name, kAccountNameMax)) {
        return Refused("User name must have 1 to 10 letters, digits or - . @ _");
    }
    if (rec.passwordDigest.empty()) {
        return Refused("Password is missing");
    }
    if (!ValidRoleLetter(rec.roleLetter)) {
        return Refused(kUnknownRole);
    }
    if (accounts_.count(rec.name) != 0) {
        return Refused("User name already exists");
    }
    if (rec.locationId != 0 && locations_.count(rec.locationId) == 0) {
        return Refused(kNoSuchLocation);
    }
    accounts_[rec.name] = rec;
    *stored = rec;
    return {};
}

SimResult CSimDatabase::ModifyAccount(const UserAccountRecord& rec, UserAccountRecord* stored)
{
    auto it = accounts_.find(rec.name);
    if (it == accounts_.end()) {
        return Refused(kNoSuchAccount);
    }
    if (rec.locationId != 0 && locations_.count(rec.locationId) == 0) {
        return Refused(kNoSuchLocation);
    }
    if (!ValidRoleLetter(rec.roleLetter)) {
        return Refused(kUnknownRole);
    }
    UserAccountRecord updated = rec;
    if (updated.passwordDigest.empty()) {
        updated.passwordDigest = it->second.passwordDigest;
    }
    it->second = updated;
    *stored = updated;
    return {};
}

SimResult CSimDatabase::DeleteAccount(const std::string& name, UserAccountRecord* removed)
{
    auto it = accounts_.find(name);
    if (it == accounts_.end()) {
        return Refused(kNoSuchAccount);
    }
    *removed = it->second;
    accounts_.erase(it);
    return {};
}

std::vector<NeKeyRecord> CSimDatabase::NeKeys() const
{
    std::vector<NeKeyRecord> out;
    for (const auto& [id, ne] : nes_) {
        out.push_back(ne.Key());
    }
    return out;
}

std::shared_ptr<const std::vector<uint8_t>> CSimDatabase::EncodedNeKeys() const
{
    if (encodedNeKeys_ == nullptr) {
        encodedNeKeys_ = std::make_shared<const std::vector<uint8_t>>(EncodeRecords(NeKeys()));
    }
    return encodedNeKeys_;
}

CSimNe* CSimDatabase::FindNe(uint32_t id)
{
    auto it = nes_.find(id);
    return it == nes_.end() ? nullptr : &it->second;
}

const CSimNe* CSimDatabase::FindNe(uint32_t id) const
{
    auto it = nes_.find(id);
    return it == nes_.end() ? nullptr : &it->second;
}

SimResult CSimDatabase::CheckNe(const NeKeyRecord& rec) const
{
    if (rec.neName.empty() || rec.neName.size() > kNeNameMax) {
        return Refused("NE name must have 1 to 20 characters");
    }
    if (!IsKnownNeModel(rec.modelId)) {
        return Refused("Unknown NE model");
    }
    if (rec.locationId != 0 && locations_.count(rec.locationId) == 0) {
        return Refused(kNoSuchLocation);
    }
    if (auto byName = neByName_.find(rec.neName); byName != neByName_.end() && byName->second != rec.neId) {
        return Refused("NE name already exists");
    }
    if (auto byAddress = neByAddress_.find({rec.ipAddress, rec.port});
        byAddress != neByAddress_.end() && byAddress->second != rec.neId) {
        return Refused("NE address already exists");
    }
    return {};
}

void CSimDatabase::IndexNe(const NeKeyRecord& rec)
{
    encodedNeKeys_.reset();
    neByName_[rec.neName] = rec.neId;
    neByAddress_[{rec.ipAddress, rec.port}] = rec.neId;
}

void CSimDatabase::InsertNe(const NeKeyRecord& key, const std::vector<BoardSettingRec>& boards,
                            const std::optional<NeConfigRecord>& config)
{
    nes_.try_emplace(key.neId, key, boards, config);
    IndexNe(key);
    neIds_.insert(std::upper_bound(neIds_.begin(), neIds_.end(), key.neId), key.neId);
}

void CSimDatabase::UnindexNe(const NeKeyRecord& rec)
{
    encodedNeKeys_.reset();
    neByName_.erase(rec.neName);
    neByAddress_.erase({rec.ipAddress, rec.port});
}

SimResult CSimDatabase::AddNe(NeKeyRecord rec, NeKeyRecord* stored)
{
    rec.neId = nes_.empty() ? 1 : nes_.rbegin()->first + 1;
    if (SimResult checked = CheckNe(rec); !checked.Ok()) {
        return checked;
    }
    InsertNe(rec, {}, std::nullopt);
    SeedNeAccessDefaults(*this, rec.neId);
    *stored = rec;
    return {};
}

SimResult CSimDatabase::ModifyNe(const NeKeyRecord& rec, NeKeyRecord* stored)
{
    CSimNe* ne = FindNe(rec.neId);
    if (ne == nullptr) {
        return Refused(kSimNoSuchNe);
    }
    if (SimResult checked = CheckNe(rec); !checked.Ok()) {
        return checked;
    }
    UnindexNe(ne->Key());
    ne->SetKey(rec);
    IndexNe(rec);
    *stored = rec;
    return {};
}

SimResult CSimDatabase::DeleteNe(uint32_t id, NeKeyRecord* removed)
{
    auto it = nes_.find(id);
    if (it == nes_.end()) {
        return Refused(kSimNoSuchNe);
    }
    *removed = it->second.Key();
    UnindexNe(*removed);
    nes_.erase(it);
    neIds_.erase(std::lower_bound(neIds_.begin(), neIds_.end(), id));
    alarms_.RemoveNe(id);
    generic_.RemoveNe(id);
    clocks_.Remove(id);
    subscribers_.RemoveNe(id);
    return {};
}

SimResult CSimDatabase::PutSubscriber(const SubscriberRecord& rec, bool* added, SubscriberRecord* stored)
{
    const CSimNe* ne = FindNe(rec.neId);
    if (ne == nullptr) {
        return Refused(kSimNoSuchNe);
    }
    if (!IsLinePort(ne->FindEntity(rec.entityId))) {
        return Refused("Port does not exist");
    }
    return subscribers_.Put(rec, added, stored);
}

SimResult CSimDatabase::DeleteSubscriber(const SubscriberRecord& rec, SubscriberRecord* removed)
{
    return subscribers_.Delete(rec, removed);
}

void CSimDatabase::GenerateSubscribers(uint32_t count)
{
    static constexpr const char* kFirstNames[] = {"Anna", "Ben", "Carla", "David", "Eva", "Frank", "Greta", "Hugo"};
    static constexpr const char* kLastNames[] = {"Berg", "Lind", "Moss", "Nord", "Holm", "Strand", "Dahl", "Vik"};
    uint32_t made = 0;
    for (const auto& [neId, ne] : nes_) {
        for (const CEntityNode* node : ne.Entities()) {
            if (made == count) {
                return;
            }
            if (!IsLinePort(node) || subscribers_.OfPort(neId, node->GetEntityId()) != nullptr) {
                continue;
            }
            SubscriberRecord rec;
            rec.neId = neId;
            rec.entityId = node->GetEntityId();
            char id[24];
            std::snprintf(id, sizeof id, "SUB-%07u", made + 1);
            rec.subscriberId = id;
            rec.name = std::string(kFirstNames[made % 8]) + " " + kLastNames[made / 8 % 8];
            rec.serviceType = made % 3 + 1;
            rec.subscriberClass = made % 5 == 0 ? 2 : 1;
            rec.telephone = "+1 555 " + std::to_string(1000000 + made).substr(1);
            rec.address = std::to_string(made % 200 + 1) + " Harbour Street";
            bool added = false;
            SubscriberRecord stored;
            if (subscribers_.Put(rec, &added, &stored).Ok()) {
                ++made;
            }
        }
    }
}

SimResult CSimDatabase::WriteNeConfig(uint32_t id, const NeConfigRecord& rec)
{
    CSimNe* ne = FindNe(id);
    if (ne == nullptr) {
        return Refused(kSimNoSuchNe);
    }
    if (ValidateNeIpInterfaces(rec.nmeIp.data(), rec.nmeMask.data(), rec.ugeIp.data(), rec.ugeMask.data(), nullptr,
                               nullptr, rec.gateway.data()) != 0) {
        return Refused("Management addresses do not fit together");
    }
    for (const auto& [otherId, other] : nes_) {
        const NeConfigRecord& taken = other.StoredConfig();
        if (otherId == id) {
            continue;
        }
        for (const auto& address : {rec.ugeIp, rec.nmeIp}) {
            if (address == taken.ugeIp || address == taken.nmeIp) {
                return Refused("Management address " + FormatIpAddress(address) + " is in use by NE " +
                               other.Key().neName);
            }
        }
    }
    ne->WriteConfig(rec);
    return {};
}

EntityStateRec CSimDatabase::EntityState(const CSimNe& ne, const CEntityNode& node) const
{
    const uint32_t entityId = node.GetEntityId();
    EntityStateRec rec;
    rec.entityId = entityId;
    rec.stateBits = alarms_.StateBits(ne.Id(), entityId);
    const uint32_t severity = alarms_.Severity(ne.Id(), entityId);
    rec.severity = severity == 0 ? kSeverityServerCleared : static_cast<int32_t>(severity);
    rec.onlineType = node.GetType();
    rec.plannedType = node.GetPlannedType();
    const SimEntityAck ack = alarms_.Ack(ne.Id(), entityId);
    if (!ack.person.empty()) {
        // An acknowledged state carries the person in its text and the time in its value.
        rec.acknowledged = 1;
        rec.text = ack.person.substr(0, kAckPersonInState);
        rec.value = ack.time;
    }
    rec.occurTime = alarms_.OccurTime(ne.Id(), entityId);
    rec.receiveTime = rec.occurTime;
    rec.alarmClass = rec.stateBits != 0 ? AlarmClassOf(node) : 0;
    return rec;
}

bool CSimDatabase::IsNeReachable(const CSimNe& ne) const
{
    return (alarms_.StateBits(ne.Id(), kNeItselfEntity) & (1u << CurrentEntityModels().GetOfflineAlarm())) == 0;
}

std::vector<EntityStateRec> CSimDatabase::EntityStates(const CSimNe& ne) const
{
    std::vector<EntityStateRec> out;
    // Most NEs have no alarm: their entities' states need no look in the alarm log.
    const bool quiet = !alarms_.HasAnyOf(ne.Id());
    const std::vector<const CEntityNode*> entities = ne.Entities();
    out.reserve(entities.size());
    for (const CEntityNode* node : entities) {
        if (quiet) {
            EntityStateRec& rec = out.emplace_back();
            rec.entityId = node->GetEntityId();
            rec.severity = kSeverityServerCleared;
            rec.onlineType = node->GetType();
            rec.plannedType = node->GetPlannedType();
        } else {
            out.push_back(EntityState(ne, *node));
        }
    }
    return out;
}

std::shared_ptr<const std::vector<uint8_t>> CSimDatabase::KeptStatesFrames(
    const CSimNe& ne, const std::function<std::vector<uint8_t>()>& make) const
{
    const uint64_t alarmStamp = alarms_.StatesStamp(ne.Id());
    std::lock_guard<std::mutex> lock(keptStates_->mutex);
    KeptStates& kept = keptStates_->byNe[ne.Id()];
    if (kept.frames == nullptr || kept.treeStamp != ne.TreeStamp() || kept.alarmStamp != alarmStamp) {
        kept.frames = std::make_shared<const std::vector<uint8_t>>(make());
        kept.treeStamp = ne.TreeStamp();
        kept.alarmStamp = alarmStamp;
    }
    return kept.frames;
}

bool CSimDatabase::RaiseAlarm(uint32_t neId, uint32_t entityId, uint32_t bit, uint32_t severity, uint32_t now)
{
    const CSimNe* ne = FindNe(neId);
    const CEntityNode* node = ne != nullptr ? ne->FindEntity(entityId) : nullptr;
    if (node == nullptr || node->IsAbsent()) {
        return false;
    }
    const uint32_t defined = ne->AlarmSeverity(node->GetModelId(), bit);
    if (defined == 0 && severity == 0) {
        return false;
    }
    SimAlarmEntry entry;
    entry.neId = neId;
    entry.entityId = entityId;
    entry.bit = bit;
    entry.severity = severity != 0 ? severity : defined;
    entry.plannedType = node->GetPlannedType();
    entry.actualType = node->GetType();
    entry.alarmClass = AlarmClassOf(*node);
    entry.occurTime = now;
    entry.receiveTime = now;
    alarms_.Raise(entry);
    return true;
}

std::optional<EntityStateRec> CSimDatabase::ToggleAlarm(uint32_t neId, uint32_t entityId, uint32_t bit, uint32_t now)
{
    const CSimNe* ne = FindNe(neId);
    const CEntityNode* node = ne != nullptr ? ne->FindEntity(entityId) : nullptr;
    if (node == nullptr) {
        return std::nullopt;
    }
    if (!alarms_.Clear(neId, entityId, bit, now) && !RaiseAlarm(neId, entityId, bit, 0, now)) {
        return std::nullopt;
    }
    EntityStateRec state = EntityState(*ne, *node);
    // A clear happens now, even when older alarms of the entity stay active.
    state.occurTime = now;
    state.receiveTime = now;
    return state;
}

ServerAlarmEventRec CSimDatabase::ToServerRecord(const SimAlarmEntry& entry) const
{
    ServerAlarmEventRec rec;
    rec.recordNo = entry.recordNo;
    rec.entityId = entry.entityId;
    rec.alarmMask = FormatServerAlarmMask(1u << entry.bit);
    rec.severity = entry.severity;
    rec.kind = kAlarmKindAlarm;
    rec.plannedType = entry.plannedType;
    rec.actualType = entry.actualType;
    rec.occurTime = entry.occurTime;
    rec.receiveTime = entry.receiveTime;
    rec.clearTime = entry.clearTime;
    if (const CSimNe* ne = FindNe(entry.neId); ne != nullptr) {
        rec.neName = ne->Key().neName;
        rec.locationName = LocationName(ne->Key().locationId); // empty at the root: the workstation names it
    }
    rec.ackPerson = entry.ackPerson.substr(0, 10);
    rec.ackTime = entry.ackTime;
    rec.alarmType = entry.alarmClass;
    return rec;
}

size_t CSimDatabase::StoredBytes() const
{
    size_t bytes = locations_.size() * kRecordSize<LocationRecord> + accounts_.size() * kRecordSize<UserAccountRecord> +
                   kRecordSize<UserRightsRecord> + alarms_.Size() * kRecordSize<ServerAlarmEventRec> +
                   opLog_.Size() * kRecordSize<OpLogRecord> + subscribers_.Size() * kRecordSize<SubscriberRecord> +
                   generic_.StoredBytes();
    for (const auto& [neId, ne] : nes_)
        bytes += kRecordSize<NeKeyRecord> + kRecordSize<NeConfigRecord> +
                 ne.SlotCount() * kRecordSize<BoardSettingRec>;
    return bytes;
}
