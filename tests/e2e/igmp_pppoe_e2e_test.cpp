// IGMP and PPPoE in the running program: the combined IGMP dialog pulls its times into their ranges, warns before
// snooping, and writes only a change; the proxy dialog checks its input before it asks and keeps what it loaded when
// disabled; the snooping dialog (a toolbar button the operator configures) writes its aging time. The PPPoE sub-option
// is switched (a state other than 1 that the NE holds shows Disabled), and the session list shows a slot's sessions or
// one port's. The server refuses a change and a query once.

#include "tests/e2e/support/direct_ne_test.h"
#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/mc_server_steps.h"

#include "features/provisioning/igmp/igmp_proxy_dlg.h"
#include "features/provisioning/igmp/igmp_snoop_proxy_dlg.h"
#include "features/provisioning/igmp/igmp_snooping_dlg.h"
#include "features/provisioning/pppoe/pppoe_session_list_dlg.h"
#include "features/provisioning/pppoe/pppoe_setting_dlg.h"
#include "link/ems_msg.h"
#include "link/record_requests.h"
#include "link/records/igmp_proxy_rec.h"
#include "link/records/igmp_setting_rec.h"
#include "link/records/igmp_snooping_rec.h"
#include "link/records/pppoe_session_rec.h"
#include "link/records/request_codes.h"
#include "link/records/word_record.h"
#include "sim/server/sim_control.h"

#include <QCoreApplication>
#include <QFocusEvent>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int kCmdIgmp = 33171, kCmdIgmpProxy = 33155, kCmdIgmpSnooping = 33070, kCmdPppoe = 33185,
              kCmdPppoeSessions = 33210;
constexpr uint32_t kNorth1 = 1;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;

template <class Rec> Rec ServerSetting(e2e::CProgram& program, RequestCode<Rec> code)
{
    const std::vector<Rec> records = program.ServerRecords(code, kNorth1);
    return records.empty() ? Rec{} : records.front();
}

void Refuse(e2e::CProgram& program, uint32_t action, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto refuse = EncodeRecord(SimControlRec{action, code, 0, 0});
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
}

// The operator leaves a field: it loses the focus.
void Leave(CDialog& dialog, int id)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(dialog.GetDlgItem(id), &out);
}

class IgmpPppoeE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        e2e::PeerOptions options;
        options.iniExtra = e2e::ToolbarOf(kCmdIgmpSnooping); // the snooping dialog, which no menu offers
        ASSERT_TRUE(program_.StartServer(options));
        ASSERT_TRUE(program_.Login("admin", "admin"));
        program_.ClickTreeItem(program_.TreeItem(QStringLiteral("North-1")));
    }

    e2e::CProgram program_;
};

TEST_F(IgmpPppoeE2eTest, TheIgmpDialogsCheckWarnAndWriteWhatChanged)
{
    e2e::COperator& person = program_.Operator();
    using Igmp = CIgmpSnoopProxyDlg;
    person.OnDialog<Igmp>([&](Igmp& igmp) {
        EXPECT_TRUE(e2e::IsChecked(igmp, Igmp::kSnoopingId));
        EXPECT_EQ(Field(igmp, Igmp::kAgingId), QStringLiteral("30"));
        EXPECT_TRUE(e2e::IsChecked(igmp, Igmp::kQueryV2Id));
        // Left out of range, the times are pulled into it.
        Type(igmp, Igmp::kAgingId, QStringLiteral("700"));
        Leave(igmp, Igmp::kAgingId);
        EXPECT_EQ(Field(igmp, Igmp::kAgingId), QStringLiteral("600"));
        Type(igmp, Igmp::kProxyIntervalId, QStringLiteral("0"));
        Leave(igmp, Igmp::kProxyIntervalId);
        EXPECT_EQ(Field(igmp, Igmp::kProxyIntervalId), QStringLiteral("1"));
        Check(igmp, Igmp::kQueryV2Id + 2);
        EXPECT_TRUE(e2e::IsChecked(igmp, Igmp::kSnoopingId)) << "the groups are apart";
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(igmp, QStringLiteral("igmp_snoop_proxy")));
        person.AnswerBox(IDYES);
        Click(igmp, IDOK);
        EXPECT_TRUE(igmp.IsEnded());
    });
    ASSERT_TRUE(program_.Command(kCmdIgmp));
    EXPECT_EQ(person.LastBoxText(),
              QStringLiteral("IGMP snooping may be malfunctioned if the uplink port is connected to another NE's "
                             "subtending port.\n\nAre you sure to commit changes?"));
    const IgmpSettingRec written = ServerSetting(program_, kReqIgmpSetting);
    EXPECT_EQ(written.snoopingAgingTime, 600u);
    EXPECT_EQ(written.proxyQueryResponseInterval, 1u);
    EXPECT_EQ(written.queryVersion, 100u);
    EXPECT_EQ(written.reportVersion, 2u);

    // Nothing changed: nothing is sent (the refusal waiting for the next change does not come).
    Refuse(program_, kSimRefuseNextChange, kReqIgmpSetting);
    const size_t boxes = person.boxTexts.size();
    person.OnDialog<Igmp>([&](Igmp& igmp) { Click(igmp, IDOK); });
    ASSERT_TRUE(program_.Command(kCmdIgmp));
    EXPECT_EQ(person.boxTexts.size(), boxes);
    person.OnDialog<Igmp>([&](Igmp& igmp) {
        Check(igmp, Igmp::kProxyId);
        person.AnswerBox(IDYES);
        Click(igmp, IDOK);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
        EXPECT_FALSE(igmp.IsEnded());
        EXPECT_TRUE(e2e::IsChecked(igmp, Igmp::kProxyId));
    });
    ASSERT_TRUE(program_.Command(kCmdIgmp));
    EXPECT_EQ(ServerSetting(program_, kReqIgmpSetting).mode, 1u);
}

TEST_F(IgmpPppoeE2eTest, TheProxyAndSnoopingDialogsAskBeforeTheyCheck)
{
    e2e::COperator& person = program_.Operator();
    const QString question = QStringLiteral("Are you sure to modify the data?");
    person.OnDialog<CIgmpProxyDlg>([&](CIgmpProxyDlg& proxy) {
        EXPECT_TRUE(e2e::IsChecked(proxy, CIgmpProxyDlg::kDisabledId));
        EXPECT_FALSE(proxy.IsControlEnabled(CIgmpProxyDlg::kRobustnessId));
        Check(proxy, CIgmpProxyDlg::kEnabledId);
        Type(proxy, CIgmpProxyDlg::kIntervalId, QStringLiteral("256"));
        person.AnswerBox(IDYES);
        Click(proxy, IDOK);
        EXPECT_EQ(person.boxTexts, std::vector<QString>{question}) << "asked before the input is taken";
        EXPECT_EQ(MessageLine(proxy), QStringLiteral("Please enter an integer between 0 and 255."));
        EXPECT_FALSE(proxy.IsEnded());
        // Disabled again after an edit: the robustness the NE had is written.
        Type(proxy, CIgmpProxyDlg::kIntervalId, QStringLiteral("20"));
        Type(proxy, CIgmpProxyDlg::kRobustnessId, QStringLiteral("4"));
        Check(proxy, CIgmpProxyDlg::kDisabledId);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(proxy, QStringLiteral("igmp_proxy")));
        person.AnswerBox(IDYES);
        Click(proxy, IDOK);
        EXPECT_TRUE(proxy.IsEnded());
    });
    std::vector<int> offered = program_.RightClickTreeItem(program_.TreeItem(QStringLiteral("North-1")), kCmdIgmpProxy);
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(ServerSetting(program_, kReqIgmpProxy), (IgmpProxyRec{0, 2, 100, 1}));
    // Typed, any byte goes to the NE, which judges it: the spins' ranges hold only the spins.
    person.OnDialog<CIgmpProxyDlg>([&](CIgmpProxyDlg& proxy) {
        Check(proxy, CIgmpProxyDlg::kEnabledId);
        Type(proxy, CIgmpProxyDlg::kRobustnessId, QStringLiteral("7"));
        person.AnswerBox(IDYES);
        Click(proxy, IDOK);
        EXPECT_TRUE(MessageLine(proxy).isEmpty()) << MessageLine(proxy).toStdString();
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to update data"))) << "the NE refuses it";
    });
    ASSERT_FALSE(program_.RightClickTreeItem(program_.TreeItem(QStringLiteral("North-1")), kCmdIgmpProxy).empty());

    person.OnDialog<CIgmpSnoopingDlg>([&](CIgmpSnoopingDlg& snooping) {
        EXPECT_TRUE(e2e::IsChecked(snooping, CIgmpSnoopingDlg::kEnabledId));
        Type(snooping, CIgmpSnoopingDlg::kAgingId, QStringLiteral("0"));
        const size_t boxes = person.boxTexts.size();
        // No to the question: nothing is written.
        Click(snooping, IDOK);
        EXPECT_EQ(person.boxTexts.size(), boxes + 1);
        EXPECT_FALSE(snooping.IsEnded());
        person.AnswerBox(IDYES);
        Click(snooping, IDOK);
        EXPECT_EQ(person.LastBoxText(), question);
        EXPECT_EQ(MessageLine(snooping), QStringLiteral("Please enter an integer between 1 and 600."));
        EXPECT_FALSE(snooping.IsEnded());
        Type(snooping, CIgmpSnoopingDlg::kAgingId, QStringLiteral("120"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(snooping, QStringLiteral("igmp_snooping")));
        person.AnswerBox(IDYES);
        Click(snooping, IDOK);
    });
    ASSERT_TRUE(program_.ToolbarButton(kCmdIgmpSnooping));
    EXPECT_EQ(ServerSetting(program_, kReqIgmpSnooping), (IgmpSnoopingRec{1, 120}));
}

TEST_F(IgmpPppoeE2eTest, PppoeIsSwitchedAndItsSessionsAreListed)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CPppoeSettingDlg>([&](CPppoeSettingDlg& setting) {
        EXPECT_TRUE(e2e::IsChecked(setting, CPppoeSettingDlg::kDisabledId));
        Check(setting, CPppoeSettingDlg::kEnabledId);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(setting, QStringLiteral("pppoe_setting")));
        Click(setting, IDOK);
        EXPECT_TRUE(setting.IsEnded());
    });
    ASSERT_TRUE(program_.Command(kCmdPppoe));
    EXPECT_EQ(ServerSetting(program_, kReqPppoe).value, 1u);
    // Switched off again, it is written as 0.
    person.OnDialog<CPppoeSettingDlg>([&](CPppoeSettingDlg& setting) {
        EXPECT_TRUE(e2e::IsChecked(setting, CPppoeSettingDlg::kEnabledId));
        Check(setting, CPppoeSettingDlg::kDisabledId);
        Click(setting, IDOK);
        EXPECT_TRUE(setting.IsEnded());
    });
    ASSERT_TRUE(program_.Command(kCmdPppoe));
    EXPECT_EQ(ServerSetting(program_, kReqPppoe).value, 0u);

    using Sessions = CPppoeSessionListDlg;
    person.OnDialog<Sessions>([&](Sessions& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(Field(list, Sessions::kPortComboId), QStringLiteral(" <ALL>"));
        EXPECT_TRUE(rows.isColumnHidden(Sessions::kVlanColumn)) << "North-1's model flags hide the VLAN column";
        EXPECT_EQ(ListColumn(rows, 1),
                  (QStringList{QStringLiteral("1-1"), QStringLiteral("1-2"), QStringLiteral("1-2")}));
        // In the order the NE lists them: by port and PVC.
        EXPECT_EQ(ListColumn(rows, 5), (QStringList{QStringLiteral("0x00001a2b"), QStringLiteral("0x00007f00"),
                                                    QStringLiteral("0x0000002c")}));
        EXPECT_EQ(ListColumn(rows, 7),
                  (QStringList{QStringLiteral("Session"), QStringLiteral("Idle"), QStringLiteral("Init")}));
        EXPECT_EQ(ListColumn(rows, 6).front(), QStringLiteral("00:11:22:33:44:01"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("pppoe_session_list")));
        // The ports of the slot after " <ALL>"; another slot brings its own ports, from " <ALL>" again, and the rows
        // stay until Refresh.
        QStringList ports{QStringLiteral(" <ALL>")};
        for (int port = 1; port <= 24; ++port)
            ports << QString::number(port);
        EXPECT_EQ(e2e::ComboTexts(list, Sessions::kPortComboId), ports.join(','));
        const QStringList cards = e2e::ComboTexts(list, Sessions::kSlotComboId).split(',');
        ASSERT_GE(cards.size(), 2);
        ASSERT_TRUE(Choose(list, Sessions::kPortComboId, QStringLiteral("2")));
        ASSERT_TRUE(Choose(list, Sessions::kSlotComboId, cards.at(1)));
        EXPECT_EQ(Field(list, Sessions::kPortComboId), QStringLiteral(" <ALL>"));
        EXPECT_EQ(ListColumn(rows, 1).size(), 3);
        ASSERT_TRUE(Choose(list, Sessions::kSlotComboId, cards.at(0)));
        // One port's.
        ASSERT_TRUE(Choose(list, Sessions::kPortComboId, QStringLiteral("2")));
        Click(list, kRefreshButtonId);
        EXPECT_EQ(ListColumn(rows, 4), (QStringList{QStringLiteral("200"), QStringLiteral("100")}));
        // Refused once: the failure box with the server's reason.
        Refuse(program_, kSimRefuseNextRequest, kReqPppoeSession);
        Click(list, kRefreshButtonId);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to query\n\n(32028) Request refused by the server"));
        EXPECT_TRUE(ListColumn(rows, 0).isEmpty());
    });
    ASSERT_TRUE(program_.Command(kCmdPppoeSessions));
}

// A session in its fourth state polls; a state beyond the four, or none, shows an empty cell. The VCIs and the session
// ids sort as numbers, the Slot-Ports, the source MACs and the states as texts.
TEST_F(IgmpPppoeE2eTest, SessionStatesBeyondTheFourShowNothingAndVcisSortAsNumbers)
{
    const struct {
        uint16_t vci;
        uint32_t sessionId;
        uint32_t state;
        const char* shown;
    } sessions[] = {{100, 0x44, 4, "Poll"}, {36, 0x55, 5, ""}, {37, 0x66, 0, ""}};
    for (const auto& session : sessions) {
        PppoeSessionRec rec;
        rec.portId = 10103;
        rec.vpi = 0;
        rec.vci = session.vci;
        rec.vlanId = 100;
        rec.sessionId = session.sessionId;
        rec.state = session.state;
        e2e::WriteOnNorth1(program_, kReqPppoeSession, rec);
    }
    // One on port 4, the NE listing it last, first by its session id.
    PppoeSessionRec onPort4;
    onPort4.portId = 10104;
    onPort4.vci = 36;
    onPort4.sessionId = 0x3;
    onPort4.sourceMac = {0x00, 0x11, 0x22, 0x33, 0x44, 0x0a};
    onPort4.state = 1;
    e2e::WriteOnNorth1(program_, kReqPppoeSession, onPort4);
    // One on port 10, whose Slot-Port sorts as its text does: before port 2.
    PppoeSessionRec onPort10 = onPort4;
    onPort10.portId = 10110;
    onPort10.sessionId = 0x4;
    e2e::WriteOnNorth1(program_, kReqPppoeSession, onPort10);
    using Sessions = CPppoeSessionListDlg;
    program_.Operator().OnDialog<Sessions>([&](Sessions& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        for (const auto& session : sessions) {
            char id[16];
            std::snprintf(id, sizeof id, "0x%08x", session.sessionId);
            const int row = e2e::RowOf(rows, 5, QString::fromLatin1(id));
            ASSERT_GE(row, 0) << id;
            EXPECT_EQ(ListColumn(rows, 7).value(row), QString::fromLatin1(session.shown)) << session.state;
        }
        e2e::CProgram::ClickHeader(*rows.header(), 3);
        QStringList vcis = ListColumn(rows, 3);
        vcis.removeDuplicates();
        EXPECT_EQ(vcis, (QStringList{"35", "36", "37", "40", "100"}));
        // The rows come in another order than each of these columns'.
        const struct {
            int column;
            QStringList shown;
        } sorts[] = {
            {1, {"1-1", "1-10", "1-2", "1-3", "1-4"}},
            {5,
             {"0x00000003", "0x00000004", "0x0000002c", "0x00000044", "0x00000055", "0x00000066", "0x00001a2b",
              "0x00007f00"}},
            {6,
             {"00:00:00:00:00:00", "00:11:22:33:44:01", "00:11:22:33:44:02", "00:11:22:33:44:03", "00:11:22:33:44:0a"}},
            {7, {"", "Idle", "Init", "Poll", "Session"}},
        };
        for (const auto& sort : sorts) {
            e2e::CProgram::ClickHeader(*rows.header(), sort.column);
            QStringList shown;
            for (const QString& text : ListColumn(rows, sort.column)) {
                if (shown.isEmpty() || shown.back() != text)
                    shown << text;
            }
            EXPECT_EQ(shown, sort.shown) << sort.column;
        }
    });
    ASSERT_TRUE(program_.Command(kCmdPppoeSessions));
}

// A PPPoE state the NE holds other than 1 shows as Disabled; the session list of this NE shows its VLAN column.
TEST(PppoeDirectE2eTest, AStoredStateOtherThanOneShowsDisabled)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartAgentWith("[WordRecord.pppoe]\nrequest=510\nvalue=2\n"));
    ASSERT_TRUE(program.Login("qurim", "private"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("127.0.0.1")));
    const RecordReply<WordRecord> held = CRecordRequests().Query<WordRecord>(kReqPppoe, 1);
    ASSERT_TRUE(held.Ok() && !held.records.empty());
    ASSERT_EQ(held.records.front().value, 2u);
    bool shown = false;
    program.Operator().OnDialog<CPppoeSettingDlg>([&](CPppoeSettingDlg& setting) {
        shown = true;
        EXPECT_TRUE(e2e::IsChecked(setting, CPppoeSettingDlg::kDisabledId));
        EXPECT_FALSE(e2e::IsChecked(setting, CPppoeSettingDlg::kEnabledId));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdPppoe));
    EXPECT_TRUE(shown);
    // Its model's flags keep the VLAN column of the session list.
    shown = false;
    program.Operator().OnDialog<CPppoeSessionListDlg>([&](CPppoeSessionListDlg& list) {
        shown = true;
        EXPECT_FALSE(list.FindList(kListControlId)->isColumnHidden(CPppoeSessionListDlg::kVlanColumn));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdPppoeSessions));
    EXPECT_TRUE(shown);
}

// In direct mode the NE's own proxy setting, from its popup in the tree: the question comes before the input is taken,
// and the NE holds what was written.
class IgmpDirectE2eTest : public e2e::CDirectNeTest {};

TEST_F(IgmpDirectE2eTest, TheNesProxySettingIsAskedForThenCheckedAndWritten)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CIgmpProxyDlg>([&](CIgmpProxyDlg& proxy) {
        Check(proxy, CIgmpProxyDlg::kEnabledId);
        Type(proxy, CIgmpProxyDlg::kIntervalId, QStringLiteral("300"));
        person.AnswerBox(IDYES);
        Click(proxy, IDOK);
        EXPECT_EQ(person.boxTexts.size(), 1u);
        EXPECT_EQ(MessageLine(proxy), QStringLiteral("Please enter an integer between 0 and 255."));
        Type(proxy, CIgmpProxyDlg::kIntervalId, QStringLiteral("20"));
        person.AnswerBox(IDYES);
        Click(proxy, IDOK);
        EXPECT_TRUE(proxy.IsEnded()) << MessageLine(proxy).toStdString();
    });
    ASSERT_FALSE(program_.RightClickTreeItem(program_.TreeItem(QStringLiteral("127.0.0.1")), kCmdIgmpProxy).empty());
    const RecordReply<IgmpProxyRec> held = CRecordRequests().Query<IgmpProxyRec>(kReqIgmpProxy, 1);
    ASSERT_TRUE(held.Ok());
    ASSERT_FALSE(held.records.empty());
    EXPECT_EQ(held.records.front().adminState, 1u);
    EXPECT_EQ(held.records.front().queryResponseInterval, 20);
}

} // namespace
