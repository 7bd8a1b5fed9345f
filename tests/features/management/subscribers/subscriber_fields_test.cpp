// The subscriber dialogs' fields: the search patterns and the class and service choices.

#include "features/management/subscribers/subscriber_fields.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PatternRow {
    std::string typed;
    bool substring;
    std::string sent;
};

class SubscriberPatterns : public ::testing::TestWithParam<PatternRow> {};

TEST_P(SubscriberPatterns, AreSentAsTheServerReadsThem)
{
    EXPECT_EQ(SubscriberPattern(GetParam().typed, GetParam().substring), GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(Rows, SubscriberPatterns,
                         ::testing::Values(PatternRow{"", false, ""}, PatternRow{"", true, "*"},
                                           PatternRow{"SUB-42", false, "SUB-42"}, PatternRow{"SUB-42", true, "*SUB-42"},
                                           PatternRow{std::string(19, 'x'), true, "*" + std::string(19, 'x')},
                                           // A whole ID fills the field: no star fits, and none is needed.
                                           PatternRow{std::string(20, 'x'), true, std::string(20, 'x')},
                                           PatternRow{std::string(20, 'x'), false, std::string(20, 'x')}));

TEST(SubscriberChoices, ClassRadiosAndRecordsMapBothWays)
{
    EXPECT_EQ(ClassRadioOf(kSubscriberEnterprise), 1);
    EXPECT_EQ(ClassRadioOf(kSubscriberHome), 0);
    EXPECT_EQ(ClassRadioOf(0), 0) << "an unknown class shows Home User";
    EXPECT_EQ(ClassRadioOf(7), 0);
    EXPECT_EQ(ClassOfRadio(0), kSubscriberHome);
    EXPECT_EQ(ClassOfRadio(1), kSubscriberEnterprise);
}

TEST(SubscriberChoices, ServiceRadiosAndRecordsMapBothWays)
{
    EXPECT_EQ(ServiceRadioOf(kServicePppoe), 0);
    EXPECT_EQ(ServiceRadioOf(kServiceFixedIp), 1);
    EXPECT_EQ(ServiceRadioOf(kServiceDhcp), 2);
    EXPECT_EQ(ServiceRadioOf(0), 1) << "an unknown service shows Fixed-IP";
    for (int radio = 0; radio < 3; ++radio)
        EXPECT_EQ(ServiceRadioOf(ServiceOfRadio(radio)), radio);
}

} // namespace
