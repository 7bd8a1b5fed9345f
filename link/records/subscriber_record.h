#pragma once
// SubscriberRecord (288 bytes, requests 400 query, 401 add or modify, 402 delete): one DSL subscriber as the management
// server keeps it: who the subscriber is, the NE port that serves them, their class and service type. A query sends
// SubscriberCriteria and the NE to search as the request's NE id (0 all NEs); the reply's total is the number of
// subscribers that match and its records the window asked for.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kSubscriberRecordSize = 288;
inline constexpr size_t kSubscriberCriteriaSize = 56;
inline constexpr size_t kSubscriberTextWidth = 21; // ID, name, telephone, mobile, and the patterns
inline constexpr size_t kSubscriberEmailWidth = 61;
inline constexpr size_t kSubscriberAddressWidth = 121;

// A subscriber is named by its port and ID. The row number leads the key only because the key leads the record: the
// workstation sends it as 0.
struct SubscriberRecord {
    uint32_t rowNumber = 0;       // position in the server's whole result for the criteria, from 1
    uint32_t neId = 0;            // the NE of the subscriber's port
    uint32_t entityId = 0;        // packed entity id of the port
    std::string subscriberId;     // at most 20 characters
    std::string name;             // at most 20 characters
    uint32_t serviceType = 0;     // 1 PPPoE, 2 Fixed-IP, 3 DHCP
    uint32_t subscriberClass = 0; // 1 home user, 2 enterprise user
    std::string telephone;        // at most 20 characters
    std::string mobile;           // at most 20 characters
    std::string email;            // at most 60 characters
    std::string address;          // at most 120 characters
    bool operator==(const SubscriberRecord&) const = default;
};

template <> struct RecordTable<SubscriberRecord> {
    using R = SubscriberRecord;
    static constexpr const char* kName = "SubscriberRecord";
    static constexpr uint32_t kSize = kSubscriberRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::rowNumber>("rowNumber", 0).Key(),
        U32<&R::neId>("neId", 4).Key(),
        U32<&R::entityId>("entityId", 8).Key(),
        Text<&R::subscriberId>("subscriberId", 12, kSubscriberTextWidth).Key(),
        Text<&R::name>("name", 33, kSubscriberTextWidth),
        Reserved(54, 2),
        U32<&R::serviceType>("serviceType", 56),
        U32<&R::subscriberClass>("subscriberClass", 60),
        Text<&R::telephone>("telephone", 64, kSubscriberTextWidth),
        Text<&R::mobile>("mobile", 85, kSubscriberTextWidth),
        Text<&R::email>("email", 106, kSubscriberEmailWidth),
        Text<&R::address>("address", 167, kSubscriberAddressWidth),
    };
};

// What a query looks for: a window of the subscribers that match. A pattern that begins with "*" matches the rest of
// it anywhere in the field; an empty pattern matches every value.
struct SubscriberCriteria {
    std::string idPattern;
    std::string namePattern;
    uint32_t scopeEntityId = 0; // packed entity id of a shelf, slot or port of the NE; 0 the whole NE
    uint32_t firstRow = 0;      // from 1
    uint32_t rowCount = 0;
    bool operator==(const SubscriberCriteria&) const = default;
};

template <> struct RecordTable<SubscriberCriteria> {
    using R = SubscriberCriteria;
    static constexpr const char* kName = "SubscriberCriteria";
    static constexpr uint32_t kSize = kSubscriberCriteriaSize;
    static constexpr RecordField kFields[] = {
        Text<&R::idPattern>("idPattern", 0, kSubscriberTextWidth),
        Text<&R::namePattern>("namePattern", 21, kSubscriberTextWidth),
        Reserved(42, 2),
        U32<&R::scopeEntityId>("scopeEntityId", 44),
        U32<&R::firstRow>("firstRow", 48),
        U32<&R::rowCount>("rowCount", 52),
    };
};
