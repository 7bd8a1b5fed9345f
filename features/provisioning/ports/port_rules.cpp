#include "features/provisioning/ports/port_rules.h"

#include "features/provisioning/ports/adsl_port_list_dlg.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <algorithm>
#include <array>

namespace {

using List = CAdslPortListDlg;

// Buttons a planned NE offers: those that need no answer from the NE's lines.
constexpr std::array kPlannedButtons = {kShowButtonId, kModifyButtonId, List::kVcVlanButtonId, List::kMcChannelButtonId,
                                        List::kProfileButtonId};
constexpr std::array kRuledButtons = {kShowButtonId,
                                      kModifyButtonId,
                                      List::kVcVlanButtonId,
                                      List::kMcChannelButtonId,
                                      List::kRateStatusButtonId,
                                      List::kProfileButtonId,
                                      List::kResetPortButtonId,
                                      List::kCurrentPmButtonId,
                                      List::kHistoryPmButtonId,
                                      List::kLongTermPmButtonId};
constexpr std::array kRowButtons = {kShowButtonId, kModifyButtonId, List::kResetPortButtonId};

template <size_t N> bool Holds(const std::array<int, N>& buttons, int id)
{
    return std::find(buttons.begin(), buttons.end(), id) != buttons.end();
}

} // namespace

std::optional<bool> PortListButtonEnabled(PortListNe ne, bool rowSelected, int buttonId)
{
    if (!Holds(kRuledButtons, buttonId))
        return true;
    switch (ne) {
    case PortListNe::kUnknown:
        return std::nullopt;
    case PortListNe::kPlanned:
        return Holds(kPlannedButtons, buttonId);
    case PortListNe::kDisconnected:
        return false;
    case PortListNe::kConnected:
        break;
    }
    return rowSelected || !Holds(kRowButtons, buttonId);
}

PolicingVerdict JudgePolicing(bool conflictingPvc, bool changesDscp, bool serviceTypeControl)
{
    if (!conflictingPvc)
        return PolicingVerdict::kWrite;
    if (changesDscp && serviceTypeControl)
        return PolicingVerdict::kRefuseDscp;
    return serviceTypeControl ? PolicingVerdict::kWrite : PolicingVerdict::kAskNoControl;
}
