// An NE's clock and time servers in the running program: the operator sets North-1's date, time and zone, and the
// simulated server's clock for the NE runs on from them; the time shown runs on a second at a time. The time server
// status shows the NE's servers and their states; the setting refuses a server that is no address, keeps the hours
// and minutes within their spins' ranges, and the NE adjusts its clock from a server that serves it. The
// server refuses a change once, and the dialogs stay open with what the operator entered. The tests run with TZ set.

#include "tests/e2e/support/e2e_harness.h"

#include "features/management/clock/ne_system_time_dlg.h"
#include "features/management/clock/ne_time_server_dlg.h"
#include "features/management/clock/ne_time_server_status_dlg.h"
#include "link/ems_msg.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_time_server_record.h"
#include "link/records/request_codes.h"
#include "platform/delta_spin.h"
#include "sim/server/sim_control.h"

#include <QDateEdit>
#include <QDateTime>
#include <QTimeEdit>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace {

constexpr int kCmdSystemTime = 33103, kCmdTimeServers = 33187;
constexpr uint32_t kNorth1 = 1;
const QString kRefused = QStringLiteral("Fail to update data\n\n(32028) Change refused by the server");
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::MessageLine;
using e2e::Type;

// The workstation runs in a zone of its own for the test.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (old_)
            setenv("TZ", old_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> old_;
};

void RefuseNextChange(e2e::CProgram& program, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, code, 0, 0});
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
}

// The date and time as the operator picks them with the pickers' calendar and arrows.
void Pick(CNeSystemTimeDlg& dialog, const QDate& date, const QTime& time)
{
    auto* datePicker = dialog.GetDlgItemAs<QDateEdit>(CNeSystemTimeDlg::kDateId);
    auto* timePicker = dialog.GetDlgItemAs<QTimeEdit>(CNeSystemTimeDlg::kTimeId);
    ASSERT_TRUE(datePicker != nullptr && timePicker != nullptr);
    datePicker->setDate(date);
    timePicker->setTime(time);
}

NeTimeRecord ServerClock(e2e::CProgram& program)
{
    const std::vector<NeTimeRecord> clock = program.ServerRecords(kReqNeTime, kNorth1);
    return clock.empty() ? NeTimeRecord{} : clock.front();
}

class NeClockE2eTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_.LoginAsAdminAt(QStringLiteral("North-1"))); }

    ScopedTimeZone zone_{"UTC0"};
    e2e::CProgram program_;
};

TEST_F(NeClockE2eTest, TheOperatorSetsTheNesClockAndItRunsOnAtThePeer)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CNeSystemTimeDlg>([&](CNeSystemTimeDlg& dialog) {
        // The NE's clock and zone as the server keeps them; its up time, running on.
        const NeTimeRecord clock = ServerClock(program_);
        EXPECT_EQ(Field(dialog, CNeSystemTimeDlg::kTimeZoneId), QStringLiteral("1"));
        EXPECT_TRUE(Field(dialog, CNeSystemTimeDlg::kUpTimeId).startsWith(QStringLiteral("3 days  04:0")));
        const QString upTime = Field(dialog, CNeSystemTimeDlg::kUpTimeId);
        EXPECT_TRUE(program_.WaitUntil([&] { return Field(dialog, CNeSystemTimeDlg::kUpTimeId) != upTime; }));
        const QString shownTime = Field(dialog, CNeSystemTimeDlg::kTimeId);
        EXPECT_TRUE(program_.WaitUntil([&] { return Field(dialog, CNeSystemTimeDlg::kTimeId) != shownTime; }));
        const QDateTime shown = QDateTime::fromString(Field(dialog, CNeSystemTimeDlg::kDateId) + QLatin1Char(' ') +
                                                          Field(dialog, CNeSystemTimeDlg::kTimeId),
                                                      QStringLiteral("yyyy/MM/dd HH:mm:ss"));
        EXPECT_LE(std::abs(shown.toSecsSinceEpoch() - static_cast<qint64>(clock.neClock)), 3) << "the NE's time";

        // The zone is refused only past its field, which would send it wrapped.
        Type(dialog, CNeSystemTimeDlg::kTimeZoneId, QStringLiteral("32768"));
        Click(dialog, CNeSystemTimeDlg::kSetButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Please enter an integer between -32768 and 32767."));
        EXPECT_FALSE(dialog.IsEnded());

        // "Synchronize with Local Time" shows the workstation's time and takes the pickers and Refresh.
        Check(dialog, CNeSystemTimeDlg::kSyncLocalId);
        EXPECT_FALSE(dialog.IsControlEnabled(CNeSystemTimeDlg::kDateId));
        EXPECT_FALSE(dialog.IsControlEnabled(kRefreshButtonId));
        Check(dialog, CNeSystemTimeDlg::kSyncLocalId, false);
        EXPECT_TRUE(dialog.IsControlEnabled(CNeSystemTimeDlg::kDateId));

        // The date picker takes 1970/01/02 to 2037/12/31: a day past either end gives that end.
        for (const auto& [picked, shown] :
             {std::pair{QDate(1970, 1, 1), "1970/01/02"}, std::pair{QDate(1970, 1, 2), "1970/01/02"},
              std::pair{QDate(2037, 12, 31), "2037/12/31"}, std::pair{QDate(2038, 1, 1), "2037/12/31"}}) {
            Pick(dialog, picked, QTime(3, 4, 5));
            EXPECT_EQ(Field(dialog, CNeSystemTimeDlg::kDateId), QString::fromLatin1(shown)) << shown;
        }
        Pick(dialog, QDate(2030, 1, 2), QTime(3, 4, 5));
        Type(dialog, CNeSystemTimeDlg::kTimeZoneId, QStringLiteral("-5"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_system_time")));

        // Refused once: the dialog stays with what was entered.
        RefuseNextChange(program_, kReqNeTime);
        Click(dialog, CNeSystemTimeDlg::kSetButtonId);
        EXPECT_EQ(person.LastBoxText(), kRefused);
        EXPECT_FALSE(dialog.IsEnded());
        EXPECT_EQ(Field(dialog, CNeSystemTimeDlg::kTimeZoneId), QStringLiteral("-5"));
        EXPECT_EQ(ServerClock(program_).timeZone, 1);

        // A zone past the spin's hours goes to the NE as it stands: the NE judges it.
        Type(dialog, CNeSystemTimeDlg::kTimeZoneId, QStringLiteral("14"));
        Click(dialog, CNeSystemTimeDlg::kSetButtonId);
        EXPECT_EQ(MessageLine(dialog), QString());
        EXPECT_TRUE(person.LastBoxText().endsWith(QStringLiteral("Time zone out of range")))
            << person.LastBoxText().toStdString();
        EXPECT_FALSE(dialog.IsEnded());

        Type(dialog, CNeSystemTimeDlg::kTimeZoneId, QStringLiteral("-5"));
        Pick(dialog, QDate(2030, 1, 2), QTime(3, 4, 5));
        Click(dialog, CNeSystemTimeDlg::kSetButtonId);
        EXPECT_TRUE(dialog.IsEnded());
    });
    ASSERT_TRUE(program_.Command(kCmdSystemTime));

    constexpr uint32_t kSet = 1893553445; // 2030-01-02 03:04:05 UTC
    const NeTimeRecord set = ServerClock(program_);
    EXPECT_EQ(set.timeZone, -5);
    EXPECT_GE(set.neClock, kSet);
    EXPECT_LE(set.neClock, kSet + 5);
    EXPECT_TRUE(program_.WaitUntil([&] { return ServerClock(program_).neClock > set.neClock; }))
        << "the NE's clock runs on from the time set";
}

TEST_F(NeClockE2eTest, TheTimeServersAreShownCheckedSetAndAdjustTheClock)
{
    e2e::COperator& person = program_.Operator();
    using Status = CNeTimeServerStatusDlg;
    using Setting = CNeTimeServerDlg;
    person.OnDialog<Status>([&](Status& status) {
        EXPECT_EQ(Field(status, Status::kProtocolId), QStringLiteral("SNTP"));
        EXPECT_EQ(Field(status, Status::kHoursId), QStringLiteral("12"));
        EXPECT_EQ(Field(status, Status::kMinutesId), QStringLiteral("0"));
        EXPECT_EQ(Field(status, Status::kFirstServerId), QStringLiteral("ntp1.example.net"));
        EXPECT_EQ(Field(status, Status::kFirstStateId), QStringLiteral("network timing source"));
        EXPECT_EQ(Field(status, Status::kFirstStateId + 1), QStringLiteral("in backup mode"));
        EXPECT_EQ(Field(status, Status::kFirstStateId + 2), QStringLiteral("not set"));
        EXPECT_TRUE(status.IsControlEnabled(Status::kAdjustButtonId));
        const QString neTime = Field(status, Status::kNeTimeId);
        EXPECT_TRUE(program_.WaitUntil([&] { return Field(status, Status::kNeTimeId) != neTime; }));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(status, QStringLiteral("ne_time_server_status")));

        person.OnDialog<Setting>([&](Setting& setting) {
            EXPECT_EQ(Field(setting, Setting::kProtocolComboId), QStringLiteral("SNTP"));
            EXPECT_EQ(Field(setting, Setting::kHoursId), QStringLiteral("12"));
            // A server that is no address, and one with a blank.
            Type(setting, Setting::kFirstServerId + 2, QStringLiteral("0.0.0.1"));
            Click(setting, IDOK);
            EXPECT_EQ(MessageLine(setting), QStringLiteral("incorrect IP address"));
            Type(setting, Setting::kFirstServerId + 2, QStringLiteral("ntp 3"));
            Click(setting, IDOK);
            EXPECT_EQ(MessageLine(setting),
                      QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
            // The spins' ranges are the only bounds of the hours and minutes, at each end: what lies within them
            // goes to the NE as it stands (the NE refuses it here, so the dialog stays).
            Type(setting, Setting::kFirstServerId + 2, QStringLiteral("ntp3.invalid"));
            const struct {
                const char* hours;
                const char* minutes;
                const char* refusal; // none: sent
            } periods[] = {
                {"25", "0", "Please enter an integer between 0 and 24."},
                {"-1", "0", "Please enter an integer between 0 and 24."},
                {"12", "61", "Please enter an integer between 0 and 60."},
                {"12", "-1", "Please enter an integer between 0 and 60."},
                {"0", "0", nullptr},
                {"24", "60", nullptr},
            };
            for (const auto& period : periods) {
                SCOPED_TRACE(std::string(period.hours) + " h " + period.minutes + " min");
                Type(setting, Setting::kHoursId, QString::fromLatin1(period.hours));
                Type(setting, Setting::kMinutesId, QString::fromLatin1(period.minutes));
                const size_t boxes = person.boxTexts.size();
                if (period.refusal == nullptr)
                    RefuseNextChange(program_, kReqNeTimeServer);
                Click(setting, IDOK);
                EXPECT_FALSE(setting.IsEnded());
                if (period.refusal != nullptr) {
                    EXPECT_EQ(MessageLine(setting), QString::fromLatin1(period.refusal));
                    EXPECT_EQ(person.boxTexts.size(), boxes);
                } else {
                    ASSERT_EQ(person.boxTexts.size(), boxes + 1);
                    EXPECT_EQ(person.LastBoxText(), kRefused);
                }
            }
            // Stepping the hours from 23 to 24 takes the minutes and their spin; back to 23 gives them back.
            Type(setting, Setting::kHoursId, QStringLiteral("23"));
            Type(setting, Setting::kMinutesId, QStringLiteral("30"));
            setting.GetDlgItemAs<DeltaSpin>(Setting::kHoursSpinId)->Step(1);
            EXPECT_EQ(Field(setting, Setting::kHoursId), QStringLiteral("24"));
            EXPECT_EQ(Field(setting, Setting::kMinutesId), QStringLiteral("0"));
            EXPECT_FALSE(setting.IsControlEnabled(Setting::kMinutesSpinId));
            setting.GetDlgItemAs<DeltaSpin>(Setting::kHoursSpinId)->Step(-1);
            EXPECT_TRUE(setting.IsControlEnabled(Setting::kMinutesSpinId));
            Type(setting, Setting::kMinutesId, QStringLiteral("30"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(setting, QStringLiteral("ne_time_server_setting")));

            RefuseNextChange(program_, kReqNeTimeServer);
            Click(setting, IDOK);
            EXPECT_EQ(person.LastBoxText(), kRefused);
            EXPECT_FALSE(setting.IsEnded());
            Click(setting, IDOK);
            EXPECT_TRUE(setting.IsEnded());
        });
        Click(status, kModifyButtonId);
        // The status is read again: the NE cannot resolve the third server's name.
        EXPECT_EQ(Field(status, Status::kHoursId), QStringLiteral("23"));
        EXPECT_EQ(Field(status, Status::kMinutesId), QStringLiteral("30"));
        EXPECT_EQ(Field(status, Status::kFirstServerId + 2), QStringLiteral("ntp3.invalid"));
        EXPECT_EQ(Field(status, Status::kFirstStateId + 2), QStringLiteral("fail to resolve server name"));

        // The NE takes its time from its servers.
        Click(status, Status::kAdjustButtonId);
        ASSERT_FALSE(person.PlainBoxes().Requests().empty());
        EXPECT_EQ(person.PlainBoxes().Requests().back().text,
                  QStringLiteral("Complete updating time. Please press \"Refresh\" button to refresh status after a "
                                 "few seconds."));

        // Adjust Time needs SNTP and at least one server to take the time from.
        const struct {
            const char* protocol;
            const char* servers[3];
            bool adjusts;
        } adjusting[] = {
            {"<none>", {"ntp1.example.net", "", "ntp3.invalid"}, false},
            {"SNTP", {"", "", ""}, false},
            {"SNTP", {"", "", "ntp3.invalid"}, true},
        };
        for (const auto& row : adjusting) {
            SCOPED_TRACE(std::string(row.protocol) + " " + row.servers[0] + "," + row.servers[2]);
            person.OnDialog<Setting>([&](Setting& setting) {
                e2e::Choose(setting, Setting::kProtocolComboId, QString::fromLatin1(row.protocol));
                for (int i = 0; i < 3; ++i)
                    Type(setting, Setting::kFirstServerId + i, QString::fromLatin1(row.servers[i]));
                Click(setting, IDOK);
            });
            Click(status, kModifyButtonId);
            EXPECT_EQ(Field(status, Status::kProtocolId), QString::fromLatin1(row.protocol));
            EXPECT_EQ(status.IsControlEnabled(Status::kAdjustButtonId), row.adjusts);
        }
    });
    ASSERT_TRUE(program_.Command(kCmdTimeServers));

    const std::vector<NeTimeServerRecord> servers = program_.ServerRecords(kReqNeTimeServer, kNorth1);
    ASSERT_EQ(servers.size(), 1u);
    EXPECT_EQ(servers.front().periodMinutes, 23u * 60 + 30);
    EXPECT_EQ(servers.front().servers[2], "ntp3.invalid");
}

// The period the NE keeps opens as hours and minutes: a whole day as 24 hours, which lock the minutes from the start;
// a minute less leaves them free.
TEST_F(NeClockE2eTest, ADayReadFromTheNeLocksTheMinutesFromTheStart)
{
    const struct {
        uint32_t kept; // minutes
        const char* hours;
        const char* minutes;
        bool minutesSpin;
    } periods[] = {
        {1439, "23", "59", true},
        {1440, "24", "0", false},
    };
    e2e::COperator& person = program_.Operator();
    server_test::CRawClient& probe = program_.ServerProbe();
    for (const auto& period : periods) {
        SCOPED_TRACE(period.kept);
        NeTimeServerRecord kept;
        kept.protocol = 1;
        kept.periodMinutes = period.kept;
        kept.servers[0] = "ntp1.example.net";
        const auto bytes = EncodeRecord(kept);
        const std::optional<Frame> written = probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqNeTimeServer, kNorth1, {bytes.begin(), bytes.end()}, kNeTimeServerRecordSize));
        ASSERT_TRUE(written && written->header.status == 0);
        person.OnDialog<CNeTimeServerStatusDlg>([&](CNeTimeServerStatusDlg& status) {
            person.OnDialog<CNeTimeServerDlg>([&](CNeTimeServerDlg& setting) {
                EXPECT_EQ(Field(setting, CNeTimeServerDlg::kHoursId), QString::fromLatin1(period.hours));
                EXPECT_EQ(Field(setting, CNeTimeServerDlg::kMinutesId), QString::fromLatin1(period.minutes));
                EXPECT_EQ(setting.IsControlEnabled(CNeTimeServerDlg::kMinutesSpinId), period.minutesSpin);
                return IDCANCEL;
            });
            Click(status, kModifyButtonId);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(kCmdTimeServers));
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

} // namespace
