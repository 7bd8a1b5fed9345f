#include "link/server/server_dispatch_rules.h"

#include <memory>

#include "link/server/account_apply.h"
#include "link/server/alarm_def_apply.h"
#include "link/server/entity_apply.h"
#include "link/server/location_apply.h"
#include "link/server/mail_apply.h"
#include "link/server/ne_apply.h"
#include "link/server_message_dispatcher.h"

namespace {

constexpr uint16_t kRuleCodes[] = {
    kReqOperatorMail, kReqUserAccount,    kReqUserAccountAdd, kReqUserAccountDelete, kReqUserRights,  kReqLocation,
    kReqLocationAdd,  kReqLocationDelete, kReqNeKey,          kReqNeKeyAdd,          kReqNeKeyDelete, kReqNeKeyAll,
    kReqBoardSetting, kReqEntityState,    kReqAlarmDef,       kReqEntityStateChange, kReqAlarmAck};

} // namespace

void InstallServerDispatchRules(CAppData& app, ServerDispatchOptions options)
{
    auto context = std::make_shared<CServerApplyContext>(app, std::move(options));
    using Rule = void (*)(CServerApplyContext&, const EmsMsg&);
    auto bind = [context](Rule rule) {
        return [context, rule](const EmsMsg& msg, CDispatchEffects&) { rule(*context, msg); };
    };
    SetServerMessageRule(kReqOperatorMail,
                         [](const EmsMsg& msg, CDispatchEffects& effects) { ApplyOperatorMail(msg, effects); });
    SetServerMessageRule(kReqUserAccount, bind(ApplyUserAccounts));
    SetServerMessageRule(kReqUserAccountAdd, bind(ApplyUserAccounts));
    SetServerMessageRule(kReqUserAccountDelete, bind(ApplyUserAccountRemoval));
    SetServerMessageRule(kReqUserRights, bind(ApplyUserRights));
    SetServerMessageRule(kReqLocation, bind(ApplyLocations));
    SetServerMessageRule(kReqLocationAdd, bind(ApplyLocations));
    SetServerMessageRule(kReqLocationDelete, bind(ApplyLocationRemoval));
    SetServerMessageRule(kReqNeKey, bind(ApplyNeRecords));
    SetServerMessageRule(kReqNeKeyAdd, bind(ApplyNeRecords));
    SetServerMessageRule(kReqNeKeyDelete, bind(ApplyNeRemoval));
    SetServerMessageRule(kReqNeKeyAll, bind(ApplyNeRecords));
    SetServerMessageRule(kReqBoardSetting, bind(ApplyBoardSettings));
    SetServerMessageRule(kReqEntityState, [context](const EmsMsg& msg, CDispatchEffects& effects) {
        ApplyEntityStates(*context, msg, effects, false);
    });
    SetServerMessageRule(kReqEntityStateChange, [context](const EmsMsg& msg, CDispatchEffects& effects) {
        ApplyEntityStates(*context, msg, effects, true);
    });
    SetServerMessageRule(kReqAlarmDef,
                         [](const EmsMsg& msg, CDispatchEffects&) { ApplyAlarmDefs(ReceivedAlarmDefValues(), msg); });
    SetServerMessageRule(kReqAlarmAck, bind(ApplyAlarmAcks));
    SetServerMessageBatchHook([context](CDispatchEffects&) { context->FinishBatch(); });
}

void RemoveServerDispatchRules()
{
    for (uint16_t code : kRuleCodes) {
        SetServerMessageRule(code, nullptr);
    }
    SetServerMessageBatchHook(nullptr);
}
