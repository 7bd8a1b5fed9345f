// The ranges of the NE's settings in the running program, at each end: a value at the bound passes the dialog's
// range check (what follows is the NE's), one past it is refused with the range message and the dialog stays.

#include "tests/e2e/support/e2e_harness.h"

#include "features/management/cascaded/cascaded_mgmt_dlg.h"
#include "features/management/clock/ne_system_time_dlg.h"
#include "features/management/ne_wide/mac_aging_dlg.h"
#include "features/management/ne_wide/telnet_timeout_dlg.h"
#include "ui/shell/frame/main_frame.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr uint32_t kNorth1 = 1;
using e2e::Click;
using e2e::MessageLine;

// Opens the dialog, types the value into the edit and presses the button; true when the range check refused it.
using Attempt = std::function<bool(e2e::CProgram&, const QString& value)>;

// `first`: a choice that makes the edit take typing (none: 0).
template <class Dlg> Attempt Typing(int command, int editId, int buttonId, bool asks, int first = 0)
{
    return [=](e2e::CProgram& program, const QString& value) {
        bool refused = false;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            if (first != 0)
                e2e::Check(dialog, first);
            e2e::Type(dialog, editId, value);
            // The question before the range check is answered Yes, so that the check is reached.
            if (asks)
                program.Operator().AnswerBox(IDYES);
            Click(dialog, buttonId);
            refused = !dialog.IsEnded() && MessageLine(dialog).startsWith(QStringLiteral("Please enter an integer"));
        });
        EXPECT_TRUE(program.Command(command)) << command;
        return refused;
    };
}

struct RangeCase {
    const char* name;
    long long minimum;
    long long maximum;
    Attempt attempt;
};

TEST(ManagementRangesE2eTest, EachEndOfARangeIsTakenAndOnePastItRefused)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    ASSERT_EQ(program.Frame().GetCurrentNeId(), kNorth1);
    const RangeCase cases[] = {
        {"telnet time-out, minutes", 1, 1440,
         Typing<CTelnetTimeoutDlg>(33214, CTelnetTimeoutDlg::kMinutesId, IDOK, true)},
        {"MAC aging, seconds", 10, 1000, Typing<CMacAgingDlg>(33072, CMacAgingDlg::kSecondsId, IDOK, true)},
        // A root's, whose address is left blank: a prefix the range takes goes on to that refusal.
        {"cascaded management, prefix length", 1, 30,
         Typing<CCascadedMgmtDlg>(33202, CCascadedMgmtDlg::kPrefixId, IDOK, false, CCascadedMgmtDlg::kRootId)},
        {"NE time zone, hours", -12, 13,
         Typing<CNeSystemTimeDlg>(33103, CNeSystemTimeDlg::kTimeZoneId, CNeSystemTimeDlg::kSetButtonId, false)},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [value, inRange] : {std::pair{c.minimum - 1, false}, std::pair{c.minimum, true},
                                             std::pair{c.maximum, true}, std::pair{c.maximum + 1, false}}) {
            EXPECT_EQ(c.attempt(program, QString::number(value)), !inRange) << value;
        }
    }
    EXPECT_TRUE(program.Operator().unscriptedDialogs.isEmpty())
        << program.Operator().unscriptedDialogs.join(',').toStdString();
}

} // namespace
