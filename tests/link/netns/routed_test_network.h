#pragma once
// Three network namespaces made for one test, client - router - target, joined by veth pairs on documentation ranges
// with no way out of them. The router forwards, answers TTL expiry and an unreachable route at once, and silently
// drops a blackhole route; the client allows ping sockets. Needs root and the ip tool; Create says why it cannot be
// made elsewhere. The namespaces go with the object.
//
//     CRoutedTestNetwork network;
//     if (std::string why = network.Create(); !why.empty()) GTEST_SKIP() << why;
//     ASSERT_FALSE(network.Failed());
//     SetIcmpTransportOpener(network.ClientOpener(IcmpTestTransport::kSystem)); // echoes leave from the client

#include "tests/link/netns/icmp_test_network.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

class CRoutedTestNetwork {
public:
    static constexpr PingAddress kClient{198, 51, 100, 1};
    static constexpr PingAddress kRouterNear{198, 51, 100, 2};
    static constexpr PingAddress kTarget{203, 0, 113, 2};
    static constexpr PingAddress kUnreachable{203, 0, 113, 130}; // in the router's unreachable route
    static constexpr PingAddress kSilent{203, 0, 113, 70};       // in the router's blackhole route

    CRoutedTestNetwork() = default;
    CRoutedTestNetwork(const CRoutedTestNetwork&) = delete;
    CRoutedTestNetwork& operator=(const CRoutedTestNetwork&) = delete;
    ~CRoutedTestNetwork()
    {
        for (const std::string& name : created_)
            Shell("ip netns del " + name);
    }

    // Empty when the network is up, or when a step failed (Failed() then says which); otherwise why namespaces cannot
    // be made here.
    std::string Create()
    {
        if (::geteuid() != 0)
            return "needs root to create network namespaces";
        if (!Shell("command -v ip"))
            return "the ip tool (iproute2) is not installed";
        const std::string tag = UniqueTag();
        client_ = tag + "-c";
        router_ = tag + "-r";
        target_ = tag + "-t";
        if (!Shell("ip netns add " + client_))
            return "ip netns add fails here: no network namespaces";
        created_.push_back(client_);
        const std::string c = "ip -n " + client_ + " ";
        const std::string r = "ip -n " + router_ + " ";
        const std::string t = "ip -n " + target_ + " ";
        const std::vector<std::string> commands = {
            "ip netns add " + router_,
            "ip netns add " + target_,
            c + "link add c0 type veth peer name r0 netns " + router_,
            r + "link add r1 type veth peer name t0 netns " + target_,
            c + "addr add 198.51.100.1/30 dev c0",
            c + "link set lo up",
            c + "link set c0 up",
            c + "route add default via 198.51.100.2",
            r + "addr add 198.51.100.2/30 dev r0",
            r + "addr add 203.0.113.1/30 dev r1",
            r + "link set lo up",
            r + "link set r0 up",
            r + "link set r1 up",
            r + "route add unreachable 203.0.113.128/25",
            r + "route add blackhole 203.0.113.64/26",
            t + "addr add 203.0.113.2/30 dev t0",
            t + "link set lo up",
            t + "link set t0 up",
            t + "route add default via 203.0.113.1",
        };
        for (const std::string& command : commands) {
            if (!Shell(command)) {
                failed_ = command;
                return {};
            }
            if (command == "ip netns add " + router_)
                created_.push_back(router_);
            else if (command == "ip netns add " + target_)
                created_.push_back(target_);
        }
        // Every error answer is wanted, however fast the tests ask.
        const std::vector<std::vector<std::string>> settings = {
            {router_, "net/ipv4/ip_forward", "1"},
            {router_, "net/ipv4/icmp_ratelimit", "0"},
            {client_, "net/ipv4/ping_group_range", "0 2147483647"},
        };
        for (const auto& setting : settings) {
            if (!SetSysctl(setting[0], setting[1], setting[2])) {
                failed_ = setting[0] + " " + setting[1];
                return {};
            }
        }
        return {};
    }

    // The step of Create that failed; empty when none did.
    const std::string& Failed() const { return failed_; }
    const std::string& Client() const { return client_; }
    const std::string& Router() const { return router_; }
    const std::string& Target() const { return target_; }

    // Writes a /proc/sys value of a namespace (on a thread of its own); false when it cannot.
    static bool SetSysctl(const std::string& ns, const std::string& path, const std::string& value)
    {
        bool done = false;
        RunOnOwnThread([&] { done = EnterNamedNamespace(ns).empty() && WriteThreadSysctl(path, value); });
        return done;
    }

    // The target answers at most one echo a second to each sender after a burst of six, as over a link that loses
    // packets: a run of echoes sent one after the other loses some of its replies.
    bool MakeTargetLossy() const
    {
        return SetSysctl(target_, "net/ipv4/icmp_ratemask", "6169") &&
               SetSysctl(target_, "net/ipv4/icmp_ratelimit", "1000");
    }

    // An opener that opens the transport of `kind` in the client namespace, on whatever thread it is called: the
    // thread steps into the namespace for the opening only, and the socket stays there.
    IcmpTransportOpener ClientOpener(IcmpTestTransport kind) const
    {
        return [kind, client = client_](std::string* why) -> std::unique_ptr<IcmpTransport> {
            const int home = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
            if (home < 0)
                return nullptr;
            std::unique_ptr<IcmpTransport> transport;
            const std::string error = EnterNamedNamespace(client);
            if (error.empty())
                transport = OpenIcmpTestTransport(kind, why);
            else if (why != nullptr)
                *why = error;
            ::setns(home, CLONE_NEWNET);
            ::close(home);
            return transport;
        };
    }

private:
    static bool Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

    static std::string UniqueTag()
    {
        std::random_device random;
        char tag[32];
        std::snprintf(tag, sizeof tag, "tvk%x%04x", static_cast<unsigned>(::getpid()), random() & 0xFFFF);
        return tag;
    }

    std::string client_;
    std::string router_;
    std::string target_;
    std::vector<std::string> created_;
    std::string failed_;
};
