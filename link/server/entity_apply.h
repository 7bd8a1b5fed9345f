// Apply rules of the entity model: boards (request 323), entity states (325 replies and 330 notifications) and
// acknowledgements (333). The records name entities of the message's NE.
#pragma once

#include "link/dispatch_effects.h"
#include "link/server/server_apply_context.h"

// 323: each board record sets its slot's types (the slot's children follow the online model) and the slot's
// component flags.
void ApplyBoardSettings(CServerApplyContext& context, const EmsMsg& msg);
// 325 and 330: each record sets the alarm state of its entity's node; records whose entity has no node change
// nothing. With `toTrapLog` the whole batch then goes to the trap log.
void ApplyEntityStates(CServerApplyContext& context, const EmsMsg& msg, CDispatchEffects& effects, bool toTrapLog);
// 333: each record sets the acknowledgement of its entity's node; an empty person means not acknowledged.
void ApplyAlarmAcks(CServerApplyContext& context, const EmsMsg& msg);
