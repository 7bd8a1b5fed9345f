// The server link's record decoders, the alarm event conversion and the dispatcher's apply rules on arbitrary bytes.
// The first byte chooses what is fed: a record decoder (whose output must reach a fixed point after one encode, and
// the logon record's must read back the same), the conversion of a 328 reply frame, or a message of one of the
// applied codes to the rules, after which the application's tables must still hold together.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "core/entity/entity_model_loader.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "fuzz/record_round_trip.h"
#include "link/records/alarm_ack_rec.h"
#include "link/records/alarm_event_rec.h"
#include "link/records/alarm_query_rec.h"
#include "link/records/alarm_stat_query_rec.h"
#include "link/records/alarm_stat_rec.h"
#include "link/records/location_record.h"
#include "link/records/logon_rec.h"
#include "link/records/operator_mail_record.h"
#include "link/records/request_catalogue.h"
#include "link/records/server_alarm_event_rec.h"
#include "link/records/user_account_record.h"
#include "link/records/user_rights_record.h"
#include "link/server/alarm_event_conversion.h"
#include "link/server/server_dispatch_rules.h"
#include "link/server_message_dispatcher.h"

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "server_records_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

// A small NE model: one shelf of three slots, a card model of four ports.
const char* const kInfo = "[SYSTEM]\nMAXENTITYLEVEL2=2\nMAXENTITYLEVEL3=26\nMAXENTITYLEVEL4=48\n"
                          "[MODEL2]\nNAME=ne\nLEVEL=1\nCHILDCNT=1\nCHILDTYPELIST=10\n"
                          "[MODEL10]\nNAME=shelf\nLEVEL=2\nCHILDCNT=3\nCHILDTYPELIST=2147483647,30,2000000000\n"
                          "[MODEL30]\nNAME=card\nLEVEL=3\nCHILDCNT=4\nCHILDTYPELIST=51,51,51,51\n"
                          "[MODEL31]\nNAME=card2\nLEVEL=3\nCHILDCNT=2\nCHILDTYPELIST=51,51\n"
                          "[MODEL51]\nNAME=port\nLEVEL=4\n";
const char* const kAlarm = "[SYSTEM]\nOFFLINEALARM=0\n[MODEL51]\nALARM1=LOS,3,1,1,0,loss\n";

CAppData& App()
{
    static CAppData* app = [] {
        ReplaceEntityModels(LoadEntityModelSetFromText(kInfo, kAlarm, "").models);
        SetUiThreadId(std::this_thread::get_id());
        auto* data = new CAppData;
        InstallServerDispatchRules(*data);
        return data;
    }();
    return *app;
}

constexpr uint16_t kCodes[] = {
    kReqOperatorMail, kReqUserAccount,    kReqUserAccountAdd, kReqUserAccountDelete, kReqUserRights,  kReqLocation,
    kReqLocationAdd,  kReqLocationDelete, kReqNeKey,          kReqNeKeyAdd,          kReqNeKeyDelete, kReqNeKeyAll,
    kReqBoardSetting, kReqEntityState,    kReqAlarmDef,       kReqEntityStateChange, kReqAlarmAck};

// One message: four bytes (code, NE id, sequence and request operation, record size) and a 16-bit length, then
// the records. Returns the bytes used.
size_t DispatchOne(const uint8_t* data, size_t size)
{
    if (size < 6) {
        return size;
    }
    const uint16_t code = kCodes[data[0] % (sizeof kCodes / sizeof kCodes[0])];
    EmsMsg msg;
    msg.operation = kEmsOpReply;
    msg.requestCode = code;
    msg.neId = data[1] % 4;
    msg.sequence = data[2] & 1;
    msg.reserved = data[2] >> 1 & 3;
    // Mostly the code's own record size, sometimes whatever the bytes say.
    msg.recordSize = (data[3] & 0x80) != 0 ? data[3] & 0x7F : FindRequest(code).spec->recordSize;
    const size_t length = std::min<size_t>(static_cast<size_t>(data[4]) | static_cast<size_t>(data[5]) << 8, size - 6);
    data += 6;
    msg.count = msg.recordSize == 0 ? 0 : static_cast<int32_t>(length / msg.recordSize);
    msg.records = msg.count == 0 ? nullptr : data;
    DispatchServerMessage(&msg);
    return 6 + length;
}

// A run of messages on empty tables, after each of which the tables must hold together.
void Dispatch(const uint8_t* data, size_t size)
{
    CAppData& app = App();
    app.Reset();
    while (size > 0) {
        const size_t used = DispatchOne(data, size);
        data += used;
        size -= used;
        for (CNeRecord* ne = app.nes.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
            Check(ne->root != nullptr);
            Check(app.nes.FindNeById(ne->neId) == ne);
            Check(ne->neSeverity <= 5);
            Check(ne->neSeverity == CEntityNode::GetSummarySeverityById(ne, 1));
        }
        for (const CLocationNode* node = CLocationTree::NextInWalk(&app.locations.Root()); node != nullptr;
             node = CLocationTree::NextInWalk(node)) {
            Check(app.locations.FindLocation(node->id) == node);
            // A location hangs below its parent, or below the root while it waits for it.
            const CLocationNode* parent = node->GetParentNode();
            Check(parent != nullptr);
            Check(parent->id == node->parentId || parent->id == 0);
        }
    }
}

void LogonRoundTrip(const uint8_t* data, size_t size)
{
    LogonRec rec;
    if (!DecodeLogonRec(data, size, rec)) {
        Check(size != kLogonRecSize);
        return;
    }
    const auto bytes = EncodeRecord(rec);
    LogonRec again;
    Check(DecodeLogonRec(bytes.data(), bytes.size(), again) && again == rec);
}

void ConvertFrame(const uint8_t* data, size_t size)
{
    if (size < 2) {
        return;
    }
    Frame frame;
    frame.header.requestCode = kReqAlarmEvent;
    frame.header.operation = kEmsOpReply;
    frame.header.recordSize = data[0] % 2 == 0 ? kServerAlarmEventRecSize : data[1];
    frame.payload.assign(data + 2, data + size);
    frame.header.count = frame.header.recordSize == 0 ? 0 : static_cast<uint32_t>(size - 2) / frame.header.recordSize;
    frame.payload.resize(static_cast<size_t>(frame.header.count) * frame.header.recordSize);
    const Frame before = frame;
    if (ConvertServerAlarmEventFrame(frame, "<Root>")) {
        Check(frame.header.recordSize == kAlarmEventRecSize);
        Check(frame.payload.size() == static_cast<size_t>(frame.header.count) * kAlarmEventRecSize);
    } else {
        Check(frame.payload == before.payload && frame.header == before.header);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const uint8_t selector = data[0];
    ++data;
    --size;
    switch (selector % 14) {
    case 0:
        CheckRecordRoundTrip<LocationRecord>(data, size);
        break;
    case 1:
        CheckRecordRoundTrip<UserAccountRecord>(data, size);
        break;
    case 2:
        CheckRecordRoundTrip<OperatorMailRecord>(data, size);
        break;
    case 3:
        CheckRecordRoundTrip<AlarmQueryRec>(data, size);
        break;
    case 4:
        CheckRecordRoundTrip<AlarmEventRec>(data, size);
        break;
    case 5:
        CheckRecordRoundTrip<ServerAlarmEventRec>(data, size);
        break;
    case 6:
        CheckRecordRoundTrip<AlarmStatQueryRec>(data, size);
        break;
    case 7:
        CheckRecordRoundTrip<AlarmStatRec>(data, size);
        break;
    case 8:
        CheckRecordRoundTrip<AlarmAckRec>(data, size);
        break;
    case 9:
        CheckRecordRoundTrip<UserRightsRecord>(data, size);
        break;
    case 10:
        ConvertFrame(data, size);
        break;
    case 13:
        LogonRoundTrip(data, size);
        break;
    default:
        Dispatch(data, size);
        break;
    }
    return 0;
}
