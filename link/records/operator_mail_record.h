#pragma once
// OperatorMailRecord (1026 bytes, request 8): a mail between operators, sent through the management server, which
// fills in the sender's address when it delivers it. A mail whose text is ForceLogoutMarker logs its addressee out.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr size_t kOperatorMailRecordSize = 1026;
inline constexpr size_t kOperatorMailNameWidth = 11;
inline constexpr size_t kOperatorMailTextWidth = 1000;

// The text of a forced-logout mail: 29 characters that the mail editor cannot produce (a form feed among them), so
// that no operator's text ever equals it. Sender and receiver share it.
inline constexpr std::string_view ForceLogoutMarker = "\r\n\f\t##FORCE#LOGOUT#MARKER##!\r";
static_assert(ForceLogoutMarker.size() == 29);

struct OperatorMailRecord {
    std::string sender;                // the sender's user name
    std::array<uint8_t, 4> senderIp{}; // first number first; zero from a sending workstation
    std::string addressee;             // the addressee's user name
    std::string text;                  // at most 999 characters
    bool operator==(const OperatorMailRecord&) const = default;
};

template <> struct RecordTable<OperatorMailRecord> {
    using R = OperatorMailRecord;
    static constexpr const char* kName = "OperatorMailRecord";
    static constexpr uint32_t kSize = kOperatorMailRecordSize;
    static constexpr RecordField kFields[] = {
        Text<&R::sender>("sender", 0, kOperatorMailNameWidth),
        Ipv4<&R::senderIp>("senderIp", 11),
        Text<&R::addressee>("addressee", 15, kOperatorMailNameWidth),
        Text<&R::text>("text", 26, kOperatorMailTextWidth),
    };
};

// The text is the force-logout marker.
bool IsForceLogoutMail(const OperatorMailRecord& rec);
