#include "features/provisioning/source_macs/mac_check_request.h"

#include "link/record_requests.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning, No the default

} // namespace

std::optional<AclCheckRec> AskMacCheck(uint32_t neId, const AclCheckRec& check)
{
    const CRecordRequests requests;
    if (!requests.Modify(kReqAclCheck, neId, check, {.failureTextId = kStrFailToUpdateData}).Ok())
        return std::nullopt;
    const RecordReply<AclCheckRec> reply =
        requests.Query(kReqAclCheck, neId, AclCheckRec{}, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return std::nullopt;
    // The verdict is on the MAC, PVC and kind asked about.
    AclCheckRec judged = reply.records.front();
    judged.kind = check.kind;
    judged.portId = check.portId;
    judged.vpi = check.vpi;
    judged.vci = check.vci;
    return judged;
}

bool AcceptMacVerdict(CADialog& dialog, const SourceMacVerdict& verdict)
{
    if (verdict.action == SourceMacAction::kRefuse) {
        dialog.ShowAlertTextById(verdict.messageId, verdict.controlId);
        return false;
    }
    return verdict.action != SourceMacAction::kConfirm || ShowMessageById(verdict.messageId, kConfirmFlags) == IDYES;
}
