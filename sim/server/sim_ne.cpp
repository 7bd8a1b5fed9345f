#include "sim/server/sim_ne.h"

#include <atomic>

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"

namespace {

uint64_t NextTreeStamp()
{
    static std::atomic<uint64_t> last{0};
    return ++last;
}

bool IsModelId(uint32_t type)
{
    return type >= kEntityModelIdMin && type <= kEntityModelIdMax;
}

bool IsPresent(const CEntityNode& node)
{
    return !node.IsAbsent() && IsModelId(node.GetType());
}

void Walk(const CEntityNode& node, std::vector<const CEntityNode*>& out)
{
    // Its parents are present, or the walk would not have come here: the node's own type says it.
    if (node.GetType() == kEntityTypeAbsent) {
        return;
    }
    out.push_back(&node);
    for (int i = 0; i < node.GetChildCount(); ++i) {
        Walk(*node.GetChild(i), out);
    }
}

// The slots among the nodes Walk gives: none lies below another.
size_t CountSlots(const CEntityNode& node)
{
    if (node.GetType() == kEntityTypeAbsent)
        return 0;
    if (node.GetLevel() == kEntityLevelSlot)
        return 1;
    size_t count = 0;
    for (int i = 0; i < node.GetChildCount(); ++i)
        count += CountSlots(*node.GetChild(i));
    return count;
}

// Every position below a present node whose planned model is known is present too, except the slots, which hold
// what the boards say.
void MakeChildrenPresent(CEntityNode& node, const std::map<uint32_t, BoardSettingRec>& boards)
{
    for (int i = 0; i < node.GetChildCount(); ++i) {
        CEntityNode& child = *node.GetChild(i);
        if (child.IsAbsent()) {
            continue;
        }
        if (child.GetLevel() == kEntityLevelSlot) {
            auto board = boards.find(child.GetEntityId());
            if (board != boards.end()) {
                child.SetType(board->second.onlineType, board->second.plannedType);
            } else if (IsModelId(child.GetPlannedType())) {
                child.SetType(child.GetPlannedType(), child.GetPlannedType());
            } else {
                child.SetType(kEntityTypeEmpty, kEntityTypeEmpty);
            }
        } else if (IsModelId(child.GetPlannedType())) {
            child.SetType(child.GetPlannedType(), child.GetPlannedType());
        }
        if (IsPresent(child)) {
            MakeChildrenPresent(child, boards);
        }
    }
}

constexpr uint32_t kUpTimeAtFirstReport = 3 * 86400 + 4 * 3600; // the NE has run a while when the server asks
constexpr uint8_t kServicesLayer2And3 = 0x06;
constexpr uint16_t kManagementVlan = 4092;

// What an NE reports of itself before anything is written to it: its model, the uplink on the NE's own /24 with the
// gateway at its end, the management port on a subnet of its own.
NeConfigRecord DefaultConfig(const NeKeyRecord& key)
{
    NeConfigRecord config;
    const CEntityType* model = CurrentEntityModels().FindModel(key.modelId);
    config.sysDescription = (model != nullptr ? model->GetDisplayName() : std::string("NE")) + " IP DSLAM";
    config.sysObjectId = model != nullptr ? model->GetSysObjectId() : std::string();
    config.services = kServicesLayer2And3;
    const uint32_t id = key.neId;
    config.ugeMac = {
        0x00, 0x10, 0xa4, static_cast<uint8_t>(id >> 16), static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id)};
    config.nmeMac = config.ugeMac;
    config.nmeMac[0] = 0x02;
    config.sysName = key.neName;
    config.ugeIp = key.ipAddress;
    config.ugeMask = {255, 255, 255, 0};
    config.gateway = {key.ipAddress[0], key.ipAddress[1], key.ipAddress[2],
                      static_cast<uint8_t>(key.ipAddress[3] == 254 ? 253 : 254)};
    config.vlanId = kManagementVlan;
    config.nmeIp = {192, 168, static_cast<uint8_t>(id / 250 % 250), static_cast<uint8_t>(id % 250 + 1)};
    config.nmeMask = {255, 255, 255, 0};
    return config;
}

} // namespace

CSimNe::CSimNe(const NeKeyRecord& key, const std::vector<BoardSettingRec>& boards,
               const std::optional<NeConfigRecord>& config)
    : key_(key), config_(config.value_or(DefaultConfig(key)))
{
    for (const BoardSettingRec& board : boards) {
        boards_[board.entityId] = board;
    }
    BuildTree();
}

NeConfigRecord CSimNe::Config(uint32_t now)
{
    if (bootTime_ == 0) {
        bootTime_ = now > kUpTimeAtFirstReport ? now - kUpTimeAtFirstReport : 1;
    }
    NeConfigRecord config = config_;
    config.upTime = now - bootTime_;
    return config;
}

void CSimNe::WriteConfig(const NeConfigRecord& rec)
{
    config_.contact = rec.contact;
    config_.sysName = rec.sysName;
    config_.place = rec.place;
    config_.ugeIp = rec.ugeIp;
    config_.ugeMask = rec.ugeMask;
    config_.vlanId = rec.vlanId;
    config_.nmeIp = rec.nmeIp;
    config_.nmeMask = rec.nmeMask;
    config_.gateway = rec.gateway;
}

void CSimNe::SetKey(const NeKeyRecord& key)
{
    const bool rebuild = key.modelId != key_.modelId;
    key_ = key;
    if (rebuild) {
        BuildTree();
    }
}

void CSimNe::BuildTree()
{
    fileSystem_.SetSlaveModule(key_.modelId != kNeModelOneControlModule);
    root_ = CEntityNode::BuildEntityTree(key_.modelId, CurrentEntityModels());
    root_.Mutable().SetType(key_.modelId, key_.modelId);
    MakeChildrenPresent(root_.Mutable(), boards_);
    treeStamp_ = NextTreeStamp();
    // Slots without a board of their own report what they hold.
    for (const CEntityNode* node : Entities()) {
        if (node->GetLevel() == kEntityLevelSlot && boards_.count(node->GetEntityId()) == 0) {
            boards_[node->GetEntityId()] = DefaultBoard(*node);
        }
    }
}

BoardSettingRec CSimNe::DefaultBoard(const CEntityNode& slot) const
{
    BoardSettingRec rec;
    rec.entityId = slot.GetEntityId();
    rec.plannedType = slot.GetPlannedType();
    rec.onlineType = slot.GetType();
    rec.aal5Encapsulation = 1;
    rec.runtimeVlanTagPassThrough = 2;
    rec.taggedMode = 2;
    rec.runtimeTaggedMode = 2;
    if (IsModelId(slot.GetType())) {
        rec.softwareVersion = "1.0.0";
        rec.hardwareVersion = "A";
        rec.serialNumber = "SIM-" + std::to_string(key_.neId) + "-" + std::to_string(rec.entityId);
    }
    return rec;
}

const CEntityNode* CSimNe::FindEntity(uint32_t entityId) const
{
    return root_->FindById(entityId);
}

std::vector<const CEntityNode*> CSimNe::Entities() const
{
    std::vector<const CEntityNode*> out;
    Walk(*root_, out);
    return out;
}

std::vector<const CEntityNode*> CSimNe::AlarmTargets() const
{
    std::vector<const CEntityNode*> out;
    for (const CEntityNode* node : Entities()) {
        if (node->GetLevel() > kEntityLevelNe && IsPresent(*node) && FirstAlarmBit(node->GetType()) >= 0) {
            out.push_back(node);
        }
    }
    return out;
}

std::vector<HardwareModule> CSimNe::HardwareModules() const
{
    std::vector<HardwareModule> modules;
    for (const CEntityNode* node : Entities()) {
        const CEntityType* model = CurrentEntityModels().FindModel(node->GetType());
        if (node->GetLevel() == kEntityLevelSlot && IsPresent(*node) && model != nullptr) {
            modules.push_back({node->GetEntityId(), model->GetMenuClass()});
        }
    }
    return modules;
}

std::vector<BoardSettingRec> CSimNe::BoardSettings() const
{
    std::vector<BoardSettingRec> out;
    for (const CEntityNode* node : Entities()) {
        if (node->GetLevel() != kEntityLevelSlot) {
            continue;
        }
        auto board = boards_.find(node->GetEntityId());
        BoardSettingRec rec = board != boards_.end() ? board->second : DefaultBoard(*node);
        rec.plannedType = node->GetPlannedType();
        rec.onlineType = node->GetType();
        out.push_back(rec);
    }
    return out;
}

size_t CSimNe::SlotCount() const
{
    return CountSlots(*root_);
}

bool CSimNe::WriteBoardSetting(const BoardSettingRec& rec)
{
    CEntityNode* slot = root_.Mutable().FindById(rec.entityId);
    if (slot == nullptr || slot->GetLevel() != kEntityLevelSlot) {
        return false;
    }
    // The slot is planned for the type written; the card in it stays what it is.
    if (rec.plannedType != 0 && rec.plannedType != slot->GetPlannedType() &&
        !slot->SetType(slot->GetType(), rec.plannedType)) {
        return false;
    }
    treeStamp_ = NextTreeStamp();
    BoardSettingRec stored = rec;
    stored.plannedType = slot->GetPlannedType();
    stored.onlineType = slot->GetType();
    // What the board runs follows what it is told.
    stored.runtimeVlanTagPassThrough = static_cast<uint16_t>(rec.vlanTagPassThrough == 1 ? 1 : 2);
    stored.runtimeTaggedMode = rec.taggedMode;
    boards_[rec.entityId] = stored;
    return true;
}

std::vector<AlarmDefRec> CSimNe::AlarmDefs() const
{
    std::vector<AlarmDefRec> out;
    std::map<uint32_t, bool> seen;
    for (const CEntityNode* node : Entities()) {
        const uint32_t model = node->GetModelId();
        if (model == 0 || seen[model]) {
            continue;
        }
        seen[model] = true;
        for (int index = 0; index < kEntityAlarmCount; ++index) {
            const CEntityAlarmDef* def = CurrentEntityModels().GetAlarmDef(model, static_cast<uint8_t>(index));
            if (def == nullptr || def->defined == 0) {
                continue;
            }
            auto written = writtenDefs_.find({model, static_cast<uint8_t>(index)});
            if (written != writtenDefs_.end()) {
                out.push_back(written->second);
                continue;
            }
            AlarmDefRec rec;
            rec.modelId = model;
            rec.alarmIndex = static_cast<uint8_t>(index);
            rec.neModelId = key_.modelId;
            rec.severity = def->severity;
            rec.reporting = def->reporting;
            rec.suppressionMask = def->suppressionMask;
            out.push_back(rec);
        }
    }
    return out;
}

bool CSimNe::WriteAlarmDef(const AlarmDefRec& rec)
{
    const CEntityAlarmDef* def = CurrentEntityModels().GetAlarmDef(rec.modelId, rec.alarmIndex);
    if (rec.alarmIndex >= kEntityAlarmCount || def == nullptr || def->defined == 0) {
        return false;
    }
    AlarmDefRec stored = rec;
    stored.neModelId = key_.modelId;
    writtenDefs_[{rec.modelId, rec.alarmIndex}] = stored;
    return true;
}

uint32_t CSimNe::AlarmSeverity(uint32_t modelId, uint32_t bit) const
{
    if (bit >= static_cast<uint32_t>(kEntityAlarmCount)) {
        return 0;
    }
    auto written = writtenDefs_.find({modelId, static_cast<uint8_t>(bit)});
    if (written != writtenDefs_.end()) {
        return written->second.severity;
    }
    const CEntityAlarmDef* def = CurrentEntityModels().GetAlarmDef(modelId, static_cast<uint8_t>(bit));
    return def == nullptr || def->defined == 0 ? 0 : def->severity;
}

int CSimNe::FirstAlarmBit(uint32_t modelId) const
{
    const unsigned offline = CurrentEntityModels().GetOfflineAlarm();
    for (int bit = 0; bit < kEntityAlarmCount; ++bit) {
        if (static_cast<unsigned>(bit) == offline) {
            continue;
        }
        const CEntityAlarmDef* def = CurrentEntityModels().GetAlarmDef(modelId, static_cast<uint8_t>(bit));
        if (def != nullptr && def->defined != 0 && def->reporting != 0 && def->severity != 0) {
            return bit;
        }
    }
    return -1;
}
