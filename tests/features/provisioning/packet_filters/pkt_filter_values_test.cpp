// The packet filter rules without a window: the hexadecimal Ether type field, the records OK writes and their order,
// the masks a group carries and the name check.

#include "features/provisioning/packet_filters/pkt_filter_values.h"

#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

TEST(PktFilterValuesTest, AnEtherTypeKeepsFourHexDigitsAndIsShownWithFour)
{
    const struct {
        const char* typed;
        const char* kept;
        const char* shown;
    } cases[] = {
        {"800", "800", "0800"},     {"8x0g6", "806", "0806"}, {"86DD", "86DD", "86dd"},
        {"123456", "1234", "1234"}, {"", "", "0000"},         {"zz", "", "0000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EtherTypeTyped(QString::fromLatin1(c.typed)), QString::fromLatin1(c.kept)) << c.typed;
        EXPECT_EQ(EtherTypeShown(QString::fromLatin1(c.typed)), QString::fromLatin1(c.shown)) << c.typed;
    }
}

TEST(PktFilterValuesTest, ThirteenRecordsAreWrittenUpstreamFirstWithoutTheDownstreamKnownFilters)
{
    const std::vector<PktFilterRec> written = FiltersToWrite(DefaultFilters(3));
    ASSERT_EQ(written.size(), 13u);
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(written[i].slot, 3);
        EXPECT_EQ(written[i].direction, i < 9 ? kFilterUpstream : kFilterDownstream);
        EXPECT_EQ(written[i].filterNumber, i < 9 ? i + 1 : i - 8);
    }
    // Unused criteria go as -1 with 16 prefix bits; an Ether-type-only filter carries its type.
    EXPECT_EQ(written[0].name, "usfcf1");
    EXPECT_EQ(written[0].etherType, -1);
    EXPECT_EQ(written[0].sourcePrefixBits, 16);
    EXPECT_EQ(written[2].name, "useof1");
    EXPECT_EQ(written[2].etherType, 0x0800);
    EXPECT_EQ(written[12].name, "dseof2");
}

TEST(PktFilterValuesTest, RecordsOfAnotherSlotEndTheReplyAndUnknownGroupNumbersAreIgnored)
{
    PktFilterGroups groups = DefaultGroups(1);
    PktFilterGroupRec fourth;
    fourth.slot = 1;
    fourth.direction = kFilterUpstream;
    fourth.groupNumber = 4;
    fourth.name = "stray";
    PktFilterGroupRec second = fourth;
    second.groupNumber = 2;
    second.name = "kept";
    PktFilterGroupRec other = second;
    other.slot = 2;
    other.groupNumber = 1;
    ApplyGroupRecords(groups, {fourth, second, other}, 1);
    EXPECT_EQ(groups[0].name, "usg1");
    EXPECT_EQ(groups[1].name, "kept");
    for (const PktFilterGroupRec& group : groups)
        EXPECT_NE(group.name, "stray");
}

TEST(PktFilterValuesTest, TheGroupsAreNamedByDirectionAndNumberUntilRead)
{
    const PktFilterGroups groups = DefaultGroups(2);
    const char* names[] = {"usg1", "usg2", "usg3", "dsg1", "dsg2", "dsg3", "dsg4"};
    ASSERT_EQ(groups.size(), std::size(names));
    for (size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(groups[i].name, names[i]) << i;
        EXPECT_EQ(groups[i].state, 2u) << "disabled";
        EXPECT_EQ(groups[i].memberMask, 0u) << "no members";
    }
}

TEST(PktFilterValuesTest, ADownstreamGroupCarriesNoKnownFilter)
{
    EXPECT_EQ(WrittenGroupMask(kFilterUpstream, 0x1FF), 0x1FFu);
    EXPECT_EQ(WrittenGroupMask(kFilterDownstream, 0x1FF), 0xFu);
    EXPECT_EQ(WrittenGroupMask(kFilterDownstream, 0x13), 0x3u);
}

TEST(PktFilterValuesTest, TheFirstBlankBadOrRepeatedNameIsNamed)
{
    for (const NameEnds ends : {NameEnds::kAsTyped, NameEnds::kTrimmed}) {
        const auto fault = [ends](std::vector<QString> names) { return FirstNameFault(names, ends); };
        EXPECT_FALSE(fault({QStringLiteral("a"), QStringLiteral("b")}));
        const std::optional<NameFault> blank = fault({QStringLiteral("a"), QString(), QStringLiteral("a")});
        ASSERT_TRUE(blank);
        EXPECT_EQ(blank->index, 1u);
        EXPECT_EQ(blank->stringId, kStrDataIsBlank);
        const std::optional<NameFault> bad = fault({QStringLiteral("ab c")});
        ASSERT_TRUE(bad);
        EXPECT_EQ(bad->stringId, kStrValidNameCharacters);
        EXPECT_EQ(bad->position, 2);
        const std::optional<NameFault> twice = fault({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("x")});
        ASSERT_TRUE(twice);
        EXPECT_EQ(twice->index, 2u);
        EXPECT_EQ(twice->stringId, kStrDataIsDuplicated);
    }
}

// A group's name is taken trimmed; a filter's as typed, where a blank at either end is a character refused.
TEST(PktFilterValuesTest, AFiltersNameIsTakenAsTypedAndAGroupsTrimmed)
{
    const std::vector<QString> names = {QStringLiteral("x"), QStringLiteral("x "), QStringLiteral("  ")};
    const std::optional<NameFault> filter = FirstNameFault(names, NameEnds::kAsTyped);
    ASSERT_TRUE(filter);
    EXPECT_EQ(filter->index, 1u);
    EXPECT_EQ(filter->stringId, kStrValidNameCharacters);
    EXPECT_EQ(filter->position, 1);
    const std::optional<NameFault> spaces = FirstNameFault({QStringLiteral("  ")}, NameEnds::kAsTyped);
    ASSERT_TRUE(spaces);
    EXPECT_EQ(spaces->stringId, kStrValidNameCharacters);
    EXPECT_EQ(spaces->position, 0);

    const std::optional<NameFault> group = FirstNameFault(names, NameEnds::kTrimmed);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->index, 2u) << "the blank name comes before the repeated one";
    EXPECT_EQ(group->stringId, kStrDataIsBlank);
    const std::optional<NameFault> repeated =
        FirstNameFault({QStringLiteral("x"), QStringLiteral(" x ")}, NameEnds::kTrimmed);
    ASSERT_TRUE(repeated);
    EXPECT_EQ(repeated->index, 1u);
    EXPECT_EQ(repeated->stringId, kStrDataIsDuplicated);
}

} // namespace
