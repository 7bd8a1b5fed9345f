#include "tests/ui/framework/framework_test_support.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "platform/popup_menu_runner.h"
#include "ui/framework/menus/context_menu.h"
#include "ui/framework/menus/context_menu_data.h"

#include <QMenu>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const std::string kMenuFile = std::string(TARVIK_RESOURCES_DIR) + "/menus/context_menus.menu";

const ContextMenuFile& Menus()
{
    static const ContextMenuFile file = LoadContextMenuFile(kMenuFile);
    return file;
}

const ContextMenu& Menu(int id)
{
    const ContextMenu* menu = Menus().FindMenu(id);
    EXPECT_NE(menu, nullptr) << id;
    static const ContextMenu none;
    return menu != nullptr ? *menu : none;
}

std::vector<int> Commands(int menuId, std::string_view popup)
{
    const ContextMenu& menu = Menu(menuId);
    const ContextPopup* found = menu.PopupAt(menu.FindPopup(popup));
    return found != nullptr ? ContextMenuCommandIds(found->entries) : std::vector<int>{-1};
}

TEST(ContextMenuDataTest, FileLoadsWithoutFaults)
{
    ASSERT_TRUE(Menus().read);
    EXPECT_TRUE(Menus().faults.empty()) << Menus().faults.front();
}

// Entity models name their popups by their menu class, a position in menus 112/114: every position names a popup at
// that very position. What each kind of tree item offers is tested end to end (tests/e2e/context_menu_e2e_test.cpp).
TEST(ContextMenuDataTest, EveryMenuClassNamesItsPopup)
{
    for (int i = 0; i < Menu(112).PopupCount(); ++i)
        EXPECT_EQ(Menu(112).FindPopup(EntityPopupName(i)), i) << EntityPopupName(i);
    EXPECT_TRUE(EntityPopupName(Menu(112).PopupCount()).empty());
}

// One id per command in both link modes: a list that handles a command gets the same id from either menu.
TEST(ContextMenuDataTest, CommandsKeepTheirIdsAcrossTheModes)
{
    const ContextMenu& server = Menu(103);
    const ContextMenu& direct = Menu(105);
    for (const ContextPopup& popup : direct.popups) {
        const ContextPopup* same = server.PopupAt(server.FindPopup(popup.names.front()));
        ASSERT_NE(same, nullptr) << popup.names.front();
        std::set<std::pair<std::string, int>> serverItems;
        for (const ContextMenuEntry& entry : same->entries)
            serverItems.insert({entry.text, entry.commandId});
        for (const ContextMenuEntry& entry : popup.entries) {
            if (entry.kind == ContextMenuEntry::Kind::Item) {
                EXPECT_TRUE(serverItems.count({entry.text, entry.commandId}))
                    << popup.names.front() << ": " << entry.text << " " << entry.commandId;
            }
        }
    }
}

TEST(ContextMenuDataTest, MalformedLinesAreReportedAndSkipped)
{
    const ContextMenuFile file = ParseContextMenuFile("MENU 7\n"
                                                      "  ITEM 1 \"outside\"\n"
                                                      "  POPUP \"A|B\"\n"
                                                      "    ITEM 0 \"zero\"\n"
                                                      "    ITEM 5 unquoted\n"
                                                      "    ITEM 6 \"ok\"\n"
                                                      "  END\n"
                                                      "  POPUP bad\n"
                                                      "    ITEM 8 \"lost\"\n"
                                                      "  END\n"
                                                      "  POPUP \"C||D\"\n"
                                                      "  END\n"
                                                      "END\n"
                                                      "MENU 7\n",
                                                      "t");
    EXPECT_EQ(file.faults.size(), 6U); // outside a popup, id 0, unquoted, bad name, empty name, menu twice
    const ContextMenu* menu = file.FindMenu(7);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->PopupCount(), 1);
    EXPECT_EQ(menu->FindPopup("B"), 0);
    EXPECT_EQ(menu->FindPopup(""), -1); // what a position without a popup stands for
    EXPECT_EQ(ContextMenuCommandIds(menu->popups[0].entries), std::vector<int>{6});
}

// Records what the popup offered and chooses a command.
class RecordingPopups : public PopupMenuRunner {
public:
    RecordingPopups() : previous_(SetPopupMenuRunner(this)) {}
    ~RecordingPopups() override { SetPopupMenuRunner(previous_); }
    int TrackPopupMenu(QMenu& menu, const QPoint&) override
    {
        ++shown;
        enabled.clear();
        disabled.clear();
        checked.clear();
        for (QAction* action : menu.actions()) {
            if (action->isSeparator())
                continue;
            const int id = CommandIdOf(action);
            (action->isEnabled() ? enabled : disabled).push_back(id);
            if (action->isChecked())
                checked.push_back(id);
        }
        return choice;
    }
    int shown = 0;
    int choice = 0;
    std::vector<int> enabled, disabled, checked;

private:
    PopupMenuRunner* previous_;
};

class Owner : public CTestDlg {
public:
    bool OnCommand(int id, int code) override
    {
        commands.push_back({id, code});
        return CTestDlg::OnCommand(id, code);
    }
    std::vector<std::pair<int, int>> commands;
};

class ContextMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetContextMenuFile(kMenuFile);
        SetListPopupMenuId(kListPopupMenuServer);
        SetEntityPopupMenuId(kEntityPopupMenuServer);
    }
    void TearDown() override
    {
        SetListPopupMenuId(kListPopupMenuDirect);
        SetEntityPopupMenuId(kEntityPopupMenuDirect);
        ReplaceEntityModels(nullptr);
    }
    RecordingPopups popups;
    Owner owner;
};

TEST_F(ContextMenuTest, ListedIdsAreGreyedAndTicked)
{
    const uint16_t disabled[] = {33082, 33008, 0};
    const uint16_t ticked[] = {33084, 0};
    EXPECT_EQ(TrackContextMenu("GENERIC_ALL_LIST", &owner, disabled, ticked), 1);
    EXPECT_EQ(popups.disabled, (std::vector<int>{33082, 33008}));
    EXPECT_EQ(popups.enabled, (std::vector<int>{33015, 33060, 33084, 33024, 33023}));
    EXPECT_EQ(popups.checked, (std::vector<int>{33084}));
    // A greyed command cannot be chosen.
    popups.choice = 0;
    EXPECT_EQ(TrackContextMenu(5, &owner, nullptr, nullptr), 1);
    EXPECT_TRUE(popups.disabled.empty());
    EXPECT_TRUE(popups.checked.empty());
}

TEST_F(ContextMenuTest, ListedIdsAreLeftOutOfThePopup)
{
    const uint16_t removed[] = {33012, 33093, 0};
    const uint16_t disabled[] = {33004, 0};
    EXPECT_EQ(TrackContextMenuWithout("TRAPLOGVIEW_LIST", &owner, removed, disabled), 1);
    EXPECT_EQ(popups.enabled, (std::vector<int>{33026, 33094, 33024}));
    EXPECT_EQ(popups.disabled, (std::vector<int>{33004}));
    // Nothing listed: the popup whole.
    EXPECT_EQ(TrackContextMenuWithout("TRAPLOGVIEW_LIST", &owner, nullptr), 1);
    EXPECT_EQ(popups.enabled, (std::vector<int>{33012, 33026, 33004, 33094, 33093, 33024}));
    EXPECT_TRUE(popups.disabled.empty());
}

TEST_F(ContextMenuTest, EachModeShowsTheNamedPopup)
{
    // TRAPLOGVIEW_LIST by name, and by its position in the menu of each mode.
    for (const auto& [menu, position] : {std::pair{kListPopupMenuServer, 12}, std::pair{kListPopupMenuDirect, 10}}) {
        SetListPopupMenuId(menu);
        EXPECT_EQ(TrackContextMenu("TRAPLOGVIEW_LIST", &owner), 1) << menu;
        EXPECT_EQ(popups.enabled, (std::vector<int>{33012, 33026, 33004, 33094, 33093, 33024})) << menu;
        popups.enabled.clear();
        EXPECT_EQ(TrackContextMenu(position, &owner), 1) << menu;
        EXPECT_EQ(popups.enabled, (std::vector<int>{33012, 33026, 33004, 33094, 33093, 33024})) << menu;
    }
    // A popup the mode has not is not shown.
    const int shown = popups.shown;
    EXPECT_EQ(TrackContextMenu("USER_LIST", &owner), 0);
    EXPECT_EQ(TrackContextMenu(60, &owner), 0);
    EXPECT_EQ(TrackContextMenu(0x100 + 1, &owner), 1); // the low 8 bits: GENERIC_LIST
    EXPECT_EQ(popups.shown, shown + 1);
    // The placeholder is shown, empty.
    EXPECT_EQ(TrackContextMenu(0, &owner), 1);
    EXPECT_EQ(popups.shown, shown + 2);
    EXPECT_TRUE(popups.enabled.empty());
    SetListPopupMenuId(999);
    EXPECT_EQ(TrackContextMenu(1, &owner), 0);
}

TEST_F(ContextMenuTest, EntityPopupsFollowTheModelsMenuClassInEveryMenu)
{
    EntityModelLoadResult loaded = LoadEntityModelSetFromText("[MODEL30]\nNAME=Line card\nLEVEL=3\nMENUCLASS=9\n"
                                                              "[MODEL31]\nNAME=Group\nLEVEL=3\nMENUCLASS=17\n",
                                                              "", "");
    ASSERT_NE(loaded.models, nullptr);
    ReplaceEntityModels(std::move(loaded.models));
    for (int menu : {kEntityPopupMenuOnline, kEntityPopupMenuServer, kEntityPopupMenuPlanned, kEntityPopupMenuDirect}) {
        SetEntityPopupMenuId(menu);
        EXPECT_EQ(EntityContextMenuById(30, &owner), 1) << menu;
        const std::vector<int> adsl = Commands(menu, "ADSLModule");
        EXPECT_EQ(popups.enabled, adsl) << menu;
        // A popup is shown with the commands it has, none or more.
        const std::vector<int> group = Commands(menu, "Group");
        popups.enabled.clear();
        EXPECT_EQ(EntityContextMenuById(31, &owner), 1) << menu;
        EXPECT_EQ(popups.enabled, group) << menu;
    }
    const int shown = popups.shown;
    EXPECT_EQ(EntityContextMenuById(99, &owner), 0);
    EXPECT_EQ(popups.shown, shown);

    SetEntityPopupMenuId(kEntityPopupMenuOnline);
    const uint16_t disabled[] = {33085, 33021, 0};
    popups.choice = 33029;
    EXPECT_EQ(EntityContextMenu("Module", &owner, disabled), 1);
    EXPECT_EQ(popups.disabled, (std::vector<int>{33021, 33085}));
    ASSERT_TRUE(PumpUntil([&] { return !owner.commands.empty(); }));
    EXPECT_EQ(owner.commands.front().first, 33029);
}

} // namespace
