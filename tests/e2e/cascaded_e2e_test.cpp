// Cascaded management in the running program: the operator makes North-1 the root of a cascaded management subnet,
// with its address checked against the NE's own, and adds a remote NE behind it, which the root then reaches.

#include "tests/e2e/support/e2e_harness.h"

#include "features/management/cascaded/cascaded_mgmt_dlg.h"
#include "features/management/cascaded/remote_ne_dlg.h"
#include "features/management/cascaded/remote_ne_list_dlg.h"
#include "link/records/cascaded_mgmt_record.h"
#include "link/records/remote_ne_record.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <utility>

namespace {

constexpr int kCmdCascadedSetting = 33202;
constexpr int kCmdRemoteNes = 33203;
constexpr uint32_t kNorth1 = 1;
using Cascaded = CCascadedMgmtDlg;
using Remotes = CRemoteNeListDlg;
using e2e::Check;
using e2e::Click;
using e2e::MessageLine;
using e2e::Type;

CascadedMgmtRecord ServerCascaded(e2e::CProgram& program)
{
    const std::vector<CascadedMgmtRecord> stored = program.ServerRecords(kReqCascadedMgmt, kNorth1);
    return stored.empty() ? CascadedMgmtRecord{} : stored.front();
}

class CascadedE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program_.LoginAsAdminAt(QStringLiteral("North-1")));
        ASSERT_EQ(program_.Frame().GetCurrentNeId(), kNorth1);
    }

    // The root's setting: enabled, root, the address and prefix typed; OK pressed.
    void EnableRoot(Cascaded& dialog, const QString& rootIp, const QString& prefix)
    {
        Check(dialog, Cascaded::kEnabledId);
        Check(dialog, Cascaded::kRootId);
        Type(dialog, Cascaded::kRootIpId, rootIp);
        Type(dialog, Cascaded::kPrefixId, prefix);
        Click(dialog, IDOK);
    }

    e2e::CProgram program_;
};

TEST_F(CascadedE2eTest, TheRootsAddressIsCheckedAgainstTheNesOwnAndItsSubnetIsSentAsAMask)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Cascaded>([&](Cascaded& dialog) {
        // Disabled at first: the root's address and subnet wait for the root role.
        EXPECT_TRUE(e2e::IsChecked(dialog, Cascaded::kDisabledId));
        Check(dialog, Cascaded::kRemoteId);
        EXPECT_FALSE(dialog.IsControlEnabled(Cascaded::kRootIpId));
        EXPECT_FALSE(dialog.IsControlEnabled(Cascaded::kPrefixId));

        EnableRoot(dialog, QStringLiteral("10.10.1.1"), QStringLiteral("24"));
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("IP address is reserved"));
        EnableRoot(dialog, QStringLiteral("10.10.1.50"), QStringLiteral("24"));
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Gateway IP is in cascaded management subnet"));
        // The address check judges the prefix: past 30 it leaves no host, at 0 no subnet.
        EnableRoot(dialog, QStringLiteral("10.30.0.1"), QStringLiteral("31"));
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Cascaded management subnetmask format error"));
        EnableRoot(dialog, QStringLiteral("10.30.0.1"), QStringLiteral("0"));
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Cascaded management subnetmask format error"));

        // The server refuses the write: the dialog says so and stays open, nothing changed.
        server_test::CRawClient& probe = program_.ServerProbe();
        const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, kReqCascadedMgmt, 0, 0});
        ASSERT_TRUE(
            probe.ReplyTo(probe.Send(2, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
        EnableRoot(dialog, QStringLiteral("10.30.0.1"), QStringLiteral("24"));
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Fail to update data"));
        EXPECT_FALSE(dialog.IsEnded());
        EXPECT_NE(ServerCascaded(program_).state, 1u);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("cascaded_mgmt")));

        Click(dialog, IDOK);
        EXPECT_TRUE(dialog.IsEnded());
    });
    ASSERT_TRUE(program_.Command(kCmdCascadedSetting));
    const CascadedMgmtRecord root = ServerCascaded(program_);
    EXPECT_EQ(root, (CascadedMgmtRecord{1, 1, {10, 30, 0, 1}, {255, 255, 255, 0}, 2}));

    // Opened again, the dialog shows the prefix of the mask the NE keeps. Disabling, or a remote NE, is checked as
    // a root is: the address must be given and fit the NE's own.
    person.OnDialog<Cascaded>([&](Cascaded& dialog) {
        EXPECT_EQ(e2e::Field(dialog, Cascaded::kPrefixId), QStringLiteral("24"));
        EXPECT_EQ(e2e::Field(dialog, Cascaded::kRootIpId), QStringLiteral("10.30.0.1"));
        Check(dialog, Cascaded::kDisabledId);
        Type(dialog, Cascaded::kRootIpId, QString());
        Click(dialog, IDOK);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("incorrect IP address"));
        EXPECT_FALSE(dialog.IsEnded());
        Type(dialog, Cascaded::kRootIpId, QStringLiteral("10.10.1.1"));
        Check(dialog, Cascaded::kRemoteId);
        Click(dialog, IDOK);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("IP address is reserved"));
        EXPECT_FALSE(dialog.IsEnded());
        Check(dialog, Cascaded::kRootId);
        Type(dialog, Cascaded::kRootIpId, QStringLiteral("10.30.0.1"));
        Click(dialog, IDOK);
        EXPECT_TRUE(dialog.IsEnded()) << MessageLine(dialog).toStdString();
    });
    ASSERT_TRUE(program_.Command(kCmdCascadedSetting));
    EXPECT_EQ(ServerCascaded(program_).state, 2u);
}

// A remote NE that reports no root (address 0.0.0.0, mask 0.0.0.0) is saved as it stands.
TEST_F(CascadedE2eTest, ARemoteNeWithoutARootIsSavedUnchanged)
{
    const CascadedMgmtRecord remote{2, 2, {0, 0, 0, 0}, {0, 0, 0, 0}, 2};
    const auto bytes = EncodeRecord(remote);
    server_test::CRawClient& probe = program_.ServerProbe();
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(2, kReqCascadedMgmt, kNorth1, {bytes.begin(), bytes.end()}, kCascadedMgmtRecordSize)));
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Cascaded>([&](Cascaded& dialog) {
        EXPECT_TRUE(e2e::IsChecked(dialog, Cascaded::kRemoteId));
        EXPECT_EQ(e2e::Field(dialog, Cascaded::kRootIpId), QStringLiteral("0.0.0.0"));
        EXPECT_EQ(e2e::Field(dialog, Cascaded::kPrefixId), QStringLiteral("0"));
        Click(dialog, IDOK);
        EXPECT_TRUE(dialog.IsEnded()) << MessageLine(dialog).toStdString();
    });
    ASSERT_TRUE(program_.Command(kCmdCascadedSetting));
    EXPECT_EQ(ServerCascaded(program_), remote);
}

TEST_F(CascadedE2eTest, ARemoteNeIsAddedBehindTheRootAndDeleted)
{
    const auto root = EncodeRecord(CascadedMgmtRecord{1, 1, {10, 30, 0, 1}, {255, 255, 255, 0}, 1});
    server_test::CRawClient& probe = program_.ServerProbe();
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(2, kReqCascadedMgmt, kNorth1, {root.begin(), root.end()}, kCascadedMgmtRecordSize)));
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Remotes>([&](Remotes& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(e2e::ListColumn(rows, Remotes::kIdColumn), QStringList());
        // The legend below the list shows whole, its pictures and their texts.
        for (const int picture : {1153, 1134, 1364, 1144})
            EXPECT_TRUE(list.GetDlgItem(picture) != nullptr && e2e::ShowsWhole(*list.GetDlgItem(picture))) << picture;
        const QStringList legends = {"Enabled", "Disabled", "Link Up", "Link Down"};
        QStringList shown;
        for (const QLabel* label : list.findChildren<QLabel*>()) {
            if (legends.contains(label->text()) && e2e::ShowsWhole(*label))
                shown << label->text();
        }
        EXPECT_EQ(shown.size(), legends.size()) << shown.join(',').toStdString();
        person.OnDialog<CRemoteNeDlg>([&](CRemoteNeDlg& add) {
            Type(add, CRemoteNeDlg::kIdId, QStringLiteral("0"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("These ID range between 1 and 2147483647"));
            // Each end is taken (the blank address stops it next), one past the top is refused as 0 is.
            for (const auto& [id, taken] :
                 {std::pair{"1", true}, std::pair{"2147483647", true}, std::pair{"2147483648", false}}) {
                Type(add, CRemoteNeDlg::kIdId, QString::fromLatin1(id));
                Click(add, IDOK);
                EXPECT_EQ(MessageLine(add) == QStringLiteral("These ID range between 1 and 2147483647"), !taken) << id;
            }
            Type(add, CRemoteNeDlg::kIdId, QStringLiteral("7"));
            Type(add, CRemoteNeDlg::kIpAddressId, QStringLiteral("10.10.1.1"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("IP address is reserved"));
            Type(add, CRemoteNeDlg::kIpAddressId, QStringLiteral("10.30.0.7"));
            Type(add, CRemoteNeDlg::kCommunityId, QStringLiteral("   "));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Data is blank"));
            Type(add, CRemoteNeDlg::kCommunityId, QStringLiteral("public"));
            Type(add, CRemoteNeDlg::kUserId, QStringLiteral("qurim"));
            Type(add, CRemoteNeDlg::kPasswordId, QStringLiteral("qurim"));
            Type(add, CRemoteNeDlg::kNoteId, QStringLiteral("Cabinet 7"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("remote_ne")));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded()) << MessageLine(add).toStdString();
        });
        Click(list, kAddButtonId);
        int row = e2e::RowOf(rows, Remotes::kIdColumn, QStringLiteral("7"));
        ASSERT_GE(row, 0);
        EXPECT_EQ(CListControl(&rows).GetNextSelected(-1), -1) << "the new remote NE is shown, not selected";
        // The row shows the record sent, which tells no status; the list read again shows that the root relays
        // management to it.
        EXPECT_EQ(e2e::ListColumn(rows, Remotes::kOperStatusColumn).value(row), QStringLiteral("Not Active"));
        EXPECT_EQ(e2e::CellImage(rows, row, Remotes::kOperStatusColumn), 0);
        EXPECT_EQ(e2e::ListColumn(rows, Remotes::kAddressColumn).value(row), QStringLiteral(" 10. 30.  0.  7"));
        // Refresh leaves no row selected and Show, Modify and Delete off.
        program_.ClickListRow(rows, row);
        ASSERT_TRUE(list.IsControlEnabled(kModifyButtonId));
        Click(list, kRefreshButtonId);
        EXPECT_EQ(CListControl(&rows).GetNextSelected(-1), -1);
        for (const int button : {kShowButtonId, kModifyButtonId, kDeleteButtonId})
            EXPECT_FALSE(list.IsControlEnabled(button)) << button;
        row = e2e::RowOf(rows, Remotes::kIdColumn, QStringLiteral("7"));
        ASSERT_GE(row, 0);
        EXPECT_EQ(e2e::ListColumn(rows, Remotes::kOperStatusColumn).value(row), QStringLiteral("Connected"));
        EXPECT_EQ(e2e::CellImage(rows, row, Remotes::kOperStatusColumn), kImageLinkUp);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("remote_ne_list")));

        program_.ClickListRow(rows, row);
        person.AnswerBox(IDYES);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(e2e::RowOf(rows, Remotes::kIdColumn, QStringLiteral("7")), -1);
    });
    ASSERT_TRUE(program_.Command(kCmdRemoteNes));
    EXPECT_TRUE(program_.ServerRecords(kReqRemoteNe, kNorth1).empty());
}

// With 99 remote NEs one more may come (the ID is the first check then); with 100 the next is refused before any
// other check.
TEST_F(CascadedE2eTest, TheHundredAndFirstRemoteNeIsRefusedBeforeAnyOtherCheck)
{
    server_test::CRawClient& probe = program_.ServerProbe();
    const auto addRemote = [&](uint32_t id) {
        RemoteNeRecord remote;
        remote.remoteNeId = id;
        remote.ipAddress = {10, 31, static_cast<uint8_t>(id / 200), static_cast<uint8_t>(id % 200 + 1)};
        remote.state = 1;
        const auto bytes = EncodeRecord(remote);
        ASSERT_TRUE(
            probe.ReplyTo(probe.Send(2, kReqRemoteNeAdd, kNorth1, {bytes.begin(), bytes.end()}, kRemoteNeRecordSize)));
    };
    for (uint32_t id = 1; id <= 99; ++id)
        addRemote(id);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Remotes>([&](Remotes& list) {
        EXPECT_EQ(e2e::ListColumn(*list.FindList(kListControlId), Remotes::kIdColumn).size(), 99);
        person.OnDialog<CRemoteNeDlg>([&](CRemoteNeDlg& add) {
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("These ID range between 1 and 2147483647"));
            addRemote(100);
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("This table is full. Maximum number: 100"));
        });
        Click(list, kAddButtonId);
    });
    ASSERT_TRUE(program_.Command(kCmdRemoteNes));
}

// The remote NEs sort by the numbers of their ids, Note by the ids too, and Admin State by its texts, equal ones by
// the ids.
TEST_F(CascadedE2eTest, TheRemoteNesSortByTheirIdsAsNumbers)
{
    const struct {
        uint32_t id;
        uint32_t state;
        const char* note;
    } kept[] = {{9, 2, "alpha"}, {10, 1, "Zulu"}, {2, 1, "mid"}};
    server_test::CRawClient& probe = program_.ServerProbe();
    for (const auto& remote : kept) {
        RemoteNeRecord rec;
        rec.remoteNeId = remote.id;
        rec.ipAddress = {10, 31, 0, static_cast<uint8_t>(remote.id)};
        rec.note = remote.note;
        rec.state = remote.state;
        const auto bytes = EncodeRecord(rec);
        ASSERT_TRUE(
            probe.ReplyTo(probe.Send(2, kReqRemoteNeAdd, kNorth1, {bytes.begin(), bytes.end()}, kRemoteNeRecordSize)));
    }
    program_.Operator().OnDialog<Remotes>([&](Remotes& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        const struct {
            int column;
            const char* ids;
        } clicks[] = {
            {Remotes::kIdColumn, "2,9,10"}, {Remotes::kNoteColumn, "2,9,10"}, {Remotes::kAdminStateColumn, "9,2,10"}};
        for (const auto& click : clicks) {
            e2e::CProgram::ClickHeader(*rows.header(), click.column);
            EXPECT_EQ(e2e::ListColumn(rows, Remotes::kIdColumn).join(','), QString::fromLatin1(click.ids))
                << click.column;
        }
    });
    ASSERT_TRUE(program_.Command(kCmdRemoteNes));
}

} // namespace
