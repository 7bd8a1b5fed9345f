// The notification path on arbitrary datagrams: classification, the entityStateChange content and the receiver's
// counting never fault, and every datagram is counted exactly once.

#include "link/snmp/snmp_trap.h"
#include "link/snmp/snmp_trap_receiver.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SnmpTrapEvent event;
    SnmpTrapDecodeResult result = DecodeSnmpTrap(data, size, &event);
    if (result == SnmpTrapDecodeResult::Ok && event.inform) {
        std::vector<uint8_t> response;
        EncodeInformResponse(event.message, &response);
    }

    static CSnmpTrapReceiver receiver; // never opened: informs are not answered
    SnmpTrapReceiverStats before = receiver.Stats();
    receiver.HandleDatagram(data, size, {{127, 0, 0, 1}, 162}, [](const SnmpTrapEvent&, const UdpEndpoint&) {});
    SnmpTrapReceiverStats after = receiver.Stats();
    uint64_t counted = (after.accepted - before.accepted) + (after.malformed - before.malformed) +
                       (after.notNotifications - before.notNotifications) +
                       (after.foreignSource - before.foreignSource);
    if (after.datagrams != before.datagrams + 1 || counted != 1)
        std::abort();
    if ((result == SnmpTrapDecodeResult::Ok) != (after.accepted == before.accepted + 1))
        std::abort();
    return 0;
}
