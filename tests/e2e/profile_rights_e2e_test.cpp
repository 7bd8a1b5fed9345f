// The rights of the profile windows, the configuration verification, the template synchronisation and the board
// settings, one row each: an operator whose role lacks exactly the letter an action needs on its right item is
// refused ("No privilege", or the window closes, or the box stays off), and one who has it gets through. The server
// holds the rights and tells the workstation of each change. The synchronisation's table also checks which
// confirmation each class's synchronisation asks.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/profile_list_steps.h"

#include "core/tables/access_rights.h"
#include "core/tables/user_account.h"
#include "features/provisioning/boards/board_setting_dlg.h"
#include "features/provisioning/boards/board_setting_list_dlg.h"
#include "features/provisioning/profiles/adsl_line_profile_dlg.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/profiles/shdsl_line_profile_dlg.h"
#include "features/provisioning/profiles/shdsl_pm_threshold_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_ip_traffic_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_mc_channel_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_mc_service_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_pm_threshold_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_traffic_policing_profile_dlg.h"
#include "features/provisioning/templates/config_verify_dlg.h"
#include "features/provisioning/templates/template_download_dlg.h"
#include "features/provisioning/templates/template_sync_dlg.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/mc_channel_profile_rec.h"
#include "link/records/mc_service_profile_rec.h"
#include "link/records/user_rights_record.h"
#include "platform/list_control.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kCmdAdslProfile = 33080;
constexpr int kCmdShdslProfile = 33081;
constexpr int kCmdVlanProfile = 33175;
constexpr int kCmdAdslProfileTemplate = 33142;
constexpr int kCmdSynchronizeNeProfiles = 33144;
constexpr int kCmdBoardSetting = 33162;
constexpr int kCmdVerifyConfiguration = 33100;
constexpr char kVerifyButton[] =
    "[TOOLICON]\nICONCNT=1\nICON1=.\\Icon\\toolbar\\verify_configuration.png,0xFF00FF,33100\n";
const QString kNoPrivilege = QStringLiteral("No privilege");

using e2e::Click;
using e2e::ClickTab;
using e2e::MessageLine;

class ProfileRightsE2eTest : public ::testing::Test {
public:
    void SetUp() override
    {
        e2e::PeerOptions options;
        options.iniExtra = kVerifyButton;
        ASSERT_TRUE(program_.StartServer(options));
        McChannelProfileRec channel;
        channel.profileId = 7;
        channel.name = "news";
        channel.groupAddress = {239, 1, 1, 7};
        channel.status = 1;
        e2e::AddOnServer(program_, kReqMcChannelProfileAdd, 1, std::vector{channel});
        McServiceProfileRec service;
        service.name = "basic";
        service.status = 1;
        e2e::AddOnServer(program_, kReqMcServiceProfileAdd, 1, std::vector{service});
        AdslLineProfileRec line;
        line.name = "tmpl";
        line.channelMode = 2;
        line.status = 1;
        e2e::AddOnServer(program_, kReqAdslLineProfileTemplateAdd, 0, std::vector{line});
        ASSERT_TRUE(program_.Login("north", "north"));
        program_.ClickTreeItem(program_.TreeItem(QStringLiteral("North-1")));
    }
    void TearDown() override { EXPECT_EQ(program_.Operator().UnusedDialogScripts(), 0u); }

    // The users' role gets every letter on every function but `letter` on `item`; true once the workstation has
    // been told.
    bool GiveUsers(int item, char letter)
    {
        UserRightsRecord rights;
        std::string users(127, 'a');
        users[static_cast<size_t>(item)] = letter;
        rights.rights = {std::string(127, 'a'), std::string(127, 'a'), users};
        e2e::AddOnServer(program_, kReqUserRights, 0, std::vector{rights});
        return program_.WaitUntil([&] {
            const RightsTable* table = GetRightsTable(kRoleUser);
            return table != nullptr && (*table)[static_cast<size_t>(item)] == letter;
        });
    }

    // The Profile List of the command at the tab; `act` works it. False when the list did not open.
    bool OnList(int command, int tab, const std::function<void(CProfileListDlg&)>& act)
    {
        bool opened = false;
        program_.Operator().OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            opened = !list.IsEnded();
            if (opened) {
                ClickTab(list, tab);
                act(list);
            }
            return IDCANCEL;
        });
        return program_.Command(command) && opened;
    }

    // A page's button, the first row chosen: through when it asks its question (answered by its default, No).
    bool PageButton(int command, int tab, int button)
    {
        bool asked = false;
        const bool opened = OnList(command, tab, [&](CProfileListDlg& list) {
            QTreeView* rows = list.CurrentListPage()->FindList(kListControlId);
            program_.ClickListRow(*rows, 0);
            const size_t boxes = program_.Operator().boxTexts.size();
            Click(list, button);
            asked = program_.Operator().boxTexts.size() > boxes;
            EXPECT_EQ(MessageLine(list) == kNoPrivilege, !asked) << MessageLine(list).toStdString();
        });
        return opened && asked;
    }

    // The page's editor for Add (or Modify, on the first row): through when it stays open.
    template <class Editor> bool EditorOpens(int command, int tab, int button = kAddButtonId)
    {
        bool open = false;
        const bool opened = OnList(command, tab, [&](CProfileListDlg& list) {
            if (button != kAddButtonId)
                program_.ClickListRow(*list.CurrentListPage()->FindList(kListControlId), 0);
            program_.Operator().OnDialog<Editor>([&](Editor& editor) {
                open = !editor.IsEnded();
                return IDCANCEL;
            });
            Click(list, button);
        });
        return opened && open;
    }

    // Download to NEs of the templates' first row: through when the download dialog comes up.
    bool DownloadOpens()
    {
        const qsizetype before = program_.Operator().unscriptedDialogs.size();
        const bool opened = OnList(kCmdAdslProfileTemplate, 0, [&](CProfileListDlg& list) {
            program_.ClickListRow(*list.CurrentListPage()->FindList(kListControlId), 0);
            Click(list, CProfileListDlg::kDownloadId);
        });
        return opened && program_.Operator().unscriptedDialogs.size() > before;
    }

    template <class Dlg> bool Opens(const std::function<bool()>& open, const std::function<bool(Dlg&)>& act = {})
    {
        bool through = false;
        program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            through = !dialog.IsEnded() && (!act || act(dialog));
            return IDCANCEL;
        });
        return open() && through;
    }

    e2e::CProgram program_;
};

struct RightRow {
    const char* what;
    int item;
    char lacking;
    char having;
    std::function<bool(ProfileRightsE2eTest&)> through;
};

TEST_F(ProfileRightsE2eTest, EachActionChecksItsLetterOnItsItem)
{
    using T = ProfileRightsE2eTest;
    const auto list = [](int command, int tab) {
        return [=](T& t) { return t.OnList(command, tab, [](CProfileListDlg&) {}); };
    };
    const auto page = [](int command, int tab, int button) {
        return [=](T& t) { return t.PageButton(command, tab, button); };
    };
    const int saveAll = CProfileListDlg::kSaveAllId;
    const RightRow rows[] = {
        {"ADSL profiles, line tab", 12, '-', 'q', list(kCmdAdslProfile, 0)},
        {"SHDSL profiles, line tab", 12, '-', 'q', list(kCmdShdslProfile, 0)},
        {"VLAN profiles, IP traffic tab", 41, '-', 'q', list(kCmdVlanProfile, 0)},
        {"delete an ADSL line profile", 12, 'c', 'd', page(kCmdAdslProfile, 0, kDeleteButtonId)},
        {"delete an xDSL PM threshold profile", 13, 'c', 'd', page(kCmdAdslProfile, 1, kDeleteButtonId)},
        {"delete a policing profile", 57, 'c', 'd', page(kCmdAdslProfile, 2, kDeleteButtonId)},
        {"delete an SHDSL line profile", 13, 'c', 'd', page(kCmdShdslProfile, 0, kDeleteButtonId)},
        {"delete an SHDSL PM threshold profile", 13, 'c', 'd', page(kCmdShdslProfile, 1, kDeleteButtonId)},
        {"delete an IP traffic profile", 41, 'c', 'd', page(kCmdVlanProfile, 0, kDeleteButtonId)},
        {"delete a channel profile", 29, 'c', 'd', page(kCmdVlanProfile, 1, kDeleteButtonId)},
        {"delete a service profile", 42, 'c', 'd', page(kCmdVlanProfile, 2, kDeleteButtonId)},
        {"save the ADSL line profiles", 12, 'q', 'm', page(kCmdAdslProfile, 0, saveAll)},
        {"save the SHDSL PM threshold profiles", 13, 'q', 'm', page(kCmdShdslProfile, 1, saveAll)},
        {"save the service profiles", 42, 'q', 'm', page(kCmdVlanProfile, 2, saveAll)},
        {"download a line template", 12, 'q', 'm', [](T& t) { return t.DownloadOpens(); }},
        {"add an ADSL line profile", 12, 'm', 'c',
         [](T& t) { return t.EditorOpens<CAdslLineProfileDlg>(kCmdAdslProfile, 0); }},
        {"change an ADSL line profile", 12, 'q', 'm',
         [](T& t) { return t.EditorOpens<CAdslLineProfileDlg>(kCmdAdslProfile, 0, kModifyButtonId); }},
        {"add an xDSL PM threshold profile", 13, 'm', 'c',
         [](T& t) { return t.EditorOpens<CXdslPmThresholdProfileDlg>(kCmdAdslProfile, 1); }},
        {"add a policing profile", 57, 'm', 'c',
         [](T& t) { return t.EditorOpens<CXdslTrafficPolicingProfileDlg>(kCmdAdslProfile, 2); }},
        {"add an SHDSL line profile", 12, 'm', 'c',
         [](T& t) { return t.EditorOpens<CShdslLineProfileDlg>(kCmdShdslProfile, 0); }},
        {"change an SHDSL PM threshold profile", 13, 'q', 'm',
         [](T& t) { return t.EditorOpens<CShdslPmThresholdProfileDlg>(kCmdShdslProfile, 1, kModifyButtonId); }},
        {"add an IP traffic profile", 41, 'm', 'c',
         [](T& t) { return t.EditorOpens<CXdslIpTrafficProfileDlg>(kCmdVlanProfile, 0); }},
        {"add a channel profile", 29, 'm', 'c',
         [](T& t) { return t.EditorOpens<CXdslMcChannelProfileDlg>(kCmdVlanProfile, 1); }},
        {"add a service profile", 42, 'm', 'c',
         [](T& t) { return t.EditorOpens<CXdslMcServiceProfileDlg>(kCmdVlanProfile, 2); }},
        {"verify the configuration", 6, '-', 'q',
         [](T& t) {
             return t.Opens<CConfigVerifyDlg>([&] { return t.program_.ToolbarButton(kCmdVerifyConfiguration); });
         }},
        {"synchronise the NE from the server", 8, 'q', 'm',
         [](T& t) {
             return t.Opens<CConfigVerifyDlg>([&] { return t.program_.ToolbarButton(kCmdVerifyConfiguration); },
                                              [&](CConfigVerifyDlg& verify) {
                                                  for (const CConfigVerifyDlg::ClassRow& row :
                                                       CConfigVerifyDlg::kRows) {
                                                      if (verify.IsControlEnabled(row.synchronizeId)) {
                                                          e2e::Check(verify, row.synchronizeId);
                                                          break;
                                                      }
                                                  }
                                                  const size_t boxes = t.program_.Operator().boxTexts.size();
                                                  Click(verify, CConfigVerifyDlg::kServerToNeId);
                                                  return t.program_.Operator().boxTexts.size() > boxes;
                                              });
         }},
        {"the board settings", 5, '-', 'q',
         [](T& t) { return t.Opens<CBoardSettingListDlg>([&] { return t.program_.Command(kCmdBoardSetting); }); }},
        {"change a board", 5, 'q', 'm',
         [](T& t) {
             return t.Opens<CBoardSettingListDlg>(
                 [&] { return t.program_.Command(kCmdBoardSetting); },
                 [&](CBoardSettingListDlg& boards) {
                     bool open = false;
                     t.program_.Operator().OnDialog<CBoardSettingDlg>([&](CBoardSettingDlg& board) {
                         open = !board.IsEnded();
                         return IDCANCEL;
                     });
                     QTreeView& list = *boards.FindList(kListControlId);
                     t.program_.ClickListRow(list, e2e::RowOf(list, 1, QStringLiteral("1")));
                     Click(boards, kModifyButtonId);
                     return open;
                 });
         }},
    };
    for (const RightRow& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(GiveUsers(row.item, row.lacking));
        EXPECT_FALSE(row.through(*this)) << "without '" << row.lacking << "' on item " << row.item;
        ASSERT_TRUE(GiveUsers(row.item, row.having));
        EXPECT_TRUE(row.through(*this)) << "with '" << row.having << "' on item " << row.item;
    }
}

// The synchronisation's boxes: each is offered only with 'm' on its item; its synchronisation is confirmed with the
// warning that the lines retrain only when it is the line profiles' box.
TEST_F(ProfileRightsE2eTest, EachSynchronisationBoxNeedsItsModifyRightAndOnlyLineProfilesWarnOfRetraining)
{
    const QString sure = QStringLiteral("Are you sure to synchronization NE profiles with these templates?\n\nIt may "
                                        "overwrite NE current profiles.");
    const QString retrained = sure + QStringLiteral(" And all xDSL lines applying to these profiles will be "
                                                    "disconnected and re-trained with new parameters.");
    const struct {
        int box;
        int item;
        QString confirmation;
    } boxes[] = {{1059, 12, retrained}, {1060, 13, sure}, {1061, 29, sure},
                 {1062, 24, sure},      {1063, 41, sure}, {1064, 42, sure}};
    e2e::COperator& person = program_.Operator();
    for (const auto& row : boxes) {
        SCOPED_TRACE(row.box);
        for (const char letter : {'q', 'm'}) {
            ASSERT_TRUE(GiveUsers(row.item, letter));
            person.OnDialog<CTemplateSyncDlg>([&](CTemplateSyncDlg& sync) {
                EXPECT_EQ(sync.IsControlEnabled(row.box), letter == 'm') << letter;
                if (letter != 'm')
                    return IDCANCEL;
                e2e::Check(sync, row.box);
                person.OnDialog<CTemplateDownloadDlg>([&](CTemplateDownloadDlg& download) {
                    person.boxTexts.clear();
                    person.AnswerBox(IDNO);
                    Click(download, CTemplateDownloadDlg::kDownloadId);
                    EXPECT_EQ(person.boxTexts, std::vector{row.confirmation});
                    return IDCANCEL;
                });
                Click(sync, CTemplateSyncDlg::kSyncId);
                return IDCANCEL;
            });
            ASSERT_TRUE(program_.Command(kCmdSynchronizeNeProfiles));
        }
    }
}

} // namespace
