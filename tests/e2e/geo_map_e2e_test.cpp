// The geographic map of the running program: a location's NEs on its map, dragged and saved to the server, which
// keeps them there across a new login; searched and exported; and a save the server refuses.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "core/tables/ne_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/request_codes.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/map/geo_view.h"
#include "ui/shell/map/map_node_item.h"

#include "sim/server/sim_control.h"
#include "ui/shell/search/search_dlg.h"

#include <QFile>
#include <QGraphicsView>
#include <QKeySequence>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// North's map (7 in the test world): the town map of the samples, 800 pixels a degree east, 1250 a degree south.
const char* const kTestMaps = "[MAP]\nCOUNT=1\nMAP1=7,North-Town,10.3,11.3,60.1,59.7,.\\Map\\north_city.png\n";

class GeoMapE2eTest : public ::testing::Test {
protected:
    CGeoView* ShowNorthMap()
    {
        program.ClickTreeItem(program.TreeItem(QStringLiteral("North")));
        program.ClickViewTab(QStringLiteral("Geographics"));
        return dynamic_cast<CGeoView*>(program.Frame().GetRightView());
    }
    bool Start(const std::string& user = "admin", const char* maps = kTestMaps)
    {
        e2e::PeerOptions options;
        options.iniExtra = "[SYSTEM]\nMAPDEFFILE=.\\Map\\Test.dat\n";
        if (!program.StartServer(options))
            return false;
        WriteText(program.WorkDir().Path() / "Map" / "Test.dat", maps);
        WriteText(program.WorkDir().Path() / "Map" / "broken.png", "no picture");
        if (!program.Login(user, user))
            return false;
        program.Frame().resize(1280, 800);
        program.Settle();
        return true;
    }
    // Where a node is on the screen.
    static QPoint OnScreen(CGeoView& view, const CMapNodeItem& node)
    {
        return view.Canvas()->mapFromScene(node.Centre() - QPointF(0, 4));
    }
    NeKeyRecord ServerNe(uint32_t neId)
    {
        for (const NeKeyRecord& rec : program.ServerRecords<NeKeyRecord>(kReqNeKeyAll))
            if (rec.neId == neId)
                return rec;
        ADD_FAILURE() << "no NE " << neId;
        return {};
    }

    e2e::CProgram program;
};

TEST_F(GeoMapE2eTest, ADraggedNeStaysWhereItWasDroppedAfterSaveTopology)
{
    ASSERT_TRUE(Start());
    CGeoView* view = ShowNorthMap();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->MapId(), 7u);
    CMapNodeItem* node = view->NodeOf(1);
    ASSERT_NE(node, nullptr);
    // North-1 stands at 10.75 E, 59.91 N.
    EXPECT_NEAR(node->Centre().x(), 360.0, 1.0);
    EXPECT_NEAR(node->Centre().y(), 237.5, 1.0);
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("geo_map")));

    // A drag of 160 pixels east and 100 south: a fifth of a degree east, 0.08 south.
    QWidget& canvas = *view->Canvas()->viewport();
    const QPoint from = OnScreen(*view, *node);
    program.Drag(canvas, from, from + QPoint(160, 100));
    const CNeRecord* ne = AppData().nes.FindNeById(1);
    ASSERT_NE(ne, nullptr);
    EXPECT_NEAR(ne->workLongitude, 10.95, 0.005);
    EXPECT_NEAR(ne->workLatitude, 59.83, 0.005);
    EXPECT_EQ(ne->savePending, 1u);
    EXPECT_NEAR(ServerNe(1).longitude, 10.75, 0.001) << "nothing is sent before Save Topology";

    program.RightClickAt(canvas, QPoint(5, 5), CGeoView::kCmdSaveTopology);
    EXPECT_NEAR(ServerNe(1).longitude, 10.95, 0.005);
    EXPECT_NEAR(ServerNe(1).latitude, 59.83, 0.005);
    EXPECT_EQ(AppData().nes.FindNeById(1)->savePending, 0u);

    // Logged out and in again, the NE is where it was dropped.
    program.Operator().AnswerBox(IDYES);
    program.Operator().PushLogin(app_test::LoginInput{.user = "admin", .password = "admin"});
    ASSERT_TRUE(program.Command(CEmsApp::kCmdLogout));
    ASSERT_TRUE(program.WaitUntil([&] { return program.Frame().isVisible(); }));
    view = ShowNorthMap();
    ASSERT_NE(view, nullptr);
    node = view->NodeOf(1);
    ASSERT_NE(node, nullptr);
    EXPECT_NEAR(node->Centre().x(), 520.0, 2.0);
    EXPECT_NEAR(node->Centre().y(), 337.5, 2.0);
}

TEST_F(GeoMapE2eTest, AMoveAnotherWorkstationSavesReachesTheMapAtTheNextRefresh)
{
    ASSERT_TRUE(Start());
    CGeoView* view = ShowNorthMap();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->NodeOf(1), nullptr);
    NeKeyRecord moved = ServerNe(1);
    moved.longitude = 10.5F;
    moved.latitude = 60.0F;
    const auto bytes = EncodeRecord(moved);
    server_test::CRawClient& probe = program.ServerProbe();
    const std::optional<Frame> reply =
        probe.ReplyTo(probe.Send(2, kReqNeKey, 1, {bytes.begin(), bytes.end()}, kNeKeyRecordSize));
    ASSERT_TRUE(reply && reply->header.status == 0);
    // 10.5 E, 60.0 N on the town map: 160 pixels east, 125 south.
    EXPECT_TRUE(program.WaitUntil([&] {
        const CMapNodeItem* node = view->NodeOf(1);
        return node != nullptr && std::abs(node->Centre().x() - 160.0) < 1.0 &&
               std::abs(node->Centre().y() - 125.0) < 1.0;
    }));
    EXPECT_EQ(view->Nodes().size(), 1u) << "the node moved, no other came";
}

TEST_F(GeoMapE2eTest, ARefusedSaveKeepsTheMoveWaitingAndRestoreTopologyPutsTheNodeBack)
{
    ASSERT_TRUE(Start());
    CGeoView* view = ShowNorthMap();
    ASSERT_NE(view, nullptr);
    QWidget& canvas = *view->Canvas()->viewport();
    CMapNodeItem* node = view->NodeOf(1);
    ASSERT_NE(node, nullptr);
    const QPointF home = node->Centre();
    program.Drag(canvas, OnScreen(*view, *node), OnScreen(*view, *node) + QPoint(-100, 40));
    ASSERT_EQ(AppData().nes.FindNeById(1)->savePending, 1u);

    // The server refuses the change: the operator is told why, the move still waits, the server keeps its place.
    server_test::CRawClient& probe = program.ServerProbe();
    const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, kReqNeKey, 0, 0});
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
    program.RightClickAt(canvas, QPoint(5, 5), CGeoView::kCmdSaveTopology);
    ASSERT_EQ(program.Operator().boxTexts.size(), 1u);
    EXPECT_EQ(program.Operator().LastBoxText(),
              QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
    EXPECT_EQ(AppData().nes.FindNeById(1)->savePending, 1u);
    EXPECT_NEAR(ServerNe(1).longitude, 10.75, 0.001);

    // Restore Topology: the node goes back where the server has it, and nothing is sent; Save Topology then sends
    // the place shown, the server's own.
    program.RightClickAt(canvas, QPoint(5, 5), CGeoView::kCmdRestoreTopology);
    node = view->NodeOf(1);
    ASSERT_NE(node, nullptr);
    EXPECT_NEAR(node->Centre().x(), home.x(), 1.0);
    EXPECT_NEAR(node->Centre().y(), home.y(), 1.0);
    EXPECT_NEAR(ServerNe(1).longitude, 10.75, 0.001);
    program.RightClickAt(canvas, QPoint(5, 5), CGeoView::kCmdSaveTopology);
    EXPECT_EQ(program.Operator().boxTexts.size(), 1u) << "no failure";
    EXPECT_EQ(AppData().nes.FindNeById(1)->savePending, 0u);
    EXPECT_NEAR(ServerNe(1).longitude, 10.75, 0.001);
    EXPECT_NEAR(view->NodeOf(1)->Centre().x(), home.x(), 1.0);
}

// Two NEs moved, the server refusing the first in name order: the save stops there and sends nothing for the second;
// the next save sends both.
TEST_F(GeoMapE2eTest, SaveTopologyStopsAtTheFirstNeTheServerRefuses)
{
    ASSERT_TRUE(Start());
    CGeoView* view = ShowNorthMap();
    ASSERT_NE(view, nullptr);
    // Another workstation puts South-1 in North, at 10.5 E, 60.0 N.
    NeKeyRecord south = ServerNe(2);
    south.locationId = 2;
    south.longitude = 10.5F;
    south.latitude = 60.0F;
    const auto bytes = EncodeRecord(south);
    server_test::CRawClient& probe = program.ServerProbe();
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqNeKey, 2, {bytes.begin(), bytes.end()}, kNeKeyRecordSize)));
    ASSERT_TRUE(program.WaitUntil([&] { return view->NodeOf(2) != nullptr; }));
    QWidget& canvas = *view->Canvas()->viewport();
    for (uint32_t neId : {1U, 2U}) {
        const QPoint from = OnScreen(*view, *view->NodeOf(neId));
        program.Drag(canvas, from, from + QPoint(0, 100));
        ASSERT_EQ(AppData().nes.FindNeById(neId)->savePending, 1u) << neId;
    }

    const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, kReqNeKey, 0, 0});
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
    program.RightClickAt(canvas, QPoint(5, 5), CGeoView::kCmdSaveTopology);
    EXPECT_EQ(program.Operator().boxTexts.size(), 1u);
    const struct {
        uint32_t neId;
        float latitude;
    } nes[] = {{1, 59.91F}, {2, 60.0F}};
    for (const auto& ne : nes) {
        EXPECT_EQ(AppData().nes.FindNeById(ne.neId)->savePending, 1u) << ne.neId;
        EXPECT_NEAR(ServerNe(ne.neId).latitude, ne.latitude, 0.001) << ne.neId;
    }
    program.RightClickAt(canvas, QPoint(5, 5), CGeoView::kCmdSaveTopology);
    EXPECT_EQ(program.Operator().boxTexts.size(), 1u) << "no failure";
    for (const auto& ne : nes) {
        EXPECT_EQ(AppData().nes.FindNeById(ne.neId)->savePending, 0u) << ne.neId;
        EXPECT_NEAR(ServerNe(ne.neId).latitude, ne.latitude - 0.08F, 0.005) << ne.neId;
    }
}

TEST_F(GeoMapE2eTest, SearchFindsANodeByNameAndExportWritesTheMap)
{
    ASSERT_TRUE(Start());
    program.ClickTreeItem(program.TreeItem(QStringLiteral("<Root>")));
    program.ClickViewTab(QStringLiteral("Geographics"));
    auto* view = dynamic_cast<CGeoView*>(program.Frame().GetRightView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->MapId(), 0u) << "the root shows the world";
    ASSERT_EQ(view->Nodes().size(), 3u) << "every NE, those of the locations below and the one of none";
    QWidget& canvas = *view->Canvas()->viewport();

    // "south" in any case, not whole: South-1, which becomes the frame's current NE.
    program.Operator().OnDialog<CSearchDlg>([](CSearchDlg& search) {
        e2e::Type(search, kSearchTextEditId, QStringLiteral("south"));
        e2e::Click(search, IDOK);
        return IDOK;
    });
    program.RightClickAt(canvas, QPoint(2, 2), CGeoView::kCmdSearch);
    EXPECT_EQ(program.Frame().GetCurrentNeId(), 2u);
    EXPECT_TRUE(view->NodeOf(2)->isSelected());
    // Search Next from there finds no other.
    program.PressKeys(QKeySequence(Qt::Key_F3));
    EXPECT_EQ(program.Operator().LastBoxText(), QStringLiteral("Data not found"));

    const QString file = QString::fromStdString((program.WorkDir().Path() / "world.svg").string());
    program.Operator().Files().PushPath(file);
    program.RightClickAt(canvas, QPoint(2, 2), CGeoView::kCmdExportTopology);
    QFile svg(file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("South-1")) << "the nodes' names are in the picture";

    // A file that cannot be written: its error, then the picture loader's box.
    const QString nowhere = QString::fromStdString((program.WorkDir().Path() / "no" / "world.svg").string());
    program.Operator().Files().PushPath(nowhere);
    const size_t before = program.Operator().PlainBoxes().Requests().size();
    program.RightClickAt(canvas, QPoint(2, 2), CGeoView::kCmdExportTopology);
    const std::vector<MessageBoxRequest>& boxes = program.Operator().PlainBoxes().Requests();
    ASSERT_EQ(boxes.size(), before + 2);
    EXPECT_TRUE(boxes[before].text.startsWith(nowhere + QStringLiteral(": ")));
    EXPECT_EQ(boxes[before + 1].caption, QStringLiteral("CIEPicture Error"));
    EXPECT_EQ(boxes[before + 1].text, QStringLiteral("Can not allocate enough memory\t"));
}

TEST_F(GeoMapE2eTest, AMapPictureThatCannotBeReadIsReportedAndTheMapShowsWithoutIt)
{
    ASSERT_TRUE(Start("admin", "[MAP]\nCOUNT=1\nMAP1=7,North-Town,10.3,11.3,60.1,59.7,.\\Map\\broken.png\n"));
    CGeoView* view = ShowNorthMap();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->MapId(), 7u);
    const std::vector<MessageBoxRequest>& boxes = program.Operator().PlainBoxes().Requests();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("CIEPicture Error"));
    EXPECT_EQ(boxes[0].text, QStringLiteral("IPicture interface is not supported\t"));
    EXPECT_NE(view->NodeOf(1), nullptr) << "the NEs are on the map all the same";
}

} // namespace
