// The request and reply descriptor that every dialog hands to the current driver.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/records/request_codes.h"

// Operation values of a descriptor and of a server frame.
inline constexpr uint8_t kEmsOpQuery = 1;
inline constexpr uint8_t kEmsOpModify = 2;
inline constexpr uint8_t kEmsOpReply = 4;
inline constexpr uint8_t kEmsOpTextReply = 6;

// Most record bytes one request or one reply frame may carry.
inline constexpr uint32_t kMaxEmsRecordBytes = 599956;
// Most record bytes a reply gathered from several frames may hold: the NE table of a network of 100,000 NEs (124
// bytes a record) must fit, and a full page of 5000 alarm records of 120 bytes, or their last records would be lost.
// It bounds what a server that never ends its reply can make the workstation keep.
inline constexpr uint32_t kMaxEmsReplyBytes = 16 * 1024 * 1024;

struct EmsMsg {
    uint32_t reserved = 0; // local; in a reply handed to the dispatcher, the operation of the request it answers
    uint8_t operation = 0;
    uint32_t neId = 0; // 0 addresses the server
    uint16_t requestCode = 0;
    uint32_t total = 0; // number of matches in the reply to a paged query
    int32_t count = 0;  // records at `records`
    uint32_t currentIndex = 0;
    uint32_t recordSize = 0; // bytes of one record
    const void* records = nullptr;
    uint32_t status = 0;
    uint32_t more = 0;
    uint32_t sequence = 0; // 0 = unsolicited
};

// Fills `msg` for one record (count = total = 1); a null record or a zero size leaves the count at 0.
// Returns 0, or -1 when `msg` is null.
int BuildEmsMsg(EmsMsg* msg, uint8_t operation, uint16_t requestCode, uint32_t recordSize, const void* record,
                uint32_t neId);

// Bytes the descriptor's records span (count x record size, 0 for a negative count).
uint64_t EmsRecordBytes(const EmsMsg& msg);

// Record `index` of the descriptor, or null when out of range.
const uint8_t* EmsRecordAt(const EmsMsg& msg, uint32_t index);
