// The server's host and clock in the running program against the simulated server. The monitor polls the server's
// free swap, free memory and processor load (the simulated server reads them from the machine it runs on), its charts
// gain a point at each poll, a poll the server refuses stops the polling without a message box, and Restart takes it
// up again; the history chart is previewed for printing and saved as a picture and as a PDF page. The server time
// dialog shows the server's clock, the operator sets it, and the server's clock runs on from the time set; a setting
// the server refuses leaves the dialog open. Both need the right to the server options; setting the clock needs the
// right to modify NEs. The tests run with TZ set.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/server_alarms.h"

#include "core/config/ini_writers.h"
#include "features/management/server/server_monitor_dlg.h"
#include "features/management/server/server_time_dlg.h"
#include "link/records/request_codes.h"
#include "link/records/user_rights_record.h"
#include "link/records/word_record.h"
#include "sim/server/sim_control.h"
#include "tests/core/temp_file_test.h"
#include "ui/framework/charts/chart_edit_dlg.h"
#include "ui/framework/charts/chart_panel.h"

#include <QChartView>
#include <QDateEdit>
#include <QPrintPreviewDialog>
#include <QTimeEdit>
#include <QToolBar>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace {

constexpr int kCmdMonitoring = 33153, kCmdServerTime = 33099;
const QString kRefused = QStringLiteral("Fail to update data\n\n(32028) Change refused by the server");
using e2e::Check;
using e2e::Click;
using e2e::Field;
using Monitor = CServerMonitorDlg;
using TimeDlg = CServerTimeDlg;

// "HH:mm:ss" of a time in the workstation's zone.
std::string FormatLocalTime(uint32_t seconds)
{
    const time_t time = seconds;
    tm local{};
    localtime_r(&time, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

uint32_t ServerClock(e2e::CProgram& program)
{
    const std::vector<WordRecord> clock = program.ServerRecords(kReqServerTime);
    return clock.empty() ? 0 : clock.front().value;
}

// The operator picks a time in the workstation's zone, as the C runtime knows it.
void Pick(TimeDlg& dialog, uint32_t seconds)
{
    const time_t time = seconds;
    tm local{};
    localtime_r(&time, &local);
    dialog.GetDlgItemAs<QDateEdit>(TimeDlg::kDateId)
        ->setDate(QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
    dialog.GetDlgItemAs<QTimeEdit>(TimeDlg::kTimeId)->setTime(QTime(local.tm_hour, local.tm_min, local.tm_sec));
}

size_t Samples(const Monitor& monitor)
{
    return monitor.History().SampleCount();
}

TEST(ServerMonitorE2eTest, TheChartsGainAPointAtEachPollUntilAPollFails)
{
    e2e::CProgram program;
    // The history chart's template gives its series' title and colour.
    const std::filesystem::path style = program.WorkDir().Path() / "history.ini";
    WriteText(style, "[CHART]\nSERIESTITLE=Host load (%)\nSERIESCOLOR=0x0000C0\n");
    // Polled every 2 seconds: a period below the least is taken as the least.
    ASSERT_TRUE(program.StartServer(
        {.args = {},
         .generatedNes = 0,
         .iniExtra =
             "[DIALOG]\nSVRDIALOGREFRESHTIME=1\n[CHART]\nEDITBUTTON=1\nSVRHISCPUUTIL=" + style.string() + "\n"}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    CTempDir dir;
    const size_t boxes = person.boxTexts.size();
    person.OnDialog<Monitor>([&](Monitor& monitor) {
        EXPECT_EQ(monitor.PollPeriodMs(), 2000);
        EXPECT_TRUE(monitor.IsPolling());
        EXPECT_FALSE(monitor.IsControlVisible(Monitor::kStoppedId));
        EXPECT_FALSE(monitor.IsControlEnabled(Monitor::kRestartId));
        // The first poll came at the start: the machine's free memory, and its load in the current chart.
        EXPECT_EQ(Samples(monitor), 1u);
        EXPECT_GT(Field(monitor, Monitor::kMemoryId).toULongLong(), 0u);
        EXPECT_EQ(monitor.CurrentValue(), Field(monitor, Monitor::kCpuId).toDouble());
        EXPECT_EQ(monitor.History().Values().size(), 91u);
        EXPECT_EQ(monitor.HistoryChart().SeriesTitle(0), QStringLiteral("Host load (%)"));
        EXPECT_EQ(monitor.HistoryChart().SeriesColor(0), 0xC0u);

        // The history gains a point at each poll, the window keeps its 91 points.
        EXPECT_TRUE(program.WaitUntil([&] { return Samples(monitor) >= 3; }, 10000));
        EXPECT_EQ(monitor.History().Values().size(), 91u);
        EXPECT_EQ(monitor.History().Labels().back(), std::to_string(Samples(monitor) - 1));
        // The samples take the chart's width: its bottom axis spans them, not the window's empty points.
        const QList<QChartView*> views = monitor.findChildren<QChartView*>();
        const auto history = std::find_if(views.begin(), views.end(), [](const QChartView* view) {
            return view->chart()->title().contains(QStringLiteral("History"));
        });
        const QList<QAbstractAxis*> bottom =
            history != views.end() ? (*history)->chart()->axes(Qt::Horizontal) : QList<QAbstractAxis*>();
        const auto* samples = bottom.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(bottom.front());
        EXPECT_NE(samples, nullptr);
        if (samples != nullptr) {
            EXPECT_DOUBLE_EQ(samples->max() - samples->min(), static_cast<double>(Samples(monitor)));
        }
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(monitor, QStringLiteral("server_monitor")));

        // The chart previewed for printing, saved as a picture and as a PDF page.
        bool previewed = false;
        person.OnDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
            previewed = true;
            // Its toolbar shows whole, no button left behind an overflow arrow.
            const auto* toolbar = preview.findChild<QToolBar*>();
            EXPECT_TRUE(toolbar != nullptr && toolbar->width() >= toolbar->sizeHint().width());
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(preview, QStringLiteral("server_monitor_print_preview")));
        });
        Click(monitor, kPrintChartButtonId);
        EXPECT_TRUE(previewed);
        for (const char* name : {"load.png", "load.pdf"}) {
            const std::filesystem::path file = dir.Path() / name;
            person.Files().PushPath(QString::fromStdString(file.string()));
            Click(monitor, kSaveChartButtonId);
            EXPECT_GT(std::filesystem::exists(file) ? std::filesystem::file_size(file) : 0u, 1000u) << name;
        }
        EXPECT_EQ(ReadText(dir.Path() / "load.pdf").substr(0, 5), "%PDF-");

        // The editor shows the samples alone; the window starts again after it.
        bool edited = false;
        person.OnDialog<CChartEditDlg>([&](CChartEditDlg& editor) {
            edited = true;
            EXPECT_EQ(monitor.History().Values().size(), Samples(monitor));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(editor, QStringLiteral("server_monitor_chart_editor")));
            return IDCANCEL;
        });
        Click(monitor, kEditChartButtonId);
        EXPECT_TRUE(edited);
        EXPECT_EQ(Samples(monitor), 0u);
        EXPECT_EQ(monitor.History().Values().size(), 91u);

        // A poll the server refuses stops the polling, without a message box.
        EXPECT_TRUE(e2e::ServerControl(program, 0, kSimRefuseNextRequest, kReqServerResource));
        EXPECT_TRUE(program.WaitUntil([&] { return !monitor.IsPolling(); }, 10000));
        EXPECT_TRUE(monitor.IsControlVisible(Monitor::kStoppedId));
        EXPECT_TRUE(monitor.IsControlEnabled(Monitor::kRestartId));
        EXPECT_EQ(e2e::MessageLine(monitor), QStringLiteral("Fail to query"));
        EXPECT_EQ(person.boxTexts.size(), boxes);
        const size_t stoppedAt = Samples(monitor);
        program.Settle();
        EXPECT_EQ(Samples(monitor), stoppedAt);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(monitor, QStringLiteral("server_monitor_stopped")));

        // Restart polls at once, and then on.
        Click(monitor, Monitor::kRestartId);
        EXPECT_TRUE(monitor.IsPolling());
        EXPECT_FALSE(monitor.IsControlVisible(Monitor::kStoppedId));
        EXPECT_EQ(Samples(monitor), stoppedAt + 1);
        EXPECT_TRUE(program.WaitUntil([&] { return Samples(monitor) >= stoppedAt + 2; }, 10000));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdMonitoring));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The poll period, DIALOG/SVRDIALOGREFRESHTIME seconds (2 without the key), is held to 2..60: a value past either end
// polls at that end. The history's point limit is 100 without its key.
TEST(ServerMonitorE2eTest, ThePollPeriodIsHeldToTwoToSixtySeconds)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    const struct {
        unsigned long seconds;
        int64_t periodMs;
    } cases[] = {{1, 2000}, {2, 2000}, {30, 30000}, {60, 60000}, {61, 60000}};
    e2e::COperator& person = program.Operator();
    // Without the keys: every 2 seconds, and the history grows to 100 points.
    person.OnDialog<Monitor>([&](Monitor& monitor) {
        EXPECT_EQ(monitor.PollPeriodMs(), 2000);
        EXPECT_EQ(monitor.History().PointLimit(), 100u);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdMonitoring));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        ASSERT_TRUE(WriteIniInt("DIALOG", "SVRDIALOGREFRESHTIME", c.seconds, program.WorkDir().Ini()));
        person.OnDialog<Monitor>([&](Monitor& monitor) {
            EXPECT_TRUE(monitor.IsPolling());
            EXPECT_EQ(monitor.PollPeriodMs(), c.periodMs);
            return IDCANCEL;
        });
        ASSERT_TRUE(program.Command(kCmdMonitoring));
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

class ServerTimeE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "CET-1", 1);
        tzset();
        ASSERT_TRUE(program_.StartServer());
        ASSERT_TRUE(program_.Login("admin", "admin"));
    }
    void TearDown() override
    {
        unsetenv("TZ");
        tzset();
    }

    e2e::CProgram program_;
};

TEST_F(ServerTimeE2eTest, TheOperatorSetsTheServersClockAndItRunsOnFromThere)
{
    e2e::COperator& person = program_.Operator();
    const uint32_t set = ServerClock(program_) + 2 * 3600 + 17;
    person.OnDialog<TimeDlg>([&](TimeDlg& dialog) {
        // The server's clock in local time, running on a second at a time.
        EXPECT_LE(std::abs(static_cast<int64_t>(dialog.ShownSeconds()) - ServerClock(program_)), 2);
        const uint32_t shown = dialog.ShownSeconds();
        EXPECT_TRUE(program_.WaitUntil([&] { return dialog.ShownSeconds() != shown; }));

        // Held at the workstation's time, the pickers and Refresh rest.
        Check(dialog, TimeDlg::kSyncLocalId);
        EXPECT_FALSE(dialog.IsControlEnabled(TimeDlg::kDateId));
        EXPECT_FALSE(dialog.IsControlEnabled(kRefreshButtonId));
        EXPECT_LE(std::abs(static_cast<int64_t>(dialog.ShownSeconds()) - std::time(nullptr)), 2);
        Check(dialog, TimeDlg::kSyncLocalId, false);
        EXPECT_TRUE(dialog.IsControlEnabled(TimeDlg::kDateId));

        // The time the operator picks, in the workstation's zone.
        Pick(dialog, set);
        EXPECT_EQ(dialog.ShownSeconds(), set);
        EXPECT_EQ(Field(dialog, TimeDlg::kTimeId), QString::fromStdString(FormatLocalTime(set)));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("server_time")));

        // Refused once: the dialog stays.
        EXPECT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextChange, kReqServerTime));
        Pick(dialog, set);
        person.AnswerBox(IDYES);
        Click(dialog, TimeDlg::kSetButtonId);
        EXPECT_EQ(person.LastBoxText(), kRefused);
        EXPECT_FALSE(dialog.IsEnded());

        // Not on second thoughts, then set.
        person.AnswerBox(IDNO);
        Click(dialog, TimeDlg::kSetButtonId);
        EXPECT_TRUE(person.LastBoxText().startsWith(
            QStringLiteral("The Server and all NEs will simultaneously be synchronized with this date/time.")));
        EXPECT_FALSE(dialog.IsEnded());
        Pick(dialog, set);
        person.AnswerBox(IDYES);
        Click(dialog, TimeDlg::kSetButtonId);
        EXPECT_TRUE(dialog.IsEnded());
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdServerTime));
    // The server's clock runs on from the time set.
    const uint32_t now = ServerClock(program_);
    EXPECT_GE(now, set);
    EXPECT_LE(now, set + 3);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The operator "north" is a User; Users get `rights`, item by item.
void LoginAsUserWith(e2e::CProgram& program, const std::string& rights)
{
    ASSERT_TRUE(program.StartServer());
    server_test::CRawClient& probe = program.ServerProbe();
    UserRightsRecord table;
    table.rights = {std::string(127, 'a'), std::string(127, 'm'), rights};
    const auto record = EncodeRecord(table);
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqUserRights, 0, {record.begin(), record.end()}, kUserRightsRecordSize)));
    ASSERT_TRUE(program.Login("north", "north"));
}

// Items of the rights table: the server options (with its monitoring and clock) and the NEs.
constexpr size_t kServerOptionsItem = 0, kNeItem = 3;

TEST(ServerRightsE2eTest, TheClockIsSetOnlyWithTheRightToModifyNes)
{
    for (const char neRight : {'q', 'm'}) {
        e2e::CProgram program;
        std::string rights(127, 'q');
        rights[kNeItem] = neRight;
        LoginAsUserWith(program, rights);
        if (HasFatalFailure())
            return;
        e2e::COperator& person = program.Operator();
        person.OnDialog<TimeDlg>([&](TimeDlg& dialog) {
            EXPECT_FALSE(dialog.IsEnded());
            EXPECT_TRUE(dialog.IsControlEnabled(kRefreshButtonId));
            EXPECT_EQ(dialog.IsControlEnabled(TimeDlg::kSetButtonId), neRight == 'm') << neRight;
            return IDCANCEL;
        });
        ASSERT_TRUE(program.Command(kCmdServerTime));
        EXPECT_EQ(person.UnusedDialogScripts(), 0u);
    }
}

TEST(ServerRightsE2eTest, WithoutTheRightToTheServerOptionsNeitherDialogStays)
{
    e2e::CProgram program;
    std::string rights(127, 'a');
    rights[kServerOptionsItem] = '-';
    LoginAsUserWith(program, rights);
    if (HasFatalFailure())
        return;
    e2e::COperator& person = program.Operator();
    person.OnDialog<TimeDlg>([&](TimeDlg& dialog) {
        EXPECT_TRUE(dialog.IsEnded());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdServerTime));
    person.OnDialog<Monitor>([&](Monitor& monitor) {
        EXPECT_TRUE(monitor.IsEnded());
        EXPECT_FALSE(monitor.IsPolling());
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdMonitoring));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

} // namespace
