#pragma once
// ServerOptionRecord (208 bytes, request 3 to the server): the management server's own settings: how it polls NEs,
// how long it keeps its logs, the mail server of alarm notification, NE synchronisation and its north-bound SNMP agent
// with up to five NMS managers. A query sends a 1-byte body.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kServerOptionRecordSize = 208;
inline constexpr size_t kServerOptionMailTextWidth = 61; // SMTP server and sender address
inline constexpr size_t kServerOptionCommunityWidth = 21;

// An NMS manager row whose address is 0.0.0.0 is empty.
struct ServerOptionRecord {
    uint8_t snmpTimeout = 0;       // seconds, 1..30
    uint8_t snmpRetries = 0;       // 0..9
    uint32_t alarmPollMinutes = 0; // 0..1440
    uint8_t historyAlarmDays = 0;  // days the history alarms are kept, 1..30
    uint8_t pmDays = 0;            // 15-minute PM and traffic, 1..30
    uint8_t dailyPmDays = 0;       // 1-day PM and traffic, 1..99
    uint16_t opLogDays = 0;        // operator log, 1..365
    std::string smtpServer;        // at most 60 characters
    std::string senderEmail;       // at most 60 characters
    uint32_t profileSync = 0;      // 1 the server synchronises NE profiles
    uint32_t timeSyncSeconds = 0;  // NE date and time synchronisation period; below 3600 it is off
    uint32_t agentPort = 0;        // the north-bound agent's UDP port, 1..65535
    uint32_t trapSending = 0;      // 1 enabled, 0 disabled
    std::string community;         // the north-bound community, at most 20 characters
    std::array<uint8_t, 4> nmsManagerIp1{};
    std::array<uint8_t, 4> nmsManagerIp2{};
    std::array<uint8_t, 4> nmsManagerIp3{};
    std::array<uint8_t, 4> nmsManagerIp4{};
    std::array<uint8_t, 4> nmsManagerIp5{};
    uint16_t nmsTrapPort1 = 0;
    uint16_t nmsTrapPort2 = 0;
    uint16_t nmsTrapPort3 = 0;
    uint16_t nmsTrapPort4 = 0;
    uint16_t nmsTrapPort5 = 0;
    uint32_t allowUnknownManagers = 0; // 1 yes
    bool operator==(const ServerOptionRecord&) const = default;
};

template <> struct RecordTable<ServerOptionRecord> {
    using R = ServerOptionRecord;
    static constexpr const char* kName = "ServerOptionRecord";
    static constexpr uint32_t kSize = kServerOptionRecordSize;
    static constexpr RecordField kFields[] = {
        U8<&R::snmpTimeout>("snmpTimeout", 0),
        U8<&R::snmpRetries>("snmpRetries", 1),
        Reserved(2, 2),
        U32<&R::alarmPollMinutes>("alarmPollMinutes", 4),
        U8<&R::historyAlarmDays>("historyAlarmDays", 8),
        U8<&R::pmDays>("pmDays", 9),
        U8<&R::dailyPmDays>("dailyPmDays", 10),
        Reserved(11, 1),
        U16<&R::opLogDays>("opLogDays", 12),
        Text<&R::smtpServer>("smtpServer", 14, kServerOptionMailTextWidth),
        Text<&R::senderEmail>("senderEmail", 75, kServerOptionMailTextWidth),
        U32<&R::profileSync>("profileSync", 136),
        U32<&R::timeSyncSeconds>("timeSyncSeconds", 140),
        U32<&R::agentPort>("agentPort", 144),
        U32<&R::trapSending>("trapSending", 148),
        Text<&R::community>("community", 152, kServerOptionCommunityWidth).Secret(),
        Ipv4<&R::nmsManagerIp1>("nmsManagerIp1", 173),
        Ipv4<&R::nmsManagerIp2>("nmsManagerIp2", 177),
        Ipv4<&R::nmsManagerIp3>("nmsManagerIp3", 181),
        Ipv4<&R::nmsManagerIp4>("nmsManagerIp4", 185),
        Ipv4<&R::nmsManagerIp5>("nmsManagerIp5", 189),
        Reserved(193, 1),
        U16<&R::nmsTrapPort1>("nmsTrapPort1", 194),
        U16<&R::nmsTrapPort2>("nmsTrapPort2", 196),
        U16<&R::nmsTrapPort3>("nmsTrapPort3", 198),
        U16<&R::nmsTrapPort4>("nmsTrapPort4", 200),
        U16<&R::nmsTrapPort5>("nmsTrapPort5", 202),
        U32<&R::allowUnknownManagers>("allowUnknownManagers", 204),
    };
};
