// Each IGMP dialog opens on its defaults when the NE does not answer its query: an aging time of 30 seconds, 2 query
// retries (the robustness), a query response interval of 100 and immediate leave on. No server answers here.

#include "tests/features/provisioning/made_up_nes.h"

#include "features/provisioning/igmp/igmp_proxy_dlg.h"
#include "features/provisioning/igmp/igmp_snoop_proxy_dlg.h"
#include "features/provisioning/igmp/igmp_snooping_dlg.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

// An edit's text, or "on" / "off" for a check box.
struct Shown {
    int id;
    const char* text;
};

class IgmpDefaultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        made_up::InstallMadeUpNes();
        AppData().role = kRoleUser;
        std::string rights(127, '-');
        rights[35] = 'a';
        SetUserRights(kRoleUser, rights.c_str());
    }
    void TearDown() override
    {
        ClearUserRights();
        AppData().Reset();
        ReplaceEntityModels(nullptr);
    }

    template <typename Dlg> void ExpectOpensWith(std::initializer_list<Shown> fields)
    {
        bool shown = false;
        RunFromOpener<Dlg>(
            runner_, opener_,
            [](Dlg& dlg) {
                const CEntityIndex ne = CEntityIndex::FromLevels(1);
                const CEntityId target(&ne);
                dlg.SetTarget(static_cast<int>(made_up::kSingleNe), &target);
            },
            [&](Dlg& dlg) {
                shown = true;
                for (const Shown& field : fields) {
                    SCOPED_TRACE(field.id);
                    QString text;
                    if (const auto* edit = dlg.template GetDlgItemAs<QLineEdit>(field.id))
                        text = edit->text();
                    else if (const auto* box = dlg.template GetDlgItemAs<QAbstractButton>(field.id))
                        text = box->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
                    EXPECT_EQ(text.toStdString(), field.text);
                }
            });
        EXPECT_TRUE(shown);
    }

    ScriptedModalRunner runner_;
    ScriptedMessageBoxes boxes_;
    CTestDlg opener_;
};

TEST_F(IgmpDefaultsTest, EachDialogShowsItsDefaultsWithoutAnAnswer)
{
    // Snooping: aging 1095. Proxy: robustness 1095, interval 1097, immediate leave 1059.
    ExpectOpensWith<CIgmpSnoopingDlg>({{1095, "30"}});
    ExpectOpensWith<CIgmpProxyDlg>({{1095, "2"}, {1097, "100"}, {1059, "on"}});
    // Combined: snooping aging 1392, interval 1099, retries 1101, leave 1060; proxy interval 1097, retries 1095,
    // leave 1059.
    ExpectOpensWith<CIgmpSnoopProxyDlg>(
        {{1392, "30"}, {1099, "100"}, {1101, "2"}, {1060, "on"}, {1097, "100"}, {1095, "2"}, {1059, "on"}});
}

} // namespace
