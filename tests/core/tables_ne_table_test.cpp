#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CNeRecord MakeNe(uint32_t id, const std::string& name, IpAddress address, uint16_t port = 161)
{
    CNeRecord ne;
    ne.neId = id;
    ne.name = name;
    ne.address = address;
    ne.port = port;
    return ne;
}

std::vector<std::string> NamesInOrder(const CNeTable& table)
{
    std::vector<std::string> names;
    for (CNeRecord* ne = table.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        names.push_back(ne->name);
    }
    return names;
}

TEST(NeTable, LooksUpByIdNameAndAddressWithPort)
{
    CNeTable table;
    CNeRecord* added = nullptr;
    ASSERT_EQ(table.AddNe(MakeNe(5, "Alpha", {10, 0, 0, 5}), &added), NeResult::kOk);
    ASSERT_NE(added, nullptr);
    ASSERT_EQ(table.AddNe(MakeNe(3, "Beta", {10, 0, 0, 5}, 1161)), NeResult::kOk);

    EXPECT_EQ(table.FindNeById(5), added);
    EXPECT_EQ(table.FindNeByName("Alpha"), added);
    EXPECT_EQ(table.FindNeByAddress({10, 0, 0, 5}, 161), added);
    EXPECT_EQ(table.FindNeByAddress({10, 0, 0, 5}, 1161)->neId, 3u);
    EXPECT_EQ(table.FindNeByAddress({10, 0, 0, 5}, 162), nullptr);
    EXPECT_EQ(table.FindNeByAddress({10, 0, 0, 6}, 161), nullptr);
    EXPECT_EQ(table.FindNeByName("alpha"), nullptr);
    EXPECT_EQ(table.FindNeById(4), nullptr);
    EXPECT_EQ(table.ResolveNeRecord(added), added);
    EXPECT_EQ(table.Count(), 2u);
}

struct DuplicateRow {
    const char* what;
    uint32_t id;
    const char* name;
    IpAddress address;
    uint16_t port;
    NeResult result;
};

class NeTableDuplicates : public ::testing::TestWithParam<DuplicateRow> {};

TEST_P(NeTableDuplicates, AreRefusedAndChangeNothing)
{
    const DuplicateRow& row = GetParam();
    CNeTable table;
    ASSERT_EQ(table.AddNe(MakeNe(1, "Core", {192, 168, 1, 1})), NeResult::kOk);
    EXPECT_EQ(table.AddNe(MakeNe(row.id, row.name, row.address, row.port)), row.result) << row.what;
    const size_t expected = row.result == NeResult::kOk ? 2 : 1;
    EXPECT_EQ(table.Count(), expected);
    EXPECT_EQ(NamesInOrder(table).size(), expected);
    EXPECT_EQ(table.FindNeByName("Core")->neId, 1u);
    EXPECT_EQ(table.FindNeByAddress({192, 168, 1, 1}, 161)->neId, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NeTableDuplicates,
    ::testing::Values(DuplicateRow{"id", 1, "Edge", {192, 168, 1, 2}, 161, NeResult::kDuplicateId},
                      DuplicateRow{"name", 2, "Core", {192, 168, 1, 2}, 161, NeResult::kDuplicateName},
                      DuplicateRow{"address and port", 2, "Edge", {192, 168, 1, 1}, 161, NeResult::kDuplicateAddress},
                      DuplicateRow{"id 0", 0, "Edge", {192, 168, 1, 2}, 161, NeResult::kInvalidId},
                      // A name the same but for case is another name; another port is another address.
                      DuplicateRow{"case", 2, "CORE", {192, 168, 1, 2}, 161, NeResult::kOk},
                      DuplicateRow{"port", 2, "Edge", {192, 168, 1, 1}, 1161, NeResult::kOk}));

TEST(NeTable, NameChainFollowsNameOrderThroughInsertsAndRemovals)
{
    CNeTable table;
    const char* names[] = {"node-10", "Bravo", "alpha", "Charlie", "node-2", "ALPHA"};
    uint8_t host = 1;
    uint32_t id = 100;
    for (const char* name : names) {
        ASSERT_EQ(table.AddNe(MakeNe(id--, name, {10, 1, 1, host++})), NeResult::kOk);
    }
    EXPECT_EQ(NamesInOrder(table),
              (std::vector<std::string>{"ALPHA", "alpha", "Bravo", "Charlie", "node-10", "node-2"}));

    ASSERT_EQ(table.RemoveNe(table.FindNeByName("ALPHA")->neId), NeResult::kOk);   // first
    ASSERT_EQ(table.RemoveNe(table.FindNeByName("Charlie")->neId), NeResult::kOk); // middle
    ASSERT_EQ(table.RemoveNe(table.FindNeByName("node-2")->neId), NeResult::kOk);  // last
    EXPECT_EQ(NamesInOrder(table), (std::vector<std::string>{"alpha", "Bravo", "node-10"}));
    EXPECT_EQ(table.FindNeByName("node-10")->GetNext(), nullptr);
    EXPECT_EQ(table.RemoveNe(12345), NeResult::kNotFound);

    // The freed keys can be used again.
    EXPECT_EQ(table.AddNe(MakeNe(1, "Charlie", {10, 1, 1, 4})), NeResult::kOk);
    EXPECT_EQ(NamesInOrder(table), (std::vector<std::string>{"alpha", "Bravo", "Charlie", "node-10"}));

    table.ClearNeTable();
    EXPECT_EQ(table.ResolveNeRecord(nullptr), nullptr);
    EXPECT_EQ(table.FindNeById(1), nullptr);
    EXPECT_EQ(table.Count(), 0u);
}

TEST(NeTable, CountsTheRecordsItLetsGoAndNothingElse)
{
    CNeTable table;
    ASSERT_EQ(table.AddNe(MakeNe(1, "One", {10, 0, 0, 1})), NeResult::kOk);
    ASSERT_EQ(table.AddNe(MakeNe(2, "Two", {10, 0, 0, 2})), NeResult::kOk);
    ASSERT_EQ(table.AddNe(MakeNe(3, "Three", {10, 0, 0, 3})), NeResult::kOk);
    EXPECT_EQ(table.RemovalCount(), 0u);

    // Adds, renames, new addresses and refused removals let nothing go.
    ASSERT_EQ(table.RenameNe(1, "Uno"), NeResult::kOk);
    ASSERT_EQ(table.SetNeAddress(2, {10, 0, 0, 9}, 161), NeResult::kOk);
    ASSERT_EQ(table.RemoveNe(7), NeResult::kNotFound);
    EXPECT_EQ(table.RemovalCount(), 0u);

    ASSERT_EQ(table.RemoveNe(2), NeResult::kOk);
    EXPECT_EQ(table.RemovalCount(), 1u);
    // A record that comes back under the same id is another record: the count does not go back.
    ASSERT_EQ(table.AddNe(MakeNe(2, "Two", {10, 0, 0, 2})), NeResult::kOk);
    EXPECT_EQ(table.RemovalCount(), 1u);
    table.ClearNeTable();
    EXPECT_EQ(table.RemovalCount(), 4u);
    table.ClearNeTable();
    EXPECT_EQ(table.RemovalCount(), 4u);
}

TEST(NeTable, RenameAndReaddressKeepTheIndexes)
{
    CNeTable table;
    ASSERT_EQ(table.AddNe(MakeNe(1, "A", {10, 0, 0, 1})), NeResult::kOk);
    ASSERT_EQ(table.AddNe(MakeNe(2, "B", {10, 0, 0, 2})), NeResult::kOk);
    ASSERT_EQ(table.AddNe(MakeNe(3, "C", {10, 0, 0, 3})), NeResult::kOk);

    EXPECT_EQ(table.RenameNe(1, "B"), NeResult::kDuplicateName);
    EXPECT_EQ(table.RenameNe(1, "Z"), NeResult::kOk);
    EXPECT_EQ(table.FindNeByName("A"), nullptr);
    EXPECT_EQ(table.FindNeByName("Z")->neId, 1u);
    EXPECT_EQ(NamesInOrder(table), (std::vector<std::string>{"B", "C", "Z"}));
    EXPECT_EQ(table.RenameNe(9, "Q"), NeResult::kNotFound);

    EXPECT_EQ(table.SetNeAddress(1, {10, 0, 0, 2}, 161), NeResult::kDuplicateAddress);
    EXPECT_EQ(table.FindNeById(1)->address, (IpAddress{10, 0, 0, 1}));
    EXPECT_EQ(table.SetNeAddress(1, {10, 0, 0, 2}, 162), NeResult::kOk);
    EXPECT_EQ(table.FindNeByAddress({10, 0, 0, 1}, 161), nullptr);
    EXPECT_EQ(table.FindNeByAddress({10, 0, 0, 2}, 162)->neId, 1u);
    // The freed address is free for another NE.
    EXPECT_EQ(table.AddNe(MakeNe(4, "D", {10, 0, 0, 1})), NeResult::kOk);
}

TEST(NeTable, AddedCopyIsCutMarkedInUseAndGetsItsTree)
{
    CNeTable table;
    CNeRecord ne = MakeNe(8, std::string(25, 'n'), {172, 16, 0, 9});
    ne.inUse = 0;
    ne.loginUser = std::string(20, 'u');
    ne.loginPassword = std::string(20, 'p');
    ne.community = std::string(30, 'c');
    ne.neModelId = 424242; // unknown: the root alone
    CNeRecord* added = nullptr;
    ASSERT_EQ(table.AddNe(ne, &added), NeResult::kOk);
    EXPECT_NE(added, &ne);
    EXPECT_EQ(added->name, std::string(20, 'n'));
    EXPECT_EQ(added->loginUser, std::string(16, 'u'));
    EXPECT_EQ(added->loginPassword, std::string(16, 'p'));
    EXPECT_EQ(added->community, std::string(20, 'c'));
    EXPECT_EQ(added->inUse, 1u);
    ASSERT_NE(added->root, nullptr);
    EXPECT_EQ(added->root->GetType(), 424242u);
    EXPECT_EQ(added->GetIpText(), "172.16.0.9");
    // The cut name is the key.
    EXPECT_EQ(table.FindNeByName(std::string(20, 'n')), added);
}

TEST(NeRecord, AssignmentKeepsTheTableLink)
{
    CNeTable table;
    ASSERT_EQ(table.AddNe(MakeNe(1, "A", {10, 0, 0, 1})), NeResult::kOk);
    ASSERT_EQ(table.AddNe(MakeNe(2, "B", {10, 0, 0, 2})), NeResult::kOk);
    CNeRecord* a = table.FindNeById(1);
    CNeRecord values(*a);
    EXPECT_EQ(values.GetNext(), nullptr);
    values.locationId = 77;
    *a = values;
    EXPECT_EQ(a->locationId, 77u);
    EXPECT_EQ(a->GetNext(), table.FindNeById(2));
}

} // namespace
