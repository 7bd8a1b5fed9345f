// The geographic map's refresh: which table changes make it place its nodes again. Its nodes, drags, topology and
// search are tested end to end (tests/e2e/geo_map_e2e_test.cpp).

#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "platform/scripted_runners.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/map/geo_view.h"
#include "ui/shell/map/map_node_item.h"

#include <memory>

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

    ScopedModels models_;
    ScopedWorkDir work_;
    ScriptedModalRunner dialogs_;
    ScriptedMessageBoxes boxes_;
    FakeFrameHost host_;
    CMainFrame frame_{host_};
};

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

} // namespace
