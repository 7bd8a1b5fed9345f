#pragma once
// The requests the program sent, as its PDU log wrote them when they went out: the NE id, operation and code each
// went with, read at the wire. The log is written when the peer is started with WithPduLog(), and is the process's
// (one program per test).

#include "tests/e2e/support/e2e_harness.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace e2e {

struct SentRequest {
    uint32_t operation = 0;
    uint32_t neId = 0;
    uint32_t code = 0;
    uint32_t recordSize = 0;
};

// The peer options with the program's PDU log written to its file.
inline PeerOptions WithPduLog()
{
    PeerOptions options;
    options.iniExtra = "[PDULOG]\nPDULOGTOFILE=1\n";
    return options;
}

// Oldest first, the part the log turned over to PDU.bak first.
inline std::vector<SentRequest> SentRequests(const CProgram& program)
{
    std::vector<SentRequest> sent;
    for (const char* name : {"PDU.bak", "PDU.log"}) {
        std::ifstream log(program.WorkDir().Path() / name);
        std::string line;
        while (std::getline(log, line)) {
            if (line.find(" SEND op=") == std::string::npos)
                continue;
            const auto field = [&line](const char* key) {
                const size_t at = line.find(key);
                return at == std::string::npos ? 0u
                                               : static_cast<uint32_t>(std::stoul(line.substr(at + std::strlen(key))));
            };
            sent.push_back({field(" op="), field(" ne="), field(" code="), field(" size=")});
        }
    }
    return sent;
}

// The NE ids of the requests of one operation and code, in the order they went.
inline std::vector<uint32_t> SentNeIds(const CProgram& program, uint32_t operation, uint32_t code)
{
    std::vector<uint32_t> neIds;
    for (const SentRequest& request : SentRequests(program)) {
        if (request.operation == operation && request.code == code)
            neIds.push_back(request.neId);
    }
    return neIds;
}

} // namespace e2e
