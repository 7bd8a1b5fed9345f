// The ranges of the NE's settings in the running program, at each end: a value at the bound passes the dialog's
// range check (what follows is the NE's), one past it is refused with the range message and the dialog stays.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/range_steps.h"

#include "features/management/cascaded/cascaded_mgmt_dlg.h"
#include "features/management/clock/ne_system_time_dlg.h"
#include "features/management/ne_wide/mac_aging_dlg.h"
#include "features/management/ne_wide/redundancy_ctrl_dlg.h"
#include "features/management/ne_wide/telnet_timeout_dlg.h"
#include "ui/shell/frame/main_frame.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kNorth1 = 1;
using e2e::Click;
using e2e::MessageLine;

using e2e::Attempt;
using e2e::RangeCase;

// How the dialog is opened: a command of the main menu, or of the popup of an NE's main shelf in the tree (the NE is
// clicked first, for its shelves to come into the tree).
using Open = std::function<bool(e2e::CProgram&)>;
Open Menu(int command)
{
    return [=](e2e::CProgram& program) { return program.Command(command); };
}
Open ShelfPopup(const QString& ne, int command)
{
    return [=](e2e::CProgram& program) {
        QTreeWidgetItem* item = program.TreeItem(ne);
        program.ClickTreeItem(item);
        for (int i = 0; item != nullptr && i < item->childCount(); ++i) {
            if (item->child(i)->text(0) == QStringLiteral("shelf:1")) {
                const std::vector<int> offered = program.RightClickTreeItem(item->child(i), command);
                return !offered.empty();
            }
        }
        return false;
    };
}

// `first`: a choice that makes the edit take typing (none: 0).
template <class Dlg> Attempt Typing(Open open, int editId, int buttonId, bool asks, int first = 0)
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
        EXPECT_TRUE(open(program));
        return refused;
    };
}

TEST(ManagementRangesE2eTest, EachEndOfARangeIsTakenAndOnePastItRefused)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    ASSERT_EQ(program.Frame().GetCurrentNeId(), kNorth1);
    const RangeCase cases[] = {
        {"telnet time-out, minutes", 1, 1440,
         Typing<CTelnetTimeoutDlg>(Menu(33214), CTelnetTimeoutDlg::kMinutesId, IDOK, true)},
        {"MAC aging, seconds", 10, 1000, Typing<CMacAgingDlg>(Menu(33072), CMacAgingDlg::kSecondsId, IDOK, true)},
        // A root's, whose address is left blank: a prefix the range takes goes on to that refusal.
        {"cascaded management, prefix length", 1, 30,
         Typing<CCascadedMgmtDlg>(Menu(33202), CCascadedMgmtDlg::kPrefixId, IDOK, false, CCascadedMgmtDlg::kRootId)},
        {"NE time zone, hours", -12, 13,
         Typing<CNeSystemTimeDlg>(Menu(33103), CNeSystemTimeDlg::kTimeZoneId, CNeSystemTimeDlg::kSetButtonId, false)},
        // Last, as it chooses South-1: its main shelf's, whose two control modules make the redundancy control: the
        // period while "Enabled".
        {"redundancy period, seconds", 30, 3600,
         Typing<CRedundancyCtrlDlg>(ShelfPopup(QStringLiteral("South-1"), 33188), CRedundancyCtrlDlg::kSecondsId, IDOK,
                                    true, CRedundancyCtrlDlg::kEnabledId)},
    };
    e2e::TryEachEnd(program, cases);
    EXPECT_TRUE(program.Operator().unscriptedDialogs.isEmpty())
        << program.Operator().unscriptedDialogs.join(',').toStdString();
}

} // namespace
