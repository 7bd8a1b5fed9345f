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

constexpr uint16_t kRuleCodes[] = {8, 10, 13, 14, 15, 20, 21, 22, 30, 31, 32, 33, 323, 325, 327, 330, 333};

} // namespace

void InstallServerDispatchRules(CAppData& app, ServerDispatchOptions options)
{
    auto context = std::make_shared<CServerApplyContext>(app, std::move(options));
    using Rule = void (*)(CServerApplyContext&, const EmsMsg&);
    auto bind = [context](Rule rule) {
        return [context, rule](const EmsMsg& msg, CDispatchEffects&) { rule(*context, msg); };
    };
    SetServerMessageRule(8, [](const EmsMsg& msg, CDispatchEffects& effects) { ApplyOperatorMail(msg, effects); });
    SetServerMessageRule(10, bind(ApplyUserAccounts));
    SetServerMessageRule(13, bind(ApplyUserAccounts));
    SetServerMessageRule(14, bind(ApplyUserAccountRemoval));
    SetServerMessageRule(15, bind(ApplyUserRights));
    SetServerMessageRule(20, bind(ApplyLocations));
    SetServerMessageRule(21, bind(ApplyLocations));
    SetServerMessageRule(22, bind(ApplyLocationRemoval));
    SetServerMessageRule(30, bind(ApplyNeRecords));
    SetServerMessageRule(31, bind(ApplyNeRecords));
    SetServerMessageRule(32, bind(ApplyNeRemoval));
    SetServerMessageRule(33, bind(ApplyNeRecords));
    SetServerMessageRule(323, bind(ApplyBoardSettings));
    SetServerMessageRule(325, [context](const EmsMsg& msg, CDispatchEffects& effects) {
        ApplyEntityStates(*context, msg, effects, false);
    });
    SetServerMessageRule(330, [context](const EmsMsg& msg, CDispatchEffects& effects) {
        ApplyEntityStates(*context, msg, effects, true);
    });
    SetServerMessageRule(327,
                         [](const EmsMsg& msg, CDispatchEffects&) { ApplyAlarmDefs(ReceivedAlarmDefValues(), msg); });
    SetServerMessageRule(333, bind(ApplyAlarmAcks));
    SetServerMessageBatchHook([context](CDispatchEffects&) { context->FinishBatch(); });
}

void RemoveServerDispatchRules()
{
    for (uint16_t code : kRuleCodes) {
        SetServerMessageRule(code, nullptr);
    }
    SetServerMessageBatchHook(nullptr);
}
