// The checks of an SNMP manager's address, in their order: given at all, one a host may have, not one of the NE's
// own; another manager's address, a DNS or a time server's may be shared, and a query that fails is no reservation.

#include "features/management/ne_access/manager_address_check.h"

#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/request_codes.h"
#include "tests/link/scripted_ems_channel.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    bool blank;
    IpAddress address;
    bool networkFails;
    ManagerAddressVerdict expected;
};

TEST(CheckManagerAddress, TheAddressIsGivenAHostsAndNotTheNesOwn)
{
    const Case cases[] = {
        {"no address typed", true, {}, false, ManagerAddressVerdict::kIncorrect},
        {"a loopback address", false, {127, 0, 0, 1}, false, ManagerAddressVerdict::kIncorrect},
        {"a multicast address", false, {224, 0, 0, 1}, false, ManagerAddressVerdict::kIncorrect},
        {"the broadcast address", false, {255, 255, 255, 255}, false, ManagerAddressVerdict::kIncorrect},
        {"0.0.0.0 is taken as given", false, {0, 0, 0, 0}, false, ManagerAddressVerdict::kAccepted},
        {"the NE's interface", false, {10, 10, 1, 1}, false, ManagerAddressVerdict::kReserved},
        {"the NE's gateway", false, {10, 10, 1, 254}, false, ManagerAddressVerdict::kReserved},
        {"another manager's address", false, {192, 0, 2, 9}, false, ManagerAddressVerdict::kAccepted},
        {"the NE's DNS server", false, {10, 0, 0, 53}, false, ManagerAddressVerdict::kAccepted},
        {"a free host", false, {192, 0, 2, 10}, false, ManagerAddressVerdict::kAccepted},
        {"the NE's addresses not to be had", false, {192, 0, 2, 10}, true, ManagerAddressVerdict::kReserved},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        CScriptedEmsChannel peer;
        NeNetworkConfigRec own;
        own.ugeIp = {10, 10, 1, 1};
        own.gateway = {10, 10, 1, 254};
        if (test.networkFails)
            peer.Fail(kReqNeNetworkConfig, kDrvTimeout);
        else
            peer.Answer(kReqNeNetworkConfig, std::vector<NeNetworkConfigRec>{own});
        peer.Answer(kReqNeDns, std::vector<NeDnsServerRec>{{{10, 0, 0, 53}, {}, {}}});
        peer.Answer(kReqNeSnmpManager, std::vector<NeSnmpManagerRecord>{{{192, 0, 2, 9}, "traps", 1, 1}});
        EXPECT_EQ(CheckManagerAddress(test.blank, test.address, 1, 0, CRecordRequests(peer.Channel())), test.expected);
        // The DNS servers and the managers are not asked about.
        EXPECT_EQ(peer.Asked(kReqNeDns), 0);
        EXPECT_EQ(peer.Asked(kReqNeSnmpManager), 0);
    }
}

} // namespace
