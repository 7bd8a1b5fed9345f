// The title line the synchronisation hands the template download dialog: the alarm definitions, then the profile
// classes in a fixed order, whatever the order of the boxes.

#include "features/provisioning/templates/template_sync_dlg.h"
#include "tarvik_test_paths.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

namespace {

struct TitleCase {
    const char* what;
    ProfileSyncRec chosen;
    std::string title;
};

TEST(TemplateSyncTitleTest, TheTitleNamesTheClassesChosen)
{
    LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
    // {first, line, PM threshold, multicast channel, multicast service, IP traffic, alarm definitions}
    const TitleCase cases[] = {
        {"alarm definitions only", {0, 0, 0, 0, 0, 0, 1}, "All Alarm Definitions"},
        {"line and PM with alarm definitions",
         {0, 1, 1, 0, 0, 0, 1},
         "All Alarm Definitions and All xDSL Line Profiles, PM Profiles"},
        {"one profile class", {0, 0, 0, 1, 0, 0, 0}, "All xDSL Multicast Channel Profiles"},
        {"the profiles in their order",
         {0, 1, 1, 1, 1, 1, 0},
         "All xDSL Line Profiles, PM Profiles, IP Traffic Profiles, Multicast Service Profiles, Multicast Channel "
         "Profiles"},
        {"nothing", {}, ""},
    };
    for (const TitleCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ProfileSyncTitle(c.chosen), c.title);
    }
}

} // namespace
