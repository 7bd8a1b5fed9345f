// The letters of an LACP operation state, bit 0 first.

#include "features/provisioning/link_agg/lacp_state_letters.h"

#include <gtest/gtest.h>

namespace {

TEST(LacpStateLettersTest, EachSetBitGivesItsLetterInBitOrder)
{
    const std::pair<uint8_t, const char*> cases[] = {
        {0x00, ""},  {0x01, "A"},       {0x3D, "A,G,S,C,D"},   {0xFF, "A,T,G,S,C,D,F,E"},
        {0x80, "E"}, {0xC5, "A,G,F,E"}, {0x3F, "A,T,G,S,C,D"}, {0x42, "T,F"},
    };
    for (const auto& [state, letters] : cases)
        EXPECT_EQ(LacpStateLetters(state), letters) << int{state};
}

} // namespace
