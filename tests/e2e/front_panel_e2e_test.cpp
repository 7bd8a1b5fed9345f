// The front panel of the running program: an NE selected in the tree shows its panel in the Rack view with the
// alarm colours the server reports, the entity under the mouse becomes the frame's current entity, and the picture
// is exported as a bitmap.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/panel/frame_view.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

CFrameView* ShowPanel(e2e::CProgram& program, const QString& ne)
{
    program.ClickTreeItem(program.TreeItem(ne));
    program.ClickViewTab(QStringLiteral("Rack"));
    program.Settle();
    return dynamic_cast<CFrameView*>(program.Frame().GetRightView());
}

TEST(FrontPanelE2eTest, SelectingAnNeShowsItsPanel)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.Frame().resize(1280, 800);
    CFrameView* panel = ShowPanel(program, QStringLiteral("North-1"));
    ASSERT_NE(panel, nullptr) << program.Frame().GetRightViewCode() << " " << program.Frame().GetCurrentNeId() << " "
                              << (program.TreeItem(QStringLiteral("North-1")) != nullptr);
    program.Settle();
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("front_panel_ipd12")));
    panel = ShowPanel(program, QStringLiteral("South-1"));
    ASSERT_NE(panel, nullptr);
    program.Settle();
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("front_panel_ipd48")));
}

} // namespace
