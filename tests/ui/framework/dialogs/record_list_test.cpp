#include "tests/ui/framework/framework_test_support.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/user_account.h"
#include "platform/list_control.h"
#include "platform/notify_codes.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"
#include "ui/framework/lists/record_sort_proxy.h"
#include "ui/framework/lists/record_table_model.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QPushButton>
#include <QStringList>
#include <QTreeView>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

struct Host {
    uint32_t id = 0;
    std::string name;
    uint32_t load = 0;
    IpAddress address{};
};

constexpr int kHostRight = 21;

// A list dialog with a model-backed list 1212, built in code, that notes which record hook ran.
class CHostListDlg : public CRecordListDlg {
public:
    CHostListDlg() : CRecordListDlg(9002, {.rowCommands = {kRowShow, kRowModify, kRowDelete}, .right = kHostRight})
    {
        resize(400, 200);
        list = new QTreeView(this);
        list->setGeometry(10, 10, 380, 150);
        list->setRootIsDecorated(false);
        SetCtrlId(list, kListControlId);
        // The buttons of the row commands it declares, as a template has them.
        for (int id : {kShowButtonId, kModifyButtonId, kDeleteButtonId})
            SetCtrlId(new QPushButton(this), id);
    }
    void OnShowRecord(uint32_t) override { hook = kShowButtonId; }
    void OnModifyRecord(uint32_t) override { hook = kModifyButtonId; }
    void OnAddRecord(std::optional<uint32_t>) override { hook = kAddButtonId; }
    void OnDeleteRecord(uint32_t) override { hook = kDeleteButtonId; }

    QTreeView* list = nullptr;
    int hook = 0;
};

// No., Name, Load, Address.
std::vector<ListColumn<Host>> HostColumns()
{
    return {
        {.order = ListOrder::kArrival},
        {.value = &Host::name},
        {.value = &Host::load, .order = ListOrder::kUnsigned},
        {.value = &Host::address, .order = ListOrder::kIpv4},
    };
}

// A column's cells as the list shows them, top down.
QString Column(const CHostListDlg& dialog, int column)
{
    const CListControl list(dialog.list);
    QStringList cells;
    for (int row = 0; row < list.GetItemCount(); ++row)
        cells.push_back(list.GetItemText(row, column));
    return cells.join(',');
}

using HostTable = std::map<uint32_t, Host>;

// A table's record by key, null when it has none; `lookups` counts the looks.
const Host* FindHost(const HostTable& table, uint32_t key, int* lookups = nullptr)
{
    if (lookups != nullptr)
        ++*lookups;
    const auto found = table.find(key);
    return found != table.end() ? &found->second : nullptr;
}

// The table's keys, in key order.
std::vector<uint32_t> HostKeys(const HostTable& table)
{
    std::vector<uint32_t> keys;
    for (const auto& [key, host] : table)
        keys.push_back(key);
    return keys;
}

class RecordListTest : public ::testing::Test {
protected:
    // The dialog shows the rows from its start, as a list dialog does.
    void Show(CListRows& rows)
    {
        dialog_.SetRecordList(rows);
        dialog_.Create();
        dialog_.show();
        ASSERT_TRUE(PumpUntil([this] { return dialog_.IsFirstShowDone(); }));
        dialog_.InitListColumns("No.|Name|Load|Address");
    }

    void Sort(int column, int direction) { dialog_.SortList(column, direction); }

    ScriptedModalRunner unattended_; // a box that should not come is answered, not waited for
    CHostListDlg dialog_;
};

TEST_F(RecordListTest, RowsFollowTheRecordsTheyShowAndKeepTheirPlacesAndNumbers)
{
    CRecordList<Host> rows(dialog_, HostColumns(), &Host::id);
    Show(rows);
    QAbstractItemModelTester checkRows(&rows.Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester checkList(dialog_.ListProxy(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    rows.SetFilter([](const Host& host) { return !host.name.empty(); });
    rows.SetTies(ListTies::kArrival);

    // The filter takes its records, a key that comes again keeps its first row, and the rows are numbered as they
    // came.
    rows.SetRecords({{7, "beta", 600, {10, 0, 0, 9}},
                     {3, "", 1, {}},
                     {5, "Alpha", 90, {10, 0, 0, 10}},
                     {9, "gamma", 90, {9, 0, 0, 1}},
                     {7, "again", 1, {}}});
    EXPECT_EQ(Column(dialog_, 0), QStringLiteral("1,2,3"));
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("beta,Alpha,gamma"));
    EXPECT_EQ(Column(dialog_, 3), QStringLiteral("10.0.0.9,10.0.0.10,9.0.0.1"));

    // Each column by its own order; equal loads by the rows' numbers, whichever way the column goes.
    Sort(2, kSortAscending);
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("Alpha,gamma,beta"));
    Sort(2, kSortDescending);
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("beta,Alpha,gamma"));
    Sort(3, kSortAscending);
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("gamma,beta,Alpha"));
    Sort(1, kSortAscending);
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("Alpha,beta,gamma"));

    // A change shows in its row where it is, the selection staying with it; a new record comes at the bottom with
    // the next number; a record the filter does not take changes nothing.
    EXPECT_FALSE(dialog_.SelectRowByItemData(3)); // no row has it
    ASSERT_TRUE(dialog_.SelectRowByItemData(7));
    EXPECT_EQ(CListControl(dialog_.list).GetNextSelected(), 1);
    EXPECT_TRUE(rows.Put({7, "Beta-2", 5, {10, 0, 0, 9}}));
    EXPECT_TRUE(rows.Put({4, "delta", 1, {10, 0, 0, 1}}));
    EXPECT_FALSE(rows.Put({5, "", 0, {}}));
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("Alpha,Beta-2,gamma,delta"));
    EXPECT_EQ(Column(dialog_, 0), QStringLiteral("2,1,3,4"));
    EXPECT_EQ(Column(dialog_, 2), QStringLiteral("90,5,90,1"));
    EXPECT_EQ(dialog_.SelectedItemData(), 7u);

    // A row that goes leaves the selection where it is; the selected row that goes leaves no row selected and the
    // row commands off (the list would select the row that takes its place).
    rows.Remove(9);
    EXPECT_EQ(rows.Find(9), nullptr);
    EXPECT_EQ(Column(dialog_, 0), QStringLiteral("2,1,4"));
    EXPECT_EQ(dialog_.SelectedItemData(), 7u);
    Sort(0, kSortAscending);
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("Beta-2,Alpha,delta"));
    EXPECT_EQ(rows.Find(7)->load, 5u);
    CListControl(dialog_.list).SetCurrentItem(0);
    rows.Remove(7);
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("Alpha,delta"));
    EXPECT_EQ(dialog_.SelectedRow(), -1);
    EXPECT_FALSE(dialog_.IsControlEnabled(kDeleteButtonId));
    EXPECT_FALSE(dialog_.IsControlEnabled(kModifyButtonId));
}

TEST_F(RecordListTest, RecordsAppliedTogetherChangeAddAndRemoveRowsInOneGo)
{
    CRecordList<Host> rows(dialog_, HostColumns(), &Host::id);
    Show(rows);
    QAbstractItemModelTester checkRows(&rows.Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    rows.SetFilter([](const Host& host) { return !host.name.empty(); });
    rows.SetRecords({{7, "beta", 600, {}}, {5, "Alpha", 90, {}}, {9, "gamma", 90, {}}});

    // Known keys show their change, a new key comes at the bottom with the next number, a record the filter does not
    // take changes nothing, and a removed key's row goes (an unknown one is no matter).
    rows.Apply({{9, "gamma", 12345678, {}}, {4, "delta", 1, {}}, {7, "", 0, {}}, {5, "Alpha-2", 91, {}}}, {7, 8});
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("Alpha-2,gamma,delta"));
    EXPECT_EQ(Column(dialog_, 2), QStringLiteral("91,12345678,1"));
    EXPECT_EQ(Column(dialog_, 0), QStringLiteral("2,3,4"));
    EXPECT_EQ(rows.Find(7), nullptr);
    EXPECT_EQ(rows.Find(4)->load, 1u);
    // The columns made room for the widest value that came.
    const int needed = dialog_.list->fontMetrics().horizontalAdvance(QStringLiteral("12345678"));
    EXPECT_GE(dialog_.list->header()->sectionSize(2), needed);
}

// A sort makes each row's sort value once, not at each of its comparisons, and a later change is seen by the next.
TEST_F(RecordListTest, RowsEqualInTheClickedColumnGoByTheFurtherColumnsThenByTheirTies)
{
    CRecordList<Host> rows(dialog_, HostColumns(), &Host::id);
    Show(rows);
    rows.SetTieColumns({2, 3});
    rows.SetTies(ListTies::kArrival);
    rows.SetRecords({{1, "b", 90, {10, 0, 0, 9}},
                     {2, "a", 90, {10, 0, 0, 2}},
                     {3, "b", 5, {10, 0, 0, 7}},
                     {4, "b", 90, {10, 0, 0, 10}},
                     {5, "b", 90, {10, 0, 0, 10}}});

    // Name, then load, then address (as an address, not as text), then the order they came.
    Sort(1, kSortAscending);
    EXPECT_EQ(Column(dialog_, 0), QStringLiteral("2,3,1,4,5"));
    // Descending turns the further columns too; the ties stay in the order the rows came.
    Sort(1, kSortDescending);
    EXPECT_EQ(Column(dialog_, 0), QStringLiteral("4,5,1,3,2"));
    // The clicked column is not compared twice: by load, then address.
    Sort(2, kSortAscending);
    EXPECT_EQ(Column(dialog_, 0), QStringLiteral("3,2,1,4,5"));
}

TEST_F(RecordListTest, ASortMakesEachRowsSortValueOnce)
{
    int made = 0;
    std::vector<ListColumn<Host>> columns = HostColumns();
    columns[1].sortValue = [&made](const Host& host) {
        ++made;
        return ListValue(host.name);
    };
    CRecordList<Host> rows(dialog_, std::move(columns), &Host::id);
    Show(rows);
    constexpr uint32_t kRows = 2000;
    std::vector<Host> hosts;
    for (uint32_t i = 0; i < kRows; ++i)
        hosts.push_back({i + 1, "host-" + std::to_string((i * 7919) % kRows + 10000), i, {}});
    rows.SetRecords(hosts);

    made = 0;
    Sort(1, kSortAscending);
    EXPECT_LE(made, static_cast<int>(kRows));
    EXPECT_TRUE(Column(dialog_, 1).startsWith(QStringLiteral("host-10000,host-10001,host-10002,")));
    rows.Apply({{1, "host-00000", 0, {}}}, {});
    made = 0;
    Sort(1, kSortAscending);
    EXPECT_LE(made, static_cast<int>(kRows));
    EXPECT_TRUE(Column(dialog_, 1).startsWith(QStringLiteral("host-00000,host-10001,host-10002,")));
}

TEST_F(RecordListTest, ATableListShowsTheTablesRecordsByTheirKeys)
{
    HostTable table{{1, {1, "north", 3, {}}}, {2, {2, "south", 1, {}}}};
    CTableRecordList<Host> rows(
        dialog_, HostColumns(), [&table](uint32_t key) { return FindHost(table, key); },
        [&table] { return HostKeys(table); });
    Show(rows);
    QAbstractItemModelTester checkList(dialog_.ListProxy(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    dialog_.FillList();
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("north,south"));

    // The rows read the table: a change shows once its row is told, a gone record's row goes, a new one comes last.
    table[2].name = "South";
    rows.Update(2);
    table.erase(1);
    rows.Update(1);
    table[3] = {3, "east", 2, {}};
    rows.Update(3);
    rows.Update(8); // neither a row nor a record
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("South,east"));
    EXPECT_EQ(Column(dialog_, 0), QStringLiteral("2,3"));

    // A row whose record went without the list being told goes first, whichever way the column goes.
    table.erase(3);
    Sort(1, kSortDescending);
    EXPECT_EQ(CListControl(dialog_.list).GetItemData(0), 3u);
    Sort(1, kSortAscending);
    EXPECT_EQ(CListControl(dialog_.list).GetItemData(0), 3u);

    // A fill takes the table as it is and numbers the rows anew.
    dialog_.FillList();
    EXPECT_EQ(Column(dialog_, 0), QStringLiteral("1"));
    EXPECT_EQ(Column(dialog_, 1), QStringLiteral("South"));
}

TEST_F(RecordListTest, ATableListLooksNoRecordUpToSortByNumberWhileItsTablesLetNoneGo)
{
    constexpr uint32_t kRows = 300;
    HostTable table;
    for (uint32_t key = 1; key <= kRows; ++key)
        table[key] = {key, "host-" + std::to_string(1000 - key), key, {}};
    int lookups = 0;
    uint64_t removals = 0;
    CTableRecordList<Host> rows(
        dialog_, HostColumns(), [&](uint32_t key) { return FindHost(table, key, &lookups); },
        [&table] { return HostKeys(table); });
    rows.SetRemovalCount([&removals] { return removals; });
    Show(rows);
    dialog_.FillList();
    Sort(1, kSortAscending);
    ASSERT_EQ(CListControl(dialog_.list).GetItemData(0), kRows);

    // Back to the order of the fill without a look at the table for each row (the list may still read the cells it
    // draws).
    lookups = 0;
    Sort(0, kSortAscending);
    EXPECT_LT(lookups, static_cast<int>(kRows));
    EXPECT_TRUE(Column(dialog_, 0).startsWith(QStringLiteral("1,2,3,")));

    // Once the table let a record go, the rows look again: the row of the gone record goes first, either way.
    table.erase(200);
    ++removals;
    Sort(0, kSortDescending);
    EXPECT_EQ(CListControl(dialog_.list).GetItemData(0), 200u);
    EXPECT_EQ(CListControl(dialog_.list).GetItemData(1), kRows);
    Sort(0, kSortAscending);
    EXPECT_EQ(CListControl(dialog_.list).GetItemData(0), 200u);
    EXPECT_EQ(CListControl(dialog_.list).GetItemData(1), 1u);

    // A fill takes the table as it is; its rows' records are there again until the table lets another go.
    dialog_.FillList();
    lookups = 0;
    Sort(0, kSortDescending);
    EXPECT_LT(lookups, static_cast<int>(kRows));
    EXPECT_EQ(CListControl(dialog_.list).GetItemData(0), kRows);
}

// A fill in two steps lists on a later turn what it gathered, unless the table let a record go meanwhile: then the
// table as it is.
TEST_F(RecordListTest, AFillInTwoStepsListsTheGatheredRowsOnALaterTurn)
{
    HostTable table{{1, {1, "north", 3, {}}}, {2, {2, "south", 1, {}}}};
    uint64_t removals = 0;
    CTableRecordList<Host> rows(
        dialog_, HostColumns(), [&table](uint32_t key) { return FindHost(table, key); },
        [&table] { return HostKeys(table); });
    rows.SetRemovalCount([&removals] { return removals; });
    Show(rows);
    for (const bool letOneGo : {false, true}) {
        SCOPED_TRACE(letOneGo);
        table[3] = {3, "east", 2, {}};
        dialog_.FillListInTwoSteps();
        table[4] = {4, "west", 2, {}}; // comes after the gathering: not listed
        if (letOneGo) {
            table.erase(1);
            ++removals;
        }
        EXPECT_TRUE(dialog_.IsFillPending());
        ASSERT_TRUE(PumpUntil([this] { return !dialog_.IsFillPending(); }));
        EXPECT_EQ(Column(dialog_, 1),
                  letOneGo ? QStringLiteral("south,east,west") : QStringLiteral("north,south,east"));
        table.erase(4);
    }
}

TEST_F(RecordListTest, RowCommandsAskForTheRightBeforeTheRow)
{
    LoadProgramStrings();
    CRecordList<Host> rows(dialog_, HostColumns(), &Host::id);
    Show(rows);
    rows.SetRecords({{1, "north", 1, {}}});
    struct Case {
        char right;
        int command;
        bool rowSelected;
        const char* message;
        int hook;
    };
    const Case cases[] = {
        {'q', kModifyButtonId, false, "No privilege", 0},  {'q', kDeleteButtonId, true, "No privilege", 0},
        {'q', kAddButtonId, false, "No privilege", 0},     {'q', kShowButtonId, false, "Please select one item", 0},
        {'q', kPopupShow, true, "", kShowButtonId},        {'m', kModifyButtonId, false, "Please select one item", 0},
        {'m', kPopupModify, true, "", kModifyButtonId},    {'m', kPopupDelete, true, "No privilege", 0},
        {'c', kAddButtonId, true, "", kAddButtonId},       {'a', kDeleteButtonId, false, "Please select one item", 0},
        {'a', kDeleteButtonId, true, "", kDeleteButtonId}, {'c', kDeleteButtonId, true, "No privilege", 0},
        {'d', kDeleteButtonId, true, "", kDeleteButtonId}, {'m', kAddButtonId, false, "No privilege", 0},
        {'-', kShowButtonId, true, "No privilege", 0},
    };
    AppData().role = kRoleAdministrator;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.right) + " " + std::to_string(c.command) + (c.rowSelected ? " on a row" : ""));
        std::string rights(kHostRight + 1, '-');
        rights[kHostRight] = c.right;
        SetUserRights(kRoleAdministrator, rights.c_str());
        dialog_.list->clearSelection();
        if (c.rowSelected) {
            ASSERT_TRUE(dialog_.SelectRowByItemData(1));
        }
        dialog_.ClearMessageLine();
        dialog_.hook = 0;
        dialog_.OnCommand(c.command, BN_CLICKED);
        EXPECT_EQ(dialog_.GetMessageText(), QString::fromLatin1(c.message));
        EXPECT_EQ(dialog_.hook, c.hook);
    }
    ClearUserRights();
    AppData().role = kRoleNone;
}

// A row command's button withheld for want of its right stays off whatever row is chosen; one the operator may use
// follows the selection.
TEST_F(RecordListTest, AButtonWithheldForItsRightStaysOffOnEverySelection)
{
    CRecordList<Host> rows(dialog_, HostColumns(), &Host::id);
    Show(rows);
    rows.SetRecords({{1, "north", 1, {}}, {2, "south", 2, {}}});
    AppData().role = kRoleAdministrator;
    std::string rights(kHostRight + 1, '-');
    rights[kHostRight] = 'q';
    SetUserRights(kRoleAdministrator, rights.c_str());
    dialog_.EnableForRight(kModifyButtonId, kHostRight, 'm');
    dialog_.EnableForRight(kDeleteButtonId, kHostRight, 'q');
    for (const uint32_t key : {1u, 2u}) {
        ASSERT_TRUE(dialog_.SelectRowByItemData(key));
        EXPECT_FALSE(dialog_.IsControlEnabled(kModifyButtonId)) << key;
        EXPECT_TRUE(dialog_.IsControlEnabled(kDeleteButtonId)) << key;
    }
    dialog_.list->clearSelection();
    EXPECT_FALSE(dialog_.IsControlEnabled(kDeleteButtonId)) << "no row";
    rights[kHostRight] = 'm';
    SetUserRights(kRoleAdministrator, rights.c_str());
    dialog_.EnableForRight(kModifyButtonId, kHostRight, 'm');
    ASSERT_TRUE(dialog_.SelectRowByItemData(1));
    EXPECT_TRUE(dialog_.IsControlEnabled(kModifyButtonId));
    ClearUserRights();
    AppData().role = kRoleNone;
}

} // namespace

// A column sorted by the first characters of its texts compares those alone, letter case counting; what it shows is
// the whole text.
TEST(TextPrefixColumn, SortsByTheFirstCharactersOfTheTextWithCase)
{
    const ListColumn<Host> column = TextPrefixColumn<Host>(&Host::name, 20);
    EXPECT_EQ(column.order, ListOrder::kText);
    const struct {
        std::string name;
        std::string sorted;
    } cases[] = {{"twenty-characters-xxB", "twenty-characters-xx"},
                 {"twenty-characters-xx", "twenty-characters-xx"},
                 {"Zed", "Zed"}};
    for (const auto& c : cases) {
        Host host;
        host.name = c.name;
        EXPECT_EQ(column.value(host).text, c.name);
        EXPECT_EQ(column.sortValue(host).text, c.sorted);
    }
    Host upper;
    upper.name = "Zed";
    Host lower;
    lower.name = "abc";
    EXPECT_LT(
        CompareListRows(column.order, ListTies::kNone, false, {column.sortValue(upper)}, {column.sortValue(lower)}), 0);
}
