#pragma once
// Steps of the end-to-end tests of the rights a dialog checks. For each right (the function of the rights table and
// the letter) an operator path is tried twice: by an Administrator whose role holds exactly the letter below the one
// needed on that function (refused: "No privilege", the dialog closes at once, or its button stays off) and by one
// who holds it (through). The simulated server sends the role's rights as it changes them, as it does to every
// workstation.
//
//     class SomeRightsE2eTest : public e2e::CRightsTest {};
//     TEST_F(SomeRightsE2eTest, ...)
//     {
//         const e2e::RightCase cases[] = {{"NE list", 3, 'q', e2e::Opening<CNeListDlg>(33071)}, ...};
//         RunCases(cases, std::size(cases));
//     }

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/access_rights.h"
#include "core/tables/user_account.h"
#include "link/ems_msg.h"
#include "link/records/request_codes.h"
#include "link/records/user_rights_record.h"
#include "platform/list_control.h"
#include "ui/shell/frame/main_frame.h"

#include <QTreeView>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace e2e {

inline const QString kNoPrivilege = QStringLiteral("No privilege");

// The command, from the main menu or, for one no menu offers, its toolbar button.
inline bool RunCommand(CProgram& program, int command)
{
    return program.Command(command) || program.ToolbarButton(command);
}

// Whether the operator's path was refused for want of the right.
using Path = std::function<bool(CProgram&)>;

// The command opens the dialog: refused when the dialog closed itself at once.
template <class Dlg> Path Opening(int command)
{
    return [command](CProgram& program) {
        bool refused = false;
        bool shown = false;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            shown = true;
            refused = dialog.IsEnded();
        });
        EXPECT_TRUE(RunCommand(program, command)) << command;
        EXPECT_TRUE(shown) << command;
        return refused;
    };
}

// The row a list's command works on: the first, or the first whose cell shows a text.
using RowChooser = std::function<int(QTreeView&)>;
inline int FirstRow(QTreeView& rows)
{
    return CListControl(&rows).GetItemCount() > 0 ? 0 : -1;
}
inline RowChooser RowShowing(int column, const QString& text)
{
    return [column, text](QTreeView& rows) { return RowOf(rows, column, text); };
}
// Clicks the row chosen on the dialog's list (none: no click).
inline void ChooseRow(CProgram& program, CADialog& dialog, const RowChooser& row, int command)
{
    if (!row)
        return;
    QTreeView& rows = *dialog.FindList(kListControlId);
    const int chosen = row(rows);
    ASSERT_GE(chosen, 0) << command;
    program.ClickListRow(rows, chosen);
}

// A button of the dialog the command opens, pressed with the row chosen (none: without a row): refused when the
// message line says so and the dialog stays. A question it asks is answered No (an answer no question took is kept
// for the next, which is answered No as well); a dialog it opens is cancelled.
template <class Dlg> Path Pressing(int command, int button, RowChooser row = {})
{
    return [command, button, row](CProgram& program) {
        bool refused = false;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            ChooseRow(program, dialog, row, command);
            dialog.ClearMessageLine();
            program.Operator().AnswerBox(IDNO);
            EXPECT_TRUE(dialog.IsControlEnabled(button)) << command << " " << button;
            Click(dialog, button);
            refused = !dialog.IsEnded() && MessageLine(dialog) == kNoPrivilege;
        });
        EXPECT_TRUE(RunCommand(program, command)) << command;
        return refused;
    };
}

// A button of the dialog the command opens, pressed with the row chosen, opens the Child dialog: refused when that
// closed itself at once.
template <class Dlg, class Child> Path Through(int command, int button, RowChooser row = {})
{
    return [command, button, row](CProgram& program) {
        bool refused = false;
        bool shown = false;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            ChooseRow(program, dialog, row, command);
            program.Operator().OnDialog<Child>([&](Child& child) {
                shown = true;
                refused = child.IsEnded();
            });
            Click(dialog, button);
        });
        EXPECT_TRUE(RunCommand(program, command)) << command;
        EXPECT_TRUE(shown) << command << " " << button;
        return refused;
    };
}

// A control the dialog enables by the right, with the row chosen (none: without a row): refused when it is off.
template <class Dlg> Path Enabling(int command, int control, RowChooser row = {})
{
    return [command, control, row](CProgram& program) {
        bool refused = false;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            ChooseRow(program, dialog, row, command);
            refused = !dialog.IsControlEnabled(control);
        });
        EXPECT_TRUE(RunCommand(program, command)) << command;
        return refused;
    };
}

struct RightCase {
    const char* name;
    int function;
    char letter; // what the path needs: 'q', 'm', 'c', 'd' or 'x'
    Path path;
};

// The letter just below the one needed ('x' needs 'a': 'd' lacks it), and the one that grants it.
inline char Lacking(char letter)
{
    switch (letter) {
    case 'm':
        return 'q';
    case 'c':
        return 'm';
    case 'd':
        return 'c';
    case 'x':
        return 'd';
    default:
        return '-';
    }
}
inline char Granting(char letter)
{
    return letter == 'x' ? 'a' : letter;
}

// The Administrators (the role of "admin") hold every right but `letter` on `function`; true once the workstation
// has them.
inline bool GiveAdministrators(CProgram& program, int function, char letter)
{
    std::string administrators(127, 'a');
    administrators[static_cast<size_t>(function)] = letter;
    UserRightsRecord rights;
    rights.rights = {administrators, std::string(127, 'm'), std::string(127, 'q')};
    server_test::CRawClient& probe = program.ServerProbe();
    const auto record = EncodeRecord(rights);
    const auto reply = probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqUserRights, 0, {record.begin(), record.end()}, kUserRightsRecordSize));
    if (!reply || reply->header.status != 0)
        return false;
    return program.WaitUntil([&] {
        const RightsTable* table = GetRightsTable(kRoleAdministrator);
        return table != nullptr && (*table)[static_cast<size_t>(function)] == letter;
    });
}

// A button whose press asks the right again: the dialog the command opens is opened with every right on `function`,
// the right then falls back to the letter the case gives (the server may change it while a dialog is open) and the
// button is pressed, a question it asks answered No. Refused when the dialog says "No privilege".
template <class Dlg> Path PressingAfterOpening(int command, int function, int button)
{
    return [command, function, button](CProgram& program) {
        const RightsTable* table = GetRightsTable(kRoleAdministrator);
        const char letter = table != nullptr ? (*table)[static_cast<size_t>(function)] : '-';
        if (!GiveAdministrators(program, function, 'a'))
            return false;
        bool refused = false;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            EXPECT_TRUE(GiveAdministrators(program, function, letter));
            program.Operator().AnswerBox(IDNO);
            Click(dialog, button);
            program.Operator().ForgetBoxAnswers();
            refused = MessageLine(dialog) == kNoPrivilege;
            return IDCANCEL;
        });
        EXPECT_TRUE(RunCommand(program, command)) << command;
        return refused;
    };
}

// The program logged in to the simulated server as its admin, North-1 chosen in the tree.
class CRightsTest : public ::testing::Test {
protected:
    static constexpr uint32_t kNorth1 = 1;

    void SetUp() override
    {
        ASSERT_TRUE(program_.StartServer(peer_));
        ASSERT_TRUE(program_.Login("admin", "admin"));
        program_.ClickTreeItem(program_.TreeItem(QStringLiteral("North-1")));
        ASSERT_EQ(program_.Frame().GetCurrentNeId(), kNorth1);
    }

    bool GiveAdministrators(int function, char letter) { return e2e::GiveAdministrators(program_, function, letter); }

    void RunCases(const RightCase* cases, size_t count)
    {
        for (size_t i = 0; i < count; ++i) {
            const RightCase& c = cases[i];
            SCOPED_TRACE(std::string(c.name) + ": function " + std::to_string(c.function) + " '" + c.letter + "'");
            ASSERT_TRUE(GiveAdministrators(c.function, Lacking(c.letter)));
            EXPECT_TRUE(c.path(program_)) << "an operator without the right gets through";
            ASSERT_TRUE(GiveAdministrators(c.function, Granting(c.letter)));
            EXPECT_FALSE(c.path(program_)) << "an operator with the right is refused";
        }
    }

    PeerOptions peer_; // set before SetUp runs (in the derived fixture's constructor)
    CProgram program_;
};

} // namespace e2e
