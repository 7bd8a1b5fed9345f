// View switching of the frame: the view tabs by item kind and link mode, the right-hand view by tab, the refresh of
// the pane views by the timer, and the About and Topology views.

#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "core/tables/app_data.h"
#include "link/server_message_dispatcher.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/shell/frame/about_view.h"
#include "ui/shell/frame/frame_dialog_bar.h"
#include "ui/shell/frame/frame_views.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/frame/topo_view.h"

#include <QApplication>
#include <QTabBar>

#include <thread>

#include <gtest/gtest.h>

using namespace frame_test;

namespace {

// Refreshes in order, by view code.
std::vector<int>& RefreshLog()
{
    static std::vector<int> log;
    return log;
}

// Whether another thread could take the dispatch lock during each refresh.
std::vector<bool>& LockFreeDuringRefresh()
{
    static std::vector<bool> log;
    return log;
}

class FakeView : public CAFormView {
public:
    FakeView(int code, QWidget* parent) : CAFormView(0, parent), code_(code) {}
    void RefreshData() override
    {
        RefreshLog().push_back(code_);
        bool free = false;
        std::thread([&free] {
            free = LockDispatch(0);
            if (free)
                UnlockDispatch();
        }).join();
        LockFreeDuringRefresh().push_back(free);
    }
    int Code() const { return code_; }
    // The view's own commands: it takes 57636 (Search) and leaves everything else.
    int OnCommandHook(int id, int) override
    {
        commands.push_back(id);
        return id == 57636 ? 1 : 0;
    }
    std::vector<int> commands;

private:
    int code_;
};

int CodeOf(CAFormView* view)
{
    if (auto* fake = dynamic_cast<FakeView*>(view))
        return fake->Code();
    if (dynamic_cast<CAboutView*>(view) != nullptr)
        return kViewAbout;
    if (dynamic_cast<CTopoView*>(view) != nullptr)
        return kViewTopology;
    return 0;
}

class MainFrameViewTest : public ::testing::Test {
protected:
    MainFrameViewTest()
    {
        for (int code : {kViewRack, kViewGeographics, kViewTree, kViewAlarmSummary, kViewTrapLog})
            SetFrameViewFactory(code, [code](QWidget* parent, IViewHost&) { return new FakeView(code, parent); });
        RefreshLog().clear();
        LockFreeDuringRefresh().clear();
        AddTestNe({.id = 1, .name = "A"});
    }
    ~MainFrameViewTest() override
    {
        for (int code : {kViewRack, kViewGeographics, kViewTree, kViewAlarmSummary, kViewTrapLog})
            SetFrameViewFactory(code, nullptr);
    }

    std::unique_ptr<CMainFrame> MakeFrame()
    {
        auto frame = std::make_unique<CMainFrame>(host_);
        RefreshLog().clear();
        LockFreeDuringRefresh().clear();
        return frame;
    }

    ScopedModels models_;
    ScopedWorkDir work_;
    FakeFrameHost host_;
};

// The tabs of each kind of tree item in both modes are tested end to end (tests/e2e/tree_e2e_test.cpp); here, the
// views the frame chooses when a kind has no tabs or does not offer the view asked for.
TEST_F(MainFrameViewTest, AKindWithoutTabsShowsAboutAndAViewNotOfferedTheFirstTab)
{
    auto frame = MakeFrame();
    // InitFrame: kind 0 and the current view kept, which is none, so the first tab's view.
    EXPECT_EQ(frame->GetRightViewCode(), kViewGeographics);
    EXPECT_EQ(CodeOf(frame->GetRightView()), kViewGeographics);
    // Another kind that offers the current view keeps it on its own tab.
    frame->SelectView(4, kKeepCurrentView);
    EXPECT_EQ(frame->DialogBar()->Tabs()->currentIndex(), 1);
    EXPECT_EQ(frame->GetRightViewCode(), kViewGeographics);

    frame->SelectView(7, kKeepCurrentView);
    EXPECT_EQ(frame->DialogBar()->Tabs()->count(), 0);
    EXPECT_TRUE(frame->DialogBar()->Tabs()->isHidden());
    EXPECT_EQ(frame->GetRightViewCode(), kViewAbout);
    EXPECT_EQ(CodeOf(frame->GetRightView()), kViewAbout);
    const ViewTabTable& table = frame->GetViewTabTable();
    EXPECT_TRUE(std::all_of(table.begin(), table.end(), [](uint8_t code) { return code == kNoTab; }));

    frame->SelectView(5, kViewTrapLog);
    EXPECT_FALSE(frame->DialogBar()->Tabs()->isHidden());
    EXPECT_EQ(frame->GetRightViewCode(), kViewTrapLog);
    frame->SelectView(1, kViewRack);
    EXPECT_EQ(frame->GetRightViewCode(), kViewGeographics);
}

TEST_F(MainFrameViewTest, SameKindWithKeepLeavesTabsAndView)
{
    auto frame = MakeFrame();
    frame->SelectView(4, kViewTrapLog);
    CAFormView* view = frame->GetRightView();
    frame->SelectView(4, kKeepCurrentView);
    frame->SelectView(4, kViewTrapLog);
    EXPECT_EQ(frame->GetRightView(), view);
    EXPECT_EQ(frame->GetRightViewCode(), kViewTrapLog);
    // 250 while the first tab's view is shown changes nothing either.
    frame->SelectView(4, kSelectFirstTab);
    EXPECT_EQ(frame->GetRightViewCode(), kViewRack);
    view = frame->GetRightView();
    frame->SelectView(4, kSelectFirstTab);
    EXPECT_EQ(frame->GetRightView(), view);
}

TEST_F(MainFrameViewTest, AKeptViewOfTheCodeIsOnlyRefreshed)
{
    auto frame = MakeFrame();
    CAFormView* geo = frame->GetRightView();
    ASSERT_EQ(CodeOf(geo), kViewGeographics);
    // After a re-login the frame forgets the view code; the Geographics view shown is kept and refreshed.
    frame->InitFrame();
    EXPECT_EQ(frame->GetRightView(), geo);
    EXPECT_EQ(RefreshLog(), (std::vector<int>{kViewGeographics}));
}

TEST_F(MainFrameViewTest, ViewsRefreshOnTheTicksOfTheRefreshPeriod)
{
    AppSettings().frameRefreshTime = 10;
    auto frame = MakeFrame();
    std::vector<uint32_t> ticks;
    for (int i = 0; i < 25; ++i) {
        const size_t before = RefreshLog().size();
        frame->OnTimer(kFrameTimer);
        if (RefreshLog().size() != before)
            ticks.push_back(frame->GetTickCounter());
    }
    EXPECT_EQ(ticks, (std::vector<uint32_t>{1, 11, 21}));
    EXPECT_EQ(frame->GetRefreshCount(), 3u);
    // The views read the tables while the dispatcher cannot change them.
    EXPECT_EQ(LockFreeDuringRefresh(), std::vector<bool>(9, false));
    // Right view first, then the tree, then the alarm summary.
    EXPECT_EQ(std::vector<int>(RefreshLog().begin(), RefreshLog().begin() + 3),
              (std::vector<int>{kViewGeographics, kViewTree, kViewAlarmSummary}));
}

TEST_F(MainFrameViewTest, PostedRefreshRunsAtOnce)
{
    auto frame = MakeFrame();
    frame->StopFrameTimers(); // only the posted tick runs
    frame->SetTickCounter(4);
    frame->PostRefreshNow();
    EXPECT_TRUE(RefreshLog().empty());
    QApplication::processEvents();
    EXPECT_EQ(RefreshLog().size(), 3u);
    EXPECT_EQ(frame->GetTickCounter(), 5u);
}

TEST_F(MainFrameViewTest, ChangeFlagsAreClearedAfterARefreshUnlessADialogIsOpen)
{
    auto frame = MakeFrame();
    auto raise = [] {
        CAppData& app = AppData();
        app.neListChanged = app.neNamesChanged = app.neAddressesChanged = true;
        app.locationTreeChanged = app.mapsChanged = true;
    };
    raise();
    {
        CADialog dialog(9200);
        dialog.Create();
        ASSERT_EQ(GetCurrentDialog(), &dialog);
        frame->RefreshViews();
        EXPECT_TRUE(AppData().neListChanged);
        EXPECT_TRUE(AppData().mapsChanged);
        dialog.DestroyWindow();
    }
    // The Location Indicator is up, but it is no dialog that holds the flags.
    frame->show();
    ASSERT_TRUE(frame->GetLocationIndicatorFlag());
    frame->RefreshViews();
    const CAppData& app = AppData();
    EXPECT_FALSE(app.neListChanged || app.neNamesChanged || app.neAddressesChanged || app.locationTreeChanged ||
                 app.mapsChanged);
}

TEST_F(MainFrameViewTest, AboutAndTopologyViews)
{
    SetFrameViewFactory(kViewGeographics, nullptr);
    auto frame = MakeFrame();
    // Without a Geographics view of its own the About view stands in.
    EXPECT_NE(dynamic_cast<CAboutView*>(frame->GetRightView()), nullptr);

    CTopoView topo(*frame);
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 1, 2);
    frame->SetCurrentEntity(1, &port);
    topo.RefreshData();
    EXPECT_EQ(topo.GetNeId(), 1);
    EXPECT_EQ(topo.GetTargetEntity().id, 1u);
    frame->SetCurrentEntity(0, nullptr);
    topo.RefreshData();
    EXPECT_EQ(topo.GetNeId(), 0);
    EXPECT_EQ(topo.GetTargetEntity().id, 0u);
}

// A command reaches the active view first; what the view leaves goes on to the frame's own handling, once.
TEST_F(MainFrameViewTest, TheActiveViewTakesItsCommandsFirst)
{
    auto frame = MakeFrame();
    auto* tree = dynamic_cast<FakeView*>(frame->GetTreeView());
    ASSERT_NE(tree, nullptr);
    SetActiveFormView(tree);
    tree->commands.clear();
    EXPECT_TRUE(frame->OnCommand(57636));
    EXPECT_EQ(tree->commands, (std::vector<int>{57636}));
    frame->OnCommand(33090);
    EXPECT_EQ(tree->commands, (std::vector<int>{57636, 33090})) << "offered once, not again on the way back";
    SetActiveFormView(nullptr);
}

} // namespace
