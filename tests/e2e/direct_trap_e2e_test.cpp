// An NE's trap that reports a severity alone, sent by net-snmp's snmptrap to the running program in direct mode: the
// entity takes the severity and keeps its type, its children and the tree's shelves.

#include "tests/e2e/support/e2e_harness.h"

#include "core/config/app_settings.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DirectTrapE2eTest, ASeverityOnlyTrapKeepsTheShelfAndItsSubtree)
{
    if (!snmp_test::ToolExists("/usr/bin/snmptrap"))
        GTEST_SKIP() << "net-snmp's snmptrap is not installed";
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    ASSERT_NE(program.TreeItem(QStringLiteral("shelf:1")), nullptr);

    const uint32_t shelfId = 10000;
    CEntityNode* shelf = AppData().nes.FindNeById(1)->root->FindById(shelfId);
    ASSERT_NE(shelf, nullptr);
    const uint32_t type = shelf->GetType();
    const int children = shelf->GetChildCount();
    ASSERT_GT(children, 0);

    // The entityStateChange notification with only the severity column of the shelf's state row.
    const std::string target = "127.0.0.1:" + std::to_string(AppSettings().snmpTrapPort);
    std::string output;
    const std::vector<std::string> trap = {"/usr/bin/snmptrap",
                                           "-v",
                                           "2c",
                                           "-c",
                                           "private",
                                           target,
                                           "",
                                           "1.3.6.1.4.1.32473.1.0.1",
                                           "1.3.6.1.4.1.32473.1.325.1.3." + std::to_string(shelfId),
                                           "i",
                                           "2"};
    ASSERT_EQ(snmp_test::RunCommand(trap, &output), 0) << output;
    ASSERT_TRUE(program.WaitUntil([&] {
        const CEntityNode* node = AppData().nes.FindNeById(1)->root->FindById(shelfId);
        return node != nullptr && node->severity == 2;
    }));
    shelf = AppData().nes.FindNeById(1)->root->FindById(shelfId);
    EXPECT_EQ(shelf->GetType(), type);
    EXPECT_EQ(shelf->GetChildCount(), children);
    program.Settle();
    EXPECT_NE(program.TreeItem(QStringLiteral("shelf:1")), nullptr);
}

} // namespace
