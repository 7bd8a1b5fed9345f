// A new multicast channel profile opens on its defaults. A profile given to its editor shows its queue at most
// "urgent" (3) and its downstream rate raised to 32 and lowered to 30000, each taken at the bound and one past it. The
// editor works on the templates here.

#include "tests/features/provisioning/made_up_nes.h"

#include "features/provisioning/profiles/xdsl_mc_channel_profile_dlg.h"
#include "link/records/mc_channel_profile_rec.h"

#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <string>

namespace {

using Dlg = CXdslMcChannelProfileDlg;

class McChannelProfileShownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        AppData().role = kRoleUser;
        SetUserRights(kRoleUser, std::string(127, 'a').c_str());
    }
    void TearDown() override
    {
        ClearUserRights();
        AppData().Reset();
    }

    ScriptedModalRunner runner_;
    ScriptedMessageBoxes boxes_;
    CTestDlg opener_;
};

TEST_F(McChannelProfileShownTest, TheQueueAndTheRateShowWithinTheirRanges)
{
    const struct {
        uint8_t queue;
        uint32_t rate;
        const char* queueShown;
        const char* rateShown;
    } rows[] = {
        {3, 32, "urgent", "32"},
        {4, 31, "urgent", "32"},
        {0, 30000, "low", "30000"},
        {2, 30001, "high", "30000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.queueShown + std::to_string(row.rate));
        McChannelProfileRec rec;
        rec.profileId = 7;
        rec.name = "news";
        rec.groupAddress = {239, 1, 1, 7};
        rec.queue = row.queue;
        rec.downstreamRate = row.rate;
        rec.downstreamRateCopy = row.rate;
        rec.status = 1;
        bool shown = false;
        RunFromOpener<Dlg>(
            runner_, opener_,
            [&](Dlg& dlg) {
                dlg.SetTemplateMode(true);
                dlg.SetRecord(rec);
                dlg.SetAccessMode(kAccessQuery);
            },
            [&](Dlg& dlg) {
                shown = true;
                EXPECT_EQ(dlg.GetDlgItemAs<QComboBox>(Dlg::kQueueId)->currentText().toStdString(), row.queueShown);
                EXPECT_EQ(dlg.GetDlgItemAs<QLineEdit>(Dlg::kRateId)->text().toStdString(), row.rateShown);
            });
        EXPECT_TRUE(shown);
    }
}

// A new profile starts as id 1 on the low queue with a rate of 29984.
TEST_F(McChannelProfileShownTest, ANewProfileOpensOnItsDefaults)
{
    bool shown = false;
    RunFromOpener<Dlg>(
        runner_, opener_,
        [](Dlg& dlg) {
            dlg.SetTemplateMode(true);
            dlg.SetAccessMode(kAccessCreate);
        },
        [&](Dlg& dlg) {
            shown = true;
            EXPECT_EQ(dlg.GetDlgItemAs<QLineEdit>(Dlg::kIdId)->text().toStdString(), "1");
            EXPECT_EQ(dlg.GetDlgItemAs<QComboBox>(Dlg::kQueueId)->currentText().toStdString(), "low");
            EXPECT_EQ(dlg.GetDlgItemAs<QLineEdit>(Dlg::kRateId)->text().toStdString(), "29984");
        });
    EXPECT_TRUE(shown);
}

} // namespace
