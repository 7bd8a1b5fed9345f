#pragma once
// Typed requests: the query, modify, add and delete of a record type and the one-shot actions, over the current
// driver (either link). A request's body comes from its record's field table, or from the request catalogue where
// the caller gives none; the reply's records come back decoded and copied out of the driver, with the result and
// its text:
//
//     CRecordRequests requests;
//     auto reply = requests.Query<NeSnmpCommunityRecord>(kReqNeSnmpCommunity, neId, {.failureTextId =
//     kStrFailToQuery}); if (!reply.Ok())
//         return; // the failure box has been shown: a failure text was given
//     for (const NeSnmpCommunityRecord& community : reply.records)
//         ...
//     requests.Add(kReqNeSnmpCommunity, neId, community, {.failureTextId = kStrAddingNewDataFailed}); // sends the
//     family's add code requests.Action(kReqAlarmSync, neId, {.failureTextId = kStrFailedToSynchronizeNeAlarms}); //
//     one byte of zero, as catalogued
//
// Each call takes the record's type from the code (request_code.h): a record of another type than the code carries,
// or a bare number for a code, does not compile.
//
// The options are RequestEmsMsg's: the failure box shows when a failure text is given, the wait dialog when asked
// for; both belong to the link UI (link_ui.h), so that this stays window-free. A request runs on the caller's thread.

#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/net_drv.h"
#include "link/records/record_codec.h"
#include "link/records/request_catalogue.h"

#include <concepts>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

struct RequestOptions {
    uint32_t failureTextId = 0;                   // the failure box's text; 0 shows no box
    int32_t timeoutMs = CNetDrv::kDefaultTimeout; // negative: the driver's; 0: send and do not wait for the reply
    bool waitDialog = true;
};

struct RequestOutcome {
    int result = kDrvOk; // 0 or a driver result code
    std::string text;    // on failure: the text of a text reply, else the driver's error text
    uint32_t total = 0;  // the reply's total: the number of matches of a paged query
    bool Ok() const { return result == kDrvOk; }
};

// The reply's records, also those of a failure that the far end answered with records (a status word to read).
template <typename Rec> struct RecordReply : RequestOutcome {
    std::vector<Rec> records;
    // The first record's bytes as they came: where a refusal's status word lies outside the record's fields.
    std::vector<uint8_t> firstRecordBytes;
};

// The number a count request answers: the reply's first 16-bit word; none when the reply holds no word.
struct CountReply : RequestOutcome {
    std::optional<uint16_t> count;
};

// The driver calls under the typed requests. The default goes to the current driver; a test of a caller may put a
// recorder of what would be sent in its place.
struct EmsChannel {
    std::function<int(EmsMsg& request, EmsMsg** reply, uint32_t failureTextId, int32_t timeoutMs, bool waitDialog)>
        request;
    std::function<int(EmsMsg& request)> send; // without waiting: the reply reaches the dispatcher
};
EmsChannel CurrentDriverChannel();
// The calls of one driver, whichever is current.
EmsChannel DriverChannel(CNetDrv& driver);

// A query's reply to a code that carries Rec is decoded as Decoded: Rec itself, or void for a reply left to the
// dispatcher.
template <typename Rec, typename Decoded>
concept DecodedAs = std::is_void_v<Decoded> || std::same_as<Decoded, Rec>;

class CRecordRequests {
public:
    CRecordRequests() : CRecordRequests(CurrentDriverChannel()) {}
    explicit CRecordRequests(EmsChannel channel) : channel_(std::move(channel)) {}

    // A query with the catalogue's body. Query(code, neId) leaves the reply to the dispatcher; Query<Rec>(code, neId),
    // Rec being the record the code carries, also returns the reply's records.
    template <typename Decoded = void, DecodedAs<Decoded> Rec>
    auto Query(RequestCode<Rec> code, uint32_t neId, const RequestOptions& options = {}) const
    {
        const Sent sent = Exchange(kEmsOpQuery, code, neId, Zeros(Spec(code).QueryBodySize()), 1, options);
        if constexpr (std::is_void_v<Decoded>)
            return sent.outcome;
        else
            return Collect<Rec>(sent, options);
    }
    // A query with a body of its own: the catalogue's query body (criteria, a range, a selection) or a record of the
    // family that names the records asked for. A body of neither size is refused unsent.
    template <TabledRecord Rec, TabledRecord Body>
    RecordReply<Rec> Query(RequestCode<Rec> code, uint32_t neId, const Body& body,
                           const RequestOptions& options = {}) const
    {
        if (!FitsQuery(code, kRecordSize<Body>))
            return Collect<Rec>(Refused(), options);
        return Collect<Rec>(Exchange(kEmsOpQuery, code, neId, Bytes(body), 1, options), options);
    }

    // A query with the catalogue's body whose reply holds records of another kind than the code carries, as the
    // catalogue says (ReplyOf); refused unsent for a code whose replies are not of that kind.
    template <TabledRecord Reply, typename Rec>
    RecordReply<Reply> QueryReplyOf(RequestCode<Rec> code, uint32_t neId, const RequestOptions& options = {}) const
    {
        if (Spec(code).replyRecord != &kRecordLayout<Reply>)
            return Collect<Reply>(Refused(), options);
        return Collect<Reply>(Exchange(kEmsOpQuery, code, neId, Zeros(Spec(code).QueryBodySize()), 1, options),
                              options);
    }

    // A query of a code whose records are others in direct mode than the server's (328: the server's alarms and
    // events, a page of the NE's own log), with the direct link's body: the reply decoded as the direct record. A
    // code without such a record, or a body of another size than its range, is refused unsent.
    template <TabledRecord DirectRec, typename Rec, TabledRecord Body>
    RecordReply<DirectRec> QueryDirect(RequestCode<Rec> code, uint32_t neId, const Body& body,
                                       const RequestOptions& options = {}) const
    {
        if (!FitsDirectQuery(code, kRecordSize<DirectRec>, kRecordSize<Body>))
            return Collect<DirectRec>(Refused(), options);
        return Collect<DirectRec>(Exchange(kEmsOpQuery, code, neId, Bytes(body), 1, options), options);
    }

    // Writes records with the family's code; the reply holds them as the far end keeps them now.
    template <TabledRecord Rec>
    RecordReply<Rec> Modify(RequestCode<Rec> code, uint32_t neId, const Rec& rec,
                            const RequestOptions& options = {}) const
    {
        return Write(code, neId, std::vector<Rec>{rec}, options);
    }
    // Several records in one request.
    template <TabledRecord Rec>
    RecordReply<Rec> Modify(RequestCode<Rec> code, uint32_t neId, const std::vector<Rec>& recs,
                            const RequestOptions& options = {}) const
    {
        return Write(code, neId, recs, options);
    }
    // `code` is the family's; the request carries its add or delete code. An add's reply holds the record as added
    // (with the id given to it).
    template <TabledRecord Rec>
    RecordReply<Rec> Add(RequestCode<Rec> code, uint32_t neId, const Rec& rec, const RequestOptions& options = {}) const
    {
        return Write(SiblingCode(code, RequestRole::kAdd), neId, std::vector<Rec>{rec}, options);
    }
    // Several records in one add request.
    template <TabledRecord Rec>
    RecordReply<Rec> Add(RequestCode<Rec> code, uint32_t neId, const std::vector<Rec>& recs,
                         const RequestOptions& options = {}) const
    {
        return Write(SiblingCode(code, RequestRole::kAdd), neId, recs, options);
    }
    template <TabledRecord Rec>
    RecordReply<Rec> Delete(RequestCode<Rec> code, uint32_t neId, const Rec& rec,
                            const RequestOptions& options = {}) const
    {
        return Write(SiblingCode(code, RequestRole::kDelete), neId, std::vector<Rec>{rec}, options);
    }

    // Deletes every record of the family with its delete-all code (operation 2, a body of one zero byte).
    template <TabledRecord Rec>
    RequestOutcome DeleteAll(RequestCode<Rec> code, uint32_t neId, const RequestOptions& options = {}) const
    {
        return Exchange(kEmsOpModify, SiblingCode(code, RequestRole::kDeleteAll), neId, Zeros(1), 1, options).outcome;
    }

    // A write (operation 2) that another dialog prepared for its records and hands on, to be sent to one NE after
    // another: `count` records of `recordSize` bytes each, back to back. A code the catalogue does not know, or
    // records of another size than its record, are refused unsent.
    RequestOutcome SendPrepared(uint16_t code, uint32_t neId, uint32_t recordSize, uint32_t count,
                                const std::vector<uint8_t>& records, const RequestOptions& options = {}) const;

    // A one-shot request (operation 2) with the catalogue's body of zeros, or with the record the code carries.
    template <typename Rec>
    RequestOutcome Action(RequestCode<Rec> code, uint32_t neId, const RequestOptions& options = {}) const
    {
        return Exchange(kEmsOpModify, code, neId, Zeros(Spec(code).BodySize()), 1, options).outcome;
    }
    template <TabledRecord Rec>
    RequestOutcome Action(RequestCode<Rec> code, uint32_t neId, const Rec& body,
                          const RequestOptions& options = {}) const
    {
        return Exchange(kEmsOpModify, code, neId, Bytes(body), 1, options).outcome;
    }

    // The number of records of a family, as its count request answers it.
    CountReply QueryCount(RequestCode<RecordCount> code, uint32_t neId, const RequestOptions& options = {}) const;

    // A query with the catalogue's body, sent without waiting: its reply reaches the dispatcher.
    template <typename Rec> int Post(RequestCode<Rec> code, uint32_t neId) const { return PostQuery(code, neId); }

private:
    struct Sent {
        RequestOutcome outcome;
        const EmsMsg* reply = nullptr; // the driver's, valid until its next request
        uint16_t code = 0;             // the request's code, which a reply's records must answer
    };

    static const RequestSpec& Spec(uint16_t code);
    static uint16_t SiblingCode(uint16_t code, RequestRole role);
    // A body of `size` bytes fits a query of `code`: the catalogue's query body or the family's record. A code the
    // catalogue does not know has nothing to check against.
    static bool FitsQuery(uint16_t code, uint32_t size);
    // The code's direct link carries records of `recordSize` other than the server's and takes a range body of
    // `bodySize`.
    static bool FitsDirectQuery(uint16_t code, uint32_t recordSize, uint32_t bodySize);
    // What a request that is not sent answers: an invalid parameter.
    static Sent Refused();
    int PostQuery(uint16_t code, uint32_t neId) const;
    static std::vector<uint8_t> Zeros(uint32_t size) { return std::vector<uint8_t>(size, 0); }
    template <typename Rec> static std::vector<uint8_t> Bytes(const Rec& rec)
    {
        const auto bytes = EncodeRecord(rec);
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }

    // `count` records of body.size() / count bytes each.
    Sent Exchange(uint8_t operation, uint16_t code, uint32_t neId, const std::vector<uint8_t>& body, uint32_t count,
                  const RequestOptions& options) const;
    // A reply whose records are too short for the record fails as a malformed reply.
    static void Malformed(RequestOutcome& outcome, const RequestOptions& options);

    template <typename Rec>
    RecordReply<Rec> Write(uint16_t code, uint32_t neId, const std::vector<Rec>& recs,
                           const RequestOptions& options) const
    {
        return Collect<Rec>(
            Exchange(kEmsOpModify, code, neId, EncodeRecords(recs), static_cast<uint32_t>(recs.size()), options),
            options);
    }
    template <typename Rec> RecordReply<Rec> Collect(const Sent& sent, const RequestOptions& options) const
    {
        RecordReply<Rec> reply;
        static_cast<RequestOutcome&>(reply) = sent.outcome;
        const EmsMsg* msg = sent.reply;
        // Only a reply to this very request carries its records: one naming another code holds none of them.
        if (msg == nullptr || msg->count <= 0 || msg->records == nullptr || msg->operation != kEmsOpReply ||
            msg->requestCode != sent.code)
            return reply;
        const auto* first = static_cast<const uint8_t*>(msg->records);
        reply.firstRecordBytes.assign(first, first + msg->recordSize);
        if (!DecodeRecords(static_cast<const uint8_t*>(msg->records), static_cast<size_t>(msg->count), msg->recordSize,
                           &reply.records) &&
            reply.Ok()) {
            Malformed(reply, options);
        }
        return reply;
    }

    EmsChannel channel_;
};
