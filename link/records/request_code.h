#pragma once
// A request code together with the record it carries. The typed requests (link/record_requests.h) and the request
// catalogue take the record's type from the code, so that a record of another type, or a bare number, does not
// compile where a code is asked for. It stands for its number wherever one is needed: a switch's case, a frame
// header, a comparison, a map's key.
//
//     inline constexpr RequestCode<LocationRecord> kReqLocation{20}; // request_codes.h
//     requests.Add(kReqLocation, 0, location);                        // a LocationRecord, nothing else
//     header.requestCode = kReqLocation;                              // its number on the wire

#include <cstdint>

// What a code carries when it is no record with a field table. Never defined: they name a body, not a struct.
struct NoRecord;    // a body of one byte that the far end does not read
struct RecordCount; // the number of records of a family, answered as one 16-bit word

template <typename Rec> struct RequestCode {
    using Record = Rec;
    uint16_t value = 0;

    constexpr operator uint16_t() const { return value; }
};
