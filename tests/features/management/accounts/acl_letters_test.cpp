// The access control list's letter rules: texts, the boxes a text ticks, the cumulative boxes, the letter of the
// boxes, and what a save sends.

#include "features/management/accounts/acl_letters.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr bool T = true;
constexpr bool F = false;

struct LetterRow {
    char letter;
    const char* text;
    AclBoxes boxes;
};

class AclLetterRows : public ::testing::TestWithParam<LetterRow> {};

TEST_P(AclLetterRows, TextAndBoxesOfAStoredLetter)
{
    const LetterRow& row = GetParam();
    EXPECT_EQ(AclLetterText(row.letter), row.text);
    EXPECT_EQ(AclBoxesOfText(row.text), row.boxes);
    // What the boxes give back is the letter itself, or none for a letter the list cannot show.
    const char back = std::string(row.text).empty() ? '-' : row.letter;
    EXPECT_EQ(AclLetterOfBoxes(row.boxes), back);
}

INSTANTIATE_TEST_SUITE_P(Rows, AclLetterRows,
                         ::testing::Values(LetterRow{'q', "q", {T, F, F, F, F}},
                                           LetterRow{'m', "q + m", {T, T, F, F, F}},
                                           LetterRow{'c', "q + m + c", {T, T, T, F, F}},
                                           LetterRow{'d', "q + m + c + d", {T, T, T, T, F}},
                                           LetterRow{'a', "a", {T, T, T, T, T}}, LetterRow{'x', "", {F, F, F, F, F}},
                                           LetterRow{'-', "", {F, F, F, F, F}}, LetterRow{'\0', "", {F, F, F, F, F}}));

struct ClickRow {
    const char* name;
    AclBoxes before;
    AclBox box;
    bool ticked;
    AclBoxes after;
};

void PrintTo(const ClickRow& row, std::ostream* os)
{
    *os << row.name;
}

class AclBoxClicks : public ::testing::TestWithParam<ClickRow> {};

TEST_P(AclBoxClicks, KeepTheBoxesCumulative)
{
    const ClickRow& row = GetParam();
    EXPECT_EQ(ClickAclBox(row.before, row.box, row.ticked), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AclBoxClicks,
    ::testing::Values(ClickRow{"QueryOffClearsAll", {T, T, T, T, T}, kAclQuery, false, {F, F, F, F, F}},
                      ClickRow{"ModifyOnTicksQuery", {F, T, F, F, F}, kAclModify, true, {T, T, F, F, F}},
                      ClickRow{"ModifyOffClearsAbove", {T, F, T, T, F}, kAclModify, false, {T, F, F, F, F}},
                      ClickRow{"CreateOnTicksBelow", {F, F, T, F, F}, kAclCreate, true, {T, T, T, F, F}},
                      ClickRow{"CreateOffClearsDeleteAndAll", {T, T, F, T, T}, kAclCreate, false, {T, T, F, F, F}},
                      ClickRow{"DeleteOnTicksBelow", {F, F, F, T, F}, kAclDelete, true, {T, T, T, T, F}},
                      ClickRow{"DeleteOffClearsAll", {T, T, T, F, T}, kAclDelete, false, {T, T, T, F, F}},
                      ClickRow{"AllOnTicksAll", {F, F, F, F, T}, kAclAll, true, {T, T, T, T, T}},
                      ClickRow{"AllOffClearsAll", {T, T, T, T, F}, kAclAll, false, {F, F, F, F, F}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AclSaveRecord, SendsTheEditedItemsAndTheHigherOnesAsLoaded)
{
    // Every role held letters past item 59 (cascaded management, the NE file system, the CLI prompt, ...).
    const std::string administrator(127, 'a');
    const std::string manager = std::string(60, 'q') + std::string(67, 'm');
    const std::string user = std::string(65, 'q') + 'c' + std::string(61, '-');
    std::array<std::string, 3> edited = {administrator.substr(0, 60), manager.substr(0, 60), user.substr(0, 60)};
    edited[1][18] = 'd';
    edited[2][0] = '-';

    const UserRightsRecord sent = AclSaveRecord({administrator, manager, user}, edited);
    EXPECT_EQ(sent.rights[0], administrator);
    EXPECT_EQ(sent.rights[1].substr(60), manager.substr(60)) << "items 60..126 kept";
    EXPECT_EQ(sent.rights[1][18], 'd');
    EXPECT_EQ(sent.rights[2][0], '-');
    EXPECT_EQ(sent.rights[2][65], 'c');
    for (const std::string& letters : sent.rights)
        EXPECT_EQ(letters.size(), 127u);
}

TEST(AclSaveRecord, ShortLoadedRightsTakeTheEditedItemsAndNothingMore)
{
    const UserRightsRecord sent =
        AclSaveRecord({"aaa", "", "q"}, {std::string(60, 'q'), std::string(60, '-'), std::string(60, 'm')});
    EXPECT_EQ(sent.rights[0], std::string(60, 'q'));
    EXPECT_EQ(sent.rights[1], std::string(60, '-'));
    EXPECT_EQ(sent.rights[2], std::string(60, 'm'));
}

} // namespace
