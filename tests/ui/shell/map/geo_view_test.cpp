// The geographic map's refresh: which table changes make it place its nodes again; the NE a Ctrl-click leaves current;
// the Edit button's switch. Its nodes, drags, topology and search are tested end to end
// (tests/e2e/geo_map_e2e_test.cpp).

#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "core/config/app_settings.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_tree.h"
#include "core/util/severity.h"
#include "link/records/entity_state_rec.h"
#include "link/records/record_codec.h"
#include "link/server/server_dispatch_rules.h"
#include "link/server_message_dispatcher.h"
#include "platform/scripted_runners.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/frame/text_colors.h"
#include "ui/shell/map/geo_view.h"
#include "ui/shell/map/map_node_item.h"
#include "ui/shell/map/map_node_stacks.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

using namespace frame_test;

namespace {

class GeoViewTest : public ::testing::Test {
protected:
    GeoViewTest()
    {
        AddTestNe({.id = 1, .name = "Alpha"});
        AddTestNe({.id = 2, .name = "Beta"});
    }

    std::unique_ptr<CGeoView> MakeView()
    {
        auto view = std::make_unique<CGeoView>(frame_);
        view->resize(600, 400);
        view->OnInitialUpdate();
        return view;
    }

    // The states arrive as the server sends them: through the dispatcher, which applies them at once on this thread.
    void ApplyStates(uint32_t neId, const std::vector<EntityStateRec>& states)
    {
        SetUiThreadId(std::this_thread::get_id());
        InstallServerDispatchRules(AppData(), {});
        const std::vector<uint8_t> records = EncodeRecords(states);
        EmsMsg msg;
        msg.operation = kEmsOpReply;
        msg.requestCode = kReqEntityState;
        msg.neId = neId;
        msg.recordSize = kEntityStateRecSize;
        msg.count = static_cast<int32_t>(states.size());
        msg.total = static_cast<uint32_t>(msg.count);
        msg.records = records.data();
        DispatchServerMessage(&msg);
        RemoveServerDispatchRules();
    }

    // A connected state of the card in slot 1 of shelf 1 and of one of its ports, the port's alarm of a severity.
    static std::vector<EntityStateRec> PortAlarm(const CNeRecord& ne, int32_t severity, int port = 0)
    {
        const CEntityNode* card = ne.root->GetChild(0)->GetChild(0);
        EntityStateRec cardState;
        cardState.entityId = card->GetEntityId();
        cardState.onlineType = card->GetPlannedType();
        cardState.severity = kSeverityServerCleared;
        EntityStateRec portState;
        portState.entityId = card->GetChild(port)->GetEntityId();
        portState.severity = severity;
        return {cardState, portState};
    }

    // What the window shows of the map, and what painting the whole map again shows.
    static QImage ShownOnScreen(CGeoView& view)
    {
        const QWidget& viewport = *view.Canvas()->viewport();
        const QPoint corner = viewport.mapTo(&view, QPoint(0, 0));
        return QGuiApplication::primaryScreen()
            ->grabWindow(view.winId(), corner.x(), corner.y(), viewport.width(), viewport.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    static QImage PaintedWhole(CGeoView& view)
    {
        return view.Canvas()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // The window repaints at its next frame, not at once: a part left unpainted stays so and the wait runs out.
    static bool ShowsWhatAWholePaintShows(CGeoView& view)
    {
        return QTest::qWaitFor([&] { return ShownOnScreen(view) == PaintedWhole(view); });
    }

    QColor NeColorOf(int severity) const { return ToQColor(ColorOfSeverity(frame_.TextColors().ne, severity)); }

    ScopedModels models_;
    ScopedWorkDir work_;
    ScriptedModalRunner dialogs_;
    ScriptedMessageBoxes boxes_;
    FakeFrameHost host_;
    CMainFrame frame_{host_};
};

// Without MAP keys the map's background is 0xC0C0C0 (grey); a configured colour is taken as it stands.
TEST_F(GeoViewTest, TheBackgroundIsGreyUnlessConfigured)
{
    EXPECT_EQ(MakeView()->Canvas()->backgroundBrush().color(), QColor(0xC0, 0xC0, 0xC0));
    WriteText(ConfigFilePath(), "[MAP]\nBKCOLOR=0x0000FF\n");
    EXPECT_EQ(MakeView()->Canvas()->backgroundBrush().color(), QColor(0xFF, 0x00, 0x00)) << "red in the low byte";
}

TEST_F(GeoViewTest, OnlyTableChangesAfterTheBuildPlaceTheNodesAgain)
{
    AppData().MarkLocationTreeChanged(); // as the login's table loads, before the frame makes the view
    auto view = MakeView();
    ASSERT_NE(view->NodeOf(1), nullptr);
    constexpr int kMarkKey = 50;
    view->NodeOf(1)->setData(kMarkKey, true); // gone when the node is made again
    view->RefreshData();
    ASSERT_NE(view->NodeOf(1), nullptr);
    EXPECT_TRUE(view->NodeOf(1)->data(kMarkKey).toBool()) << "placed once";

    AddTestNe({.id = 3, .name = "Gamma"});
    AppData().MarkLocationTreeChanged();
    view->RefreshData();
    EXPECT_NE(view->NodeOf(3), nullptr);
}

// A left click makes the node's NE the frame's; with Ctrl it adds the node to the selection or takes it out, and the
// NE of the last node still selected becomes the frame's, none when no other is.
TEST_F(GeoViewTest, CtrlClickingTheOnlySelectedNodeLeavesNoCurrentNe)
{
    for (auto [id, longitude, latitude] : {std::tuple{1U, -100.0F, 40.0F}, std::tuple{2U, 100.0F, -40.0F}}) {
        CNeRecord* ne = AppData().nes.FindNeById(id);
        ne->workLongitude = ne->storedLongitude = longitude;
        ne->workLatitude = ne->storedLatitude = latitude;
    }
    auto view = MakeView();
    view->show();
    QWidget* canvas = view->Canvas()->viewport();
    const auto pointOf = [&](uint32_t neId) {
        return view->Canvas()->mapFromScene(view->NodeOf(neId)->sceneBoundingRect().center());
    };
    ASSERT_NE(pointOf(1), pointOf(2));

    QTest::mouseClick(canvas, Qt::LeftButton, {}, pointOf(1));
    EXPECT_EQ(frame_.GetCurrentNeId(), 1U);
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, pointOf(2));
    EXPECT_EQ(frame_.GetCurrentNeId(), 2U) << "added to the selection";
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, pointOf(2));
    EXPECT_EQ(frame_.GetCurrentNeId(), 1U) << "taken out: the other selected";
    EXPECT_FALSE(view->NodeOf(2)->isSelected());
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, pointOf(1));
    EXPECT_EQ(frame_.GetCurrentNeId(), 0U) << "the only selected taken out";
    EXPECT_FALSE(view->NodeOf(1)->isSelected());
}

// Search NE: the text and every name in upper case unless Match Case is ticked; with Match Full Name the name must be
// the text, otherwise hold it; From the Beginning starts at the first node, otherwise after the current NE's node,
// and Search Next goes on after it. A search that finds nothing says "Data not found" and changes nothing.
TEST_F(GeoViewTest, SearchFollowsCaseFullNameAndWhereItStarts)
{
    AddTestNe({.id = 3, .name = "alphabet"});
    auto view = MakeView();
    view->show();
    struct Row {
        const char* text;
        int32_t full;
        int32_t matchCase;
        int32_t fromBeginning;
        uint32_t found; // 0: none, the current NE stays
    };
    const Row rows[] = {
        {"ALPHA", 1, 0, 1, 1},  // the whole name without regard to case: Alpha, not alphabet
        {"alpha", 1, 1, 1, 0},  // the whole name in its case: none
        {"alphab", 0, 1, 1, 3}, // part of the name in its case
        {"ALPHAB", 0, 1, 1, 0}, // in another case: none
        {"eta", 0, 0, 1, 2},    // part of the name without regard to case: Beta
        {"eta", 0, 0, 0, 0},    // after Beta: none
        {"eta", 0, 0, 1, 2},    // from the first node again
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " " + std::to_string(row.full) + std::to_string(row.matchCase) +
                     std::to_string(row.fromBeginning));
        const uint32_t before = frame_.GetCurrentNeId();
        const size_t boxesBefore = dialogs_.Runs().size();
        view->SetSearchDialogRunner([&](SearchDlgSettings& settings) {
            settings.text = QString::fromLatin1(row.text);
            settings.matchFullName = row.full;
            settings.matchCase = row.matchCase;
            settings.fromBeginning = row.fromBeginning;
            return true;
        });
        view->OnSearch();
        EXPECT_EQ(frame_.GetCurrentNeId(), row.found != 0 ? row.found : before);
        EXPECT_EQ(dialogs_.Runs().size(), boxesBefore + (row.found != 0 ? 0 : 1)) << "the box of Data not found";
    }
    // Search Next goes on after the node found: from Alpha, whose name holds no other "alpha" case aside but alphabet.
    view->SetSearchDialogRunner([](SearchDlgSettings& settings) {
        settings = {QStringLiteral("alpha"), 0, 0, 1};
        return true;
    });
    view->OnSearch();
    const uint32_t first = frame_.GetCurrentNeId();
    ASSERT_TRUE(first == 1 || first == 3) << first;
    view->OnSearchNext();
    EXPECT_EQ(frame_.GetCurrentNeId(), first == 1 ? 3u : 1u);
}

// MAP/EDITBUTTON 1 shows the Edit button; 0, another value and no key at all (0 then) leave it hidden.
TEST_F(GeoViewTest, TheEditButtonShowsOnlyWithEditButtonOne)
{
    const struct {
        const char* config;
        bool shown;
    } cases[] = {{"", false},
                 {"[MAP]\nINCLSUBNE=1\n", false},
                 {"[MAP]\nEDITBUTTON=0\n", false},
                 {"[MAP]\nEDITBUTTON=1\n", true},
                 {"[MAP]\nEDITBUTTON=2\n", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.config);
        WriteText(ConfigFilePath(), c.config);
        auto view = MakeView();
        view->show();
        const QWidget* edit = view->findChild<QWidget*>(QStringLiteral("edit%1").arg(CGeoView::kEditButtonId));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->isVisible(), c.shown);
    }
}

TEST_F(GeoViewTest, AMapBuiltAgainSizesEachNodeToTheNameItShows)
{
    auto view = MakeView();
    const QSizeF alphaSize = view->NodeOf(1)->boundingRect().size();
    const QSizeF betaSize = view->NodeOf(2)->boundingRect().size();
    ASSERT_EQ(AppData().nes.RenameNe(2, "Beta, a longer name"), NeResult::kOk);

    AppData().mapsChanged = true; // the maps' definitions read again: the nodes are made anew
    view->RefreshData();
    EXPECT_EQ(view->NodeOf(1)->boundingRect().size(), alphaSize);
    EXPECT_EQ(view->NodeOf(2)->Text(), QStringLiteral("Beta, a longer name"));
    EXPECT_GT(view->NodeOf(2)->boundingRect().width(), betaSize.width()) << "the new name is measured";
}

TEST_F(GeoViewTest, ANodeFollowsAnAlarmRaisedAndClearedOnAPortOfItsNeAndNoOtherNodeIsLookedAt)
{
    auto view = MakeView();
    CNeRecord& alpha = *FindNeById(1);
    CNeRecord& beta = *FindNeById(2);
    CMapNodeItem& alphaNode = *view->NodeOf(1);
    CMapNodeItem& betaNode = *view->NodeOf(2);
    const int quietIcon = alphaNode.ImageIndex();
    ASSERT_EQ(quietIcon, frame_.GetEntityStateIcon(1, 0));

    // A change made behind the dispatcher's back is no change the refresh is told of: Beta's node keeps its look.
    beta.root->severity = kSeverityCritical;
    const int betaIcon = betaNode.ImageIndex();
    ASSERT_NE(frame_.GetEntityStateIcon(2, 0), betaIcon);

    ApplyStates(1, PortAlarm(alpha, kSeverityCritical));
    view->RefreshData();
    EXPECT_EQ(alphaNode.ImageIndex(), frame_.GetEntityStateIcon(1, 0));
    EXPECT_NE(alphaNode.ImageIndex(), quietIcon) << "the port's alarm shows on its NE";
    EXPECT_EQ(alphaNode.TextColor(), ToQColor(frame_.GetNeTextColor(&alpha)));
    EXPECT_EQ(betaNode.ImageIndex(), betaIcon) << "only the changed NE's node is refreshed";

    ApplyStates(1, PortAlarm(alpha, kSeverityServerCleared));
    view->RefreshData();
    EXPECT_EQ(alphaNode.ImageIndex(), quietIcon);
    EXPECT_EQ(alphaNode.TextColor(), ToQColor(frame_.GetNeTextColor(&alpha)));
    EXPECT_EQ(alphaNode.Text(), QStringLiteral("Alpha"));
    EXPECT_EQ(view->NodeOf(1), &alphaNode) << "the node is kept, not made again";
}

TEST_F(GeoViewTest, ANodeShowsTheGravestAlarmLeftOnItsNeAsStatesComeAndGo)
{
    auto view = MakeView();
    const CNeRecord& alpha = *FindNeById(1);
    CMapNodeItem& node = *view->NodeOf(1);
    const QColor quiet = node.TextColor();

    struct Step {
        int port;
        int severity;
        int shown; // the gravest alarm left on the NE
    };
    const Step steps[] = {
        {0, kSeverityMinor, kSeverityMinor},           {1, kSeverityCritical, kSeverityCritical},
        {0, kSeverityMajor, kSeverityCritical},        {1, kSeverityServerCleared, kSeverityMajor},
        {0, kSeverityServerCleared, kSeverityCleared},
    };
    for (const Step& step : steps) {
        ApplyStates(1, PortAlarm(alpha, step.severity, step.port));
        view->RefreshData();
        const QColor expected = step.shown == kSeverityCleared ? quiet : NeColorOf(step.shown);
        EXPECT_EQ(node.TextColor(), expected) << "port " << step.port << " severity " << step.severity;
        EXPECT_EQ(node.TextColor(), ToQColor(frame_.GetNeTextColor(&alpha))) << "as the tree shows the NE";
        EXPECT_EQ(node.ImageIndex(), frame_.GetEntityStateIcon(1, 0));
    }
}

TEST_F(GeoViewTest, ANodesTipIsItsNesAddressAndAnEmptyPlaceHasNone)
{
    auto view = MakeView();
    view->show();
    view->NodeOf(2)->PlaceCentreAt({200, 150});
    QGraphicsView& canvas = *view->Canvas();
    const auto askTip = [&](QPoint point) {
        QHelpEvent help(QEvent::ToolTip, point, canvas.viewport()->mapToGlobal(point));
        QApplication::sendEvent(canvas.viewport(), &help);
    };
    for (const uint32_t neId : {1U, 2U}) {
        const CMapNodeItem& node = *view->NodeOf(neId);
        askTip(canvas.mapFromScene(node.sceneBoundingRect().center()));
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text(), QStringLiteral("10.0.0.%1").arg(neId));
    }
    const QPoint empty = canvas.mapFromScene(QPointF(400, 300));
    ASSERT_EQ(canvas.itemAt(empty), nullptr);
    askTip(empty);
    QDeadlineTimer bound(2000);
    while (QToolTip::isVisible() && !bound.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(QToolTip::isVisible());
}

// A crowded map, its nodes overlapping, repainted where the states of NEs all over it changed: what the window shows
// is what painting the whole map again shows.
TEST_F(GeoViewTest, ACrowdedMapRepaintedAfterStatesChangeShowsWhatAWholePaintShows)
{
    constexpr uint32_t kNes = 48;
    for (uint32_t id = 3; id <= kNes; ++id)
        AddTestNe({.id = id, .name = "NE-" + std::to_string(id * 37)});
    auto view = MakeView();
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    for (uint32_t id = 1; id <= kNes; ++id)
        view->NodeOf(id)->PlaceCentreAt({40.0 + 23 * ((id - 1) % 8), 30.0 + 17 * ((id - 1) / 8)});
    const auto shown = [&] { return ShownOnScreen(*view); };
    const auto showsWhatAWholePaintShows = [&] { return ShowsWhatAWholePaintShows(*view); };
    ASSERT_TRUE(showsWhatAWholePaintShows());
    const QImage before = shown();

    // Nodes all over the map change their look: their states, a longer and a shorter name, a colour, a selection.
    for (const uint32_t neId : {2U, 12U, 21U, 40U, 47U})
        ApplyStates(neId, PortAlarm(*FindNeById(neId), kSeverityCritical));
    view->RefreshData();
    view->NodeOf(9)->SetText(QStringLiteral("A much longer name"));
    view->NodeOf(30)->SetText(QStringLiteral("N"));
    view->NodeOf(44)->SetTextColor(Qt::red);
    view->NodeOf(19)->setSelected(true);
    EXPECT_TRUE(showsWhatAWholePaintShows());
    EXPECT_NE(shown(), before) << "the changed nodes look otherwise";

    ApplyStates(21, PortAlarm(*FindNeById(21), kSeverityServerCleared));
    view->RefreshData();
    view->NodeOf(9)->SetText(QStringLiteral("NE-333"));
    view->NodeOf(19)->setSelected(false);
    view->NodeOf(44)->SetTextColor(Qt::black);
    EXPECT_TRUE(showsWhatAWholePaintShows());
}

// The NEs of a site share its place: a pile of nodes where only the top one can be seen. The nodes wholly under it
// are not painted, a state change of their NEs repaints nothing, and what the window shows is what a whole paint of
// the map shows as the pile changes.
TEST_F(GeoViewTest, APileOfNodesPaintsWhatCanBeSeenOfItAndAChangeUnderItsTopRepaintsNothing)
{
    constexpr uint32_t kNes = 12;
    for (uint32_t id = 3; id <= kNes; ++id)
        AddTestNe({.id = id, .name = "NE-" + std::to_string(100 + id)}); // names of one width
    auto view = MakeView();
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->NodeOf(1)->PlaceCentreAt({60, 60});
    view->NodeOf(2)->PlaceCentreAt({140, 60});
    std::vector<CMapNodeItem*> pile;
    for (uint32_t id = 3; id <= kNes; ++id) {
        pile.push_back(view->NodeOf(id));
        pile.back()->PlaceCentreAt({200, 150});
    }
    std::sort(pile.begin(), pile.end(), [](auto* a, auto* b) { return a->PlaceOrder() < b->PlaceOrder(); });
    const auto buriedCount = [&] {
        return std::count_if(pile.begin(), pile.end(), [](const CMapNodeItem* node) { return node->Buried(); });
    };
    EXPECT_FALSE(pile.back()->Buried()) << "the top of the pile shows";
    EXPECT_EQ(buriedCount(), static_cast<long>(pile.size()) - 1);
    EXPECT_FALSE(view->NodeOf(1)->Buried());
    // A buried node is an item without contents: the scene passes it over when it paints, and keeps nothing of it.
    const auto contentsFollowBurial = [&] {
        return std::all_of(pile.begin(), pile.end(), [](const CMapNodeItem* node) {
            return ((node->flags() & QGraphicsItem::ItemHasNoContents) != 0) == node->Buried();
        });
    };
    EXPECT_TRUE(contentsFollowBurial());

    QGraphicsView& canvas = *view->Canvas();
    const auto shown = [&] { return ShownOnScreen(*view); };
    const auto paintedWhole = [&] { return PaintedWhole(*view); };
    const auto showsWhatAWholePaintShows = [&] { return ShowsWhatAWholePaintShows(*view); };
    ASSERT_TRUE(showsWhatAWholePaintShows());

    // An alarm on an NE under the top, and a colour of its name, change nothing that can be seen: the map asks for
    // no repaint at all.
    QSignalSpy repaints(canvas.scene(), &QGraphicsScene::changed);
    const QImage before = shown();
    CMapNodeItem& under = *pile[pile.size() / 2];
    const int underIcon = under.ImageIndex();
    ApplyStates(under.NeId(), PortAlarm(*FindNeById(under.NeId()), kSeverityCritical));
    view->RefreshData();
    ASSERT_NE(under.ImageIndex(), underIcon) << "the buried node took the alarm's look";
    under.SetTextColor(Qt::red);
    QTest::qWait(50);
    EXPECT_EQ(repaints.count(), 0);
    EXPECT_EQ(paintedWhole(), before);

    // The same on the top shows.
    ApplyStates(pile.back()->NeId(), PortAlarm(*FindNeById(pile.back()->NeId()), kSeverityCritical));
    view->RefreshData();
    EXPECT_TRUE(QTest::qWaitFor([&] { return repaints.count() > 0; }));
    pile.back()->SetTextColor(Qt::red);
    EXPECT_TRUE(showsWhatAWholePaintShows());
    EXPECT_NE(shown(), before);

    // The top dragged away: the node under it is the new top, and shows its alarm.
    pile.back()->PlaceCentreAt({320, 150});
    EXPECT_FALSE(pile.back()->Buried());
    EXPECT_FALSE(pile[pile.size() - 2]->Buried());
    EXPECT_EQ(buriedCount(), static_cast<long>(pile.size()) - 2);
    EXPECT_TRUE(showsWhatAWholePaintShows());

    // A node under the top is selected: its selection shows. Deselected, it is buried again.
    under.setSelected(true);
    EXPECT_FALSE(under.Buried());
    EXPECT_TRUE(showsWhatAWholePaintShows());
    under.setSelected(false);
    EXPECT_TRUE(under.Buried());
    EXPECT_TRUE(contentsFollowBurial());

    // A longer name sticks out of the pile and shows; the top's shorter name leaves the ones under it showing.
    under.SetText(QStringLiteral("NE-under, renamed longer"));
    EXPECT_FALSE(under.Buried());
    pile[pile.size() - 2]->SetText(QStringLiteral("N"));
    EXPECT_FALSE(pile[pile.size() - 3]->Buried());
    EXPECT_TRUE(showsWhatAWholePaintShows());
}

// A drag of many selected nodes onto a pile: the nodes of the pile under the arriving ones are buried, as they are
// when nodes arrive one by one.
// ---------------------------------------------------------------------------------------------------------------
// The map follows each change of the tables by what changed.

void AddLocation(uint32_t id, uint32_t parent, const std::string& name)
{
    CLocationNode node;
    node.id = id;
    node.parentId = parent;
    node.name = name;
    ASSERT_EQ(AppData().locations.UpsertLocation(node), LocationResult::kOk);
    AppData().SetUserLocationScope(0);
    AppData().MarkLocationTreeChanged();
}

void MoveNe(CNeRecord& ne, float longitude, float latitude)
{
    ne.storedLongitude = ne.workLongitude = longitude;
    ne.storedLatitude = ne.workLatitude = latitude;
    ne.newOrMoved = 1;
}

const TableChange kTableChanges[] = {
    {"NeAdded",
     [] {
         CNeRecord* ne = AddTestNe({.id = 5, .name = "Echo", .location = 3});
         MoveNe(*ne, 20, 10);
         ne->changeCounter = 1;
         AppData().MarkNeListChanged();
     }},
    {"NeRemoved",
     [] {
         AppData().nes.RemoveNe(2);
         AppData().MarkNeListChanged();
     }},
    {"NeRenamed",
     [] {
         ChangeNe(2, [](CNeRecord&) { AppData().nes.RenameNe(2, "Beta, a longer name"); });
         AppData().neNamesChanged = true;
     }},
    {"NeMovedOnTheMap", [] { ChangeNe(2, [](CNeRecord& ne) { MoveNe(ne, -40, -20); }); }},
    {"NeToALocationOffTheMap", [] { ChangeNe(2, [](CNeRecord& ne) { ne.locationId = 4; }); }},
    {"NeStateChanged",
     [] {
         CNeRecord* ne = FindNeById(2);
         ne->root->severity = kSeverityCritical;
         ne->neSeverity = CEntityNode::GetSummarySeverityById(ne, 1);
         ++ne->changeCounter;
         AppData().MarkAlarmStateChanged();
     }},
    {"LocationAddedBelowTheMapsWithItsNe",
     [] {
         AddTestNe({.id = 6, .name = "Foxtrot", .location = 7});
         AddLocation(7, 3, "Cape");
     }},
    {"LocationMovedBelowTheMapsWithItsNe", [] { AddLocation(4, 1, "South"); }},
    {"LocationMovedAwayWithItsNe", [] { AddLocation(3, 4, "Dock"); }},
    {"LocationRemovedWithItsNe",
     [] {
         AppData().locations.RemoveLocation(3);
         AppData().SetUserLocationScope(0);
         AppData().MarkLocationTreeChanged();
     }},
};

// What the map shows of each NE.
std::map<uint32_t, QString> Shown(const CGeoView& view)
{
    std::map<uint32_t, QString> shown;
    for (const CMapNodeItem* node : view.Nodes()) {
        shown[node->NeId()] = QStringLiteral("%1 image=%2 colour=%3 at %4,%5")
                                  .arg(node->Text())
                                  .arg(node->ImageIndex())
                                  .arg(node->TextColor().name())
                                  .arg(node->Centre().x())
                                  .arg(node->Centre().y());
    }
    return shown;
}

class GeoViewChangeTest : public GeoViewTest, public ::testing::WithParamInterface<TableChange> {};

TEST_P(GeoViewChangeTest, TheMapEndsAsABuildWouldKeepingTheNodesOfWhatStaysAndTheSelection)
{
    // The map of North, which shows the NEs of Dock below it too; South is elsewhere.
    AddLocation(1, 0, "North");
    AddLocation(3, 1, "Dock");
    AddLocation(4, 0, "South");
    ChangeNe(1, [](CNeRecord& ne) {
        ne.locationId = 1;
        MoveNe(ne, 10, 50);
    });
    ChangeNe(2, [](CNeRecord& ne) {
        ne.locationId = 3;
        MoveNe(ne, -10, 30);
    });
    AddTestNe({.id = 3, .name = "Gamma", .location = 3});
    AddTestNe({.id = 4, .name = "Delta", .location = 4});
    frame_.SetCurrentLocation(1);
    frame_.SetCurrentEntity(1, nullptr);
    auto view = MakeView();
    view->RefreshData();
    AppData().neListChanged = AppData().locationTreeChanged = false;
    ASSERT_NE(view->NodeOf(1), nullptr);
    ASSERT_TRUE(view->NodeOf(1)->isSelected());
    ASSERT_EQ(view->NodeOf(4), nullptr);
    std::map<uint32_t, const CMapNodeItem*> before;
    for (const CMapNodeItem* node : view->Nodes())
        before[node->NeId()] = node;

    GetParam().apply();
    view->RefreshData();

    auto built = MakeView();
    EXPECT_EQ(Shown(*view), Shown(*built));
    for (const CMapNodeItem* node : view->Nodes()) {
        // The node of an NE shown before is the same node.
        const auto found = before.find(node->NeId());
        if (found != before.end()) {
            EXPECT_EQ(node, found->second) << node->NeId();
        }
    }
    ASSERT_NE(view->NodeOf(1), nullptr);
    EXPECT_TRUE(view->NodeOf(1)->isSelected());
}

INSTANTIATE_TEST_SUITE_P(EachChange, GeoViewChangeTest, ::testing::ValuesIn(kTableChanges), TableChangeName);

TEST(MapNodeStacksTest, NodesMovedTogetherOntoAPileBuryTheNodesUnderThem)
{
    const CMapNodeStyle style;
    QGraphicsScene scene(0, 0, 800, 600);
    CMapNodeStacks stacks;
    const auto place = [&](uint32_t id, const QString& name, QPointF centre) {
        auto* node = new CMapNodeItem(id, style);
        node->SetText(name);
        scene.addItem(node);
        node->PlaceCentreAt(centre);
        stacks.Add(*node);
        return node;
    };
    // Two nodes with a centre in common have their icons at one place when their widths are both even or both odd.
    const auto widthOf = [&](const QString& name) {
        CMapNodeItem probe(0, style);
        probe.SetText(name);
        return probe.Size().width();
    };
    const QString shortName = QStringLiteral("short");
    QString longName = QStringLiteral("a much longer name");
    while (widthOf(longName) % 2 != widthOf(shortName) % 2)
        longName += QLatin1Char('i');
    std::vector<CMapNodeItem*> below;
    for (uint32_t id = 1; id <= 10; ++id)
        below.push_back(place(id, shortName, {100, 100}));
    std::vector<CMapNodeItem*> arriving;
    for (uint32_t id = 11; id <= 60; ++id)
        arriving.push_back(place(id, longName, {400, 100}));
    ASSERT_FALSE(below.back()->Buried());
    ASSERT_TRUE(below.front()->Buried());
    ASSERT_FALSE(arriving.back()->Buried());
    {
        const CMapNodeStacks::Batch batch(stacks);
        for (CMapNodeItem* node : arriving)
            node->PlaceCentreAt({100, 100});
    }
    for (const CMapNodeItem* node : below)
        EXPECT_TRUE(node->Buried());
    EXPECT_FALSE(arriving.back()->Buried());

    // The top node taken off the map: the one under it shows.
    delete arriving.back();
    arriving.pop_back();
    EXPECT_FALSE(arriving.back()->Buried());
    EXPECT_TRUE(below.back()->Buried());
}

} // namespace
