// xDSL PM threshold profiles in the running program: the PM Threshold tab of an NE's ADSL Profile List lists its
// profiles, a disabled one in grey; the operator adds one through the profile dialog, which refuses a name with a
// blank and a threshold out of its range, changes one (refused once by the server, which changes nothing) and deletes
// one. In direct mode the NE serves its profiles itself, and the list offers no templates.

#include "tests/e2e/support/profile_list_steps.h"
#include "tests/e2e/support/server_alarms.h"

#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/profiles/xdsl_pm_threshold_profile_dlg.h"
#include "link/records/request_codes.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"

#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr int kCmdAdslProfile = 33080;
constexpr uint32_t kNorth = 1;
constexpr int kPmThresholdTab = 1;
using Editor = CXdslPmThresholdProfileDlg;
using e2e::Check;
using e2e::Click;
using e2e::ClickTab;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::RowOf;
using e2e::Type;

// The box and edit of a threshold, by its place: CO 15-minute ES 0, ... CO day ES 3, ... RT day UAS 11.
int Box(size_t index)
{
    return Editor::kControls[index].checkId;
}
int Edit(size_t index)
{
    return Editor::kControls[index].editId;
}

TEST(PmThresholdProfileE2eTest, AnNesProfilesAreAddedChangedAndDeleted)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        ClickTab(list, kPmThresholdTab);
        QTreeView& rows = *list.PageOfKind(ProfileKindId::kXdslPmThreshold)->FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, 0), (QStringList{QStringLiteral("quiet"), QStringLiteral("standard")}));
        const int quiet = RowOf(rows, 0, QStringLiteral("quiet"));
        const int standard = RowOf(rows, 0, QStringLiteral("standard"));
        EXPECT_EQ(ListColumn(rows, 1).value(standard), QStringLiteral(" 30 /  10 /  10"));
        EXPECT_EQ(ListColumn(rows, 2).value(quiet), QStringLiteral("  600 / ----- / -----"));
        EXPECT_EQ(e2e::CellImage(rows, quiet), kImageDisabled) << "its status is not 1";
        EXPECT_EQ(e2e::CellImage(rows, standard), kImageEnabled);
        EXPECT_FALSE(list.IsControlEnabled(kDeleteButtonId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("pm_threshold_list")));

        person.OnDialog<Editor>([&](Editor& add) {
            EXPECT_TRUE(add.IsControlReadOnly(Edit(0))) << "a threshold is off until its box is ticked";
            Type(add, Editor::kNameId, QStringLiteral("gold 1"));
            Check(add, Box(0));
            Type(add, Edit(0), QStringLiteral("1000"));
            Check(add, Box(9));
            Type(add, Edit(9), QStringLiteral("7200"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Please enter an integer between 1 and 900."));
            Type(add, Edit(0), QStringLiteral("45"));
            e2e::RetypeRefusedName(add, Editor::kNameId, QStringLiteral("gold-1"),
                                   QStringLiteral("pm_threshold_profile"));
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        EXPECT_EQ(ListColumn(rows, 1).value(RowOf(rows, 0, QStringLiteral("gold-1"))),
                  QStringLiteral(" 45 / --- / ---"));
        // The added row is brought into view; no row is chosen for the operator.
        EXPECT_EQ(rows.selectionModel()->selectedRows().size(), 0);
        EXPECT_FALSE(list.IsControlEnabled(kDeleteButtonId));

        // The disabled profile's day ES goes off; refused once by the server, which keeps what it had.
        program.ClickListRow(rows, RowOf(rows, 0, QStringLiteral("quiet")));
        // The row buttons follow the shown page: off on the Line page, where no row is chosen, on again here.
        ClickTab(list, 0);
        for (int button : {kShowButtonId, kModifyButtonId, kDeleteButtonId})
            EXPECT_FALSE(list.IsControlEnabled(button)) << button;
        ClickTab(list, kPmThresholdTab);
        for (int button : {kShowButtonId, kModifyButtonId, kDeleteButtonId})
            EXPECT_TRUE(list.IsControlEnabled(button)) << button;
        person.OnDialog<Editor>([&](Editor& modify) {
            EXPECT_TRUE(e2e::IsChecked(modify, Box(3)));
            EXPECT_FALSE(modify.IsControlEnabled(Editor::kNameId) && !modify.IsControlReadOnly(Editor::kNameId));
            Check(modify, Box(3), false);
            EXPECT_TRUE(e2e::ServerControl(program, 0, kSimRefuseNextChange, kReqPmThresholdProfile));
            person.AnswerBox(IDYES);
            Click(modify, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
            EXPECT_FALSE(modify.IsEnded());
            EXPECT_EQ(e2e::Named(program.ServerRecords(kReqPmThresholdProfile, kNorth), "quiet")->coEsDay, 600u);
            person.AnswerBox(IDYES);
            Click(modify, IDOK);
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        EXPECT_EQ(ListColumn(rows, 2).value(RowOf(rows, 0, QStringLiteral("quiet"))),
                  QStringLiteral("----- / ----- / -----"));
        EXPECT_EQ(e2e::CellImage(rows, RowOf(rows, 0, QStringLiteral("quiet"))), kImageEnabled) << "written enabled";

        program.ClickListRow(rows, RowOf(rows, 0, QStringLiteral("standard")));
        person.AnswerBox(IDYES);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(RowOf(rows, 0, QStringLiteral("standard")), -1);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAdslProfile));
    const std::vector<XdslPmThresholdProfileRec> held = program.ServerRecords(kReqPmThresholdProfile, kNorth);
    const std::optional<XdslPmThresholdProfileRec> gold = e2e::Named(held, "gold-1");
    ASSERT_TRUE(gold.has_value());
    EXPECT_EQ(gold->coEs15Min, 45);
    EXPECT_EQ(gold->rtEsDay, 7200u);
    EXPECT_EQ(gold->coSes15Min, 0) << "an unticked threshold is off";
    EXPECT_EQ(gold->status, 1u);
    EXPECT_EQ(e2e::Named(held, "quiet")->coEsDay, 0u);
    EXPECT_EQ(e2e::Named(held, "quiet")->status, 1u);
    EXPECT_FALSE(e2e::Named(held, "standard").has_value());
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

TEST(PmThresholdProfileE2eTest, DirectModeKeepsTheProfilesOnTheNe)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    e2e::COperator& person = program.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        EXPECT_FALSE(list.IsControlVisible(CProfileListDlg::kSaveAllId));
        EXPECT_FALSE(list.IsControlVisible(CProfileListDlg::kDownloadId));
        QTreeView& lines = *list.PageOfKind(ProfileKindId::kAdslLine)->FindList(kListControlId);
        EXPECT_EQ(ListColumn(lines, 0), (QStringList{QStringLiteral("fast-8M"), QStringLiteral("video-16M")}));
        ClickTab(list, kPmThresholdTab);
        QTreeView& rows = *list.PageOfKind(ProfileKindId::kXdslPmThreshold)->FindList(kListControlId);
        person.OnDialog<Editor>([&](Editor& add) {
            Type(add, Editor::kNameId, QStringLiteral("direct"));
            Check(add, Box(6));
            Type(add, Edit(6), QStringLiteral("120"));
            Click(add, IDOK);
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        // Read again from the NE.
        Click(list, kRefreshButtonId);
        EXPECT_EQ(ListColumn(rows, 3).value(RowOf(rows, 0, QStringLiteral("direct"))),
                  QStringLiteral("120 / --- / ---"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAdslProfile));
    EXPECT_TRUE(person.boxTexts.empty());
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

} // namespace
