#include "link/icmp/ping_counter.h"

CPingCounter& PingCounter()
{
    static CPingCounter counter;
    return counter;
}

void NewPingId(PingRequest* request, CPingCounter& counter)
{
    if (request == nullptr)
        return;
    request->id = counter.TakeId();
}

void NewPingId(PingRequest* request)
{
    NewPingId(request, PingCounter());
}
