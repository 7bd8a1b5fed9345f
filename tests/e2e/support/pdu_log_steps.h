#pragma once
// What the program sent, as its PDU log writes it (section PDULOG, PDULOGTOFILE=1): the header line of each request
// holds its operation, NE id and request code. The log turns over to PDU.bak past its size, so both files are read,
// the older first.
//
//     peer.iniExtra = std::string(e2e::kPduLogToFile);
//     const size_t before = e2e::SentNeIds(program, 1, 16).size();
//     ... the operator queries ...
//     EXPECT_EQ(e2e::SentNeIds(program, 1, 16).at(before), 0u);

#include "tests/e2e/support/e2e_harness.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace e2e {

inline constexpr char kPduLogToFile[] = "[PDULOG]\nPDULOGTOFILE=1\n";

// The NE ids of the requests of that operation and code that went out, oldest first.
inline std::vector<uint32_t> SentNeIds(const CProgram& program, unsigned operation, unsigned code)
{
    const std::string head = " SEND op=" + std::to_string(operation) + " ne=";
    const std::string codeField = " code=" + std::to_string(code) + " ";
    std::vector<uint32_t> ids;
    for (const char* name : {"PDU.bak", "PDU.log"}) {
        std::ifstream log(program.WorkDir().Path() / name);
        std::string line;
        while (std::getline(log, line)) {
            const size_t at = line.find(head);
            if (at == std::string::npos || line.find(codeField) == std::string::npos)
                continue;
            ids.push_back(static_cast<uint32_t>(std::stoul(line.substr(at + head.size()))));
        }
    }
    return ids;
}

} // namespace e2e
