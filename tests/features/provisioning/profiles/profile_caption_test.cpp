// The captions of the profile windows in both link modes: the window's caption with what it shows, and in front of it
// the NE with its location at a server ("[location:NE]"), the NE alone in direct mode, or "{Template}".

#include "tests/ui/framework/framework_test_support.h"

#include "core/config/app_settings.h"
#include "core/tables/app_data.h"
#include "features/provisioning/profiles/profile_caption.h"
#include "platform/scripted_runners.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ProfileCaptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        AppData().Reset();
        AppSettings() = CAppSettings{};
        CLocationNode location;
        location.id = 10;
        location.name = "Lab";
        AppData().locations.UpsertLocation(location);
        CNeRecord ne;
        ne.neId = 5;
        ne.locationId = 10;
        ne.name = "North-1";
        ne.address = {10, 0, 0, 5};
        AppData().nes.AddNe(ne);
    }
    void TearDown() override
    {
        AppData().Reset();
        AppSettings() = CAppSettings{};
    }
    ScriptedModalRunner unattended_;
};

TEST_F(ProfileCaptionTest, TheTargetStandsInFrontOfTheCaptionAndWhatItShows)
{
    const struct {
        bool direct;
        bool templateMode;
        const char* shown;
        const char* before;
        const char* expected;
    } rows[] = {
        {false, false, "fast-8M", "", "[Lab:North-1] Base : fast-8M"},
        {false, false, "<new>", "", "[Lab:North-1] Base : <new>"},
        {false, false, "", "ADSL ", "[Lab:North-1] ADSL Base"},
        {true, false, "fast-8M", "", "[North-1] Base : fast-8M"},
        {true, false, "", "SHDSL ", "[North-1] SHDSL Base"},
        {false, true, "fast-8M", "", "{Template} Base : fast-8M"},
        {false, true, "", "VLAN ", "{Template} VLAN Base"},
        {true, true, "<new>", "", "{Template} Base : <new>"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected);
        AppSettings().directControl = row.direct;
        CTestDlg dialog;
        dialog.Create();
        dialog.SetTarget(5, nullptr);
        SetProfileCaption(dialog, row.templateMode, row.shown, row.before);
        EXPECT_EQ(dialog.windowTitle().toStdString(), row.expected);
        dialog.DestroyWindow();
    }
}

} // namespace
