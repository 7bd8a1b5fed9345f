#pragma once
// The fixture of the end-to-end tests that work on the simulated NE in direct mode: the NE agent started, the
// program logged in to it with the NE's private community, and the NE chosen in the tree; at the end every dialog a
// test scripted has come up.
//
//     class TrunkDirectE2eTest : public e2e::CDirectNeTest {};
//     TEST_F(TrunkDirectE2eTest, ...) { program_.Operator().OnDialog<...>(...); program_.Command(...); }

#include "tests/e2e/support/e2e_harness.h"

#include <gtest/gtest.h>

namespace e2e {

class CDirectNeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program_.LoginToTheNe());
    }
    void TearDown() override { EXPECT_EQ(program_.Operator().UnusedDialogScripts(), 0u); }

    CProgram program_;
};

} // namespace e2e
