#include "sim/ne_agent/ne_agent_mib.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/long_term_pm_item_rec.h"
#include "link/records/ne_alarm_log_rec.h"
#include "link/records/ne_config_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/request_codes.h"
#include "sim/seed/hardware_readings.h"

#include <algorithm>
#include <ctime>
#include <set>

namespace {

constexpr uint32_t kSeverityCleared = 99;
constexpr size_t kMaxLogRows = 100000;
// GETBULK never builds more bindings than a largest message could hold.
constexpr size_t kMaxBulkVarbinds = 6000;
constexpr size_t kMaxSystemText = 255;

// The tables whose rows the NE holds no more of than its profile tables, its next hops and its DHCP relay servers take.
constexpr std::pair<uint16_t, size_t> kTableLimits[] = {{kReqAdslLineProfile, 60},  {kReqPmThresholdProfile, 60},
                                                        {kReqIpTrafficProfile, 60}, {kReqTrafficPolicingProfile, 60},
                                                        {kReqMcServiceProfile, 60}, {kReqMcChannelProfile, 800},
                                                        {kReqNextHop, 4},           {kReqDhcpRelayServer, 4}};

size_t TableLimit(uint16_t objectCode, size_t cap)
{
    for (const auto& [code, limit] : kTableLimits) {
        if (code == objectCode)
            return std::min(cap, limit);
    }
    return cap;
}

const CSnmpOid kSystemGroup{1, 3, 6, 1, 2, 1, 1};
const CSnmpOid kSnmpGroup{1, 3, 6, 1, 2, 1, 11};

bool IsConcreteType(uint32_t type)
{
    return type != 0 && type != kEntityTypeEmpty && type != kEntityTypeUnknown && type != kEntityTypeAbsent &&
           type != kPlannedTypeSame;
}

// v1 has five error values; the v2c ones fold into them.
int32_t ForVersion(SnmpVersion version, int32_t status)
{
    if (version == SnmpVersion::V2c)
        return status;
    switch (status) {
    case kSnmpWrongType:
    case kSnmpWrongLength:
    case kSnmpWrongEncoding:
    case kSnmpWrongValue:
    case kSnmpInconsistentValue:
        return kSnmpBadValue;
    case kSnmpNoAccess:
    case kSnmpNotWritable:
    case kSnmpNoCreation:
    case kSnmpInconsistentName:
        return kSnmpNoSuchName;
    case kSnmpResourceUnavailable:
    case kSnmpCommitFailed:
    case kSnmpUndoFailed:
    case kSnmpAuthorizationError:
        return kSnmpGenErr;
    default:
        return status;
    }
}

// Changes a record kept as bytes through its struct.
template <typename Rec, typename Change> void Update(std::vector<uint8_t>& bytes, Change change)
{
    Rec rec;
    if (!DecodeRecord(bytes.data(), bytes.size(), &rec))
        return;
    change(rec);
    EncodeRecord(rec, bytes.data());
}

// The NE's MACs and management addresses before a scenario or a write sets them: the management port on its own
// subnet, the uplink on another with the gateway in it.
NeConfigRecord DefaultNeConfig()
{
    NeConfigRecord config;
    config.ugeMac = {0x00, 0x10, 0xa4, 0x00, 0x00, 0x01};
    config.nmeMac = {0x00, 0x10, 0xa4, 0x00, 0x00, 0x02};
    config.ugeIp = {10, 10, 1, 1};
    config.ugeMask = {255, 255, 255, 0};
    config.vlanId = 4092;
    config.nmeIp = {192, 168, 1, 10};
    config.nmeMask = {255, 255, 255, 0};
    config.gateway = {10, 10, 1, 254};
    return config;
}

// A board of the model's fixed positions, as the NE reports it.
BoardSettingRec FixedBoard(uint32_t slot, uint32_t type)
{
    BoardSettingRec board;
    board.entityId = slot;
    board.plannedType = type;
    board.onlineType = type;
    board.softwareVersion = "V1.0.0";
    board.hardwareVersion = "HW-A";
    board.serialNumber = "SN" + std::to_string(slot);
    board.aal5Encapsulation = 1;
    board.vlanTagPassThrough = 1;
    board.runtimeVlanTagPassThrough = 1;
    board.taggedMode = 2;
    board.runtimeTaggedMode = 2;
    return board;
}

// The computed PM tables and their entries' OIDs, which every GET-NEXT passes.
struct PmEntry {
    uint16_t code = 0;
    const SnmpRequestEntry* entry = nullptr;
    CSnmpOid entryOid;
};

const std::vector<PmEntry>& PmEntries()
{
    static const std::vector<PmEntry> entries = [] {
        std::vector<PmEntry> built;
        for (uint16_t code : CNeAgentPmTables::Codes()) {
            const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(code);
            built.push_back({code, entry, entry->EntryOid()});
        }
        return built;
    }();
    return entries;
}

int32_t FromStore(SnmpStoreResult result)
{
    switch (result) {
    case SnmpStoreResult::Ok:
        return kSnmpNoError;
    case SnmpStoreResult::WrongType:
        return kSnmpWrongType;
    case SnmpStoreResult::WrongLength:
        return kSnmpWrongLength;
    case SnmpStoreResult::WrongValue:
        return kSnmpWrongValue;
    }
    return kSnmpGenErr;
}

} // namespace

void CNeAgentMib::Build(const NeAgentScenario& scenario, const CEntityModelSet* models)
{
    models_ = models;
    neModel_ = scenario.neModel;
    sysDescr_ = scenario.sysDescr;
    sysName_ = scenario.sysName;
    sysContact_ = scenario.sysContact;
    sysLocation_ = scenario.sysLocation;
    sysServices_ = scenario.sysServices;
    clockOffset_ = scenario.clockOffset;
    maxTableRows_ = scenario.maxTableRows;
    const CEntityType* neType = models != nullptr ? models->FindModel(neModel_) : nullptr;
    std::optional<CSnmpOid> objectId;
    if (neType != nullptr)
        objectId = CSnmpOid::Parse(neType->GetSysObjectId());
    sysObjectId_ = objectId.value_or(SnmpPrivateRoot().Appended(neModel_));

    NeKeyRecord key;
    key.modelId = neModel_;
    key.snmpVersion = scenario.snmpVersion;
    auto keyBytes = EncodeRecord(key);
    scalarRecords_[kReqNeKey].assign(keyBytes.begin(), keyBytes.end());
    NeTimeRecord time;
    time.timeZone = static_cast<int16_t>(scenario.timeZone);
    auto timeBytes = EncodeRecord(time);
    scalarRecords_[kReqNeTime].assign(timeBytes.begin(), timeBytes.end());
    auto configBytes = EncodeRecord(DefaultNeConfig());
    scalarRecords_[kReqNeConfig].assign(configBytes.begin(), configBytes.end());
    auto networkBytes = EncodeRecord(NeNetworkConfigRec{});
    scalarRecords_[kReqNeNetworkConfig].assign(networkBytes.begin(), networkBytes.end());
    auto thresholdBytes = EncodeRecord(kDefaultTemperatureThresholds);
    scalarRecords_[kReqHwMonThreshold].assign(thresholdBytes.begin(), thresholdBytes.end());
    SetSettingDefaults();

    for (const auto& [code, entry] : DefaultSnmpRequestMap().Entries()) {
        if (entry.kind == SnmpEntryKind::Table && code == entry.objectCode && !CNeAgentPmTables::IsComputed(code))
            tables_[entry.objectCode].entry = &entry;
    }

    for (const NeAgentRow& row : scenario.rows) {
        const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(row.code);
        if (entry == nullptr || row.record.size() != entry->recordSize ||
            CNeAgentPmTables::IsComputed(entry->objectCode))
            continue;
        if (entry->kind == SnmpEntryKind::Table)
            AddRow(entry->objectCode, row.record);
        else if (entry->kind == SnmpEntryKind::ScalarGroup)
            scalarRecords_[row.code] = row.record;
    }
    TakeSettingRows(scenario);

    // A setting the NE has not been given reads as zeros, and takes a write.
    for (const auto& [code, entry] : DefaultSnmpRequestMap().Entries()) {
        if (entry.kind == SnmpEntryKind::ScalarGroup && scalarRecords_.count(code) == 0)
            scalarRecords_[code].assign(entry.recordSize, 0);
    }
    BuildFileSystem();

    // The NE root, its shelves and boards, as the model and the scenario make them.
    const bool boardsGiven = RowCount(kReqBoardSetting) != 0;
    std::vector<EntityStateRec> states;
    EntityStateRec root;
    root.entityId = 1;
    root.severity = kSeverityCleared;
    root.plannedType = neModel_;
    root.onlineType = neModel_;
    root.alarmClass = 1;
    states.push_back(root);
    if (neType != nullptr) {
        for (int s = 0; s < neType->GetChildCount(); ++s) {
            uint32_t shelfType = neType->GetChildFixedType(s);
            if (shelfType == kEntityTypeAbsent)
                continue;
            const uint32_t shelfId = static_cast<uint32_t>(s + 1) * 10000;
            EntityStateRec shelf = root;
            shelf.entityId = shelfId;
            shelf.plannedType = shelfType;
            shelf.onlineType = shelfType;
            states.push_back(shelf);
            const CEntityType* shelfModel = models->FindModel(shelfType);
            if (shelfModel == nullptr || boardsGiven)
                continue;
            for (int p = 0; p < shelfModel->GetChildCount(); ++p) {
                uint32_t type = shelfModel->GetChildFixedType(p);
                if (IsConcreteType(type)) {
                    auto bytes = EncodeRecord(FixedBoard(shelfId + static_cast<uint32_t>(p + 1) * 100, type));
                    AddRow(kReqBoardSetting, {bytes.begin(), bytes.end()});
                }
            }
        }
    }
    const std::vector<uint32_t> adslPorts = FindAdslPorts();
    AddTrunkDefaults(adslPorts);
    AddLineRows(adslPorts);
    AddPortHubDefaults(adslPorts);
    // The ports of each board, of the types its model gives them, are entities of the NE's table as well; the
    // alarm generator below keeps to the NE, its shelves and boards.
    std::vector<EntityStateRec> ports;
    for (const auto& [index, record] : tables_[kReqBoardSetting].rows) {
        BoardSettingRec board;
        DecodeRecord(record.data(), record.size(), &board);
        EntityStateRec slot = root;
        slot.entityId = board.entityId;
        slot.plannedType = board.plannedType;
        slot.onlineType = board.onlineType;
        states.push_back(slot);
        const CEntityType* boardModel =
            models != nullptr && IsConcreteType(board.onlineType) ? models->FindModel(board.onlineType) : nullptr;
        for (int p = 0; boardModel != nullptr && p < boardModel->GetChildCount(); ++p) {
            const uint32_t type = boardModel->GetChildFixedType(p);
            if (!IsConcreteType(type))
                continue;
            EntityStateRec port = root;
            port.entityId = board.entityId + static_cast<uint32_t>(p) + 1;
            port.plannedType = type;
            port.onlineType = type;
            ports.push_back(port);
        }
    }
    for (const std::vector<EntityStateRec>* rows : {&states, &ports}) {
        for (const EntityStateRec& state : *rows) {
            auto bytes = EncodeRecord(state);
            AddRow(kReqEntityState, {bytes.begin(), bytes.end()});
        }
    }

    if (models != nullptr) {
        for (int i = 0; i < models->GetTypeCount(); ++i) {
            const CEntityType* model = models->GetTypeAt(i);
            uint32_t owner = model->GetNeModelId();
            if (model->GetId() != neModel_ && owner != neModel_ && !NeModelMatchesAnyNe(owner))
                continue;
            for (uint8_t a = 0; a < 32; ++a) {
                const CEntityAlarmDef* def = models->GetAlarmDef(model->GetId(), a);
                if (def == nullptr)
                    continue;
                AlarmDefRec rec;
                rec.modelId = model->GetId();
                rec.alarmIndex = a;
                rec.neModelId = owner;
                rec.severity = def->severity;
                rec.reporting = def->reporting;
                rec.suppressionMask = def->suppressionMask;
                auto bytes = EncodeRecord(rec);
                AddRow(kReqAlarmDef, {bytes.begin(), bytes.end()});
            }
        }
    }

    // The generator raises and clears the model's own alarms; 0 (offline, missing), 30 (standby) and 31
    // (disabled) carry state meanings of their own and are left alone.
    for (const EntityStateRec& state : states) {
        if (models == nullptr)
            break;
        for (uint8_t a = 1; a < 30; ++a) {
            const CEntityAlarmDef* def = models->GetAlarmDef(ModelOf(state), a);
            if (def != nullptr)
                candidates_.push_back({state.entityId, a, def->severity});
        }
    }
    for (uint32_t i = 0; i < scenario.alarmLogRows && !candidates_.empty(); ++i) {
        const Candidate& c = candidates_[i % candidates_.size()];
        EntityStateRec state;
        state.entityId = c.entityId;
        const auto& rows = tables_[kReqEntityState].rows;
        if (auto it = rows.find(CSnmpOid{c.entityId}); it != rows.end())
            DecodeRecord(it->second.data(), it->second.size(), &state);
        // Every other entry clears what the one before raised.
        state.stateBits = (i / candidates_.size()) % 2 == 0 ? (1u << c.alarm) : 0;
        AppendLog(state);
    }
}

std::vector<LongTermPmItemRec> CNeAgentMib::LongTermPmItems() const
{
    std::vector<LongTermPmItemRec> items;
    auto table = tables_.find(kReqLongTermPmItem);
    if (table == tables_.end())
        return items;
    for (const auto& [index, record] : table->second.rows) {
        LongTermPmItemRec item;
        if (DecodeRecord(record.data(), record.size(), &item))
            items.push_back(item);
    }
    return items;
}

CNeAgentPmTables::Source CNeAgentMib::PmSource() const
{
    return {[this] { return NowSeconds(); }, [this] { return LongTermPmItems(); }};
}

std::optional<SnmpVarBind> CNeAgentMib::ComputedNext(const SnmpRequestEntry& entry, const CSnmpOid& entryOid,
                                                     const CSnmpOid& oid) const
{
    size_t first = 0;
    CSnmpOid after;
    if (entryOid.IsPrefixOf(oid) && oid.Size() > entryOid.Size()) {
        const uint32_t column = oid[entryOid.Size()];
        while (first < entry.columns.size() && entry.columns[first].number < column)
            ++first;
        if (first < entry.columns.size() && entry.columns[first].number == column)
            after = entryOid.Appended(column).SuffixOf(oid);
    } else if (!(oid < entryOid) && !entryOid.IsPrefixOf(oid)) {
        return std::nullopt; // past the table
    }
    const CNeAgentPmTables::Source ne = PmSource();
    for (size_t c = first; c < entry.columns.size(); ++c) {
        const std::optional<CSnmpOid> index = pm_.NextIndex(entry.objectCode, c == first ? after : CSnmpOid{}, ne);
        if (!index)
            continue;
        if (const std::vector<uint8_t>* row = pm_.Row(entry.objectCode, *index, ne))
            return SnmpVarBind{entry.ColumnOid(entry.columns[c]).Appended(*index),
                               SnmpColumnValue(entry.columns[c], row->data())};
    }
    return std::nullopt;
}

std::optional<SnmpValue> CNeAgentMib::ComputedRead(const CSnmpOid& oid) const
{
    for (const auto& [code, entry, entryOid] : PmEntries()) {
        if (!entryOid.IsPrefixOf(oid) || oid.Size() < entryOid.Size() + 2)
            continue;
        const SnmpColumnDef* column = entry->FindColumn(oid[entryOid.Size()]);
        if (column == nullptr)
            return std::nullopt;
        const std::vector<uint8_t>* row = pm_.Row(code, entryOid.Appended(column->number).SuffixOf(oid), PmSource());
        if (row == nullptr)
            return std::nullopt;
        return SnmpColumnValue(*column, row->data());
    }
    return std::nullopt;
}

size_t CNeAgentMib::RowCount(uint16_t objectCode) const
{
    auto it = tables_.find(objectCode);
    if (it == tables_.end())
        return 0;
    const Table& table = it->second;
    size_t count = table.rows.size();
    if (table.madeFirst <= table.madeLast) {
        count += table.madeLast - table.madeFirst + 1;
        for (auto row = table.rows.lower_bound(CSnmpOid{table.madeFirst});
             row != table.rows.end() && row->first.Size() == 1 && row->first[0] <= table.madeLast; ++row)
            --count; // a held row that replaces a made one
    }
    return count;
}

void CNeAgentMib::AddRow(uint16_t code, const std::vector<uint8_t>& record)
{
    Table& table = tables_[code];
    const CSnmpOid index = EncodeSnmpRowIndex(*table.entry, record.data());
    table.rows.Write().insert_or_assign(index, record);
}

void CNeAgentMib::RemoveRow(uint16_t code, CSnmpOid index)
{
    tables_[code].rows.Write().erase(index);
}

const std::vector<uint8_t>* CNeAgentMib::RowAt(const Table& table, const CSnmpOid& index,
                                               std::vector<uint8_t>* made) const
{
    if (auto held = table.rows.find(index); held != table.rows.end())
        return &held->second;
    if (index.Size() != 1 || index[0] < table.madeFirst || index[0] > table.madeLast)
        return nullptr;
    *made = MadeRow(table.entry->objectCode, index[0]);
    return made;
}

bool CNeAgentMib::HasRow(const Table& table, const CSnmpOid& index) const
{
    return table.rows.count(index) != 0 ||
           (index.Size() == 1 && index[0] >= table.madeFirst && index[0] <= table.madeLast);
}

std::optional<CSnmpOid> CNeAgentMib::IndexFrom(const Table& table, const CSnmpOid& from, bool inclusive) const
{
    std::optional<CSnmpOid> next;
    if (auto held = inclusive ? table.rows.lower_bound(from) : table.rows.upper_bound(from); held != table.rows.end())
        next = held->first;
    if (table.madeFirst > table.madeLast)
        return next;
    // The made indexes are single sub-identifiers: {n} is above a longer `from` that starts with n.
    uint64_t made = table.madeFirst;
    if (!from.Empty())
        made = std::max<uint64_t>(made, uint64_t{from[0]} + (inclusive && from.Size() == 1 ? 0 : 1));
    if (made <= table.madeLast && (!next || CSnmpOid{static_cast<uint32_t>(made)} < *next))
        next = CSnmpOid{static_cast<uint32_t>(made)};
    return next;
}

const std::vector<CNeAgentMib::TableShape>& CNeAgentMib::Shapes()
{
    static const std::vector<TableShape> shapes = [] {
        std::vector<TableShape> built;
        for (const auto& [code, entry] : DefaultSnmpRequestMap().Entries()) {
            if (entry.kind != SnmpEntryKind::Table || code != entry.objectCode || CNeAgentPmTables::IsComputed(code))
                continue;
            TableShape shape{entry.EntryOid(), code, {}};
            for (const SnmpColumnDef& column : entry.columns)
                shape.columns.push_back(column.number);
            std::sort(shape.columns.begin(), shape.columns.end());
            if (entry.rowStatus)
                shape.columns.push_back(entry.RowStatusColumn());
            built.push_back(std::move(shape));
        }
        std::sort(built.begin(), built.end(),
                  [](const TableShape& a, const TableShape& b) { return a.entryOid < b.entryOid; });
        return built;
    }();
    return shapes;
}

std::optional<SnmpVarBind> CNeAgentMib::TableNext(const TableShape& shape, const CSnmpOid& oid,
                                                  AgentAccess access) const
{
    const size_t depth = shape.entryOid.Size();
    size_t first = 0;
    CSnmpOid after; // the index above which the first column's cells come
    bool inclusive = true;
    if (shape.entryOid.IsPrefixOf(oid) && oid.Size() > depth) {
        const uint32_t column = oid[depth];
        while (first < shape.columns.size() && shape.columns[first] < column)
            ++first;
        if (first < shape.columns.size() && shape.columns[first] == column) {
            after = CSnmpOid(
                std::vector<uint32_t>(oid.SubIds().begin() + static_cast<ptrdiff_t>(depth) + 1, oid.SubIds().end()));
            inclusive = false;
        }
    } else if (!(oid < shape.entryOid) && !shape.entryOid.IsPrefixOf(oid)) {
        return std::nullopt; // past the table
    }
    const Table& table = tables_.at(shape.code);
    const SnmpRequestEntry& entry = *table.entry;
    for (size_t c = first; c < shape.columns.size(); ++c) {
        const uint32_t column = shape.columns[c];
        if (access != AgentAccess::ReadWrite && entry.IsSecretCell(column))
            continue;
        const std::optional<CSnmpOid> index =
            c == first ? IndexFrom(table, after, inclusive) : IndexFrom(table, {}, true);
        if (!index)
            continue;
        const CSnmpOid cell = shape.entryOid.Appended(column).Appended(*index);
        if (entry.rowStatus && column == entry.RowStatusColumn())
            return SnmpVarBind{cell, SnmpValue::Integer(kRowStatusActive)};
        std::vector<uint8_t> made;
        return SnmpVarBind{cell, SnmpColumnValue(*entry.FindColumn(column), RowAt(table, *index, &made)->data())};
    }
    return std::nullopt;
}

bool CNeAgentMib::HasCellUnder(const TableShape& shape, const CSnmpOid& prefix) const
{
    const Table& table = tables_.at(shape.code);
    if (prefix.IsPrefixOf(shape.entryOid))
        return !shape.columns.empty() && IndexFrom(table, {}, true).has_value();
    const size_t depth = shape.entryOid.Size();
    if (!shape.entryOid.IsPrefixOf(prefix) ||
        !std::binary_search(shape.columns.begin(), shape.columns.end(), prefix[depth]))
        return false;
    const CSnmpOid start(
        std::vector<uint32_t>(prefix.SubIds().begin() + static_cast<ptrdiff_t>(depth) + 1, prefix.SubIds().end()));
    const std::optional<CSnmpOid> index = IndexFrom(table, start, true);
    return index && start.IsPrefixOf(*index);
}

std::optional<CNeAgentMib::Object> CNeAgentMib::Find(const CSnmpOid& oid) const
{
    if (auto known = Registry().find(oid); known != Registry().end())
        return known->second;
    const std::vector<TableShape>& shapes = Shapes();
    auto shape = std::upper_bound(shapes.begin(), shapes.end(), oid,
                                  [](const CSnmpOid& key, const TableShape& s) { return key < s.entryOid; });
    if (shape == shapes.begin())
        return std::nullopt;
    --shape;
    const size_t depth = shape->entryOid.Size();
    if (!shape->entryOid.IsPrefixOf(oid) || oid.Size() <= depth ||
        !std::binary_search(shape->columns.begin(), shape->columns.end(), oid[depth]))
        return std::nullopt;
    const Table& table = tables_.at(shape->code);
    CSnmpOid index(std::vector<uint32_t>(oid.SubIds().begin() + static_cast<ptrdiff_t>(depth) + 1, oid.SubIds().end()));
    if (!HasRow(table, index))
        return std::nullopt;
    if (table.entry->rowStatus && oid[depth] == table.entry->RowStatusColumn())
        return Object{Object::Kind::RowStatus, shape->code, 0, std::move(index)};
    return Object{Object::Kind::Cell, shape->code, oid[depth], std::move(index)};
}

uint32_t CNeAgentMib::UpTimeTicks() const
{
    auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 10);
}

uint32_t CNeAgentMib::NowSeconds() const
{
    return static_cast<uint32_t>(static_cast<int64_t>(std::time(nullptr)) + clockOffset_);
}

AgentAccess CNeAgentMib::Authorize(const std::string& community) const
{
    auto table = tables_.find(kReqNeSnmpCommunity);
    if (table == tables_.end() || community.size() >= kNeSnmpCommunityNameWidth)
        return AgentAccess::None;
    // The community names its own row.
    auto key = EncodeRecord(NeSnmpCommunityRecord{community, 0, 0});
    auto row = table->second.rows.find(EncodeSnmpRowIndex(*table->second.entry, key.data()));
    if (row == table->second.rows.end())
        return AgentAccess::None;
    NeSnmpCommunityRecord rec;
    DecodeRecord(row->second.data(), row->second.size(), &rec);
    if (rec.state != 1)
        return AgentAccess::None;
    return rec.permission == 2 ? AgentAccess::ReadWrite : AgentAccess::ReadOnly;
}

const std::map<CSnmpOid, CNeAgentMib::Object>& CNeAgentMib::Registry()
{
    static const std::map<CSnmpOid, Object> objects = [] {
        std::map<CSnmpOid, Object> registry;
        for (uint32_t k = 1; k <= 7; ++k)
            registry[kSystemGroup.Appended(k).Appended(0)] = {Object::Kind::System, 0, k, {}};
        for (uint32_t k : {1u, 3u, 4u, 6u})
            registry[kSnmpGroup.Appended(k).Appended(0)] = {Object::Kind::Counter, 0, k, {}};
        for (const auto& [code, entry] : DefaultSnmpRequestMap().Entries()) {
            if (entry.kind == SnmpEntryKind::ScalarGroup) {
                for (const SnmpColumnDef& column : entry.columns) {
                    if (column.instanceOid == nullptr)
                        registry[entry.ColumnOid(column)] = {Object::Kind::MapScalar, code, column.number, {}};
                }
            } else if (entry.kind == SnmpEntryKind::Action || entry.writeKind == SnmpWriteKind::Trigger) {
                registry[entry.ActionOid()] = {Object::Kind::Action, code, 0, {}};
            } else if (entry.kind == SnmpEntryKind::Count) {
                registry[entry.CountOid()] = {Object::Kind::Count, entry.countedObject, code, {}};
            }
        }
        return registry;
    }();
    return objects;
}

void CNeAgentMib::RefreshDynamic()
{
    ShowFileSystem();
    const uint32_t upSeconds = UpTimeTicks() / 100;
    Update<NeTimeRecord>(scalarRecords_[kReqNeTime], [&](NeTimeRecord& time) {
        time.upTime = upSeconds;
        time.neClock = NowSeconds();
    });
    // The boards' up time moves by the second, and nothing else writes it.
    if (boardsUpTimeShown_ != upSeconds) {
        for (auto& [index, record] : tables_[kReqBoardSetting].rows.Write())
            Update<BoardSettingRec>(record, [&](BoardSettingRec& board) { board.upTime = upSeconds; });
        boardsUpTimeShown_ = upSeconds;
    }
    RefreshShdslUpgrades();
    RefreshLines();
    RefreshHardwareReadings();
    RefreshSettings();
    ShowMacSpoofing();
    // The addresses the NE checks new ones against are those it has now.
    NeConfigRecord config;
    const std::vector<uint8_t>& configBytes = scalarRecords_[kReqNeConfig];
    if (DecodeRecord(configBytes.data(), configBytes.size(), &config)) {
        Update<NeNetworkConfigRec>(scalarRecords_[kReqNeNetworkConfig], [&](NeNetworkConfigRec& network) {
            network.nmeIp = config.nmeIp;
            network.nmeMask = config.nmeMask;
            network.gateway = config.gateway;
            network.ugeIp = config.ugeIp;
            network.ugeMask = config.ugeMask;
        });
    }
}

void CNeAgentMib::RefreshHardwareReadings()
{
    if (models_ == nullptr)
        return;
    // The readings move by the second: within one, the same boards and thresholds read as they were shown.
    const CSharedMap<CSnmpOid, std::vector<uint8_t>>& boards = tables_[kReqBoardSetting].rows;
    const std::vector<uint8_t>& thresholdBytes = scalarRecords_[kReqHwMonThreshold];
    const uint32_t now = NowSeconds();
    if (hardwareShown_ && hardwareShown_->boards == boards.Stamp() && hardwareShown_->thresholds == thresholdBytes &&
        hardwareShown_->seconds == now)
        return;
    std::vector<HardwareModule> modules;
    for (const auto& [index, record] : boards) {
        BoardSettingRec board;
        DecodeRecord(record.data(), record.size(), &board);
        const CEntityType* model = IsConcreteType(board.onlineType) ? models_->FindModel(board.onlineType) : nullptr;
        if (model != nullptr && model->GetLevel() == kEntityLevelSlot)
            modules.push_back({board.entityId, model->GetMenuClass()});
    }
    HwMonThresholdRec thresholds = kDefaultTemperatureThresholds;
    DecodeRecord(thresholdBytes.data(), thresholdBytes.size(), &thresholds);
    // The same modules give the same readings, whose values change in place.
    for (const HwMonRec& reading : HardwareReadings(modules, thresholds, now)) {
        auto bytes = EncodeRecord(reading);
        AddRow(kReqHwMonitor, {bytes.begin(), bytes.end()});
    }
    hardwareShown_ = HardwareShown{boards.Stamp(), thresholdBytes, now};
}

std::optional<SnmpValue> CNeAgentMib::Read(const Object& object) const
{
    switch (object.kind) {
    case Object::Kind::System:
        switch (object.id) {
        case 1:
            return SnmpValue::Octets(sysDescr_);
        case 2:
            return SnmpValue::ObjectId(sysObjectId_);
        case 3:
            return SnmpValue::TimeTicks(UpTimeTicks());
        case 4:
            return SnmpValue::Octets(sysContact_);
        case 5:
            return SnmpValue::Octets(sysName_);
        case 6:
            return SnmpValue::Octets(sysLocation_);
        case 7:
            return SnmpValue::Integer(static_cast<int32_t>(sysServices_));
        default:
            return std::nullopt;
        }
    case Object::Kind::Counter:
        switch (object.id) {
        case 1:
            return SnmpValue::Counter32(counters_.inPackets);
        case 3:
            return SnmpValue::Counter32(counters_.badVersions);
        case 4:
            return SnmpValue::Counter32(counters_.badCommunityNames);
        case 6:
            return SnmpValue::Counter32(counters_.asnParseErrors);
        default:
            return std::nullopt;
        }
    case Object::Kind::MapScalar: {
        const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(object.code);
        const SnmpColumnDef* column = entry != nullptr ? entry->FindColumn(object.id) : nullptr;
        auto record = scalarRecords_.find(object.code);
        if (column == nullptr || record == scalarRecords_.end())
            return std::nullopt;
        return SnmpColumnValue(*column, record->second.data());
    }
    case Object::Kind::Action:
        return SnmpValue::Integer(0);
    case Object::Kind::Cell: {
        auto table = tables_.find(object.code);
        if (table == tables_.end())
            return std::nullopt;
        std::vector<uint8_t> made;
        const std::vector<uint8_t>* row = RowAt(table->second, object.index, &made);
        const SnmpColumnDef* column = table->second.entry->FindColumn(object.id);
        if (row == nullptr || column == nullptr)
            return std::nullopt;
        return SnmpColumnValue(*column, row->data());
    }
    case Object::Kind::RowStatus:
        return SnmpValue::Integer(kRowStatusActive);
    case Object::Kind::Count:
        return SnmpValue::Gauge32(static_cast<uint32_t>(CountOf(static_cast<uint16_t>(object.id), object.code)));
    }
    return std::nullopt;
}

bool CNeAgentMib::Visible(const Object& object, AgentAccess access) const
{
    if (access == AgentAccess::ReadWrite ||
        (object.kind != Object::Kind::Cell && object.kind != Object::Kind::RowStatus))
        return true;
    auto table = tables_.find(object.code);
    if (table == tables_.end())
        return false;
    const SnmpRequestEntry& entry = *table->second.entry;
    return !entry.IsSecretCell(object.kind == Object::Kind::Cell ? object.id : entry.RowStatusColumn());
}

SnmpType CNeAgentMib::MissingKind(const CSnmpOid& oid) const
{
    if (oid.Size() < 2)
        return SnmpType::NoSuchObject;
    CSnmpOid parent(std::vector<uint32_t>(oid.SubIds().begin(), oid.SubIds().end() - 1));
    auto it = Registry().lower_bound(parent);
    if (it != Registry().end() && parent.IsPrefixOf(it->first))
        return SnmpType::NoSuchInstance;
    for (const TableShape& shape : Shapes()) {
        if (HasCellUnder(shape, parent))
            return SnmpType::NoSuchInstance;
    }
    return SnmpType::NoSuchObject;
}

std::optional<SnmpVarBind> CNeAgentMib::Next(const CSnmpOid& oid, AgentAccess access) const
{
    // The registry's next object (every one reads) bounds the tables' search, and is read only when no cell comes
    // before it; a registry object and a cell of one OID are the registry's.
    const std::map<CSnmpOid, Object>& registry = Registry();
    const auto known = registry.upper_bound(oid);
    // The tables from the one the OID is in; a table whose entry is above the nearest object found has none nearer.
    const std::vector<TableShape>& shapes = Shapes();
    auto shape = std::upper_bound(shapes.begin(), shapes.end(), oid,
                                  [](const CSnmpOid& key, const TableShape& s) { return key < s.entryOid; });
    if (shape != shapes.begin() && std::prev(shape)->entryOid.IsPrefixOf(oid))
        --shape;
    std::optional<SnmpVarBind> next;
    for (; shape != shapes.end() && (!next || shape->entryOid < next->oid) &&
           (known == registry.end() || shape->entryOid < known->first);
         ++shape) {
        std::optional<SnmpVarBind> cell = TableNext(*shape, oid, access);
        if (cell && (!next || cell->oid < next->oid))
            next = std::move(cell);
    }
    if (known != registry.end() && (!next || !(next->oid < known->first))) {
        if (std::optional<SnmpValue> value = Read(known->second))
            next = SnmpVarBind{known->first, std::move(*value)};
    }
    // The computed tables hold no secrets; the nearest cell of theirs or of the others comes first.
    for (const PmEntry& pm : PmEntries()) {
        if (next && !(pm.entryOid < next->oid))
            continue;
        std::optional<SnmpVarBind> computed = ComputedNext(*pm.entry, pm.entryOid, oid);
        if (computed && (!next || computed->oid < next->oid))
            next = std::move(computed);
    }
    return next;
}

void CNeAgentMib::Handle(SnmpVersion version, AgentAccess access, const SnmpPdu& request, SnmpPdu* response)
{
    RefreshDynamic();
    pm_.ForgetRows();
    *response = SnmpPdu{};
    response->type = SnmpPduType::Response;
    response->requestId = request.requestId;
    switch (request.type) {
    case SnmpPduType::GetRequest:
        HandleGet(version, access, request, response);
        break;
    case SnmpPduType::GetNextRequest:
        HandleGetNext(version, access, request, response);
        break;
    case SnmpPduType::GetBulkRequest:
        HandleGetBulk(access, request, response);
        break;
    case SnmpPduType::SetRequest:
        HandleSet(version, access, request, response);
        break;
    default:
        response->errorStatus = kSnmpGenErr;
        response->varbinds = request.varbinds;
        break;
    }
}

void CNeAgentMib::HandleGet(SnmpVersion version, AgentAccess access, const SnmpPdu& request, SnmpPdu* response)
{
    for (size_t i = 0; i < request.varbinds.size(); ++i) {
        const CSnmpOid& oid = request.varbinds[i].oid;
        const std::optional<Object> known = Find(oid);
        if (known && !Visible(*known, access)) {
            response->errorStatus = ForVersion(version, kSnmpNoAccess);
            response->errorIndex = static_cast<int32_t>(i + 1);
            response->varbinds = request.varbinds;
            return;
        }
        std::optional<SnmpValue> value = known ? Read(*known) : ComputedRead(oid);
        if (!value && version == SnmpVersion::V1) {
            response->errorStatus = kSnmpNoSuchName;
            response->errorIndex = static_cast<int32_t>(i + 1);
            response->varbinds = request.varbinds;
            return;
        }
        response->varbinds.push_back({oid, value ? *value : SnmpValue::Exception(MissingKind(oid))});
    }
}

void CNeAgentMib::HandleGetNext(SnmpVersion version, AgentAccess access, const SnmpPdu& request, SnmpPdu* response)
{
    for (size_t i = 0; i < request.varbinds.size(); ++i) {
        std::optional<SnmpVarBind> next = Next(request.varbinds[i].oid, access);
        if (!next && version == SnmpVersion::V1) {
            response->errorStatus = kSnmpNoSuchName;
            response->errorIndex = static_cast<int32_t>(i + 1);
            response->varbinds = request.varbinds;
            return;
        }
        response->varbinds.push_back(
            next ? *next : SnmpVarBind{request.varbinds[i].oid, SnmpValue::Exception(SnmpType::EndOfMibView)});
    }
}

void CNeAgentMib::HandleGetBulk(AgentAccess access, const SnmpPdu& request, SnmpPdu* response)
{
    const size_t count = request.varbinds.size();
    const size_t nonRepeaters = std::min<size_t>(static_cast<size_t>(request.NonRepeaters()), count);
    const size_t repeaters = count - nonRepeaters;
    for (size_t i = 0; i < nonRepeaters; ++i) {
        auto next = Next(request.varbinds[i].oid, access);
        response->varbinds.push_back(
            next ? *next : SnmpVarBind{request.varbinds[i].oid, SnmpValue::Exception(SnmpType::EndOfMibView)});
    }
    if (repeaters == 0)
        return;
    std::vector<CSnmpOid> last;
    for (size_t i = nonRepeaters; i < count; ++i)
        last.push_back(request.varbinds[i].oid);
    const size_t maxRepetitions = static_cast<size_t>(request.MaxRepetitions());
    for (size_t r = 0; r < maxRepetitions && response->varbinds.size() + repeaters <= kMaxBulkVarbinds; ++r) {
        bool any = false;
        for (size_t j = 0; j < repeaters; ++j) {
            auto next = Next(last[j], access);
            if (next) {
                any = true;
                last[j] = next->oid;
                response->varbinds.push_back(std::move(*next));
            } else {
                response->varbinds.push_back({last[j], SnmpValue::Exception(SnmpType::EndOfMibView)});
            }
        }
        if (!any)
            break;
    }
}

void CNeAgentMib::HandleSet(SnmpVersion version, AgentAccess access, const SnmpPdu& request, SnmpPdu* response)
{
    response->varbinds = request.varbinds;
    auto fail = [&](size_t i, int32_t status) {
        response->errorStatus = ForVersion(version, status);
        // A request without bindings has none to point at.
        response->errorIndex = request.varbinds.empty() ? 0 : static_cast<int32_t>(i + 1);
    };
    if (access != AgentAccess::ReadWrite) {
        fail(0, kSnmpNoAccess);
        return;
    }

    // Working copies: nothing changes unless every binding can be applied.
    std::map<uint16_t, std::map<CSnmpOid, std::optional<std::vector<uint8_t>>>> rows; // nullopt = destroyed
    std::map<uint16_t, std::vector<uint8_t>> scalars;
    std::map<uint32_t, std::string> systemTexts;
    bool sync = false;
    bool adjustClock = false;
    std::map<uint16_t, size_t> firstBinding; // of each scalar group and table written
    std::vector<uint32_t> cardUpgrades;

    auto tableOf = [this](const CSnmpOid& oid, uint32_t* column, CSnmpOid* index) -> Table* {
        for (auto& [code, table] : tables_) {
            const CSnmpOid entryOid = table.entry->EntryOid();
            if (entryOid.IsPrefixOf(oid) && oid.Size() > entryOid.Size() + 1) {
                *column = oid[entryOid.Size()];
                *index = entryOid.Appended(*column).SuffixOf(oid);
                return &table;
            }
        }
        return nullptr;
    };
    auto workingRow = [&](Table& table, const CSnmpOid& index) -> std::optional<std::vector<uint8_t>>* {
        auto& copies = rows[table.entry->objectCode];
        auto it = copies.find(index);
        if (it != copies.end())
            return &it->second;
        std::vector<uint8_t> made;
        if (const std::vector<uint8_t>* existing = RowAt(table, index, &made))
            return &(copies[index] = *existing);
        if (auto fresh = NewRowOnWrite(table.entry->objectCode, index))
            return &(copies[index] = std::move(*fresh));
        return nullptr;
    };

    // RowStatus bindings first, so that a row created in this PDU takes its columns.
    std::map<uint16_t, size_t> createdRows;
    for (size_t i = 0; i < request.varbinds.size(); ++i) {
        const SnmpVarBind& vb = request.varbinds[i];
        uint32_t column = 0;
        CSnmpOid index;
        Table* table = tableOf(vb.oid, &column, &index);
        if (table == nullptr || !table->entry->rowStatus || column != table->entry->RowStatusColumn())
            continue;
        if (vb.value.type != SnmpType::Integer)
            return fail(i, kSnmpWrongType);
        const bool exists = HasRow(*table, index);
        switch (vb.value.integer) {
        case kRowStatusCreateAndGo: {
            // A port holds one multicast channel: a channel added to a port that has one replaces it.
            const bool replaces = exists && table->entry->objectCode == kReqMcChannel;
            if (exists && !replaces)
                return fail(i, kSnmpInconsistentValue);
            size_t& created = createdRows[table->entry->objectCode];
            if (!replaces &&
                RowCount(table->entry->objectCode) + created >= TableLimit(table->entry->objectCode, maxTableRows_))
                return fail(i, kSnmpResourceUnavailable);
            created += replaces ? 0 : 1;
            std::vector<uint8_t> record(table->entry->recordSize, 0);
            if (!DecodeSnmpRowIndex(*table->entry, index, record.data()))
                return fail(i, kSnmpNoCreation);
            rows[table->entry->objectCode][index] = std::move(record);
            break;
        }
        case kRowStatusDestroy:
            rows[table->entry->objectCode][index] = std::nullopt;
            break;
        case kRowStatusActive:
            if (!exists)
                return fail(i, kSnmpInconsistentValue);
            break;
        default:
            return fail(i, kSnmpWrongValue);
        }
    }

    for (size_t i = 0; i < request.varbinds.size(); ++i) {
        const SnmpVarBind& vb = request.varbinds[i];
        auto known = Registry().find(vb.oid);
        if (kSystemGroup.IsPrefixOf(vb.oid) && known != Registry().end()) {
            uint32_t id = known->second.id;
            if (id < 4 || id > 6)
                return fail(i, kSnmpNotWritable);
            if (vb.value.type != SnmpType::OctetString)
                return fail(i, kSnmpWrongType);
            if (vb.value.bytes.size() > kMaxSystemText)
                return fail(i, kSnmpWrongLength);
            systemTexts[id] = vb.value.Text();
            continue;
        }
        if (known != Registry().end() && known->second.kind == Object::Kind::MapScalar) {
            const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(known->second.code);
            const SnmpColumnDef* column = entry->FindColumn(known->second.id);
            if (!column->writable)
                return fail(i, kSnmpNotWritable);
            auto it = scalars.find(known->second.code);
            if (it == scalars.end())
                it = scalars.emplace(known->second.code, scalarRecords_[known->second.code]).first;
            // A group no scenario seeded starts as zeros at its first write.
            it->second.resize(std::max<size_t>(it->second.size(), entry->recordSize));
            if (int32_t status = FromStore(StoreSnmpColumnValue(*column, vb.value, it->second.data())))
                return fail(i, status);
            firstBinding.try_emplace(known->second.code, i);
            continue;
        }
        if (known != Registry().end() && known->second.kind == Object::Kind::Action &&
            known->second.code == kReqShdslCardUpgrade) {
            if (int32_t status = CheckShdslUpgrade(vb.value, &cardUpgrades); status != kSnmpNoError)
                return fail(i, status);
            continue;
        }
        if (known != Registry().end() && known->second.kind == Object::Kind::Action &&
            known->second.code == kReqPortReset) {
            if (vb.value.type != SnmpType::Gauge32)
                return fail(i, kSnmpWrongType);
            if (!HasLinePort(static_cast<uint32_t>(vb.value.number)))
                return fail(i, kSnmpInconsistentValue);
            continue;
        }
        if (known != Registry().end() && known->second.kind == Object::Kind::Action) {
            if (vb.value.type != SnmpType::Integer)
                return fail(i, kSnmpWrongType);
            if (vb.value.integer != 1)
                return fail(i, kSnmpWrongValue);
            const uint16_t action = known->second.code;
            if (!ActionPossible(action))
                return fail(i, kSnmpInconsistentValue);
            sync = sync || action == kReqAlarmSync;
            adjustClock = adjustClock || action == kReqNeTimeAdjust;
            continue;
        }
        uint32_t columnNo = 0;
        CSnmpOid index;
        Table* table = tableOf(vb.oid, &columnNo, &index);
        if (table == nullptr)
            return fail(i, known != Registry().end() ? kSnmpNotWritable : kSnmpNoCreation);
        if (table->entry->rowStatus && columnNo == table->entry->RowStatusColumn())
            continue; // done above
        const SnmpColumnDef* column = table->entry->FindColumn(columnNo);
        if (column == nullptr)
            return fail(i, kSnmpNoCreation);
        if (!column->writable)
            return fail(i, HasRow(*table, index) ? kSnmpNotWritable : kSnmpNoCreation);
        auto* row = workingRow(*table, index);
        if (row == nullptr)
            return fail(i, kSnmpNoCreation);
        if (!row->has_value())
            return fail(i, kSnmpInconsistentValue); // destroyed in the same PDU
        if (int32_t status = FromStore(StoreSnmpColumnValue(*column, vb.value, (*row)->data())))
            return fail(i, status);
        firstBinding.try_emplace(table->entry->objectCode, i);
    }

    // The NE keeps each setting within its ranges: nothing changes when one is refused.
    if (const std::optional<uint16_t> refused = RefusedSetting(rows, scalars))
        return fail(firstBinding[*refused], kSnmpWrongValue);

    if (int32_t status = CheckFileSystemWrites(rows, scalars); status != kSnmpNoError)
        return fail(0, status);
    if (int32_t status = CheckLineWrites(rows); status != kSnmpNoError)
        return fail(0, status);
    if (int32_t status = CheckPvcWrites(rows); status != kSnmpNoError)
        return fail(0, status);
    if (int32_t status = CheckPortHubWrites(rows); status != kSnmpNoError)
        return fail(0, status);

    // Commit.
    for (auto& [id, text] : systemTexts)
        (id == 4 ? sysContact_ : id == 5 ? sysName_ : sysLocation_) = text;
    for (auto& [code, record] : scalars) {
        if (code == kReqNeTime) {
            NeTimeRecord time;
            DecodeRecord(record.data(), record.size(), &time);
            clockOffset_ = static_cast<int64_t>(time.neClock) - static_cast<int64_t>(std::time(nullptr));
        }
        scalarRecords_[code] = record;
    }
    for (auto& [code, changes] : rows) {
        Table& table = tables_[code];
        for (auto& [index, record] : changes) {
            if (!record) {
                RemoveRow(code, index);
                continue;
            }
            table.rows.Write().insert_or_assign(index, *record);
            if (code == kReqBoardSetting) {
                // A new planned board type is the slot's planned type.
                auto& states = tables_[kReqEntityState].rows.Write();
                auto state = states.find(index);
                BoardSettingRec board;
                if (state != states.end() && DecodeRecord(record->data(), record->size(), &board)) {
                    Update<EntityStateRec>(state->second,
                                           [&](EntityStateRec& slot) { slot.plannedType = board.plannedType; });
                }
            }
        }
    }
    syncRequested_ = syncRequested_ || sync;
    ApplyFileSystemWrites(rows, scalars);
    ApplyLineWrites(rows);
    ApplyPvcWrites(rows);
    ApplyPortHubWrites(rows);
    ApplyMacSpoofWrites(scalars);
    if (adjustClock)
        clockOffset_ = 0;
    for (const uint32_t card : cardUpgrades)
        shdslUpgrades_[card] = std::chrono::steady_clock::now();
}

uint32_t CNeAgentMib::ModelOf(const EntityStateRec& state) const
{
    return IsConcreteType(state.onlineType) ? state.onlineType : state.plannedType;
}

int32_t CNeAgentMib::SeverityOf(const EntityStateRec& state) const
{
    uint32_t gravest = 0;
    for (uint8_t a = 0; a < 32; ++a) {
        if ((state.stateBits & (1u << a)) == 0 || models_ == nullptr)
            continue;
        const CEntityAlarmDef* def = models_->GetAlarmDef(ModelOf(state), a);
        if (def != nullptr && def->severity >= 1 && def->severity <= 5 && (gravest == 0 || def->severity < gravest))
            gravest = def->severity;
    }
    return gravest == 0 ? static_cast<int32_t>(kSeverityCleared) : static_cast<int32_t>(gravest);
}

void CNeAgentMib::AppendLog(const EntityStateRec& state)
{
    NeAlarmLogRec entry;
    entry.recordNo = ++lastLogNo_;
    entry.entityId = state.entityId;
    entry.plannedType = state.plannedType;
    entry.actualType = state.onlineType;
    entry.alarmMask = state.stateBits;
    entry.occurUptime = UpTimeTicks() / 100;
    entry.alarmType = 1;
    Table& log = tables_[kReqAlarmEvent];
    if (log.rows.size() >= kMaxLogRows)
        RemoveRow(kReqAlarmEvent, log.rows.begin()->first);
    auto bytes = EncodeRecord(entry);
    AddRow(kReqAlarmEvent, {bytes.begin(), bytes.end()});
}

std::optional<EntityStateRec> CNeAgentMib::GenerateAlarm()
{
    if (candidates_.empty())
        return std::nullopt;
    const Candidate c = candidates_[nextCandidate_++ % candidates_.size()];
    auto& rows = tables_[kReqEntityState].rows.Write();
    auto it = rows.find(CSnmpOid{c.entityId});
    if (it == rows.end())
        return std::nullopt;
    EntityStateRec state;
    DecodeRecord(it->second.data(), it->second.size(), &state);
    state.stateBits ^= 1u << c.alarm;
    state.severity = SeverityOf(state);
    state.occurTime = NowSeconds();
    state.receiveTime = state.occurTime;
    auto bytes = EncodeRecord(state);
    it->second.assign(bytes.begin(), bytes.end());
    AppendLog(state);
    return state;
}

std::vector<EntityStateRec> CNeAgentMib::AlarmedStates() const
{
    std::vector<EntityStateRec> states;
    auto table = tables_.find(kReqEntityState);
    if (table == tables_.end())
        return states;
    for (const auto& [index, record] : table->second.rows) {
        EntityStateRec state;
        DecodeRecord(record.data(), record.size(), &state);
        if (state.stateBits != 0)
            states.push_back(state);
    }
    return states;
}

bool CNeAgentMib::TakeSyncRequest()
{
    bool requested = syncRequested_;
    syncRequested_ = false;
    return requested;
}
