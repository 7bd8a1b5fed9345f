#include "core/util/ne_ip_validation.h"

#include "core/util/ip_address.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// A consistent set-up: NME 10.0.0.2/24, UGE 192.168.1.2/24, cascaded root 172.16.0.1/16, gateway in the UGE subnet.
struct Addressing {
    const char* nme = "10.0.0.2";
    const char* nmeMask = "255.255.255.0";
    const char* uge = "192.168.1.2";
    const char* ugeMask = "255.255.255.0";
    const char* root = "172.16.0.1";
    const char* cascadedMask = "255.255.0.0";
    const char* gateway = "192.168.1.1";
};

struct Row {
    const char* what;
    Addressing in;
    int expected;
};

Addressing With(void (*change)(Addressing&))
{
    Addressing a;
    change(a);
    return a;
}

int Validate(const Addressing& a)
{
    const IpAddress nme = ParseIpAddress(a.nme);
    const IpAddress nmeMask = ParseIpAddress(a.nmeMask);
    const IpAddress uge = ParseIpAddress(a.uge);
    const IpAddress ugeMask = ParseIpAddress(a.ugeMask);
    const IpAddress root = ParseIpAddress(a.root);
    const IpAddress cascadedMask = ParseIpAddress(a.cascadedMask);
    const IpAddress gateway = ParseIpAddress(a.gateway);
    return ValidateNeIpInterfaces(nme.data(), nmeMask.data(), uge.data(), ugeMask.data(), root.data(),
                                  cascadedMask.data(), gateway.data());
}

const Row kRows[] = {
    {"consistent", {}, kNeIpConsistent},
    {"no cascaded management", With([](Addressing& a) { a.root = a.cascadedMask = "0.0.0.0"; }), kNeIpConsistent},
    {"gateway in the NME subnet", With([](Addressing& a) { a.gateway = "10.0.0.254"; }), kNeIpConsistent},

    {"NME 0.0.0.0", With([](Addressing& a) { a.nme = "0.0.0.0"; }), kNmeIpFormatError},
    {"NME loopback", With([](Addressing& a) { a.nme = "127.0.0.2"; }), kNmeIpFormatError},
    {"NME multicast", With([](Addressing& a) { a.nme = "224.0.0.2"; }), kNmeIpFormatError},
    {"NME mask not contiguous", With([](Addressing& a) { a.nmeMask = "255.0.255.0"; }), kNmeMaskFormatError},
    {"NME mask empty", With([](Addressing& a) { a.nmeMask = "0.0.0.0"; }), kNmeMaskFormatError},
    {"NME mask /31", With([](Addressing& a) { a.nmeMask = "255.255.255.254"; }), kNmeMaskFormatError},
    {"NME subnet address", With([](Addressing& a) { a.nme = "10.0.0.0"; }), kNmeIpIsSubnetAddress},
    {"NME broadcast", With([](Addressing& a) { a.nme = "10.0.0.255"; }), kNmeIpIsBroadcastAddress},
    {"NME last unicast first octet", With([](Addressing& a) { a.nme = "223.0.0.2"; }), kNeIpConsistent},
    {"NME mask /30", With([](Addressing& a) { a.nmeMask = "255.255.255.252"; }), kNeIpConsistent},
    {"NME mask /1", With([](Addressing& a) { a.nmeMask = "128.0.0.0"; }), kNeIpConsistent},

    {"UGE class E", With([](Addressing& a) { a.uge = "240.1.1.1"; }), kUgeIpFormatError},
    {"UGE mask not contiguous", With([](Addressing& a) { a.ugeMask = "255.255.0.255"; }), kUgeMaskFormatError},
    {"UGE subnet address", With([](Addressing& a) { a.uge = "192.168.1.0"; }), kUgeIpIsSubnetAddress},
    {"UGE broadcast", With([](Addressing& a) { a.uge = "192.168.1.255"; }), kUgeIpIsBroadcastAddress},

    {"root loopback", With([](Addressing& a) { a.root = "127.0.0.1"; }), kRootIpFormatError},
    {"root missing, mask given", With([](Addressing& a) { a.root = "0.0.0.0"; }), kRootIpFormatError},
    {"cascaded mask not contiguous", With([](Addressing& a) { a.cascadedMask = "0.255.255.0"; }),
     kCascadedMaskFormatError},
    {"cascaded mask missing, root given", With([](Addressing& a) { a.cascadedMask = "0.0.0.0"; }),
     kCascadedMaskFormatError},
    {"root subnet address", With([](Addressing& a) { a.root = "172.16.0.0"; }), kRootIpIsSubnetAddress},
    {"root broadcast", With([](Addressing& a) { a.root = "172.16.255.255"; }), kRootIpIsBroadcastAddress},

    {"gateway 0.0.0.0", With([](Addressing& a) { a.gateway = "0.0.0.0"; }), kGatewayFormatError},
    {"gateway multicast", With([](Addressing& a) { a.gateway = "239.1.1.1"; }), kGatewayFormatError},
    {"gateway is the UGE subnet address", With([](Addressing& a) { a.gateway = "192.168.1.0"; }),
     kGatewayIsSubnetAddress},
    {"gateway is the NME subnet address", With([](Addressing& a) { a.gateway = "10.0.0.0"; }), kGatewayIsSubnetAddress},
    {"gateway is the UGE broadcast", With([](Addressing& a) { a.gateway = "192.168.1.255"; }),
     kGatewayIsBroadcastAddress},
    {"gateway is the NME broadcast", With([](Addressing& a) { a.gateway = "10.0.0.255"; }), kGatewayIsBroadcastAddress},
    {"gateway elsewhere", With([](Addressing& a) { a.gateway = "8.8.8.8"; }), kGatewayOutsideNmeAndUge},
    {"gateway in the cascaded subnet", With([](Addressing& a) {
         a.root = "192.168.0.1";
         a.cascadedMask = "255.255.0.0";
     }),
     kGatewayInCascadedSubnet},

    {"NME = UGE", With([](Addressing& a) {
         a.uge = "10.0.0.2";
         a.ugeMask = "255.255.0.0";
         a.gateway = "10.0.0.1";
     }),
     kNmeIpEqualsUgeIp},
    {"NME = root", With([](Addressing& a) { a.root = "10.0.0.2"; }), kNmeIpEqualsRootIp},
    {"NME = gateway", With([](Addressing& a) { a.gateway = "10.0.0.2"; }), kNmeIpEqualsGateway},
    {"UGE = root", With([](Addressing& a) { a.root = "192.168.1.2"; }), kUgeIpEqualsRootIp},
    {"UGE = gateway", With([](Addressing& a) { a.gateway = "192.168.1.2"; }), kUgeIpEqualsGateway},
    {"root = gateway", With([](Addressing& a) { a.root = "192.168.1.1"; }), kRootIpEqualsGateway},

    {"NME and UGE subnets equal", With([](Addressing& a) {
         a.uge = "10.0.0.3";
         a.gateway = "10.0.0.1";
     }),
     kNmeSubnetEqualsUgeSubnet},
    {"UGE subnet inside the NME subnet", With([](Addressing& a) {
         a.nmeMask = "255.255.0.0";
         a.uge = "10.0.7.3";
         a.gateway = "10.0.7.1";
     }),
     kNmeSubnetEqualsUgeSubnet},
    {"NME and cascaded subnets equal", With([](Addressing& a) {
         a.root = "10.0.0.9";
         a.cascadedMask = "255.255.255.0";
     }),
     kNmeSubnetEqualsCascadedSubnet},
    {"UGE and cascaded subnets equal", With([](Addressing& a) {
         a.root = "192.168.1.9";
         a.cascadedMask = "255.255.255.0";
         a.gateway = "10.0.0.1";
     }),
     kUgeSubnetEqualsCascadedSubnet},

    // Earlier checks win over later ones.
    {"bad NME and bad UGE", With([](Addressing& a) { a.nme = a.uge = "0.0.0.0"; }), kNmeIpFormatError},
    {"bad UGE mask and bad gateway", With([](Addressing& a) {
         a.ugeMask = "0.0.0.0";
         a.gateway = "0.0.0.0";
     }),
     kUgeMaskFormatError},
    {"NME = UGE = gateway", With([](Addressing& a) {
         a.uge = a.gateway = "10.0.0.2";
         a.ugeMask = "255.255.255.0";
     }),
     kNmeIpEqualsUgeIp},
};

TEST(ValidateNeIpInterfaces, OneRowPerResult)
{
    std::set<int> seen;
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(Validate(row.in), row.expected);
        seen.insert(row.expected);
    }
    const std::set<int> all = {0,   -11, -12, -13, -14, -21, -22, -23, -24, -31, -32, -33, -34, -41,
                               -42, -43, -44, -45, -51, -52, -53, -54, -55, -56, -61, -62, -63};
    EXPECT_EQ(seen, all);
}

TEST(ValidateNeIpInterfaces, NullCountsAsZero)
{
    const IpAddress nme = ParseIpAddress("10.0.0.2");
    const IpAddress mask = ParseIpAddress("255.255.255.0");
    const IpAddress uge = ParseIpAddress("192.168.1.2");
    const IpAddress gateway = ParseIpAddress("10.0.0.1");
    EXPECT_EQ(
        ValidateNeIpInterfaces(nme.data(), mask.data(), uge.data(), mask.data(), nullptr, nullptr, gateway.data()),
        kNeIpConsistent);
    EXPECT_EQ(ValidateNeIpInterfaces(nullptr, mask.data(), uge.data(), mask.data(), nullptr, nullptr, gateway.data()),
              kNmeIpFormatError);
}

} // namespace
