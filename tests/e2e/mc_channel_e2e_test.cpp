// The multicast channels of North-1's ports in the running program: the list of the NE's channels, where the operator
// adds a channel to the port with a PPPoE PVC in service (the port without one refused while the channel is enabled,
// taken at once once it is disabled), adds again on the same port (asked to overwrite, the row replaced and the add
// code sent), is refused by the VLAN's MAC limit, and deletes the ticked channels; and what the list's popup offers as
// its rows, selection and ticks change.

#include "tests/e2e/support/direct_ne_test.h"
#include "tests/e2e/support/e2e_harness.h"

#include "tests/e2e/support/mc_server_steps.h"
#include "ui/framework/dialogs/ticked_record_list_dlg.h"

#include "features/performance/connection_tests/oam_loopback_dlg.h"
#include "features/provisioning/multicast/xdsl_mc_channel_list_dlg.h"
#include "features/provisioning/multicast/xdsl_mc_channel_setting_dlg.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "link/record_requests.h"
#include "link/records/mc_channel_rec.h"
#include "link/records/mc_service_profile_rec.h"
#include "link/records/pvc_key_rec.h"
#include "link/records/request_codes.h"
#include "link/records/vlan_mac_limit_rec.h"
#include "ui/framework/lists/small_images.h"

#include <QTabBar>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kCmdMcChannel = 33121;
constexpr uint32_t kPppoePort = 10106;  // an enabled PPPoE PVC, VLAN 301
constexpr uint32_t kIdlePort = 10107;   // a disabled transparent PVC only
constexpr uint16_t kLimitedVlan = 4094; // its MAC limit enabled
using List = CXdslMcChannelListDlg;
using Setting = CXdslMcChannelSettingDlg;
using e2e::CellImage;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;

// The channel's port, key, VLAN, limit and state.
void Describe(Setting& setting, const QString& port, int vci, const QString& vlan, const QString& limit, bool enabled)
{
    Choose(setting, Setting::kPortId, port);
    Type(setting, Setting::kVciId, QString::number(vci));
    Type(setting, Setting::kVlanId, vlan);
    Check(setting, enabled ? Setting::kEnabledId : Setting::kDisabledId);
    setting.SelectPage(&setting.LimitPage());
    Type(setting.LimitPage(), CMcChannelLimitPage::kLimitId, limit);
}

std::vector<McChannelRec> ChannelsOf(e2e::CProgram& program, uint32_t portId)
{
    std::vector<McChannelRec> channels = program.ServerRecords(kReqMcChannel, e2e::kNorth1);
    std::erase_if(channels, [portId](const McChannelRec& rec) { return rec.portId != portId; });
    return channels;
}

TEST(McChannelE2eTest, ChannelsAreAddedReplacedRefusedAndDeleted)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::AddBasicServiceProfile(program);
    e2e::WriteOnNorth1(program, kReqVlanMacLimit, VlanMacLimitRec{kLimitedVlan, 3, 1});
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<List>([&](List& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_TRUE(ListColumn(rows, 1).isEmpty());

        // The port with a PVC in service takes an enabled channel.
        person.OnDialog<Setting>([&](Setting& add) {
            EXPECT_EQ(e2e::Field(add.ProfilePage(), CMcProfilePage::kProfileId), QStringLiteral("basic"));
            QStringList tabTexts;
            if (const auto* tabs = add.GetDlgItemAs<QTabBar>(add.GetTabControlId())) {
                for (int tab = 0; tab < tabs->count(); ++tab)
                    tabTexts << tabs->tabText(tab);
            }
            EXPECT_EQ(tabTexts, (QStringList{"Multicast Service Profile", "Channel Limit"}));
            // A new channel: VC 0/32 on VLAN 1, enabled, one channel at a time.
            EXPECT_EQ(e2e::Field(add, Setting::kVpiId), QStringLiteral("0"));
            EXPECT_EQ(e2e::Field(add, Setting::kVciId), QStringLiteral("32"));
            EXPECT_EQ(e2e::Field(add, Setting::kVlanId), QStringLiteral("1"));
            EXPECT_TRUE(e2e::IsChecked(add, Setting::kEnabledId));
            EXPECT_EQ(e2e::Field(add.LimitPage(), CMcChannelLimitPage::kLimitId), QStringLiteral("1"));
            Describe(add, QStringLiteral("6"), 40, QStringLiteral("301"), QStringLiteral("6"), true);
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Please enter an integer between 1 and 5."));
            add.SelectPage(&add.LimitPage());
            Type(add.LimitPage(), CMcChannelLimitPage::kLimitId, QStringLiteral("5"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("mc_channel_setting")));
            Click(add, IDOK);
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        EXPECT_EQ(ListColumn(rows, 1), QStringList{QStringLiteral("1-6")});
        EXPECT_EQ(ListColumn(rows, 5), QStringList{QStringLiteral("basic")});
        EXPECT_EQ(list.SelectedRow(), -1) << "the new row is brought into view, not selected";

        // The port without a PVC in service: refused while enabled, taken at once disabled.
        person.OnDialog<Setting>([&](Setting& add) {
            Describe(add, QStringLiteral("7"), 41, QStringLiteral("302"), QStringLiteral("1"), true);
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("This port doesn't has any active PVC"));
            Check(add, Setting::kDisabledId);
            Click(add, IDOK);
            return IDCANCEL;
        });
        list.SelectRowByItemData(static_cast<uint32_t>(-1));
        Click(list, kAddButtonId);
        const int idle = e2e::RowOf(rows, 1, QStringLiteral("1-7"));
        EXPECT_EQ(CellImage(rows, idle), kImageDisabled);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("mc_channel_list")));

        // VC OAM Test on the enabled channel: the loopback opens on the channel's port and PVC.
        const std::vector<McChannelRec> enabled = ChannelsOf(program, kPppoePort);
        EXPECT_EQ(enabled.size(), 1u);
        program.ClickListRow(rows, e2e::RowOf(rows, 1, QStringLiteral("1-6")));
        person.OnDialog<COamLoopbackDlg>([&](COamLoopbackDlg& oam) {
            EXPECT_EQ(oam.GetTargetEntity().id, kPppoePort);
            if (!enabled.empty()) {
                EXPECT_EQ(e2e::Field(oam, COamLoopbackDlg::kVpiId), QString::number(enabled.front().vpi));
                EXPECT_EQ(e2e::Field(oam, COamLoopbackDlg::kVciId), QString::number(enabled.front().vci));
            }
        });
        Click(list, List::kOamTestId);

        // Again on port 6: asked to overwrite; the VLAN's limit refuses VLAN 4094, VLAN 301 takes it.
        person.OnDialog<Setting>([&](Setting& add) {
            Describe(add, QStringLiteral("6"), 50, QString::number(kLimitedVlan), QStringLiteral("4"), true);
            person.AnswerBox(IDYES);
            Click(add, IDOK);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("There is already one multicast channel on the line "
                                                           "port.\n\nAre you sure to OVERWRITE it?"));
            EXPECT_EQ(MessageLine(add), QStringLiteral("Enabled PVC MAC limit and MCAU channels should not be greater "
                                                       "than VLAN MAC limit"));
            Type(add, Setting::kVlanId, QStringLiteral("301"));
            person.AnswerBox(IDYES);
            Click(add, IDOK);
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        EXPECT_EQ(ListColumn(rows, 1).count(QStringLiteral("1-6")), 1) << "replaced in place";
        EXPECT_EQ(ListColumn(rows, 3).value(e2e::RowOf(rows, 1, QStringLiteral("1-6"))), QStringLiteral("50"));

        // Both ticked and deleted.
        Click(list, CTickedRecordListDlg::kCheckAllId);
        EXPECT_TRUE(list.IsControlEnabled(CTickedRecordListDlg::kMultiDeleteId));
        person.AnswerBox(IDYES);
        Click(list, CTickedRecordListDlg::kMultiDeleteId);
        EXPECT_TRUE(ListColumn(rows, 1).isEmpty());
        // No row left: nothing to tick, untick or delete.
        for (int id : {CTickedRecordListDlg::kCheckAllId, CTickedRecordListDlg::kUncheckAllId,
                       CTickedRecordListDlg::kMultiDeleteId})
            EXPECT_FALSE(list.IsControlEnabled(id)) << id;
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdMcChannel));
    EXPECT_TRUE(ChannelsOf(program, kPppoePort).empty());
    EXPECT_TRUE(ChannelsOf(program, kIdlePort).empty());
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The list's Profile button opens the NE's VLAN profiles on the tab of the multicast service profiles.
TEST(McChannelE2eTest, ProfileOpensTheServiceProfileTab)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    QString shown;
    person.OnDialog<List>([&](List& list) {
        person.OnDialog<CProfileListDlg>([&](CProfileListDlg& profiles) {
            const auto* tabs = profiles.GetDlgItemAs<QTabBar>(CProfileListDlg::kTabId);
            shown = tabs->tabText(tabs->currentIndex());
            return IDCANCEL;
        });
        Click(list, List::kProfileId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdMcChannel));
    EXPECT_EQ(shown, QStringLiteral("Multicast Service"));
}

TEST(McChannelE2eTest, TheReplacingAddIsWrittenWhole)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::AddBasicServiceProfile(program);
    e2e::AddChannelOnNorth1(program, kPppoePort, 60, 301, 2, 1);
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<List>([&](List& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, 1), QStringList{QStringLiteral("1-6")});
        program.ClickListRow(rows, 0);
        // Shown, the channel takes no change: no OK, no VC spins.
        person.OnDialog<Setting>([&](Setting& show) {
            EXPECT_EQ(e2e::Field(show, Setting::kVciId), QStringLiteral("60"));
            EXPECT_FALSE(show.IsControlEnabled(IDOK));
            EXPECT_FALSE(show.IsControlEnabled(Setting::kVpiSpinId));
            EXPECT_FALSE(show.IsControlEnabled(Setting::kVciSpinId));
            return IDCANCEL;
        });
        Click(list, kShowButtonId);
        person.OnDialog<Setting>([&](Setting& modify) {
            EXPECT_EQ(e2e::Field(modify, Setting::kVciId), QStringLiteral("60"));
            EXPECT_FALSE(modify.IsControlEnabled(Setting::kPortId));
            EXPECT_TRUE(modify.IsControlEnabled(IDOK));
            EXPECT_TRUE(modify.IsControlEnabled(Setting::kVciSpinId));
            modify.SelectPage(&modify.LimitPage());
            Type(modify.LimitPage(), CMcChannelLimitPage::kLimitId, QStringLiteral("3"));
            Click(modify, IDOK);
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdMcChannel));
    const std::vector<McChannelRec> channels = ChannelsOf(program, kPppoePort);
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_EQ(channels.front().channelLimit, 3);
    EXPECT_EQ(channels.front().vci, 60);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// On a VLAN whose MAC limit has room for two more units, beside the channel of one unit already on it: the add that
// replaces that channel with one of three units counts all three and is refused before anything is written; a change
// of the channel to three units counts only the two it adds and is taken.
TEST(McChannelE2eTest, AReplacingAddCountsItsWholeLimitAChangeOnlyWhatItAdds)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::AddBasicServiceProfile(program);
    e2e::WriteOnNorth1(program, kReqVlanMacLimit, VlanMacLimitRec{kLimitedVlan, 3, 1});
    e2e::AddChannelOnNorth1(program, kPppoePort, 60, kLimitedVlan, 1, 1);
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<List>([&](List& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        person.OnDialog<Setting>([&](Setting& add) {
            Describe(add, QStringLiteral("6"), 60, QString::number(kLimitedVlan), QStringLiteral("3"), true);
            person.AnswerBox(IDYES);
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Enabled PVC MAC limit and MCAU channels should not be greater "
                                                       "than VLAN MAC limit"));
            EXPECT_FALSE(add.IsEnded());
            EXPECT_EQ(person.boxTexts.size(), 1u) << "refused before the write, after the one question";
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        program.ClickListRow(rows, e2e::RowOf(rows, 1, QStringLiteral("1-6")));
        person.OnDialog<Setting>([&](Setting& modify) {
            modify.SelectPage(&modify.LimitPage());
            Type(modify.LimitPage(), CMcChannelLimitPage::kLimitId, QStringLiteral("3"));
            Click(modify, IDOK);
            EXPECT_TRUE(modify.IsEnded()) << MessageLine(modify).toStdString();
        });
        Click(list, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdMcChannel));
    const std::vector<McChannelRec> channels = ChannelsOf(program, kPppoePort);
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_EQ(channels.front().channelLimit, 3);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// A channel the NE holds outside the dialog's ranges shows at the nearer bounds: a VCI below 32, a VLAN ID of 0 or
// above 4094, a channel limit of 0 or above 5.
TEST(McChannelE2eTest, AChannelHeldOutsideTheRangesShowsAtTheNearerBounds)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::AddBasicServiceProfile(program);
    e2e::AddChannelOnNorth1(program, 10104, 31, 0, 0, 1);
    e2e::AddChannelOnNorth1(program, 10105, 33, 4095, 6, 1);
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const struct {
        const char* port;
        const char* vci;
        const char* vlan;
        const char* limit;
    } shown[] = {{"1-4", "32", "1", "1"}, {"1-5", "33", "4094", "5"}};
    person.OnDialog<List>([&](List& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        for (const auto& channel : shown) {
            const int row = e2e::RowOf(rows, 1, QString::fromLatin1(channel.port));
            EXPECT_GE(row, 0) << channel.port;
            program.ClickListRow(rows, row);
            person.OnDialog<Setting>([&](Setting& show) {
                EXPECT_EQ(e2e::Field(show, Setting::kVciId), QString::fromLatin1(channel.vci)) << channel.port;
                EXPECT_EQ(e2e::Field(show, Setting::kVlanId), QString::fromLatin1(channel.vlan)) << channel.port;
                EXPECT_EQ(e2e::Field(show.LimitPage(), CMcChannelLimitPage::kLimitId),
                          QString::fromLatin1(channel.limit))
                    << channel.port;
                return IDCANCEL;
            });
            Click(list, kShowButtonId);
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdMcChannel));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// What the list's popup offers as the rows, the selection and the ticks change: Show, Modify and Delete want a
// selected row, Multi-Delete a ticked one, Check All and UnCheck All a row at all; the rest, VC OAM Test among them
// (it asks for its row itself), is always offered.
TEST(McChannelE2eTest, ThePopupOffersWhatTheRowsAndTicksAllow)
{
    constexpr int kPopupCheckAll = CTickedRecordListDlg::kPopupCheckAll,
                  kPopupUncheckAll = CTickedRecordListDlg::kPopupUncheckAll,
                  kPopupMultiDelete = CTickedRecordListDlg::kPopupMultiDelete;
    const std::vector<int> always = {kPopupAdd, List::kPopupOamTest, List::kPopupProfile, kPopupExport, kPopupClose};
    struct Case {
        const char* what;
        bool rows;
        bool selected;
        bool ticked;
        std::vector<int> greyed;
    };
    const Case cases[] = {
        {"an empty list",
         false,
         false,
         false,
         {kPopupCheckAll, kPopupUncheckAll, kPopupMultiDelete, kPopupShow, kPopupModify, kPopupDelete}},
        {"rows, none selected or ticked",
         true,
         false,
         false,
         {kPopupMultiDelete, kPopupShow, kPopupModify, kPopupDelete}},
        {"none selected, one ticked", true, false, true, {kPopupShow, kPopupModify, kPopupDelete}},
        {"the disabled channel selected, none ticked", true, true, false, {kPopupMultiDelete}},
        {"selected and ticked", true, true, true, {}},
    };
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    for (const Case& c : cases) {
        if (c.rows && ChannelsOf(program, kIdlePort).empty())
            e2e::AddChannelOnNorth1(program, kIdlePort, 41, 302, 1, 2);
        std::vector<int> offered;
        person.OnDialog<List>([&](List& list) {
            QTreeView& rows = *list.FindList(kListControlId);
            if (c.ticked)
                e2e::TickRows(rows, {QStringLiteral("1-7")}, 1);
            if (c.selected)
                program.ClickListRow(rows, 0);
            else
                rows.selectionModel()->clear();
            const QPoint below(rows.viewport()->width() / 2, rows.viewport()->height() - 2);
            offered = c.selected ? program.RightClickListRow(rows, 0) : program.RightClickAt(*rows.viewport(), below);
            EXPECT_EQ(list.IsControlEnabled(List::kOamTestId), false) << c.what << ": a disabled channel has no VC up";
            return IDCANCEL;
        });
        ASSERT_TRUE(program.Command(kCmdMcChannel));
        for (int id : always)
            EXPECT_NE(std::find(offered.begin(), offered.end(), id), offered.end()) << c.what << ": " << id;
        for (int id : {kPopupCheckAll, kPopupUncheckAll, kPopupMultiDelete, kPopupShow, kPopupModify, kPopupDelete}) {
            const bool greyed = std::find(c.greyed.begin(), c.greyed.end(), id) != c.greyed.end();
            EXPECT_EQ(std::find(offered.begin(), offered.end(), id) == offered.end(), greyed) << c.what << ": " << id;
        }
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// In direct mode the NE's own channels: the list of the NE shows the two its ports hold, the operator adds one on the
// port with a PVC in service, changes the enabled one and deletes the disabled one, and the NE holds what was written.
class McChannelDirectE2eTest : public e2e::CDirectNeTest {};

TEST_F(McChannelDirectE2eTest, InDirectModeTheNesChannelsAreListedAddedChangedAndDeleted)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, 1), (QStringList{QStringLiteral("1-1-3"), QStringLiteral("1-1-4")}));
        EXPECT_EQ(ListColumn(rows, 4), (QStringList{QStringLiteral("100"), QStringLiteral("100")}));
        EXPECT_EQ(CellImage(rows, 0), kImageEnabled);
        EXPECT_EQ(CellImage(rows, 1), kImageDisabled);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("mc_channel_list_direct")));

        person.OnDialog<Setting>([&](Setting& add) {
            EXPECT_EQ(e2e::Field(add.ProfilePage(), CMcProfilePage::kProfileId), QStringLiteral("basic"));
            Describe(add, QStringLiteral("1"), 80, QStringLiteral("300"), QStringLiteral("2"), true);
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded()) << MessageLine(add).toStdString();
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        EXPECT_EQ(ListColumn(rows, 1).size(), 3);

        program_.ClickListRow(rows, e2e::RowOf(rows, 1, QStringLiteral("1-1-3")));
        person.OnDialog<Setting>([&](Setting& modify) {
            EXPECT_EQ(e2e::Field(modify, Setting::kVciId), QStringLiteral("70"));
            Check(modify, Setting::kDisabledId);
            Click(modify, IDOK);
            EXPECT_TRUE(modify.IsEnded()) << MessageLine(modify).toStdString();
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);

        program_.ClickListRow(rows, e2e::RowOf(rows, 1, QStringLiteral("1-1-4")));
        person.AnswerBox(IDYES);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(ListColumn(rows, 1).size(), 2);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdMcChannel));

    PvcKeyRec ne;
    ne.portId = 1;
    const RecordReply<McChannelRec> held = CRecordRequests().Query(kReqMcChannel, 1, ne);
    ASSERT_TRUE(held.Ok());
    ASSERT_EQ(held.records.size(), 2u);
    EXPECT_EQ(held.records[0].portId, 10101u);
    EXPECT_EQ(held.records[0].vci, 80);
    EXPECT_EQ(held.records[0].vlanId, 300);
    EXPECT_EQ(held.records[0].channelLimit, 2);
    EXPECT_EQ(held.records[0].adminState, 1u);
    EXPECT_EQ(held.records[1].portId, 10103u);
    EXPECT_EQ(held.records[1].adminState, 2u);
}

} // namespace
