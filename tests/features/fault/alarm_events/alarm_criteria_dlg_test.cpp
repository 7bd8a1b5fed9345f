// What the alarm criteria dialog hands to the list it opens, as a table of the operator's choices: the scope of one-
// and two-shelf NEs, the time range by mode, one severity, acknowledged alarms only and a model's alarm types; and the
// choices it refuses without opening the list.

#include "tests/features/fault/trap_log/trap_log_test_support.h"

#include "core/tables/entity_node.h"
#include "features/fault/alarm_events/alarm_criteria_dlg.h"
#include "features/fault/alarm_events/alarm_event_list_dlg.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QTimeEdit>

#include <functional>
#include <optional>

namespace {

using namespace trap_log_test;

// What the list was handed.
struct Opened {
    AlarmQueryHandOver handOver;
    int neId = 0;
    uint32_t entity = 0;
    int locationId = 0;
};

class AlarmCriteriaDlgTest : public FaultTestEnvironment {
protected:
    void SetUp() override
    {
        FaultTestEnvironment::SetUp();
        ASSERT_EQ(SetUserRights(kRoleUser, "mmmmmmmmmmmmmmmmmmmm"), 0);
        // A line card in alpha's first slot, so that it has ports to choose.
        ASSERT_TRUE(AppData().nes.FindNeById(kAlpha)->root->FindById(10100)->SetType(31, kPlannedTypeSame));
    }

    // Opens the dialog on the NE in the mode, lets `choose` work it and clicks Query; what the list got, if one
    // opened.
    std::optional<Opened> Query(uint32_t neId, uint32_t mode, const std::function<void(CAlarmCriteriaDlg&)>& choose)
    {
        CAlarmCriteriaDlg dialog;
        const CEntityId ne(1u);
        dialog.SetTarget(static_cast<int>(neId), &ne);
        dialog.SetQueryMode(mode);
        std::optional<Opened> opened;
        ScriptedModalRunner runner;
        runner.Push([&](QDialog&) {
            dialog.OnFirstShow();
            choose(dialog);
            runner.Push([&](QDialog& shown) {
                auto& list = dynamic_cast<CAlarmEventListDlg&>(shown);
                opened = Opened{list.GetHandOver(), list.GetNeId(), list.GetTargetEntity().id, list.GetLocationId()};
                return IDCANCEL;
            });
            dialog.OnCommand(IDOK, BN_CLICKED);
            message_ = dialog.GetMessageText();
            return IDCANCEL;
        });
        dialog.DoModal();
        return opened;
    }

    // Opens the dialog on the NE (0: none) in the mode and lets `look` work it; the dialog is then cancelled.
    static void Open(uint32_t neId, uint32_t mode, const std::function<void(CAlarmCriteriaDlg&)>& look)
    {
        CAlarmCriteriaDlg dialog;
        const CEntityId none;
        dialog.SetTarget(static_cast<int>(neId), &none);
        dialog.SetQueryMode(mode);
        ScriptedModalRunner runner;
        runner.Push([&](QDialog&) {
            dialog.OnFirstShow();
            look(dialog);
            return IDCANCEL;
        });
        dialog.DoModal();
    }

    static void Pick(CAlarmCriteriaDlg& dialog, int comboId, uint32_t data)
    {
        auto* combo = dialog.GetDlgItemAs<QComboBox>(comboId);
        combo->setCurrentIndex(combo->findData(data));
        dialog.OnCommand(comboId, CBN_SELCHANGE);
    }

    static void Tick(CAlarmCriteriaDlg& dialog, int id, bool on = true)
    {
        dialog.GetDlgItemAs<QAbstractButton>(id)->setChecked(on);
        dialog.OnCommand(id, BN_CLICKED);
    }

    ScriptedMessageBoxes boxes_;
    QString message_;
};

TEST_F(AlarmCriteriaDlgTest, TheScopeChoicesHandOverAnEntityAndItsSubEntities)
{
    struct Case {
        const char* name;
        uint32_t ne;
        std::function<void(CAlarmCriteriaDlg&)> choose;
        uint32_t entity;
        bool withSubEntities;
    };
    const auto none = [](CAlarmCriteriaDlg&) {};
    const Case cases[] = {
        {"the only shelf's slots: the whole NE", kBravo, none, 0, true},
        {"every shelf of a two-shelf NE", kAlpha, none, 1, true},
        {"one shelf with its slots", kAlpha, [](CAlarmCriteriaDlg& d) { Pick(d, CCriteriaControls::kShelfComboId, 2); },
         20000, true},
        {"the shelf alone", kAlpha,
         [](CAlarmCriteriaDlg& d) {
             Pick(d, CCriteriaControls::kShelfComboId, 2);
             Pick(d, CCriteriaControls::kSlotComboId, kScopeNone);
         },
         20000, false},
        {"one slot with its ports", kAlpha,
         [](CAlarmCriteriaDlg& d) {
             Pick(d, CCriteriaControls::kShelfComboId, 1);
             Pick(d, CCriteriaControls::kSlotComboId, 1);
         },
         10100, true},
        {"one port", kAlpha,
         [](CAlarmCriteriaDlg& d) {
             Pick(d, CCriteriaControls::kShelfComboId, 1);
             Pick(d, CCriteriaControls::kSlotComboId, 1);
             Pick(d, CCriteriaControls::kPortComboId, 2);
         },
         10102, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Opened> opened = Query(c.ne, kAlarmQueryHistory, c.choose);
        ASSERT_TRUE(opened.has_value()) << message_.toStdString();
        EXPECT_EQ(opened->neId, static_cast<int>(c.ne));
        EXPECT_EQ(opened->entity, c.entity);
        EXPECT_EQ(opened->handOver.withSubEntities, c.withSubEntities);
        EXPECT_EQ(opened->locationId, static_cast<int>(AppData().nes.FindNeById(c.ne)->locationId));
    }
}

TEST_F(AlarmCriteriaDlgTest, TimeSeverityAcknowledgementAndModelAreHandedOver)
{
    const std::optional<Opened> history = Query(kBravo, kAlarmQueryHistory, [](CAlarmCriteriaDlg&) {});
    ASSERT_TRUE(history.has_value());
    EXPECT_EQ(history->handOver.queryMode, kAlarmQueryHistory);
    EXPECT_GT(history->handOver.fromTime, 0u) << "History starts with today";
    EXPECT_GE(history->handOver.toTime, history->handOver.fromTime);
    EXPECT_EQ(history->handOver.severity, 0u);
    EXPECT_EQ(history->handOver.modelId, 0u);

    // From equal to To is no reversed range.
    const std::optional<Opened> instant = Query(kBravo, kAlarmQueryHistory, [](CAlarmCriteriaDlg& d) {
        d.GetDlgItemAs<QDateEdit>(CCriteriaControls::kToDateId)
            ->setDate(d.GetDlgItemAs<QDateEdit>(CCriteriaControls::kFromDateId)->date());
        d.GetDlgItemAs<QTimeEdit>(CCriteriaControls::kToTimeId)
            ->setTime(d.GetDlgItemAs<QTimeEdit>(CCriteriaControls::kFromTimeId)->time());
    });
    ASSERT_TRUE(instant.has_value());
    EXPECT_EQ(instant->handOver.toTime, instant->handOver.fromTime);

    const std::optional<Opened> active = Query(kBravo, kAlarmQueryActive, [](CAlarmCriteriaDlg& d) {
        Tick(d, CCriteriaControls::kSeverityCheckId);
        Tick(d, 1175); // Major
        Tick(d, CAlarmCriteriaDlg::kAckOnlyCheckId);
        // Alarm types ticked with Model off are not sent.
        Tick(d, CAlarmCriteriaDlg::kModelCheckId);
        Pick(d, CAlarmCriteriaDlg::kModelComboId, 130);
        CListControl(d.FindList(CAlarmCriteriaDlg::kAlarmTypeListId)).SetCheck(0, true);
        Tick(d, CAlarmCriteriaDlg::kModelCheckId, false);
    });
    ASSERT_TRUE(active.has_value());
    EXPECT_EQ(active->handOver.queryMode, kAlarmQueryActive);
    EXPECT_EQ(active->handOver.fromTime, 0u) << "Active has no time range at first";
    EXPECT_EQ(active->handOver.toTime, 0u);
    EXPECT_EQ(active->handOver.severity, 2u);
    EXPECT_EQ(active->handOver.ackOnly, 1u);
    EXPECT_EQ(active->handOver.modelId, 0u);
    EXPECT_EQ(active->handOver.alarmMask, 0u);

    // The severity radios open on Critical.
    const std::optional<Opened> critical =
        Query(kBravo, kAlarmQueryActive, [](CAlarmCriteriaDlg& d) { Tick(d, CCriteriaControls::kSeverityCheckId); });
    ASSERT_TRUE(critical.has_value());
    EXPECT_EQ(critical->handOver.severity, 1u);

    const std::optional<Opened> model = Query(kBravo, kAlarmQueryActive, [](CAlarmCriteriaDlg& d) {
        Tick(d, CAlarmCriteriaDlg::kModelCheckId);
        Pick(d, CAlarmCriteriaDlg::kModelComboId, 130); // the IPD-12's ALC-24
        CListControl list(d.FindList(CAlarmCriteriaDlg::kAlarmTypeListId));
        for (int row = 0; row < list.GetItemCount(); ++row)
            list.SetCheck(row, list.GetItemData(row) == 1 || list.GetItemData(row) == 3);
    });
    ASSERT_TRUE(model.has_value());
    EXPECT_EQ(model->handOver.modelId, 130u);
    EXPECT_EQ(model->handOver.alarmMask, 0xAu);
}

// The date pickers take 1970-01-02 to 2037-12-31 and open on today; From at 00:00:00, To at the time of opening.
TEST_F(AlarmCriteriaDlgTest, ThePickersOpenOnTodayFromMidnightToNow)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    Query(kBravo, kAlarmQueryHistory, [&](CAlarmCriteriaDlg& d) {
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);
        for (int id : {CCriteriaControls::kFromDateId, CCriteriaControls::kToDateId}) {
            const auto* date = d.GetDlgItemAs<QDateEdit>(id);
            EXPECT_EQ(date->minimumDate(), QDate(1970, 1, 2)) << id;
            EXPECT_EQ(date->maximumDate(), QDate(2037, 12, 31)) << id;
            EXPECT_TRUE(date->date() >= before.date() && date->date() <= after.date()) << id;
        }
        EXPECT_EQ(d.GetDlgItemAs<QTimeEdit>(CCriteriaControls::kFromTimeId)->time(), QTime(0, 0, 0));
        const QDateTime to(d.GetDlgItemAs<QDateEdit>(CCriteriaControls::kToDateId)->date(),
                           d.GetDlgItemAs<QTimeEdit>(CCriteriaControls::kToTimeId)->time());
        EXPECT_TRUE(to >= before && to <= after) << to.toString().toStdString();
    });
}

// The Model combo offers the NE, shelf, module and port models in that order: those of the NE's own model and those
// of no NE model; without an NE every model. The first is chosen.
TEST_F(AlarmCriteriaDlgTest, TheModelComboOffersTheModelsLevelByLevel)
{
    // Each NE model has cards and ports of its own, of the same names; the IPD-12's have the higher ids.
    const QStringList cards = {"ALC-24", "ALC-48", "SLC-16", "PWR-48V", "FAN-4", "REL-4I2O"};
    const QStringList ports = {"GE Trunk", "ADSL Port", "SHDSL Port", "Alarm Input", "Alarm Output"};
    const QStringList ofIpd12 =
        QStringList{"IPD-12", "IPD-12 Shelf", "CU-2GE", "Empty Slot"} + cards + QStringList{"Empty Port"} + ports;
    const QStringList ofAll = QStringList{"IPD-12", "IPD-48",  "IPD-12 Shelf", "IPD-48 Main Shelf",
                                          "IPD-48 Expansion Shelf", "CU-2GE", "CU-2GE-R"} +
                              cards + QStringList{"Empty Slot"} + cards + ports + QStringList{"Empty Port"} + ports;
    const std::pair<uint32_t, QStringList> rows[] = {{kBravo, ofIpd12}, {0, ofAll}};
    for (const auto& [neId, models] : rows) {
        SCOPED_TRACE(neId);
        Open(neId, kAlarmQueryActive, [&](CAlarmCriteriaDlg& dialog) {
            const auto* combo = dialog.GetDlgItemAs<QComboBox>(CAlarmCriteriaDlg::kModelComboId);
            QStringList shown;
            for (int i = 0; i < combo->count(); ++i)
                shown << combo->itemText(i);
            EXPECT_EQ(shown, models);
            EXPECT_EQ(combo->currentIndex(), 0);
        });
    }
}

// On opening the pickers are offered as their checks say (on in History, off in Active); the severity radios and the
// model's combo and alarm types wait for their checks.
TEST_F(AlarmCriteriaDlgTest, ControlsWaitForTheirChecks)
{
    const int pickers[] = {CCriteriaControls::kFromDateId, CCriteriaControls::kFromTimeId, CCriteriaControls::kToDateId,
                           CCriteriaControls::kToTimeId};
    const int byCheck[] = {
        1172, 1175, 1177, 1180, 1394, CAlarmCriteriaDlg::kModelComboId, CAlarmCriteriaDlg::kAlarmTypeListId};
    for (const uint32_t mode : {kAlarmQueryHistory, kAlarmQueryActive}) {
        SCOPED_TRACE(mode);
        Open(kBravo, mode, [&](CAlarmCriteriaDlg& d) {
            for (int id : pickers)
                EXPECT_EQ(d.IsControlEnabled(id), mode == kAlarmQueryHistory) << id;
            EXPECT_FALSE(d.GetDlgItemAs<QAbstractButton>(CCriteriaControls::kSeverityCheckId)->isChecked());
            for (int id : byCheck)
                EXPECT_FALSE(d.IsControlEnabled(id)) << id;
            Tick(d, CCriteriaControls::kSeverityCheckId);
            Tick(d, CAlarmCriteriaDlg::kModelCheckId);
            Tick(d, CCriteriaControls::kFromCheckId, true);
            Tick(d, CCriteriaControls::kToCheckId, false);
            for (int id : byCheck)
                EXPECT_TRUE(d.IsControlEnabled(id)) << id;
            EXPECT_TRUE(d.IsControlEnabled(CCriteriaControls::kFromDateId));
            EXPECT_TRUE(d.IsControlEnabled(CCriteriaControls::kFromTimeId));
            EXPECT_FALSE(d.IsControlEnabled(CCriteriaControls::kToDateId));
            EXPECT_FALSE(d.IsControlEnabled(CCriteriaControls::kToTimeId));
        });
    }
}

// Without an NE the scope is the whole network: the root location, " <ALL>" NEs and entities, nothing to choose.
TEST_F(AlarmCriteriaDlgTest, WithoutAnNeTheScopeIsTheWholeNetwork)
{
    Open(0, kAlarmQueryActive, [](CAlarmCriteriaDlg& d) {
        EXPECT_EQ(ControlText(d, CAlarmCriteriaDlg::kLocationTextId), QStringLiteral("<Root>"));
        EXPECT_EQ(ControlText(d, CAlarmCriteriaDlg::kNeTextId), QStringLiteral(" <ALL>"));
        for (int id :
             {CCriteriaControls::kShelfComboId, CCriteriaControls::kSlotComboId, CCriteriaControls::kPortComboId}) {
            const auto* combo = d.GetDlgItemAs<QComboBox>(id);
            EXPECT_EQ(combo->count(), 1) << id;
            EXPECT_EQ(combo->currentText(), QStringLiteral(" <ALL>")) << id;
            EXPECT_EQ(combo->currentData().toUInt(), 255u) << id;
            EXPECT_FALSE(d.IsControlEnabled(id)) << id;
        }
    });
}

// Each alarm type shows the image of its definition's severity: 12 critical .. 15 warning, 16 any other.
TEST_F(AlarmCriteriaDlgTest, AlarmTypesShowTheirSeverityImage)
{
    const std::pair<const char*, int> images[] = {
        {"Card Out", 13}, {"Power Fail", 12}, {"Input Low", 14}, {"Fuse Fail", 13}, {"Disabled", 16}};
    Open(kBravo, kAlarmQueryActive, [&](CAlarmCriteriaDlg& d) {
        Tick(d, CAlarmCriteriaDlg::kModelCheckId);
        Pick(d, CAlarmCriteriaDlg::kModelComboId, 140); // the IPD-12's PWR-48V
        const CListControl list(d.FindList(CAlarmCriteriaDlg::kAlarmTypeListId));
        EXPECT_EQ(list.GetItemCount(), 5);
        for (const auto& [name, image] : images) {
            int row = -1;
            for (int r = 0; r < list.GetItemCount(); ++r) {
                if (list.GetItemText(r, 0) == QLatin1String(name))
                    row = r;
            }
            EXPECT_GE(row, 0) << name;
            EXPECT_EQ(list.GetItemImage(row, 0), image) << name;
        }
    });
}

TEST_F(AlarmCriteriaDlgTest, ChoicesThatAreRefusedOpenNoList)
{
    const std::optional<Opened> noType =
        Query(kBravo, kAlarmQueryActive, [](CAlarmCriteriaDlg& d) { Tick(d, CAlarmCriteriaDlg::kModelCheckId); });
    EXPECT_FALSE(noType.has_value());
    EXPECT_EQ(message_, QStringLiteral("Please select one item"));

    const std::optional<Opened> reversed = Query(kBravo, kAlarmQueryHistory, [](CAlarmCriteriaDlg& d) {
        auto* to = d.GetDlgItemAs<QDateEdit>(CCriteriaControls::kToDateId);
        to->setDate(to->date().addDays(-1));
    });
    EXPECT_FALSE(reversed.has_value());
    EXPECT_EQ(message_, QStringLiteral("Start value shouldn't be greater than Stop value"));

    // With either end off the range is open there: the same dates are no reversed range.
    for (const int off : {CCriteriaControls::kFromCheckId, CCriteriaControls::kToCheckId}) {
        SCOPED_TRACE(off);
        const std::optional<Opened> open = Query(kBravo, kAlarmQueryHistory, [off](CAlarmCriteriaDlg& d) {
            auto* to = d.GetDlgItemAs<QDateEdit>(CCriteriaControls::kToDateId);
            to->setDate(to->date().addDays(-1));
            Tick(d, off, false);
        });
        ASSERT_TRUE(open.has_value()) << message_.toStdString();
        EXPECT_EQ(off == CCriteriaControls::kFromCheckId ? open->handOver.fromTime : open->handOver.toTime, 0u);
    }
}

} // namespace
