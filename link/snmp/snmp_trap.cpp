#include "link/snmp/snmp_trap.h"

#include "link/records/request_codes.h"
#include "link/snmp/snmp_request_map.h"

#include <array>
#include <optional>

namespace {

// Planned and online types left out of a notification mean "unchanged".
constexpr uint32_t kTypeSame = 0x7FFFFFFE;

// Reads the R.325 columns of one entity out of the bindings, and which columns they were; other bindings are
// ignored.
bool ReadEntityState(const std::vector<SnmpVarBind>& varbinds, EntityStateRec* state, uint32_t* columns)
{
    const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(kReqEntityState);
    if (entry == nullptr)
        return false;
    const CSnmpOid prefix = entry->EntryOid();
    std::array<uint8_t, kEntityStateRecSize> record{};
    EntityStateRec defaults;
    defaults.onlineType = kTypeSame;
    defaults.plannedType = kTypeSame;
    EncodeRecord(defaults, record.data());
    std::optional<CSnmpOid> rowIndex;
    for (const SnmpVarBind& vb : varbinds) {
        if (!prefix.IsPrefixOf(vb.oid) || vb.oid.Size() < prefix.Size() + 2)
            continue;
        const SnmpColumnDef* column = entry->FindColumn(vb.oid[prefix.Size()]);
        if (column == nullptr)
            return false;
        CSnmpOid index = prefix.Appended(vb.oid[prefix.Size()]).SuffixOf(vb.oid);
        if (rowIndex && index != *rowIndex)
            return false; // one notification carries one entity
        if (!rowIndex && !DecodeSnmpRowIndex(*entry, index, record.data()))
            return false;
        rowIndex = index;
        if (StoreSnmpColumnValue(*column, vb.value, record.data()) != SnmpStoreResult::Ok)
            return false;
        if (column->number >= 1 && column->number <= 32)
            *columns |= 1u << (column->number - 1);
    }
    if (!rowIndex)
        return false;
    return DecodeRecord(record.data(), record.size(), state);
}

} // namespace

SnmpTrapDecodeResult DecodeSnmpTrap(const uint8_t* data, size_t size, SnmpTrapEvent* event)
{
    *event = SnmpTrapEvent{};
    if (DecodeSnmpMessage(data, size, &event->message) != BerError::None)
        return SnmpTrapDecodeResult::Malformed;
    const SnmpPdu& pdu = event->message.pdu;
    if (pdu.type == SnmpPduType::TrapV1) {
        event->upTime = pdu.timeStamp;
        if (pdu.genericTrap == kSnmpTrapColdStart) {
            event->kind = SnmpTrapKind::ColdStart;
        } else if (pdu.genericTrap == kSnmpTrapWarmStart) {
            event->kind = SnmpTrapKind::WarmStart;
        } else if (pdu.genericTrap == kSnmpTrapEnterpriseSpecific && pdu.enterprise == SnmpTrapEnterpriseOid() &&
                   pdu.specificTrap == kSnmpEntityStateChangeSpecific) {
            event->kind = SnmpTrapKind::EntityStateChange;
        }
    } else if (pdu.type == SnmpPduType::TrapV2 || pdu.type == SnmpPduType::InformRequest) {
        event->inform = pdu.type == SnmpPduType::InformRequest;
        // Every v2c notification starts with sysUpTime.0 and snmpTrapOID.0.
        if (pdu.varbinds.size() < 2 || pdu.varbinds[0].oid != SnmpSysUpTimeOid() ||
            pdu.varbinds[0].value.type != SnmpType::TimeTicks || pdu.varbinds[1].oid != SnmpTrapOidOid() ||
            pdu.varbinds[1].value.type != SnmpType::ObjectId)
            return SnmpTrapDecodeResult::BadContent;
        event->upTime = static_cast<uint32_t>(pdu.varbinds[0].value.number);
        const CSnmpOid& trapOid = pdu.varbinds[1].value.oid;
        if (trapOid == SnmpColdStartOid())
            event->kind = SnmpTrapKind::ColdStart;
        else if (trapOid == SnmpWarmStartOid())
            event->kind = SnmpTrapKind::WarmStart;
        else if (trapOid == SnmpEntityStateChangeTrapOid())
            event->kind = SnmpTrapKind::EntityStateChange;
    } else {
        return SnmpTrapDecodeResult::NotANotification;
    }
    if (event->kind == SnmpTrapKind::EntityStateChange &&
        !ReadEntityState(pdu.varbinds, &event->state, &event->stateColumns))
        return SnmpTrapDecodeResult::BadContent;
    return SnmpTrapDecodeResult::Ok;
}

bool EncodeInformResponse(const SnmpMessage& inform, std::vector<uint8_t>* out)
{
    if (inform.pdu.type != SnmpPduType::InformRequest)
        return false;
    SnmpMessage response = inform;
    response.pdu.type = SnmpPduType::Response;
    response.pdu.errorStatus = kSnmpNoError;
    response.pdu.errorIndex = 0;
    return EncodeSnmpMessage(response, out) == BerError::None;
}

SnmpMessage BuildEntityStateChangeTrap(SnmpVersion version, const std::string& community, uint32_t upTime,
                                       const EntityStateRec& state, int32_t requestId,
                                       const std::array<uint8_t, 4>& agentAddress)
{
    SnmpMessage message;
    message.version = version;
    message.community = community;
    SnmpPdu& pdu = message.pdu;
    if (version == SnmpVersion::V1) {
        pdu.type = SnmpPduType::TrapV1;
        pdu.enterprise = SnmpTrapEnterpriseOid();
        pdu.agentAddress = agentAddress;
        pdu.genericTrap = kSnmpTrapEnterpriseSpecific;
        pdu.specificTrap = kSnmpEntityStateChangeSpecific;
        pdu.timeStamp = upTime;
    } else {
        pdu.type = SnmpPduType::TrapV2;
        pdu.requestId = requestId;
        pdu.varbinds.push_back({SnmpSysUpTimeOid(), SnmpValue::TimeTicks(upTime)});
        pdu.varbinds.push_back({SnmpTrapOidOid(), SnmpValue::ObjectId(SnmpEntityStateChangeTrapOid())});
    }
    const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(kReqEntityState);
    auto record = EncodeRecord(state);
    const CSnmpOid index = EncodeSnmpRowIndex(*entry, record.data());
    for (const SnmpColumnDef& column : entry->columns)
        pdu.varbinds.push_back({entry->ColumnOid(column).Appended(index), SnmpColumnValue(column, record.data())});
    return message;
}
