#pragma once
// What the workstation's ping and traceroute dialogs share for the whole run of the program: their output texts,
// their counters and their worker threads. Each run works on its own copy of its request on a worker thread and
// appends its lines to its output, which the dialog shows. The client ping, the traceroute's hops and the
// reachability checks each take ids from a counter of their own, so that none of them cuts another short.
//
//     PingRequest request = ...;                      // from the dialog's controls
//     NewPingId(&request, ClientEcho().pingCounter);  // ends the ping in progress
//     ClientEcho().workers.Start([request] { RunClientPing(request, ClientEcho().pingCounter,
//                                                          CurrentIcmpTransportOpener()); });

#include "link/icmp/echo_workers.h"
#include "link/icmp/icmp_transport.h"
#include "link/icmp/ping_counter.h"
#include "link/icmp/ping_output.h"
#include "link/icmp/ping_request.h"
#include "link/icmp/traceroute.h"

#include <cstdint>

struct ClientEchoState {
    ClientEchoState();
    ClientEchoState(const ClientEchoState&) = delete;
    ClientEchoState& operator=(const ClientEchoState&) = delete;

    CPingOutput pingOutput;
    CPingOutput traceOutput;
    CPingCounter& pingCounter; // the program-wide counter of the client ping (PingCounter())
    CTraceCounters traces;     // a newer trace, or the dialog's closing, ends the one before
    // Last, so that the workers are joined before what they use goes.
    CEchoWorkers workers;
};

ClientEchoState& ClientEcho();

// One ping of the ping dialog, on the calling thread: IcmpPing of the request (whose output it appends to) on the
// counter ("failed to create ICMP file" alone when no ICMP socket can be opened). Returns IcmpPing's result.
int32_t RunClientPing(PingRequest request, const CPingCounter& counter, const IcmpTransportOpener& open);
