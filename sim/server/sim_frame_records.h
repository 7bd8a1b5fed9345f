// What the simulated server's request handlers read of a request frame and of their own answer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/server/frame_codec.h"
#include "sim/server/sim_request_handler.h"

inline const uint8_t* RecordAt(const Frame& frame, uint32_t index)
{
    return frame.payload.data() + static_cast<size_t>(index) * frame.header.recordSize;
}

// The request's records when they are at least `size` bytes each; 0 otherwise.
inline uint32_t RecordsOf(const Frame& frame, size_t size)
{
    return frame.header.recordSize >= size ? frame.header.count : 0;
}

inline bool IsQuery(const Frame& frame)
{
    return frame.header.operation == kEmsOpQuery;
}

inline bool IsModify(const Frame& frame)
{
    return frame.header.operation == kEmsOpModify;
}

// The request was carried out: its answer is a reply without a failure.
inline bool Succeeded(const SimHandled& out)
{
    return !out.replies.empty() && out.replies.front().header.operation == kEmsOpReply &&
           out.replies.front().header.status == kDrvOk;
}
