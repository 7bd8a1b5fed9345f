#include "link/server/entity_apply.h"

#include "core/entity/entity_type_ids.h"
#include "core/tables/entity_node.h"
#include "core/util/severity.h"
#include "link/driver_logs.h"
#include "link/records/alarm_ack_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/entity_state_rec.h"

#include <utility>

namespace {

constexpr uint32_t kComponentSettingFlags = kComponentVtp | kComponentVcm | kComponentTag | kComponentUtg | 0x10u;
constexpr uint32_t kEnabled = 1;
constexpr uint32_t kAal5VcMux = 0;
constexpr uint32_t kTaggedOnly = 1;

CEntityNode* FindNode(CNeRecord* ne, uint32_t entityId)
{
    return ne == nullptr || ne->root == nullptr ? nullptr : ne->root->FindById(entityId);
}

// A type of 0 names no model: the record leaves the node's types as they are. A planned type of 0 keeps the
// planned type.
// An online type of 0 names no model and leaves the node alone; "unchanged" keeps the type (and the planned type,
// unless the record names one), so that a record that reports only a severity never rebuilds the subtree.
void SetTypes(CEntityNode& node, uint32_t type, uint32_t plannedType)
{
    if (type == 0) {
        return;
    }
    if (type == kPlannedTypeSame) {
        if (plannedType == 0 || plannedType == kPlannedTypeSame) {
            return;
        }
        type = node.GetType();
    }
    node.SetType(type, plannedType == 0 ? node.GetPlannedType() : plannedType);
}

uint32_t ComponentFlagsOf(const BoardSettingRec& rec)
{
    uint32_t flags = 0;
    if (rec.runtimeVlanTagPassThrough == kEnabled) {
        flags |= kComponentVtp;
    }
    if (rec.aal5Encapsulation == kAal5VcMux) {
        flags |= kComponentVcm;
    }
    flags |= rec.runtimeTaggedMode == kTaggedOnly ? kComponentTag : kComponentUtg;
    return flags;
}

void ApplyState(CEntityNode& node, const EntityStateRec& rec)
{
    node.SetStateBits(rec.stateBits);
    node.severity = static_cast<uint8_t>(NormalizeSeverity(rec.severity));
    SetTypes(node, rec.onlineType, rec.plannedType);
    node.alarmMasked = rec.alarmMasked != 0;
    CEntityAlarmDetail detail;
    detail.secondaryStatus = rec.secondaryStatus;
    detail.ackFlag = rec.acknowledged;
    // An acknowledged state carries the acknowledging person in its text and the time in its value.
    if (rec.acknowledged != 0) {
        detail.ackPerson = rec.text;
        detail.ackTime = rec.value;
    }
    detail.occurTime = rec.occurTime;
    detail.receiveTime = rec.receiveTime;
    detail.alarmClass = rec.alarmClass;
    node.SetAlarmDetail(std::move(detail));
}

} // namespace

void ApplyBoardSettings(CServerApplyContext& context, const EmsMsg& msg)
{
    const uint32_t count = UsableRecordCount(msg, kBoardSettingRecSize).value_or(0);
    CNeRecord* ne = context.App().nes.FindNeById(msg.neId);
    if (count == 0 || ne == nullptr) {
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        BoardSettingRec rec;
        DecodeRecord(EmsRecordAt(msg, i), kBoardSettingRecSize, &rec);
        CEntityNode* node = FindNode(ne, rec.entityId);
        if (node == nullptr) {
            continue;
        }
        SetTypes(*node, rec.onlineType, rec.plannedType);
        // The settings of a board that is not there mean nothing.
        const uint32_t flags = node->IsEmptyOrUnknown() ? 0 : ComponentFlagsOf(rec);
        node->componentFlags = (node->componentFlags & ~kComponentSettingFlags) | flags;
    }
    context.TouchNe(ne->neId);
}

void ApplyEntityStates(CServerApplyContext& context, const EmsMsg& msg, CDispatchEffects& effects, bool toTrapLog)
{
    const uint32_t count = UsableRecordCount(msg, kEntityStateRecSize).value_or(0);
    if (count == 0) {
        return;
    }
    CNeRecord* ne = context.App().nes.FindNeById(msg.neId);
    if (ne != nullptr) {
        for (uint32_t i = 0; i < count; ++i) {
            EntityStateRec rec;
            DecodeRecord(EmsRecordAt(msg, i), kEntityStateRecSize, &rec);
            if (CEntityNode* node = FindNode(ne, rec.entityId); node != nullptr) {
                ApplyState(*node, rec);
            }
        }
        context.TouchNeAlarms(ne->neId);
    }
    if (toTrapLog) {
        effects.AddTrapLogRecords(msg.neId, static_cast<const uint8_t*>(msg.records), count,
                                  static_cast<uint32_t>(kEntityStateRecSize));
    }
}

void ApplyAlarmAcks(CServerApplyContext& context, const EmsMsg& msg)
{
    const uint32_t count = UsableRecordCount(msg, kAlarmAckRecSize).value_or(0);
    CNeRecord* ne = context.App().nes.FindNeById(msg.neId);
    if (count == 0 || ne == nullptr) {
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        AlarmAckRec rec;
        DecodeRecord(EmsRecordAt(msg, i), kAlarmAckRecSize, &rec);
        CEntityNode* node = FindNode(ne, rec.entityId);
        if (node == nullptr) {
            continue;
        }
        CEntityAlarmDetail detail = node->GetAlarmDetail();
        detail.ackFlag = rec.person.empty() ? 0 : 1;
        detail.ackPerson = rec.person;
        detail.ackTime = rec.person.empty() ? 0 : rec.ackTime;
        node->SetAlarmDetail(std::move(detail));
    }
}
