#include "features/provisioning/packet_filters/pkt_filter_values.h"

#include "core/util/names.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"

#include <algorithm>

namespace {

constexpr int kEtherTypeDigits = 4;
constexpr int32_t kUnused = -1;
constexpr int32_t kUnusedPrefix = 16;
constexpr int32_t kMatchForward = 1;
constexpr uint32_t kDisabled = 2;
constexpr uint32_t kDownstreamKnownMask = 0x1F0;
constexpr size_t kUpstreamGroups = 3;

std::string DefaultName(uint32_t direction, uint32_t number)
{
    const std::string side = direction == kFilterUpstream ? "us" : "ds";
    if (number <= 2)
        return side + "fcf" + std::to_string(number);
    if (number <= 4)
        return side + "eof" + std::to_string(number - 2);
    return side + "kf" + std::to_string(number - 4);
}

PktFilterRec DefaultFilter(uint8_t slot, uint32_t direction, uint32_t number)
{
    PktFilterRec rec;
    rec.slot = slot;
    rec.direction = direction;
    rec.filterNumber = number;
    rec.name = DefaultName(direction, number);
    const bool etherTypeOnly = number == 3 || number == 4;
    rec.etherType = etherTypeOnly ? 0x0800 : kUnused;
    rec.ipProtocol = kUnused;
    rec.sourcePort = kUnused;
    rec.sourcePrefixBits = kUnusedPrefix;
    rec.destinationPort = kUnused;
    rec.destinationPrefixBits = kUnusedPrefix;
    rec.action = kMatchForward;
    rec.state = kDisabled;
    return rec;
}

// Blank only when empty; every character, blanks too, must be a name character.
std::optional<TypedNameRefusal> CheckExactName(const QString& typed)
{
    if (typed.isEmpty())
        return TypedNameRefusal{kStrDataIsBlank, -1};
    for (int i = 0; i < typed.size(); ++i) {
        const char16_t c = typed.at(i).unicode();
        if (c > 0x7F || !IsValidNameChar(static_cast<char>(c)))
            return TypedNameRefusal{kStrValidNameCharacters, i};
    }
    return std::nullopt;
}

} // namespace

QString EtherTypeTyped(const QString& text)
{
    QString kept;
    for (const QChar c : text) {
        if (kept.size() < kEtherTypeDigits && c.isDigit() && c.unicode() < 128)
            kept += c;
        else if (kept.size() < kEtherTypeDigits && QStringLiteral("abcdefABCDEF").contains(c))
            kept += c;
    }
    return kept;
}

int32_t EtherTypeValue(const QString& text)
{
    return static_cast<int32_t>(EtherTypeTyped(text).toUInt(nullptr, 16) & 0xFFFFu);
}

QString EtherTypeShown(const QString& text)
{
    return QStringLiteral("%1").arg(EtherTypeValue(text), kEtherTypeDigits, 16, QLatin1Char('0'));
}

PktFilterSet DefaultFilters(uint8_t slot)
{
    PktFilterSet set;
    for (uint32_t number = 1; number <= kFiltersPerDirection; ++number) {
        set.upstream[number - 1] = DefaultFilter(slot, kFilterUpstream, number);
        set.downstream[number - 1] = DefaultFilter(slot, kFilterDownstream, number);
    }
    return set;
}

void ApplyFilterRecords(PktFilterSet& set, const std::vector<PktFilterRec>& records, uint8_t slot)
{
    for (const PktFilterRec& rec : records) {
        if (rec.slot != slot)
            break;
        if (rec.filterNumber < 1 || rec.filterNumber > kFiltersPerDirection)
            continue;
        auto& side = rec.direction == kFilterUpstream ? set.upstream : set.downstream;
        side[rec.filterNumber - 1] = rec;
    }
}

std::vector<PktFilterRec> FiltersToWrite(const PktFilterSet& set)
{
    std::vector<PktFilterRec> written(set.upstream.begin(), set.upstream.end());
    written.insert(written.end(), set.downstream.begin(), set.downstream.begin() + kEtherTypeFilters.back());
    return written;
}

PktFilterGroups DefaultGroups(uint8_t slot)
{
    PktFilterGroups groups{};
    for (size_t i = 0; i < groups.size(); ++i) {
        const bool upstream = i < kUpstreamGroups;
        PktFilterGroupRec& group = groups[i];
        group.slot = slot;
        group.direction = upstream ? kFilterUpstream : kFilterDownstream;
        group.groupNumber = static_cast<uint8_t>(upstream ? i + 1 : i + 1 - kUpstreamGroups);
        group.name = (upstream ? "usg" : "dsg") + std::to_string(group.groupNumber);
        group.state = kDisabled;
    }
    return groups;
}

void ApplyGroupRecords(PktFilterGroups& groups, const std::vector<PktFilterGroupRec>& records, uint8_t slot)
{
    for (const PktFilterGroupRec& rec : records) {
        if (rec.slot != slot)
            break;
        const bool upstream = rec.direction == kFilterUpstream;
        const size_t count = upstream ? kUpstreamGroups : groups.size() - kUpstreamGroups;
        if (rec.groupNumber < 1 || rec.groupNumber > count)
            continue;
        groups[(upstream ? 0 : kUpstreamGroups) + rec.groupNumber - 1] = rec;
    }
}

uint32_t WrittenGroupMask(uint32_t direction, uint32_t mask)
{
    return direction == kFilterDownstream ? mask & ~kDownstreamKnownMask & 0x1FFu : mask & 0x1FFu;
}

std::optional<NameFault> FirstNameFault(const std::vector<QString>& names, NameEnds ends)
{
    const bool trimmed = ends == NameEnds::kTrimmed;
    for (size_t i = 0; i < names.size(); ++i) {
        if (const std::optional<TypedNameRefusal> refused =
                trimmed ? CheckTypedName(names[i]) : CheckExactName(names[i]))
            return NameFault{i, refused->stringId, refused->position};
    }
    for (size_t i = 1; i < names.size(); ++i) {
        const QString name = trimmed ? names[i].trimmed() : names[i];
        for (size_t earlier = 0; earlier < i; ++earlier) {
            if ((trimmed ? names[earlier].trimmed() : names[earlier]) == name)
                return NameFault{i, kStrDataIsDuplicated, -1};
        }
    }
    return std::nullopt;
}
