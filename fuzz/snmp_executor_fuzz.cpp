// The SNMP driver's request executor and table walker against an NE that answers whatever the input says. The
// first bytes choose the request code, the operation, the version and the request records; the rest scripts the
// NE's responses, each built against the request it answers (see snmp_fuzz_input.h). A reply the executor accepts
// must hold whole records of its code, its rows in index order and inside the range the request named.
#include "fuzz/snmp_fuzz_input.h"
#include "link/driver_result.h"
#include "link/records/ne_alarm_log_range_rec.h"
#include "link/records/record_bytes.h"
#include "link/snmp/snmp_request_executor.h"
#include "tests/link/snmp_test_support.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <mutex>
#include <optional>
#include <vector>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "snmp_executor_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

constexpr size_t kMaxResponseBindings = 64;

// The script of the current input, read by the responder's thread while the executor waits for it.
std::mutex g_scriptMutex;
CFuzzBytes* g_script = nullptr;

SnmpMessage Respond(CFuzzBytes& in, const SnmpMessage& request)
{
    const SnmpPdu& pdu = request.pdu;
    const size_t asked = pdu.varbinds.size();
    const bool walk = pdu.type == SnmpPduType::GetNextRequest || pdu.type == SnmpPduType::GetBulkRequest;
    if (in.Empty()) {
        // The NE has nothing more: the end of its view for a walk, success for a SET, a failure for a GET.
        if (walk && request.version == SnmpVersion::V2c) {
            std::vector<SnmpVarBind> ends;
            for (const SnmpVarBind& vb : pdu.varbinds)
                ends.push_back({vb.oid, SnmpValue::Exception(SnmpType::EndOfMibView)});
            return snmp_test::ResponseTo(request, kSnmpNoError, 0, ends);
        }
        if (walk)
            return snmp_test::ResponseTo(request, kSnmpNoSuchName, 1, pdu.varbinds);
        const int32_t status = pdu.type == SnmpPduType::SetRequest ? kSnmpNoError : kSnmpGenErr;
        return snmp_test::ResponseTo(request, status, 0, pdu.varbinds);
    }
    const uint8_t control = in.Byte();
    if (control >= 0xE0) {
        const int32_t status = in.Byte() % 20;
        return snmp_test::ResponseTo(request, status, in.Byte() % (static_cast<int32_t>(asked) + 2), pdu.varbinds);
    }
    size_t count = asked;
    if ((control & 0x10) != 0)
        count = in.Byte() % 16;
    else if (pdu.type == SnmpPduType::GetBulkRequest)
        count = asked * static_cast<size_t>(std::max(pdu.MaxRepetitions(), 1));
    count = std::min(count, kMaxResponseBindings);
    std::vector<SnmpVarBind> bindings;
    for (size_t i = 0; i < count && asked != 0; ++i) {
        // Repeated bindings of a GETBULK follow on from the previous row of their column.
        const CSnmpOid& base = i >= asked ? bindings[i - asked].oid : pdu.varbinds[i].oid;
        CSnmpOid oid = FuzzSnmpOid(in, base);
        bindings.push_back({std::move(oid), FuzzSnmpValue(in)});
    }
    return snmp_test::ResponseTo(request, kSnmpNoError, 0, bindings);
}

// A response that would not reach the executor (one that does not encode, or that the session drops as malformed,
// such as an error-index beyond the bindings) goes out as a genErr instead, so that no input waits for the time-out.
std::optional<SnmpMessage> Script(const SnmpMessage& request)
{
    std::lock_guard<std::mutex> lock(g_scriptMutex);
    if (g_script == nullptr)
        return std::nullopt;
    SnmpMessage response = Respond(*g_script, request);
    std::vector<uint8_t> bytes;
    SnmpMessage decoded;
    if (EncodeSnmpMessage(response, &bytes) != BerError::None ||
        DecodeSnmpMessage(bytes.data(), bytes.size(), &decoded) != BerError::None)
        return snmp_test::ResponseTo(request, kSnmpGenErr, 0, request.pdu.varbinds);
    return response;
}

snmp_test::CScriptedResponder& Ne()
{
    static snmp_test::CScriptedResponder ne(Script);
    return ne;
}

void CheckReply(const SnmpRequestEntry& entry, const EmsMsg& request, const SnmpReplyData& reply)
{
    Check(reply.requestCode == request.requestCode && reply.operation == kEmsOpReply);
    Check(reply.records.size() == static_cast<size_t>(reply.count) * reply.recordSize);
    Check(reply.total == reply.count);
    if (request.operation != kEmsOpQuery || entry.kind != SnmpEntryKind::Table)
        return;
    Check(reply.recordSize == entry.recordSize);
    Check(reply.count <= kMaxEmsRecordBytes / entry.recordSize);
    NeAlarmLogRangeRec range;
    if (entry.queryRange != SnmpQueryRange::All)
        Check(DecodeRecord(static_cast<const uint8_t*>(request.records), request.recordSize, &range));
    if (entry.queryRange == SnmpQueryRange::FirstCount)
        Check(reply.count <= range.second);
    std::optional<CSnmpOid> previous;
    for (uint32_t r = 0; r < reply.count; ++r) {
        const uint8_t* record = reply.records.data() + static_cast<size_t>(r) * entry.recordSize;
        const CSnmpOid index = EncodeSnmpRowIndex(entry, record);
        Check(!previous || *previous < index);
        previous = index;
        if (entry.queryRange == SnmpQueryRange::FirstLast) {
            const uint32_t number = record_bytes::GetU32(record, 0);
            Check(number >= range.first && number <= range.second);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzBytes in(data, size);
    const auto& entries = DefaultSnmpRequestMap().Entries();
    const uint8_t pick = in.Byte();
    const SnmpRequestEntry& entry = std::next(entries.begin(), pick % entries.size())->second;
    const uint8_t flags = in.Byte();

    // The request as a dialog builds it: a range record for the alarm log, whole records for a write.
    EmsMsg request;
    request.requestCode = entry.code;
    request.operation = (flags & 1) != 0 ? kEmsOpModify : kEmsOpQuery;
    request.neId = 1;
    std::vector<uint8_t> records;
    if (request.operation == kEmsOpQuery && entry.queryRange != SnmpQueryRange::All) {
        NeAlarmLogRangeRec range;
        range.first = (flags & 0x80) != 0 ? in.U32() : in.Byte();
        range.second = (flags & 0x80) != 0 ? in.U32() : in.Byte();
        const auto bytes = EncodeRecord(range);
        records.assign(bytes.begin(), bytes.end());
        request.recordSize = kNeAlarmLogRangeRecSize;
        request.count = 1;
    } else if (request.operation == kEmsOpModify && entry.recordSize != 0) {
        request.count = 1 + (flags >> 5) % 3;
        request.recordSize = entry.recordSize;
        records = in.Bytes(static_cast<size_t>(request.count) * entry.recordSize);
        records.resize(static_cast<size_t>(request.count) * entry.recordSize);
    }
    request.records = records.empty() ? nullptr : records.data();

    snmp_test::CScriptedResponder& ne = Ne();
    CSnmpSession session;
    SnmpSessionConfig config;
    config.agent = ne.Endpoint();
    config.community = "private";
    config.version = (flags & 2) != 0 ? SnmpVersion::V2c : SnmpVersion::V1;
    config.timeoutMs = 2000; // every request is answered: only a stalled machine waits this long
    config.retries = 0;
    if (session.Open(config) != kDrvOk)
        return 0;
    CSnmpRequestExecutor executor(DefaultSnmpRequestMap(), session);
    executor.SetMaxRepetitions((flags >> 2) % 8);

    {
        std::lock_guard<std::mutex> lock(g_scriptMutex);
        g_script = &in;
    }
    SnmpReplyData reply;
    const int result = executor.Execute(request, &reply);
    {
        std::lock_guard<std::mutex> lock(g_scriptMutex);
        g_script = nullptr;
    }
    if (result == kDrvOk)
        CheckReply(entry, request, reply);
    return 0;
}
