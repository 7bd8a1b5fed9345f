// SHDSL profiles in the running program: the SHDSL group of an NE's Profile List lists its line and PM threshold
// profiles; the operator reads a fixed-rate line profile on its three pages, adds one whose rates the editor first
// refuses out of range and for the rate mode (the spins keep the rates to their grid), and changes a PM threshold
// profile, refused once by the server. The SHDSL port's Show opens its line profile by name.

#include "tests/e2e/support/north1_test.h"
#include "tests/e2e/support/profile_list_steps.h"
#include "tests/e2e/support/server_alarms.h"
#include "tests/platform/pixel_probe.h"

#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/profiles/shdsl_line_profile_dlg.h"
#include "features/provisioning/profiles/shdsl_pm_threshold_profile_dlg.h"
#include "features/provisioning/shdsl/shdsl_port_dlg.h"
#include "features/provisioning/shdsl/shdsl_port_list_dlg.h"
#include "features/provisioning/templates/template_download_dlg.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "platform/delta_spin.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace {

constexpr int kCmdShdslProfile = 33081;
constexpr int kCmdShdslPorts = 33177;
constexpr int kCmdShdslTemplates = 33176;
constexpr uint32_t kNorth = 1;
constexpr int kLineTab = 0;
constexpr int kPmThresholdTab = 1;
using Line = CShdslLineProfileDlg;
using Rate = CShdslLineProfileRatePage;
using Margin = CShdslLineProfileMarginPage;
using Alarm = CShdslPmThresholdProfileDlg;
using e2e::Check;
using e2e::Click;
using e2e::ClickTab;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::RowOf;
using e2e::Type;

// How many pixels of a cell are drawn in (near) black: the ink of black text, none of grey text.
int BlackPixels(QTreeView& list, int row, int column)
{
    const QImage shot = list.viewport()->grab().toImage();
    return CountPixels(shot, list.visualRect(list.model()->index(row, column)),
                       [](COLORREF pixel) { return Near(pixel, 0x000000, 0x30); });
}

// The operator leaves a field: it loses the focus.
void Leave(CDialog& dialog, int id)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(dialog.GetDlgItem(id), &out);
}

class ShdslProfilesE2eTest : public e2e::CNorth1Test {};

TEST_F(ShdslProfilesE2eTest, TheOperatorReadsAndAddsLineProfiles)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        ClickTab(list, kLineTab);
        QTreeView& rows = *list.PageOfKind(ProfileKindId::kShdslLine)->FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, 0), (QStringList{QStringLiteral("shdsl-2m"), QStringLiteral("shdsl-fixed-1m")}));
        EXPECT_EQ(ListColumn(rows, 1).join(','), QStringLiteral("2-wire,4-wire"));
        EXPECT_EQ(ListColumn(rows, 2).join(','), QStringLiteral("2312 /   72,1032 / 1032"));
        EXPECT_EQ(ListColumn(rows, 3).join(','), QStringLiteral("Annex A + B,Annex B"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("shdsl_line_profile_list")));

        // A fixed-rate profile shows its maximum read-only.
        program_.ClickListRow(rows, RowOf(rows, 0, QStringLiteral("shdsl-fixed-1m")));
        person.OnDialog<Line>([&](Line& show) {
            EXPECT_TRUE(e2e::IsChecked(show.RatePage(), Rate::kFixedId));
            EXPECT_EQ(Field(show.RatePage(), Rate::kMaxId), QStringLiteral("1032"));
            EXPECT_TRUE(show.RatePage().IsControlReadOnly(Rate::kMaxId));
            EXPECT_FALSE(show.IsControlEnabled(IDOK));
            // Only OK is greyed: the minimum rate stays open with its spin, as when the profile is changed.
            EXPECT_FALSE(show.RatePage().IsControlReadOnly(Rate::kMinId));
            EXPECT_TRUE(show.RatePage().IsControlEnabled(Rate::kMinId + Rate::kSpinOffset));
            EXPECT_FALSE(show.RatePage().IsControlEnabled(Rate::kMaxId + Rate::kSpinOffset));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(show, QStringLiteral("shdsl_line_profile_rate")));
            return IDCANCEL;
        });
        Click(list, kShowButtonId);

        // A new profile opens adaptive from 72 to 2312 kbit/s; a rate out of range is refused as its field is left,
        // one in range comes down to the grid. Adaptive with equal rates is refused; the minimum stepped down from
        // 72 wraps to 2312.
        person.OnDialog<Line>([&](Line& add) {
            Rate& rate = add.RatePage();
            EXPECT_TRUE(e2e::IsChecked(rate, Rate::kAdaptiveId));
            EXPECT_EQ(Field(rate, Rate::kMinId), QStringLiteral("72"));
            EXPECT_EQ(Field(rate, Rate::kMaxId), QStringLiteral("2312"));
            EXPECT_FALSE(rate.IsControlReadOnly(Rate::kMaxId));
            Type(rate, Rate::kMinId, QStringLiteral("3000"));
            Leave(rate, Rate::kMinId);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Please enter an integer between 72 and 2312."));
            EXPECT_EQ(Field(rate, Rate::kMinId), QStringLiteral("3000"));
            Type(rate, Rate::kMinId, QStringLiteral("fast"));
            Leave(rate, Rate::kMinId);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Please enter a positive integer."));
            // Fixed chosen with a rate refused: the maximum follows the minimum last taken, read-only.
            Check(rate, Rate::kFixedId);
            EXPECT_EQ(Field(rate, Rate::kMinId), QStringLiteral("72"));
            EXPECT_EQ(Field(rate, Rate::kMaxId), QStringLiteral("72"));
            EXPECT_TRUE(rate.IsControlReadOnly(Rate::kMaxId));
            Check(rate, Rate::kAdaptiveId);
            EXPECT_FALSE(rate.IsControlReadOnly(Rate::kMaxId));
            Type(rate, Rate::kMaxId, QStringLiteral("2312"));
            Type(rate, Rate::kMinId, QStringLiteral("100"));
            Leave(rate, Rate::kMinId);
            EXPECT_EQ(Field(rate, Rate::kMinId), QStringLiteral("72"));
            Type(add, Line::kNameId, QStringLiteral("shdsl-office"));
            Type(rate, Rate::kMinId, QStringLiteral("1032"));
            Type(rate, Rate::kMaxId, QStringLiteral("1032"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Maximum value should be greater than Minimum value"));
            rate.GetDlgItemAs<DeltaSpin>(Rate::kMaxId + Rate::kSpinOffset)->Step(1);
            EXPECT_EQ(Field(rate, Rate::kMaxId), QStringLiteral("1096"));
            rate.GetDlgItemAs<DeltaSpin>(Rate::kMinId + Rate::kSpinOffset)->Step(-15);
            EXPECT_EQ(Field(rate, Rate::kMinId), QStringLiteral("72"));
            rate.GetDlgItemAs<DeltaSpin>(Rate::kMinId + Rate::kSpinOffset)->Step(-1);
            EXPECT_EQ(Field(rate, Rate::kMinId), QStringLiteral("2312")) << "the range wraps";
            rate.GetDlgItemAs<DeltaSpin>(Rate::kMinId + Rate::kSpinOffset)->Step(1);
            EXPECT_EQ(Field(rate, Rate::kMinId), QStringLiteral("72"));
            // A margin's spin holds it to -10..21 dB, wrapping at either end; the margin is left as it was.
            using Margin = CShdslLineProfileMarginPage;
            Margin& margins = add.MarginPage();
            const bool used = e2e::IsChecked(margins, Margin::kBoxIds[1]);
            Check(margins, Margin::kBoxIds[1]);
            DeltaSpin& spin = *margins.GetDlgItemAs<DeltaSpin>(Margin::kSpinIds[1]);
            const int start = Field(margins, Margin::kEditIds[1]).toInt();
            for (const auto& [delta, shown] : {std::pair{21 - start, "21"}, std::pair{1, "-10"}, std::pair{-1, "21"}}) {
                spin.Step(delta);
                EXPECT_EQ(Field(margins, Margin::kEditIds[1]), QString::fromLatin1(shown)) << delta;
            }
            spin.Step(start - 21);
            Check(margins, Margin::kBoxIds[1], used);
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add.MarginPage(), QStringLiteral("shdsl_line_profile_margin")));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add.MiscPage(), QStringLiteral("shdsl_line_profile_misc")));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        EXPECT_EQ(ListColumn(rows, 2).value(RowOf(rows, 0, QStringLiteral("shdsl-office"))),
                  QStringLiteral("1096 /   72"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdShdslProfile));
    const std::optional<ShdslLineProfileRec> added =
        e2e::Named(program_.ServerRecords(kReqShdslLineProfile, kNorth), "shdsl-office");
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(added->minRate, 72000u);
    EXPECT_EQ(added->maxRate, 1096000u);
    EXPECT_EQ(added->usedMargins, 0xA0u);
    EXPECT_EQ(added->wireInterface, 1u);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// A new line profile opens on the pages' defaults; OK refuses a blank name, a name with a character no name may hold
// and a profile without a margin, each on the message line, and sends nothing; the name holds 32 characters.
TEST_F(ShdslProfilesE2eTest, ANewLineProfileOpensOnItsDefaultsAndIsRefusedWhatItMayNotHold)
{
    using Misc = CShdslLineProfileMiscPage;
    const size_t held = program_.ServerRecords(kReqShdslLineProfile, kNorth).size();
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        ClickTab(list, kLineTab);
        person.OnDialog<Line>([&](Line& add) {
            Margin& margin = add.MarginPage();
            Misc& misc = add.MiscPage();
            const bool used[] = {true, false, true, false};
            for (size_t i = 0; i < Margin::kBoxIds.size(); ++i) {
                EXPECT_EQ(e2e::IsChecked(margin, Margin::kBoxIds[i]), used[i]) << i;
                EXPECT_EQ(Field(margin, Margin::kEditIds[i]), QStringLiteral("6")) << i;
            }
            for (const int id : {Misc::kSymmetricId, Misc::kAnnexABId, Misc::kProbeEnabledId})
                EXPECT_TRUE(e2e::IsChecked(misc, id)) << id;
            Type(add, Line::kNameId, QString(33, QLatin1Char('n')));
            EXPECT_EQ(Field(add, Line::kNameId), QString(32, QLatin1Char('n')));

            const struct {
                const char* name;
                bool margins;
                const char* refusal;
            } rows[] = {
                {"   ", true, "Data is blank"},
                {"shdsl office", true, "Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"},
                {"shdsl-bare", false, "At least one item of SNR margins sould be selected"},
            };
            for (const auto& row : rows) {
                SCOPED_TRACE(row.name);
                Type(add, Line::kNameId, QString::fromLatin1(row.name));
                for (size_t i = 0; i < Margin::kBoxIds.size(); ++i)
                    Check(margin, Margin::kBoxIds[i], row.margins && used[i]);
                add.ClearMessageLine();
                Click(add, IDOK);
                EXPECT_FALSE(add.IsEnded());
                EXPECT_EQ(MessageLine(add), QString::fromLatin1(row.refusal));
            }
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdShdslProfile));
    EXPECT_EQ(program_.ServerRecords(kReqShdslLineProfile, kNorth).size(), held) << "nothing is written";
}

TEST_F(ShdslProfilesE2eTest, APmThresholdProfileChangeRefusedByTheServerChangesNothing)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        ClickTab(list, kPmThresholdTab);
        QTreeView& rows = *list.PageOfKind(ProfileKindId::kShdslPmThreshold)->FindList(kListControlId);
        const int quiet = RowOf(rows, 0, QStringLiteral("shdsl-quiet"));
        EXPECT_EQ(ListColumn(rows, 3).value(quiet), QStringLiteral("--- / --- / --- / --- / -----"));
        EXPECT_EQ(ListColumn(rows, 3).value(RowOf(rows, 0, QStringLiteral("shdsl-alarm"))),
                  QStringLiteral(" 30 /  10 /  10 /  10 /   500"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("shdsl_pm_threshold_list")));

        program_.ClickListRow(rows, quiet);
        person.OnDialog<Alarm>([&](Alarm& modify) {
            const Alarm::ThresholdControls& loop = Alarm::kControls[1];
            EXPECT_FALSE(e2e::IsChecked(modify, loop.checkId));
            EXPECT_EQ(Field(modify, loop.editId), QStringLiteral("126"));
            EXPECT_TRUE(modify.IsControlReadOnly(loop.editId));
            Check(modify, loop.checkId);
            Type(modify, loop.editId, QStringLiteral("60"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(modify, QStringLiteral("shdsl_pm_threshold_profile")));
            EXPECT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextChange, kReqShdslPmThresholdProfile));
            person.AnswerBox(IDYES);
            Click(modify, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
            EXPECT_FALSE(modify.IsEnded());
            EXPECT_EQ(e2e::Named(program_.ServerRecords(kReqShdslPmThresholdProfile, kNorth), "shdsl-quiet")
                          ->maxLoopAttenuation,
                      127);
            person.AnswerBox(IDYES);
            Click(modify, IDOK);
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        EXPECT_EQ(ListColumn(rows, 2).value(RowOf(rows, 0, QStringLiteral("shdsl-quiet"))), QStringLiteral(" 60"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdShdslProfile));
    const auto quiet = e2e::Named(program_.ServerRecords(kReqShdslPmThresholdProfile, kNorth), "shdsl-quiet");
    ASSERT_TRUE(quiet.has_value());
    EXPECT_EQ(quiet->maxLoopAttenuation, 60);
    EXPECT_EQ(quiet->minSnrMargin, 0) << "still off";
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// A line profile template downloaded to NEs warns that the lines on it re-train; the download dialog opens on the
// template's title. A template deleted goes by its name alone.
TEST_F(ShdslProfilesE2eTest, ALineTemplateDownloadWarnsThatTheLinesRetrain)
{
    ShdslLineProfileRec line;
    line.name = "tmpl-2m";
    line.wireInterface = 1;
    line.minRate = 72000;
    line.maxRate = 2312000;
    line.rowState = 1;
    e2e::AddOnServer(program_, kReqShdslLineProfileTemplateAdd, 0, {line});

    e2e::COperator& person = program_.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        EXPECT_TRUE(list.GetDlgItem(CProfileListDlg::kDownloadId)->isVisible());
        QTreeView& rows = e2e::PageList(list, ProfileKindId::kShdslLine);
        program_.ClickListRow(rows, RowOf(rows, 0, QStringLiteral("tmpl-2m")));
        person.OnDialog<CTemplateDownloadDlg>([&](CTemplateDownloadDlg& download) {
            EXPECT_EQ(Field(download, CTemplateDownloadDlg::kTitleId), QStringLiteral("SHDSL Line Profile : tmpl-2m"));
            person.AnswerBox(IDNO);
            Click(download, CTemplateDownloadDlg::kDownloadId);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Are you sure to download this template to NEs?\n\nIt may overwrite NE current "
                                     "profiles. And all xDSL lines applying to these profiles will be disconnected and "
                                     "re-trained with new parameters."));
            return IDCANCEL;
        });
        Click(list, CProfileListDlg::kDownloadId);
        program_.ClickListRow(rows, RowOf(rows, 0, QStringLiteral("tmpl-2m")));
        person.AnswerBox(IDYES);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(RowOf(rows, 0, QStringLiteral("tmpl-2m")), -1);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdShdslTemplates));
    EXPECT_FALSE(e2e::Named(program_.ServerRecords(kReqShdslLineProfileTemplate, 0), "tmpl-2m").has_value());
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// A disabled PM threshold profile shows the disabled image, and its row is drawn in black as an enabled one's.
TEST_F(ShdslProfilesE2eTest, ADisabledPmThresholdProfileIsNotGreyed)
{
    ShdslPmThresholdProfileRec disabled;
    disabled.name = "shdsl-disabled";
    disabled.maxLoopAttenuation = 50;
    disabled.minSnrMargin = 7;
    disabled.rowState = 2;
    server_test::CRawClient& probe = program_.ServerProbe();
    const auto bytes = EncodeRecord(disabled);
    ASSERT_TRUE(probe.ReplyTo(probe.Send(kEmsOpModify, kReqShdslPmThresholdProfile, kNorth,
                                         {bytes.begin(), bytes.end()}, kShdslPmThresholdProfileRecSize)));

    e2e::COperator& person = program_.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        ClickTab(list, kPmThresholdTab);
        QTreeView& rows = *list.PageOfKind(ProfileKindId::kShdslPmThreshold)->FindList(kListControlId);
        const int off = RowOf(rows, 0, QStringLiteral("shdsl-disabled"));
        const int on = RowOf(rows, 0, QStringLiteral("shdsl-alarm"));
        EXPECT_EQ(CListControl(&rows).GetNextSelected(-1), -1) << "a selected row is drawn otherwise";
        EXPECT_EQ(e2e::CellImage(rows, off), kImageDisabled);
        EXPECT_EQ(e2e::CellImage(rows, on), kImageEnabled);
        // The SNR margin column: " 7" and " 5", digits of the same ink.
        EXPECT_GT(BlackPixels(rows, on, 1), 0) << "the enabled row's text is black";
        EXPECT_GT(BlackPixels(rows, off, 1), 0) << "the disabled row's text is black too";
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("shdsl_pm_threshold_list_disabled")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdShdslProfile));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

TEST_F(ShdslProfilesE2eTest, ThePortsShowOpensItsLineProfileByName)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CShdslPortListDlg>([&](CShdslPortListDlg& ports) {
        program_.ClickListRow(*ports.FindList(kListControlId), 0);
        person.OnDialog<CShdslPortDlg>([&](CShdslPortDlg& port) {
            person.OnDialog<Line>([&](Line& show) {
                EXPECT_EQ(Field(show, Line::kNameId), QStringLiteral("shdsl-2m"));
                Rate& rate = show.RatePage();
                EXPECT_TRUE(e2e::IsChecked(rate, Rate::kAdaptiveId));
                EXPECT_FALSE(show.IsControlEnabled(IDOK));
                // Show greys OK alone: both rates and their spins stay open and step on their grid, and each margin
                // spin goes with its box.
                for (const int id : {Rate::kMinId, Rate::kMaxId}) {
                    EXPECT_FALSE(rate.IsControlReadOnly(id)) << id;
                    EXPECT_TRUE(rate.IsControlEnabled(id + Rate::kSpinOffset)) << id;
                }
                rate.GetDlgItemAs<DeltaSpin>(Rate::kMinId + Rate::kSpinOffset)->Step(1);
                EXPECT_EQ(Field(rate, Rate::kMinId), QStringLiteral("136"));
                Margin& margin = show.MarginPage();
                int ticked = 0;
                for (size_t i = 0; i < Margin::kBoxIds.size(); ++i) {
                    const bool on = e2e::IsChecked(margin, Margin::kBoxIds[i]);
                    ticked += on ? 1 : 0;
                    EXPECT_EQ(margin.IsControlEnabled(Margin::kSpinIds[i]), on) << Margin::kSpinIds[i];
                }
                EXPECT_GT(ticked, 0);
                show.SelectPage(&margin);
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(show, QStringLiteral("shdsl_line_profile_show_margin")));
                return IDCANCEL;
            });
            Click(port, CShdslPortDlg::kShowLineProfileId);
            return IDCANCEL;
        });
        Click(ports, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdShdslPorts));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

} // namespace
