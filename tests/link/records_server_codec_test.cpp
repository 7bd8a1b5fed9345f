// Golden bytes of the records the server link carries: encoding gives exactly these bytes (every byte not listed is
// zero), decoding them gives the record back, and a buffer one byte short is refused.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "link/records/alarm_ack_rec.h"
#include "link/records/alarm_event_rec.h"
#include "link/records/alarm_query_rec.h"
#include "link/records/alarm_stat_query_rec.h"
#include "link/records/alarm_stat_rec.h"
#include "link/records/alarm_trigger_rec.h"
#include "link/records/location_record.h"
#include "link/records/operator_mail_record.h"
#include "link/records/server_alarm_event_rec.h"
#include "link/records/user_account_record.h"
#include "link/records/user_rights_record.h"
#include "tests/link/record_golden.h"

namespace {

using record_golden::ExpectGolden;
using record_golden::Golden;
using record_golden::Hex;
using record_golden::Text;

TEST(RecordsServerCodec, LocationRecord)
{
    LocationRecord rec;
    rec.id = 7;
    rec.name = "North";
    rec.parentId = 0x01020304;
    rec.comment = "Depot";
    rec.mapId = 3;
    rec.contact = "Ann";
    rec.telephone = "555";
    rec.mobile = "666";
    rec.email = "a@b.c";
    ExpectGolden(rec, Golden(224, {Hex(0, "07000000"), Text(4, "North"), Hex(28, "04030201"), Text(32, "Depot"),
                                   Hex(96, "03000000"), Text(100, "Ann"), Text(121, "555"), Text(142, "666"),
                                   Text(163, "a@b.c")}));
}

TEST(RecordsServerCodec, UserAccountRecord)
{
    UserAccountRecord rec;
    rec.name = "operator1";
    rec.passwordDigest = "0123456789";
    rec.fullName = "Ann Smith";
    rec.telephone = "555";
    rec.division = "NOC";
    rec.address = "Main St 1";
    rec.locationId = 0x00010203;
    rec.roleLetter = "B";
    rec.comment = "night";
    ExpectGolden(rec, Golden(216, {Text(0, "operator1"), Text(11, "0123456789"), Text(22, "Ann Smith"), Text(43, "555"),
                                   Text(64, "NOC"), Text(85, "Main St 1"), Hex(148, "03020100"), Text(152, "B"),
                                   Text(155, "night")}));
}

TEST(RecordsServerCodec, OperatorMailRecord)
{
    OperatorMailRecord rec;
    rec.sender = "ann";
    rec.senderIp = {192, 168, 0, 1};
    rec.addressee = "bob";
    rec.text = "hi there";
    ExpectGolden(rec, Golden(1026, {Text(0, "ann"), Hex(11, "c0a80001"), Text(15, "bob"), Text(26, "hi there")}));
}

TEST(RecordsServerCodec, AlarmQueryRec)
{
    const AlarmQueryRec rec{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ExpectGolden(rec, Golden(48, {Hex(0, "010000000200000003000000040000000500000006000000"),
                                  Hex(24, "0700000008000000090000000a0000000b0000000c000000")}));
}

TEST(RecordsServerCodec, AlarmEventRec)
{
    AlarmEventRec rec;
    rec.recordNo = 5;
    rec.entityId = 10103;
    rec.alarmMask = 0x80000008;
    rec.severity = 4;
    rec.kind = 1;
    rec.plannedType = 51;
    rec.actualType = 52;
    rec.occurTime = 1000;
    rec.receiveTime = 1001;
    rec.clearTime = 2000;
    rec.locationName = "North";
    rec.neName = "North-1";
    rec.ackPerson = "admin";
    rec.ackTime = 0x01020304;
    rec.alarmType = 2;
    ExpectGolden(rec,
                 Golden(120, {Hex(0, "05000000772700000800008004000000010000003300000034000000"
                                     "e8030000e9030000d0070000"),
                              Text(40, "North"), Text(61, "North-1"), Text(82, "admin"), Hex(96, "0403020102000000")}));
}

TEST(RecordsServerCodec, ServerAlarmEventRec)
{
    ServerAlarmEventRec rec;
    rec.recordNo = 5;
    rec.entityId = 10103;
    rec.alarmMask = "80000008";
    rec.severity = 4;
    rec.kind = 1;
    rec.plannedType = 51;
    rec.actualType = 52;
    rec.occurTime = 1000;
    rec.receiveTime = 1001;
    rec.clearTime = 2000;
    rec.locationName = "North";
    rec.neName = "North-1";
    rec.ackPerson = "admin";
    rec.ackTime = 0x01020304;
    rec.alarmType = 3;
    ExpectGolden(rec,
                 Golden(124, {Hex(0, "0500000077270000"), Text(8, "80000008"),
                              Hex(20, "04000000010000003300000034000000e8030000e9030000d0070000"), Text(48, "North"),
                              Text(69, "North-1"), Text(90, "admin"), Hex(104, "0403020103000000")}));
    EXPECT_EQ(FormatServerAlarmMask(8), "00000008");
    EXPECT_EQ(FormatServerAlarmMask(0xDEADBEEF), "DEADBEEF");
}

TEST(RecordsServerCodec, AlarmStatQueryRec)
{
    ExpectGolden(AlarmStatQueryRec{10100, 10199, 2, 1000, 2000},
                 Golden(20, {Hex(0, "74270000d727000002000000e8030000d0070000")}));
}

TEST(RecordsServerCodec, AlarmStatRec)
{
    ExpectGolden(AlarmStatRec{10103, 3, 42}, Golden(12, {Hex(0, "77270000030000002a000000")}));
}

TEST(RecordsServerCodec, AlarmAckRec)
{
    AlarmAckRec rec;
    rec.entityId = 10103;
    rec.person = "admin";
    rec.ackTime = 1700000000;
    rec.comment = "seen";
    ExpectGolden(rec, Golden(84, {Hex(0, "77270000"), Text(4, "admin"), Hex(16, "00f15365"), Text(20, "seen")}));
}

TEST(RecordsServerCodec, AlarmTriggerRec)
{
    // trigger id, NE id, model id, alarm mask, seconds, then the e-mail address from byte 20.
    ExpectGolden(AlarmTriggerRec{7, 2, 30, 0x80000003, 600, "noc@example.net"},
                 Golden(84, {Hex(0, "07000000020000001e0000000300008058020000"), Text(20, "noc@example.net")}));
    // The query's two words, 1 and 5000.
    ExpectGolden(AlarmTriggerQueryRec{}, Golden(8, {Hex(0, "0100000088130000")}));
}

TEST(RecordsServerCodec, UserRightsRecord)
{
    UserRightsRecord rec;
    rec.rights = {"aq-d", "m", ""};
    ExpectGolden(rec, Golden(384, {Text(0, "aq-d"), Text(128, "m")}));
}

} // namespace
