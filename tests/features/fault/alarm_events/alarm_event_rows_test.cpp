// What the paged alarm lists make of a record: whether it gives a row, its severity, image, model and alarm names
// and its filter bits, for the server's records and the entries of an NE's own log; the page a reply gives; and the
// chained sort keys.

#include "tests/features/fault/trap_log/trap_log_test_support.h"
#include "tests/features/performance/performance_test_support.h"

#include "features/fault/alarm_events/alarm_event_list_dlg.h"
#include "features/fault/alarm_events/alarm_event_rows.h"
#include "features/fault/alarm_events/history_alarm_list_dlg.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace trap_log_test;

constexpr uint32_t kAlc24 = 30;
constexpr uint32_t kAdslPort = 51;
constexpr uint32_t kNotAModel = 999;
constexpr uint32_t kNone = 0x7FFFFFFF;

using AlarmEventRowsTest = FaultTestEnvironment;

AlarmEventRec Event(const char* ne, uint32_t entityId, uint32_t planned, uint32_t actual, uint32_t mask,
                    uint32_t severity = 2, const char* ackPerson = "")
{
    AlarmEventRec rec;
    rec.neName = ne;
    rec.entityId = entityId;
    rec.plannedType = planned;
    rec.actualType = actual;
    rec.alarmMask = mask;
    rec.severity = severity;
    rec.ackPerson = ackPerson;
    return rec;
}

TEST_F(AlarmEventRowsTest, TheServersRecords)
{
    struct Case {
        const char* name;
        AlarmEventRec rec;
        uint16_t flags;
        int image;
        std::string alarms;
    };
    constexpr uint16_t kMajorRow = kRowFilterShown | kRowFilterMajor | kRowFilterUnacknowledged;
    const Case cases[] = {
        {"a model's alarms", Event("bravo", 10100, kAlc24, kAlc24, 0x3), kMajorRow, 13, "Card Out,Card Fail"},
        {"acknowledged", Event("bravo", 10100, kAlc24, kAlc24, 0x1, 2, "admin"),
         kRowFilterShown | kRowFilterMajor | kRowFilterAcknowledged, 13, "Card Out"},
        {"another severity counts as info", Event("bravo", 10100, kAlc24, kAlc24, 0x1, 7),
         kRowFilterShown | kRowFilterInfo | kRowFilterUnacknowledged, 16, "Card Out"},
        {"critical", Event("bravo", 10100, kAlc24, kAlc24, 0x1, 1), 0x0100 | 0x0080 | 0x1000, 12, "Card Out"},
        {"minor", Event("bravo", 10100, kAlc24, kAlc24, 0x1, 3), 0x0100 | 0x0020 | 0x1000, 14, "Card Out"},
        {"warning", Event("bravo", 10100, kAlc24, kAlc24, 0x1, 4), 0x0100 | 0x0010 | 0x1000, 15, "Card Out"},
        {"info", Event("bravo", 10100, kAlc24, kAlc24, 0x1, 5), 0x0100 | 0x0008 | 0x1000, 16, "Card Out"},
        {"severity 0 counts as info", Event("bravo", 10100, kAlc24, kAlc24, 0x1, 0), 0x0100 | 0x0008 | 0x1000, 16,
         "Card Out"},
        {"an NE outside the location shows greyed", Event("charlie", 10100, kAlc24, kAlc24, 0x1), kMajorRow,
         kImageOutsideLocation, "Card Out"},
        {"no alarm bit: no row", Event("bravo", 10100, kAlc24, kAlc24, 0), 0, 0, ""},
        {"an NE the workstation does not know: no row", Event("delta", 10100, kAlc24, kAlc24, 0x1), 0, 0, ""},
        {"only undefined bits: no row", Event("bravo", 10100, kAlc24, kAlc24, 1u << 20), 0, 0, ""},
        {"a module of another type than planned", Event("bravo", 10100, kNotAModel, kAlc24, 0x1), kMajorRow, 13,
         "Wrong Type"},
        {"a planned module missing", Event("bravo", 10100, kNotAModel, kNone, 0x1), kMajorRow, 13, "Missing"},
        {"an NE not reachable", Event("bravo", 1, kNotAModel, kNone, 0x1), kMajorRow, 13, "Offline"},
        {"a module present but not planned", Event("bravo", 90909, kNone, kAlc24, 0x1), kMajorRow, 13, "Unexpected"},
        {"neither type known: never a row", Event("bravo", 90909, kNone, kNone, 0x1), kRowFilterNeverShown, 0, ""},
    };
    const AlarmEventContext context{false, 0, kNorth};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AlarmRowLook look = LookOfAlarmEvent(c.rec, context);
        EXPECT_EQ(look.flags, c.flags);
        if (look.HasRow()) {
            EXPECT_EQ(look.image, c.image);
            EXPECT_EQ(look.alarms, c.alarms);
        }
    }
}

TEST_F(AlarmEventRowsTest, ActiveAlarmsOfATargetNeNeedItsEntity)
{
    const AlarmEventRec rec = Event("bravo", 10100, kAlc24, kAlc24, 0x1);
    EXPECT_TRUE(LookOfAlarmEvent(rec, {true, kBravo, 0}).HasRow());
    AlarmEventRec elsewhere = rec;
    elsewhere.entityId = 90100; // no such shelf on a one-shelf NE
    EXPECT_FALSE(LookOfAlarmEvent(elsewhere, {true, kBravo, 0}).HasRow());
    EXPECT_TRUE(LookOfAlarmEvent(elsewhere, {false, 0, 0}).HasRow()) << "history keeps what the tree no longer has";
}

NeAlarmLogRec LogEntry(uint32_t entityId, uint32_t actual, uint32_t mask)
{
    NeAlarmLogRec rec;
    rec.entityId = entityId;
    rec.plannedType = kNone;
    rec.actualType = actual;
    rec.alarmMask = mask;
    return rec;
}

TEST_F(AlarmEventRowsTest, TheNesOwnLog)
{
    struct Case {
        const char* name;
        NeAlarmLogRec rec;
        int severity;
        int image;
        uint16_t flags;
        uint32_t alarmType;
        std::string alarms;
    };
    const Case cases[] = {
        {"a module's alarm", LogEntry(10100, kAlc24, 0x2), 2, 13, kRowFilterShown | kRowFilterMajor, 1, "Card Fail"},
        {"the gravest definition decides", LogEntry(10101, kAdslPort, 0x9), 3, 14, kRowFilterShown | kRowFilterMinor, 2,
         "ATU-C LOS,ATU-R LOS"},
        {"a port only disabled is of equipment", LogEntry(10101, kAdslPort, 1u << 31), 5, 16,
         kRowFilterShown | kRowFilterInfo, 1, "Disabled"},
        {"no alarm: the alarms cleared", LogEntry(10100, kAlc24, 0), 0, 11, kRowFilterShown | kRowFilterCleared, 1, ""},
        {"only undefined bits: cleared too", LogEntry(10100, kAlc24, 1u << 20), 0, 11,
         kRowFilterShown | kRowFilterCleared, 1, ""},
    };
    const CNeRecord* ne = AppData().nes.FindNeById(kBravo);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AlarmRowLook look = LookOfNeAlarmLogEntry(c.rec, ne);
        EXPECT_EQ(look.severity, c.severity);
        EXPECT_EQ(look.image, c.image);
        EXPECT_EQ(look.flags, c.flags);
        EXPECT_EQ(look.alarmType, c.alarmType);
        EXPECT_EQ(look.alarms, c.alarms);
    }
    EXPECT_FALSE(LookOfNeAlarmLogEntry(LogEntry(10100, kAlc24, 0x2), nullptr).HasRow()) << "no NE";
    EXPECT_FALSE(LookOfNeAlarmLogEntry(LogEntry(90909, kNone, 0x2), ne).HasRow()) << "no model";
}

TEST_F(AlarmEventRowsTest, APageHoldsAtMost5000RecordsWhateverTheReplyCarries)
{
    std::vector<AlarmEventRec> records(8000, Event("bravo", 10100, kAlc24, kAlc24, 0x1));
    records[3].alarmMask = 0; // gives no row
    const std::vector<AlarmEventEntry> page = MakeAlarmEventPage(records, {false, 0, 0});
    ASSERT_EQ(page.size(), 5000u);
    EXPECT_EQ(page.back().index, 4999u);
    const std::vector<uint32_t> keys = RowKeysOf(page);
    EXPECT_EQ(keys.size(), 4999u);
    EXPECT_EQ(keys[3], 4u);

    const std::vector<NeAlarmLogRec> entries(6000, LogEntry(10100, kAlc24, 0x2));
    EXPECT_EQ(MakeNeAlarmLogPage(entries, AppData().nes.FindNeById(kBravo), 0).size(), 5000u);
}

// The server's history list sorts each column by its value and then by the place of the alarm (location, NE, entity);
// NE and Slot-Port by the NE and the entity alone. The records arrive in no column's order, and the place decides
// between equal values.
TEST_F(AlarmEventRowsTest, TheServerListSortsEachColumnThenByThePlace)
{
    ASSERT_EQ(SetUserRights(kRoleUser, "mmmmmmmmmmmmmmmmmmmm"), 0);
    struct Rec {
        const char* location;
        const char* ne;
        uint32_t entityId;
        uint32_t model;
        uint32_t severity;
        uint32_t occur, receive, clear;
        const char* ackPerson;
        uint32_t ackTime;
    };
    const Rec recs[] = {
        {"north", "alpha", 10101, kAdslPort, 5, 100, 400, 300, "Cid", 200},
        {"North", "alpha", 10100, kAlc24, 1, 300, 300, 100, "ann", 100},
        {"Harbour", "charlie", 10100, kAlc24, 2, 300, 200, 200, "bob", 400},
        {"Harbour", "bravo", 10200, kAlc24, 2, 400, 100, 400, "Bob", 300},
    };
    std::vector<AlarmEventRec> records;
    for (const Rec& r : recs) {
        AlarmEventRec rec = Event(r.ne, r.entityId, r.model, r.model, 0x1, r.severity, r.ackPerson);
        rec.recordNo = static_cast<uint32_t>(records.size() + 1);
        rec.locationName = r.location;
        rec.occurTime = r.occur;
        rec.receiveTime = r.receive;
        rec.clearTime = r.clear;
        rec.ackTime = r.ackTime;
        records.push_back(rec);
    }
    perf_test::CScriptedPeer peer;
    peer.Answer(kReqAlarmEvent, records);

    struct Row {
        int column;
        QStringList ascending; // the No. column
    };
    const Row rows[] = {
        {0, {"1", "2", "3", "4"}},  {1, {"1", "4", "3", "2"}}, // info, major (Harbour: bravo, charlie), critical
        {2, {"4", "3", "2", "1"}},  // Harbour before North, bravo before charlie, entity 10100 before 10101
        {3, {"2", "1", "4", "3"}},  // the NE, then the entity; not the location
        {4, {"2", "1", "4", "3"}},  // as NE
        {5, {"1", "3", "2", "4"}},  // "ADSL Port", then ALC-24 by occur time, equal times by place
        {6, {"1", "4", "3", "2"}},  // as Severity
        {7, {"1", "4", "3", "2"}},  // as Severity
        {8, {"1", "3", "2", "4"}},  // occur time, equal times by place
        {9, {"4", "3", "2", "1"}},  // receive time
        {10, {"2", "3", "1", "4"}}, // clear time
        {11, {"2", "4", "3", "1"}}, // ann, Bob/bob by place, Cid
        {12, {"2", "1", "4", "3"}}, // acknowledgement time
    };
    CAlarmEventListDlg dialog;
    const CEntityId everything;
    dialog.SetTarget(0, &everything);
    dialog.SetHandOver({.queryMode = kAlarmQueryHistory});
    ScriptedModalRunner runner;
    runner.Push([&](QDialog&) {
        dialog.OnFirstShow();
        const CListControl list(dialog.FindList(kListControlId));
        const auto numbers = [&list] { return ColumnTexts(list, 0); };
        EXPECT_EQ(numbers(), (QStringList{"1", "2", "3", "4"}));
        for (const Row& row : rows) {
            SCOPED_TRACE(row.column);
            dialog.SortList(row.column, kSortAscending);
            EXPECT_EQ(numbers(), row.ascending);
            dialog.SortList(row.column, kSortDescending);
            EXPECT_EQ(numbers(), (QStringList{row.ascending[3], row.ascending[2], row.ascending[1], row.ascending[0]}));
        }
        return IDCANCEL;
    });
    dialog.DoModal();
}

// Detail and Acknowledge wait for a selected row of the location queried: a greyed row of another location offers
// neither.
TEST_F(AlarmEventRowsTest, ARowOutsideTheLocationOffersNoDetailNorAcknowledgement)
{
    ASSERT_EQ(SetUserRights(kRoleUser, "mmmmmmmmmmmmmmmmmmmm"), 0);
    perf_test::CScriptedPeer peer;
    peer.Answer(kReqAlarmEvent, std::vector<AlarmEventRec>{Event("alpha", 10100, kAlc24, kAlc24, 0x1),
                                                           Event("charlie", 10100, kAlc24, kAlc24, 0x1)});
    CAlarmEventListDlg dialog;
    const CEntityId everything;
    dialog.SetTarget(0, &everything);
    dialog.SetLocationId(static_cast<int>(kNorth));
    dialog.SetHandOver({.queryMode = kAlarmQueryActive});
    ScriptedModalRunner runner;
    runner.Push([&](QDialog&) {
        dialog.OnFirstShow();
        CListControl list(dialog.FindList(kListControlId));
        EXPECT_EQ(list.GetItemCount(), 2);
        for (int row = 0; row < list.GetItemCount() && row < 2; ++row) {
            const QString ne = list.GetItemText(row, 3);
            SCOPED_TRACE(ne.toStdString());
            list.SetItemSelected(1 - row, false);
            list.SetItemSelected(row, true);
            const bool north = ne == QStringLiteral("alpha");
            EXPECT_EQ(dialog.IsControlEnabled(CAlarmEventListDlg::kDetailButtonId), north);
            EXPECT_EQ(dialog.IsControlEnabled(CAlarmEventListDlg::kAcknowledgeButtonId), north);
        }
        return IDCANCEL;
    });
    dialog.DoModal();
}

// The NE's own log sorts Severity by gravity, the texts and Occur Time (the NE's up time) by their values, each then by
// the entity.
TEST_F(AlarmEventRowsTest, TheNesLogSortsEachColumnThenByTheEntity)
{
    ASSERT_EQ(SetUserRights(kRoleUser, "mmmmmmmmmmmmmmmmmmmm"), 0);
    const auto entry = [](uint32_t number, uint32_t entityId, uint32_t model, uint32_t mask, uint32_t uptime) {
        NeAlarmLogRec rec = LogEntry(entityId, model, mask);
        rec.recordNo = number;
        rec.occurUptime = uptime;
        return rec;
    };
    perf_test::CScriptedPeer peer;
    peer.Answer(kReqNeAlarmLog, std::vector<NeAlarmLogRec>{
                                    entry(1, 10300, kAlc24, 0x4, 300),    // High Temp: minor
                                    entry(2, 10100, kAlc24, 0x1, 200),    // Card Out: major
                                    entry(3, 10200, kAlc24, 0x8, 100),    // FW Mismatch: warning
                                    entry(4, 10101, kAdslPort, 0x1, 300), // ATU-C LOS: minor
                                });
    struct Row {
        int column;
        QStringList ascending; // the No. column
    };
    const Row rows[] = {
        {1, {"3", "4", "1", "2"}}, // warning, the two minors by entity, major
        {5, {"4", "2", "3", "1"}}, // "ADSL Port", then the ALC-24 slots by entity
        {8, {"3", "2", "4", "1"}}, // up time, equal times by entity
    };
    CHistoryAlarmListDlg dialog;
    const CEntityId ne(1u);
    dialog.SetTarget(kAlpha, &ne);
    ScriptedModalRunner runner;
    runner.Push([&](QDialog&) {
        dialog.OnFirstShow();
        const CListControl list(dialog.FindList(kListControlId));
        const auto numbers = [&list] { return ColumnTexts(list, 0); };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.column);
            dialog.SortList(row.column, kSortAscending);
            EXPECT_EQ(numbers(), row.ascending);
        }
        return IDCANCEL;
    });
    dialog.DoModal();
}

TEST(ChainKeyTest, OrdersByEachPartInTurn)
{
    const auto key = [](int severity, const char* location, uint32_t entity) {
        return std::string(CChainKey().Gravity(severity).Text(location).Number(entity));
    };
    EXPECT_LT(key(5, "zeta", 1), key(1, "alpha", 1)) << "info lies below critical";
    EXPECT_LT(key(0, "zeta", 1), key(5, "alpha", 1)) << "cleared lowest";
    EXPECT_LT(key(2, "Alpha", 9), key(2, "beta", 1)) << "texts without regard to case";
    EXPECT_EQ(key(2, "NORTH", 5), key(2, "north", 5));
    EXPECT_LT(key(2, "ab", 1), key(2, "abc", 1)) << "a shorter text first";
    EXPECT_LT(key(2, "north", 9), key(2, "north", 10)) << "numbers by value";
}

} // namespace
