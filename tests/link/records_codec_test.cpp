// Golden bytes of every record the direct link carries: encoding gives exactly these bytes, decoding them gives
// the record back, and a buffer one byte short is refused.

#include "link/records/alarm_def_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/entity_state_rec.h"
#include "link/records/ne_alarm_log_range_rec.h"
#include "link/records/ne_alarm_log_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_user_account_record.h"
#include "tests/link/record_golden.h"
#include "tests/link/snmp_test_support.h"

#include <gtest/gtest.h>

namespace {

using snmp_test::Hex;

template <typename Rec> void ExpectGolden(const Rec& rec, const std::string& golden)
{
    record_golden::ExpectGolden(rec, Hex(golden));
}

TEST(RecordsCodec, NeTimeRecord)
{
    NeTimeRecord rec{86400, 946684800, -5, 0};
    ExpectGolden<NeTimeRecord>(rec, "8051010080436d38fbff0000");
}

TEST(RecordsCodec, NeAlarmLogRangeRec)
{
    ExpectGolden<NeAlarmLogRangeRec>({11, 5010}, "0b00000092130000");
}

TEST(RecordsCodec, NeAlarmLogRec)
{
    NeAlarmLogRec rec;
    rec.recordNo = 42;
    rec.entityId = 10203;
    rec.plannedType = 30;
    rec.actualType = 31;
    rec.alarmMask = 0x80000005;
    rec.occurUptime = 3600;
    rec.alarmType = 2;
    ExpectGolden<NeAlarmLogRec>(rec,
                                "2a000000db2700001e0000001f00000005000080100e000002000000000000000000000000000000");
}

TEST(RecordsCodec, NeSnmpCommunityRecord)
{
    ExpectGolden<NeSnmpCommunityRecord>({"private", 2, 1},
                                        "7072697661746500000000000000000000000000000000000200000001000000");
}

TEST(RecordsCodec, NeUserAccountRecord)
{
    ExpectGolden<NeUserAccountRecord>(
        {"qurim", "secret", 2, 1},
        "717572696d000000000000000000000000736563726574000000000000000000000000000200000001000000");
}

TEST(RecordsCodec, NeKeyRecord)
{
    NeKeyRecord rec;
    rec.neId = 1;
    rec.neName = "10.0.0.7";
    rec.ftpUser = "qurim";
    rec.ftpPassword = "pw";
    rec.locationId = 3;
    rec.modelId = 4;
    rec.ipAddress = {10, 0, 0, 7};
    rec.port = 161;
    rec.secondIp = {192, 168, 1, 2};
    rec.snmpCommunity = "public";
    rec.snmpVersion = 1;
    rec.longitude = 121.5F;
    rec.latitude = -33.25F;
    rec.autoSync = 2;
    ExpectGolden<NeKeyRecord>(
        rec, "010000000000000031302e302e302e3700000000000000000000000000717572696d000000000000000000000000707700000000"
             "00000000000000000000000003000000040000000a000007a100c0a80102000000007075626c6963000000000000000000000000"
             "00000000010000000000f342000005c202000000");
}

TEST(RecordsCodec, BoardSettingRec)
{
    BoardSettingRec rec;
    rec.entityId = 10105;
    rec.plannedType = 20;
    rec.onlineType = 21;
    rec.softwareVersion = "V2.1.3";
    rec.hardwareVersion = "HW-B";
    rec.serialNumber = "SN0001";
    rec.upTime = 7200;
    rec.aal5Encapsulation = 1;
    rec.runtimeVlanTagPassThrough = 2;
    rec.serviceTypeControl = 1;
    rec.taggedMode = 2;
    rec.runtimeTaggedMode = 1;
    ExpectGolden<BoardSettingRec>(
        rec, "79270000140000001500000056322e312e3300000000000000000000000000000048572d42000000000000000000000000000000"
             "0000534e303030310000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
             "000000000000000000000000201c000000000000010000000000000002000000010000000200000001000000");
}

TEST(RecordsCodec, EntityStateRec)
{
    EntityStateRec rec;
    rec.entityId = 10203;
    rec.stateBits = 0x11;
    rec.severity = 99;
    rec.secondaryStatus = 4;
    rec.onlineType = 30;
    rec.plannedType = 0x7FFFFFFE;
    rec.acknowledged = 1;
    rec.occurTime = 1700000000;
    rec.receiveTime = 1700000001;
    rec.text = "admin";
    rec.value = 1700000100;
    rec.alarmClass = 2;
    ExpectGolden<EntityStateRec>(
        rec, "db2700001100000063000000040000001e000000feffff7f000000000100000000f1536501f1536561646d696e00000000000000"
             "64f1536502000000");
}

TEST(RecordsCodec, AlarmDefRec)
{
    AlarmDefRec rec;
    rec.modelId = 30;
    rec.alarmIndex = 3;
    rec.neModelId = 1;
    rec.severity = 4;
    rec.reporting = 1;
    rec.suppressionMask = 0x9;
    ExpectGolden<AlarmDefRec>(rec, "1e0000000300000001000000" + std::string(200, '0') + "040000000100000009000000");
}

} // namespace
