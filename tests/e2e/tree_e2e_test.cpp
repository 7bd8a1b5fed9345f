// The location tree of the running program: what each operator's scope shows, the tabs each kind of item brings, and
// the tree following the changes another workstation makes on the server.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "link/driver_mode.h"
#include "link/records/location_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/record_bytes.h"
#include "link/server/net_drv_server_agent.h"
#include "ui/shell/frame/frame_dialog_bar.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/tree/group_view.h"

#include <QCursor>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

namespace {

QStringList TabsAfterClick(e2e::CProgram& program, const QString& item)
{
    program.ClickTreeItem(program.TreeItem(item));
    QStringList texts;
    for (int i = 0; i < program.Frame().DialogBar()->Tabs()->count(); ++i)
        texts << program.Frame().DialogBar()->Tabs()->tabText(i);
    return texts;
}

TEST(TreeE2eTest, EachOperatorSeesTheScopeAndEachKindOfItemItsTabs)
{
    {
        e2e::CProgram program;
        ASSERT_TRUE(program.StartServer());
        ASSERT_TRUE(program.Login("admin", "admin"));
        EXPECT_EQ(program.Tree().ExportText(), QStringLiteral("LOC: <Root>\n\tNE : Spare\n\tUSR: admin\n"
                                                              "\tLOC: Headquarters\n\t\tUSR: manager\n"
                                                              "\t\tLOC: North\n\t\t\tNE : North-1\n\t\t\tUSR: north\n"
                                                              "\t\tLOC: South\n\t\t\tNE : South-1\n"));
        // Every item shows its picture, the folders too (the tree is built before the frame's pictures are set).
        ASSERT_TRUE(program.WaitUntil([&] { return !program.TreeItem(QStringLiteral("Members"))->icon(0).isNull(); }));
        for (QTreeWidgetItemIterator it(program.Tree().findChild<QTreeWidget*>()); *it != nullptr; ++it)
            EXPECT_FALSE((*it)->icon(0).isNull()) << (*it)->text(0).toStdString();
        const QStringList located{"Geographics", "Trap Log"};
        EXPECT_EQ(TabsAfterClick(program, QStringLiteral("North")), located);
        EXPECT_EQ(TabsAfterClick(program, QStringLiteral("north")), located);
        EXPECT_EQ(TabsAfterClick(program, QStringLiteral("NEs")), located);
        EXPECT_EQ(TabsAfterClick(program, QStringLiteral("Members")), located);
        EXPECT_EQ(TabsAfterClick(program, QStringLiteral("South-1")), (QStringList{"Rack", "Geographics", "Trap Log"}));
    }
    {
        e2e::CProgram program;
        ASSERT_TRUE(program.StartServer());
        ASSERT_TRUE(program.Login("north", "north"));
        // The top item is the parent of the operator's location; only that location shows below it.
        EXPECT_EQ(program.Tree().ExportText(),
                  QStringLiteral("LOC: Headquarters\n\tLOC: North\n\t\tNE : North-1\n\t\tUSR: north\n"));
    }
    e2e::CProgram program;
    ASSERT_TRUE(program.StartAgent());
    ASSERT_TRUE(program.Login("qurim", "private"));
    EXPECT_EQ(program.Tree().ExportText(), QStringLiteral("LOC: <Root>\n\tNE : 127.0.0.1\n"));
    EXPECT_EQ(TabsAfterClick(program, QStringLiteral("127.0.0.1")), (QStringList{"Rack", "Trap Log"}));
}

// The keys move the selection; the frame follows it only while the mouse pointer stands on an item of the tree: with
// the pointer elsewhere the selection leaves no current location or NE and the views of a location.
TEST(TreeE2eTest, TheFrameFollowsAKeyOnlyWithThePointerOnAnItem)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    QTreeWidget& tree = *program.Tree().Tree();
    QTreeWidgetItem* north = program.TreeItem(QStringLiteral("North"));
    ASSERT_NE(north, nullptr);
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    ASSERT_NE(program.Frame().GetCurrentNeId(), 0u);
    ASSERT_EQ(program.Frame().GetSelectedKind(), 4);

    // Up from North-1 to North's NEs folder, the pointer on another item.
    QCursor::setPos(tree.viewport()->mapToGlobal(tree.visualItemRect(program.TreeItem("Headquarters")).center()));
    QTest::keyClick(&tree, Qt::Key_Up);
    program.Settle();
    ASSERT_EQ(tree.currentItem(), north->child(0));
    EXPECT_EQ(program.Frame().GetCurrentLocationId(), group_item::Id(north));
    EXPECT_EQ(program.Frame().GetCurrentNeId(), 0u);
    EXPECT_EQ(program.Frame().GetSelectedKind(), 2);

    // Up again to North, the pointer off the tree.
    QCursor::setPos(tree.viewport()->mapToGlobal(QPoint(-20, -20)));
    QTest::keyClick(&tree, Qt::Key_Up);
    program.Settle();
    ASSERT_EQ(tree.currentItem(), north);
    EXPECT_EQ(program.Frame().GetCurrentLocationId(), 0u);
    EXPECT_EQ(program.Frame().GetCurrentNeId(), 0u);
    EXPECT_EQ(program.Frame().GetSelectedKind(), 1);
    EXPECT_TRUE(program.Frame().DialogBar()->LocationText().isEmpty());
    program.SaveScreenshot(program.Frame(), QStringLiteral("tree_key_with_pointer_away"));
}

// Sends a change as another workstation; the server's answer carries the new record's id first.
uint32_t Change(e2e::CProgram& program, uint16_t code, uint32_t neId, const uint8_t* record, uint32_t size)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const std::optional<Frame> reply = probe.ReplyTo(probe.Send(2, code, neId, {record, record + size}, size));
    EXPECT_TRUE(reply && reply->header.status == 0) << code;
    return reply && reply->payload.size() >= 4 ? record_bytes::GetU32(reply->payload.data(), 0) : 0;
}

TEST(TreeE2eTest, TheTreeFollowsAnotherWorkstationsChangesAndKeepsASelection)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));

    LocationRecord east;
    east.name = "East";
    east.parentId = 1;
    const auto eastBytes = EncodeRecord(east);
    const uint32_t eastId = Change(program, kReqLocationAdd, 0, eastBytes.data(), kLocationRecordSize);
    NeKeyRecord ne;
    ne.neName = "East-1";
    ne.modelId = 4;
    ne.locationId = eastId;
    ne.ipAddress = {10, 40, 1, 1};
    ne.port = 161;
    auto neBytes = EncodeRecord(ne);
    ne.neId = Change(program, kReqNeKeyAdd, 0, neBytes.data(), kNeKeyRecordSize);
    ASSERT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("East-1")) != nullptr; }));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("East-1")));
    ASSERT_EQ(program.Frame().GetCurrentNeId(), ne.neId);

    ne.neName = "East-2";
    neBytes = EncodeRecord(ne);
    Change(program, kReqNeKey, ne.neId, neBytes.data(), kNeKeyRecordSize);
    ASSERT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("East-2")) != nullptr; }));
    EXPECT_EQ(program.TreeItem(QStringLiteral("East-1")), nullptr);

    // The selected NE goes: its folder takes the selection, the frame its location, and no NE stays current.
    Change(program, kReqNeKeyDelete, ne.neId, neBytes.data(), kNeKeyRecordSize);
    ASSERT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("East-2")) == nullptr; }));
    const QTreeWidgetItem* caret = program.Tree().Tree()->currentItem();
    ASSERT_NE(caret, nullptr);
    EXPECT_EQ(group_item::KeyOf(caret), (group_item::ItemKey{GroupItemKind::NesFolder, eastId, 0, {}}));
    EXPECT_EQ(program.Frame().GetCurrentLocationId(), eastId);
    EXPECT_EQ(program.Frame().GetCurrentNeId(), 0u);
}

// The open items of the tree, each by its path of texts.
QStringList OpenItems(const QTreeWidget& tree)
{
    QStringList open;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it != nullptr; ++it) {
        if (!(*it)->isExpanded() || (*it)->childCount() == 0)
            continue;
        QString path = (*it)->text(0);
        for (const QTreeWidgetItem* up = (*it)->parent(); up != nullptr; up = up->parent())
            path = up->text(0) + QLatin1Char('/') + path;
        open << path;
    }
    return open;
}

// A rebuild (a location or an NE added or deleted) shows the tree as a build leaves it, only the top item open, and
// selects the NE again, shown with its shelves; a rename leaves the tree as it is. The tree follows by what changed:
// the items of what stays are the same items.
TEST(TreeE2eTest, ARebuildShowsTheTreeAsBuiltWithTheNeSelectedAgainARenameKeepsIt)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    QTreeWidget& tree = *program.Tree().Tree();
    // The operator opens South's NEs, and selects North-1, which opens its shelves and the branch above it.
    QTreeWidgetItem* southNes = program.TreeItem(QStringLiteral("South-1"))->parent();
    const QString southNesPath = QStringLiteral("<Root>/Headquarters/South/NEs");
    southNes->setExpanded(true);
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    const uint32_t northNe = program.Frame().GetCurrentNeId();
    ASSERT_NE(northNe, 0u);
    ASSERT_TRUE(OpenItems(tree).contains(southNesPath));
    const QTreeWidgetItem* northItem = program.TreeItem(QStringLiteral("North-1"));
    const QTreeWidgetItem* southItem = program.TreeItem(QStringLiteral("South-1"));
    const QTreeWidgetItem* headquarters = program.TreeItem(QStringLiteral("Headquarters"));
    const int builds = program.Tree().BuildCount();
    // As a build leaves the tree, with North-1 selected again: open only the top item and the branch to North-1.
    QStringList asBuilt = {QStringLiteral("<Root>"), QStringLiteral("<Root>/Headquarters"),
                           QStringLiteral("<Root>/Headquarters/North"), QStringLiteral("<Root>/Headquarters/North/NEs")};
    if (northItem->childCount() > 0)
        asBuilt << QStringLiteral("<Root>/Headquarters/North/NEs/North-1");

    const auto shows = [&](const char* after, const QStringList& open) {
        SCOPED_TRACE(after);
        EXPECT_EQ(OpenItems(tree), open);
        ASSERT_NE(tree.currentItem(), nullptr);
        EXPECT_EQ(tree.currentItem(), northItem);
        EXPECT_EQ(program.Frame().GetCurrentNeId(), northNe);
        EXPECT_EQ(program.TreeItem(QStringLiteral("South-1")), southItem);
        EXPECT_EQ(program.TreeItem(QStringLiteral("Headquarters")), headquarters);
        EXPECT_EQ(program.Tree().BuildCount(), builds);
    };
    LocationRecord east;
    east.name = "East";
    east.parentId = 1;
    auto eastBytes = EncodeRecord(east);
    east.id = Change(program, kReqLocationAdd, 0, eastBytes.data(), kLocationRecordSize);
    ASSERT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("East")) != nullptr; }));
    program.Settle();
    shows("a location added", asBuilt);
    program.SaveScreenshot(program.Frame(), QStringLiteral("tree_rebuilt_location_added"));

    NeKeyRecord ne;
    ne.neName = "East-1";
    ne.modelId = 4;
    ne.locationId = east.id;
    ne.ipAddress = {10, 40, 1, 1};
    ne.port = 161;
    const auto neBytes = EncodeRecord(ne);
    southNes->setExpanded(true);
    ne.neId = Change(program, kReqNeKeyAdd, 0, neBytes.data(), kNeKeyRecordSize);
    ASSERT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("East-1")) != nullptr; }));
    shows("an NE added", asBuilt);

    // A rename leaves open what the operator opened.
    southNes->setExpanded(true);
    const QStringList withSouth = OpenItems(tree);
    ASSERT_TRUE(withSouth.contains(southNesPath));
    NeKeyRecord renamed = ne;
    renamed.neName = "A-East";
    const auto renamedBytes = EncodeRecord(renamed);
    QTreeWidgetItem* eastItem = program.TreeItem(QStringLiteral("East-1"));
    Change(program, kReqNeKey, ne.neId, renamedBytes.data(), kNeKeyRecordSize);
    ASSERT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("A-East")) != nullptr; }));
    EXPECT_EQ(program.TreeItem(QStringLiteral("A-East")), eastItem);
    shows("an NE renamed", withSouth);
    program.Settle();
    program.SaveScreenshot(program.Frame(), QStringLiteral("tree_followed_changes"));

    Change(program, kReqNeKeyDelete, ne.neId, renamedBytes.data(), kNeKeyRecordSize);
    ASSERT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("A-East")) == nullptr; }));
    shows("an NE deleted", asBuilt);

    southNes->setExpanded(true);
    eastBytes = EncodeRecord(east);
    Change(program, kReqLocationDelete, east.id, eastBytes.data(), kLocationRecordSize);
    ASSERT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("East")) == nullptr; }));
    shows("a location deleted", asBuilt);
}

// An alarm flood changes the states of many NEs at every refresh: the tree makes no item again.
TEST(TreeE2eTest, AnAlarmFloodMakesNoItemOfTheTreeAgain)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer({.args = {"--alarm-rate", "200"}, .generatedNes = 300, .iniExtra = {}}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    QTreeWidget& tree = *program.Tree().Tree();
    tree.expandAll();
    const auto taken = [] {
        const auto* driver = dynamic_cast<const CNetDrvServerAgent*>(&GetCurrentDriver());
        return driver != nullptr ? driver->GetNotificationCounters().records : 0;
    };
    ASSERT_TRUE(program.WaitUntil([&] { return taken() > 0; }));
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it)
        items.push_back(*it);
    ASSERT_GT(items.size(), 300U);
    const int builds = program.Tree().BuildCount();
    const uint64_t before = taken();
    ASSERT_TRUE(program.WaitUntil([&] { return taken() >= before + 300; }));
    program.Settle();
    std::vector<QTreeWidgetItem*> after;
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it)
        after.push_back(*it);
    EXPECT_EQ(after, items);
    EXPECT_EQ(program.Tree().BuildCount(), builds);
}

} // namespace
