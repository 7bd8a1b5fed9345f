// The SNMP message decoder on arbitrary datagrams: it must refuse or accept without fault, and what it accepts must
// encode and decode back to the same message.

#include "link/snmp/snmp_message.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SnmpMessage message;
    if (DecodeSnmpMessage(data, size, &message) != BerError::None)
        return 0;
    std::vector<uint8_t> encoded;
    BerError again = EncodeSnmpMessage(message, &encoded);
    // A decoded message always fits: our encoding is never longer than the accepted one, save for lengths that
    // the sender wrote in more octets than needed.
    if (again != BerError::None && again != BerError::MessageTooBig)
        std::abort();
    if (again == BerError::None) {
        SnmpMessage back;
        if (DecodeSnmpMessage(encoded.data(), encoded.size(), &back) != BerError::None || !(back == message))
            std::abort();
    }
    return 0;
}
