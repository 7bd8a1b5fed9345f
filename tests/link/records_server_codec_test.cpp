// Golden bytes of the records the server link carries: encoding gives exactly these bytes (every byte not listed is
// zero), decoding them gives the record back, and a buffer one byte short is refused.
#include <gtest/gtest.h>

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
#include <string>
#include <vector>

namespace {

using record_golden::ExpectGolden;
using record_golden::FullWidth;
using record_golden::Golden;
using record_golden::Hex;
using record_golden::Text;

TEST(RecordsServerCodec, LocationRecord)
{
    using R = LocationRecord;
    R rec;
    rec.id = 7;
    rec.name = FullWidth("North", 21);
    rec.parentId = 0x01020304;
    rec.comment = FullWidth("Depot", 61);
    rec.mapId = 3;
    rec.contact = FullWidth("Ann", 21);
    rec.telephone = FullWidth("555", 21);
    rec.mobile = FullWidth("666", 21);
    rec.email = FullWidth("a@b.c", 61);
    ExpectGolden(rec,
                 Golden(224, {Hex(0, "07000000"), Text(4, FullWidth("North", 21)), Hex(28, "04030201"),
                              Text(32, FullWidth("Depot", 61)), Hex(96, "03000000"), Text(100, FullWidth("Ann", 21)),
                              Text(121, FullWidth("555", 21)), Text(142, FullWidth("666", 21)),
                              Text(163, FullWidth("a@b.c", 61))}),
                 &R::name, &R::comment, &R::contact, &R::telephone, &R::mobile, &R::email);
}

// Texts are UTF-8: a name of 20 letters with two umlauts takes 22 bytes, of which its 21-byte field keeps the whole
// letters that fit in 20; a name of exactly 20 bytes is kept whole.
TEST(RecordsServerCodec, LocationNamesOfMultiByteLetters)
{
    LocationRecord rec;
    rec.id = 7;
    rec.name = "Nieder\xC3\xB6sterreich-S\xC3\xBC"
               "d";
    const auto cut = Golden(224, {Hex(0, "07000000"), Text(4, "Nieder\xC3\xB6sterreich-S")});
    const auto bytes = EncodeRecord(rec);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), cut);
    LocationRecord back;
    ASSERT_TRUE(DecodeRecord(cut.data(), cut.size(), &back));
    EXPECT_EQ(back.name, "Nieder\xC3\xB6sterreich-S");

    rec.name = "\xC3\x96sterreich-S\xC3\xBC"
               "d-Ost";
    ExpectGolden(rec, Golden(224, {Hex(0, "07000000"), Text(4, "\xC3\x96sterreich-S\xC3\xBC"
                                                               "d-Ost")}));
}

// An older peer cut its texts at a byte count: a character cut off at the field's end, after which the zero or the
// field's end comes, is left out.
TEST(RecordsServerCodec, ANameCutInsideALetterByAnOlderPeerLosesTheLetter)
{
    struct Row {
        const char* what;
        std::string field; // the name's bytes as sent, 21 at most
        std::string expected;
    };
    const Row rows[] = {
        {"a lead byte before the zero", "Nieder\xC3\xB6sterreich-S\xC3", "Nieder\xC3\xB6sterreich-S"},
        {"two bytes of three filling the field", std::string(19, 'a') + "\xE2\x82", std::string(19, 'a')},
        {"a whole letter filling the field", "Nieder\xC3\xB6sterreich-S\xC3\xBC", "Nieder\xC3\xB6sterreich-S\xC3\xBC"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const auto bytes = Golden(224, {Hex(0, "07000000"), Text(4, row.field), Hex(28, "04030201")});
        LocationRecord rec;
        ASSERT_TRUE(DecodeRecord(bytes.data(), bytes.size(), &rec));
        EXPECT_EQ(rec.name, row.expected);
        EXPECT_EQ(rec.parentId, 0x01020304u);
    }
}

TEST(RecordsServerCodec, UserAccountRecord)
{
    using R = UserAccountRecord;
    R rec;
    rec.name = FullWidth("operator1", 11);
    rec.passwordDigest = FullWidth("0123456789", 11);
    rec.fullName = FullWidth("Ann Smith", 21);
    rec.telephone = FullWidth("555", 21);
    rec.division = FullWidth("NOC", 21);
    rec.address = FullWidth("Main St 1", 63);
    rec.locationId = 0x00010203;
    rec.roleLetter = FullWidth("B", 3);
    rec.comment = FullWidth("night", 61);
    ExpectGolden(rec,
                 Golden(216, {Text(0, FullWidth("operator1", 11)), Text(11, FullWidth("0123456789", 11)),
                              Text(22, FullWidth("Ann Smith", 21)), Text(43, FullWidth("555", 21)),
                              Text(64, FullWidth("NOC", 21)), Text(85, FullWidth("Main St 1", 63)),
                              Hex(148, "03020100"), Text(152, FullWidth("B", 3)), Text(155, FullWidth("night", 61))}),
                 &R::name, &R::passwordDigest, &R::fullName, &R::telephone, &R::division, &R::address, &R::roleLetter,
                 &R::comment);
}

TEST(RecordsServerCodec, OperatorMailRecord)
{
    using R = OperatorMailRecord;
    R rec;
    rec.sender = FullWidth("ann", 11);
    rec.senderIp = {192, 168, 0, 1};
    rec.addressee = FullWidth("bob", 11);
    rec.text = FullWidth("hi there", 1000);
    ExpectGolden(rec,
                 Golden(1026, {Text(0, FullWidth("ann", 11)), Hex(11, "c0a80001"), Text(15, FullWidth("bob", 11)),
                               Text(26, FullWidth("hi there", 1000))}),
                 &R::sender, &R::addressee, &R::text);
}

TEST(RecordsServerCodec, AlarmQueryRec)
{
    const AlarmQueryRec rec{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ExpectGolden(rec, Golden(48, {Hex(0, "010000000200000003000000040000000500000006000000"),
                                  Hex(24, "0700000008000000090000000a0000000b0000000c000000")}));
}

TEST(RecordsServerCodec, AlarmEventRec)
{
    using R = AlarmEventRec;
    R rec;
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
    rec.locationName = FullWidth("North", 21);
    rec.neName = FullWidth("North-1", 21);
    rec.ackPerson = FullWidth("admin", 11);
    rec.ackTime = 0x01020304;
    rec.alarmType = 2;
    ExpectGolden(rec,
                 Golden(120, {Hex(0, "05000000772700000800008004000000010000003300000034000000"
                                     "e8030000e9030000d0070000"),
                              Text(40, FullWidth("North", 21)), Text(61, FullWidth("North-1", 21)),
                              Text(82, FullWidth("admin", 11)), Hex(96, "0403020102000000")}),
                 &R::locationName, &R::neName, &R::ackPerson);
}

TEST(RecordsServerCodec, ServerAlarmEventRec)
{
    using R = ServerAlarmEventRec;
    R rec;
    rec.recordNo = 5;
    rec.entityId = 10103;
    rec.alarmMask = FullWidth("80000008", 12);
    rec.severity = 4;
    rec.kind = 1;
    rec.plannedType = 51;
    rec.actualType = 52;
    rec.occurTime = 1000;
    rec.receiveTime = 1001;
    rec.clearTime = 2000;
    rec.locationName = FullWidth("North", 21);
    rec.neName = FullWidth("North-1", 21);
    rec.ackPerson = FullWidth("admin", 11);
    rec.ackTime = 0x01020304;
    rec.alarmType = 3;
    ExpectGolden(rec,
                 Golden(124, {Hex(0, "0500000077270000"), Text(8, FullWidth("80000008", 12)),
                              Hex(20, "04000000010000003300000034000000e8030000e9030000d0070000"),
                              Text(48, FullWidth("North", 21)), Text(69, FullWidth("North-1", 21)),
                              Text(90, FullWidth("admin", 11)), Hex(104, "0403020103000000")}),
                 &R::alarmMask, &R::locationName, &R::neName, &R::ackPerson);
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
    using R = AlarmAckRec;
    R rec;
    rec.entityId = 10103;
    rec.person = FullWidth("admin", 12);
    rec.ackTime = 1700000000;
    rec.comment = FullWidth("seen", 64);
    ExpectGolden(rec,
                 Golden(84, {Hex(0, "77270000"), Text(4, FullWidth("admin", 12)), Hex(16, "00f15365"),
                             Text(20, FullWidth("seen", 64))}),
                 &R::person, &R::comment);
}

TEST(RecordsServerCodec, AlarmTriggerRec)
{
    // trigger id, NE id, model id, alarm mask, seconds, then the e-mail address from byte 20.
    ExpectGolden(
        AlarmTriggerRec{7, 2, 30, 0x80000003, 600, FullWidth("noc@example.net", 64)},
        Golden(84, {Hex(0, "07000000020000001e0000000300008058020000"), Text(20, FullWidth("noc@example.net", 64))}),
        &AlarmTriggerRec::email);
    // The query's two words, 1 and 5000.
    ExpectGolden(AlarmTriggerQueryRec{}, Golden(8, {Hex(0, "0100000088130000")}));
}

TEST(RecordsServerCodec, UserRightsRecord)
{
    UserRightsRecord rec;
    rec.rights = {FullWidth("aq-d", 128), FullWidth("m", 128), FullWidth("", 128)};
    ExpectGolden(
        rec,
        Golden(384, {Text(0, FullWidth("aq-d", 128)), Text(128, FullWidth("m", 128)), Text(256, FullWidth("", 128))}),
        &UserRightsRecord::rights);
}

} // namespace
