// The location tree: reselection after a rebuild, the severity roll-up with flashing, double click, search and export
// as text. Its shape by scope, the selection, the tabs and the changes of another workstation are tested end to end
// (tests/e2e/tree_e2e_test.cpp).

#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_tree.h"
#include "core/tables/user_account.h"
#include "platform/color_ref.h"
#include "platform/scripted_runners.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/tree/group_view.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <vector>

using namespace frame_test;
using namespace group_item;

namespace {

void AddLocation(uint32_t id, uint32_t parent, const std::string& name)
{
    CLocationNode node;
    node.id = id;
    node.parentId = parent;
    node.name = name;
    ASSERT_EQ(AppData().locations.UpsertLocation(node), LocationResult::kOk);
}

void AddAccount(const std::string& name, uint32_t location, int role)
{
    CUserAccount account;
    account.name = name;
    account.locationId = location;
    account.role = role;
    AppData().accounts.UpsertAccount(account);
}

constexpr char kFullTree[] = "LOC: <Root>\n"
                             "\tNE : Delta\n"
                             "\tNE : Gamma\n"
                             "\tUSR: bob\n"
                             "\tLOC: North\n"
                             "\t\tNE : Alpha\n"
                             "\t\tUSR: ann\n"
                             "\t\tLOC: Dock\n"
                             "\t\t\tNE : Beta\n"
                             "\tLOC: South\n";

class GroupViewTest : public ::testing::Test {
protected:
    GroupViewTest()
    {
        AddLocation(1, 0, "North");
        AddLocation(2, 0, "South");
        AddLocation(3, 1, "Dock");
        AddTestNe({.id = 1, .name = "Alpha", .location = 1});
        AddTestNe({.id = 2, .name = "Beta", .location = 3});
        AddTestNe({.id = 3, .name = "Gamma"});
        AddTestNe({.id = 4, .name = "Delta", .location = 99});
        AddAccount("ann", 1, kRoleAdministrator);
        AddAccount("bob", 0, kRoleUser);
    }

    std::unique_ptr<CGroupView> MakeView()
    {
        auto view = std::make_unique<CGroupView>(frame_);
        view->SetCommandPoster([this](int id) { posted_.push_back(id); });
        view->SetPopupShower([this](const CGroupView::Popup& popup) { popups_.push_back(popup); });
        view->OnInitialUpdate();
        // On screen, so that the mouse pointer can stand on its items.
        view->resize(300, 600);
        view->show();
        return view;
    }

    QTreeWidgetItem* Find(CGroupView& view, GroupItemKind kind, uint32_t id, const QString& text = {})
    {
        return view.FindTreeItem({kind, id, kind == GroupItemKind::Account ? (text == "ann" ? 0U : 2U) : 0U, text});
    }

    // Puts the mouse pointer on the item's row, or outside the tree.
    static void PointAt(CGroupView& view, QTreeWidgetItem* item)
    {
        QTreeWidget* tree = view.Tree();
        if (item == nullptr) {
            QCursor::setPos(tree->viewport()->mapToGlobal(QPoint(-50, -50)));
            return;
        }
        tree->scrollToItem(item);
        QCursor::setPos(tree->viewport()->mapToGlobal(tree->visualItemRect(item).center()));
    }

    // Selects an item as the operator does: the pointer on it.
    void Click(CGroupView& view, QTreeWidgetItem* item)
    {
        frame_.SetActivePane(kTreePane);
        PointAt(view, item);
        view.Tree()->setCurrentItem(item);
    }

    void SetBlink(bool on)
    {
        for (int i = 0; i < 100 && frame_.IsBlinkPhaseOn() != on; ++i)
            frame_.RefreshViews();
        ASSERT_EQ(frame_.IsBlinkPhaseOn(), on);
    }

    ScopedModels models_;
    ScopedWorkDir work_;
    ScriptedModalRunner dialogs_; // message boxes end at once
    ScriptedMessageBoxes boxes_;
    FakeFrameHost host_;
    CMainFrame frame_{host_};
    std::vector<int> posted_;
    std::vector<CGroupView::Popup> popups_;
};

TEST_F(GroupViewTest, IdsAreKeptWhole)
{
    AddLocation(0x12345678, 0, "Wide");
    AddTestNe({.id = 0x23456789, .name = "Far", .location = 0x12345678});
    auto view = MakeView();
    const QTreeWidgetItem* ne = Find(*view, GroupItemKind::Ne, 0x23456789);
    ASSERT_NE(ne, nullptr);
    EXPECT_EQ(ne->parent()->parent(), Find(*view, GroupItemKind::Location, 0x12345678));
}

// An account shows the picture of its role: 48 Administrator, 49 Manager, 50 User, 51 any other role.
TEST_F(GroupViewTest, AnAccountShowsThePictureOfItsRole)
{
    const std::map<QString, int> pictures = {{"r0", 48}, {"r1", 49}, {"r2", 50}, {"r3", 51}, {"r9", 51}};
    for (const auto& [name, picture] : pictures)
        AddAccount(name.toStdString(), 2, name.back().digitValue());
    auto view = MakeView();
    std::map<QString, int> shown;
    for (QTreeWidgetItemIterator it(view->Tree()); *it != nullptr; ++it) {
        if (pictures.count((*it)->text(0)) != 0)
            shown[(*it)->text(0)] = Image(*it);
    }
    EXPECT_EQ(shown, pictures);
}

TEST_F(GroupViewTest, ASelectedItemThatGoesIsFollowedByItsFolderItsParentOrTheTop)
{
    auto view = MakeView();
    struct Row {
        ItemKey selected;
        std::function<void()> change;
        ItemKey expected;
    };
    const Row rows[] = {
        // An account becomes its location's Members folder.
        {{GroupItemKind::Account, 1, 0, QStringLiteral("ann")},
         [] { AppData().accounts.RemoveAccount("ann"); },
         {GroupItemKind::MembersFolder, 1, 0, {}}},
        // An NE its old folder.
        {{GroupItemKind::Ne, 2, 0, {}}, [] { AppData().nes.RemoveNe(2); }, {GroupItemKind::NesFolder, 3, 0, {}}},
        // A location whose parent vanished too falls back to the top item.
        {{GroupItemKind::Location, 3, 0, {}},
         [] {
             AppData().locations.RemoveLocation(3);
             AppData().locations.RemoveLocation(1);
         },
         {GroupItemKind::Location, 0, 0, {}}},
    };
    for (const Row& row : rows) {
        QTreeWidgetItem* item = view->FindTreeItem(row.selected);
        ASSERT_NE(item, nullptr);
        Click(*view, item);
        row.change();
        view->RequestRebuild();
        view->RefreshData();
        ASSERT_NE(view->Tree()->currentItem(), nullptr);
        EXPECT_EQ(KeyOf(view->Tree()->currentItem()), row.expected);
        EXPECT_EQ(frame_.GetCurrentLocationId(), row.expected.id);
        EXPECT_EQ(frame_.GetKeyText(), "");
    }
}

// A rebuild reselects a shelf's NE and a member's Members folder, though both are still there; a rename alone keeps
// the selection where it is.
TEST_F(GroupViewTest, ARebuildReselectsTheNeOfAShelfAndTheFolderOfAMember)
{
    EntityModelLoadResult loaded =
        LoadEntityModelSetFromText(kModelText, "", "[MODEL100]\nSIZE=100,100\nFIT=B\nRECTCNT=1\nRECT1=0,0,100,100\n");
    ReplaceEntityModels(std::move(loaded.models));
    auto view = MakeView();
    Click(*view, Find(*view, GroupItemKind::Ne, 1)); // Alpha shows its shelf
    ASSERT_EQ(Find(*view, GroupItemKind::Ne, 1)->childCount(), 1);
    struct Row {
        const char* name;
        bool shelf; // else the member ann
        bool rebuild;
        ItemKey expected;
        int kind;
    };
    const Row rows[] = {
        {"shelf", true, true, {GroupItemKind::Ne, 1, 0, {}}, 4},
        {"member", false, true, {GroupItemKind::MembersFolder, 1, 0, {}}, 3},
        {"member, NE renamed", false, false, {GroupItemKind::Account, 1, 0, QStringLiteral("ann")}, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTreeWidgetItem* selected =
            row.shelf ? Find(*view, GroupItemKind::Ne, 1)->child(0) : Find(*view, GroupItemKind::Account, 1, "ann");
        ASSERT_NE(selected, nullptr);
        Click(*view, selected);
        ASSERT_EQ(view->Tree()->currentItem(), selected);
        AppData().locationTreeChanged = false; // as the frame's refresh leaves them
        AppData().neListChanged = false;
        AppData().neNamesChanged = false;
        if (row.rebuild)
            AppData().MarkLocationTreeChanged();
        else
            AppData().neNamesChanged = true;
        view->RefreshData();
        ASSERT_NE(view->Tree()->currentItem(), nullptr);
        EXPECT_EQ(KeyOf(view->Tree()->currentItem()), row.expected);
        EXPECT_EQ(frame_.GetCurrentLocationId(), 1U);
        EXPECT_EQ(frame_.GetSelectedKind(), row.kind);
        if (row.shelf) {
            EXPECT_EQ(frame_.GetCurrentNeId(), 1U);
            EXPECT_EQ(frame_.GetCurrentEntity().id, 1U) << "the NE itself";
        }
    }
}

// Which item a selection change takes: the view's own choice while the focus is outside the tree; otherwise the item
// the selection moved to when the pointer stands on an item, none when it stands on none.
TEST_F(GroupViewTest, TheSelectionLooksUnderThePointerUnlessTheViewChoseWhileTheFocusWasElsewhere)
{
    auto view = MakeView();
    view->resize(300, 400);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    QTreeWidget* tree = view->Tree();
    struct Row {
        const char* name;
        GroupItemKind selected;
        uint32_t id;
        bool programmatic;
        bool focusInTree;
        bool pointerOnItem;
        uint32_t location; // the frame's afterwards
        uint32_t ne;
        int kind;
    };
    // Before each row the frame points at Delta (NE 4) in location 5, with its views.
    const Row rows[] = {
        {"operator, pointer on an item", GroupItemKind::Location, 2, false, false, true, 2, 0, 1},
        {"operator, pointer on no item", GroupItemKind::Ne, 1, false, false, false, 0, 0, 1},
        {"operator's keys, pointer on no item", GroupItemKind::NesFolder, 1, false, true, false, 0, 0, 1},
        {"operator's keys, pointer on an item", GroupItemKind::NesFolder, 1, false, true, true, 1, 0, 2},
        {"view's own, focus elsewhere", GroupItemKind::Location, 3, true, false, false, 3, 0, 1},
        {"view's own NE, focus elsewhere: its shelves only", GroupItemKind::Ne, 2, true, false, false, 5, 4, 4},
        {"view's own, focus in the tree, pointer on an item", GroupItemKind::Ne, 1, true, true, true, 1, 1, 4},
        {"view's own, focus in the tree, pointer on no item", GroupItemKind::Ne, 2, true, true, false, 0, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        {
            const QSignalBlocker blocker(tree);
            tree->setCurrentItem(view->TopItem());
        }
        const CEntityIndex delta = CEntityIndex::FromLevels(1);
        frame_.SetCurrentLocation(5);
        frame_.SetCurrentEntity(4, &delta);
        frame_.SelectView(4, 251);
        frame_.SetActivePane(kTreePane);
        if (row.focusInTree) {
            view->activateWindow();
            tree->setFocus();
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == tree; }));
        } else {
            tree->clearFocus();
            ASSERT_NE(QApplication::focusWidget(), tree);
        }
        QTreeWidgetItem* item = Find(*view, row.selected, row.id);
        ASSERT_NE(item, nullptr);
        // The pointer stands on another item than the one selected: its own does not matter.
        PointAt(*view, row.pointerOnItem ? Find(*view, GroupItemKind::Location, 2) : nullptr);
        if (row.programmatic)
            view->SelectProgrammatically(item);
        else
            tree->setCurrentItem(item);
        EXPECT_EQ(frame_.GetCurrentLocationId(), row.location);
        EXPECT_EQ(frame_.GetCurrentNeId(), row.ne);
        EXPECT_EQ(frame_.GetSelectedKind(), row.kind);
    }
}

// A click beside an item's text selects the item: the whole row is the item's. A click below the items selects none:
// no location, no NE, the views of a location.
TEST_F(GroupViewTest, AClickBesideTheTextSelectsTheRowAndOneBelowTheItemsNone)
{
    auto view = MakeView();
    view->resize(500, 300);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    QTreeWidget* tree = view->Tree();
    const auto click = [&](const QPoint& at) {
        QCursor::setPos(tree->viewport()->mapToGlobal(at));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    };
    QTreeWidgetItem* north = Find(*view, GroupItemKind::Location, 1);
    const QPoint beside(tree->viewport()->width() - 5, tree->visualItemRect(north).center().y());
    ASSERT_EQ(tree->itemAt(beside), nullptr) << "the text ends before";
    click(beside);
    EXPECT_EQ(tree->currentItem(), north);
    EXPECT_EQ(frame_.GetCurrentLocationId(), 1U);

    const QPoint below(5, tree->viewport()->height() - 3);
    ASSERT_EQ(tree->itemAt(below), nullptr);
    click(below);
    EXPECT_EQ(tree->currentItem(), nullptr);
    EXPECT_EQ(frame_.GetCurrentLocationId(), 0U);
    EXPECT_EQ(frame_.GetSelectedKind(), 1);
}

TEST_F(GroupViewTest, ShownAgainTheTreeKeepsItsItemsAndSelection)
{
    auto view = MakeView();
    QTreeWidgetItem* beta = Find(*view, GroupItemKind::Ne, 2);
    Click(*view, beta);
    view->show();
    view->hide();
    view->show();
    EXPECT_EQ(Find(*view, GroupItemKind::Ne, 2), beta);
    EXPECT_EQ(view->Tree()->currentItem(), beta);
}

TEST_F(GroupViewTest, TheLoginsChangeFlagsAreFollowedAtTheFirstRefresh)
{
    AppData().MarkNeListChanged(); // as the login's table loads, before the frame makes the view
    auto view = MakeView();
    constexpr int kMarkRole = Qt::UserRole + 50;
    Find(*view, GroupItemKind::Ne, 1)->setData(0, kMarkRole, true); // gone when the item is made again
    AddTestNe({.id = 5, .name = "Epsilon", .location = 2});         // the load goes on
    view->RefreshData();
    ASSERT_NE(Find(*view, GroupItemKind::Ne, 5), nullptr);
    EXPECT_TRUE(Find(*view, GroupItemKind::Ne, 1)->data(0, kMarkRole).toBool()) << "kept";
    EXPECT_EQ(view->BuildCount(), 1);
    EXPECT_EQ(view->Tree()->currentItem(), view->TopItem());
    EXPECT_EQ(frame_.GetSelectedKind(), 1);
}

TEST_F(GroupViewTest, AfterADirectLoginTheFirstNeIsSelectedWithItsViews)
{
    AppSettings().directControl = true;
    host_.directMode = true;
    AppData().MarkNeListChanged();
    auto view = MakeView();
    view->RefreshData();
    frame_.RefreshViews();
    ASSERT_NE(view->Tree()->currentItem(), nullptr);
    EXPECT_EQ(KeyOf(view->Tree()->currentItem()), (ItemKey{GroupItemKind::Ne, 1, 0, {}})) << "Alpha, first by name";
    EXPECT_EQ(frame_.GetCurrentNeId(), 1U);
    EXPECT_EQ(frame_.GetSelectedKind(), 4) << "the NE's views";
    EXPECT_EQ(frame_.GetRightViewCode(), 2) << "the Rack";
    AppSettings().directControl = false;
}

TEST_F(GroupViewTest, ASelectionRestoredByARebuildBringsBackItsViews)
{
    auto view = MakeView();
    Click(*view, Find(*view, GroupItemKind::Ne, 2));
    EXPECT_EQ(frame_.GetSelectedKind(), 4);
    // A re-login starts the frame without a selection; the rebuild that follows selects the NE again.
    frame_.SelectView(0, 251);
    frame_.SetCurrentEntity(0, nullptr);
    AppData().MarkNeListChanged();
    view->RefreshData();
    EXPECT_EQ(KeyOf(view->Tree()->currentItem()), (ItemKey{GroupItemKind::Ne, 2, 0, {}}));
    EXPECT_EQ(frame_.GetCurrentNeId(), 2U);
    EXPECT_EQ(frame_.GetSelectedKind(), 4);
}

TEST_F(GroupViewTest, TheCaretItemStandsOnTheSelectedBackgroundOfTheColourTable)
{
    WriteText(work_.Path("Tarvik.ini"), "[TEXTCOLOR]\nSELECTED_BK=0x0000FF\n"); // red
    frame_.InitFrame();
    auto view = MakeView();
    view->resize(300, 300);
    view->show();
    Click(*view, Find(*view, GroupItemKind::Location, 2));
    view->RefreshData();
    QCoreApplication::processEvents();
    const QImage image = view->Tree()->viewport()->grab().toImage();
    const QRect caret = view->Tree()->visualItemRect(view->Tree()->currentItem());
    const QRect other = view->Tree()->visualItemRect(Find(*view, GroupItemKind::Location, 1));
    // Most of the caret's cell shows the colour (the rest is its icon and text, and the style's light sheen); no
    // other item shows it.
    const auto reds = [&](const QRect& rect) {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x)
                count +=
                    qRed(image.pixel(x, y)) > 240 && qGreen(image.pixel(x, y)) < 40 && qBlue(image.pixel(x, y)) < 40
                        ? 1
                        : 0;
        }
        return count;
    };
    EXPECT_GT(reds(caret), caret.width() * caret.height() / 3);
    EXPECT_EQ(reds(other), 0);
}

TEST_F(GroupViewTest, AShelfFlashesWhileItsNeIsConnected)
{
    // The NE's drawing has a rectangle for its shelf, so that the selected NE shows it in the tree.
    EntityModelLoadResult loaded =
        LoadEntityModelSetFromText(kModelText, "", "[MODEL100]\nSIZE=100,100\nFIT=B\nRECTCNT=1\nRECT1=0,0,100,100\n");
    ReplaceEntityModels(std::move(loaded.models));
    auto view = MakeView();
    view->resize(300, 300);
    view->show();
    CNeRecord* alpha = AppData().nes.FindNeById(1);
    CEntityNode* shelf = alpha->root->GetChild(0);
    ASSERT_NE(shelf, nullptr);
    shelf->severity = 1; // critical
    shelf->connected = false;
    AppSettings().flash.level = 1;
    Click(*view, Find(*view, GroupItemKind::Ne, 1));
    QTreeWidgetItem* shelfItem = Find(*view, GroupItemKind::Ne, 1)->child(0);
    ASSERT_NE(shelfItem, nullptr);
    SetBlink(true);
    for (const bool neConnected : {true, false}) {
        SCOPED_TRACE(neConnected);
        alpha->root->connected = neConnected;
        view->RefreshData();
        EXPECT_EQ(Image(shelfItem) == frame_.GetEntityIcon(1, 0, 1), neConnected);
    }
}

TEST_F(GroupViewTest, TheAddressTipWaitsASecondAndRowsAreThreePixelsTaller)
{
    auto view = MakeView();
    QWidget* viewport = view->Tree()->viewport();
    EXPECT_EQ(viewport->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, viewport), 1000);

    // The same item in a plain tree of the same font.
    QTreeWidget plain;
    plain.setFont(view->Tree()->font());
    plain.setIconSize(view->Tree()->iconSize());
    QTreeWidgetItem* top = view->TopItem();
    auto* copy = new QTreeWidgetItem(QStringList{top->text(0)});
    copy->setIcon(0, top->icon(0));
    plain.addTopLevelItem(copy);
    view->resize(300, 300);
    view->show();
    plain.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->Tree()->visualItemRect(top).height(), plain.visualItemRect(copy).height() + 3);
}

TEST_F(GroupViewTest, TheAddressTipFollowsTheTable)
{
    auto view = MakeView();
    EXPECT_EQ(Find(*view, GroupItemKind::Ne, 2)->toolTip(0), QStringLiteral("10.0.0.2"));
    AppData().nes.SetNeAddress(2, {10, 9, 8, 7}, 161);
    ++AppData().nes.FindNeById(2)->changeCounter; // as the dispatcher marks a changed record
    AppData().neAddressesChanged = true;
    view->RefreshData();
    EXPECT_EQ(Find(*view, GroupItemKind::Ne, 2)->toolTip(0), QStringLiteral("10.9.8.7"));
}

TEST_F(GroupViewTest, ItemsShowTheFramesPicturesAndAreDrawnAgainWhenTheirsChange)
{
    AppSettings().flash = {};
    auto view = MakeView();
    const auto picture = [](const QIcon& icon) {
        return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    int items = 0;
    for (QTreeWidgetItemIterator it(view->Tree()); *it != nullptr; ++it) {
        ++items;
        const QTreeWidgetItem* item = *it;
        ASSERT_GE(Image(item), 0) << item->text(0).toStdString();
        EXPECT_EQ(picture(item->icon(0)), picture(QIcon(frame_.GetListIcon(Image(item)))))
            << item->text(0).toStdString();
        const bool neItem = Kind(item) == GroupItemKind::Ne || Kind(item) == GroupItemKind::Shelf;
        EXPECT_EQ(item->toolTip(0).isEmpty(), !neItem) << item->text(0).toStdString();
        EXPECT_EQ(item->foreground(0).color(),
                  QColor(ToQColor(neItem ? frame_.GetNeTextColor(AppData().nes.FindNeById(Id(item)))
                                         : frame_.GetTreeTextColor(Image(item)))));
    }
    EXPECT_GT(items, 8);

    // An NE whose alarm changes shows its new icon: the tree is told to draw the item again.
    QTreeWidgetItem* beta = Find(*view, GroupItemKind::Ne, 2);
    const int before = Image(beta);
    std::vector<QModelIndex> changed;
    QObject::connect(view->Tree()->model(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex&) { changed.push_back(from); });
    view->resize(300, 400);
    view->show();
    view->Tree()->expandAll(); // Beta in view
    QCoreApplication::processEvents();
    AppData().nes.FindNeById(2)->root->severity = 1;
    ++AppData().nes.FindNeById(2)->changeCounter;
    AppData().MarkAlarmStateChanged();
    view->RefreshData();
    ASSERT_NE(Image(beta), before);
    EXPECT_EQ(picture(beta->icon(0)), picture(QIcon(frame_.GetListIcon(Image(beta)))));
    const QModelIndex betaIndex = view->Tree()->indexFromItem(beta);
    EXPECT_NE(std::find(changed.begin(), changed.end(), betaIndex), changed.end());
}

TEST_F(GroupViewTest, SeveritiesRollUpAndFlash)
{
    AppData().nes.FindNeById(2)->root->severity = 2; // Beta in Dock: major
    AppData().nes.FindNeById(3)->root->severity = 1; // Gamma at the top: critical
    auto view = MakeView();
    AppSettings().flash = {};
    SetBlink(true);
    view->RefreshData();
    EXPECT_EQ(Image(Find(*view, GroupItemKind::Location, 3)), kImageLocation + 2);
    EXPECT_EQ(Image(Find(*view, GroupItemKind::Location, 1)), kImageLocation + 2);
    EXPECT_EQ(Image(Find(*view, GroupItemKind::Location, 2)), kImageLocation);
    EXPECT_EQ(Image(view->TopItem()), kImageLocation + 1);
    EXPECT_EQ(view->TreeSeverity(), 1U);

    // Flashing from major: the flashing items show the plain icon in the blink phase "on" only.
    AppSettings().flash.level = 2;
    view->RefreshData();
    EXPECT_EQ(Image(Find(*view, GroupItemKind::Location, 1)), kImageLocation);
    EXPECT_EQ(Image(view->TopItem()), kImageLocation);
    SetBlink(false);
    view->RefreshData();
    EXPECT_EQ(Image(Find(*view, GroupItemKind::Location, 1)), kImageLocation + 2);

    // Within a scope the roll-up starts at the top item's location.
    AppSettings().flash = {};
    SetUserLocationScope(3);
    view->BuildTree();
    SetBlink(true);
    view->RefreshData();
    EXPECT_EQ(Image(Find(*view, GroupItemKind::Location, 3)), kImageLocation + 2);
    EXPECT_EQ(Image(view->TopItem()), kImageLocation + 2);
    SetUserLocationScope(0);
    view->BuildTree();
    AppSettings().flash.level = 2;

    // A cleared alarm shows at the next blink-on refresh.
    AppData().nes.FindNeById(2)->root->severity = 0;
    SetBlink(true);
    view->RefreshData();
    EXPECT_EQ(Image(Find(*view, GroupItemKind::Location, 3)), kImageLocation);
}

// The popups of each kind are tested end to end (tests/e2e/context_menu_e2e_test.cpp); a double click shows the NE or
// the member, and nothing on other kinds.
TEST_F(GroupViewTest, DoubleClickShowsTheNeOrTheMember)
{
    auto view = MakeView();
    view->OnTreeDblClk(Find(*view, GroupItemKind::Ne, 1));
    view->OnTreeDblClk(Find(*view, GroupItemKind::Account, 1, "ann"));
    view->OnTreeDblClk(Find(*view, GroupItemKind::Location, 1));
    view->OnTreeDblClk(nullptr);
    EXPECT_EQ(posted_, (std::vector<int>{kCmdShowNe, kCmdShowMember}));
    // Enter is a double click on the item under the pointer, whichever item is selected.
    posted_.clear();
    Click(*view, Find(*view, GroupItemKind::Location, 1));
    for (QTreeWidgetItem* pointed : {Find(*view, GroupItemKind::Ne, 2), static_cast<QTreeWidgetItem*>(nullptr)}) {
        PointAt(*view, pointed);
        QTest::keyClick(view->Tree(), Qt::Key_Return);
    }
    EXPECT_EQ(posted_, std::vector<int>{kCmdShowNe});
    SetUserLocationScope(1);
    view->BuildTree();
    EXPECT_EQ(view->PopupFor(view->TopItem()).name, "GroupDummy");
}

TEST_F(GroupViewTest, SearchByKindTextCaseAndPosition)
{
    auto view = MakeView();
    frame_.SetActivePane(kTreePane);
    std::vector<TreeSearchSettings> dialogAnswers;
    // Search Next before any search asks for the settings, which open as: no text, any kind, from the top.
    std::optional<TreeSearchSettings> opened;
    view->SetSearchDialogRunner([&](TreeSearchSettings& settings) {
        opened = settings;
        return false;
    });
    view->OnSearchNext();
    ASSERT_TRUE(opened);
    EXPECT_TRUE(opened->text.isEmpty());
    EXPECT_EQ(opened->kind, 3);
    EXPECT_FALSE(opened->wholeText);
    EXPECT_FALSE(opened->matchCase);
    EXPECT_TRUE(opened->fromTop);
    view->SetSearchDialogRunner([&](TreeSearchSettings& settings) {
        if (dialogAnswers.empty())
            return false;
        settings = dialogAnswers.front();
        dialogAnswers.erase(dialogAnswers.begin());
        return true;
    });

    struct Row {
        TreeSearchSettings settings;
        ItemKey found; // kind Shelf: nothing found
    };
    const ItemKey none{GroupItemKind::Shelf, 0, 0, {}};
    const Row rows[] = {
        {{QStringLiteral("a"), 1, false, false, true}, {GroupItemKind::Ne, 4, 0, {}}}, // Delta, first NE with "A"
        {{QStringLiteral("A"), 1, false, true, true}, {GroupItemKind::Ne, 1, 0, {}}},  // Alpha: capital A
        {{QStringLiteral("ALPHA"), 3, true, false, true}, {GroupItemKind::Ne, 1, 0, {}}},
        {{QStringLiteral("alp"), 3, true, false, true}, none}, // whole text
        {{QStringLiteral("ann"), 2, false, false, true}, {GroupItemKind::Account, 1, 0, QStringLiteral("ann")}},
        {{QStringLiteral("dock"), 0, false, false, true}, {GroupItemKind::Location, 3, 0, {}}},
        {{QStringLiteral("lpha"), 1, false, true, true}, {GroupItemKind::Ne, 1, 0, {}}},     // the text as typed
        {{QStringLiteral("|"), 3, true, false, true}, {GroupItemKind::NesFolder, 0, 0, {}}}, // folders with "any"
        {{QStringLiteral("|"), 1, false, false, true}, none},
        {{QString(), 0, false, false, true}, {GroupItemKind::Location, 1, 0, {}}}, // empty text: the next location
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.settings.text.toStdString());
        dialogAnswers = {row.settings};
        const bool found = (view->OnSearch(),
                            view->Tree()->currentItem() != nullptr && KeyOf(view->Tree()->currentItem()) == row.found);
        EXPECT_EQ(found || row.found == none, true);
        if (row.found == none) {
            EXPECT_FALSE(view->SearchTree());
        }
    }

    // Search Next goes on after the last hit; the mouse pointer stands on each item found.
    dialogAnswers = {{QStringLiteral("a"), 1, false, false, true}};
    view->OnSearch();
    EXPECT_EQ(Id(view->Tree()->currentItem()), 4U);
    const QRect found = view->Tree()->visualItemRect(view->Tree()->currentItem());
    const QPoint pointer = view->Tree()->viewport()->mapFromGlobal(QCursor::pos());
    EXPECT_TRUE(found.contains(pointer)) << pointer.x() << "," << pointer.y();
    view->OnSearchNext();
    EXPECT_EQ(Id(view->Tree()->currentItem()), 3U);
    EXPECT_EQ(frame_.GetCurrentNeId(), 3U);
    EXPECT_FALSE(view->SearchSettings().fromTop);
}

TEST_F(GroupViewTest, ExportWritesTheIndentedTreeAndStopsAtDepth255)
{
    auto view = MakeView();
    ScriptedFileChooser files;
    // A name without an extension is saved as a text file.
    files.PushPath(QString::fromStdString(work_.Path("tree")));
    view->OnExportTree();
    EXPECT_EQ(ReadText(work_.Path("tree.txt")), kFullTree);
    ASSERT_EQ(files.Requests().size(), 1U);
    EXPECT_EQ(files.Requests()[0].filter, QStringLiteral("Text Files (*.txt);;All Files (*.*)"));
    EXPECT_EQ(files.Requests()[0].defaultSuffix, QStringLiteral("txt"));

    // The last name is offered again; an unwritable path writes nothing and does not fail.
    files.PushPath(QString::fromStdString(work_.Path("no/such/dir.txt")));
    view->OnExportTree();
    EXPECT_EQ(files.Requests()[1].fileName, QString::fromStdString(work_.Path("tree.txt")));

    for (uint32_t id = 100; id < 400; ++id)
        AddLocation(id, id == 100 ? 0 : id - 1, "L" + std::to_string(id));
    view->BuildTree();
    const QString text = view->ExportText();
    EXPECT_TRUE(text.contains(QStringLiteral("\tLOC: L353\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("LOC: L354\n")));
}

// ---------------------------------------------------------------------------------------------------------------
// The tree follows each change of the tables by what changed.

void LocationsChanged()
{
    AppData().SetUserLocationScope(AppData().scopeLocationId);
    AppData().MarkLocationTreeChanged();
}

const TableChange kTableChanges[] = {
    {"NeAdded",
     [] {
         AddTestNe({.id = 5, .name = "Echo", .location = 3});
         AppData().MarkNeListChanged();
     },
     true},
    {"NeRemoved",
     [] {
         AppData().nes.RemoveNe(3);
         AppData().MarkNeListChanged();
     },
     true},
    {"NeRenamedToAnotherPlaceInItsFolder",
     [] {
         ChangeNe(4, [](CNeRecord&) { AppData().nes.RenameNe(4, "Hotel"); });
         AppData().neNamesChanged = true;
     }},
    {"NeMovedToAnotherLocation", [] { ChangeNe(2, [](CNeRecord& ne) { ne.locationId = 2; }); },
     true},
    {"NeAddressAndStateChanged",
     [] {
         ChangeNe(1, [](CNeRecord& ne) {
             AppData().nes.SetNeAddress(1, {10, 9, 8, 7}, 161);
             ne.root->severity = 1;
             ne.SetPlanned(1);
         });
         AppData().neAddressesChanged = true;
     }},
    {"LocationAdded",
     [] {
         AddLocation(4, 1, "Cape");
         LocationsChanged();
     },
     true},
    {"LocationRenamed",
     [] {
         AddLocation(2, 0, "Zenith");
         LocationsChanged();
     },
     true},
    {"LocationMovedWithItsNe",
     [] {
         AddLocation(3, 2, "Dock");
         LocationsChanged();
     },
     true},
    {"LocationRemovedItsNeToTheTop",
     [] {
         AppData().locations.RemoveLocation(3);
         LocationsChanged();
     },
     true},
    {"LocationOutOfTheScope",
     [] {
         AddLocation(5, 2, "Outpost");
         AddTestNe({.id = 6, .name = "Foxtrot", .location = 5});
         LocationsChanged();
         AppData().locations.FindLocation(5)->inScope = 0; // as a scope below South would leave it
         AppData().nes.FindNeById(6)->inScope = 0;
     },
     true},
    {"AccountsAddedMovedAndOfAnotherRole",
     [] {
         AddAccount("cid", 2, kRoleManager);
         AddAccount("bob", 1, kRoleManager);
         LocationsChanged();
     },
     true},
    {"AccountRemoved",
     [] {
         AppData().accounts.RemoveAccount("ann");
         LocationsChanged();
     },
     true},
};

// What an item stands for, the same for the item of a build and of a change.
QString Identity(const QTreeWidgetItem* item)
{
    const QString entity = Kind(item) == GroupItemKind::Account ? item->text(0) : QString::number(Id(item));
    return QStringLiteral("%1:%2").arg(static_cast<int>(Kind(item))).arg(entity);
}

// Every item but the shelves (which show under a selected NE only), depth first, with all it shows.
QStringList Shown(const QTreeWidget& tree)
{
    QStringList shown;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it != nullptr; ++it) {
        const QTreeWidgetItem* item = *it;
        if (Kind(item) == GroupItemKind::Shelf)
            continue;
        int depth = 0;
        for (const QTreeWidgetItem* up = item->parent(); up != nullptr; up = up->parent())
            ++depth;
        shown << QStringLiteral("%1%2 %3 extra=%4 image=%5 tip=%6 colour=%7")
                     .arg(QString(depth, QLatin1Char(' ')), Identity(item), item->text(0))
                     .arg(Extra(item))
                     .arg(Image(item))
                     .arg(item->toolTip(0), item->foreground(0).color().name());
    }
    return shown;
}

class GroupViewChangeTest : public GroupViewTest, public ::testing::WithParamInterface<TableChange> {};

// The open items and what is the caret, each by what it stands for.
std::set<QString> OpenItems(const QTreeWidget& tree)
{
    std::set<QString> open;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it != nullptr; ++it) {
        if ((*it)->isExpanded() && (*it)->childCount() > 0)
            open.insert(Identity(*it));
    }
    return open;
}

// The tree ends as a build would make it, with the items of what stays kept. A rename keeps the selection, the open
// branches and the scroll position; a rebuild shows the tree as a build leaves it (only the top item open) and then
// selects the NE again, shown and opened.
TEST_P(GroupViewChangeTest, TheTreeEndsAsABuildWouldKeepingTheItemsOfWhatStays)
{
    // South holds enough NEs for the pane to scroll.
    for (uint32_t id = 100; id < 140; ++id)
        AddTestNe({.id = id, .name = "South-" + std::to_string(id), .location = 2});
    auto view = MakeView();
    view->resize(250, 300);
    view->show();
    Click(*view, Find(*view, GroupItemKind::Ne, 1));
    QTreeWidgetItem* caret = view->Tree()->currentItem();
    Find(*view, GroupItemKind::Location, 2)->setExpanded(true);
    Find(*view, GroupItemKind::NesFolder, 2)->setExpanded(true);
    Find(*view, GroupItemKind::Location, 3)->setExpanded(true);
    Find(*view, GroupItemKind::NesFolder, 3)->setExpanded(true);
    QCoreApplication::processEvents();
    view->Tree()->verticalScrollBar()->setValue(view->Tree()->verticalScrollBar()->maximum() / 2);
    const int scroll = view->Tree()->verticalScrollBar()->value();
    ASSERT_GT(scroll, 0);
    constexpr int kMarkRole = Qt::UserRole + 50;
    std::set<QString> before;
    for (QTreeWidgetItemIterator it(view->Tree()); *it != nullptr; ++it) {
        (*it)->setData(0, kMarkRole, Identity(*it));
        before.insert(Identity(*it));
    }
    const std::set<QString> open = OpenItems(*view->Tree());
    ASSERT_TRUE(open.count(QStringLiteral("4:2")) != 0) << "South's NEs are open";

    GetParam().apply();
    view->RefreshData();
    QCoreApplication::processEvents();

    const QStringList shown = Shown(*view->Tree());
    EXPECT_EQ(view->BuildCount(), 1) << "nothing built anew";
    EXPECT_EQ(view->Tree()->currentItem(), caret);
    EXPECT_EQ(frame_.GetCurrentNeId(), 1U);
    if (GetParam().rebuildsTheTree) {
        // Open: the top item, the branch down to the NE selected again, which shows.
        std::set<QString> expected;
        for (const QTreeWidgetItem* up = caret->parent(); up != nullptr; up = up->parent())
            expected.insert(Identity(up));
        EXPECT_EQ(OpenItems(*view->Tree()), expected);
        EXPECT_TRUE(view->Tree()->viewport()->rect().intersects(view->Tree()->visualItemRect(caret)));
    } else {
        EXPECT_EQ(OpenItems(*view->Tree()), open);
        EXPECT_EQ(view->Tree()->verticalScrollBar()->value(), scroll);
    }
    {
        auto built = MakeView();
        built->RefreshData();
        EXPECT_EQ(shown, Shown(*built->Tree()));
    }
    for (QTreeWidgetItemIterator it(view->Tree()); *it != nullptr; ++it) {
        const QString identity = Identity(*it);
        // The item of what was shown before is the same item; what is new has an item of its own.
        EXPECT_EQ((*it)->data(0, kMarkRole).toString(), before.count(identity) != 0 ? identity : QString())
            << identity.toStdString();
    }
}

// Without VIEW/AUTOSELIFLOCCHANGE a rebuild leaves the tree as a build does: the top item open, nothing selected, the
// view at its top; the frame keeps what it points at. A rename leaves the selection where it is.
TEST_F(GroupViewTest, WithoutReselectionARebuildLeavesTheTreeAsBuilt)
{
    AppSettings().autoSelIfLocChange = false;
    const struct Restore {
        ~Restore() { AppSettings().autoSelIfLocChange = true; }
    } restore;
    for (uint32_t id = 100; id < 140; ++id)
        AddTestNe({.id = id, .name = "North-" + std::to_string(id), .location = 1});
    auto view = MakeView();
    view->resize(250, 300);
    Click(*view, Find(*view, GroupItemKind::Ne, 139));
    QTreeWidgetItem* caret = view->Tree()->currentItem();
    ASSERT_NE(caret, nullptr);
    QCoreApplication::processEvents();
    ASSERT_GT(view->Tree()->verticalScrollBar()->value(), 0);

    ChangeNe(139, [](CNeRecord&) { AppData().nes.RenameNe(139, "North-139 renamed"); });
    AppData().neNamesChanged = true;
    view->RefreshData();
    EXPECT_EQ(view->Tree()->currentItem(), caret) << "a rename";

    AppData().neListChanged = false;
    AppData().neNamesChanged = false;
    AddLocation(4, 2, "Cape");
    LocationsChanged();
    view->RefreshData();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->Tree()->currentItem(), nullptr);
    EXPECT_EQ(OpenItems(*view->Tree()), std::set<QString>{QStringLiteral("0:0")});
    EXPECT_EQ(view->Tree()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(frame_.GetCurrentNeId(), 139U);
}

INSTANTIATE_TEST_SUITE_P(EachChange, GroupViewChangeTest, ::testing::ValuesIn(kTableChanges), TableChangeName);

TEST_F(GroupViewTest, AnAlarmBurstRecoloursTheNesInViewAndBuildsNothing)
{
    auto view = MakeView();
    view->resize(300, 400);
    view->show();
    view->Tree()->expandAll(); // every NE in view
    QCoreApplication::processEvents();
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(view->Tree()); *it != nullptr; ++it)
        items.push_back(*it);
    // A burst of state changes, as the dispatcher leaves them, with a refresh between some of them.
    for (int i = 0; i < 200; ++i) {
        CNeRecord* ne = AppData().nes.FindNeById(static_cast<uint32_t>(i % 4 + 1));
        ne->root->severity = static_cast<uint32_t>(i % 6);
        ++ne->changeCounter;
        AppData().MarkAlarmStateChanged();
        if (i % 10 == 9)
            view->RefreshData();
    }
    EXPECT_EQ(view->BuildCount(), 1);
    std::vector<QTreeWidgetItem*> after;
    for (QTreeWidgetItemIterator it(view->Tree()); *it != nullptr; ++it)
        after.push_back(*it);
    EXPECT_EQ(after, items);
    for (uint32_t id = 1; id <= 4; ++id)
        EXPECT_EQ(Image(Find(*view, GroupItemKind::Ne, id)), frame_.GetEntityStateIcon(id, 0)) << id;
}

} // namespace
