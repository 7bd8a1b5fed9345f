// Declaring commands: what a declaration holds as the builder writes it, the classes it registers with the command
// routing, and an area declared again.

#include "tests/ui/framework/framework_test_support.h"

#include "ui/framework/commands/command_registry.h"
#include "ui/framework/commands/menu_skeleton.h"
#include "ui/framework/dialogs/dialog_registry.h"

#include <gtest/gtest.h>

namespace {

constexpr char kArea[] = "probe";

class CommandRegistryTest : public ::testing::Test {
protected:
    ~CommandRegistryTest() override { DeclareCommands(kArea, {}); }
};

TEST_F(CommandRegistryTest, AClassGivenByItsTypeIsRegisteredUnderItsNameUntilTheAreaDropsIt)
{
    DeclareCommands(kArea, {Command(900).Dialog<CTestDlg>(kTargetNeOnly), Command(901).Dialog<CTestDlg>().Location()},
                    {NotBuilt("CProbeSelectionDlg")});
    ASSERT_NE(FindDeclaredCommand(900), nullptr);
    const CommandRoute& route = *FindDeclaredCommand(900)->route;
    EXPECT_EQ(route.kind, RouteKind::Dialog);
    EXPECT_EQ(route.target, "CTestDlg");
    EXPECT_EQ(route.targetForm, kTargetNeOnly);
    EXPECT_TRUE(HasRouteDialog("CTestDlg"));
    EXPECT_FALSE(HasRouteDialog("CProbeSelectionDlg"));

    // Declared again, the class not built any more: its opener goes with the command that no longer exists.
    DeclareCommands(kArea, {Command(901).Dialog(NotBuilt("CTestDlg"))});
    EXPECT_EQ(FindDeclaredCommand(900), nullptr);
    EXPECT_FALSE(HasRouteDialog("CTestDlg"));
    EXPECT_FALSE(FindDeclaredCommand(901)->route->location);
}

TEST_F(CommandRegistryTest, MenuEntriesTakeTheCommandsModesUnlessTheyNameTheirOwn)
{
    const CommandDeclaration before =
        Command(1).Server().Menu("A", "a", 10).Menu("B", "b", 10, LinkModes::Direct).Declaration();
    const CommandDeclaration after =
        Command(1).Menu("A", "a", 10).Menu("B", "b", 10, LinkModes::Direct).Server().Declaration();
    for (const CommandDeclaration& declaration : {before, after}) {
        ASSERT_EQ(declaration.placements.size(), 2U);
        EXPECT_EQ(declaration.placements[0].modes, LinkModes::Server);
        EXPECT_EQ(declaration.placements[1].modes, LinkModes::Direct);
    }
    EXPECT_EQ(Command(2).Menu("A", "a", 10).Declaration().placements[0].modes, LinkModes::Both);
}

TEST_F(CommandRegistryTest, AnEntryNamingItsMenuCasesIsShownInThoseAndInTheirModes)
{
    const CommandDeclaration command = Command(6)
                                           .Menu("A", "a", 10, {kCaseOnlineNe, kCasePlannedNe})
                                           .Menu("B", "b", 10, {kCaseDirectNe})
                                           .Menu("C", "c", 10)
                                           .Server()
                                           .Declaration();
    ASSERT_EQ(command.placements.size(), 3U);
    for (int menuCase = 0; menuCase < kMainMenuCaseCount; ++menuCase) {
        const auto which = static_cast<MainMenuCase>(menuCase);
        EXPECT_EQ(command.placements[0].ShownIn(menuCase), which == kCaseOnlineNe || which == kCasePlannedNe);
        EXPECT_EQ(command.placements[1].ShownIn(menuCase), which == kCaseDirectNe);
    }
    EXPECT_EQ(command.placements[0].modes, LinkModes::Server);
    EXPECT_EQ(command.placements[1].modes, LinkModes::Direct) << "the case's mode, not the command's";
    EXPECT_FALSE(command.placements[2].NamesCases());
}

TEST_F(CommandRegistryTest, TheNeSetNeedsAConfigurableNeAndCasesHideOnlyWhatTheyName)
{
    const CommandDeclaration command =
        Command(3).InNeSet().HideIn({MainMenuCase::DirectNe, MainMenuCase::ServerNoNe}).Declaration();
    EXPECT_EQ(command.need, NeNeed::Online);
    for (int menuCase = 0; menuCase < kMainMenuCaseCount; ++menuCase) {
        const auto which = static_cast<MainMenuCase>(menuCase);
        EXPECT_EQ(command.IsHiddenIn(which), which == MainMenuCase::DirectNe || which == MainMenuCase::ServerNoNe);
    }
}

TEST_F(CommandRegistryTest, HandlersAndRightsAreTheRoutes)
{
    const CommandDeclaration command = Command(4).Request("OnSomething").Right(3, 'x').Declaration();
    ASSERT_TRUE(command.route.has_value());
    EXPECT_EQ(command.route->kind, RouteKind::Request);
    EXPECT_EQ(command.route->target, "OnSomething");
    EXPECT_EQ(command.route->right.function, 3);
    EXPECT_EQ(command.route->right.letter, 'x');
    EXPECT_FALSE(command.dialogClass.has_value());
    EXPECT_FALSE(Command(5).Menu("A", "a", 10).Declaration().route.has_value()) << "a menu entry alone routes nothing";
}

TEST(MenuPathTest, PathsCompareWithoutAccessKeyMarks)
{
    struct Row {
        const char* path;
        const char* key;
        const char* parent;
        const char* text;
    };
    const Row rows[] = {
        {"&Diagnosis/NE &Alarm", "Diagnosis/NE Alarm", "&Diagnosis", "NE &Alarm"},
        {"&System", "System", "", "&System"},
        {"A/Backup && Restore", "A/Backup & Restore", "A", "Backup && Restore"},
        {"", "", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(MenuPathKey(row.path), row.key);
        EXPECT_EQ(ParentMenuPath(row.path), row.parent);
        EXPECT_EQ(MenuPathText(row.path), row.text);
    }
}

} // namespace
