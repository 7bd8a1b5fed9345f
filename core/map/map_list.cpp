#include "core/map/map_list.h"

#include "core/entity/definition_text.h"
#include "core/ini/ini_file.h"
#include "core/ini/ini_writer.h"
#include "core/util/names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <set>

namespace {

constexpr const char* kSection = "MAP";
constexpr const char* kDefaultWorldName = "World";

CMapDef MakeWorldMap()
{
    CMapDef world;
    world.id = 0;
    world.name = kDefaultWorldName;
    world.west = kWorldWest;
    world.east = kWorldEast;
    world.north = kWorldNorth;
    world.south = kWorldSouth;
    return world;
}

void LimitToWorld(CMapDef& map)
{
    map.west = std::clamp(map.west, kWorldWest, kWorldEast);
    map.east = std::clamp(map.east, kWorldWest, kWorldEast);
    map.north = std::clamp(map.north, kWorldSouth, kWorldNorth);
    map.south = std::clamp(map.south, kWorldSouth, kWorldNorth);
}

bool IsValidMapName(std::string_view name)
{
    return !name.empty() && name.size() <= CMapDef::kMaxNameLength &&
           std::all_of(name.begin(), name.end(), [](char c) { return IsValidNameChar(c); });
}

// "id,name,west,east,north,south,image file"; the image file is the rest of the line. Empty reason on success.
std::string ParseMapEntry(std::string_view value, CMapDef& out)
{
    std::array<std::string_view, 6> fields{};
    std::string_view rest = value;
    for (size_t i = 0; i < fields.size(); ++i) {
        const size_t comma = rest.find(',');
        if (comma == std::string_view::npos) {
            if (i + 1 < fields.size())
                return "not \"id,name,west,east,north,south,image file\"";
            fields[i] = rest;
            rest = {};
            break;
        }
        fields[i] = rest.substr(0, comma);
        rest.remove_prefix(comma + 1);
    }
    const auto id = ParseDefinitionNumber(fields[0]);
    if (!id || *id < 1 || *id > CMapDef::kMaxId)
        return "id is not a number 1.." + std::to_string(CMapDef::kMaxId);
    const std::string_view name = TrimDefinitionText(fields[1]);
    if (!IsValidMapName(name))
        return "name is not 1.." + std::to_string(CMapDef::kMaxNameLength) +
               " characters of letters, digits, \"-\", \".\", \"@\" and \"_\"";
    std::array<float, 4> bounds{};
    for (size_t i = 0; i < bounds.size(); ++i) {
        const auto v = ParseDefinitionReal(fields[2 + i]);
        if (!v)
            return "bound " + std::string(TrimDefinitionText(fields[2 + i])) + " is not a number";
        bounds[i] = *v;
    }
    CMapDef map;
    map.id = static_cast<uint32_t>(*id);
    map.name = std::string(name);
    map.west = bounds[0];
    map.east = bounds[1];
    map.north = bounds[2];
    map.south = bounds[3];
    LimitToWorld(map);
    // The map view divides by both extents.
    if (!(map.east > map.west))
        return "east bound not east of west bound";
    if (!(map.north > map.south))
        return "north bound not north of south bound";
    map.imageFile = std::string(TrimDefinitionText(rest));
    out = std::move(map);
    return {};
}

// A bound as "%.4f" writes it, whatever the process locale's decimal point is.
std::string FormatBound(float value)
{
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::fixed, 4);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0.0000");
}

// The k of a "MAP<k>" key; 0 for other keys.
size_t MapKeyNumber(std::string_view key)
{
    if (key.size() < 4 || !IniNameEquals(key.substr(0, 3), "MAP"))
        return 0;
    const std::string_view digits = key.substr(3);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return 0;
    const auto k = ParseDefinitionNumber(digits);
    return k ? static_cast<size_t>(std::min<uint64_t>(*k, SIZE_MAX)) : 0;
}

} // namespace

CMapList::CMapList() : world_(MakeWorldMap()) {}

bool CMapList::LoadMapList(const std::string& path, std::vector<std::string>* diagnostics, std::string* error)
{
    const auto ini = CIniFile::Load(path, error);
    if (!ini)
        return false;
    ReadMapList(*ini, path, diagnostics);
    return true;
}

void CMapList::ReadMapList(const CIniFile& ini, const std::string& path, std::vector<std::string>* diagnostics)
{
    std::vector<std::string> notes;
    auto report = [&](int line, std::string_view section, std::string_view key, const std::string& reason) {
        notes.push_back(path + ":" + std::to_string(line) + ": [" + std::string(section) + "] " + std::string(key) +
                        ": " + reason);
    };
    for (const auto& fault : ini.Faults())
        report(fault.line, kSection, TrimDefinitionText(fault.text).substr(0, 40),
               "not a section header, key=value pair or comment");

    size_t count = 0;
    if (const auto* e = ini.FindEntry(kSection, "COUNT")) {
        if (auto v = ParseDefinitionNumber(e->value))
            count = static_cast<size_t>(std::min<uint64_t>(*v, kMaxMaps));
        else
            report(e->line, kSection, e->key, "not a number; no maps");
    }
    std::vector<CMapDef> maps;
    std::set<uint32_t> ids;
    for (size_t k = 1; k <= count; ++k) {
        const std::string key = "MAP" + std::to_string(k);
        const auto* e = ini.FindEntry(kSection, key);
        if (!e) {
            notes.push_back(path + ": [MAP] " + key + ": missing; map dropped");
            continue;
        }
        CMapDef map;
        std::string reason = ParseMapEntry(e->value, map);
        if (reason.empty() && !ids.insert(map.id).second)
            reason = "id " + std::to_string(map.id) + " repeated";
        if (!reason.empty()) {
            report(e->line, kSection, e->key, reason + "; map dropped");
            continue;
        }
        maps.push_back(std::move(map));
    }
    CMapDef world = MakeWorldMap();
    if (const auto* name = ini.Find(kSection, "WORLDNAME"); name && !name->empty())
        world.name = *name;
    if (const auto* image = ini.Find(kSection, "WORLDIMAGE"))
        world.imageFile = *image;

    maps_ = std::move(maps);
    world_ = std::move(world);
    if (diagnostics)
        diagnostics->insert(diagnostics->end(), notes.begin(), notes.end());
}

bool CMapList::SaveMapList(const std::string& path, std::string* error) const
{
    // Entries of a longer list written before go; a file that does not exist yet has none.
    const auto old = CIniFile::Load(path);
    return WriteIniEdits(path, MapListEdits(old ? &*old : nullptr), error);
}

std::vector<IniEdit> CMapList::MapListEdits(const CIniFile* old) const
{
    std::vector<IniEdit> edits;
    edits.push_back({kSection, "COUNT", std::to_string(maps_.size())});
    for (size_t k = 1; k <= maps_.size(); ++k) {
        CMapDef map = maps_[k - 1];
        LimitToWorld(map);
        edits.push_back({kSection, "MAP" + std::to_string(k),
                         std::to_string(map.id) + "," + map.name + "," + FormatBound(map.west) + "," +
                             FormatBound(map.east) + "," + FormatBound(map.north) + "," + FormatBound(map.south) + "," +
                             map.imageFile});
    }
    if (const auto* section = old != nullptr ? old->FindSection(kSection) : nullptr) {
        for (const auto& e : section->entries) {
            if (MapKeyNumber(e.key) > maps_.size())
                edits.push_back({kSection, e.key, std::nullopt});
        }
    }
    return edits;
}

void CMapList::SetMapCount(size_t count)
{
    maps_.resize(std::min(count, kMaxMaps));
}

CMapDef* CMapList::GetMapAt(size_t i)
{
    return i < maps_.size() ? &maps_[i] : nullptr;
}

const CMapDef* CMapList::GetMapAt(size_t i) const
{
    return i < maps_.size() ? &maps_[i] : nullptr;
}

const CMapDef& CMapList::FindMapDef(uint32_t id) const
{
    if (id != 0) {
        for (const auto& map : maps_) {
            if (map.id == id)
                return map;
        }
    }
    return world_;
}

CMapDef& CMapList::FindMapDef(uint32_t id)
{
    return const_cast<CMapDef&>(static_cast<const CMapList&>(*this).FindMapDef(id));
}

CMapList& CurrentMapList()
{
    static CMapList list;
    return list;
}
