// The command table of the main window, as data: every command the areas and the shell declare stands in the main
// menu file under its popups with its text, and the router takes each to what its declaration says: the dialog class
// with the target form, location, member, access mode and opener fields it declares (the port selection with its mode,
// the slot selection, the class of each link mode), or its handler: the question and request of a one-shot command
// (after its right), a view option, the PDU log window, Stop, help or telnet, or nothing. One pass over the
// declarations, so that a command added or changed is checked without a line here.

#include "tests/ui/shell/routing/routing_test_support.h"

#include "core/tables/location_tree.h"
#include "ui/framework/commands/command_registry.h"
#include "ui/framework/commands/menu_skeleton.h"
#include "ui/framework/menus/context_menu_data.h"
#include "ui/framework/messages/string_ids.h"

#include <set>
#include <string>

using namespace frame_test;
using namespace routing_test;

namespace {

constexpr uint32_t kNe = 7;
constexpr uint32_t kLocation = 5;
constexpr int kTrunkPortCommand = 33164; // a dialog of one trunk port: it opens only with a port selected

// The popup paths (without access-key marks) under which each command id stands, in any of the main menus.
void CollectMenuEntries(const std::vector<ContextMenuEntry>& entries, const std::string& path,
                        std::map<int, std::set<std::pair<std::string, std::string>>>& found)
{
    for (const ContextMenuEntry& entry : entries) {
        if (entry.kind == ContextMenuEntry::Kind::Item)
            found[entry.commandId].insert({path, entry.text});
        else if (entry.kind == ContextMenuEntry::Kind::Popup)
            CollectMenuEntries(entry.children, path + "/" + MenuPathKey(entry.text), found);
    }
}

class CommandTableTest : public ::testing::Test {
protected:
    CommandTableTest()
    {
        DeclareProgramCommands();
        AddTestNe({.id = kNe, .name = "Seven", .location = kLocation});
        CLocationNode location;
        location.id = kLocation;
        location.name = "Harbour";
        AppData().locations.UpsertLocation(location);
        GrantAll(kRoleAdministrator);
        host_.neId = kNe;
        host_.locationId = kLocation;
        host_.keyText = "bob";
    }

    // Runs the command with a fresh record of what it opens, asks and sends.
    void Run(int id, const CEntityIndex& selection, bool direct = false)
    {
        dialogs_.opened.clear();
        services_.questions.clear();
        services_.requests.clear();
        services_.statuses.clear();
        host_.index = selection;
        host_.direct = direct;
        ASSERT_TRUE(router_.Route(id));
    }

    // The one dialog the command opened is the class with what the route declares it is handed.
    void ExpectOpened(const CommandRoute& route, const std::string& className, const CEntityIndex& selection)
    {
        ASSERT_EQ(dialogs_.opened.size(), 1U);
        const DialogRequest& opened = dialogs_.opened[0];
        EXPECT_EQ(opened.className, className);
        EXPECT_EQ(opened.commandId, route.id);
        const uint32_t selected = CEntityId(&selection).id;
        switch (route.targetForm) {
        case kTargetNone:
            EXPECT_FALSE(opened.hasTarget);
            break;
        case kTargetNeOnly:
            EXPECT_TRUE(opened.hasTarget && opened.neId == kNe);
            EXPECT_FALSE(opened.hasEntity);
            break;
        case kTargetNeEntity:
            EXPECT_TRUE(opened.hasTarget && opened.neId == kNe && opened.hasEntity);
            EXPECT_EQ(opened.entity.id, selected != 0 ? selected : 1U) << "the NE itself without a selection";
            break;
        case kTargetNeSelection:
            EXPECT_TRUE(opened.hasTarget && opened.neId == kNe && opened.hasEntity);
            EXPECT_EQ(opened.entity.id, selected);
            break;
        default:
            ADD_FAILURE() << "target form " << int{route.targetForm};
        }
        EXPECT_EQ(opened.hasLocation, route.location);
        if (route.location) {
            EXPECT_EQ(opened.locationId, kLocation);
        }
        EXPECT_EQ(opened.hasUserName, route.member);
        if (route.member) {
            EXPECT_EQ(opened.userName, "bob");
        }
        EXPECT_EQ(opened.accessMode, route.accessMode);
        EXPECT_EQ(opened.templateMode, route.templateMode);
        EXPECT_EQ(opened.profileGroup, route.profileGroup);
    }

    ScopedModels models_;
    ScopedWorkDir work_;
    FakeRouteHost host_;
    RecordingServices services_;
    DialogRecorder dialogs_;
    CCommandRouter router_{host_, services_.Make()};
};

TEST_F(CommandTableTest, EveryDeclaredMenuEntryStandsInTheMainMenuFile)
{
    const ContextMenuFile file = LoadContextMenuFile(kResources + "/menus/main_menus.menu");
    ASSERT_TRUE(file.read);
    EXPECT_TRUE(file.faults.empty());
    std::map<int, std::set<std::pair<std::string, std::string>>> found;
    for (const ContextMenu& menu : file.menus) {
        for (const ContextPopup& popup : menu.popups)
            CollectMenuEntries(popup.entries, MenuPathKey(popup.names.front()), found);
    }
    for (const CommandDeclaration* command : DeclaredCommands()) {
        for (const MenuPlacement& placement : command->placements) {
            SCOPED_TRACE(testing::Message() << command->id << " " << placement.popupPath);
            EXPECT_EQ(found[command->id].count({MenuPathKey(placement.popupPath), placement.text}), 1U)
                << "no entry \"" << placement.text << "\" of the command in that popup";
        }
    }
}

TEST_F(CommandTableTest, EveryRoutedCommandReachesItsDialogOrHandler)
{
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 2, 3);
    const CEntityIndex slot = CEntityIndex::FromLevels(1, 1, 2);
    const CEntityIndex none;
    int routed = 0;
    for (const CommandDeclaration* command : DeclaredCommands()) {
        if (!command->route)
            continue;
        const CommandRoute& route = *command->route;
        SCOPED_TRACE(testing::Message() << route.id << " " << route.target);
        ++routed;
        switch (route.kind) {
        case RouteKind::Dialog:
            for (const CEntityIndex& selection : {port, none}) {
                Run(route.id, selection);
                if (route.id == kTrunkPortCommand && selection.GetLevel() != 4) {
                    EXPECT_TRUE(dialogs_.opened.empty());
                    continue;
                }
                ExpectOpened(route, route.target, selection);
            }
            break;
        case RouteKind::Port:
            Run(route.id, port);
            ExpectOpened(route, route.target, port);
            Run(route.id, slot);
            ExpectOpened(route, kPortSelectionDlg, slot);
            EXPECT_EQ(dialogs_.opened.at(0).portSelMode, route.portSelMode);
            break;
        case RouteKind::Slot:
            Run(route.id, slot);
            ASSERT_EQ(dialogs_.opened.size(), 1U) << "a slot is selected: no slot selection";
            EXPECT_EQ(dialogs_.opened[0].className, route.target);
            EXPECT_EQ(dialogs_.opened[0].entity.id, CEntityId(&slot).id);
            EXPECT_EQ(dialogs_.opened[0].accessMode, route.accessMode);
            break;
        case RouteKind::Mode:
            Run(route.id, port, true);
            ExpectOpened(route, route.target, port);
            Run(route.id, port, false);
            ASSERT_EQ(dialogs_.opened.size(), 1U);
            EXPECT_FALSE(dialogs_.opened[0].className.empty());
            break;
        case RouteKind::Check:
            // A check or a query first: a dialog opens or a request goes out.
            Run(route.id, port);
            EXPECT_EQ(dialogs_.opened.size() + services_.requests.size() >= 1, true);
            if (command->dialogClass && !dialogs_.opened.empty()) {
                EXPECT_EQ(dialogs_.opened[0].className, route.target);
            }
            break;
        case RouteKind::Request:
            // Asked first, answered No: nothing sent; or sent at once (Alarm Sync).
            Run(route.id, port);
            EXPECT_TRUE(services_.questions.size() == 1 ? services_.requests.empty() : !services_.requests.empty());
            EXPECT_TRUE(dialogs_.opened.empty());
            if (route.right.IsSet()) {
                SetUserRights(kRoleAdministrator, std::string(127, '-').c_str());
                Run(route.id, port);
                EXPECT_TRUE(services_.requests.empty() && services_.questions.empty()) << "denied: nothing asked";
                EXPECT_EQ(services_.statuses, std::vector<uint32_t>{kStrNoPrivilege});
                GrantAll(kRoleAdministrator);
            }
            break;
        case RouteKind::Toggle:
            host_.toggled.clear();
            Run(route.id, none);
            EXPECT_EQ(host_.toggled, std::vector<int>{route.id});
            break;
        case RouteKind::Window: {
            const int raised = host_.pduLogRaised;
            Run(route.id, none);
            EXPECT_EQ(host_.pduLogRaised, raised + 1);
            break;
        }
        case RouteKind::Stop: {
            const int cancels = services_.cancels;
            Run(route.id, none);
            EXPECT_EQ(services_.cancels, cancels + 1);
            break;
        }
        case RouteKind::Outside: {
            const size_t outside = services_.helpFiles.size() + services_.telnetNes.size();
            Run(route.id, none);
            EXPECT_EQ(services_.helpFiles.size() + services_.telnetNes.size(), outside + 1);
            break;
        }
        case RouteKind::None:
            Run(route.id, port);
            EXPECT_TRUE(dialogs_.opened.empty() && services_.requests.empty() && services_.questions.empty());
            break;
        }
    }
    EXPECT_GE(routed, 145) << "the main window's commands";
}

} // namespace
