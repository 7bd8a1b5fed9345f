// Right-clicking the tree in the running program: every kind of item pops the popup of its kind from the menus of the
// login's mode.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/tree/group_view.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool Offers(const std::vector<int>& offered, std::initializer_list<int> ids)
{
    return std::all_of(ids.begin(), ids.end(),
                       [&](int id) { return std::find(offered.begin(), offered.end(), id) != offered.end(); });
}

bool OffersNone(const std::vector<int>& offered, std::initializer_list<int> ids)
{
    return std::none_of(ids.begin(), ids.end(),
                        [&](int id) { return std::find(offered.begin(), offered.end(), id) != offered.end(); });
}

// Command ids of the popups.
constexpr int kShowLocation = 33136, kModifyLocation = 33016, kAddSubLocation = 33062, kDeleteLocation = 33009,
              kLocationList = 33095, kAddNe = 33063, kAddUser = 33064, kShowUser = 33137, kModifyUser = 33018,
              kShowNe = 33083, kModifyNe = 33017, kPingFromClient = 33074, kPingFromServer = 33148,
              kActiveAlarm = 33029, kNeList = 33048;

TEST(TreeContextMenus, ServerModeOffersTheServerPopupOfEachKind)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    QTreeWidgetItem* root = program.Tree().Tree()->topLevelItem(0);
    QTreeWidgetItem* north = program.TreeItem(QStringLiteral("North"));
    ASSERT_TRUE(root != nullptr && north != nullptr && north->childCount() >= 2);

    EXPECT_TRUE(Offers(program.RightClickTreeItem(root), {kAddSubLocation, kLocationList}));
    EXPECT_TRUE(
        Offers(program.RightClickTreeItem(north), {kShowLocation, kModifyLocation, kAddSubLocation, kDeleteLocation}));
    EXPECT_TRUE(Offers(program.RightClickTreeItem(north->child(0)), {kAddNe}));
    EXPECT_TRUE(Offers(program.RightClickTreeItem(north->child(1)), {kAddUser}));
    EXPECT_TRUE(Offers(program.RightClickTreeItem(program.TreeItem(QStringLiteral("North-1"))),
                       {kShowNe, kModifyNe, kCmdDeleteNe, kPingFromClient, kPingFromServer, kActiveAlarm}));
    EXPECT_TRUE(
        Offers(program.RightClickTreeItem(program.TreeItem(QStringLiteral("north"))), {kShowUser, kModifyUser}));
}

TEST(TreeContextMenus, DirectModeOffersTheDirectPopupOfEachKind)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartAgent());
    ASSERT_TRUE(program.Login("qurim", "private"));
    const std::vector<int> ne = program.RightClickTreeItem(program.TreeItem(QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(Offers(ne, {kShowNe, kPingFromClient, kActiveAlarm}));
    // What only a server does is not offered.
    EXPECT_TRUE(OffersNone(ne, {kModifyNe, kCmdDeleteNe, kPingFromServer}));
    // Root and the NEs folder list the NE, and nothing a server keeps.
    QTreeWidgetItem* root = program.Tree().Tree()->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    for (QTreeWidgetItem* folder : {root, root->child(0)}) {
        const std::vector<int> offered = program.RightClickTreeItem(folder);
        EXPECT_EQ(offered, std::vector<int>{kNeList}) << folder->text(0).toStdString();
    }
    // The NE's selection shows its shelves; a shelf pops its model's popup.
    QTreeWidgetItem* shelf = program.TreeItem(QStringLiteral("shelf:1"));
    ASSERT_NE(shelf, nullptr);
    EXPECT_TRUE(Offers(program.RightClickTreeItem(shelf), {kActiveAlarm}));
}

// How many popups the operator has been shown so far.
size_t PopupsShown(e2e::CProgram& program)
{
    return program.Operator().Popups().Offered().size();
}

// A right click on the tree's blank area pops the empty popup the menus keep for it, in either mode; where there are
// commands the popup offers them.
TEST(TreeContextMenus, TheBlankAreaPopsTheEmptyPopupOfNoItem)
{
    for (const bool direct : {false, true}) {
        SCOPED_TRACE(direct ? "direct mode" : "server mode");
        e2e::CProgram program;
        ASSERT_TRUE(direct ? program.StartAgent() : program.StartServer());
        ASSERT_TRUE(direct ? program.Login("qurim", "private") : program.Login("admin", "admin"));
        QTreeWidget& tree = *program.Tree().Tree();
        QTreeWidgetItem* root = tree.topLevelItem(0);
        ASSERT_NE(root, nullptr);
        // The blank area below the items.
        tree.collapseAll();
        ASSERT_EQ(tree.itemAt(1, tree.viewport()->height() - 2), nullptr);
        const size_t shown = PopupsShown(program);
        EXPECT_TRUE(program.RightClickTreeItem(nullptr).empty());
        EXPECT_EQ(PopupsShown(program), shown + 1);
        EXPECT_FALSE(program.RightClickTreeItem(direct ? program.TreeItem(QStringLiteral("127.0.0.1")) : root).empty());
        EXPECT_EQ(PopupsShown(program), shown + 2);
    }
}

} // namespace

namespace {

TEST(TreeDeleteNe, DeleteNeFromTheTreesPopupRemovesItOnTheServerAndInTheTree)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    QTreeWidgetItem* ne = program.TreeItem(QStringLiteral("North-1"));
    ASSERT_NE(ne, nullptr);
    program.ClickTreeItem(ne);
    const uint32_t neId = program.Frame().GetCurrentNeId();
    ASSERT_NE(neId, 0u);

    program.Operator().AnswerBox(IDYES);
    program.RightClickTreeItem(program.TreeItem(QStringLiteral("North-1")), kCmdDeleteNe);
    EXPECT_TRUE(program.WaitUntil([&] { return AppData().nes.FindNeById(neId) == nullptr; }));
    EXPECT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("North-1")) == nullptr; }));
    // The server no longer lists it.
    for (const auto& record : program.QueryServer(kReqNeKeyAll, 0, std::vector<uint8_t>(1), 1))
        EXPECT_NE(record[0], neId);
}

} // namespace
