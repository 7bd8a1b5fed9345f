// Trunk port PM in the running program: from the trunk port list the operator opens a trunk port's traffic counters,
// watches them change with auto-refresh and draws one counter live, against the simulated server; a refresh the
// server refuses shows its failure box and leaves the counters unshown.

#include "tests/e2e/support/e2e_harness.h"

#include "features/performance/graphs/pm_graph_dlg.h"
#include "features/performance/pm/trunk_port_pm_dlg.h"
#include "features/provisioning/trunk/trunk_port_list_dlg.h"
#include "link/records/trunk_pm_rec.h"
#include "link/records/word_record.h"
#include "sim/server/sim_control.h"

#include <QTreeView>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdTrunkPorts = 33173;
constexpr uint32_t kPort1 = 10501;
using e2e::Check;
using e2e::Click;
using e2e::Field;
using Pm = CTrunkPortPmDlg;

QString Cell(CADialog& dialog, int row, int column)
{
    return e2e::ListColumn(*dialog.FindList(kListControlId), column).value(row);
}

TrunkPmRec ServerCounters(e2e::CProgram& program, uint32_t port)
{
    const auto body = EncodeRecord(WordRecord{port});
    const auto records = program.QueryServer(kReqTrunkPm, 1, {body.begin(), body.end()}, kWordRecordSize);
    TrunkPmRec rec;
    if (records.size() != 1 || !DecodeRecord(records[0].data(), records[0].size(), &rec))
        ADD_FAILURE() << "the server has no counters of trunk port " << port;
    return rec;
}

// Opens the PM of the trunk port list's first port and runs the script on it.
template <class Script> void OnPortPm(e2e::CProgram& program, Script script)
{
    e2e::COperator& person = program.Operator();
    person.OnDialog<CTrunkPortListDlg>([&](CTrunkPortListDlg& ports) {
        program.ClickListRow(*ports.FindList(kListControlId), 0);
        person.OnDialog<Pm>(script);
        Click(ports, CTrunkPortListDlg::kPmButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdTrunkPorts));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

TEST(TrunkPmE2eTest, ATrunkPortsCountersChangeWithAutoRefreshAndFeedTheLiveGraph)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer({.args = {}, .iniExtra = "[DIALOG]\nDIALOGREFRESHTIME=1\n"}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    OnPortPm(program, [&](Pm& pm) {
        EXPECT_EQ(Field(pm, Pm::kPortComboId), QStringLiteral("GE1"));
        EXPECT_TRUE(Field(pm, Pm::kEntityNameId).contains(QStringLiteral("GE1")));
        // Six rows of counters, incoming and outgoing, as the server counts them.
        EXPECT_EQ(e2e::ListColumn(*pm.FindList(kListControlId), Pm::kIncomingColumn).size(), 6);
        const uint64_t octets = Cell(pm, 0, Pm::kIncomingColumn).toULongLong();
        EXPECT_GT(octets, 0u);
        EXPECT_GT(Cell(pm, 1, Pm::kOutgoingColumn).toULongLong(), 0u);
        const TrunkPmRec server = ServerCounters(program, kPort1);
        EXPECT_GE(server.incoming.unicastPackets, Cell(pm, 1, Pm::kIncomingColumn).toULongLong());
        EXPECT_FALSE(pm.IsControlEnabled(Pm::kGraphButtonId)) << "no graph without auto-refresh";

        // Auto-refresh: Refresh goes grey, the counters change.
        Check(pm, Pm::kAutoRefreshId);
        EXPECT_FALSE(pm.IsControlEnabled(kRefreshButtonId));
        EXPECT_TRUE(program.WaitUntil([&] { return Cell(pm, 0, Pm::kIncomingColumn).toULongLong() != octets; }));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(pm, QStringLiteral("trunk_port_pm")));

        // The live graph of the octets: totals and differences in and out; the first differences are 0.
        program.ClickListRow(*pm.FindList(kListControlId), 0);
        EXPECT_TRUE(pm.IsControlEnabled(Pm::kGraphButtonId));
        person.OnDialog<CPmGraphDlg>([&](CPmGraphDlg& graph) {
            EXPECT_EQ(graph.GetSeriesCount(), 4u);
            EXPECT_TRUE(graph.IsRightAxis(1));
            EXPECT_FALSE(graph.IsRightAxis(2));
            EXPECT_TRUE(program.WaitUntil([&] { return graph.PointCount(0) >= 3; }));
            const std::vector<double> each = graph.Values(1);
            EXPECT_EQ(each.front(), 0.0);
            EXPECT_EQ(graph.Values(3).front(), 0.0);
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(graph, QStringLiteral("trunk_port_pm_graph")));
            return IDOK;
        });
        Click(pm, Pm::kGraphButtonId);
        Check(pm, Pm::kAutoRefreshId, false);
        EXPECT_TRUE(pm.IsControlEnabled(kRefreshButtonId));
        EXPECT_FALSE(pm.IsControlEnabled(Pm::kGraphButtonId));
        return IDCANCEL;
    });
}

TEST(TrunkPmE2eTest, ARefreshTheServerRefusesShowsWhyAndNoCounters)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    OnPortPm(program, [&](Pm& pm) {
        EXPECT_TRUE(person.boxTexts.empty());
        server_test::CRawClient& probe = program.ServerProbe();
        const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextRequest, kReqTrunkPm, 0, 0});
        EXPECT_TRUE(probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
        Click(pm, kRefreshButtonId);
        EXPECT_EQ(person.boxTexts,
                  std::vector<QString>{QStringLiteral("Fail to query\n\n(32028) Request refused by the server")});
        EXPECT_FALSE(pm.IsEnded());
        EXPECT_EQ(Cell(pm, 0, Pm::kIncomingColumn), QStringLiteral("--"));
        Click(pm, kRefreshButtonId);
        EXPECT_NE(Cell(pm, 0, Pm::kIncomingColumn), QStringLiteral("--"));
        return IDCANCEL;
    });
}

} // namespace
