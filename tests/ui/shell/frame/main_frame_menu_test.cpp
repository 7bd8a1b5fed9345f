// The main menu choice by link mode and NE state, the main menu file, and the frame's toolbar trimming. The menus
// and commands of the running program are tested end to end (tests/e2e/frame_commands_e2e_test.cpp).

#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "app/program_parts.h"
#include "ui/framework/menus/context_menu_data.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/frame/main_menu_cases.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QToolBar>

#include <algorithm>
#include <map>

using namespace frame_test;

namespace {

bool Contains(const std::vector<uint16_t>& ids, uint16_t id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The toolbar commands that need an NE that can be configured.
const std::vector<uint16_t> kNeSet = {
    33001, 33021, 33042, 33044, 33070, 33072, 33075, 33076, 33078, 33085, 33088, 33092, 33100,
    33103, 33115, 33117, 33118, 33119, 33120, 33124, 33127, 33147, 33155, 33158, 33159, 33160,
    33161, 33162, 33163, 33165, 33166, 33167, 33170, 33171, 33178, 33179, 33180, 33181, 33182,
    33183, 33184, 33185, 33188, 33189, 33190, 33195, 33196, 33197, 33218, 33219, 33220,
};

bool ContainsNeSet(const std::vector<uint16_t>& ids)
{
    return std::all_of(kNeSet.begin(), kNeSet.end(), [&](uint16_t id) { return Contains(ids, id); });
}

struct MenuCaseRow {
    const char* name;
    bool direct;
    bool withNe;
    NeSpec ne;
    bool noOfflineMenu;
    int menuCase;
    int menuId;
    int entityMenuId;
    bool hidesNeSet;
    std::vector<uint16_t> extraHidden;
};

class MainMenuCaseTest : public ::testing::TestWithParam<MenuCaseRow> {
protected:
    MainMenuCaseTest() { DeclareProgramCommands(); }

    ScopedModels models_;
    ScopedWorkDir work_;
};

TEST_P(MainMenuCaseTest, ChoosesMenuEntityMenuAndHiddenButtons)
{
    const MenuCaseRow& row = GetParam();
    const CNeRecord* ne = row.withNe ? AddTestNe(row.ne) : nullptr;
    ASSERT_EQ(ne != nullptr, row.withNe);

    const MainMenuChoice choice = SelectMainMenuCase(row.direct, ne, row.noOfflineMenu);

    EXPECT_EQ(choice.menuCase, row.menuCase);
    EXPECT_EQ(choice.menuResourceId, row.menuId);
    EXPECT_EQ(choice.entityMenuId, row.entityMenuId);
    EXPECT_EQ(ContainsNeSet(choice.hiddenToolbarIds), row.hidesNeSet);
    for (uint16_t id : row.extraHidden)
        EXPECT_TRUE(Contains(choice.hiddenToolbarIds, id)) << id;
    const size_t expectedCount = (row.hidesNeSet ? kNeSet.size() : 0) + row.extraHidden.size();
    EXPECT_EQ(choice.hiddenToolbarIds.size(), expectedCount);
    EXPECT_TRUE(std::is_sorted(choice.hiddenToolbarIds.begin(), choice.hiddenToolbarIds.end()));
}

TEST(NeCommandSetTest, IsTheFiftyOneCommandsThatNeedAConfigurableNe)
{
    DeclareProgramCommands();
    EXPECT_EQ(kNeSet.size(), 51U);
    EXPECT_EQ(NeCommandSet(), kNeSet);
}

const NeSpec kOnline{};
const NeSpec kPlanned{.planned = true, .connected = false};
const NeSpec kPlannedConnected{.planned = true, .connected = true};
const NeSpec kOffline{.connected = false};
const NeSpec kMismatch{.mismatch = true};

INSTANTIATE_TEST_SUITE_P(
    Cases, MainMenuCaseTest,
    ::testing::Values(
        MenuCaseRow{"ServerNoNe", false, false, {}, false, 0, 106, 113, true, {33029, 33031, 33034, 33080, 33081}},
        MenuCaseRow{"ServerPlanned", false, true, kPlanned, false, 2, 109, 114, true, {33029, 33030, 33035, 33077}},
        MenuCaseRow{"ServerPlannedConnected",
                    false,
                    true,
                    kPlannedConnected,
                    false,
                    2,
                    109,
                    114,
                    true,
                    {33029, 33030, 33035, 33077}},
        MenuCaseRow{"ServerPlannedWithNoOfflineMenu",
                    false,
                    true,
                    kPlanned,
                    true,
                    2,
                    109,
                    114,
                    true,
                    {33029, 33030, 33035, 33077}},
        MenuCaseRow{"ServerOnline", false, true, kOnline, false, 3, 107, 112, false, {33030, 33035}},
        MenuCaseRow{
            "ServerOffline", false, true, kOffline, false, 4, 108, 113, true, {33030, 33031, 33035, 33080, 33081}},
        MenuCaseRow{
            "ServerMismatch", false, true, kMismatch, false, 4, 108, 113, true, {33030, 33031, 33035, 33080, 33081}},
        MenuCaseRow{"ServerMismatchNoOfflineMenu", false, true, kMismatch, true, 3, 107, 112, false, {33030, 33035}},
        MenuCaseRow{"ServerOfflineNoOfflineMenu", false, true, kOffline, true, 3, 107, 112, false, {33030, 33035}},
        MenuCaseRow{"DirectNe",
                    true,
                    true,
                    kOffline,
                    false,
                    1,
                    117,
                    116,
                    false,
                    {33030, 33035, 33047, 33111, 33001, 33002, 33100}},
        MenuCaseRow{"DirectNoNe",
                    true,
                    false,
                    {},
                    false,
                    5,
                    118,
                    116,
                    true,
                    {33002, 33029, 33030, 33031, 33034, 33035, 33047, 33080, 33081, 33111}}),
    [](const ::testing::TestParamInfo<MenuCaseRow>& info) { return std::string(info.param.name); });

// --- the menu file ---------------------------------------------------------------------------------------------

// The six main menus: each exists, parses cleanly, and offers no command its case hides from the toolbar, but for
// Backup & Restore in the direct menu of an NE.
TEST(MainMenuFileTest, SixMenusWithoutTheHiddenCommandsOfTheirCase)
{
    DeclareProgramCommands();
    ScopedModels models;
    ScopedWorkDir work;
    const ContextMenuFile file = LoadContextMenuFile(kResources + "/menus/main_menus.menu");
    ASSERT_TRUE(file.read);
    EXPECT_TRUE(file.faults.empty()) << file.faults.front();

    struct CaseInput {
        bool direct;
        const CNeRecord* ne;
        bool noOfflineMenu;
    };
    const CNeRecord* online = AddTestNe({.id = 1, .name = "A"});
    const CNeRecord* planned = AddTestNe({.id = 2, .name = "B", .planned = true});
    const CNeRecord* offline = AddTestNe({.id = 3, .name = "C", .connected = false});
    const std::vector<CaseInput> inputs = {{false, nullptr, false}, {true, online, false},   {false, planned, false},
                                           {false, online, false},  {false, offline, false}, {true, nullptr, false}};
    for (const CaseInput& input : inputs) {
        const MainMenuChoice choice = SelectMainMenuCase(input.direct, input.ne, input.noOfflineMenu);
        const ContextMenu* menu = file.FindMenu(choice.menuResourceId);
        ASSERT_NE(menu, nullptr) << choice.menuResourceId;
        std::vector<int> ids;
        for (const ContextPopup& popup : menu->popups) {
            const std::vector<int> popupIds = ContextMenuCommandIds(popup.entries);
            ids.insert(ids.end(), popupIds.begin(), popupIds.end());
        }
        EXPECT_FALSE(ids.empty());
        // Backup & Restore keeps its entry in the direct menu while its button hides: the direct link's one way in.
        const bool direct = choice.menuResourceId == 117;
        for (uint16_t hidden : choice.hiddenToolbarIds) {
            const int offered = direct && hidden == 33001 ? 1 : 0;
            EXPECT_EQ(std::count(ids.begin(), ids.end(), hidden), offered) << "menu " << menu->id << " " << hidden;
        }
        // Every menu lets the operator leave and shows the View flags.
        for (int id : {33055, 57665, 32770, 32773, 32769})
            EXPECT_EQ(std::count(ids.begin(), ids.end(), id), 1) << "menu " << menu->id << " lacks " << id;
    }
}

// --- the frame ---------------------------------------------------------------------------------------------------

constexpr char kToolbarIni[] = "[TOOLICON]\nICONCNT=4\nICON1=%1,0xFF00FF,33071\nICON2=%2,0xFF00FF,33029\n"
                               "ICON3=%3,0xFF00FF,33021\nICON4=%4,0xFF00FF,33030\n";

class MainFrameMenuTest : public ::testing::Test {
protected:
    MainFrameMenuTest()
        : work_(QString::fromLatin1(kToolbarIni)
                    .arg(QString::fromStdString(kResources + "/icons/toolbar/all_nes.png"),
                         QString::fromStdString(kResources + "/icons/toolbar/active_alarm.png"),
                         QString::fromStdString(kResources + "/icons/toolbar/inventory.png"),
                         QString::fromStdString(kResources + "/icons/toolbar/location_active_alarm.png"))
                    .toStdString())
    {
        DeclareProgramCommands();
    }
    ScopedModels models_;
    ScopedWorkDir work_;
    FakeFrameHost host_;
};

TEST_F(MainFrameMenuTest, ReloginRestoresTheTrimOfTheRebuiltToolbar)
{
    CMainFrame frame(host_);
    ASSERT_EQ(frame.VisibleToolbarCommandIds(), (std::vector<int>{33071, 33030}));
    // InitFrame builds the buttons anew with the same menu case as before; the hidden ones must stay hidden.
    frame.InitFrame();
    EXPECT_EQ(frame.VisibleToolbarCommandIds(), (std::vector<int>{33071, 33030}));
}

TEST_F(MainFrameMenuTest, TrimToolbarShowsAllForAnEmptyListOrFlagOne)
{
    CMainFrame frame(host_);
    frame.TrimToolbar({33071}, 1);
    EXPECT_EQ(frame.VisibleToolbarCommandIds().size(), 4u);
    frame.TrimToolbar({}, 0);
    EXPECT_EQ(frame.VisibleToolbarCommandIds().size(), 4u);
    frame.TrimToolbar({33071, 33021}, 0);
    EXPECT_EQ(frame.VisibleToolbarCommandIds(), (std::vector<int>{33029, 33030}));
}

// The commands no menu offers are named on their toolbar buttons by their prompts: the status-bar text, and after
// the line feed the tool tip.
TEST(MainFrameToolbarPrompts, ButtonsOfCommandsInNoMenuShowTheirPrompts)
{
    struct Prompt {
        int id;
        const char* status;
        const char* tip;
    };
    const std::vector<Prompt> prompts = {
        {33094, "Stop transaction", "Stop transaction"},
        {33070, "xDSL IGMP Snooping", "xDSL IGMP Snooping"},
        {33100, "Verify Configuration between Server and NE", "Verify Configuration between Server and NE"},
        {33101, "Download Configuration to NE", "Download Configuration to NE"},
        {33102, "Retrieve Configuration from NE", "Retrieve Configuration from NE"},
        {33058, "Show Entity Type", "Show Entity Type"},
        {33059, "Board Type", "Board Type"},
        {33191, "Protocol-based VLAN", "Protocol-based VLAN"},
        {33164, "Trunk Line Port Setting", "Trunk Port Setting"},
        {33205, "File System Format", "File System Format"},
    };
    const std::string icon = kResources + "/icons/toolbar/all_nes.png";
    std::string ini = "[TOOLICON]\nICONCNT=" + std::to_string(prompts.size()) + "\n";
    for (size_t i = 0; i < prompts.size(); ++i)
        ini += "ICON" + std::to_string(i + 1) + "=" + icon + ",0xFF00FF," + std::to_string(prompts[i].id) + "\n";
    ScopedModels models;
    ScopedWorkDir work(ini);
    DeclareProgramCommands();
    FakeFrameHost host;
    CMainFrame frame(host);
    std::map<int, const QAction*> buttons;
    for (const QToolBar* bar : frame.findChildren<QToolBar*>()) {
        for (const QAction* action : bar->actions()) {
            if (action->data().isValid())
                buttons[action->data().toInt()] = action;
        }
    }
    for (const Prompt& prompt : prompts) {
        SCOPED_TRACE(prompt.id);
        ASSERT_EQ(buttons.count(prompt.id), 1u);
        EXPECT_EQ(buttons[prompt.id]->statusTip().toStdString(), prompt.status);
        EXPECT_EQ(buttons[prompt.id]->toolTip().toStdString(), prompt.tip);
    }
}

} // namespace
