#pragma once
// The requests the program sent, read at the wire from its PDU log: the operation, NE id, code and record size each
// went with. Two sources: the PDU log file, written when the peer is started with WithPduLog() (every request, one
// program per test), and the PDU log window the program always keeps (its last lines).
//
//     EXPECT_EQ(e2e::SentNeIds(program, 1, 520), (std::vector<uint32_t>{1}));              // from the file
//     EXPECT_EQ(e2e::SentRequests(program, 520).value(0), QStringLiteral("op=1 ne=1 code=520"));   // from the window

#include "tests/e2e/support/e2e_harness.h"

#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/shell/app/ems_app.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct SentRequest {
    uint32_t operation = 0;
    uint32_t neId = 0;
    uint32_t code = 0;
    uint32_t recordSize = 0;
};

// One line of the PDU log, when it is a request going out (" SEND op=1 ne=0 code=900 size=8 ...").
inline std::optional<SentRequest> ParseSentRequest(const std::string& line)
{
    if (line.find(" SEND op=") == std::string::npos)
        return std::nullopt;
    const auto field = [&line](const char* key) {
        const size_t at = line.find(key);
        return at == std::string::npos ? 0u : static_cast<uint32_t>(std::stoul(line.substr(at + std::strlen(key))));
    };
    return SentRequest{field(" op="), field(" ne="), field(" code="), field(" size=")};
}

// The settings that have the program write its PDU log to its file.
inline constexpr char kPduLogToFile[] = "[PDULOG]\nPDULOGTOFILE=1\n";

// The peer options with the program's PDU log written to its file.
inline PeerOptions WithPduLog()
{
    PeerOptions options;
    options.iniExtra = kPduLogToFile;
    return options;
}

// From the file, oldest first: the part the log turned over to PDU.bak first.
inline std::vector<SentRequest> SentRequests(const CProgram& program)
{
    std::vector<SentRequest> sent;
    for (const char* name : {"PDU.bak", "PDU.log"}) {
        std::ifstream log(program.WorkDir().Path() / name);
        std::string line;
        while (std::getline(log, line)) {
            if (const std::optional<SentRequest> request = ParseSentRequest(line))
                sent.push_back(*request);
        }
    }
    return sent;
}

// From the file: the NE ids of the requests of one operation and code, in the order they went.
inline std::vector<uint32_t> SentNeIds(const CProgram& program, uint32_t operation, uint32_t code)
{
    std::vector<uint32_t> neIds;
    for (const SentRequest& request : SentRequests(program)) {
        if (request.operation == operation && request.code == code)
            neIds.push_back(request.neId);
    }
    return neIds;
}

// From the window: each request of a code, in the order sent, as "op=1 ne=0 code=900".
inline QStringList SentRequests(CProgram& program, int code)
{
    QStringList sent;
    const CPduLogDlg* log = program.App().GetPduLogWindow();
    if (log == nullptr)
        return sent;
    for (const QString& line : log->Lines()) {
        const std::optional<SentRequest> request = ParseSentRequest(line.toStdString());
        if (request && request->code == static_cast<uint32_t>(code))
            sent << QStringLiteral("op=%1 ne=%2 code=%3").arg(request->operation).arg(request->neId).arg(request->code);
    }
    return sent;
}

} // namespace e2e
