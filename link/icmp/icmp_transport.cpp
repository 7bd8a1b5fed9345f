#include "link/icmp/icmp_transport.h"

#include "link/icmp/system_icmp_transport.h"

#include <mutex>

namespace {

std::mutex& OpenerMutex()
{
    static std::mutex mutex;
    return mutex;
}

IcmpTransportOpener& OpenerSlot()
{
    static IcmpTransportOpener opener;
    return opener;
}

} // namespace

IcmpTransportOpener CurrentIcmpTransportOpener()
{
    std::lock_guard lock(OpenerMutex());
    if (OpenerSlot())
        return OpenerSlot();
    return OpenSystemIcmpTransport;
}

void SetIcmpTransportOpener(IcmpTransportOpener opener)
{
    std::lock_guard lock(OpenerMutex());
    OpenerSlot() = std::move(opener);
}

IcmpTransportOpener KeepingOpenFailure(IcmpTransportOpener open, std::string* reason)
{
    return [open = std::move(open), reason](std::string*) { return open(reason); };
}
