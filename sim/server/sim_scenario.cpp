#include "sim/server/sim_scenario.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <optional>

#include "core/ini/ini_file.h"
#include "core/tables/user_account.h"
#include "core/util/ip_address.h"
#include "link/records/alarm_ack_rec.h"
#include "link/records/record_codec.h"
#include "link/records/request_codes.h"
#include "sim/pm/adsl_line_tests.h"
#include "sim/seed/record_section.h"
#include "sim/seed/scenario_section.h"

namespace {

constexpr size_t kRightsMax = 127;

// The families and settings with a field table whose records the server answers from tables of its own, not from the
// generic store (besides the locations, accounts and NEs, read as such): a scenario gives them otherwise (boards,
// alarms, rights; the NE's own addresses by its configuration and cascaded management) or not at all. The
// verification of an NE's profiles is worked out from the profiles.
constexpr uint16_t kOwnTables[] = {kReqUserRights,    kReqOnlineUser,      kReqBoardSetting,    kReqEntityState,
                                   kReqAlarmDef,      kReqAlarmEvent,      kReqAlarmStatistics, kReqAlarmAck,
                                   kReqServerTime,    kReqServerResource,  kReqNeConfig,        kReqOpLog,
                                   kReqAdslPmCo,      kReqAdslPmRt,        kReqAdslBlockCo,     kReqAdslBlockRt,
                                   kReqAdslHistoryCo, kReqAdslHistoryRt,   kReqLongTermPmCo,    kReqLongTermPmRt,
                                   kReqNeFsCopy,      kReqNeNetworkConfig, kReqHwMonitor,       kReqHwMonThreshold,
                                   kReqNeFwUpgrade,   kReqNeBootPartition, kReqConfigVerify};
// The same of the trunk side: the trunk ports' counters, and the membership the manual VLAN setting holds.
constexpr uint16_t kOwnTrunkTables[] = {kReqTrunkPm, kReqTrunkVlanMember};
// The same of the SHDSL lines: their rates and counters.
constexpr uint16_t kOwnShdslTables[] = {kReqShdslRateStatus, kReqShdslPm, kReqShdslHistory};

// The key of a record section that names the request family, for a record that several families carry.
constexpr char kFamilyKey[] = "request";

// "BOARD3": the prefix and a number.
bool IsNumbered(std::string_view name, std::string_view prefix)
{
    return name.size() > prefix.size() && IniNameEquals(name.substr(0, prefix.size()), prefix) &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

template <typename Rec> bool IsRecord(const RecordSectionName& name)
{
    return IniNameEquals(name.record, kRecordLayout<Rec>.name);
}

template <typename Rec> Rec ReadRecord(CScenarioSection& section, std::initializer_list<std::string_view> ownKeys = {})
{
    const std::vector<uint8_t> bytes = section.Record(kRecordLayout<Rec>, ownKeys);
    Rec rec;
    DecodeRecord(bytes.data(), bytes.size(), &rec);
    return rec;
}

UserAccountRecord ReadAccount(CScenarioSection& section)
{
    UserAccountRecord rec = ReadRecord<UserAccountRecord>(section, {"password"});
    if (const std::string* password = section.Find("password"); password != nullptr) {
        if (section.Find("passwordDigest") != nullptr) {
            section.Fail("password", "given with passwordDigest");
        }
        rec.passwordDigest = PasswordDigest(*password);
    }
    return rec;
}

uint32_t Unsigned(CScenarioSection& section, std::string_view key, uint32_t fallback, uint32_t low, uint32_t high)
{
    return static_cast<uint32_t>(section.Number(key, fallback, low, high));
}

BoardSettingRec ReadBoard(CScenarioSection& section)
{
    BoardSettingRec rec;
    rec.entityId = Unsigned(section, "SLOT", 0, 1, UINT32_MAX);
    if (section.Find("SLOT") == nullptr) {
        section.Fail("SLOT", "a board needs the packed id of its slot");
    }
    rec.plannedType = Unsigned(section, "PLANNED", 1, 0, UINT32_MAX);
    rec.onlineType = Unsigned(section, "ONLINE", rec.plannedType, 0, UINT32_MAX);
    rec.softwareVersion = section.Text("SOFTWARE", kBoardVersionWidth);
    rec.hardwareVersion = section.Text("HARDWARE", kBoardVersionWidth);
    rec.serialNumber = section.Text("SERIAL", kBoardSerialWidth);
    rec.upTime = Unsigned(section, "UPTIME", 0, 0, UINT32_MAX);
    rec.aal5Encapsulation = Unsigned(section, "AAL5", 1, 0, 1);
    rec.vlanTagPassThrough = Unsigned(section, "VLANTAGPASS", 0, 0, 1);
    rec.runtimeVlanTagPassThrough = static_cast<uint16_t>(rec.vlanTagPassThrough == 1 ? 1 : 2);
    rec.serviceTypeControl = Unsigned(section, "SERVICETYPECONTROL", 0, 0, 1);
    rec.taggedMode = Unsigned(section, "TAGGEDMODE", 2, 0, 2);
    rec.runtimeTaggedMode = rec.taggedMode;
    return rec;
}

FoundNeRec ReadDevice(CScenarioSection& section)
{
    FoundNeRec device;
    const std::string* address = section.Find("ADDRESS");
    if (address == nullptr || !IsValidIpAddressText(*address)) {
        section.Fail("ADDRESS", "a device needs its dotted IPv4 address");
    } else {
        device.ipAddress = ParseIpAddress(*address);
    }
    device.modelId = Unsigned(section, "MODEL", 0, 0, UINT32_MAX);
    device.description = section.Text("DESCRIPTION", kFoundNeDescriptionWidth);
    return device;
}

SimAlarm ReadAlarm(CScenarioSection& section)
{
    SimAlarm alarm;
    alarm.entityId = Unsigned(section, "ENTITY", 0, 1, UINT32_MAX);
    if (section.Find("ENTITY") == nullptr) {
        section.Fail("ENTITY", "an alarm needs the packed id of its entity");
    }
    alarm.bit = Unsigned(section, "BIT", 0, 0, 31);
    alarm.severity = Unsigned(section, "SEVERITY", 0, 0, 5);
    alarm.ackPerson = section.Text("ACK", kAlarmAckPersonWidth);
    return alarm;
}

void ReadServer(CScenarioSection& section, const std::string& path, SimScenario* scenario)
{
    if (const std::string* models = section.Find("MODELS"); models != nullptr && !models->empty()) {
        std::filesystem::path dir(*models);
        scenario->modelDirectory =
            dir.is_absolute() ? dir.string() : (std::filesystem::path(path).parent_path() / dir).string();
    }
    scenario->alarmRate = Unsigned(section, "ALARMRATE", 0, 0, 10000);
}

void ReadRights(CScenarioSection& section, SimScenario* scenario)
{
    const char* keys[] = {"ADMINISTRATOR", "MANAGER", "USER"};
    for (size_t role = 0; role < 3; ++role) {
        if (const std::string* text = section.Find(keys[role]);
            text != nullptr && !ExpandRightsText(*text, &scenario->rights.rights[role])) {
            section.Fail(keys[role], "letters, with x*N for N copies of x, at most 127");
        }
    }
}

// The family or setting of the generic store that keeps records of this name. A record several families carry (a
// profile and its template, the backups of NEs and of the database) names its family with a "request" key.
const RequestSpec* FindSeedFamily(CScenarioSection& section, const std::string& record)
{
    const std::vector<const RequestSpec*> entries = CatalogueEntriesOf(record, false);
    const int64_t requested = section.Number(kFamilyKey, 0, 0, 0xFFFF);
    std::vector<const RequestSpec*> seedable;
    std::string codes;
    bool kept = false;
    for (const RequestSpec* spec : entries) {
        if (!spec->server || (spec->kind != RequestKind::kFamily && spec->kind != RequestKind::kSingle)) {
            continue;
        }
        codes += (codes.empty() ? "" : ", ") + std::to_string(spec->code);
        if (std::find(std::begin(kOwnTables), std::end(kOwnTables), spec->code) == std::end(kOwnTables) &&
            std::find(std::begin(kOwnTrunkTables), std::end(kOwnTrunkTables), spec->code) ==
                std::end(kOwnTrunkTables) &&
            std::find(std::begin(kOwnShdslTables), std::end(kOwnShdslTables), spec->code) ==
                std::end(kOwnShdslTables) &&
            !IsLineStatusCode(spec->code)) {
            seedable.push_back(spec);
        } else if (requested == 0 || requested == spec->code) {
            kept = true;
        }
    }
    if (entries.empty()) {
        section.Fail("", "unknown section");
        return nullptr;
    }
    if (seedable.empty() || (kept && requested != 0)) {
        section.Fail("", kept ? "the server keeps " + record + " records itself, not from a scenario"
                              : "the server keeps no " + record + " records");
        return nullptr;
    }
    if (seedable.size() == 1 && !kept && section.Find(kFamilyKey) == nullptr) {
        return seedable.front();
    }
    for (const RequestSpec* spec : seedable) {
        if (spec->code == requested) {
            return spec;
        }
    }
    if (section.Ok()) {
        section.Fail(section.Find(kFamilyKey) != nullptr ? kFamilyKey : "",
                     record + " is the record of requests " + codes + ": name one with " + kFamilyKey + "=");
    }
    return nullptr;
}

void ReadSeed(CScenarioSection& section, const RecordSectionName& name, SimScenario* scenario)
{
    if (const RequestSpec* spec = FindSeedFamily(section, name.record); spec != nullptr) {
        scenario->records.push_back({spec, name.neId, section.Record(*spec->record, {kFamilyKey}), section.Origin()});
    }
}

// One section, the NEs being read already.
void ReadSection(CScenarioSection& section, const std::string& path, const std::map<uint32_t, size_t>& neIndex,
                 SimScenario* scenario)
{
    if (IniNameEquals(section.Name(), "SERVER")) {
        ReadServer(section, path, scenario);
        return;
    }
    if (IniNameEquals(section.Name(), "RIGHTS")) {
        ReadRights(section, scenario);
        return;
    }
    if (IsNumbered(section.Name(), "DEVICE")) {
        scenario->devices.push_back(ReadDevice(section));
        return;
    }
    const std::optional<RecordSectionName> name = SplitRecordSectionName(section.Name());
    if (!name) {
        section.Fail("", "unknown section");
        return;
    }
    const bool serverRecord =
        IsRecord<LocationRecord>(*name) || IsRecord<UserAccountRecord>(*name) || IsRecord<NeKeyRecord>(*name);
    if (name->neId == 0) {
        if (IsRecord<LocationRecord>(*name)) {
            scenario->locations.push_back(ReadRecord<LocationRecord>(section));
        } else if (IsRecord<UserAccountRecord>(*name)) {
            scenario->accounts.push_back(ReadAccount(section));
        } else if (!IsRecord<NeKeyRecord>(*name)) {
            ReadSeed(section, *name, scenario);
        }
        return;
    }
    if (serverRecord) {
        section.Fail("", name->record + " records belong to the server, not to an NE");
        return;
    }
    auto ne = neIndex.find(name->neId);
    if (ne == neIndex.end()) {
        section.Fail("", "names NE" + std::to_string(name->neId) + ", which has no NeKeyRecord section");
    } else if (name->label.empty() && IsRecord<NeConfigRecord>(*name)) {
        scenario->nes[ne->second].config = ReadRecord<NeConfigRecord>(section);
    } else if (name->label.empty() && IsNumbered(name->record, "BOARD")) {
        scenario->nes[ne->second].boards.push_back(ReadBoard(section));
    } else if (name->label.empty() && IsNumbered(name->record, "ALARM")) {
        scenario->nes[ne->second].alarms.push_back(ReadAlarm(section));
    } else {
        ReadSeed(section, *name, scenario);
    }
}

} // namespace

std::string PasswordDigest(const std::string& password)
{
    return PasswordDigestText(password);
}

bool ExpandRightsText(const std::string& text, std::string* rights)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char letter = text[i];
        if (letter == '*') {
            return false;
        }
        size_t repeat = 1;
        if (i + 1 < text.size() && text[i + 1] == '*') {
            size_t end = i + 2;
            while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
                ++end;
            }
            if (end == i + 2 || end - i - 2 > 3) {
                return false;
            }
            repeat = static_cast<size_t>(std::stoul(text.substr(i + 2, end - i - 2)));
            i = end - 1;
        }
        out.append(repeat, letter);
        if (out.size() > kRightsMax) {
            return false;
        }
    }
    *rights = out;
    return true;
}

SimScenario DefaultSimScenario()
{
    SimScenario scenario;
    UserAccountRecord admin;
    admin.name = "admin";
    admin.passwordDigest = PasswordDigest("admin");
    admin.roleLetter = "A";
    admin.fullName = "Administrator";
    scenario.accounts.push_back(admin);
    scenario.rights.rights = {std::string(kRightsMax, 'a'), std::string(kRightsMax, 'm'), std::string(kRightsMax, 'q')};
    return scenario;
}

bool LoadSimScenario(const std::string& path, SimScenario* scenario, std::string* error)
{
    std::optional<CIniFile> ini = CIniFile::Load(path, error);
    if (!ini) {
        return false;
    }
    if (!ini->Faults().empty()) {
        *error = path + ":" + std::to_string(ini->Faults().front().line) +
                 ": not a section or key: " + ini->Faults().front().text;
        return false;
    }
    SimScenario loaded;
    loaded.rights = DefaultSimScenario().rights;
    // NEs first, so that what belongs to an NE may come before it in the file.
    std::map<uint32_t, size_t> neIndex;
    for (const CIniFile::Section& section : ini->Sections()) {
        const std::optional<RecordSectionName> name = SplitRecordSectionName(section.name);
        if (!name || name->neId != 0 || !IsRecord<NeKeyRecord>(*name)) {
            continue;
        }
        CScenarioSection reader(*ini, section, path);
        SimNe ne;
        ne.key = ReadRecord<NeKeyRecord>(reader);
        if (!reader.Ok()) {
            *error = reader.Error();
            return false;
        }
        neIndex.emplace(ne.key.neId, loaded.nes.size());
        loaded.nes.push_back(std::move(ne));
    }
    for (const CIniFile::Section& section : ini->Sections()) {
        CScenarioSection reader(*ini, section, path);
        ReadSection(reader, path, neIndex, &loaded);
        if (!reader.Ok()) {
            *error = reader.Error();
            return false;
        }
    }
    if (loaded.accounts.empty()) {
        loaded.accounts = DefaultSimScenario().accounts;
    }
    *scenario = std::move(loaded);
    return true;
}
