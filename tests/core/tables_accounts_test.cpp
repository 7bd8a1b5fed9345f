#include "core/tables/account_list.h"
#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CUserAccount Account(const std::string& name, int role = kRoleUser, uint32_t locationId = 0)
{
    CUserAccount account;
    account.name = name;
    account.role = role;
    account.locationId = locationId;
    return account;
}

std::vector<std::string> Names(const CAccountList& list)
{
    std::vector<std::string> names;
    for (CUserAccount* a = list.FindUserAccount(nullptr); a != nullptr; a = a->GetNext()) {
        names.push_back(a->name);
    }
    return names;
}

struct LetterRow {
    const char* text;
    int role;
};

class RoleLetters : public ::testing::TestWithParam<LetterRow> {};

TEST_P(RoleLetters, MapToRoles)
{
    EXPECT_EQ(RoleIndexFromLetter(GetParam().text), GetParam().role);
}

INSTANTIATE_TEST_SUITE_P(Rows, RoleLetters,
                         ::testing::Values(LetterRow{"A", kRoleAdministrator}, LetterRow{"B", kRoleManager},
                                           LetterRow{"C", kRoleUser}, LetterRow{"a", kRoleNone},
                                           LetterRow{"c", kRoleNone}, LetterRow{"D", kRoleNone},
                                           LetterRow{"AB", kRoleNone}, LetterRow{"A ", kRoleNone},
                                           LetterRow{" A", kRoleNone}, LetterRow{"", kRoleNone},
                                           LetterRow{nullptr, kRoleNone}));

TEST(CompareRoles, EveryPairOfRoles)
{
    // Rows: my role -1, 0, 1, 2, 3; columns: the other role -1, 0, 1, 2, 3.
    const int roles[] = {-1, 0, 1, 2, 3};
    const int expected[5][5] = {
        {0, -1, -1, -1, 0}, // no role of mine: equal to no role, below every role
        {1, 0, 1, 1, 1},    // Administrator
        {1, -1, 0, 1, 1},   // Manager
        {1, -1, -1, 0, 1},  // User
        {0, -1, -1, -1, 0}, // an unknown role of mine counts as none
    };
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j) {
            EXPECT_EQ(CompareRoles(roles[i], roles[j]), expected[i][j]) << "mine " << roles[i] << " other " << roles[j];
        }
    }
}

TEST(AccountList, KeepsNameOrderAndLinks)
{
    CAccountList list;
    for (const char* name : {"oscar", "Mike", "alpha", "Zulu", "ALPHA", "mike"}) {
        ASSERT_NE(list.UpsertAccount(Account(name)), nullptr);
    }
    EXPECT_EQ(Names(list), (std::vector<std::string>{"ALPHA", "alpha", "Mike", "mike", "oscar", "Zulu"}));
    EXPECT_EQ(list.Count(), 6u);

    EXPECT_TRUE(list.RemoveAccount("ALPHA"));
    EXPECT_TRUE(list.RemoveAccount("mike"));
    EXPECT_TRUE(list.RemoveAccount("Zulu"));
    EXPECT_FALSE(list.RemoveAccount("Zulu"));
    EXPECT_FALSE(list.RemoveAccount("OSCAR"));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"alpha", "Mike", "oscar"}));
    EXPECT_EQ(list.FindUserAccount("oscar")->GetNext(), nullptr);

    ASSERT_NE(list.UpsertAccount(Account("nina")), nullptr);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"alpha", "Mike", "nina", "oscar"}));

    list.Clear();
    EXPECT_EQ(list.FindUserAccount(nullptr), nullptr);
}

TEST(AccountList, UpsertReplacesValuesCutsTextsAndMarksActive)
{
    CAccountList list;
    CUserAccount values = Account("operator-one-long", kRoleManager, 5);
    values.fullName = std::string(25, 'f');
    values.address = std::string(70, 'a');
    values.passwordDigest = std::string(12, 'd');
    CUserAccount* account = list.UpsertAccount(values);
    ASSERT_NE(account, nullptr);
    EXPECT_EQ(account->name, "operator-o");
    EXPECT_EQ(account->fullName.size(), 20u);
    EXPECT_EQ(account->address.size(), 60u);
    EXPECT_EQ(account->passwordDigest.size(), 10u);
    EXPECT_EQ(account->active, 1u);
    EXPECT_EQ(list.FindUserAccount("operator-o"), account);
    EXPECT_EQ(list.FindUserAccount("operator-one-long"), nullptr);

    account->inScope = 0;
    CUserAccount changed = Account("operator-o", kRoleUser, 6);
    changed.comment = "moved";
    EXPECT_EQ(list.UpsertAccount(changed), account);
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_EQ(account->role, kRoleUser);
    EXPECT_EQ(account->locationId, 6u);
    EXPECT_EQ(account->comment, "moved");
    EXPECT_EQ(account->inScope, 0u); // the scope marking is kept

    EXPECT_EQ(list.UpsertAccount(Account("")), nullptr);
    EXPECT_EQ(list.Count(), 1u);
}

TEST(AccountList, LocationNameIsEmptyWhenTheLocationIsUnknown)
{
    CLocationTree tree;
    CLocationNode site;
    site.id = 4;
    site.name = "Depot";
    ASSERT_EQ(tree.UpsertLocation(site), LocationResult::kOk);
    EXPECT_EQ(Account("a", kRoleUser, 4).GetLocationName(tree), "Depot");
    EXPECT_EQ(Account("a", kRoleUser, 5).GetLocationName(tree), "");
    EXPECT_EQ(Account("a", kRoleUser, 0).GetLocationName(tree), "<Root>");
}

// Who may open, change or delete whose account: the rows are the operator's role and name, the account's role and
// name, and the answer.
struct ManageRow {
    int myRole;
    const char* myName;
    int otherRole;
    const char* otherName;
    bool may;
};

class ManageAccounts : public ::testing::TestWithParam<ManageRow> {};

TEST_P(ManageAccounts, FollowTheRoles)
{
    const ManageRow& row = GetParam();
    EXPECT_EQ(MayManageAccount(row.myRole, row.myName, row.otherRole, row.otherName), row.may);
}

INSTANTIATE_TEST_SUITE_P(Rows, ManageAccounts,
                         ::testing::Values(ManageRow{kRoleAdministrator, "admin", kRoleAdministrator, "root", true},
                                           ManageRow{kRoleAdministrator, "admin", kRoleManager, "shift", true},
                                           ManageRow{kRoleAdministrator, "admin", kRoleNone, "odd", true},
                                           ManageRow{kRoleManager, "shift", kRoleAdministrator, "admin", false},
                                           ManageRow{kRoleManager, "shift", kRoleManager, "night", false},
                                           ManageRow{kRoleManager, "shift", kRoleManager, "shift", true},
                                           ManageRow{kRoleManager, "shift", kRoleManager, "SHIFT", false},
                                           ManageRow{kRoleManager, "shift", kRoleUser, "north", true},
                                           ManageRow{kRoleManager, "shift", kRoleNone, "odd", true},
                                           ManageRow{kRoleUser, "north", kRoleUser, "north", true},
                                           ManageRow{kRoleUser, "north", kRoleUser, "south", false},
                                           ManageRow{kRoleUser, "north", kRoleManager, "shift", false},
                                           ManageRow{kRoleNone, "odd", kRoleUser, "north", false},
                                           ManageRow{kRoleNone, "odd", kRoleNone, "odd", true}));

TEST(MayGiveRole, ByTheOperatorsRoleAndWhoseAccountItIs)
{
    // Rows: my role 0, 1, 2, -1; columns: the role given 0, 1, 2, -1; each for another's account, then my own.
    const int mine[] = {kRoleAdministrator, kRoleManager, kRoleUser, kRoleNone};
    const int given[] = {kRoleAdministrator, kRoleManager, kRoleUser, kRoleNone};
    const bool others[4][4] = {{true, true, true, false},
                               {false, false, true, false},
                               {false, false, false, false},
                               {false, false, false, false}};
    const bool own[4][4] = {{true, true, true, false},
                            {false, true, true, false},
                            {false, false, true, false},
                            {false, false, false, false}};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(MayGiveRole(mine[i], given[j], false), others[i][j]) << mine[i] << " gives " << given[j];
            EXPECT_EQ(MayGiveRole(mine[i], given[j], true), own[i][j]) << mine[i] << " gives itself " << given[j];
        }
    }
}

TEST(PasswordDigestText, IsTheFirstTenHexDigitsOfTheMd5)
{
    // RFC 1321 test vectors, cut to ten digits.
    EXPECT_EQ(PasswordDigestText(""), "d41d8cd98f");
    EXPECT_EQ(PasswordDigestText("a"), "0cc175b9c0");
    EXPECT_EQ(PasswordDigestText("message digest"), "f96b697d7c");
    EXPECT_EQ(PasswordDigestText("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
              "57edf4a22b");
}

} // namespace
