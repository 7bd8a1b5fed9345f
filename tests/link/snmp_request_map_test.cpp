// The request-code map: each code of the least set, record to bindings and back, with the OIDs and syntaxes the
// NE sees; index encoding; value checks; and every code outside the map answering "request not supported".

#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/entity_state_rec.h"
#include "link/records/ne_alarm_log_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/snmp/snmp_request_executor.h"
#include "link/snmp/snmp_request_map.h"

#include <gtest/gtest.h>

#include <set>

namespace {

CSnmpOid Oid(const std::string& text)
{
    return CSnmpOid::Parse(text).value();
}

const std::string R = "1.3.6.1.4.1.32473.1";

// The bindings that carry one record: for a table, every column at the row's index; for a scalar group, every
// column's instance.
std::vector<SnmpVarBind> ToVarBinds(const SnmpRequestEntry& entry, const std::vector<uint8_t>& record)
{
    std::vector<SnmpVarBind> varbinds;
    CSnmpOid index = entry.kind == SnmpEntryKind::Table ? EncodeSnmpRowIndex(entry, record.data()) : CSnmpOid();
    for (const SnmpColumnDef& column : entry.columns)
        varbinds.push_back({entry.ColumnOid(column).Appended(index), SnmpColumnValue(column, record.data())});
    return varbinds;
}

std::vector<uint8_t> FromVarBinds(const SnmpRequestEntry& entry, const std::vector<SnmpVarBind>& varbinds)
{
    std::vector<uint8_t> record(entry.recordSize, 0);
    for (size_t i = 0; i < entry.columns.size(); ++i) {
        const SnmpColumnDef& column = entry.columns[i];
        if (entry.kind == SnmpEntryKind::Table) {
            CSnmpOid index = entry.ColumnOid(column).SuffixOf(varbinds[i].oid);
            EXPECT_TRUE(DecodeSnmpRowIndex(entry, index, record.data()));
        }
        EXPECT_EQ(StoreSnmpColumnValue(column, varbinds[i].value, record.data()), SnmpStoreResult::Ok);
    }
    return record;
}

template <size_t N> std::vector<uint8_t> V(const std::array<uint8_t, N>& a)
{
    return std::vector<uint8_t>(a.begin(), a.end());
}

struct MapRow {
    uint16_t code;
    std::vector<uint8_t> record;
    std::vector<SnmpVarBind> expected;
};

std::vector<MapRow> MapRows()
{
    std::vector<MapRow> rows;
    NeKeyRecord key;
    key.modelId = 4;
    key.snmpVersion = 1;
    rows.push_back({30,
                    V(EncodeNeKeyRecord(key)),
                    {{Oid(R + ".30.0.1"), SnmpValue::Gauge32(4)}, {Oid(R + ".30.0.2"), SnmpValue::Gauge32(1)}}});

    NeTimeRecord time{3600, 1700000000, -3, 0};
    rows.push_back({300,
                    V(EncodeNeTimeRecord(time)),
                    {{Oid("1.3.6.1.2.1.1.3.0"), SnmpValue::TimeTicks(360000)},
                     {Oid(R + ".300.0.2"), SnmpValue::Gauge32(1700000000)},
                     {Oid(R + ".300.0.3"), SnmpValue::Integer(-3)}}});

    const std::string pub = ".6.112.117.98.108.105.99";
    rows.push_back({307,
                    V(EncodeNeSnmpCommunityRecord({"public", 1, 1})),
                    {{Oid(R + ".307.1.1" + pub), SnmpValue::Octets("public")},
                     {Oid(R + ".307.1.2" + pub), SnmpValue::Gauge32(1)},
                     {Oid(R + ".307.1.3" + pub), SnmpValue::Gauge32(1)}}});

    const std::string su = ".2.115.117";
    rows.push_back({316,
                    V(EncodeNeUserAccountRecord({"su", "pw", 2, 1})),
                    {{Oid(R + ".316.1.1" + su), SnmpValue::Octets("su")},
                     {Oid(R + ".316.1.2" + su), SnmpValue::Octets("pw")},
                     {Oid(R + ".316.1.3" + su), SnmpValue::Gauge32(2)},
                     {Oid(R + ".316.1.4" + su), SnmpValue::Gauge32(1)}}});

    BoardSettingRec board;
    board.entityId = 10105;
    board.plannedType = 20;
    board.onlineType = 21;
    board.softwareVersion = "V2";
    board.hardwareVersion = "H";
    board.serialNumber = "S9";
    board.upTime = 77;
    board.aal5Encapsulation = 1;
    board.vlanTagPassThrough = 1;
    board.runtimeVlanTagPassThrough = 2;
    board.serviceTypeControl = 1;
    board.taggedMode = 2;
    board.runtimeTaggedMode = 1;
    std::vector<SnmpVarBind> boardBinds;
    const SnmpValue boardValues[] = {SnmpValue::Gauge32(10105), SnmpValue::Gauge32(20), SnmpValue::Gauge32(21),
                                     SnmpValue::Octets("V2"),   SnmpValue::Octets("H"), SnmpValue::Octets("S9"),
                                     SnmpValue::Gauge32(77),    SnmpValue::Gauge32(1),  SnmpValue::Gauge32(1),
                                     SnmpValue::Gauge32(2),     SnmpValue::Gauge32(1),  SnmpValue::Gauge32(2),
                                     SnmpValue::Gauge32(1)};
    for (uint32_t c = 1; c <= 13; ++c)
        boardBinds.push_back({Oid(R + ".323.1." + std::to_string(c) + ".10105"), boardValues[c - 1]});
    rows.push_back({323, V(EncodeBoardSettingRec(board)), boardBinds});

    EntityStateRec state;
    state.entityId = 10203;
    state.stateBits = 6;
    state.severity = -2;
    state.secondaryStatus = 3;
    state.onlineType = 51;
    state.plannedType = 51;
    state.alarmMasked = 1;
    state.acknowledged = 1;
    state.occurTime = 100;
    state.receiveTime = 101;
    state.text = "oper";
    state.value = 102;
    state.alarmClass = 2;
    std::vector<SnmpVarBind> stateBinds;
    const SnmpValue stateValues[] = {SnmpValue::Gauge32(10203), SnmpValue::Gauge32(6),     SnmpValue::Integer(-2),
                                     SnmpValue::Gauge32(3),     SnmpValue::Gauge32(51),    SnmpValue::Gauge32(51),
                                     SnmpValue::Gauge32(1),     SnmpValue::Gauge32(1),     SnmpValue::Gauge32(100),
                                     SnmpValue::Gauge32(101),   SnmpValue::Octets("oper"), SnmpValue::Gauge32(102),
                                     SnmpValue::Gauge32(2)};
    for (uint32_t c = 1; c <= 13; ++c)
        stateBinds.push_back({Oid(R + ".325.1." + std::to_string(c) + ".10203"), stateValues[c - 1]});
    rows.push_back({325, V(EncodeEntityStateRec(state)), stateBinds});

    AlarmDefRec def;
    def.modelId = 30;
    def.alarmIndex = 3;
    def.neModelId = 0x7FFFFFFF;
    def.severity = 4;
    def.reporting = 1;
    def.suppressionMask = 0x6;
    rows.push_back({327,
                    V(EncodeAlarmDefRec(def)),
                    {{Oid(R + ".327.1.1.30.3"), SnmpValue::Gauge32(30)},
                     {Oid(R + ".327.1.2.30.3"), SnmpValue::Gauge32(3)},
                     {Oid(R + ".327.1.3.30.3"), SnmpValue::Gauge32(0x7FFFFFFF)},
                     {Oid(R + ".327.1.4.30.3"), SnmpValue::Gauge32(4)},
                     {Oid(R + ".327.1.5.30.3"), SnmpValue::Gauge32(1)},
                     {Oid(R + ".327.1.6.30.3"), SnmpValue::Gauge32(6)}}});

    NeAlarmLogRec log;
    log.recordNo = 77;
    log.entityId = 10105;
    log.plannedType = 20;
    log.actualType = 20;
    log.alarmMask = 4;
    log.occurUptime = 99;
    log.alarmType = 1;
    std::vector<SnmpVarBind> logBinds;
    const uint32_t logValues[] = {77, 10105, 20, 20, 4, 99, 1};
    for (uint32_t c = 1; c <= 7; ++c)
        logBinds.push_back({Oid(R + ".328.1." + std::to_string(c) + ".77"), SnmpValue::Gauge32(logValues[c - 1])});
    rows.push_back({328, V(EncodeNeAlarmLogRec(log)), logBinds});
    rows.push_back({329, V(EncodeNeAlarmLogRec(log)), logBinds}); // the same table, read from its start
    return rows;
}

TEST(SnmpRequestMap, EveryCodeOfTheLeastSetBothWays)
{
    std::set<uint16_t> seen;
    for (const MapRow& row : MapRows()) {
        SCOPED_TRACE(row.code);
        const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(row.code);
        ASSERT_NE(entry, nullptr);
        ASSERT_EQ(entry->recordSize, row.record.size());
        std::vector<SnmpVarBind> varbinds = ToVarBinds(*entry, row.record);
        EXPECT_EQ(varbinds, row.expected);
        EXPECT_EQ(FromVarBinds(*entry, row.expected), row.record);
        seen.insert(row.code);
    }
    // The remaining codes of the least set: logoff is answered without the NE, alarm synchronisation is an action.
    EXPECT_EQ(DefaultSnmpRequestMap().Find(12)->kind, SnmpEntryKind::Ignored);
    EXPECT_EQ(DefaultSnmpRequestMap().Find(332)->kind, SnmpEntryKind::Action);
    EXPECT_EQ(DefaultSnmpRequestMap().Find(332)->ActionOid(), Oid(R + ".332.0"));
    seen.insert({12, 332});
    std::set<uint16_t> mapped;
    for (const auto& [code, entry] : DefaultSnmpRequestMap().Entries())
        mapped.insert(code);
    EXPECT_EQ(mapped, seen);
    EXPECT_EQ(mapped, (std::set<uint16_t>{12, 30, 300, 307, 316, 323, 325, 327, 328, 329, 332}));
}

TEST(SnmpRequestMap, WritableColumnsAndRowStatus)
{
    struct Row {
        uint16_t code;
        std::set<uint32_t> writable;
        bool rowStatus;
        SnmpWriteKind write;
    };
    const Row rows[] = {
        {30, {}, false, SnmpWriteKind::None},
        {300, {2, 3}, false, SnmpWriteKind::Modify},
        {307, {2, 3}, true, SnmpWriteKind::Modify},
        {316, {2, 3, 4}, true, SnmpWriteKind::Modify},
        {323, {2, 8, 9, 11, 12}, false, SnmpWriteKind::Modify},
        {325, {}, false, SnmpWriteKind::None},
        {327, {4, 5, 6}, false, SnmpWriteKind::Modify},
        {328, {}, false, SnmpWriteKind::None},
        {329, {}, false, SnmpWriteKind::None},
    };
    for (const Row& row : rows) {
        const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(row.code);
        ASSERT_NE(entry, nullptr) << row.code;
        std::set<uint32_t> writable;
        for (const SnmpColumnDef& column : entry->columns) {
            if (column.writable)
                writable.insert(column.number);
        }
        EXPECT_EQ(writable, row.writable) << row.code;
        EXPECT_EQ(entry->rowStatus, row.rowStatus) << row.code;
        EXPECT_EQ(entry->writeKind, row.write) << row.code;
    }
    EXPECT_EQ(DefaultSnmpRequestMap().Find(307)->RowStatusColumn(), 4u);
    EXPECT_EQ(DefaultSnmpRequestMap().Find(316)->RowStatusColumn(), 5u);
}

TEST(SnmpRequestMap, StoringChecksTypeLengthAndRange)
{
    struct Row {
        SnmpColumnDef column;
        SnmpValue value;
        SnmpStoreResult expected;
    };
    using T = SnmpColumnType;
    const Row rows[] = {
        {{1, 0, 1, T::Unsigned8}, SnmpValue::Gauge32(255), SnmpStoreResult::Ok},
        {{1, 0, 1, T::Unsigned8}, SnmpValue::Gauge32(256), SnmpStoreResult::WrongValue},
        {{1, 0, 2, T::Unsigned16}, SnmpValue::Gauge32(65536), SnmpStoreResult::WrongValue},
        {{1, 0, 4, T::Unsigned32}, SnmpValue::Integer(-1), SnmpStoreResult::WrongValue},
        {{1, 0, 4, T::Unsigned32}, SnmpValue::Integer(5), SnmpStoreResult::Ok},
        {{1, 0, 4, T::Unsigned32}, SnmpValue::Octets("5"), SnmpStoreResult::WrongType},
        {{1, 0, 2, T::Integer16}, SnmpValue::Integer(-32768), SnmpStoreResult::Ok},
        {{1, 0, 2, T::Integer16}, SnmpValue::Integer(32768), SnmpStoreResult::WrongValue},
        {{1, 0, 4, T::Integer32}, SnmpValue::Gauge32(1), SnmpStoreResult::WrongType},
        {{1, 0, 8, T::Text}, SnmpValue::Octets("1234567"), SnmpStoreResult::Ok},
        {{1, 0, 8, T::Text}, SnmpValue::Octets("12345678"), SnmpStoreResult::WrongLength},
        {{1, 0, 8, T::Text}, SnmpValue::Gauge32(1), SnmpStoreResult::WrongType},
        {{1, 0, 4, T::Octets}, SnmpValue::Octets(std::vector<uint8_t>{1, 2, 3, 4}), SnmpStoreResult::Ok},
        {{1, 0, 4, T::Octets}, SnmpValue::Octets(std::vector<uint8_t>{1, 2, 3, 4, 5}), SnmpStoreResult::WrongLength},
        {{1, 0, 4, T::IpAddress}, SnmpValue::IpAddress({1, 2, 3, 4}), SnmpStoreResult::Ok},
        {{1, 0, 4, T::IpAddress}, SnmpValue::Octets("abcd"), SnmpStoreResult::WrongType},
        {{1, 0, 4, T::UpTimeSeconds}, SnmpValue::TimeTicks(12345), SnmpStoreResult::Ok},
        {{1, 0, 4, T::UpTimeSeconds}, SnmpValue::Gauge32(12345), SnmpStoreResult::WrongType},
    };
    for (const Row& row : rows) {
        std::vector<uint8_t> record(8, 0xEE);
        EXPECT_EQ(StoreSnmpColumnValue(row.column, row.value, record.data()), row.expected)
            << static_cast<int>(row.column.type) << " " << FormatVarBind({Oid("1.3"), row.value});
    }
    std::vector<uint8_t> record(4, 0);
    StoreSnmpColumnValue({1, 0, 4, T::UpTimeSeconds}, SnmpValue::TimeTicks(12345), record.data());
    EXPECT_EQ(record, (std::vector<uint8_t>{123, 0, 0, 0}));
}

TEST(SnmpRequestMap, MalformedRowIndexesAreRefused)
{
    const SnmpRequestEntry& community = *DefaultSnmpRequestMap().Find(307);
    const SnmpRequestEntry& alarmDef = *DefaultSnmpRequestMap().Find(327);
    std::vector<uint8_t> record(256, 0);
    struct Row {
        const SnmpRequestEntry* entry;
        CSnmpOid index;
        bool ok;
    };
    std::vector<uint32_t> longName{24};
    longName.insert(longName.end(), 24, 'a');
    const Row rows[] = {
        {&community, CSnmpOid{3, 'a', 'b', 'c'}, true},
        {&community, CSnmpOid{0}, true},
        {&community, CSnmpOid{3, 'a', 'b'}, false},      // cut short
        {&community, CSnmpOid{2, 'a', 'b', 'c'}, false}, // one sub-id too many
        {&community, CSnmpOid{1, 300}, false},           // not a byte
        {&community, CSnmpOid(longName), false},         // longer than the field
        {&community, CSnmpOid{}, false},
        {&alarmDef, CSnmpOid{30, 3}, true},
        {&alarmDef, CSnmpOid{30, 256}, false}, // alarm index is a byte
        {&alarmDef, CSnmpOid{30}, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DecodeSnmpRowIndex(*row.entry, row.index, record.data()), row.ok) << row.index.Format();
}

// Codes outside the map, operations other than query and modify, and writes of read-only codes are refused
// before anything is sent.
TEST(SnmpRequestMap, OtherCodesAreNotSupported)
{
    CSnmpSession session; // never opened: nothing may be sent
    CSnmpRequestExecutor executor(DefaultSnmpRequestMap(), session);
    uint8_t record[124] = {};
    for (uint32_t code = 0; code <= 1000; ++code) {
        if (DefaultSnmpRequestMap().Find(static_cast<uint16_t>(code)) != nullptr)
            continue;
        EmsMsg request;
        BuildEmsMsg(&request, kEmsOpQuery, static_cast<uint16_t>(code), sizeof record, record, 1);
        SnmpReplyData reply;
        ASSERT_EQ(executor.Execute(request, &reply), kDrvNotSupported) << code;
    }
    struct Row {
        uint8_t op;
        uint16_t code;
    };
    for (Row row : {Row{kEmsOpModify, 30}, Row{kEmsOpModify, 325}, Row{kEmsOpModify, 328}, Row{kEmsOpModify, 329},
                    Row{kEmsOpQuery, 332}, Row{3, 300}, Row{kEmsOpReply, 323}}) {
        EmsMsg request;
        BuildEmsMsg(&request, row.op, row.code, sizeof record, record, 1);
        SnmpReplyData reply;
        EXPECT_EQ(executor.Execute(request, &reply), kDrvNotSupported) << row.code << " op " << int(row.op);
    }
    EXPECT_STREQ(GetDriverErrorText(kDrvNotSupported), "request not supported");
    // Logoff needs no NE.
    EmsMsg logoff;
    BuildEmsMsg(&logoff, kEmsOpModify, 12, 1, record, 0);
    SnmpReplyData reply;
    EXPECT_EQ(executor.Execute(logoff, &reply), kDrvOk);
    EXPECT_EQ(reply.count, 0u);
    EXPECT_EQ(reply.operation, kEmsOpReply);
}

} // namespace
