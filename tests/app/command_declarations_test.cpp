// The commands as the shell and the areas declare them: each id once, each route complete for its kind, each menu
// entry in a popup of the skeleton that shows it, at a place of its own. The menus they make are compared with the
// committed menu files by the generated tests; the routes are run by the routing tests and end to end.

#include "app/program_parts.h"
#include "ui/framework/commands/command_registry.h"
#include "ui/framework/commands/menu_skeleton.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace {

class CommandDeclarationsTest : public ::testing::Test {
protected:
    CommandDeclarationsTest() { DeclareProgramCommands(); }
};

TEST_F(CommandDeclarationsTest, EachCommandIdOnceAndEachCommandDoesSomething)
{
    std::map<int, std::string> areaOf;
    for (const AreaCommands& area : DeclaredAreas()) {
        for (const CommandDeclaration& command : area.commands) {
            const auto [it, added] = areaOf.emplace(command.id, area.area);
            EXPECT_TRUE(added) << command.id << " is declared by " << it->second << " and by " << area.area;
            EXPECT_TRUE(command.route || !command.placements.empty()) << command.id << " has neither route nor menu";
        }
    }
}

// What a route of each kind carries.
struct KindRule {
    RouteKind kind;
    bool opensClass;               // a dialog class, else a handler (or nothing)
    std::set<uint8_t> targetForms; // empty: any
    bool portMode;
};

const std::set<uint8_t> kAnyNeForm = {kTargetNeEntity, kTargetNeSelection, kTargetNeOnly};

const KindRule kKindRules[] = {
    {RouteKind::Dialog, true, {}, false},
    {RouteKind::Port, true, {kTargetNeEntity}, true},
    {RouteKind::Slot, true, {kTargetNone}, false},
    {RouteKind::Mode, true, kAnyNeForm, false},
    {RouteKind::Check, false, kAnyNeForm, false}, // a class or a handler
    {RouteKind::Request, false, {kTargetNone}, false},
    {RouteKind::Toggle, false, {kTargetNone}, false},
    {RouteKind::Window, false, {kTargetNone}, false},
    {RouteKind::Stop, false, {kTargetNone}, false},
    {RouteKind::Outside, false, {kTargetNone}, false},
    {RouteKind::None, false, {kTargetNone}, false},
};

TEST_F(CommandDeclarationsTest, RoutesAreCompleteForTheirKind)
{
    for (const CommandDeclaration* command : DeclaredCommands()) {
        if (!command->route)
            continue;
        SCOPED_TRACE(command->id);
        const CommandRoute& route = *command->route;
        const KindRule* rule = nullptr;
        for (const KindRule& candidate : kKindRules)
            rule = candidate.kind == route.kind ? &candidate : rule;
        ASSERT_NE(rule, nullptr);
        EXPECT_EQ(route.id, command->id);
        if (rule->opensClass) {
            EXPECT_TRUE(command->dialogClass.has_value()) << "the route opens no class";
        }
        if (command->dialogClass) {
            EXPECT_EQ(route.target, command->dialogClass->name);
            EXPECT_FALSE(route.target.empty());
        } else if (route.kind != RouteKind::None) {
            EXPECT_FALSE(route.target.empty()) << "the route names no handler";
        }
        if (!rule->targetForms.empty()) {
            EXPECT_EQ(rule->targetForms.count(route.targetForm), 1U) << "target form " << int{route.targetForm};
        }
        if (rule->portMode) {
            EXPECT_GE(route.portSelMode, 1);
            EXPECT_LE(route.portSelMode, 7);
        } else {
            EXPECT_EQ(route.portSelMode, 0);
        }
        // Only a dialog takes opener fields.
        if (!command->dialogClass && route.kind != RouteKind::Check) {
            EXPECT_FALSE(route.location || route.member);
            EXPECT_EQ(route.accessMode, 0);
            EXPECT_EQ(route.templateMode, -1);
            EXPECT_EQ(route.profileGroup, -1);
        }
        if (route.right.IsSet()) {
            EXPECT_LT(route.right.function, 127);
            EXPECT_NE(std::string("qmcdx").find(route.right.letter), std::string::npos);
        }
    }
}

// The link modes a popup shows in: its own and those of every popup above it; none when the path names no popup.
std::optional<LinkModes> PopupModes(const std::string& key)
{
    if (key.empty())
        return LinkModes::Both;
    for (const MenuSkeletonNode& node : MainMenuSkeleton()) {
        if (node.kind != MenuSkeletonNode::Kind::Popup || MenuPathKey(node.path) != key)
            continue;
        const std::optional<LinkModes> above = PopupModes(MenuPathKey(ParentMenuPath(node.path)));
        if (!above)
            return std::nullopt;
        return static_cast<LinkModes>(static_cast<uint8_t>(*above) & static_cast<uint8_t>(node.modes));
    }
    return std::nullopt;
}

TEST_F(CommandDeclarationsTest, MenuEntriesStandInAShownPopupAtAPlaceOfTheirOwn)
{
    std::map<std::pair<std::string, int>, std::string> places; // (popup, order) -> what stands there
    std::map<std::pair<std::string, int>, uint8_t> placeCases; // (popup, order) -> the menu cases its entries name
    for (const MenuSkeletonNode& node : MainMenuSkeleton()) {
        const bool popup = node.kind == MenuSkeletonNode::Kind::Popup;
        const std::string owner = MenuPathKey(popup ? ParentMenuPath(node.path) : node.path);
        EXPECT_TRUE(PopupModes(owner).has_value()) << node.path << " stands in no popup of the skeleton";
        const auto [it, added] = places.emplace(std::make_pair(owner, node.order), node.path);
        EXPECT_TRUE(added) << node.path << " and " << it->second << " share the place " << node.order;
    }
    for (const CommandDeclaration* command : DeclaredCommands()) {
        for (const MenuPlacement& placement : command->placements) {
            SCOPED_TRACE(testing::Message() << command->id << " in " << placement.popupPath);
            EXPECT_FALSE(placement.text.empty());
            const std::string key = MenuPathKey(placement.popupPath);
            const std::optional<LinkModes> shown = PopupModes(key);
            ASSERT_TRUE(shown.has_value()) << "no such popup";
            EXPECT_NE(static_cast<uint8_t>(*shown) & static_cast<uint8_t>(placement.modes), 0)
                << "the popup is never shown in the entry's link modes";
            // Entries of one place that name disjoint menu cases are one place's names in different menus.
            const auto [it, added] = places.emplace(std::make_pair(key, placement.order), placement.text);
            const auto [cases, first] = placeCases.emplace(std::make_pair(key, placement.order), placement.cases);
            const bool sharedByCase = !added && !first && placement.NamesCases() && cases->second != 0 &&
                                      (cases->second & placement.cases) == 0;
            if (sharedByCase)
                cases->second |= placement.cases;
            EXPECT_TRUE(added || sharedByCase)
                << placement.text << " and " << it->second << " share the place " << placement.order;
        }
    }
}

} // namespace
