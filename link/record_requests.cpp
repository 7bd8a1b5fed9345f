#include "link/record_requests.h"

#include "link/driver_mode.h"
#include "link/link_ui.h"
#include "link/records/ne_alarm_log_range_rec.h"

#include <algorithm>

EmsChannel CurrentDriverChannel()
{
    EmsChannel channel;
    channel.request = [](EmsMsg& request, EmsMsg** reply, uint32_t failureTextId, int32_t timeoutMs, bool waitDialog) {
        return GetCurrentDriver().RequestEmsMsg(&request, reply, failureTextId, timeoutMs, waitDialog);
    };
    channel.send = [](EmsMsg& request) { return GetCurrentDriver().SendEmsMsg(&request, 0); };
    return channel;
}

EmsChannel DriverChannel(CNetDrv& driver)
{
    EmsChannel channel;
    channel.request = [&driver](EmsMsg& request, EmsMsg** reply, uint32_t failureTextId, int32_t timeoutMs,
                                bool waitDialog) {
        return driver.RequestEmsMsg(&request, reply, failureTextId, timeoutMs, waitDialog);
    };
    channel.send = [&driver](EmsMsg& request) { return driver.SendEmsMsg(&request, 0); };
    return channel;
}

const RequestSpec& CRecordRequests::Spec(uint16_t code)
{
    static const RequestSpec unknown;
    const RequestEntry entry = FindRequest(code);
    return entry.spec != nullptr ? *entry.spec : unknown;
}

uint16_t CRecordRequests::SiblingCode(uint16_t code, RequestRole role)
{
    const RequestEntry entry = FindRequest(code);
    if (entry.spec == nullptr)
        return 0;
    if (entry.role == role)
        return code; // the caller named the sibling itself
    switch (role) {
    case RequestRole::kAdd:
        return entry.spec->addCode;
    case RequestRole::kDelete:
        return entry.spec->deleteCode;
    case RequestRole::kDeleteAll:
        return entry.spec->deleteAllCode;
    case RequestRole::kQueryModify:
        break;
    }
    return entry.spec->code;
}

bool CRecordRequests::FitsQuery(uint16_t code, uint32_t size)
{
    const RequestEntry entry = FindRequest(code);
    return entry.spec == nullptr || size == entry.spec->QueryBodySize() || size == entry.spec->recordSize;
}

bool CRecordRequests::FitsDirectQuery(uint16_t code, uint32_t recordSize, uint32_t bodySize)
{
    const RequestEntry entry = FindRequest(code);
    return entry.spec != nullptr && entry.spec->direct.record != nullptr &&
           entry.spec->direct.record->size == recordSize && entry.spec->direct.range != DirectRange::kAll &&
           bodySize == kNeAlarmLogRangeRecSize;
}

CRecordRequests::Sent CRecordRequests::Refused()
{
    Sent sent;
    sent.outcome.result = kDrvInvalidParameter;
    sent.outcome.text = GetDriverErrorText(kDrvInvalidParameter);
    return sent;
}

CRecordRequests::Sent CRecordRequests::Exchange(uint8_t operation, uint16_t code, uint32_t neId,
                                                const std::vector<uint8_t>& body, uint32_t count,
                                                const RequestOptions& options) const
{
    if (code == 0 || count == 0 || !channel_.request)
        return Refused(); // a family without the sibling asked for, or nothing to write
    Sent sent;
    sent.code = code;
    EmsMsg request;
    BuildEmsMsg(&request, operation, code, static_cast<uint32_t>(body.size() / count), body.data(), neId);
    request.count = static_cast<int32_t>(count);
    EmsMsg* reply = nullptr;
    sent.outcome.result =
        channel_.request(request, &reply, options.failureTextId, options.timeoutMs, options.waitDialog);
    sent.reply = reply;
    if (reply != nullptr)
        sent.outcome.total = reply->total;
    if (sent.outcome.result == kDrvTextReply && reply != nullptr && reply->records != nullptr) {
        // The record is one zero-terminated text; it ends at the reply's end at the latest.
        const auto* text = static_cast<const char*>(reply->records);
        const size_t size = static_cast<size_t>(EmsRecordBytes(*reply));
        sent.outcome.text.assign(text, std::find(text, text + size, '\0'));
    } else if (sent.outcome.result != kDrvOk) {
        sent.outcome.text = GetDriverErrorText(sent.outcome.result);
    }
    return sent;
}

CountReply CRecordRequests::QueryCount(RequestCode<RecordCount> code, uint32_t neId,
                                       const RequestOptions& options) const
{
    const Sent sent = Exchange(kEmsOpQuery, code, neId, Zeros(Spec(code).QueryBodySize()), 1, options);
    CountReply reply;
    static_cast<RequestOutcome&>(reply) = sent.outcome;
    const EmsMsg* msg = sent.reply;
    if (reply.Ok() && msg != nullptr && msg->operation == kEmsOpReply && msg->requestCode == code && msg->count > 0 &&
        msg->records != nullptr && EmsRecordBytes(*msg) >= 2) {
        const auto* word = static_cast<const uint8_t*>(msg->records);
        reply.count = static_cast<uint16_t>(word[0] | (word[1] << 8));
    }
    return reply;
}

void CRecordRequests::Malformed(RequestOutcome& outcome, const RequestOptions& options)
{
    outcome.result = kDrvInvalidFormat;
    outcome.text = GetDriverErrorText(kDrvInvalidFormat);
    if (options.failureTextId != 0)
        GetLinkUi().ShowFailureMessage(options.failureTextId, outcome.result, outcome.text);
}

int CRecordRequests::PostQuery(uint16_t code, uint32_t neId) const
{
    if (!channel_.send)
        return kDrvInvalidParameter;
    const std::vector<uint8_t> body = Zeros(Spec(code).QueryBodySize());
    EmsMsg request;
    BuildEmsMsg(&request, kEmsOpQuery, code, static_cast<uint32_t>(body.size()), body.data(), neId);
    return channel_.send(request);
}

RequestOutcome CRecordRequests::SendPrepared(uint16_t code, uint32_t neId, uint32_t recordSize, uint32_t count,
                                             const std::vector<uint8_t>& records, const RequestOptions& options) const
{
    const RequestEntry entry = FindRequest(code);
    if (entry.spec == nullptr || entry.spec->recordSize != recordSize || count == 0 ||
        records.size() != static_cast<size_t>(recordSize) * count)
        return Refused().outcome;
    return Exchange(kEmsOpModify, code, neId, records, count, options).outcome;
}
