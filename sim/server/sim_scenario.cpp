#include "sim/server/sim_scenario.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "core/ini/ini_file.h"
#include "core/util/ip_address.h"
#include "core/util/md5.h"

namespace {

constexpr size_t kRightsMax = 127;

// Reads the keys of one section with line-numbered errors.
class CSectionReader {
public:
    CSectionReader(const CIniFile& ini, const CIniFile::Section& section, const std::string& file, std::string* error)
        : ini_(ini), section_(section), file_(file), error_(error)
    {
    }

    bool Ok() const { return ok_; }

    const std::string* Find(const char* key) const { return ini_.Find(section_.name, key); }

    std::string Text(const char* key, size_t max, const std::string& fallback = {})
    {
        const std::string* value = Find(key);
        if (value == nullptr) {
            return fallback;
        }
        if (value->size() > max) {
            Fail(key, "longer than " + std::to_string(max) + " characters");
        }
        return *value;
    }

    uint32_t Number(const char* key, uint32_t fallback, uint32_t max = 0xFFFFFFFFu)
    {
        const std::string* value = Find(key);
        if (value == nullptr || value->empty()) {
            return fallback;
        }
        uint32_t number = 0;
        int base = 10;
        const char* begin = value->data();
        const char* end = begin + value->size();
        if (value->size() > 2 && (*value)[0] == '0' && ((*value)[1] == 'x' || (*value)[1] == 'X')) {
            base = 16;
            begin += 2;
        }
        auto [ptr, ec] = std::from_chars(begin, end, number, base);
        if (ec != std::errc() || ptr != end || number > max) {
            Fail(key, "not a number 0.." + std::to_string(max));
            return fallback;
        }
        return number;
    }

    float Float(const char* key)
    {
        const std::string* value = Find(key);
        if (value == nullptr || value->empty()) {
            return 0.0F;
        }
        char* end = nullptr;
        const float number = std::strtof(value->c_str(), &end);
        if (end != value->c_str() + value->size()) {
            Fail(key, "not a number");
            return 0.0F;
        }
        return number;
    }

    std::array<uint8_t, 4> Address(const char* key)
    {
        const std::string* value = Find(key);
        if (value == nullptr || value->empty()) {
            return {};
        }
        if (!IsValidIpAddressText(*value)) {
            Fail(key, "not an IPv4 address");
            return {};
        }
        return ParseIpAddress(*value);
    }

    void Fail(const char* key, const std::string& why)
    {
        if (!ok_) {
            return;
        }
        ok_ = false;
        const CIniFile::Entry* entry = ini_.FindEntry(section_.name, key);
        const int line = entry != nullptr ? entry->line : section_.line;
        *error_ = file_ + ":" + std::to_string(line) + ": [" + section_.name + "] " + key + ": " + why;
    }

private:
    const CIniFile& ini_;
    const CIniFile::Section& section_;
    const std::string& file_;
    std::string* error_;
    bool ok_ = true;
};

std::string Upper(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// "NE<n>", "NE<n>.BOARD<m>", ...: the name's prefix before the number and what follows it.
bool SplitSectionName(const std::string& name, const std::string& prefix, std::string* number, std::string* rest)
{
    const std::string upper = Upper(name);
    if (upper.rfind(prefix, 0) != 0) {
        return false;
    }
    size_t end = prefix.size();
    while (end < upper.size() && upper[end] >= '0' && upper[end] <= '9') {
        ++end;
    }
    if (end == prefix.size()) {
        return false;
    }
    *number = upper.substr(prefix.size(), end - prefix.size());
    *rest = upper.substr(end);
    return true;
}

LocationRecord ReadLocation(CSectionReader& r)
{
    LocationRecord rec;
    rec.id = r.Number("ID", 0);
    if (rec.id == 0) {
        r.Fail("ID", "a location needs an id other than 0");
    }
    rec.name = r.Text("NAME", 20);
    rec.parentId = r.Number("PARENT", 0);
    rec.comment = r.Text("COMMENT", 60);
    rec.mapId = r.Number("MAP", 0);
    rec.contact = r.Text("CONTACT", 20);
    rec.telephone = r.Text("TELEPHONE", 20);
    rec.mobile = r.Text("MOBILE", 20);
    rec.email = r.Text("EMAIL", 60);
    return rec;
}

UserAccountRecord ReadAccount(CSectionReader& r)
{
    UserAccountRecord rec;
    rec.name = r.Text("NAME", 10);
    if (rec.name.empty()) {
        r.Fail("NAME", "an account needs a name");
    }
    if (const std::string* digest = r.Find("DIGEST"); digest != nullptr) {
        rec.passwordDigest = r.Text("DIGEST", 10);
    } else {
        rec.passwordDigest = PasswordDigest(r.Text("PASSWORD", 10));
    }
    rec.roleLetter = r.Text("ROLE", 1, "C");
    if (rec.roleLetter != "A" && rec.roleLetter != "B" && rec.roleLetter != "C") {
        r.Fail("ROLE", "not A, B or C");
    }
    rec.locationId = r.Number("LOCATION", 0);
    rec.fullName = r.Text("FULLNAME", 20);
    rec.telephone = r.Text("TELEPHONE", 20);
    rec.division = r.Text("DIVISION", 20);
    rec.address = r.Text("ADDRESS", 60);
    rec.comment = r.Text("COMMENT", 60);
    return rec;
}

NeKeyRecord ReadNe(CSectionReader& r)
{
    NeKeyRecord rec;
    rec.neId = r.Number("ID", 0);
    if (rec.neId == 0) {
        r.Fail("ID", "an NE needs an id other than 0");
    }
    rec.plannedFlag = r.Number("PLANNED", 0, 1);
    rec.neName = r.Text("NAME", 20);
    rec.ftpUser = r.Text("FTPUSER", 16);
    rec.ftpPassword = r.Text("FTPPASSWORD", 16);
    rec.locationId = r.Number("LOCATION", 0);
    rec.modelId = r.Number("MODEL", 2);
    rec.ipAddress = r.Address("ADDRESS");
    rec.port = static_cast<uint16_t>(r.Number("PORT", 161, 65535));
    rec.secondIp = r.Address("SECONDADDRESS");
    rec.thirdIp = r.Address("THIRDADDRESS");
    rec.snmpCommunity = r.Text("COMMUNITY", 20, "public");
    rec.snmpVersion = r.Number("SNMPVERSION", 0, 1);
    rec.longitude = r.Float("LONGITUDE");
    rec.latitude = r.Float("LATITUDE");
    rec.autoSync = r.Number("AUTOSYNC", 2, 2);
    return rec;
}

BoardSettingRec ReadBoard(CSectionReader& r)
{
    BoardSettingRec rec;
    rec.entityId = r.Number("SLOT", 0);
    if (rec.entityId == 0) {
        r.Fail("SLOT", "a board needs the packed id of its slot");
    }
    rec.plannedType = r.Number("PLANNED", 1);
    rec.onlineType = r.Number("ONLINE", rec.plannedType);
    rec.softwareVersion = r.Text("SOFTWARE", 20);
    rec.hardwareVersion = r.Text("HARDWARE", 20);
    rec.serialNumber = r.Text("SERIAL", 61);
    rec.upTime = r.Number("UPTIME", 0);
    rec.aal5Encapsulation = r.Number("AAL5", 1, 1);
    rec.vlanTagPassThrough = r.Number("VLANTAGPASS", 0, 1);
    rec.runtimeVlanTagPassThrough = static_cast<uint16_t>(rec.vlanTagPassThrough == 1 ? 1 : 2);
    rec.serviceTypeControl = r.Number("SERVICETYPECONTROL", 0, 1);
    rec.taggedMode = r.Number("TAGGEDMODE", 2, 2);
    rec.runtimeTaggedMode = rec.taggedMode;
    return rec;
}

SimAlarm ReadAlarm(CSectionReader& r)
{
    SimAlarm alarm;
    alarm.entityId = r.Number("ENTITY", 0);
    if (alarm.entityId == 0) {
        r.Fail("ENTITY", "an alarm needs the packed id of its entity");
    }
    alarm.bit = r.Number("BIT", 0, 31);
    alarm.severity = r.Number("SEVERITY", 0, 5);
    alarm.ackPerson = r.Text("ACK", 11);
    return alarm;
}

AlarmTriggerRec ReadTrigger(CSectionReader& r)
{
    AlarmTriggerRec trigger;
    trigger.triggerId = r.Number("ID", 0);
    trigger.modelId = r.Number("MODEL", 0);
    if (trigger.modelId == 0) {
        r.Fail("MODEL", "a trigger needs the model id of its entity type");
    }
    trigger.alarmMask = r.Number("ALARMS", 0);
    trigger.seconds = r.Number("SECONDS", 60);
    trigger.email = r.Text("EMAIL", kAlarmTriggerEmailWidth - 1);
    return trigger;
}

} // namespace

std::string PasswordDigest(const std::string& password)
{
    return Md5HexString(password).substr(0, 10);
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
    std::map<std::string, size_t> neByNumber;
    // NEs first, so that their boards and alarms may come in any order.
    for (const CIniFile::Section& section : ini->Sections()) {
        std::string number, rest;
        if (SplitSectionName(section.name, "NE", &number, &rest) && rest.empty()) {
            CSectionReader r(*ini, section, path, error);
            SimNe ne;
            ne.key = ReadNe(r);
            if (!r.Ok()) {
                return false;
            }
            neByNumber[number] = loaded.nes.size();
            loaded.nes.push_back(ne);
        }
    }
    for (const CIniFile::Section& section : ini->Sections()) {
        CSectionReader r(*ini, section, path, error);
        std::string number, rest;
        const std::string name = Upper(section.name);
        if (name == "SERVER") {
            if (const std::string* models = r.Find("MODELS"); models != nullptr && !models->empty()) {
                std::filesystem::path dir(*models);
                loaded.modelDirectory =
                    dir.is_absolute() ? dir.string() : (std::filesystem::path(path).parent_path() / dir).string();
            }
            loaded.alarmRate = r.Number("ALARMRATE", 0, 10000);
        } else if (name == "RIGHTS") {
            const char* keys[] = {"ADMINISTRATOR", "MANAGER", "USER"};
            for (size_t role = 0; role < 3; ++role) {
                if (const std::string* text = r.Find(keys[role]);
                    text != nullptr && !ExpandRightsText(*text, &loaded.rights.rights[role])) {
                    r.Fail(keys[role], "letters, with x*N for N copies of x, at most 127");
                }
            }
        } else if (SplitSectionName(name, "LOCATION", &number, &rest) && rest.empty()) {
            loaded.locations.push_back(ReadLocation(r));
        } else if (SplitSectionName(name, "ACCOUNT", &number, &rest) && rest.empty()) {
            loaded.accounts.push_back(ReadAccount(r));
        } else if (SplitSectionName(name, "NE", &number, &rest)) {
            std::string item, itemRest;
            if (rest.empty()) {
                continue;
            }
            auto ne = neByNumber.find(number);
            if (ne == neByNumber.end()) {
                r.Fail("", "names NE" + number + ", which has no section");
            } else if (SplitSectionName(rest, ".BOARD", &item, &itemRest) && itemRest.empty()) {
                loaded.nes[ne->second].boards.push_back(ReadBoard(r));
            } else if (SplitSectionName(rest, ".ALARM", &item, &itemRest) && itemRest.empty()) {
                loaded.nes[ne->second].alarms.push_back(ReadAlarm(r));
            } else if (SplitSectionName(rest, ".TRIGGER", &item, &itemRest) && itemRest.empty()) {
                loaded.nes[ne->second].triggers.push_back(ReadTrigger(r));
            } else {
                r.Fail("", "unknown section");
            }
        } else {
            r.Fail("", "unknown section");
        }
        if (!r.Ok()) {
            return false;
        }
    }
    if (loaded.accounts.empty()) {
        loaded.accounts = DefaultSimScenario().accounts;
    }
    *scenario = std::move(loaded);
    return true;
}
