// Trunk port PM in the running program: from the trunk port list the operator opens a trunk port's traffic counters,
// watches them change with auto-refresh and draws one counter live, against the simulated server; a refresh the
// server refuses shows its failure box and leaves the counters unshown. From the Performance menu on the NE and from
// the control module's popup on the front panel it closes with "Internal error"; on a line port it opens; in server and
// in direct mode. The live graph's points carry no time: its grid's first column stays empty.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/platform/drawn_cell_text.h"

#include "core/entity/entity_index.h"
#include "core/tables/ne_table.h"
#include "features/performance/graphs/pm_graph_dlg.h"
#include "features/performance/pm/trunk_port_pm_dlg.h"
#include "features/provisioning/trunk/trunk_port_list_dlg.h"
#include "link/records/trunk_pm_rec.h"
#include "link/records/word_record.h"
#include "sim/server/sim_control.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/panel/frame_view.h"

#include <QTableView>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdTrunkPorts = 33173;
constexpr int kCmdTrunkPortPm = 33075;
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
        EXPECT_EQ(e2e::ListTitles(*pm.FindList(kListControlId)).join('|'), QStringLiteral("Item|Incoming|Outgoing"));
        EXPECT_EQ(e2e::ListColumn(*pm.FindList(kListControlId), 0).join('|'),
                  QStringLiteral("Octets|Unicast Packets|Non-Unicast Packets|Discarded Packets|Erroneous Packets|PAUSE "
                                 "Frame"));
        const uint64_t octets = Cell(pm, 0, Pm::kIncomingColumn).toULongLong();
        EXPECT_GT(octets, 0u);
        EXPECT_GT(Cell(pm, 1, Pm::kOutgoingColumn).toULongLong(), 0u);
        const TrunkPmRec server = ServerCounters(program, kPort1);
        EXPECT_GE(server.incoming.unicastPackets, Cell(pm, 1, Pm::kIncomingColumn).toULongLong());
        EXPECT_FALSE(pm.IsControlEnabled(Pm::kGraphButtonId)) << "no graph without auto-refresh";
        // The list's popup: Refresh, Export and Close.
        QTreeView& rows = *pm.FindList(kListControlId);
        EXPECT_EQ(program.RightClickListRow(rows, 0), (std::vector<int>{33084, 33024, 33023}));

        // Auto-refresh: Refresh goes grey, in the popup too, the counters change.
        Check(pm, Pm::kAutoRefreshId);
        EXPECT_FALSE(pm.IsControlEnabled(kRefreshButtonId));
        EXPECT_EQ(program.RightClickListRow(rows, 0), (std::vector<int>{33024, 33023}));
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
            // The grid: no time in the first column, every value drawn whole as the octets grow.
            const QTableView& grid = *graph.findChild<QTableView*>();
            for (int row = 0; row < grid.model()->rowCount(); ++row)
                EXPECT_EQ(grid.model()->index(row, 0).data().toString(), QString()) << "row " << row;
            EXPECT_EQ(CDrawnCellText::Cut(grid).join('|').toStdString(), "");
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
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
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

// Where the command is offered: the menu on the NE, on a line port, and on the control module under the pointer on the
// panel (the panel's own popup is that of the NE it shows).
enum class From { kNe, kLinePort, kModuleOnPanel };

struct TrunkPmPlace {
    bool direct;
    From from;
};

std::string PlaceName(const ::testing::TestParamInfo<TrunkPmPlace>& info)
{
    static const char* const kFrom[] = {"Ne", "LinePort", "ModuleOnPanel"};
    return std::string(info.param.direct ? "Direct" : "Server") + kFrom[static_cast<int>(info.param.from)];
}

class TrunkPmPlacesE2eTest : public ::testing::TestWithParam<TrunkPmPlace> {};

// The NE and the control module are no port: "Internal error", and the dialog closes. A line port is a port: the
// dialog opens on it, its shelf chosen.
TEST_P(TrunkPmPlacesE2eTest, OnlyAPortIsATarget)
{
    const TrunkPmPlace place = GetParam();
    e2e::CProgram program;
    if (place.direct) {
        ASSERT_TRUE(program.StartAgent());
        ASSERT_TRUE(program.Login("qurim", "private"));
    } else {
        ASSERT_TRUE(program.StartServer());
        ASSERT_TRUE(program.Login("admin", "admin"));
    }
    const QString neItem = place.direct ? QStringLiteral("127.0.0.1") : QStringLiteral("North-1");
    program.ClickTreeItem(program.TreeItem(neItem));
    const uint32_t neId = program.Frame().GetCurrentNeId();
    const CNeRecord* ne = FindNeById(neId);
    ASSERT_NE(ne, nullptr);
    const CEntityIndex linePort = CEntityIndex::FromLevels(1, 1, 1, 3);
    const bool port = place.from == From::kLinePort;
    e2e::COperator& person = program.Operator();
    bool opened = false;
    person.OnDialog<Pm>([&](Pm& pm) {
        opened = true;
        EXPECT_EQ(pm.IsEnded(), !port);
        EXPECT_EQ(e2e::MessageLine(pm), port ? QString() : QStringLiteral("Internal error"));
        if (port) {
            // The combos list trunk ports: the line port's shelf, and the first trunk port there, whose counters show.
            EXPECT_EQ(pm.GetTargetEntity().index, linePort);
            EXPECT_EQ(Field(pm, Pm::kShelfComboId), QStringLiteral("1"));
            EXPECT_EQ(Field(pm, Pm::kPortComboId), QStringLiteral("GE1"));
            EXPECT_NE(Cell(pm, 0, Pm::kIncomingColumn), QStringLiteral("--"));
        } else {
            e2e::CProgram::SaveScreenshot(pm, QStringLiteral("trunk_port_pm_no_port"));
        }
        return IDCANCEL;
    });
    switch (place.from) {
    case From::kNe:
        ASSERT_TRUE(program.Command(kCmdTrunkPortPm));
        break;
    case From::kLinePort: {
        program.Frame().SetCurrentEntity(neId, &linePort);
        ASSERT_TRUE(program.Command(kCmdTrunkPortPm));
        break;
    }
    case From::kModuleOnPanel: {
        program.ClickViewTab(QStringLiteral("Rack"));
        program.Settle();
        auto* panel = dynamic_cast<CFrameView*>(program.Frame().GetRightView());
        ASSERT_NE(panel, nullptr);
        const QRect module = panel->EntityRect(CwmModuleIndex(1, ne->neModelId));
        ASSERT_FALSE(module.isEmpty());
        program.MoveMouse(*panel->Canvas(), module.topLeft() + QPoint(3, 3));
        EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), CwmModuleIndex(1, ne->neModelId));
        ASSERT_TRUE(program.Command(kCmdTrunkPortPm));
        break;
    }
    }
    EXPECT_TRUE(opened);
    // The dialog that closes says why in a box as well.
    EXPECT_EQ(person.boxTexts, port ? std::vector<QString>{} : std::vector<QString>{QStringLiteral("Internal error")});
}

INSTANTIATE_TEST_SUITE_P(Places, TrunkPmPlacesE2eTest,
                         ::testing::Values(TrunkPmPlace{false, From::kNe}, TrunkPmPlace{false, From::kLinePort},
                                           TrunkPmPlace{false, From::kModuleOnPanel}, TrunkPmPlace{true, From::kNe},
                                           TrunkPmPlace{true, From::kLinePort}, TrunkPmPlace{true, From::kModuleOnPanel}),
                         PlaceName);

} // namespace
