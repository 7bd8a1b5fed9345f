#include "tests/features/fault/trap_log/trap_log_test_support.h"

#include "core/util/date_time_format.h"
#include "features/fault/trap_log/alarm_detail_dlg.h"
#include "features/fault/trap_log/event_detail_dlg.h"
#include "features/fault/trap_log/type_change_detail_dlg.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"

#include <QLineEdit>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>

namespace {

using namespace trap_log_test;

constexpr uint32_t kSlot = 10100;     // shelf 1, slot 1 of alpha
constexpr uint32_t kLineCard24 = 30;  // ALC-24
constexpr uint32_t kLineCard48 = 31;  // ALC-48
constexpr uint32_t kRelayModule = 42; // REL-4I2O: alarms 0, 1, 31
constexpr uint32_t kFanTray = 41;     // FAN-4: alarms 0..3, 31

class DetailDlgTest : public FaultTestEnvironment {
protected:
    // Runs the dialog and hands it to the check once its data are loaded.
    void Show(CAlarmDetailBaseDlg& dialog, const std::function<void(CAlarmDetailBaseDlg&)>& check)
    {
        runner_.Push([&](QDialog&) {
            dialog.OnFirstShow();
            check(dialog);
            return IDCANCEL;
        });
        dialog.DoModal();
    }

    static void Target(CAlarmDetailBaseDlg& dialog, uint32_t entityId)
    {
        const CEntityId entity(entityId);
        dialog.SetTarget(kAlpha, &entity);
    }

    static QString Field(const CAlarmDetailBaseDlg& dialog, int id)
    {
        auto* edit = dialog.GetDlgItemAs<QLineEdit>(id);
        EXPECT_NE(edit, nullptr) << id;
        return edit != nullptr ? edit->text() : QString();
    }

    // The list's rows, cells joined by "|".
    static QStringList Rows(const CAlarmDetailBaseDlg& dialog)
    {
        CListControl list(dialog.FindList(kListControlId));
        QStringList rows;
        for (int r = 0; r < list.GetItemCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < list.GetColumnCount(); ++c)
                cells << list.GetItemText(r, c);
            rows << cells.join('|');
        }
        return rows;
    }

    ScriptedModalRunner runner_;
};

TEST_F(DetailDlgTest, EventDetailShowsTheEntityItsModelsAndItsAlarms)
{
    CEventDetailDlg dialog;
    Target(dialog, kSlot);
    dialog.SetPlannedType(kLineCard24);
    dialog.SetOnlineType(kLineCard48);
    dialog.SetAlarmBits(0x5); // Card Out, High Temp
    dialog.SetSeverity(2);
    dialog.SetOccurTime(1700000000);
    dialog.SetReceiveTime(1700000005);
    Show(dialog, [](CAlarmDetailBaseDlg& d) {
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kLocationId), "North");
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kNeNameId), "alpha");
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kEntityId), "Shelf-1, Slot-1");
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kPlannedModelId), "ALC-24");
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kOnlineModelId), "ALC-48");
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kSeverityId), "Major");
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kOccurTimeId), QString::fromStdString(FormatDateTime(1700000000)));
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kReceiveTimeId), QString::fromStdString(FormatDateTime(1700000005)));
        EXPECT_EQ(Rows(d), (QStringList{"1|Card Out|Line card removed from its slot",
                                        "2|High Temp|Module temperature above the upper threshold"}));
        CListControl list(d.FindList(kListControlId));
        EXPECT_EQ(list.GetItemData(0), 1u); // alarm index + 1
        EXPECT_EQ(list.GetItemData(1), 3u);
        EXPECT_TRUE(d.GetMessageText().isEmpty());
    });
}

// Every dialog of the family: the severity by its value, 1..4 by name and any other as Info, Cleared for alarm bits
// 0; a receive time the caller never set as FormatDateTime gives it.
TEST_F(DetailDlgTest, EachDialogNamesTheSeverityAndShowsAnUnsetReceiveTime)
{
    struct Row {
        uint32_t alarmBits;
        int severity;
        const char* shown;
    };
    const Row rows[] = {{0x1, 1, "Critical"}, {0x1, 4, "Warning"}, {0x1, 5, "Info"},
                        {0x1, 0, "Info"},     {0x1, 6, "Info"},    {0x0, 1, "Cleared"}};
    const std::function<std::unique_ptr<CAlarmDetailBaseDlg>()> dialogs[] = {
        [] { return std::make_unique<CAlarmDetailDlg>(); },
        [] { return std::make_unique<CEventDetailDlg>(); },
        [] { return std::make_unique<CTypeChangeDetailDlg>(); },
    };
    for (const auto& make : dialogs) {
        for (const Row& row : rows) {
            std::unique_ptr<CAlarmDetailBaseDlg> dialog = make();
            SCOPED_TRACE(dialog->metaObject()->className() + std::string(" ") + row.shown);
            Target(*dialog, kSlot);
            dialog->SetPlannedType(kLineCard24);
            dialog->SetOnlineType(kLineCard24);
            dialog->SetAlarmBits(row.alarmBits);
            dialog->SetSeverity(row.severity);
            Show(*dialog, [&row](CAlarmDetailBaseDlg& d) {
                EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kSeverityId), row.shown);
                EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kReceiveTimeId), QString::fromStdString(FormatDateTime(0)));
            });
        }
    }
}

TEST_F(DetailDlgTest, ACleredStateShowsTheSingleRowClear)
{
    CEventDetailDlg dialog;
    Target(dialog, kSlot);
    dialog.SetPlannedType(kLineCard24);
    dialog.SetAlarmBits(0);
    dialog.SetSeverity(2);
    Show(dialog, [](CAlarmDetailBaseDlg& d) {
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kSeverityId), "Cleared");
        EXPECT_EQ(Rows(d), QStringList{"1|CLEAR|"});
    });
}

TEST_F(DetailDlgTest, AlarmBitsTheModelDoesNotDefineGiveNoRow)
{
    CEventDetailDlg dialog;
    Target(dialog, kSlot);
    dialog.SetPlannedType(kLineCard24);
    dialog.SetAlarmBits((1u << 10) | (1u << 3)); // 10 is not defined
    Show(dialog, [](CAlarmDetailBaseDlg& d) {
        EXPECT_EQ(Rows(d), QStringList{"1|FW Mismatch|Firmware version differs from the planned one"});
    });
}

TEST_F(DetailDlgTest, AnEmptyPlannedTypeShowsTheModelThePositionPlans)
{
    for (uint32_t planned : {kEntityTypeUnknown, kEntityTypeEmpty}) {
        SCOPED_TRACE(planned);
        CEventDetailDlg dialog;
        Target(dialog, kSlot);
        dialog.SetPlannedType(planned);
        dialog.SetOnlineType(kEntityTypeEmpty);
        dialog.SetAlarmBits(1);
        Show(dialog, [](CAlarmDetailBaseDlg& d) {
            // The main shelf draws an empty slot with model 90, which defines no alarm.
            EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kPlannedModelId), "Empty Slot");
            EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kOnlineModelId), " <none>");
            EXPECT_TRUE(Rows(d).isEmpty());
            EXPECT_TRUE(d.GetMessageText().isEmpty());
        });
    }
}

TEST_F(DetailDlgTest, AnUnknownModelIsReported)
{
    // While the detail loads, its messages go to the dialog that opened it.
    CADialog opener(9001);
    CEventDetailDlg dialog;
    Target(dialog, kSlot);
    dialog.SetPlannedType(999);
    dialog.SetOnlineType(998);
    dialog.SetAlarmBits(1);
    dialog.SetSeverity(1);
    runner_.Push([&](QDialog&) {
        opener.OnFirstShow();
        Show(dialog, [](CAlarmDetailBaseDlg& d) {
            EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kPlannedModelId), " <none>");
            EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kOnlineModelId), " <none>");
            EXPECT_TRUE(Rows(d).isEmpty());
        });
        EXPECT_EQ(opener.GetMessageText(), "Unknown entity type");
        return IDCANCEL;
    });
    opener.DoModal();
}

TEST_F(DetailDlgTest, AnUnknownNeShowsTheRootLocationAndNoNames)
{
    CEventDetailDlg dialog;
    const CEntityId entity(1);
    dialog.SetTarget(99, &entity);
    dialog.SetPlannedType(kLineCard24);
    dialog.SetAlarmBits(1);
    Show(dialog, [](CAlarmDetailBaseDlg& d) {
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kLocationId), "<Root>");
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kNeNameId), "");
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kEntityId), "");
    });
}

TEST_F(DetailDlgTest, ALocationGivenToTheDialogComesFirst)
{
    CEventDetailDlg dialog;
    Target(dialog, kSlot);
    dialog.SetLocationId(static_cast<int>(kSouth));
    Show(dialog, [](CAlarmDetailBaseDlg& d) { EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kLocationId), "South"); });
}

TEST_F(DetailDlgTest, AlarmDetailAddsClearAndAcknowledgement)
{
    CAlarmDetailDlg dialog;
    Target(dialog, kSlot);
    dialog.SetPlannedType(kLineCard24);
    dialog.SetAlarmBits(2);
    dialog.SetSeverity(2);
    dialog.SetClearTime(1700000100);
    dialog.SetAckTime(0);
    dialog.SetAckPerson("operator-with-a-long-name");
    EXPECT_EQ(dialog.GetAckPerson(), "operator-with-a");
    Show(dialog, [](CAlarmDetailBaseDlg& d) {
        EXPECT_EQ(Field(d, CAlarmDetailDlg::kClearTimeId), QString::fromStdString(FormatDateTime(1700000100)));
        // Every time as the others are written, 0 included.
        EXPECT_EQ(Field(d, CAlarmDetailDlg::kAckTimeId), QString::fromStdString(FormatDateTime(0)));
        EXPECT_EQ(Field(d, CAlarmDetailDlg::kAckPersonId), "operator-with-a");
        EXPECT_EQ(Rows(d), QStringList{"1|Card Fail|Line card hardware failure"});
    });
}

TEST_F(DetailDlgTest, TypeChangeShowsTheStateOfEachAlarm)
{
    CTypeChangeDetailDlg dialog;
    Target(dialog, kSlot);
    dialog.SetPlannedType(kRelayModule);
    dialog.SetOnlineType(kRelayModule);
    dialog.SetAlarmBits(0x3); // Card Out, Card Fail
    dialog.SetPreviousPlannedType(kFanTray);
    dialog.SetPreviousOnlineType(kLineCard48);
    dialog.SetPreviousAlarmBits(0x6); // Fan Fail (Card Fail now), Fan Speed Low
    dialog.SetSeverity(3);
    dialog.SetOccurTimeText(QStringLiteral("2026-03-01 12:30:00"));
    Show(dialog, [](CAlarmDetailBaseDlg& d) {
        // The occurrence as the history list shows it; the receive time, never set, as any detail dialog shows an
        // unset time.
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kOccurTimeId), "2026-03-01 12:30:00");
        EXPECT_EQ(Field(d, CAlarmDetailBaseDlg::kReceiveTimeId), QString::fromStdString(FormatDateTime(0)));
        EXPECT_EQ(Field(d, CTypeChangeDetailDlg::kPreviousPlannedId), "FAN-4");
        EXPECT_EQ(Field(d, CTypeChangeDetailDlg::kPreviousOnlineId), "ALC-48");
        // The current model names an alarm first; one it lacks comes from the previous model.
        EXPECT_EQ(Rows(d), (QStringList{"1|Card Out|Asserted|Relay module removed from its slot",
                                        "2|Card Fail|Unchanged|Relay module hardware failure",
                                        "3|Fan Speed Low|Cleared|Fan speed below the lower threshold"}));
    });
}

TEST_F(DetailDlgTest, TypeChangeWithoutAlarmsShowsNoClearRow)
{
    CTypeChangeDetailDlg dialog;
    Target(dialog, kSlot);
    dialog.SetPlannedType(kRelayModule);
    Show(dialog, [](CAlarmDetailBaseDlg& d) { EXPECT_TRUE(Rows(d).isEmpty()); });
}

// The keys are the columns': key 2, the State column of the type change, orders by the descriptions, and key 3, its
// Description column, by the alarm index.
TEST_F(DetailDlgTest, TypeChangeSortsItsStateColumnByDescriptionAndItsDescriptionByIndex)
{
    CTypeChangeDetailDlg dialog;
    Target(dialog, kSlot);
    dialog.SetPlannedType(kRelayModule);
    dialog.SetOnlineType(kRelayModule);
    dialog.SetAlarmBits(0x3);
    dialog.SetPreviousPlannedType(kFanTray);
    dialog.SetPreviousAlarmBits(0x6);
    Show(dialog, [](CAlarmDetailBaseDlg& d) {
        const auto names = [&d] {
            QStringList shown;
            for (const QString& row : Rows(d))
                shown << row.section('|', 1, 1);
            return shown;
        };
        d.SortList(CTypeChangeDetailDlg::kStateColumn, kSortAscending);
        EXPECT_EQ(names(), (QStringList{"Fan Speed Low", "Card Fail", "Card Out"}));
        d.SortList(CTypeChangeDetailDlg::kDescriptionColumn, kSortDescending);
        EXPECT_EQ(names(), (QStringList{"Fan Speed Low", "Card Fail", "Card Out"}));
        d.SortList(CTypeChangeDetailDlg::kDescriptionColumn, kSortAscending);
        EXPECT_EQ(names(), (QStringList{"Card Out", "Card Fail", "Fan Speed Low"}));
    });
}

TEST_F(DetailDlgTest, SortByNameAndDescriptionTiesByIndex)
{
    CEventDetailDlg dialog;
    Target(dialog, kSlot);
    dialog.SetPlannedType(kLineCard24);
    dialog.SetAlarmBits(0x8000000F); // Card Out, Card Fail, High Temp, FW Mismatch, Disabled
    Show(dialog, [](CAlarmDetailBaseDlg& d) {
        // item data: Card Out 1, Card Fail 2, High Temp 3, FW Mismatch 4, Disabled 32
        EXPECT_LT(d.CompareItems(2, 1, 1), 0); // "Card Fail" < "Card Out"
        EXPECT_GT(d.CompareItems(2, 1, 1 | kCompareDescending), 0);
        EXPECT_GT(d.CompareItems(32, 4, 2), 0); // "Line card ..." > "Firmware ..."
        EXPECT_LT(d.CompareItems(4, 3, 2), 0);  // "Firmware ..." < "Module ..."
        EXPECT_GT(d.CompareItems(4, 3, 0), 0);  // the No. column: by index
        EXPECT_LT(d.CompareItems(4, 3, kCompareDescending), 0);
        d.SortList(1, kSortAscending);
        QStringList names;
        for (const QString& row : Rows(d))
            names << row.section('|', 1, 1);
        EXPECT_EQ(names, (QStringList{"Card Fail", "Card Out", "Disabled", "FW Mismatch", "High Temp"}));
    });

    // Letter case aside: "Link Down" before "LOS", which a byte compare puts first.
    CEventDetailDlg trunk;
    Target(trunk, kSlot);
    trunk.SetPlannedType(50); // GE trunk port: 0 LOS, 1 Link Down
    trunk.SetAlarmBits(0x3);
    Show(trunk, [](CAlarmDetailBaseDlg& d) {
        d.SortList(1, kSortAscending);
        QStringList names;
        for (const QString& row : Rows(d))
            names << row.section('|', 1, 1);
        EXPECT_EQ(names, (QStringList{"Link Down", "LOS"}));
    });
}

} // namespace
