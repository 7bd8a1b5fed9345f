// What a profile list page sends to delete a profile: the profile's name, every other field 0; a multicast channel
// profile, named by its id, its id too.

#include "tests/platform/qt_test_app.h"

#include "features/provisioning/profiles/shdsl_line_profile_list_page.h"
#include "features/provisioning/profiles/shdsl_pm_threshold_list_page.h"
#include "features/provisioning/profiles/xdsl_mc_channel_profile_list_page.h"
#include "features/provisioning/profiles/xdsl_pm_threshold_list_page.h"

#include <gtest/gtest.h>

namespace {

template <class Page> class KeyOf : public Page {
public:
    using Page::DeleteKeyOf;
};

TEST(ProfileDeleteKey, AProfileIsDeletedByItsNameAlone)
{
    ShdslLineProfileRec line;
    line.name = "shdsl-2m";
    line.wireInterface = 2;
    line.minRate = 72000;
    line.maxRate = 2312000;
    line.annex = 0xC0;
    line.rowState = 1;
    ShdslLineProfileRec lineKey;
    lineKey.name = "shdsl-2m";
    EXPECT_EQ(KeyOf<CShdslLineProfileListPage>().DeleteKeyOf(line), lineKey);

    ShdslPmThresholdProfileRec alarm;
    alarm.name = "shdsl-alarm";
    alarm.maxLoopAttenuation = 60;
    alarm.minSnrMargin = 5;
    alarm.es = 30;
    alarm.rowState = 1;
    ShdslPmThresholdProfileRec alarmKey;
    alarmKey.name = "shdsl-alarm";
    EXPECT_EQ(KeyOf<CShdslPmThresholdListPage>().DeleteKeyOf(alarm), alarmKey);

    XdslPmThresholdProfileRec xdsl;
    xdsl.name = "standard";
    xdsl.coEs15Min = 900;
    xdsl.status = 1;
    xdsl.coEsDay = 86400;
    XdslPmThresholdProfileRec xdslKey;
    xdslKey.name = "standard";
    EXPECT_EQ(KeyOf<CXdslPmThresholdListPage>().DeleteKeyOf(xdsl), xdslKey);
}

TEST(ProfileDeleteKey, AChannelProfileIsDeletedByItsIdAndName)
{
    McChannelProfileRec channel;
    channel.profileId = 12;
    channel.name = "news";
    channel.groupAddress = {239, 1, 1, 12};
    channel.downstreamRate = 4000;
    channel.status = 1;
    McChannelProfileRec key;
    key.profileId = 12;
    key.name = "news";
    EXPECT_EQ(KeyOf<CXdslMcChannelProfileListPage>().DeleteKeyOf(channel), key);
}

} // namespace
