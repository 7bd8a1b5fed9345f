// Server Management in the running program against the simulated server: the pages show the server's options and
// schedules as it keeps them, the operator changes them on several pages and the server keeps the change for every
// workstation; a community with a blank is refused on its page, and a change the server refuses leaves the dialog open
// and the server as it was. A schedule the server keeps at "every hour" is written back as it was, and a failed read
// leaves OK off, so that the pages' defaults never reach the server.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/range_steps.h"
#include "tests/e2e/support/server_alarms.h"

#include "features/management/server/server_management_dlg.h"
#include "link/records/request_codes.h"
#include "link/records/server_option_record.h"
#include "link/records/server_schedule_record.h"
#include "sim/server/sim_control.h"
#include "ui/framework/dialogs/ip_address_port_dlg.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/shell/frame/main_frame.h"

#include <QLineEdit>
#include <QTabBar>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kCmdManagementOptions = 33098;
const QString kRefused = QStringLiteral("Fail to update data\n\n(32028) Change refused by the server");
using e2e::Click;
using e2e::Field;
using e2e::MessageLine;
using e2e::Type;
using Dlg = CServerManagementDlg;
using Ip = std::array<uint8_t, 4>;

ServerOptionRecord ServerOptions(e2e::CProgram& program)
{
    const std::vector<ServerOptionRecord> kept = program.ServerRecords(kReqServerOption);
    return kept.empty() ? ServerOptionRecord{} : kept.front();
}

ServerScheduleRecord ServerSchedules(e2e::CProgram& program)
{
    const std::vector<ServerScheduleRecord> kept = program.ServerRecords(kReqServerSchedule);
    return kept.empty() ? ServerScheduleRecord{} : kept.front();
}

// Edits a manager row of the North Bound page in the "IP Address" dialog, which opens with the port `shownPort`.
void EditManager(e2e::CProgram& program, CSvrOptNmsPage& page, int row, const QString& shownPort,
                 const QString& address, const QString& port)
{
    e2e::COperator& person = program.Operator();
    person.OnDialog<CIpAddressPortDlg>([&](CIpAddressPortDlg& edit) {
        EXPECT_EQ(Field(edit, CIpAddressPortDlg::kPortId), shownPort) << "row " << row;
        Type(edit, CIpAddressPortDlg::kAddressId, address);
        if (!port.isEmpty())
            Type(edit, CIpAddressPortDlg::kPortId, port);
        Click(edit, IDOK);
        return IDCANCEL;
    });
    program.ClickListRow(*page.FindList(kListControlId), row);
    Click(page, kModifyButtonId);
}

constexpr int kTabBarId = 1100;

class ServerOptionsE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program_.StartServer());
        ASSERT_TRUE(program_.Login("admin", "admin"));
    }

    e2e::CProgram program_;
};

// The north-bound managers are exported under their stem, with the title that names the page.
TEST_F(ServerOptionsE2eTest, TheNorthBoundManagersExportUnderTheirStemAndTitle)
{
    e2e::COperator& person = program_.Operator();
    bool exported = false;
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        CSvrOptNmsPage& nms = dialog.NmsPage();
        dialog.SelectPage(&nms);
        person.OnDialog<CExportDlg>([&](CExportDlg& exporter) {
            exported = true;
            EXPECT_EQ(exporter.GetStem(), "SvrOptNms");
            EXPECT_EQ(exporter.GetExportTitle(), "Server Management Options - North Bound NMS");
            return IDCANCEL;
        });
        Click(nms, kExportButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdManagementOptions));
    EXPECT_TRUE(exported);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

TEST_F(ServerOptionsE2eTest, TheOperatorChangesTheServersOptionsAndEveryWorkstationReadsThem)
{
    e2e::COperator& person = program_.Operator();
    const ServerScheduleRecord schedulesBefore = ServerSchedules(program_);
    bool worked = false;
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        EXPECT_TRUE(dialog.IsControlEnabled(IDOK));
        // The five tabs, in their order, fit the window: none is scrolled out of sight.
        const auto* tabs = dialog.GetDlgItemAs<QTabBar>(kTabBarId);
        EXPECT_NE(tabs, nullptr);
        if (tabs == nullptr)
            return IDCANCEL;
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->isTabVisible(i)) {
                titles << tabs->tabText(i);
                EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(i))) << tabs->tabText(i).toStdString();
            }
        }
        EXPECT_EQ(titles,
                  (QStringList{"SNMP", "Log Expiration", "Auto-Backup/Save", "Alarm Notification", "North Bound"}));
        EXPECT_LE(tabs->sizeHint().width(), tabs->width());
        EXPECT_TRUE(e2e::ShowsWhole(*tabs));
        CSvrOptNmsPage& nms = dialog.NmsPage();
        QTreeView& managers = *nms.FindList(kListControlId);
        // The server's settings as the world keeps them, on their pages.
        EXPECT_EQ(Field(dialog.SnmpPage(), CSvrOptSnmpPage::kTimeoutId), QStringLiteral("5"));
        EXPECT_EQ(Field(dialog.LogExpirePage(), CSvrOptLogExpirePage::kOpLogId), QStringLiteral("90"));
        EXPECT_EQ(Field(dialog.MailPage(), CSvrOptMailPage::kSmtpServerId), QStringLiteral("mail.example.net"));
        EXPECT_EQ(Field(nms, CSvrOptNmsPage::kCommunityId), QStringLiteral("northbound"));
        EXPECT_TRUE(e2e::IsChecked(nms, CSvrOptNmsPage::kTrapsEnabledId));
        EXPECT_EQ(e2e::ListTitles(managers), (QStringList{"No.", "Manager IP", "Trap Port"}));
        EXPECT_EQ(e2e::ListColumn(managers, 0), (QStringList{"1", "2", "3", "4", "5"}));
        EXPECT_EQ(e2e::ListColumn(managers, 1), (QStringList{"10.1.1.20", "", "", "", ""}));
        EXPECT_EQ(e2e::ListColumn(managers, 2), (QStringList{"162", "", "", "", ""}));
        // Only the flash writes offer "every hour": a backup kept at every hour shows no hour.
        CSvrOptBackupPage& backup = dialog.BackupPage();
        EXPECT_EQ(Field(backup, CSvrOptBackupPage::kHourIds[kNeBackupEntry]), QString());
        EXPECT_FALSE(e2e::ComboTexts(backup, CSvrOptBackupPage::kHourIds[kNeBackupEntry]).contains("every hour"));
        EXPECT_FALSE(e2e::ComboTexts(backup, CSvrOptBackupPage::kHourIds[kDbBackupEntry]).contains("every hour"));
        EXPECT_TRUE(e2e::ComboTexts(backup, CSvrOptBackupPage::kHourIds[kNeFlashWriteEntry])
                        .endsWith(QStringLiteral(",23,every hour")));
        EXPECT_EQ(Field(backup, CSvrOptBackupPage::kWeekdayIds[kNeBackupEntry]), QStringLiteral("everyday"));
        // Each weekday combo offers the days from Sunday, then every day, in the positions the server keeps.
        for (const int weekdays : CSvrOptBackupPage::kWeekdayIds) {
            EXPECT_EQ(e2e::ComboTexts(backup, weekdays),
                      QStringLiteral("Sunday,Monday,Tuesday,Wednsday,Thursday,Friday,Saturday,everyday"))
                << weekdays;
        }
        EXPECT_EQ(Field(backup, CSvrOptBackupPage::kHourIds[kDbBackupEntry]), QStringLiteral("3"));
        EXPECT_EQ(Field(backup, CSvrOptBackupPage::kMinuteIds[kDbBackupEntry]), QStringLiteral("30"));
        // The date/time synchronisation every 24 hours, on the page without a tab.
        EXPECT_TRUE(e2e::IsChecked(dialog.AutoSyncPage(), CSvrOptAutoSyncPage::kTimeSyncId));
        EXPECT_EQ(Field(dialog.AutoSyncPage(), CSvrOptAutoSyncPage::kHoursId), QStringLiteral("24"));
        EXPECT_FALSE(dialog.IsPageShown(&dialog.AutoSyncPage()));
        // The hours' spin turns only while the synchronisation is on.
        for (const bool on : {true, false, true}) {
            e2e::Check(dialog.AutoSyncPage(), CSvrOptAutoSyncPage::kTimeSyncId, on);
            EXPECT_EQ(dialog.AutoSyncPage().IsControlEnabled(CSvrOptAutoSyncPage::kHoursSpinId), on);
        }

        // Each page as the operator sees it.
        const std::pair<CADialog*, const char*> pages[] = {
            {&dialog.SnmpPage(), "server_management_snmp"},
            {&dialog.LogExpirePage(), "server_management_log_expiration"},
            {&backup, "server_management_auto_backup"},
            {&dialog.MailPage(), "server_management_alarm_notification"},
            {&nms, "server_management_north_bound"},
        };
        for (const auto& [page, name] : pages) {
            dialog.SelectPage(page);
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QString::fromLatin1(name)));
        }
        dialog.ShowPage(&dialog.AutoSyncPage(), 1);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("server_management_ne_auto_sync")));
        dialog.HidePage(&dialog.AutoSyncPage());

        // Changes on several pages.
        dialog.SelectPage(&dialog.SnmpPage());
        Type(dialog.SnmpPage(), CSvrOptSnmpPage::kTimeoutId, QStringLiteral("7"));
        dialog.SelectPage(&dialog.LogExpirePage());
        Type(dialog.LogExpirePage(), CSvrOptLogExpirePage::kHistoryAlarmId, QStringLiteral("20"));
        dialog.SelectPage(&dialog.MailPage());
        Type(dialog.MailPage(), CSvrOptMailPage::kSmtpServerId, QStringLiteral("smtp.example.org"));
        dialog.SelectPage(&nms);
        // An empty row offers the usual trap port, a filled one its own.
        EditManager(program_, nms, 1, QStringLiteral("20162"), QStringLiteral("10.1.1.30"), QStringLiteral("1162"));
        EditManager(program_, nms, 0, QStringLiteral("162"), QStringLiteral("0.0.0.0"), {}); // the row is emptied
        // The fifth manager, the list's last room, is taken; there is no sixth.
        EditManager(program_, nms, 4, QStringLiteral("20162"), QStringLiteral("10.1.1.50"), QStringLiteral("1165"));
        EXPECT_EQ(e2e::ListColumn(managers, 1), (QStringList{"", "10.1.1.30", "", "", "10.1.1.50"}));
        EXPECT_EQ(e2e::ListColumn(managers, 2), (QStringList{"", "1162", "", "", "1165"}));

        // A community with a blank: refused on its page, the blank selected, and nothing asked or sent.
        Type(nms, CSvrOptNmsPage::kCommunityId, QStringLiteral("north 1"));
        dialog.SelectPage(&dialog.SnmpPage());
        const size_t boxes = person.boxTexts.size();
        Click(dialog, IDOK);
        EXPECT_EQ(MessageLine(dialog),
                  QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
        EXPECT_EQ(dialog.GetCurrentPage(), &nms);
        EXPECT_EQ(nms.GetDlgItemAs<QLineEdit>(CSvrOptNmsPage::kCommunityId)->selectionStart(), 5);
        EXPECT_EQ(person.boxTexts.size(), boxes);
        EXPECT_FALSE(dialog.IsEnded());

        Type(nms, CSvrOptNmsPage::kCommunityId, QStringLiteral("north-1"));
        person.AnswerBox(IDYES);
        Click(dialog, IDOK);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to modify the data?"));
        EXPECT_TRUE(dialog.IsEnded());
        worked = true;
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdManagementOptions));
    ASSERT_TRUE(worked);

    // What another workstation reads now.
    const ServerOptionRecord kept = ServerOptions(program_);
    EXPECT_EQ(kept.snmpTimeout, 7);
    EXPECT_EQ(kept.snmpRetries, 2);
    EXPECT_EQ(kept.historyAlarmDays, 20);
    EXPECT_EQ(kept.pmDays, 7);
    EXPECT_EQ(kept.smtpServer, "smtp.example.org");
    EXPECT_EQ(kept.community, "north-1");
    EXPECT_EQ(kept.timeSyncSeconds, 86400u); // kept by the page without a tab
    EXPECT_EQ(kept.nmsManagerIp1, (Ip{}));
    EXPECT_EQ(kept.nmsTrapPort1, 0);
    EXPECT_EQ(kept.nmsManagerIp2, (Ip{10, 1, 1, 30}));
    EXPECT_EQ(kept.nmsTrapPort2, 1162);
    EXPECT_EQ(kept.nmsManagerIp5, (Ip{10, 1, 1, 50}));
    EXPECT_EQ(kept.nmsTrapPort5, 1165);
    // The schedules as they were: a backup at every hour, which its combo does not show, stays every hour.
    EXPECT_EQ(ServerSchedules(program_), schedulesBefore);
    EXPECT_EQ(schedulesBefore.neBackup.hour, 24);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

TEST_F(ServerOptionsE2eTest, AChangeTheServerRefusesLeavesTheDialogOpenAndTheServerAsItWas)
{
    e2e::COperator& person = program_.Operator();
    const ServerOptionRecord before = ServerOptions(program_);
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        Type(dialog.SnmpPage(), CSvrOptSnmpPage::kRetriesId, QStringLiteral("4"));
        EXPECT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextChange, kReqServerOption));
        person.AnswerBox(IDYES);
        Click(dialog, IDOK);
        EXPECT_EQ(person.LastBoxText(), kRefused);
        EXPECT_FALSE(dialog.IsEnded());
        EXPECT_EQ(Field(dialog.SnmpPage(), CSvrOptSnmpPage::kRetriesId), QStringLiteral("4"));
        // A value the page does not take stays on its page.
        dialog.SelectPage(&dialog.LogExpirePage());
        Type(dialog.LogExpirePage(), CSvrOptLogExpirePage::kDailyPmId, QStringLiteral("100"));
        dialog.SelectPage(&dialog.SnmpPage());
        Click(dialog, IDOK);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Please enter an integer between 1 and 99."));
        EXPECT_EQ(dialog.GetCurrentPage(), &dialog.LogExpirePage());
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdManagementOptions));
    EXPECT_EQ(ServerOptions(program_), before);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The Log Expiration page's four numbers of days, each at both ends of its range and one past: a value past an end
// stays on the page, one in range is written.
TEST_F(ServerOptionsE2eTest, EachExpirationTakesTheEndsOfItsRangeAndNothingPast)
{
    const auto onLogExpirePage = [](int id) -> e2e::Attempt {
        return [id](e2e::CProgram& program, const QString& value) {
            e2e::COperator& person = program.Operator();
            bool refused = false;
            person.OnDialog<Dlg>([&](Dlg& dialog) {
                dialog.SelectPage(&dialog.LogExpirePage());
                Type(dialog.LogExpirePage(), id, value);
                person.AnswerBox(IDYES);
                Click(dialog, IDOK);
                refused = !dialog.IsEnded();
                if (refused) {
                    EXPECT_TRUE(
                        MessageLine(dialog).startsWith(QStringLiteral("Please enter an integer between 1 and")));
                }
                person.ForgetBoxAnswers();
                return IDCANCEL;
            });
            EXPECT_TRUE(program.Command(kCmdManagementOptions));
            return refused;
        };
    };
    using Page = CSvrOptLogExpirePage;
    const e2e::RangeCase cases[] = {
        {"history alarm days", 1, 30, onLogExpirePage(Page::kHistoryAlarmId)},
        {"PM / traffic days", 1, 30, onLogExpirePage(Page::kPmId)},
        {"1-day PM / traffic days", 1, 99, onLogExpirePage(Page::kDailyPmId)},
        {"user operation log days", 1, 365, onLogExpirePage(Page::kOpLogId)},
    };
    e2e::TryEachEnd(program_, cases);
    // Each range's top was the last value of its own written.
    const ServerOptionRecord written = ServerOptions(program_);
    EXPECT_EQ(written.historyAlarmDays, 30);
    EXPECT_EQ(written.pmDays, 30);
    EXPECT_EQ(written.dailyPmDays, 99);
    EXPECT_EQ(written.opLogDays, 365);
}

// A failed read leaves the pages' defaults in place, and OK, offered by the right alone, writes them.
TEST_F(ServerOptionsE2eTest, AFailedReadLeavesTheDefaultsWhichOkWrites)
{
    e2e::COperator& person = program_.Operator();
    ASSERT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextRequest, kReqServerSchedule));
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to query")))
            << person.LastBoxText().toStdString();
        EXPECT_TRUE(dialog.IsControlEnabled(IDOK));
        // The pages hold their defaults.
        EXPECT_EQ(Field(dialog.SnmpPage(), CSvrOptSnmpPage::kTimeoutId), QStringLiteral("3"));
        EXPECT_EQ(Field(dialog.SnmpPage(), CSvrOptSnmpPage::kPollingId), QStringLiteral("60"));
        EXPECT_EQ(Field(dialog.AutoSyncPage(), CSvrOptAutoSyncPage::kHoursId), QStringLiteral("24"));
        person.AnswerBox(IDYES);
        Click(dialog, IDOK);
        EXPECT_TRUE(dialog.IsEnded()) << MessageLine(dialog).toStdString();
    });
    ASSERT_TRUE(program_.Command(kCmdManagementOptions));
    const ServerOptionRecord written = ServerOptions(program_);
    EXPECT_EQ(written.snmpTimeout, 3);
    EXPECT_EQ(written.alarmPollMinutes, 60u);
    // The other pages' defaults: no retry, a day of each log, the agent on 20161 with "pridox", sending no traps.
    EXPECT_EQ(written.snmpRetries, 0);
    EXPECT_EQ(written.historyAlarmDays, 1);
    EXPECT_EQ(written.pmDays, 1);
    EXPECT_EQ(written.dailyPmDays, 1);
    EXPECT_EQ(written.opLogDays, 1);
    EXPECT_EQ(written.agentPort, 20161u);
    EXPECT_EQ(written.community, "pridox");
    EXPECT_EQ(written.trapSending, 0u);
    EXPECT_EQ(written.allowUnknownManagers, 0u);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

TEST(ServerAdministrationDirectE2eTest, DirectModeOffersNoneOfTheServersOwnFunctions)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartAgent());
    ASSERT_TRUE(program.Login("qurim", "private"));
    const std::vector<int> offered = program.Frame().MainMenuCommandIds();
    // Management options, database backups, server time and server monitoring.
    for (const int command : {kCmdManagementOptions, 33002, 33099, 33153})
        EXPECT_EQ(std::count(offered.begin(), offered.end(), command), 0) << command;
}

} // namespace
