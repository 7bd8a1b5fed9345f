// The IGMP setting as the combined dialog shows it and writes it back: values out of range show their nearer end, a
// mode other than snooping or proxy is disabled and written as such, a version other than v3 or Auto is IGMPv2.

#include "features/provisioning/igmp/igmp_values.h"
#include "link/records/igmp_setting_rec.h"

#include <gtest/gtest.h>

namespace {

IgmpSettingRec Record(uint32_t mode, uint32_t aging, uint8_t retries, uint32_t interval, uint32_t version)
{
    IgmpSettingRec rec;
    rec.mode = mode;
    rec.snoopingAgingTime = aging;
    rec.snoopingQueryRetries = retries;
    rec.proxyQueryRetries = retries;
    rec.snoopingQueryResponseInterval = interval;
    rec.proxyQueryResponseInterval = interval;
    rec.snoopingImmediateLeave = 1;
    rec.proxyImmediateLeave = 0;
    rec.queryVersion = version;
    rec.reportVersion = version;
    return rec;
}

TEST(IgmpValues, ReadingKeepsEveryFieldInItsRangeAndWritingSendsWhatIsShown)
{
    struct Row {
        const char* what;
        IgmpSettingRec read;
        IgmpSettingRec written;
    };
    const Row rows[] = {
        {"in range", Record(1, 30, 2, 100, 2), Record(1, 30, 2, 100, 2)},
        {"mode 0 shows Disabled and is written as 3", Record(0, 30, 2, 100, 2), Record(3, 30, 2, 100, 2)},
        {"an unknown mode likewise", Record(7, 30, 2, 100, 2), Record(3, 30, 2, 100, 2)},
        {"proxy", Record(2, 30, 2, 100, 3), Record(2, 30, 2, 100, 3)},
        {"zeros take the lowest", Record(1, 0, 0, 0, 100), Record(1, 1, 1, 1, 100)},
        {"too much takes the highest", Record(1, 601, 6, 6001, 2), Record(1, 600, 5, 6000, 2)},
        {"versions 1 and 4 are IGMPv2", Record(1, 30, 2, 100, 1), Record(1, 30, 2, 100, 2)},
        {"version 4", Record(1, 30, 2, 100, 4), Record(1, 30, 2, 100, 2)},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IgmpRecordOf(IgmpValuesOf(row.read)), row.written) << row.what;
    }
}

TEST(IgmpValues, ImmediateLeaveIsOnOnlyForOne)
{
    IgmpSettingRec rec = Record(1, 30, 2, 100, 2);
    rec.snoopingImmediateLeave = 5;
    rec.proxyImmediateLeave = 1;
    const IgmpSettingValues values = IgmpValuesOf(rec);
    EXPECT_EQ(values.snoopingImmediateLeave, 0);
    EXPECT_EQ(values.proxyImmediateLeave, 1);
}

} // namespace
