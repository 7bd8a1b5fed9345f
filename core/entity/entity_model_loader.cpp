#include "core/entity/entity_model_loader.h"

#include "core/config/font_spec.h"
#include "core/entity/definition_keys.h"
#include "core/entity/definition_text.h"
#include "core/ini/file_path.h"
#include "core/ini/ini_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <optional>
#include <span>
#include <sstream>
#include <unordered_set>
#include <utility>

namespace {

// Values longer than this are cut, as the program's profile-string buffers hold 4096 bytes.
constexpr size_t kMaxValueLength = 4095;

using Entry = CIniFile::Entry;

// One occurrence of a section header with the entries that follow it. A section header written twice gives two
// occurrences, so that a repeated model section can be told and dropped instead of merged.
struct SectionView {
    std::string name;
    int line = 0;
    std::span<const Entry> entries;

    // The key index is built on the first lookup: sections no model reads ([SYSTEM], unknown models) need none.
    const Entry* Find(std::string_view key) const
    {
        if (!indexed_) {
            keys_ = DefinitionKeyIndex(entries);
            indexed_ = true;
        }
        return keys_.Find(key);
    }

private:
    mutable DefinitionKeyIndex keys_; // the first of repeated keys wins
    mutable bool indexed_ = false;
};

// The occurrences of the sections in file order. A header's entries run to the next header of any name, and are the
// next entries of its section: a repeated header continues the section in the parsed file.
std::vector<SectionView> SplitSections(const CIniFile& ini)
{
    const auto& sections = ini.Sections();
    const auto& headers = ini.Headers();
    std::vector<size_t> taken(sections.size(), 0); // per section, the entries of its occurrences so far
    std::vector<SectionView> views;
    views.reserve(headers.size());
    for (size_t k = 0; k < headers.size(); ++k) {
        const CIniFile::Section& section = sections[headers[k].section];
        const auto& entries = section.entries;
        size_t& next = taken[headers[k].section];
        const size_t first = next;
        const int end = k + 1 < headers.size() ? headers[k + 1].line : std::numeric_limits<int>::max();
        while (next < entries.size() && entries[next].line < end)
            ++next;
        SectionView& view = views.emplace_back();
        view.name = section.name;
        view.line = headers[k].line;
        view.entries = std::span(entries).subspan(first, next - first);
    }
    return views;
}

// One definition file: its parsed text, its sections and its diagnostics.
class DefinitionFile {
public:
    DefinitionFile(std::string_view text, std::string name, std::vector<std::string>& diagnostics)
        : name_(std::move(name)), ini_(CIniFile::Parse(text)), sections_(SplitSections(ini_)), diagnostics_(diagnostics)
    {
        if (const CIniFile::Section* system = ini_.FindSection("SYSTEM"))
            systemKeys_ = DefinitionKeyIndex(system->entries);
        for (const auto& fault : ini_.Faults()) {
            std::string shown(TrimDefinitionText(fault.text).substr(0, 40));
            Report(fault.line, SectionAt(fault.line), shown, "not a section header, key=value pair or comment");
        }
    }

    const std::string& Name() const { return name_; }
    const std::vector<SectionView>& Sections() const { return sections_; }

    // [SYSTEM] keys: a repeated [SYSTEM] header continues the first, and the first of repeated keys wins.
    const Entry* SystemEntry(std::string_view key) const { return systemKeys_.Find(key); }

    void Report(int line, std::string_view section, std::string_view key, std::string_view reason)
    {
        const std::string number = std::to_string(line);
        std::string message;
        message.reserve(name_.size() + number.size() + section.size() + key.size() + reason.size() + 8);
        message.append(name_).append(":").append(number).append(": [").append(section).append("] ");
        if (!key.empty())
            message.append(key).append(": ");
        message.append(reason);
        // Templates share keys; a bad key is reported once.
        if (reported_.insert(message).second)
            pending_.emplace_back(line, std::move(message));
    }

    // Hands the diagnostics over in line order.
    void Flush()
    {
        std::stable_sort(pending_.begin(), pending_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& p : pending_)
            diagnostics_.push_back(std::move(p.second));
        pending_.clear();
    }

    // The value of an entry, cut to the longest value the program reads.
    std::string_view Value(const Entry& e, std::string_view section)
    {
        std::string_view v = e.value;
        if (v.size() > kMaxValueLength) {
            Report(e.line, section, e.key, "value cut to " + std::to_string(kMaxValueLength) + " characters");
            v = v.substr(0, kMaxValueLength);
        }
        return v;
    }

private:
    // The name of the last header above a line; the headers are in line order.
    std::string SectionAt(int line) const
    {
        const auto& headers = ini_.Headers();
        const auto after = std::lower_bound(headers.begin(), headers.end(), line,
                                            [](const CIniFile::Header& h, int at) { return h.line < at; });
        return after == headers.begin() ? std::string() : std::prev(after)->name;
    }

    std::string name_;
    CIniFile ini_;
    std::vector<SectionView> sections_;
    DefinitionKeyIndex systemKeys_;
    std::vector<std::string>& diagnostics_;
    std::vector<std::pair<int, std::string>> pending_;
    std::unordered_set<std::string> reported_;
};

// The model id of a "[MODEL<id>]" section name; nullopt for other names, 0 for a bad id.
std::optional<uint32_t> ModelSectionId(std::string_view name)
{
    if (name.size() < 5 || !IniNameEquals(name.substr(0, 5), "MODEL"))
        return std::nullopt;
    const std::string_view digits = name.substr(5);
    if (digits.empty() || digits.size() > 10)
        return 0U;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return 0U;
    }
    const uint64_t id = *ParseDefinitionNumber(digits);
    return id >= kEntityModelIdMin && id <= kEntityModelIdMax ? static_cast<uint32_t>(id) : 0U;
}

// A number in [min, max]; nullopt when it is not a number or out of range.
std::optional<uint32_t> NumberInRange(std::string_view text, uint64_t min, uint64_t max, bool hex = false)
{
    auto value = ParseDefinitionNumber(text, hex);
    if (!value || *value < min || *value > max)
        return std::nullopt;
    return static_cast<uint32_t>(*value);
}

// A number clamped to [min, max]; nullopt when it is not a number.
std::optional<uint32_t> NumberClamped(std::string_view text, uint64_t min, uint64_t max)
{
    auto value = ParseDefinitionNumber(text);
    if (!value)
        return std::nullopt;
    return static_cast<uint32_t>(std::clamp<uint64_t>(*value, min, max));
}

bool IsModelId(uint64_t id)
{
    return id >= kEntityModelIdMin && id <= kEntityModelIdMax;
}

bool IsDottedOid(std::string_view text)
{
    if (text.empty() || text.front() == '.' || text.back() == '.' || text.find("..") != std::string_view::npos)
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == '.' || std::isdigit(static_cast<unsigned char>(c)); }) &&
           text.find('.') != std::string_view::npos;
}

} // namespace

// Fills the private parts of the model set and its models.
class CEntityModelBuilder {
public:
    CEntityModelBuilder(DefinitionFile& info, DefinitionFile& alarm, DefinitionFile& skin)
        : info_(info), alarm_(alarm), skin_(skin), set_(std::make_unique<CEntityModelSet>())
    {
    }

    std::unique_ptr<CEntityModelSet> Build()
    {
        ReadLevelMaxima();
        ReadModels();
        ReadAlarmFile();
        ReadSkinFile();
        return std::move(set_);
    }

private:
    // ---- information file -------------------------------------------------------------------------------------

    void ReadLevelMaxima()
    {
        static constexpr uint32_t kMin[5] = {1, 1, 1, 1, 0};
        static constexpr uint32_t kMax[5] = {254, 9, 99, 99, 254};
        for (int level = 1; level <= 5; ++level) {
            const Entry* e = info_.SystemEntry(DefinitionKeyName() << "MAXENTITYLEVEL" << level);
            if (!e)
                continue;
            auto value = NumberClamped(info_.Value(*e, "SYSTEM"), kMin[level - 1], kMax[level - 1]);
            if (value)
                set_->maxLevels_[static_cast<size_t>(level - 1)] = *value;
            else
                info_.Report(e->line, "SYSTEM", e->key, "not a number; default used");
        }
    }

    void ReadModels()
    {
        std::map<uint32_t, int> firstLine;
        std::vector<std::unique_ptr<CEntityType>> models;
        for (const SectionView& section : info_.Sections()) {
            const auto id = ModelSectionId(section.name);
            if (!id)
                continue;
            if (*id == 0) {
                info_.Report(section.line, section.name, "", "bad model id; model dropped");
                continue;
            }
            auto [it, fresh] = firstLine.emplace(*id, section.line);
            if (!fresh) {
                info_.Report(section.line, section.name, "",
                             "model " + std::to_string(*id) + " repeated (first at line " + std::to_string(it->second) +
                                 "); model dropped");
                continue;
            }
            if (auto model = ReadModel(*id, section))
                models.push_back(std::move(model));
            else
                firstLine.erase(*id);
        }
        std::sort(models.begin(), models.end(), [](const auto& a, const auto& b) { return a->GetId() < b->GetId(); });
        if (models.size() > CEntityModelSet::kMaxModels) {
            for (size_t i = CEntityModelSet::kMaxModels; i < models.size(); ++i) {
                const uint32_t id = models[i]->GetId();
                info_.Report(modelLines_[id], "MODEL" + std::to_string(id), "",
                             "more than " + std::to_string(CEntityModelSet::kMaxModels) + " models; model dropped");
            }
            models.resize(CEntityModelSet::kMaxModels);
        }
        set_->models_ = std::move(models);
    }

    std::unique_ptr<CEntityType> ReadModel(uint32_t id, const SectionView& s)
    {
        const std::string& sec = s.name;
        auto model = std::make_unique<CEntityType>(id);

        const Entry* name = s.Find("NAME");
        if (!name || TrimDefinitionText(name->value).empty()) {
            info_.Report(name ? name->line : s.line, sec, "NAME", "missing or empty; model dropped");
            return nullptr;
        }
        const Entry* level = s.Find("LEVEL");
        const auto levelValue = level ? NumberInRange(info_.Value(*level, sec), 1, 5) : std::nullopt;
        if (!levelValue) {
            info_.Report(level ? level->line : s.line, sec, "LEVEL",
                         level ? "not a level 1..5; model dropped" : "missing; model dropped");
            return nullptr;
        }
        modelLines_[id] = s.line;
        model->level_ = static_cast<uint8_t>(*levelValue);
        model->name_ = CutText(*name, sec, CEntityType::kMaxNameLength);
        if (const Entry* note = s.Find("NOTE"))
            model->note_ = CutText(*note, sec, CEntityType::kMaxNameLength);

        model->neModelId_ = model->level_ == 1 ? id : kEntityTypeUnknown;
        if (const Entry* e = s.Find("NEMODEL")) {
            auto v = ParseDefinitionNumber(info_.Value(*e, sec));
            if (v && (IsModelId(*v) || *v == kEntityTypeEmpty || *v == kEntityTypeUnknown))
                model->neModelId_ = static_cast<uint32_t>(*v);
            else
                info_.Report(e->line, sec, e->key, "not a model id; default used");
        }
        model->menuClass_ = ByteKey(s, "MENUCLASS", 0, 255, false, 0);
        model->provClass_ = ByteKey(s, "PROVCLASS", 0, 254, false, 0);
        model->flags_ = ByteKey(s, "FLAGS", 0, 255, true, 0);
        if (const Entry* e = s.Find("SYSOBJECTID")) {
            const std::string_view oid = TrimDefinitionText(info_.Value(*e, sec));
            if (IsDottedOid(oid))
                model->sysObjectId_ = std::string(oid);
            else if (!oid.empty())
                info_.Report(e->line, sec, e->key, "not a dotted object identifier; ignored");
        }
        ReadIcons(*model, s);
        ReadChildren(*model, s);
        return model;
    }

    std::string CutText(const Entry& e, const std::string& sec, size_t max)
    {
        const std::string_view v = TrimDefinitionText(info_.Value(e, sec));
        if (v.size() > max)
            info_.Report(e.line, sec, e.key, "cut to " + std::to_string(max) + " characters");
        return std::string(v.substr(0, max));
    }

    uint8_t ByteKey(const SectionView& s, std::string_view key, uint32_t min, uint32_t max, bool hex, uint8_t fallback)
    {
        const Entry* e = s.Find(key);
        if (!e)
            return fallback;
        auto v = NumberInRange(info_.Value(*e, s.name), min, max, hex);
        if (!v) {
            info_.Report(e->line, s.name, e->key,
                         "not a number in " + std::to_string(min) + ".." + std::to_string(max) + "; default used");
            return fallback;
        }
        return static_cast<uint8_t>(*v);
    }

    void ReadIcons(CEntityType& model, const SectionView& s)
    {
        const unsigned fallback = model.level_ == 1 ? 27 : 0;
        model.stateIcons_.fill(fallback);
        if (const Entry* e = s.Find("ICONLIST")) {
            SplitDefinitionList(info_.Value(*e, s.name), ',', listEntries_);
            const auto& entries = listEntries_;
            for (size_t i = 0; i < entries.size() && i < model.stateIcons_.size(); ++i) {
                if (entries[i].empty())
                    continue;
                if (auto v = NumberInRange(entries[i], 0, 65535))
                    model.stateIcons_[i] = *v;
                else
                    info_.Report(e->line, s.name, e->key,
                                 "entry " + std::to_string(i + 1) + " is not an icon index 0..65535; default used");
            }
        }
        model.icon_ = model.stateIcons_[0];
        if (const Entry* e = s.Find("ICON")) {
            if (auto v = NumberInRange(info_.Value(*e, s.name), 0, 65535))
                model.icon_ = *v;
            else
                info_.Report(e->line, s.name, e->key, "not an icon index 0..65535; default used");
        }
    }

    // The entries of a per-child list, one per position; empty entries and entries beyond the count are left out.
    template <typename Apply> void ChildList(const SectionView& s, std::string_view key, size_t count, Apply apply)
    {
        const Entry* e = s.Find(key);
        if (!e)
            return;
        SplitDefinitionList(info_.Value(*e, s.name), ',', listEntries_);
        const auto& entries = listEntries_;
        for (size_t i = 0; i < entries.size() && i < count; ++i) {
            if (entries[i].empty())
                continue;
            std::string reason = apply(i, entries[i]);
            if (!reason.empty())
                info_.Report(e->line, s.name, e->key, "entry " + std::to_string(i + 1) + " " + reason);
        }
    }

    void ReadChildren(CEntityType& model, const SectionView& s)
    {
        const std::string& sec = s.name;
        const size_t count = ByteKey(s, "CHILDCNT", 0, 255, false, 0);
        model.children_.resize(count);
        for (size_t i = 0; i < count; ++i) {
            model.children_[i].name = std::to_string(i + 1);
            model.children_[i].delegate = static_cast<uint8_t>(i);
        }
        const unsigned childMax = model.level_ < 5 ? set_->maxLevels_[model.level_] : 0;
        if (count > childMax) {
            const Entry* e = s.Find("CHILDCNT");
            info_.Report(e->line, sec, e->key,
                         "positions above " + std::to_string(childMax) + " cannot be addressed at level " +
                             std::to_string(model.level_ + 1));
        }
        auto& children = model.children_;
        ChildList(s, "CHILDTYPELIST", count, [&](size_t i, std::string_view v) -> std::string {
            auto id = ParseDefinitionNumber(v);
            if (!id ||
                !(IsModelId(*id) || *id == kEntityTypeEmpty || *id == kEntityTypeAbsent || *id == kEntityTypeUnknown))
                return "is not a model id or type value; default used";
            children[i].fixedType = static_cast<uint32_t>(*id);
            return {};
        });
        ChildList(s, "CHILDNAMELIST", count, [&](size_t i, std::string_view v) -> std::string {
            children[i].name = std::string(v.substr(0, CEntityType::kMaxChildNameLength));
            if (v.size() > CEntityType::kMaxChildNameLength)
                return "cut to " + std::to_string(CEntityType::kMaxChildNameLength) + " characters";
            return {};
        });
        auto modelRef = [](uint32_t& out) {
            return [&out](std::string_view v) -> std::string {
                auto id = ParseDefinitionNumber(v);
                if (!id || !(IsModelId(*id) || *id == kEntityTypeEmpty))
                    return "is not a model id; default used";
                out = static_cast<uint32_t>(*id);
                return {};
            };
        };
        ChildList(s, "CHILDEMPTY", count,
                  [&](size_t i, std::string_view v) { return modelRef(children[i].emptyType)(v); });
        ChildList(s, "CHILDVOID", count,
                  [&](size_t i, std::string_view v) { return modelRef(children[i].voidType)(v); });
        ChildList(s, "CHILDREDUNDANT", count, [&](size_t i, std::string_view v) -> std::string {
            auto flag = NumberInRange(v, 0, 1);
            if (!flag)
                return "is not 0 or 1; default used";
            children[i].redundant = static_cast<uint8_t>(*flag);
            return {};
        });
        ChildList(s, "CHILDDELEGATELIST", count, [&](size_t i, std::string_view v) -> std::string {
            auto position = ParseDefinitionNumber(v);
            if (!position)
                return "is not a position; default used";
            // 0 or a position out of range delegates to the position itself.
            if (*position >= 1 && *position <= count)
                children[i].delegate = static_cast<uint8_t>(*position - 1);
            return {};
        });
        ChildList(s, "SUBPROVCLASS", count, [&](size_t i, std::string_view v) -> std::string {
            SplitDefinitionList(v, '/', classParts_);
            const auto& parts = classParts_;
            std::array<uint8_t, 4> classes{0xFF, 0xFF, 0xFF, 0xFF};
            for (size_t k = 0; k < parts.size() && k < classes.size(); ++k) {
                auto c = NumberInRange(parts[k], 1, 254);
                if (!c)
                    return "has a class that is not a number 1..254; default used";
                classes[k] = static_cast<uint8_t>(*c);
            }
            children[i].classes = classes;
            if (parts.size() > classes.size())
                return "has more than four classes; the fifth and later dropped";
            return {};
        });
    }

    // ---- alarm file -------------------------------------------------------------------------------------------

    void ReadAlarmFile()
    {
        struct IndexKey {
            const char* key;
            unsigned* target;
            unsigned fallback;
        };
        const IndexKey keys[] = {{"OFFLINEALARM", &set_->offlineAlarm_, 0},
                                 {"MISSINGALARM", &set_->missingAlarm_, 0},
                                 {"DISABLEALARM", &set_->disableAlarm_, 31},
                                 {"SLAVEALARM", &set_->slaveAlarm_, 30}};
        for (const auto& k : keys) {
            const Entry* e = alarm_.SystemEntry(k.key);
            if (!e)
                continue;
            auto v = NumberInRange(alarm_.Value(*e, "SYSTEM"), 0, 31);
            if (v)
                *k.target = *v;
            else
                alarm_.Report(e->line, "SYSTEM", e->key, "not an alarm index 0..31; default used");
        }
        for (int index = kEntityAlarmMissing; index <= kEntityAlarmOffline; ++index) {
            const Entry* e = alarm_.SystemEntry(DefinitionKeyName() << "ALARM" << index);
            if (e)
                ReadAlarm(*e, "SYSTEM", set_->builtinAlarms_[static_cast<size_t>(index - kEntityAlarmMissing)]);
        }
        ForEachModelSection(alarm_, [&](CEntityType& model, const SectionView& s) {
            for (int i = 0; i < kEntityAlarmCount; ++i) {
                if (const Entry* e = s.Find(DefinitionKeyName() << "ALARM" << i))
                    ReadAlarm(*e, s.name, model.alarms_[static_cast<size_t>(i)]);
            }
        });
    }

    void ReadAlarm(const Entry& e, const std::string& sec, CEntityAlarmDef& out)
    {
        std::string reason;
        std::vector<std::string> notes;
        if (!ParseEntityAlarmDef(alarm_.Value(e, sec), out, &reason, &notes))
            alarm_.Report(e.line, sec, e.key, reason + "; alarm left undefined");
        for (const auto& note : notes)
            alarm_.Report(e.line, sec, e.key, note);
    }

    // Calls `apply` for each [MODEL<id>] section of a file that names a loaded model, once per model.
    template <typename Apply> void ForEachModelSection(DefinitionFile& file, Apply apply)
    {
        std::map<uint32_t, int> seen;
        for (const SectionView& section : file.Sections()) {
            const auto id = ModelSectionId(section.name);
            if (!id)
                continue;
            CEntityType* model = *id ? FindMutable(*id) : nullptr;
            if (!model) {
                file.Report(section.line, section.name, "",
                            *id ? "no such model in " + info_.Name() + "; section ignored"
                                : std::string("bad model id; section ignored"));
                continue;
            }
            auto [it, fresh] = seen.emplace(*id, section.line);
            if (!fresh) {
                file.Report(section.line, section.name, "",
                            "model " + std::to_string(*id) + " repeated (first at line " + std::to_string(it->second) +
                                "); section ignored");
                continue;
            }
            apply(*model, section);
        }
    }

    CEntityType* FindMutable(uint32_t id)
    {
        auto& models = set_->models_;
        auto it =
            std::lower_bound(models.begin(), models.end(), id,
                             [](const std::unique_ptr<CEntityType>& m, uint32_t key) { return m->GetId() < key; });
        return it != models.end() && (*it)->GetId() == id ? it->get() : nullptr;
    }

    // ---- skin file --------------------------------------------------------------------------------------------

    void ReadSkinFile()
    {
        if (const Entry* e = skin_.SystemEntry("ROUGHLEVEL")) {
            if (auto v = NumberClamped(skin_.Value(*e, "SYSTEM"), 1, 5))
                set_->roughLevel_ = *v;
            else
                skin_.Report(e->line, "SYSTEM", e->key, "not a number; default used");
        }
        if (const Entry* e = skin_.SystemEntry("SELECTEDMARK")) {
            const std::string_view v = TrimDefinitionText(skin_.Value(*e, "SYSTEM"));
            const std::string_view code = TrimDefinitionText(v.substr(0, v.find_first_of(",\t")));
            if (IniNameEquals(code, "RL"))
                set_->selectedMark_ = std::string(v);
            else
                skin_.Report(e->line, "SYSTEM", e->key, "not an \"RL\" shape; default used");
        }
        const size_t imageCount = SystemCount("IMAGECNT", 1024);
        set_->images_.resize(imageCount);
        for (size_t k = 1; k <= imageCount; ++k) {
            if (const Entry* e = skin_.SystemEntry(DefinitionKeyName() << "IMAGE" << k)) {
                const std::string_view file = TrimDefinitionText(skin_.Value(*e, "SYSTEM"));
                if (!file.empty())
                    set_->images_[k - 1].file = NormalizeConfigPath(file);
            }
        }
        const size_t fontCount = SystemCount("FONTCNT", 256);
        set_->fonts_.resize(fontCount);
        for (size_t k = 1; k <= fontCount; ++k) {
            FontSpec& font = set_->fonts_[k - 1];
            font.complete = false;
            const Entry* e = skin_.SystemEntry(DefinitionKeyName() << "FONT" << k);
            if (!e || TrimDefinitionText(e->value).empty())
                continue;
            FontSpec parsed;
            if (CreateFontFromSpec(std::string(skin_.Value(*e, "SYSTEM")), parsed)) {
                font = parsed;
                font.complete = false; // completed from the face by the text drawer
            } else {
                skin_.Report(e->line, "SYSTEM", e->key, "not a font spec \"face,size,flags\"; no font");
            }
        }
        for (int c = 0; c < kTemplateComponentCount; ++c) {
            if (const Entry* e = skin_.SystemEntry(TemplateComponentKey(c)))
                set_->components_[static_cast<size_t>(c)] = std::string(TrimDefinitionText(skin_.Value(*e, "SYSTEM")));
        }
        ForEachModelSection(skin_, [&](CEntityType& model, const SectionView& s) { ReadTemplates(model, s); });
    }

    size_t SystemCount(const char* key, uint32_t max)
    {
        const Entry* e = skin_.SystemEntry(key);
        if (!e)
            return 0;
        auto v = NumberClamped(skin_.Value(*e, "SYSTEM"), 0, max);
        if (!v)
            skin_.Report(e->line, "SYSTEM", e->key, "not a number; default used");
        return v.value_or(0);
    }

    // The key suffix of a template, "_<severity>_<state>", by its template index.
    static std::string_view TemplateSuffix(int index)
    {
        static const auto kSuffixes = [] {
            std::array<std::array<char, 4>, kTemplateCount> suffixes{};
            for (int i = 0; i < kTemplateCount; ++i)
                suffixes[static_cast<size_t>(i)] = {'_', static_cast<char>('0' + i / kTemplateStateCount), '_',
                                                    static_cast<char>('0' + i % kTemplateStateCount)};
            return suffixes;
        }();
        return {kSuffixes[static_cast<size_t>(index)].data(), 4};
    }

    // Template (s, t) takes its own shapes from the first of (s, t), (s, 0), (0, 0) with a SHAPECNT key, and every
    // other item from that template's key, else the model's key without suffix, else [SYSTEM] (component shapes).
    // Templates with the same source are therefore equal and are resolved once.
    void ReadTemplates(CEntityType& model, const SectionView& s)
    {
        std::array<bool, kTemplateCount> hasShapes{};
        for (int i = 0; i < kTemplateCount; ++i)
            hasShapes[static_cast<size_t>(i)] = s.Find(DefinitionKeyName() << "SHAPECNT" << TemplateSuffix(i));
        ModelItems items;
        items.size = s.Find("SIZE");
        items.fit = s.Find("FIT");
        for (int c = 0; c < kTemplateComponentCount; ++c)
            items.components[static_cast<size_t>(c)] = s.Find(TemplateComponentKey(c));
        std::vector<std::shared_ptr<const CEntityTemplate>> templates(kTemplateCount);
        std::array<std::shared_ptr<const CEntityTemplate>, kTemplateCount + 1> bySource; // the last: no source
        for (int severity = 0; severity < kTemplateSeverityCount; ++severity) {
            for (int state = 0; state < kTemplateStateCount; ++state) {
                int source = kTemplateCount;
                for (const int candidate : {TemplateIndex(severity, state), TemplateIndex(severity, 0), 0}) {
                    if (hasShapes[static_cast<size_t>(candidate)]) {
                        source = candidate;
                        break;
                    }
                }
                auto& resolved = bySource[static_cast<size_t>(source)];
                if (!resolved)
                    resolved = std::make_shared<const CEntityTemplate>(ResolveTemplate(
                        s, items, source < kTemplateCount ? TemplateSuffix(source) : std::string_view()));
                templates[static_cast<size_t>(TemplateIndex(severity, state))] = resolved;
            }
        }
        model.templates_ = std::move(templates);
    }

    // The items of a model section without suffix, which every template without its own key takes.
    struct ModelItems {
        const Entry* size = nullptr;
        const Entry* fit = nullptr;
        std::array<const Entry*, kTemplateComponentCount> components{};
    };

    // The template of a source suffix; an empty suffix is the template of no source.
    CEntityTemplate ResolveTemplate(const SectionView& s, const ModelItems& items, std::string_view source)
    {
        auto pick = [&](std::string_view key, const Entry* modelEntry) -> const Entry* {
            const Entry* e = source.empty() ? nullptr : s.Find(DefinitionKeyName() << key << source);
            return e ? e : modelEntry;
        };
        CEntityTemplate t;
        if (!source.empty()) {
            const Entry* countEntry = s.Find(DefinitionKeyName() << "SHAPECNT" << source);
            auto count = NumberClamped(skin_.Value(*countEntry, s.name), 0, kTemplateOwnShapeLimit);
            if (!count)
                skin_.Report(countEntry->line, s.name, countEntry->key, "not a number; no shapes");
            t.shapes.resize(count.value_or(0));
            for (size_t k = 1; k <= t.shapes.size(); ++k) {
                if (const Entry* e = s.Find(DefinitionKeyName() << "SHAPE" << source << "_" << k))
                    t.shapes[k - 1] = std::string(TrimDefinitionText(skin_.Value(*e, s.name)));
            }
        }
        if (const Entry* e = pick("SIZE", items.size)) {
            SplitDefinitionList(skin_.Value(*e, s.name), ',', listEntries_);
            const auto& parts = listEntries_;
            const auto w = parts.size() == 2 ? ParseDefinitionInt(parts[0]) : std::nullopt;
            const auto h = parts.size() == 2 ? ParseDefinitionInt(parts[1]) : std::nullopt;
            if (w && h)
                t.size = {*w, *h};
            else
                skin_.Report(e->line, s.name, e->key, "not \"width,height\"; default used");
        }
        if (const Entry* e = pick("FIT", items.fit))
            t.fit = ParseFit(*e, s.name);
        ReadRects(s, source, t);
        for (int c = 0; c < kTemplateComponentCount; ++c) {
            const Entry* e = pick(TemplateComponentKey(c), items.components[static_cast<size_t>(c)]);
            t.components[static_cast<size_t>(c)] = e ? std::string(TrimDefinitionText(skin_.Value(*e, s.name)))
                                                     : set_->components_[static_cast<size_t>(c)];
        }
        return t;
    }

    int ParseFit(const Entry& e, const std::string& sec)
    {
        const std::string_view v = TrimDefinitionText(skin_.Value(e, sec));
        if (v.size() == 1) {
            static constexpr std::string_view kLetters = "NXYAB";
            const char c = static_cast<char>(v[0] >= 'a' && v[0] <= 'z' ? v[0] - 'a' + 'A' : v[0]);
            if (kLetters.find(c) != std::string_view::npos)
                return static_cast<int>(kLetters.find(c));
            if (c >= '0' && c <= '4')
                return c - '0';
        }
        skin_.Report(e.line, sec, e.key, "not N, X, Y, A, B or 0..4; A used");
        return kTemplateFitA;
    }

    void ReadRects(const SectionView& s, std::string_view source, CEntityTemplate& t)
    {
        // The rectangles come whole from one place: the template's own RECTCNT, else the model's.
        const Entry* countEntry = source.empty() ? nullptr : s.Find(DefinitionKeyName() << "RECTCNT" << source);
        std::string_view rectSuffix = source; // "RECT_2_1_3" for a template's own, "RECT3" for the model's
        if (!countEntry) {
            countEntry = s.Find("RECTCNT");
            rectSuffix = {};
        }
        if (!countEntry)
            return;
        auto count = NumberClamped(skin_.Value(*countEntry, s.name), 0, 255);
        if (!count)
            skin_.Report(countEntry->line, s.name, countEntry->key, "not a number; no rectangles");
        t.rects.resize(count.value_or(0));
        for (size_t k = 1; k <= t.rects.size(); ++k) {
            DefinitionKeyName key;
            key << "RECT";
            if (!rectSuffix.empty())
                key << rectSuffix << "_";
            const Entry* e = s.Find(key << k);
            if (!e)
                continue;
            SplitDefinitionList(skin_.Value(*e, s.name), ',', listEntries_);
            const auto& parts = listEntries_;
            CTemplateRect rect;
            bool good = parts.size() == 4;
            for (size_t i = 0; good && i < 4; ++i) {
                rect.coords[i] = std::string(parts[i]);
                good = IsShapeCoordToken(rect.coords[i]);
            }
            if (good)
                t.rects[k - 1] = rect;
            else
                skin_.Report(e->line, s.name, e->key, "not four coordinates left,top,right,bottom; left 0,0,0,0");
        }
    }

    DefinitionFile& info_;
    DefinitionFile& alarm_;
    DefinitionFile& skin_;
    std::unique_ptr<CEntityModelSet> set_;
    std::map<uint32_t, int> modelLines_;
    // Split lists, kept between lists so that their room is allocated once: the entries of a list, and the classes
    // of one entry of SUBPROVCLASS.
    std::vector<std::string_view> listEntries_;
    std::vector<std::string_view> classParts_;
};

namespace {

bool ReadWholeFile(const std::string& path, std::string& text, std::string& error)
{
    const std::string resolved = ResolveFilePath(NormalizeConfigPath(path));
    std::ifstream in(resolved, std::ios::binary);
    if (!in) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    text = buffer.str();
    return true;
}

} // namespace

EntityModelLoadResult LoadEntityModelSetFromText(std::string_view infoText, std::string_view alarmText,
                                                 std::string_view skinText, const std::string& infoName,
                                                 const std::string& alarmName, const std::string& skinName)
{
    EntityModelLoadResult result;
    DefinitionFile info(infoText, infoName, result.diagnostics);
    DefinitionFile alarm(alarmText, alarmName, result.diagnostics);
    DefinitionFile skin(skinText, skinName, result.diagnostics);
    result.models = CEntityModelBuilder(info, alarm, skin).Build();
    info.Flush();
    alarm.Flush();
    skin.Flush();
    return result;
}

EntityModelLoadResult LoadEntityModelSet(const std::string& infoPath, const std::string& alarmPath,
                                         const std::string& skinPath)
{
    std::string texts[3];
    const std::string* paths[3] = {&infoPath, &alarmPath, &skinPath};
    for (int i = 0; i < 3; ++i) {
        std::string error;
        if (!ReadWholeFile(*paths[i], texts[i], error)) {
            EntityModelLoadResult failed;
            failed.failedFile = *paths[i];
            failed.error = error;
            return failed;
        }
    }
    return LoadEntityModelSetFromText(texts[0], texts[1], texts[2], infoPath, alarmPath, skinPath);
}
