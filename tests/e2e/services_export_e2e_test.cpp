// The lists of the xDSL services export under their own file stems, TAB-delimited: each list's Export brings up the
// Export dialog with the stem its files are known by, and each profile page of the Profile List with its title too.

#include "tests/e2e/support/export_steps.h"
#include "tests/e2e/support/mc_server_steps.h"
#include "tests/e2e/support/profile_list_steps.h"
#include "tests/e2e/support/rights_steps.h"

#include "features/provisioning/multicast/mc_fast_prov_dlg.h"
#include "features/provisioning/multicast/mc_fast_prov_list_dlg.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "ui/framework/lists/export_dlg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The protocol-based VLAN list has no menu: a toolbar button the operator configures opens it.
constexpr int kCmdProtocolVlans = 33191;
constexpr int kCmdMcFastProvision = 33122;

TEST(ServicesExportE2eTest, EachListExportsUnderItsOwnStem)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.iniExtra = e2e::ToolbarOf(33191);
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::AddBasicServiceProfile(program);
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const struct {
        const char* list;
        int command;
        std::string stem;
    } cases[] = {
        {"ADSL ports", 33130, "xDslLine"},
        {"multicast channels", 33121, "xDslMc"},
        {"configured filtering database", 33211, "xDslFdbConfig"},
        {"next hops", 33053, "xDslIPoAIsp"},
        {"PPPoE sessions", 33210, "xDslPppoeSession"},
        {"protocol-based VLANs", kCmdProtocolVlans, "ProtocolVlan"},
        {"VLAN membership", 33127, "xDslVdb"},
        {"VLAN MAC limits", 33181, "VlanMacLimit"},
    };
    for (const auto& c : cases) {
        std::string stem;
        person.OnDialog<CADialog>([&](CADialog& list) { stem = e2e::ExportStem(program, list); });
        EXPECT_TRUE(e2e::RunCommand(program, c.command)) << c.list;
        EXPECT_EQ(stem, c.stem) << c.list;
    }

    // The ports of a multicast fast provisioning, listed from its List button.
    std::string stem;
    person.OnDialog<CMcFastProvDlg>([&](CMcFastProvDlg& dialog) {
        person.OnDialog<CMcFastProvListDlg>([&](CMcFastProvListDlg& ports) { stem = e2e::ExportStem(program, ports); });
        e2e::Click(dialog, CMcFastProvDlg::kListId);
    });
    ASSERT_TRUE(program.Command(kCmdMcFastProvision));
    EXPECT_EQ(stem, "xDslMcFP");
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// Each profile page of the Profile List exports its list under its own stem and title, through the container's Export.
TEST(ServicesExportE2eTest, EachProfilePageExportsUnderItsStemAndTitle)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    const struct {
        int command;
        int tab;
        std::string stem;
        std::string title;
    } cases[] = {
        {33080, 0, "AdslLineProf", "ADSL Line Profile"},
        {33080, 2, "xDslTrfPoliceProf", "xDSL Traffic Policing Profile"},
        {33175, 0, "xDslIpProf", "xDSL IP Traffic Profile"},
        {33175, 1, "xDslTVProf", "xDSL Multicast Channel Profile"},
        {33175, 2, "xDslMcSvcProf", "xDSL Multicast Service Profile"},
    };
    for (const auto& c : cases) {
        std::string stem;
        std::string title;
        person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            e2e::ClickTab(list, c.tab);
            person.OnDialog<CExportDlg>([&](CExportDlg& exporting) {
                stem = exporting.GetStem();
                title = exporting.GetExportTitle();
                EXPECT_EQ(exporting.GetDelimiter(), '\t');
                return IDCANCEL;
            });
            e2e::Click(list, kExportButtonId);
            return IDCANCEL;
        });
        ASSERT_TRUE(program.Command(c.command)) << c.command;
        EXPECT_EQ(stem, c.stem) << c.command << " tab " << c.tab;
        EXPECT_EQ(title, c.title) << c.command << " tab " << c.tab;
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

} // namespace
