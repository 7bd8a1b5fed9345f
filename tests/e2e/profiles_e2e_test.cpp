// Profiles and templates in the running program: the ADSL Profile List of an NE, where the operator adds an ADSL line
// profile on the editor's six pages and saves the NE's profiles as the server's templates; the templates' list, whose
// Download to NEs sends the new template to three NEs, one of which has no room for it; the configuration
// verification of an NE against the templates and its synchronisation; and the synchronisation of NE profiles with
// the templates through the template download.

#include "tests/e2e/support/profile_list_steps.h"

#include "features/management/ne/ne_dlg.h"
#include "features/provisioning/profiles/adsl_line_profile_dlg.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/templates/config_verify_dlg.h"
#include "features/provisioning/templates/template_download_dlg.h"
#include "features/provisioning/templates/template_sync_dlg.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/ip_traffic_profile_rec.h"
#include "link/records/request_codes.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/tree/group_view.h"

#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

constexpr int kCmdAdslProfile = 33080;
constexpr int kCmdAdslProfileTemplate = 33142;
constexpr int kCmdSynchronizeNeProfiles = 33144;
constexpr int kCmdVerifyConfiguration = 33100;
constexpr uint32_t kNorth = 1;
constexpr uint32_t kSouth = 2;
constexpr uint32_t kSpare = 3;
const QString kNorthName = QStringLiteral("North-1");
const QString kSouthName = QStringLiteral("South-1");
const QString kSpareName = QStringLiteral("Spare");
// What the server answers an NE whose table of ADSL line profiles is full.
const QString kRefusedDownload =
    QStringLiteral("Failed to download this template to NEs\n\n(32028) Profile table is full");

// The toolbar's button of the configuration verification, which no menu offers.
constexpr char kVerifyButton[] =
    "[TOOLICON]\nICONCNT=1\nICON1=.\\Icon\\toolbar\\verify_configuration.png,0xFF00FF,33100\n";

using e2e::CellImage;
using e2e::Check;
using e2e::Click;
using e2e::ClickTab;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::PageList;
using e2e::RowOf;
using e2e::Type;

// Fills an NE's table of ADSL line profiles, as another workstation would.
void FillLineProfiles(e2e::CProgram& program, uint32_t neId)
{
    std::vector<AdslLineProfileRec> profiles(60);
    for (size_t i = 0; i < profiles.size(); ++i) {
        profiles[i].name = "full-" + std::to_string(i);
        profiles[i].channelMode = 2;
        profiles[i].rateMode = 2;
        profiles[i].status = 1;
    }
    e2e::AddOnServer(program, kReqAdslLineProfileAdd, neId, profiles);
}

// The editor's new profile: fixed at 2 Mbit/s down and 512 kbit/s up, on an interleaved channel.
void FillNewProfile(CAdslLineProfileDlg& editor, const QString& name)
{
    Type(editor, CAdslLineProfileDlg::kNameId, name);
    CAdslTxRatePage& rate = editor.TxRatePage();
    Check(rate, CAdslTxRatePage::kInterleaveId);
    Check(rate, CAdslTxRatePage::kFixedId);
    EXPECT_TRUE(rate.IsControlReadOnly(CAdslTxRatePage::kDownMaxId)) << "fixed: the maximum is the minimum";
    EXPECT_FALSE(rate.IsControlReadOnly(CAdslTxRatePage::kDownDelayId)) << "interleaved: a delay";
    // Rates are held to multiples of 32 as they are taken: 2000 kbit/s goes as 1984.
    Type(rate, CAdslTxRatePage::kDownMinId, QStringLiteral("2000"));
    Type(rate, CAdslTxRatePage::kUpMinId, QStringLiteral("512"));
    Type(rate, CAdslTxRatePage::kDownDelayId, QStringLiteral("8"));
}

TEST(ProfilesE2eTest, AProfileMadeOnAnNeBecomesATemplateThatGoesToTheNesAndSynchronisesThem)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.iniExtra = kVerifyButton;
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    FillLineProfiles(program, kSouth);
    program.ClickTreeItem(program.TreeItem(kNorthName));
    e2e::COperator& person = program.Operator();

    // The NE's profiles: a new line profile, refused by the NE under a taken name, then saved as the templates.
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        EXPECT_TRUE(list.windowTitle().startsWith(QStringLiteral("[North:North-1] ADSL Profile List")));
        EXPECT_TRUE(list.IsControlVisible(CProfileListDlg::kSaveAllId));
        EXPECT_FALSE(list.IsControlVisible(CProfileListDlg::kDownloadId));
        QTreeView& lines = PageList(list, ProfileKindId::kAdslLine);
        EXPECT_EQ(ListColumn(lines, 0), (QStringList{QStringLiteral("fast-8M"), QStringLiteral("video-16M")}));
        EXPECT_EQ(ListColumn(lines, 1), (QStringList{QStringLiteral("fast"), QStringLiteral("interleave")}));
        EXPECT_EQ(ListColumn(lines, 4).value(1), QStringLiteral(" 16000 /   1024"));
        EXPECT_FALSE(list.IsControlEnabled(kModifyButtonId)) << "no row selected";
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("profile_list")));

        person.OnDialog<CAdslLineProfileDlg>([&](CAdslLineProfileDlg& editor) {
            EXPECT_TRUE(editor.windowTitle().contains(QStringLiteral("<new>")));
            FillNewProfile(editor, QStringLiteral("fast-8M"));
            // The L2 state's maximum rate may not exceed the downstream maximum rate.
            Click(editor, IDOK);
            EXPECT_EQ(MessageLine(editor), QStringLiteral("Value shouldn't be greater than downstream maximum rate"));
            ClickTab(editor, 4, 1337);
            Type(editor.PowerMgmtPage(), CAdslPowerMgmtPage::kL2MaxRateId, QStringLiteral("1984"));
            const char* pages[] = {"adsl_line_profile_rate", "adsl_line_profile_standard", "adsl_line_profile_snr",
                                   "adsl_line_profile_psd",  "adsl_line_profile_power",    "adsl_line_profile_inp"};
            for (int tab = 0; tab < 6; ++tab) {
                ClickTab(editor, tab, 1337);
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(editor, QString::fromLatin1(pages[tab])));
            }
            // The NE has a profile of that name: its refusal keeps the dialog open with what was typed.
            Click(editor, IDOK);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Adding new data failed\n\n(32028) Record already exists"));
            EXPECT_FALSE(editor.IsEnded());
            Type(editor, CAdslLineProfileDlg::kNameId, QStringLiteral("office-2M"));
            Click(editor, IDOK);
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        const int added = RowOf(lines, 0, QStringLiteral("office-2M"));
        if (added < 0) {
            ADD_FAILURE() << "the added profile is not listed";
            return IDCANCEL;
        }
        EXPECT_EQ(ListColumn(lines, 2).value(added), QStringLiteral("fixed"));
        EXPECT_EQ(ListColumn(lines, 4).value(added), QStringLiteral("  1984 /   1984"));
        EXPECT_FALSE(list.IsControlEnabled(kModifyButtonId)) << "the added row is brought into view, not chosen";

        person.AnswerBox(IDYES);
        Click(list, CProfileListDlg::kSaveAllId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAdslProfile));
    const std::vector<AdslLineProfileRec> nes = program.ServerRecords(kReqAdslLineProfile, kNorth);
    EXPECT_EQ(e2e::SortedNames(program.ServerRecords(kReqAdslLineProfileTemplate)), e2e::SortedNames(nes));
    const auto office = std::find_if(nes.begin(), nes.end(), [](const auto& rec) { return rec.name == "office-2M"; });
    ASSERT_NE(office, nes.end());
    EXPECT_EQ(office->channelMode, 3u);
    EXPECT_EQ(office->rateMode, 1u);
    EXPECT_EQ(office->downMaxRateFast, 1984000u);
    EXPECT_EQ(office->downMaxDelay, 8);
    EXPECT_EQ(office->l2MaxRate, 1984000u);

    // The templates, with no location chosen in the tree: the new one goes to North-1, South-1 (full) and Spare, one
    // NE a tick.
    program.ClickTreeItem(program.Tree().Tree()->topLevelItem(0));
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        EXPECT_TRUE(list.windowTitle().startsWith(QStringLiteral("{Template} ADSL Profile List")));
        EXPECT_FALSE(list.IsControlVisible(CProfileListDlg::kSaveAllId));
        EXPECT_TRUE(list.IsControlVisible(CProfileListDlg::kDownloadId));
        QTreeView& lines = PageList(list, ProfileKindId::kAdslLine);
        program.ClickListRow(lines, RowOf(lines, 0, QStringLiteral("office-2M")));
        person.OnDialog<CTemplateDownloadDlg>([&](CTemplateDownloadDlg& download) {
            EXPECT_EQ(Field(download, CTemplateDownloadDlg::kTitleId), QStringLiteral("ADSL Line Profile : office-2M"));
            QTreeView& nes = *download.FindList(kListControlId);
            EXPECT_EQ(ListColumn(nes, 1), (QStringList{kNorthName, kSouthName, kSpareName}));
            EXPECT_FALSE(download.IsControlEnabled(kShowButtonId)) << "no row selected";
            program.ClickListRow(nes, RowOf(nes, CTemplateDownloadDlg::kNameColumn, kSouthName));
            person.OnDialog<CNeDlg>([&](CNeDlg& ne) {
                EXPECT_EQ(ne.GetNeId(), static_cast<int>(kSouth));
                return IDCANCEL;
            });
            Click(download, kShowButtonId);
            e2e::TickRows(nes, {kNorthName, kSouthName, kSpareName}, CTemplateDownloadDlg::kNameColumn);
            // While it runs, the popup greys Show NE only when no row is selected; the buttons but Stop are off.
            const auto popupWhileRunning = [&] {
                const std::vector<int> all = {CTemplateDownloadDlg::kPopupShowNe, CTemplateDownloadDlg::kPopupSelectAll,
                                              CTemplateDownloadDlg::kPopupDeselectAll, kPopupExport, kPopupClose};
                EXPECT_EQ(program.RightClickListRow(nes, 0), all);
                EXPECT_FALSE(download.IsControlEnabled(kShowButtonId));
                nes.selectionModel()->clear();
                const QPoint below(nes.viewport()->width() / 2, nes.viewport()->height() - 2);
                EXPECT_EQ(program.RightClickAt(*nes.viewport(), below), std::vector<int>(all.begin() + 1, all.end()));
            };
            const auto runDownload = [&](bool lookAtPopup) {
                person.AnswerBox(IDYES);
                Click(download, CTemplateDownloadDlg::kDownloadId);
                EXPECT_TRUE(download.IsRunning());
                EXPECT_FALSE(download.IsControlEnabled(IDCANCEL)) << "only Stop while it runs";
                if (lookAtPopup)
                    popupWhileRunning();
                EXPECT_TRUE(program.WaitUntil([&] { return !download.IsRunning(); }));
            };
            const auto isTicked = [&](const QString& name) {
                return nes.model()->index(RowOf(nes, 1, name), 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
            };
            runDownload(true);
            EXPECT_EQ(person.LastBoxText(), kRefusedDownload);
            EXPECT_EQ(CellImage(nes, RowOf(nes, 1, kNorthName)), kImageDone);
            EXPECT_FALSE(isTicked(kNorthName));
            EXPECT_EQ(CellImage(nes, RowOf(nes, 1, kSouthName)), kImageFailed);
            EXPECT_TRUE(isTicked(kSouthName)) << "a refused NE keeps its tick";
            EXPECT_NE(CellImage(nes, RowOf(nes, 1, kSpareName)), kImageDone) << "the run ended at the refusal";
            EXPECT_TRUE(isTicked(kSpareName));
            // Again: the refused NE first, refused again.
            runDownload(false);
            EXPECT_EQ(person.LastBoxText(), kRefusedDownload);
            EXPECT_TRUE(isTicked(kSpareName));
            // Without it the rest go.
            e2e::TickRows(nes, {kSpareName}, CTemplateDownloadDlg::kNameColumn);
            runDownload(false);
            EXPECT_EQ(CellImage(nes, RowOf(nes, 1, kSpareName)), kImageDone);
            EXPECT_TRUE(download.IsControlEnabled(IDCANCEL));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(download, QStringLiteral("template_download")));
            return IDCANCEL;
        });
        Click(list, CProfileListDlg::kDownloadId);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("profile_list_templates")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAdslProfileTemplate));
    const auto holds = [&](uint32_t neId) {
        const std::vector<std::string> names = e2e::SortedNames(program.ServerRecords(kReqAdslLineProfile, neId));
        return std::find(names.begin(), names.end(), "office-2M") != names.end();
    };
    EXPECT_TRUE(holds(kNorth));
    EXPECT_FALSE(holds(kSouth));
    EXPECT_TRUE(holds(kSpare));

    // Spare against the templates: its line profiles differ, and an IP traffic profile of its own makes its IP traffic
    // class differ where its multicast service class is identical; synchronised, the line profiles are the templates'.
    e2e::AddOnServer(program, kReqIpTrafficProfileAdd, kSpare,
                     {IpTrafficProfileRec{.name = "spare-only", .status = 1}});
    program.ClickTreeItem(program.TreeItem(kSpareName));
    const auto verify = [&](bool synchronise) {
        person.OnDialog<CConfigVerifyDlg>([&](CConfigVerifyDlg& dialog) {
            EXPECT_TRUE(dialog.windowTitle().endsWith(QStringLiteral(":Spare] Configuration Verification")))
                << dialog.windowTitle().toStdString() << ": the NE with its location";
            // The Identical and Synchronize boxes of the line profiles and of the multicast channel profiles.
            const std::pair<int, int> line{1059, 1060};
            const std::pair<int, int> channels{1063, 1064};
            EXPECT_TRUE(e2e::IsChecked(dialog, channels.first)) << "no channel profiles on either side";
            EXPECT_FALSE(e2e::IsChecked(dialog, 1067)) << "xDSL IP Traffic Profile";
            EXPECT_TRUE(e2e::IsChecked(dialog, 1069)) << "xDSL Multicast Service Profile";
            EXPECT_FALSE(dialog.IsControlEnabled(1070));
            EXPECT_FALSE(dialog.IsControlEnabled(channels.second));
            EXPECT_FALSE(dialog.IsControlEnabled(CConfigVerifyDlg::kServerToNeId));
            if (!synchronise) {
                EXPECT_TRUE(e2e::IsChecked(dialog, line.first));
                return IDCANCEL;
            }
            EXPECT_FALSE(e2e::IsChecked(dialog, line.first));
            // Server->NE follows the box: on, off again, on.
            for (const bool on : {true, false, true}) {
                Check(dialog, line.second, on);
                EXPECT_EQ(dialog.IsControlEnabled(CConfigVerifyDlg::kServerToNeId), on);
            }
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("config_verification")));
            person.AnswerBox(IDYES);
            Click(dialog, CConfigVerifyDlg::kServerToNeId);
            EXPECT_TRUE(dialog.IsEnded());
            return IDCANCEL;
        });
        ASSERT_TRUE(program.ToolbarButton(kCmdVerifyConfiguration));
    };
    verify(true);
    EXPECT_EQ(e2e::SortedNames(program.ServerRecords(kReqAdslLineProfile, kSpare)),
              e2e::SortedNames(program.ServerRecords(kReqAdslLineProfileTemplate)));
    verify(false);

    // The PM threshold templates to Spare, through the synchronisation and the template download.
    person.OnDialog<CTemplateSyncDlg>([&](CTemplateSyncDlg& sync) {
        EXPECT_FALSE(sync.IsControlEnabled(CTemplateSyncDlg::kSyncId));
        Check(sync, CTemplateSyncDlg::kPmProfilesId);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(sync, QStringLiteral("template_sync")));
        person.OnDialog<CTemplateDownloadDlg>([&](CTemplateDownloadDlg& download) {
            EXPECT_EQ(Field(download, CTemplateDownloadDlg::kTitleId), QStringLiteral("All xDSL PM Profiles"));
            QTreeView& nes = *download.FindList(kListControlId);
            e2e::TickRows(nes, {kSpareName}, CTemplateDownloadDlg::kNameColumn);
            person.AnswerBox(IDYES);
            Click(download, CTemplateDownloadDlg::kDownloadId);
            EXPECT_TRUE(program.WaitUntil([&] { return !download.IsRunning(); }));
            EXPECT_EQ(CellImage(nes, RowOf(nes, 1, kSpareName)), kImageDone);
            return IDCANCEL;
        });
        Click(sync, CTemplateSyncDlg::kSyncId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdSynchronizeNeProfiles));
    EXPECT_EQ(program.ServerRecords(kReqPmThresholdProfile, kSpare),
              program.ServerRecords(kReqPmThresholdProfileTemplate));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

} // namespace
