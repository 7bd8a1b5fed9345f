// The port list's enable rules by the NE's state and the selection, and the port dialog's decision on a traffic
// policing profile.

#include "features/provisioning/ports/port_rules.h"

#include "features/provisioning/ports/adsl_port_list_dlg.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <gtest/gtest.h>

namespace {

using List = CAdslPortListDlg;

struct EnableCase {
    PortListNe ne;
    bool rowSelected;
    int button;
    std::optional<bool> enabled;
};

TEST(PortRulesTest, TheNesStateAndTheSelectionDecideTheListsButtons)
{
    const EnableCase cases[] = {
        {PortListNe::kUnknown, true, kShowButtonId, std::nullopt},
        {PortListNe::kUnknown, false, List::kRateStatusButtonId, std::nullopt},
        {PortListNe::kPlanned, false, kShowButtonId, true},
        {PortListNe::kPlanned, true, kModifyButtonId, true},
        {PortListNe::kPlanned, true, List::kVcVlanButtonId, true},
        {PortListNe::kPlanned, true, List::kMcChannelButtonId, true},
        {PortListNe::kPlanned, true, List::kProfileButtonId, true},
        {PortListNe::kPlanned, true, List::kResetPortButtonId, false},
        {PortListNe::kPlanned, true, List::kRateStatusButtonId, false},
        {PortListNe::kPlanned, true, List::kCurrentPmButtonId, false},
        {PortListNe::kPlanned, true, List::kHistoryPmButtonId, false},
        {PortListNe::kPlanned, true, List::kLongTermPmButtonId, false},
        {PortListNe::kDisconnected, true, kShowButtonId, false},
        {PortListNe::kDisconnected, true, List::kProfileButtonId, false},
        {PortListNe::kDisconnected, true, List::kLongTermPmButtonId, false},
        {PortListNe::kConnected, false, kShowButtonId, false},
        {PortListNe::kConnected, false, kModifyButtonId, false},
        {PortListNe::kConnected, false, List::kResetPortButtonId, false},
        {PortListNe::kConnected, false, List::kCurrentPmButtonId, true},
        {PortListNe::kConnected, false, List::kVcVlanButtonId, true},
        {PortListNe::kConnected, true, List::kResetPortButtonId, true},
        {PortListNe::kConnected, true, kShowButtonId, true},
        // Outside the rule: always on.
        {PortListNe::kDisconnected, false, List::kSubscriberButtonId, true},
        {PortListNe::kPlanned, false, kExportButtonId, true},
    };
    for (const EnableCase& c : cases) {
        EXPECT_EQ(PortListButtonEnabled(c.ne, c.rowSelected, c.button), c.enabled)
            << "NE state " << static_cast<int>(c.ne) << ", row " << c.rowSelected << ", button " << c.button;
    }
}

struct PolicingCase {
    bool conflictingPvc;
    bool changesDscp;
    bool serviceTypeControl;
    PolicingVerdict verdict;
};

TEST(PortRulesTest, APolicingProfileMeetsThePortsPppoeTrafficAndTheCardsServiceTypeControl)
{
    const PolicingCase cases[] = {
        {false, false, false, PolicingVerdict::kWrite},       {false, true, false, PolicingVerdict::kWrite},
        {false, true, true, PolicingVerdict::kWrite},         {true, false, true, PolicingVerdict::kWrite},
        {true, true, true, PolicingVerdict::kRefuseDscp},     {true, true, false, PolicingVerdict::kAskNoControl},
        {true, false, false, PolicingVerdict::kAskNoControl},
    };
    for (const PolicingCase& c : cases) {
        EXPECT_EQ(JudgePolicing(c.conflictingPvc, c.changesDscp, c.serviceTypeControl), c.verdict)
            << c.conflictingPvc << c.changesDscp << c.serviceTypeControl;
    }
}

} // namespace
