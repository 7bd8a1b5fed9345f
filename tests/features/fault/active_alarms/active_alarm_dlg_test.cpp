// The active alarm list as a dialog on a small network: its rows from the entity tree, its counts, the order of its
// columns (Entity Type by the entity's type, the times and the acknowledgement under the keys before their columns'
// numbers), the query right that Refresh checks, a shelf of a one-shelf NE standing for the NE, and what direct mode
// leaves out.

#include "tests/features/fault/trap_log/trap_log_test_support.h"

#include "core/entity/entity_id.h"
#include "core/tables/entity_node.h"
#include "core/util/date_time_format.h"
#include "features/fault/active_alarms/active_alarm_dlg.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"
#include "ui/framework/menus/context_menu.h"

#include <QLabel>
#include <QTreeView>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using namespace trap_log_test;

constexpr uint32_t kSlot = 10100;    // ALC-24
constexpr uint32_t kPort = 10101;    // ADSL Port
constexpr uint32_t kFanSlot = 10200; // FAN-4
constexpr int kSlotPortColumn = 4;
constexpr int kEntityTypeColumn = 5;

class ActiveAlarmDlgTest : public FaultTestEnvironment {
protected:
    void SetUp() override
    {
        FaultTestEnvironment::SetUp();
        CEntityNode& root = *AppData().nes.FindNeById(kBravo)->root;
        root.FindById(10000)->SetType(root.FindById(10000)->GetPlannedType(), kPlannedTypeSame);
        ASSERT_TRUE(root.FindById(kSlot)->SetType(130, kPlannedTypeSame)); // the IPD-12's ALC-24
        ASSERT_TRUE(root.FindById(kFanSlot)->SetType(141, kPlannedTypeSame)); // and FAN-4
        root.FindById(kPort)->SetType(root.FindById(kPort)->GetPlannedType(), kPlannedTypeSame);
        Connect(root);
        Alarm(kSlot, 0x2, 2);
        Alarm(kPort, 0x1, 3);
        Alarm(kFanSlot, 0x4, 4);
    }

    static void Connect(CEntityNode& node)
    {
        node.SetStateBits(0);
        for (int i = 0; i < node.GetChildCount(); ++i)
            Connect(*node.GetChild(i));
    }

    static void Alarm(uint32_t id, uint32_t bits, uint32_t severity)
    {
        CEntityNode* node = AppData().nes.FindNeById(kBravo)->root->FindById(id);
        node->SetStateBits(bits);
        node->severity = severity;
    }

    // Opens the list on the entity (of bravo unless told) and hands it to the check once its rows are in.
    void Show(uint32_t entityId, const std::function<void(CActiveAlarmDlg&)>& check, uint32_t neId = kBravo)
    {
        CActiveAlarmDlg dialog;
        const CEntityId entity(entityId);
        dialog.SetTarget(static_cast<int>(neId), &entity);
        runner_.Push([&](QDialog&) {
            dialog.OnFirstShow();
            check(dialog);
            return IDCANCEL;
        });
        dialog.DoModal();
    }

    static QStringList Column(CActiveAlarmDlg& dialog, int column)
    {
        const CListControl list(dialog.FindList(kListControlId));
        QStringList texts;
        for (int row = 0; row < list.GetItemCount(); ++row)
            texts << list.GetItemText(row, column);
        return texts;
    }

    static QString Count(CActiveAlarmDlg& dialog, int id) { return dialog.GetDlgItemAs<QLabel>(id)->text(); }

    ScriptedModalRunner runner_;
};

TEST_F(ActiveAlarmDlgTest, RowsCountsAndTheEntityTypeOrder)
{
    Show(1, [](CActiveAlarmDlg& dialog) {
        EXPECT_EQ(Column(dialog, kSlotPortColumn), (QStringList{"1", "1-1", "2"}));
        EXPECT_EQ(Count(dialog, CActiveAlarmDlg::kTotalCountId), QStringLiteral("3"));
        EXPECT_EQ(Count(dialog, CActiveAlarmDlg::kSeverityCountIds[1]), QStringLiteral("1"));
        EXPECT_EQ(Count(dialog, CActiveAlarmDlg::kSeverityCountIds[3]), QStringLiteral("1"));
        // Entity Type orders by the entity's type, not by where the entity is.
        dialog.SortList(kEntityTypeColumn, 1);
        EXPECT_EQ(Column(dialog, kEntityTypeColumn), (QStringList{"ADSL Port", "ALC-24", "FAN-4"}));
        dialog.SortList(kEntityTypeColumn, 2);
        EXPECT_EQ(Column(dialog, kEntityTypeColumn), (QStringList{"FAN-4", "ALC-24", "ADSL Port"}));
    });
}

TEST_F(ActiveAlarmDlgTest, TimesAndAcknowledgementSortUnderTheKeysBeforeTheirColumns)
{
    // Each of the four columns orders the three entities otherwise (slot "1", port "1-1", fan slot "2"). Times are
    // signed: the fan slot's occur time, 0xFFFFFF00, counts as before 1970 and comes first.
    struct Detail {
        uint32_t entityId;
        uint32_t occur;
        uint32_t receive;
        const char* person;
        uint32_t ackTime;
    };
    for (const Detail& d : {Detail{kSlot, 300, 200, "ann", 100}, Detail{kPort, 100, 300, "cid", 200},
                            Detail{kFanSlot, 0xFFFFFF00, 100, "Bob", 300}}) {
        CEntityAlarmDetail detail;
        detail.occurTime = d.occur;
        detail.receiveTime = d.receive;
        detail.ackFlag = 1;
        detail.ackPerson = d.person;
        detail.ackTime = d.ackTime;
        AppData().nes.FindNeById(kBravo)->root->FindById(d.entityId)->SetAlarmDetail(detail);
    }
    struct Row {
        int column;
        QStringList ascending;
    };
    const Row rows[] = {
        {8, {"2", "1-1", "1"}},  // occur time
        {9, {"2", "1", "1-1"}},  // receive time
        {10, {"1", "2", "1-1"}}, // acknowledging person, without regard to case
        {11, {"1", "1-1", "2"}}, // acknowledgement time
        {7, {"2", "1-1", "1"}},  // Alarms ... by severity: warning, minor, major
    };
    // The compare keys the four columns sort under, 7..10, order the entities as those columns.
    const std::vector<uint32_t> byKey[] = {
        {kFanSlot, kPort, kSlot}, {kFanSlot, kSlot, kPort}, {kSlot, kFanSlot, kPort}, {kSlot, kPort, kFanSlot}};
    Show(1, [&](CActiveAlarmDlg& dialog) {
        for (uint32_t key = 7; key <= 10; ++key) {
            std::vector<uint32_t> entities = {kSlot, kPort, kFanSlot};
            std::sort(entities.begin(), entities.end(),
                      [&](uint32_t a, uint32_t b) { return dialog.CompareItems(a, b, key) < 0; });
            EXPECT_EQ(entities, byKey[key - 7]) << "key " << key;
        }
        for (const Row& row : rows) {
            SCOPED_TRACE(row.column);
            dialog.SortList(row.column, 1);
            EXPECT_EQ(Column(dialog, kSlotPortColumn), row.ascending);
            dialog.SortList(row.column, 2);
            EXPECT_EQ(Column(dialog, kSlotPortColumn),
                      (QStringList{row.ascending[2], row.ascending[1], row.ascending[0]}));
        }
    });
}

TEST_F(ActiveAlarmDlgTest, RefreshChecksTheRightToQueryAlarms)
{
    struct Case {
        const char* rights; // functions 0..9: 9 is the active alarms'
        int rowsAtOpening;
        const char* message; // on Refresh
    };
    for (const Case& c : {Case{"qqqqqqqqqq", 3, ""}, Case{"qqqqqqqqq-", 0, "No privilege"}}) {
        SCOPED_TRACE(c.rights);
        ASSERT_EQ(SetUserRights(kRoleUser, c.rights), 0);
        Show(1, [&](CActiveAlarmDlg& dialog) {
            EXPECT_EQ(Column(dialog, kSlotPortColumn).size(), c.rowsAtOpening);
            Alarm(10000, 0x2, 1); // a shelf alarm comes
            dialog.OnCommand(kRefreshButtonId, BN_CLICKED);
            EXPECT_EQ(Column(dialog, kSlotPortColumn).size(), c.rowsAtOpening == 0 ? 0 : 4);
            EXPECT_EQ(dialog.GetMessageText(), QString::fromLatin1(c.message));
            // A filter box fills the list with its filter, without asking for the right again.
            dialog.OnCommand(kSeverityBoxes[0].checkId, BN_CLICKED);
            EXPECT_EQ(Column(dialog, kSlotPortColumn).size(), 4);
        });
        Alarm(10000, 0, 0);
    }
}

TEST_F(ActiveAlarmDlgTest, DetailChecksTheTargetFirstThenTheRow)
{
    Show(1, [](CActiveAlarmDlg& dialog) {
        dialog.OnDetail();
        EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Please select one item"));
        CListControl(dialog.FindList(kListControlId)).SetItemSelected(0, true);
        dialog.ClearMessageLine();
        AppData().nes.ClearNeTable(); // the NE went while the list was open
        dialog.OnDetail();
        EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Unknown NE"));
    });
}

TEST_F(ActiveAlarmDlgTest, AShelfOfAOneShelfNeStandsForTheNe)
{
    Alarm(1, 0x8, 5); // the NE's own: Config Changed
    Show(10000, [](CActiveAlarmDlg& dialog) {
        EXPECT_EQ(dialog.GetTargetEntity().id, 1u);
        EXPECT_EQ(Column(dialog, kSlotPortColumn), (QStringList{"", "1", "1-1", "2"}));
    });
    // A shelf of a two-shelf NE stays the shelf.
    Show(
        20000, [](CActiveAlarmDlg& dialog) { EXPECT_EQ(dialog.GetTargetEntity().id, 20000u); }, kAlpha);
}

TEST_F(ActiveAlarmDlgTest, DirectModeLeavesOutTheAcknowledgement)
{
    AppSettings().directControl = true;
    Show(1, [](CActiveAlarmDlg& dialog) {
        EXPECT_FALSE(dialog.IsControlVisible(CActiveAlarmDlg::kAcknowledgeButtonId));
        EXPECT_FALSE(dialog.IsControlVisible(CActiveAlarmDlg::kAckCheckId));
        EXPECT_FALSE(dialog.IsControlVisible(CActiveAlarmDlg::kNackCheckId));
        for (int column :
             {CActiveAlarmDlg::kLocationColumn, CActiveAlarmDlg::kAckPersonColumn, CActiveAlarmDlg::kAckTimeColumn})
            EXPECT_TRUE(dialog.IsColumnHidden(column)) << column;
        EXPECT_EQ(Column(dialog, kSlotPortColumn).size(), 3);
    });
}

TEST_F(ActiveAlarmDlgTest, ThePopupLeavesOutDetailAndAcknowledgeWithoutARow)
{
    const int menuBefore = GetListPopupMenuId();
    SetListPopupMenuId(103); // server mode
    ScriptedPopupMenus menus;
    Show(1, [&](CActiveAlarmDlg& dialog) {
        NotifyHeader click;
        click.idFrom = kListControlId;
        click.code = NM_RCLICK;
        int result = 0;
        dialog.OnNotify(click, &result);
        CListControl(dialog.FindList(kListControlId)).SetItemSelected(0, true);
        dialog.OnNotify(click, &result);
    });
    SetListPopupMenuId(menuBefore);
    ASSERT_EQ(menus.Shown().size(), 2u);
    EXPECT_EQ(menus.Shown()[0], (std::vector<int>{33084, 33024, 33023}));
    EXPECT_EQ(menus.Shown()[1], (std::vector<int>{33012, 33000, 33084, 33024, 33023}));
}

TEST_F(ActiveAlarmDlgTest, TimesAreWrittenAlikeAnUnacknowledgedEntityIncluded)
{
    CEntityNode* slot = AppData().nes.FindNeById(kBravo)->root->FindById(kFanSlot);
    CEntityAlarmDetail occurred;
    occurred.occurTime = 1700000000;
    slot->SetAlarmDetail(occurred);
    Show(kFanSlot, [](CActiveAlarmDlg& dialog) {
        ASSERT_EQ(Column(dialog, kSlotPortColumn), (QStringList{"2"}));
        EXPECT_EQ(Column(dialog, 8), QStringList{QString::fromStdString(FormatDateTime(1700000000))});
        EXPECT_EQ(Column(dialog, CActiveAlarmDlg::kAckTimeColumn),
                  QStringList{QString::fromStdString(FormatDateTime(0))});
    });
}

} // namespace
