#include "tests/ui/framework_test_support.h"

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "platform/popup_menu_runner.h"
#include "ui/framework/context_menu.h"
#include "ui/framework/context_menu_data.h"

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
    EXPECT_EQ(Menu(103).PopupCount(), 42);
    EXPECT_EQ(Menu(105).PopupCount(), 32);
    EXPECT_EQ(Menu(112).PopupCount(), 33);
    EXPECT_EQ(Menu(113).PopupCount(), 32);
    EXPECT_EQ(Menu(114).PopupCount(), 33);
    EXPECT_EQ(Menu(116).PopupCount(), 32);
}

// Where each popup stands in each menu, as the operator's menus have them; -1 where a menu has no such popup.
struct PositionRow {
    const char* name;
    int in103, in105;
};

TEST(ContextMenuDataTest, ListPopupsStandWhereTheirMenusHaveThem)
{
    const PositionRow rows[] = {
        {"<null>", 0, 0},
        {"GENERIC_LIST", 1, 1},
        {"NE_LIST", 7, 7},
        {"USER_LIST", 8, -1},
        {"SHOW_ADD_DEL_LIST", 10, 9},
        {"TRAPLOGVIEW_LIST", 12, 10},
        {"FM_CUR_LIST", 13, 11},
        {"GROUP_LIST", 16, -1},
        {"TRAPSUMVIEW_LIST", 25, 19},
        {"FWUPGRADE_LIST", 26, 20},
        {"MC_FASTPROV_LIST", 31, 22},
        {"SHDSL_STUC_LIST", 35, 25},
        {"ADD_DEL_EDIT_LIST2", 41, 31},
    };
    for (const PositionRow& row : rows) {
        EXPECT_EQ(Menu(103).FindPopup(row.name), row.in103) << row.name;
        EXPECT_EQ(Menu(105).FindPopup(row.name), row.in105) << row.name;
    }
    // Every position callers pass names a popup of menu 103 at that very position.
    for (int i = 0; i < 42; ++i)
        EXPECT_EQ(Menu(103).FindPopup(ListPopupName(i)), i) << ListPopupName(i);
    EXPECT_TRUE(ListPopupName(42).empty());
}

struct EntityPositionRow {
    const char* name;
    int in112, in113, in114, in116;
};

TEST(ContextMenuDataTest, EntityPopupsStandWhereTheirMenusHaveThem)
{
    const EntityPositionRow rows[] = {
        {"Rack", 1, 1, 1, 1},
        {"NE", 5, 5, 5, 5},
        {"MiscShelf", 8, 19, 8, 8},
        {"ADSLModule", 9, 8, 9, 9},
        {"MiscModule", 11, 10, 11, 11},
        {"ADSLPort", 12, 11, 12, 12},
        {"MiscPort", 14, 13, 14, 14},
        {"MapNE", 15, 14, 15, 15},
        {"Map", 16, 15, 16, 16},
        {"Group", 17, 16, 17, 17},
        {"GroupMembers", 19, 18, 19, -1},
        {"GroupNE", 20, 20, 20, 20},
        {"GroupMember", 21, 21, 21, -1},
        {"GroupDummy", 22, 22, 22, 21},
        {"RelayInPort", 26, 26, 26, 25},
        {"RootGroup", 27, 27, 27, 26},
        {"SHDSLModule", 28, 28, 28, 27},
        {"SHDSLPort", 29, 29, 29, 28},
        {"RelayOutPort", 32, 26, 32, 31},
    };
    for (const EntityPositionRow& row : rows) {
        EXPECT_EQ(Menu(112).FindPopup(row.name), row.in112) << row.name;
        EXPECT_EQ(Menu(113).FindPopup(row.name), row.in113) << row.name;
        EXPECT_EQ(Menu(114).FindPopup(row.name), row.in114) << row.name;
        EXPECT_EQ(Menu(116).FindPopup(row.name), row.in116) << row.name;
    }
    for (int i = 0; i < 33; ++i)
        EXPECT_EQ(Menu(112).FindPopup(EntityPopupName(i)), i) << EntityPopupName(i);
}

TEST(ContextMenuDataTest, PopupsCarryTheirCommands)
{
    using Ids = std::vector<int>;
    EXPECT_EQ(Commands(103, "GENERIC_LIST"), (Ids{33024, 33023}));
    EXPECT_EQ(Commands(103, "TRAPLOGVIEW_LIST"), (Ids{33012, 33026, 33004, 33094, 33093, 33024}));
    EXPECT_EQ(Commands(105, "TRAPLOGVIEW_LIST"), (Ids{33012, 33026, 33004, 33094, 33093, 33024}));
    EXPECT_EQ(Commands(103, "FM_CUR_LIST"), (Ids{33012, 33000, 33084, 33024, 33023}));
    EXPECT_EQ(Commands(105, "FM_CUR_LIST"), (Ids{33012, 33084, 33024, 33023}));
    EXPECT_EQ(Commands(103, "GROUP_LIST"), (Ids{33082, 33015, 33060, 33008, 33029, 33034, 33024, 33023}));
    EXPECT_EQ(Commands(105, "NE_LIST"), (Ids{33082, 33015, 33087, 33024, 33023}));
    EXPECT_EQ(Commands(103, "<null>"), Ids{});
    const Ids serverNe = Commands(112, "NE");
    for (int id : {33083, 33017, 33010, 33074, 33148, 33145, 33104, 33214, 33105, 33029, 33034, 33036})
        EXPECT_NE(std::find(serverNe.begin(), serverNe.end(), id), serverNe.end()) << id;
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
                                                      "END\n"
                                                      "MENU 7\n",
                                                      "t");
    EXPECT_EQ(file.faults.size(), 5U); // outside a popup, id 0, unquoted, bad name, menu twice
    const ContextMenu* menu = file.FindMenu(7);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->PopupCount(), 1);
    EXPECT_EQ(menu->FindPopup("B"), 0);
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

TEST_F(ContextMenuTest, ExportFromGenericListReachesTheOwnerAfterTheMenuCloses)
{
    popups.choice = 33024;
    EXPECT_EQ(TrackContextMenu(1, &owner), 1);
    EXPECT_EQ(popups.enabled, (std::vector<int>{33024, 33023}));
    EXPECT_TRUE(owner.commands.empty());
    ASSERT_TRUE(PumpUntil([&] { return !owner.commands.empty(); }));
    EXPECT_EQ(owner.commands.front(), std::make_pair(33024, 0));
}

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

TEST_F(ContextMenuTest, EachModeShowsTheNamedPopup)
{
    for (int menu : {kListPopupMenuServer, kListPopupMenuDirect}) {
        SetListPopupMenuId(menu);
        EXPECT_EQ(TrackContextMenu(12, &owner), 1) << menu; // TRAPLOGVIEW_LIST by its server position
        EXPECT_EQ(popups.enabled, (std::vector<int>{33012, 33026, 33004, 33094, 33093, 33024})) << menu;
    }
    // A popup the mode has not is not shown.
    const int shown = popups.shown;
    EXPECT_EQ(TrackContextMenu("USER_LIST", &owner), 0);
    EXPECT_EQ(TrackContextMenu(60, &owner), 0);
    EXPECT_EQ(TrackContextMenu(0x100 + 1, &owner), 1); // the low 8 bits: GENERIC_LIST
    EXPECT_EQ(popups.shown, shown + 1);
    // The placeholder shows an empty popup.
    EXPECT_EQ(TrackContextMenu(0, &owner), 1);
    EXPECT_EQ(popups.enabled.size() + popups.disabled.size(), 1U);
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
        EXPECT_EQ(EntityContextMenuById(31, &owner), 1) << menu;
        EXPECT_EQ(popups.enabled, Commands(menu, "Group")) << menu;
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
