#pragma once
// The fixture of the end-to-end tests that work on North-1 of the simulated server's world as its admin: the program
// logged in with North-1 chosen in the tree, and at the end every dialog a test scripted has come up.
//
//     class DhcpE2eTest : public e2e::CNorth1Test {};
//     TEST_F(DhcpE2eTest, ...) { program_.Command(...); program_.ServerRecords(kReqDhcp, e2e::kNorth1); }

#include "tests/e2e/support/e2e_harness.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace e2e {

inline constexpr uint32_t kNorth1 = 1; // North-1's NE id

class CNorth1Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program_.LoginAsAdminAt(QStringLiteral("North-1")));
    }
    void TearDown() override { EXPECT_EQ(program_.Operator().UnusedDialogScripts(), 0u); }

    CProgram program_;
};

} // namespace e2e
