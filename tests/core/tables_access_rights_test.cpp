#include "core/tables/access_rights.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class AccessRightsTest : public ::testing::Test {
protected:
    void SetUp() override { ClearUserRights(); }
    void TearDown() override { ClearUserRights(); }
};

TEST_F(AccessRightsTest, StoredLetterGrantsTheWantedLettersOfItsRank)
{
    struct Row {
        char stored;
        const char* granted;
    };
    const Row rows[] = {
        {'q', "q"}, {'m', "qm"}, {'c', "qmc"}, {'d', "qmcd"}, {'a', "qmcdx"}, {'-', ""}, {'x', ""}, {'Q', ""},
    };
    for (const Row& row : rows) {
        const std::string text(5, row.stored);
        ASSERT_EQ(SetUserRights(1, text.c_str()), 0);
        for (char wanted : std::string("qmcdxa-")) {
            const bool expected = std::string(row.granted).find(wanted) != std::string::npos;
            EXPECT_EQ(CheckUserRight(1, 3, wanted), expected ? 1 : 0)
                << "stored " << row.stored << " wanted " << wanted;
        }
    }
}

TEST_F(AccessRightsTest, EverythingIsDeniedBeforeRightsArrive)
{
    for (int role = 0; role < kRightsRoleCount; ++role) {
        for (int function = 0; function < kRightsFunctionCount; ++function)
            ASSERT_EQ(CheckUserRight(role, function, 'q'), 0) << role << "/" << function;
    }
}

TEST_F(AccessRightsTest, IndexBeyondTheLettersIsDeniedEvenForAFullTable)
{
    const std::string all(200, 'a');
    SetAllUserRights(all.c_str(), all.c_str(), all.c_str());
    EXPECT_EQ(CheckUserRight(0, 126, 'x'), 1);
    EXPECT_EQ(CheckUserRight(0, 127, 'q'), 0);
    EXPECT_EQ(CheckUserRight(0, 128, 'q'), 0);
    EXPECT_EQ(CheckUserRight(0, -1, 'q'), 0);
    // The text is cut to 127 letters; the terminator stays.
    EXPECT_EQ((*GetRightsTable(0))[126], 'a');
    EXPECT_EQ((*GetRightsTable(0))[127], '\0');
}

TEST_F(AccessRightsTest, BadRolesAndTextsAreRefused)
{
    EXPECT_EQ(GetRightsTable(-1), nullptr);
    EXPECT_EQ(GetRightsTable(3), nullptr);
    EXPECT_EQ(SetUserRights(3, "aaaa"), -1);
    EXPECT_EQ(SetUserRights(-1, "aaaa"), -1);
    EXPECT_EQ(SetUserRights(0, nullptr), -1);
    EXPECT_EQ(CheckUserRight(3, 0, 'q'), 0);
    EXPECT_EQ(CheckUserRight(-1, 0, 'q'), 0);
    // A null text among the three leaves that role's table as it was.
    ASSERT_EQ(SetUserRights(1, "mm"), 0);
    EXPECT_EQ(SetAllUserRights("aa", nullptr, "qq"), 0);
    EXPECT_EQ(CheckUserRight(0, 1, 'x'), 1);
    EXPECT_EQ(CheckUserRight(1, 1, 'm'), 1);
    EXPECT_EQ(CheckUserRight(2, 1, 'q'), 1);
}

TEST_F(AccessRightsTest, ShortTextLeavesTheRestWithoutRights)
{
    ASSERT_EQ(SetUserRights(2, "qqqqqqqqqq"), 0);
    EXPECT_EQ(CheckUserRight(2, 9, 'q'), 1);
    for (int function = 10; function < 127; ++function)
        EXPECT_EQ((*GetRightsTable(2))[static_cast<size_t>(function)], '-') << function;
    // A new text replaces the whole table, not only its start.
    ASSERT_EQ(SetUserRights(2, "m"), 0);
    EXPECT_EQ(CheckUserRight(2, 0, 'm'), 1);
    EXPECT_EQ(CheckUserRight(2, 5, 'q'), 0);
}

} // namespace
