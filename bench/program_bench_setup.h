#pragma once
// The setup the benchmarks of a list in the running program share: a clock in milliseconds, the head of a scenario of
// the simulated server with the admin account and one NE, Full-48 (an IPD-48, NE 1), and the program started on the
// simulated server, logged in as admin, with Full-48 chosen.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <ostream>

namespace program_boot {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The scenario's server, rights, admin account and Full-48; the NE's own sections follow.
inline void WriteFull48WorldHead(std::ostream& ini)
{
    ini << "[SERVER]\nMODELS=" << TARVIK_RESOURCES_DIR << "/EntConf\n\n[RIGHTS]\nADMINISTRATOR=a*127\n"
        << "MANAGER=m*127\nUSER=q*127\n\n[UserAccountRecord.1]\nname=admin\npassword=admin\nroleLetter=A\n\n"
        << "[NeKeyRecord.1]\nneId=1\nneName=Full-48\nmodelId=4\nipAddress=10.30.1.1\nport=161\n"
        << "snmpCommunity=public\n";
}

// Starts the simulated server with `options` and logs in as admin; false, with the benchmark told why, when that
// failed.
inline bool StartAndLogIn(e2e::CProgram& program, benchmark::State& state, const e2e::PeerOptions& options)
{
    if (program.StartServer(options) && program.Login("admin", "admin"))
        return true;
    state.SkipWithError("the program could not log in to the simulated server");
    return false;
}

// Starts the simulated server on the scenario `world` (one whose head is Full-48's), logs in as admin and chooses
// Full-48 in the tree; false, with the benchmark told why, when the login failed.
inline bool StartOnFull48(e2e::CProgram& program, benchmark::State& state, const std::filesystem::path& world)
{
    e2e::PeerOptions options;
    options.args = {"--scenario", world.string()};
    if (!StartAndLogIn(program, state, options))
        return false;
    program.ClickTreeItem(program.TreeItem(QStringLiteral("Full-48")));
    return true;
}

} // namespace program_boot
