// What the operator sees first on the run command: the sample world's locations on their maps with their NEs on the
// pictures, and the sample NEs' front panels, at the sizes of an operator's screen.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/map/geo_view.h"
#include "ui/shell/map/map_node_item.h"
#include "ui/shell/panel/frame_view.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kRunWorld = std::string(TARVIK_RESOURCES_DIR) + "/sim/server_scenario.ini";

class RunWorldE2eTest : public ::testing::TestWithParam<QSize> {
protected:
    void SetUp() override
    {
        e2e::PeerOptions options;
        options.args = {"--scenario", kRunWorld, "--alarm-rate", "0"};
        ASSERT_TRUE(program.StartServer(options));
        ASSERT_TRUE(program.Login("admin", "admin"));
        program.Frame().resize(GetParam());
        program.Settle();
    }
    QString Suffix() const { return QStringLiteral("_%1x%2").arg(GetParam().width()).arg(GetParam().height()); }

    e2e::CProgram program;
};

TEST_P(RunWorldE2eTest, EachLocationShowsItsNesOnItsMapPicture)
{
    for (const char* location : {"Headquarters", "North", "South"}) {
        SCOPED_TRACE(location);
        program.ClickTreeItem(program.TreeItem(QString::fromLatin1(location)));
        program.ClickViewTab(QStringLiteral("Geographics"));
        auto* map = dynamic_cast<CGeoView*>(program.Frame().GetRightView());
        ASSERT_NE(map, nullptr);
        EXPECT_NE(map->MapId(), 0u) << "a map of its own";
        ASSERT_FALSE(map->Picture().isNull());
        ASSERT_FALSE(map->Nodes().empty());
        // Each NE's node apart from the others, so that every name can be read.
        for (const CMapNodeItem* node : map->Nodes()) {
            for (const CMapNodeItem* other : map->Nodes()) {
                if (other != node) {
                    EXPECT_FALSE(node->sceneBoundingRect().intersects(other->sceneBoundingRect()))
                        << node->Text().toStdString() << " on " << other->Text().toStdString();
                }
            }
        }
        for (const CMapNodeItem* node : map->Nodes()) {
            // On the picture, not on its edge where the NEs beyond the bounds go.
            EXPECT_GT(node->Centre().x(), 20.0) << node->Text().toStdString();
            EXPECT_LT(node->Centre().x(), map->Picture().width() - 20.0) << node->Text().toStdString();
            EXPECT_GT(node->Centre().y(), 20.0) << node->Text().toStdString();
            EXPECT_LT(node->Centre().y(), map->Picture().height() - 20.0) << node->Text().toStdString();
        }
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(),
                                                  QStringLiteral("run_world_map_%1").arg(location) + Suffix()));
    }
}

TEST_P(RunWorldE2eTest, TheSampleNesShowTheirPanels)
{
    for (const char* ne : {"North-DSLAM-1", "South-DSLAM-1"}) {
        SCOPED_TRACE(ne);
        QTreeWidgetItem* item = program.TreeItem(QString::fromLatin1(ne));
        program.ClickTreeItem(item);
        program.ClickViewTab(QStringLiteral("Rack"));
        program.Settle();
        // The tree shows every name whole, the NE's deep as it lies, in the narrow pane.
        const QTreeWidget& tree = *item->treeWidget();
        const int icon = tree.iconSize().isValid() ? tree.iconSize().width() : 16;
        EXPECT_GE(tree.visualItemRect(item).width(), icon + tree.fontMetrics().horizontalAdvance(item->text(0)) + 8)
            << "the column cuts the NE's name";
        // And the pane shows it without scrolling.
        EXPECT_LE(tree.visualItemRect(item).left() + icon + tree.fontMetrics().horizontalAdvance(item->text(0)),
                  tree.viewport()->width())
            << "the pane cuts the NE's name";
        auto* panel = dynamic_cast<CFrameView*>(program.Frame().GetRightView());
        ASSERT_NE(panel, nullptr);
        // The chassis fills the view's width or its height.
        const QRect chassis = panel->EntityRect(CEntityIndex::FromLevels(1));
        ASSERT_FALSE(chassis.isEmpty());
        EXPECT_TRUE(chassis.width() >= panel->Picture().width() - 2 ||
                    chassis.height() >= panel->Picture().height() - 2);
        EXPECT_TRUE(
            e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("run_world_panel_%1").arg(ne) + Suffix()));
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, RunWorldE2eTest, ::testing::Values(QSize(1280, 800), QSize(1152, 720)));

} // namespace
