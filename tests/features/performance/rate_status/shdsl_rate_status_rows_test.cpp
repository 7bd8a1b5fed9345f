// The values of the SHDSL rate status rows: rates in kbit/s with the remainder dropped, the transmission mode by its
// annex, margins and attenuations as received, unsigned.

#include "features/performance/rate_status/shdsl_rate_status_rows.h"

#include <gtest/gtest.h>

namespace {

TEST(ShdslRateStatusRowsTest, TheValuesFollowTheItemsOrder)
{
    const ShdslRateStatusRec rec{10201, 0xC0, 2312999, 2312000, 12, 9, 30, 31};
    EXPECT_EQ(ShdslRateStatusValues(rec),
              (std::vector<std::string>{"2312", "2312", "Annex A & B", "12", "30", "9", "31"}));
}

TEST(ShdslRateStatusRowsTest, TheModeNamesItsAnnexAndAnyOtherValueShowsDashes)
{
    const std::pair<uint32_t, const char*> cases[] = {
        {0x40, "Annex B"}, {0x80, "Annex A"}, {0xC0, "Annex A & B"}, {0, "--"}, {0x41, "--"}};
    for (const auto& [mode, text] : cases) {
        ShdslRateStatusRec rec;
        rec.mode = mode;
        EXPECT_EQ(ShdslRateStatusValues(rec)[2], text) << mode;
    }
}

TEST(ShdslRateStatusRowsTest, MarginsAndAttenuationsShowAsUnsignedNumbersAsReceived)
{
    ShdslRateStatusRec rec;
    rec.stucSnrMargin = 0xFFFFFFFD;
    rec.sturAttenuation = 0x80000000;
    const std::vector<std::string> values = ShdslRateStatusValues(rec);
    EXPECT_EQ(values[3], "4294967293");
    EXPECT_EQ(values[6], "2147483648");
}

} // namespace
