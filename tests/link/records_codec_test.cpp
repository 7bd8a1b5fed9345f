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

#include <gtest/gtest.h>

namespace {

using record_golden::ExpectGolden;
using record_golden::FullWidth;
using record_golden::Golden;
using record_golden::Hex;
using record_golden::Text;

TEST(RecordsCodec, NeTimeRecord)
{
    NeTimeRecord rec{86400, 946684800, -5, 0};
    ExpectGolden(rec, Golden(12, {Hex(0, "8051010080436d38fbff0000")}));
}

TEST(RecordsCodec, NeAlarmLogRangeRec)
{
    ExpectGolden(NeAlarmLogRangeRec{11, 5010}, Golden(8, {Hex(0, "0b00000092130000")}));
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
    ExpectGolden(rec, Golden(40, {Hex(0, "2a000000db2700001e0000001f00000005000080100e000002000000")}));
}

TEST(RecordsCodec, NeSnmpCommunityRecord)
{
    using R = NeSnmpCommunityRecord;
    const R rec{FullWidth("private", 24), 2, 1};
    ExpectGolden(rec, Golden(32, {Text(0, FullWidth("private", 24)), Hex(24, "0200000001000000")}), &R::community);
}

TEST(RecordsCodec, NeUserAccountRecord)
{
    using R = NeUserAccountRecord;
    const R rec{FullWidth("qurim", 17), FullWidth("secret", 19), 2, 1};
    ExpectGolden(
        rec,
        Golden(44, {Text(0, FullWidth("qurim", 17)), Text(17, FullWidth("secret", 19)), Hex(36, "0200000001000000")}),
        &R::userName, &R::password);
}

TEST(RecordsCodec, NeKeyRecord)
{
    using R = NeKeyRecord;
    R rec;
    rec.neId = 1;
    rec.neName = FullWidth("10.0.0.7", 21);
    rec.ftpUser = FullWidth("qurim", 17);
    rec.ftpPassword = FullWidth("pw", 17);
    rec.locationId = 3;
    rec.modelId = 4;
    rec.ipAddress = {10, 0, 0, 7};
    rec.port = 161;
    rec.secondIp = {192, 168, 1, 2};
    rec.snmpCommunity = FullWidth("public", 21);
    rec.snmpVersion = 1;
    rec.longitude = 121.5F;
    rec.latitude = -33.25F;
    rec.autoSync = 2;
    ExpectGolden(rec,
                 Golden(124, {Hex(0, "01000000"), Text(8, FullWidth("10.0.0.7", 21)), Text(29, FullWidth("qurim", 17)),
                              Text(46, FullWidth("pw", 17)), Hex(64, "03000000040000000a000007a100c0a80102"),
                              Text(86, FullWidth("public", 21)), Hex(108, "010000000000f342000005c202000000")}),
                 &R::neName, &R::ftpUser, &R::ftpPassword, &R::snmpCommunity);
}

TEST(RecordsCodec, BoardSettingRec)
{
    using R = BoardSettingRec;
    R rec;
    rec.entityId = 10105;
    rec.plannedType = 20;
    rec.onlineType = 21;
    rec.softwareVersion = FullWidth("V2.1.3", 21);
    rec.hardwareVersion = FullWidth("HW-B", 21);
    rec.serialNumber = FullWidth("SN0001", 62);
    rec.upTime = 7200;
    rec.aal5Encapsulation = 1;
    rec.runtimeVlanTagPassThrough = 2;
    rec.serviceTypeControl = 1;
    rec.taggedMode = 2;
    rec.runtimeTaggedMode = 1;
    ExpectGolden(rec,
                 Golden(148, {Hex(0, "792700001400000015000000"), Text(12, FullWidth("V2.1.3", 21)),
                              Text(33, FullWidth("HW-B", 21)), Text(54, FullWidth("SN0001", 62)),
                              Hex(116, "201c000000000000010000000000000002000000010000000200000001000000")}),
                 &R::softwareVersion, &R::hardwareVersion, &R::serialNumber);
}

TEST(RecordsCodec, EntityStateRec)
{
    using R = EntityStateRec;
    R rec;
    rec.entityId = 10203;
    rec.stateBits = 0x11;
    rec.severity = 99;
    rec.secondaryStatus = 4;
    rec.onlineType = 30;
    rec.plannedType = 0x7FFFFFFE;
    rec.acknowledged = 1;
    rec.occurTime = 1700000000;
    rec.receiveTime = 1700000001;
    rec.text = FullWidth("admin", 12);
    rec.value = 1700000100;
    rec.alarmClass = 2;
    ExpectGolden(rec,
                 Golden(60, {Hex(0, "db2700001100000063000000040000001e000000feffff7f000000000100000000f1536501f15365"),
                             Text(40, FullWidth("admin", 12)), Hex(52, "64f1536502000000")}),
                 &R::text);
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
    ExpectGolden(rec, Golden(124, {Hex(0, "1e0000000300000001000000"), Hex(112, "040000000100000009000000")}));
}

} // namespace
