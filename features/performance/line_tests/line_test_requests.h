#pragma once
// The requests of the line tests, by test (loop diagnosis 663, loop monitoring 665, the single-ended loop test 667):
// the port's test state, read as the progress dialog and the test dialogs read it, and the start and stop commands,
// which carry the port (and the loop diagnosis's line profile) in the test's whole control record.
//
//     const std::optional<PolledTest> state = QueryTestState(kind, neId, port, {.failureTextId = kStrFailToQuery});
//     if (!state) return;                 // the driver has shown why
//     if (!state->replied) ...            // a reply without the test's record

#include "features/performance/line_tests/line_test_protocol.h"
#include "link/record_requests.h"

#include <cstdint>
#include <optional>
#include <string>

// The first record of the port's test state; none when the request failed.
std::optional<PolledTest> QueryTestState(LineTestKind kind, uint32_t neId, uint32_t port,
                                         const RequestOptions& options);
// A start or stop command; false when the request failed.
bool SendTestCommand(LineTestKind kind, uint32_t neId, uint32_t port, uint32_t command, const std::string& lineProfile,
                     const RequestOptions& options);
