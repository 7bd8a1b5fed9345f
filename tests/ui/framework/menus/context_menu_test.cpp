#include "tarvik_test_paths.h"
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

// The list popups of each mode, position by position, with their commands in order (Show 33082, Modify 33015, Add
// 33060, Delete 33008, Refresh 33084, Export 33024, Close 33023). A popup whose commands run on ("...") lists its first
// ones; a command keeps one id in both modes.
struct ListPopupRow {
    const char* name;
    std::vector<int> commands;
    bool prefix = false;
};

const std::vector<ListPopupRow>& ServerListPopups()
{
    static const std::vector<ListPopupRow> rows = {
        {"<null>", {}},
        {"GENERIC_LIST", {33024, 33023}},
        {"REFRESH_LIST", {33084, 33024, 33023}},
        {"EDIT_LIST", {33015, 33024, 33023}},
        {"ADD_DEL_LIST", {33060, 33008, 33024, 33023}},
        {"GENERIC_ALL_LIST", {33082, 33015, 33060, 33008, 33084, 33024, 33023}},
        {"xDSL_xTUC_LIST", {33082, 33015, 33022, 33121, 33124, 33080, 33142, 33085, 33076, 33078, 33077, 33096}, true},
        {"NE_LIST", {33082, 33015, 33060, 33008, 33001, 33087, 33024, 33023}},
        {"USER_LIST", {33082, 33015, 33060, 33008, 33054, 33024, 33023}},
        {"USER_ONLINE_LIST", {33084, 33082, 33054, 33051, 33055, 33024, 33023}},
        {"SHOW_ADD_DEL_LIST", {33082, 33060, 33008, 33024, 33023}},
        {"NE_BACKUP_LIST", {33060, 33008, 33086, 33024, 33023}},
        {"TRAPLOGVIEW_LIST", {33012, 33026, 33004, 33094, 33093, 33024}},
        {"FM_CUR_LIST", {33012, 33000, 33084, 33024, 33023}},
        {"PM_HIS_LIST", {33046, 33024, 33023}},
        {"DB_BACKUP_LIST", {33060, 33008, 33086, 33024, 33023}},
        {"GROUP_LIST", {33082, 33015, 33060, 33008, 33029, 33034, 33024, 33023}},
        {"NEAUTOFILTER_LIST", {33060, 33008, 33085, 33024, 33023}},
        {"FM_HIS_STAT_LIST", {33082, 33024, 33023}},
        {"EOA_FASTPROV_LIST", {33060, 33024, 33023}},
        {"xDSL_EoA_LIST", {33082, 33015, 33060, 33008, 33138, 33193, 33194, 33089, 33080, 33081, 33167, 33024}, true},
        {"xDSL_MC_LIST", {33082, 33015, 33060, 33008, 33138, 33193, 33194, 33089, 33123, 33024, 33023}},
        {"FM_DIGITIN_LIST", {33015, 33024, 33023}},
        {"FM_HIS_LIST", {33012, 33000, 33084, 33024, 33023}},
        {"ADD_DEL_REFRESH_LIST", {33060, 33008, 33084, 33024, 33023}},
        {"TRAPSUMVIEW_LIST", {33012, 33024}},
        {"FWUPGRADE_LIST", {33025, 33083, 33024, 33023}},
        {"LOOPDIAG_DATA_LIST", {33046, 33024, 33023}},
        {"SVROPTION_NMS_LIST", {33015}},
        {"NEAUTOFOUND_LIST", {33061, 33138, 33074, 33139, 33023}},
        {"MAP_LIST", {33082, 33015, 33060, 33008, 33024}},
        {"MC_FASTPROV_LIST", {33060, 33140, 33141, 33024, 33023}},
        {"PROFDOWNLOAD_LIST", {33083, 33140, 33141, 33024, 33023}},
        {"ADD_DEL_EDIT_LIST", {33015, 33060, 33008, 33024, 33023}},
        {"TRUNK_PORT_LIST", {33015, 33084, 33172, 33024, 33023}},
        {"SHDSL_STUC_LIST", {33015, 33022, 33124, 33080, 33142, 33085, 33076, 33078, 33077, 33096, 33024, 33023}},
        {"EDIT_REFRESH_LIST", {33015, 33084, 33024, 33023}},
        {"DEL_COPY_LIST", {33008, 33006, 33024, 33023}},
        {"MACSPOOF_LIST", {33084, 33207, 33208, 33024, 33023}},
        {"DEL_REFRESH_LIST", {33008, 33084, 33024, 33023}},
        {"ADD_DEL_REFRESH_LIST2", {33060, 33008, 33084, 33024, 33023}},
        {"ADD_DEL_EDIT_LIST2", {33015, 33060, 33008}},
    };
    return rows;
}

const std::vector<ListPopupRow>& DirectListPopups()
{
    static const std::vector<ListPopupRow> rows = {
        {"<null>", {}},
        {"GENERIC_LIST", {33024, 33023}},
        {"REFRESH_LIST", {33084, 33024, 33023}},
        {"EDIT_LIST", {33015, 33024, 33023}},
        {"ADD_DEL_LIST", {33060, 33008, 33024, 33023}},
        {"GENERIC_ALL_LIST", {33082, 33015, 33060, 33008, 33084, 33024, 33023}},
        {"xDSL_xTUC_LIST", {33082, 33015, 33022, 33121, 33124, 33080, 33085, 33076, 33078, 33024, 33023}},
        {"NE_LIST", {33082, 33015, 33087, 33024, 33023}},
        {"<null>", {}},
        {"SHOW_ADD_DEL_LIST", {33082, 33060, 33008, 33024, 33023}},
        {"TRAPLOGVIEW_LIST", {33012, 33026, 33004, 33094, 33093, 33024}},
        {"FM_CUR_LIST", {33012, 33084, 33024, 33023}},
        {"PM_HIS_LIST", {33046, 33024, 33023}},
        {"EOA_FASTPROV_LIST", {33060, 33024, 33023}},
        {"xDSL_EoA_LIST", {33082, 33015, 33060, 33008, 33138, 33193, 33194, 33089, 33080, 33081, 33167, 33024}, true},
        {"xDSL_MC_LIST", {33082, 33015, 33060, 33008, 33138, 33193, 33194, 33089, 33123, 33024, 33023}},
        {"FM_DIGITIN_LIST", {33015, 33024, 33023}},
        {"FM_HIS_LIST", {33012, 33084, 33024, 33023}},
        {"ADD_DEL_REFRESH_LIST", {33060, 33008, 33084, 33024, 33023}},
        {"TRAPSUMVIEW_LIST", {33012, 33024}},
        {"FWUPGRADE_LIST", {33025, 33083, 33024, 33023}},
        {"LOOPDIAG_DATA_LIST", {33046, 33024, 33023}},
        {"MC_FASTPROV_LIST", {33060, 33140, 33141, 33024, 33023}},
        {"ADD_DEL_EDIT_LIST", {33015, 33060, 33008, 33024, 33023}},
        {"TRUNK_PORT_LIST", {33015, 33084, 33172, 33024, 33023}},
        {"SHDSL_STUC_LIST", {33015, 33022, 33124, 33080, 33085, 33076, 33078, 33024, 33023}},
        {"EDIT_REFRESH_LIST", {33015, 33084, 33024, 33023}},
        {"DEL_COPY_LIST", {33008, 33006, 33024, 33023}},
        {"MACSPOOF_LIST", {33084, 33207, 33208, 33024, 33023}},
        {"DEL_REFRESH_LIST", {33008, 33084, 33024, 33023}},
        {"ADD_DEL_REFRESH_LIST2", {33060, 33008, 33084, 33024, 33023}},
        {"ADD_DEL_EDIT_LIST2", {33015, 33060, 33008}},
    };
    return rows;
}

TEST(ContextMenuDataTest, ListPopupsHoldTheirCommandsAtTheirPositions)
{
    for (const auto& [menuId, rows] : {std::pair{103, &ServerListPopups()}, std::pair{105, &DirectListPopups()}}) {
        const ContextMenu& menu = Menu(menuId);
        ASSERT_EQ(menu.PopupCount(), static_cast<int>(rows->size())) << menuId;
        for (size_t i = 0; i < rows->size(); ++i) {
            const ListPopupRow& row = (*rows)[i];
            SCOPED_TRACE(testing::Message() << menuId << " " << i << " " << row.name);
            const ContextPopup* popup = menu.PopupAt(static_cast<int>(i));
            ASSERT_NE(popup, nullptr);
            EXPECT_EQ(popup->names.front(), row.name);
            std::vector<int> commands = ContextMenuCommandIds(popup->entries);
            if (row.prefix && commands.size() > row.commands.size())
                commands.resize(row.commands.size());
            EXPECT_EQ(commands, row.commands);
        }
    }
}

// The entity popups, by position: the entity models' menu classes name them.
TEST(ContextMenuDataTest, EntityPopupsStandAtTheirPositions)
{
    const std::vector<std::string> online = {"<null>",      "Rack",        "Shelf",           "Module",
                                             "Port",        "NE",          "NEList",          "QX7100MainShelf",
                                             "MiscShelf",   "ADSLModule",  "QX7100CWMModule", "MiscModule",
                                             "ADSLPort",    "GigaPort",    "MiscPort",        "MapNE",
                                             "Map",         "Group",       "GroupNEs",        "GroupMembers",
                                             "GroupNE",     "GroupMember", "GroupDummy",      "PowerModule",
                                             "FanModule",   "RelayModule", "RelayInPort",     "RootGroup",
                                             "SHDSLModule", "SHDSLPort",   "QX7200CWMModule", "QX7200MainShelf",
                                             "RelayOutPort"};
    const std::vector<std::string> offline = {
        "<null>",          "Rack",       "Shelf",           "Module",         "Port",         "NE",        "NEList",
        "QX7100MainShelf", "ADSLModule", "QX7100CWMModule", "MiscModule",     "ADSLPort",     "GigaPort",  "MiscPort",
        "MapNE",           "Map",        "Group",           "GroupNEs",       "GroupMembers", "MiscShelf", "GroupNE",
        "GroupMember",     "GroupDummy", "PowerModule",     "FanModule",      "RelayModule",  "RelayPort", "RootGroup",
        "SHDSLModule",     "SHDSLPort",  "QX7200CWMModule", "QX7200MainShelf"};
    const std::vector<std::string> direct = {"<null>",
                                             "Rack",
                                             "Shelf",
                                             "Module",
                                             "Port",
                                             "NE",
                                             "NEList",
                                             "QX7100MainShelf",
                                             "MiscShelf",
                                             "ADSLModule",
                                             "QX7100CWMModule",
                                             "MiscModule",
                                             "ADSLPort",
                                             "GigaPort",
                                             "MiscPort",
                                             "MapNE",
                                             "Map",
                                             "Group",
                                             "GroupNEs",
                                             "<null>",
                                             "GroupNE",
                                             "GroupDummy",
                                             "PowerModule",
                                             "FanModule",
                                             "RelayModule",
                                             "RelayInPort",
                                             "RootGroup",
                                             "SHDSLModule",
                                             "SHDSLPort",
                                             "QX7200CWMModule",
                                             "QX7200MainShelf",
                                             "RelayOutPort"};
    for (const auto& [menuId, names] :
         {std::pair{112, &online}, std::pair{114, &online}, std::pair{113, &offline}, std::pair{116, &direct}}) {
        const ContextMenu& menu = Menu(menuId);
        ASSERT_EQ(menu.PopupCount(), static_cast<int>(names->size())) << menuId;
        for (size_t i = 0; i < names->size(); ++i)
            EXPECT_EQ(menu.PopupAt(static_cast<int>(i))->names.front(), (*names)[i]) << menuId << " " << i;
    }
    // The server NE popup offers the NE's commands and its alarms.
    const std::vector<int> ne = Commands(112, "NE");
    const std::vector<int> neFirst = {33083, 33017, 33010, 33074, 33148, 33145,
                                      33104, 33214, 33105, 33029, 33034, 33036};
    ASSERT_GE(ne.size(), neFirst.size());
    EXPECT_EQ(std::vector<int>(ne.begin(), ne.begin() + static_cast<std::ptrdiff_t>(neFirst.size())), neFirst);
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
