// The frame's current selection: the state queries of a newly chosen NE, the key text, the Location Indicator; and the
// splitter sizing rule; the selection's name in the dialog bar.

#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "link/pdu_log.h"
#include "ui/shell/frame/frame_dialog_bar.h"
#include "ui/shell/frame/location_indicator_dlg.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/frame/splitter_sizes.h"

#include <QSplitter>

#include <gtest/gtest.h>

using namespace frame_test;

namespace {

class MainFrameSelectionTest : public ::testing::Test {
protected:
    MainFrameSelectionTest()
    {
        AddTestNe({.id = 1, .name = "Online"});
        AddTestNe({.id = 2, .name = "Offline", .connected = false});
        AddTestNe({.id = 3, .name = "Planned", .planned = true, .connected = false});
        AddTestNe({.id = 4, .name = "PlannedUp", .planned = true, .connected = true});
    }

    std::vector<uint16_t> SentCodes() const
    {
        std::vector<uint16_t> codes;
        for (const SentRequest& sent : host_.sentRequests)
            codes.push_back(sent.requestCode);
        return codes;
    }

    ScopedModels models_;
    ScopedWorkDir work_;
    FakeFrameHost host_;
};

TEST_F(MainFrameSelectionTest, ANewNeIsQueriedForItsAlarmsAndStatesInServerMode)
{
    CMainFrame frame(host_);
    host_.sentRequests.clear();
    const CEntityIndex neItself = CEntityIndex::FromLevels(1);

    struct Row {
        uint32_t neId;
        std::vector<uint16_t> codes;
    };
    const std::vector<Row> rows = {
        {1, {325, 323}}, // connected, not planned
        {1, {}},         // the same NE again
        {2, {325}},      // not connected
        {3, {323}},      // planned
        {4, {323}},      // planned and connected
        {99, {}},        // not in the table
        {0, {}},
    };
    for (const Row& row : rows) {
        host_.sentRequests.clear();
        frame.SetCurrentEntity(row.neId, &neItself);
        EXPECT_EQ(SentCodes(), row.codes) << row.neId;
    }

    host_.sentRequests.clear();
    frame.SetCurrentEntity(1, &neItself);
    ASSERT_EQ(host_.sentRequests.size(), 2u);
    const SentRequest& alarms = host_.sentRequests[0];
    EXPECT_EQ(alarms.operation, kEmsOpQuery);
    EXPECT_EQ(alarms.neId, 1u);
    EXPECT_EQ(alarms.record, (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(host_.sentRequests[1].record, (std::vector<uint8_t>{0}));
    // The PDU log display is held again afterwards.
    EXPECT_EQ(GetPduLogFlag(), 1);
}

TEST_F(MainFrameSelectionTest, DirectModeSendsNothing)
{
    host_.directMode = true;
    CMainFrame frame(host_);
    const CEntityIndex neItself = CEntityIndex::FromLevels(1);
    frame.SetCurrentEntity(1, &neItself);
    EXPECT_TRUE(host_.sentRequests.empty());
}

TEST_F(MainFrameSelectionTest, KeyTextIsCutToTenCharacters)
{
    CMainFrame frame(host_);
    frame.SetActivePane(2);
    frame.SetKeyText("operator-number-one");
    EXPECT_EQ(frame.GetKeyText(), "operator-n");
    EXPECT_EQ(frame.GetActivePane(), 0);
}

TEST_F(MainFrameSelectionTest, LocationIndicatorGetsTheMapPosition)
{
    CMainFrame frame(host_);
    ASSERT_NE(frame.GetLocationIndicator(), nullptr);
    frame.UpdateLocationIndicator(24.5, 60.25, 150);
    EXPECT_TRUE(frame.GetLocationIndicator()->IsControlVisible(CLocationIndicatorDlg::kLongitudeValueId));
    // The indicator is modeless and never the current dialog.
    EXPECT_EQ(GetCurrentDialog(), nullptr);
    frame.HideFrameWindows();
    EXPECT_FALSE(frame.GetLocationIndicator()->isVisible());
}

// The dialog bar names the selection: "[NE]", then " shelf", "-slot" and "-port" as deep as the selection goes.
TEST_F(MainFrameSelectionTest, TheDialogBarNamesTheSelectedNeShelfSlotAndPort)
{
    CMainFrame frame(host_);
    struct Row {
        CEntityIndex index;
        const char* text;
    };
    const Row rows[] = {
        {CEntityIndex::FromLevels(1), "[Online]"},
        {CEntityIndex::FromLevels(1, 1), "[Online] Main"},
        {CEntityIndex::FromLevels(1, 1, 1), "[Online] Main-1"},
        {CEntityIndex::FromLevels(1, 1, 1, 2), "[Online] Main-1-2"},
    };
    for (const Row& row : rows) {
        frame.SetCurrentEntity(1, &row.index);
        EXPECT_EQ(frame.DialogBar()->EntityText(), QString::fromUtf8(row.text));
    }
    frame.SetCurrentEntity(99, nullptr);
    EXPECT_EQ(frame.DialogBar()->EntityText(), QStringLiteral("[]"));
}

// --- splitters ---------------------------------------------------------------------------------------------------

struct ShareRow {
    std::vector<int> sizes;
    int pane;
    int size;
    std::optional<std::vector<int>> result;
};

TEST(SplitterShareTest, DifferenceIsSharedByThePanesBefore)
{
    const std::vector<ShareRow> rows = {
        {{510, 90}, 0, 300, std::vector<int>{300, 90}},
        {{510, 90}, 1, 190, std::vector<int>{410, 190}},
        {{510, 90}, 1, 90, std::nullopt},
        {{100, 100, 100}, 2, 161, std::vector<int>{70, 70, 161}},
        {{100, 100, 100}, 2, 101, std::nullopt}, // the share (1 / 2) truncates to 0
        {{100, 100, 100}, 2, 40, std::vector<int>{130, 130, 40}},
        {{100, 100}, 2, 50, std::nullopt},
        {{100, 100}, -1, 50, std::nullopt},
    };
    for (const ShareRow& row : rows)
        EXPECT_EQ(ShareSplitterPane(row.sizes, row.pane, row.size), row.result) << row.pane << " " << row.size;
}

TEST_F(MainFrameSelectionTest, SplitterPaneSizes)
{
    CMainFrame frame(host_);
    frame.resize(1000, 700);
    frame.setWindowState(Qt::WindowNoState);
    frame.show();
    int size = 0;
    int minimum = -1;
    ASSERT_TRUE(frame.GetSplitterPaneSize(CMainFrame::kOuterSplitter, 0, &size, &minimum));
    EXPECT_EQ(size, 200);
    EXPECT_EQ(minimum, 0);
    EXPECT_FALSE(frame.GetSplitterPaneSize(CMainFrame::kInnerSplitter, 2, &size, &minimum));
    EXPECT_FALSE(frame.GetSplitterPaneSize(2, 0, &size, &minimum));

    int tree = 0;
    int summary = 0;
    frame.GetSplitterPaneSize(CMainFrame::kInnerSplitter, 0, &tree, nullptr);
    frame.GetSplitterPaneSize(CMainFrame::kInnerSplitter, 1, &summary, nullptr);
    frame.SetSplitterPaneSize(CMainFrame::kInnerSplitter, 1, summary + 40, 20);
    int newTree = 0;
    int newSummary = 0;
    frame.GetSplitterPaneSize(CMainFrame::kInnerSplitter, 0, &newTree, nullptr);
    frame.GetSplitterPaneSize(CMainFrame::kInnerSplitter, 1, &newSummary, &minimum);
    EXPECT_EQ(newSummary, summary + 40);
    EXPECT_EQ(newTree, tree - 40);
    EXPECT_EQ(minimum, 20);

    // Splitter indexes above 1 are left alone.
    frame.SetSplitterPaneSize(5, 0, 10, 0);
    frame.GetSplitterPaneSize(CMainFrame::kOuterSplitter, 0, &size, nullptr);
    EXPECT_EQ(size, 200);
}

// Each View option flips its mark in the menu and its key in section SYSTEM of the configuration at once, and flips
// back the next time; Location Indicator also shows or hides its window.
TEST_F(MainFrameSelectionTest, EachViewOptionFlipsItsMarkItsKeyAndTheIndicatorsWindow)
{
    CMainFrame frame(host_);
    frame.show(); // the indicator of a hidden frame waits for the frame
    const struct {
        int command;
        const char* key;
    } options[] = {{32770, "LOCINDICATOR"}, {32773, "PORTTIP"}, {32769, "FOCUSFRAME"}};
    for (const auto& option : options) {
        SCOPED_TRACE(option.key);
        for (int round = 0; round < 2; ++round) {
            const bool before = frame.IsMenuItemChecked(option.command);
            frame.OnCommand(option.command);
            EXPECT_EQ(frame.IsMenuItemChecked(option.command), !before);
            const std::string written = std::string("\n") + option.key + (before ? "=0" : "=1");
            EXPECT_NE(work_.Ini().find(written), std::string::npos) << work_.Ini();
            if (option.command == 32770) {
                EXPECT_EQ(frame.GetLocationIndicator()->isVisible(), !before);
            }
        }
    }
}

} // namespace
