#include "link/ems_msg.h"

int BuildEmsMsg(EmsMsg* msg, uint8_t operation, uint16_t requestCode, uint32_t recordSize, const void* record,
                uint32_t neId)
{
    if (msg == nullptr) {
        return -1;
    }
    *msg = EmsMsg{};
    msg->operation = operation;
    msg->requestCode = requestCode;
    msg->neId = neId;
    msg->recordSize = recordSize;
    msg->records = record;
    const bool hasRecord = record != nullptr && recordSize != 0;
    msg->count = hasRecord ? 1 : 0;
    msg->total = 1;
    return 0;
}

uint64_t EmsRecordBytes(const EmsMsg& msg)
{
    if (msg.count <= 0) {
        return 0;
    }
    return static_cast<uint64_t>(msg.count) * msg.recordSize;
}

const uint8_t* EmsRecordAt(const EmsMsg& msg, uint32_t index)
{
    if (msg.records == nullptr || msg.count <= 0 || index >= static_cast<uint32_t>(msg.count) || msg.recordSize == 0) {
        return nullptr;
    }
    return static_cast<const uint8_t*>(msg.records) + static_cast<size_t>(index) * msg.recordSize;
}
