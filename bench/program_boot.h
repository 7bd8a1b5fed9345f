#pragma once
// What the benchmarks of the running program share: they boot the program in this process as the end-to-end tests
// do (e2e::CProgram: the simulated peer, the real application and main frame offscreen, the login dialog worked by
// script), run its event loop, and read the process's own CPU time and memory. The main of every program_*_bench
// lives here: it makes the application object first.

#include "tests/e2e/support/e2e_harness.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace program_boot {

// The program's own event loop, for a while.
void RunProgramFor(int ms);

// CPU time of this process, all its threads, in seconds.
double ProcessCpuSeconds();

// Resident memory of this process, in bytes; what the allocator holds free but unused is given back first, so that
// a figure taken before a step and one after it differ by what the step keeps.
size_t ResidentBytes();

// Starts the program and logs in through its login dialog; the seconds from the click on Login until the main window
// is shown and has refreshed once, or nothing when the login failed. `atClick` runs just before the click.
std::optional<double> TimedLogin(e2e::CProgram& program, const std::string& user, const std::string& password,
                                 const std::function<void()>& atClick = {});

} // namespace program_boot
