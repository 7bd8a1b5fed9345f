#pragma once
// The fixture of the tests that work on North-1's first line card against the simulated server: logged in as admin,
// North-1 chosen in the tree and its card in slot 1 the main frame's current entity; each test ends with every dialog
// script it queued used.

#include "tests/e2e/support/e2e_harness.h"

#include "ui/shell/frame/main_frame.h"

#include <gtest/gtest.h>

namespace e2e {

class CNorth1CardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program_.StartServer());
        ASSERT_TRUE(program_.Login("admin", "admin"));
        program_.ClickTreeItem(program_.TreeItem(QStringLiteral("North-1")));
        const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 1);
        program_.Frame().SetCurrentEntity(kNorth1NeId, &card);
    }
    void TearDown() override { EXPECT_EQ(program_.Operator().UnusedDialogScripts(), 0u); }

    static constexpr uint32_t kNorth1NeId = 1;
    CProgram program_;
};

} // namespace e2e
