#pragma once
// net-snmp's command-line tools as the interop tests run them: numeric OIDs, `oid = value` lines, raw time ticks and
// numeric enums (-On -OQ -Ot -Oe), a 2-second time-out and one retry; and the lines of what a tool printed.

#include "tests/link/snmp_test_support.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace snmp_test {

// Runs /usr/bin/<tool> on the agent at `endpoint` (ADDR:PORT) with `args` after the agent; its standard output. The
// tool's exit status is expected to be `expectedStatus`.
inline std::string RunSnmpTool(const std::string& tool, const std::string& version, const std::string& community,
                               const std::string& endpoint, const std::vector<std::string>& args,
                               int expectedStatus = 0)
{
    std::vector<std::string> command{
        "/usr/bin/" + tool, "-v", version, "-c", community, "-On", "-OQ", "-Ot", "-Oe", "-t", "2", "-r", "1", endpoint};
    command.insert(command.end(), args.begin(), args.end());
    std::string out;
    EXPECT_EQ(RunCommand(command, &out), expectedStatus) << tool << " " << (args.empty() ? "" : args.front());
    return out;
}

inline std::vector<std::string> TextLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace snmp_test
