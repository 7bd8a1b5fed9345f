// The active alarm list as a dialog on a small network: its rows from the entity tree, its counts, the order of its
// columns (Entity Type by the entity's type), a shelf of a one-shelf NE standing for the NE, and what direct mode
// leaves out.

#include "tests/features/fault/trap_log/trap_log_test_support.h"

#include "core/entity/entity_id.h"
#include "core/tables/entity_node.h"
#include "core/util/date_time_format.h"
#include "features/fault/active_alarms/active_alarm_dlg.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"
#include "ui/framework/menus/context_menu.h"

#include <QLabel>
#include <QTreeView>

#include <functional>

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
        ASSERT_TRUE(root.FindById(kSlot)->SetType(30, kPlannedTypeSame));
        ASSERT_TRUE(root.FindById(kFanSlot)->SetType(41, kPlannedTypeSame));
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

    // Opens the list on the entity and hands it to the check once its rows are in.
    void Show(uint32_t entityId, const std::function<void(CActiveAlarmDlg&)>& check)
    {
        CActiveAlarmDlg dialog;
        const CEntityId entity(entityId);
        dialog.SetTarget(static_cast<int>(kBravo), &entity);
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

TEST_F(ActiveAlarmDlgTest, AShelfOfAOneShelfNeStandsForTheNe)
{
    Alarm(1, 0x8, 5); // the NE's own: Config Changed
    Show(10000, [](CActiveAlarmDlg& dialog) {
        EXPECT_EQ(dialog.GetTargetEntity().id, 1u);
        EXPECT_EQ(Column(dialog, kSlotPortColumn), (QStringList{"", "1", "1-1", "2"}));
    });
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
