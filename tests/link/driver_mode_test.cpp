#include "link/driver_mode.h"

#include <gtest/gtest.h>

#include <future>
#include <memory>

#include "core/config/app_settings.h"
#include "link/driver_result.h"
#include "link/headless_link_ui.h"
#include "link/link_settings.h"
#include "link/server/net_drv_server_agent.h"
#include "link/snmp/snmp_link_settings.h"
#include "tests/link/fake_server.h"

namespace {

// A driver whose transport accepts every connect and never answers.
class CProbeDriver : public CNetDrv {
public:
    explicit CProbeDriver(bool* destroyed) : CNetDrv(5000), destroyed_(destroyed) {}
    ~CProbeDriver() override
    {
        Shutdown();
        *destroyed_ = true;
    }

protected:
    int AgentRoutine_Connect(const ConnectParams&) override { return kDrvOk; }
    int AgentRoutine_Send(const SendParams&) override { return kDrvOk; }

private:
    bool* destroyed_;
};

class DriverModeTest : public ::testing::Test {
protected:
    void SetUp() override { SetLinkUi(&ui_); }
    void TearDown() override
    {
        SetDriverMode(0);
        SetDriverFactory(kDriverModeSnmp, nullptr);
        SetLinkUi(nullptr);
    }

    static int Query(CNetDrv& driver, int32_t timeoutMs = -2)
    {
        EmsMsg request;
        EmsMsg* reply = nullptr;
        uint8_t body = 0;
        BuildEmsMsg(&request, kEmsOpQuery, kReqNeKey, 1, &body, 1);
        return driver.RequestEmsMsg(&request, &reply, 0, timeoutMs, false);
    }

    CHeadlessLinkUi ui_;
};

TEST_F(DriverModeTest, BaseDriverConnectsAndSendsNothing)
{
    ASSERT_EQ(SetDriverMode(0), kDrvOk);
    CNetDrv& driver = GetCurrentDriver();
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    EXPECT_FALSE(driver.IsInitialised());
    EXPECT_FALSE(driver.IsConnected());
    EXPECT_EQ(driver.EmsConnect({127, 0, 0, 1}, 19460, "u", "p"), kDrvNotInitialised);
    EXPECT_EQ(Query(driver), kDrvNotInitialised);
    EmsMsg request;
    EXPECT_EQ(driver.SendEmsMsg(&request, 0), kDrvNotInitialised);
}

TEST_F(DriverModeTest, SwitchingShutsThePreviousDriverDown)
{
    bool destroyed = false;
    SetDriverFactory(kDriverModeSnmp, [&] { return std::make_unique<CProbeDriver>(&destroyed); });
    ASSERT_EQ(SetDriverMode(kDriverModeSnmp), kDrvOk);
    EXPECT_NE(dynamic_cast<CProbeDriver*>(&GetCurrentDriver()), nullptr);
    ASSERT_EQ(SetDriverMode(kDriverModeServer), kDrvOk);
    EXPECT_TRUE(destroyed);
    EXPECT_NE(dynamic_cast<CNetDrvServerAgent*>(&GetCurrentDriver()), nullptr);
}

// The server link's request time-out is LINK/SERVERWAIT, its keep-alive period LINK/PINGINTERVAL, its notification port
// LINK/SERVERTRAPPORT and its connect is limited to 60 seconds; the SNMP link waits LINK/SNMPWAIT for an answer,
// retries LINK/SNMPRETRY times, takes traps on LINK/SNMPTRAPPORT and gives the NE's echo a second.
TEST_F(DriverModeTest, TheLinksTakeTheirTimeOutsFromTheConfiguration)
{
    const CAppSettings saved = AppSettings();
    AppSettings().serverWait = 12000;
    AppSettings().snmpWait = 2500;
    AppSettings().snmpRetry = 2;
    AppSettings().pingInterval = 45000;
    AppSettings().serverTrapPort = 20461;
    AppSettings().snmpTrapPort = 20162;
    const LinkSettings server = ReadLinkSettings();
    const SnmpLinkSettings snmp = ReadSnmpLinkSettings();
    const int mode = SetDriverMode(kDriverModeServer);
    AppSettings() = saved;
    EXPECT_EQ(server.serverWaitMs, 12000u);
    EXPECT_EQ(server.connectLimitMs, 60000u);
    EXPECT_EQ(server.notificationBufferBytes, 4 * 1024 * 1024); // a burst of notifications fits the socket's buffer
    EXPECT_EQ(server.pingIntervalMs, 45000u);
    EXPECT_EQ(server.serverTrapPort, 20461);
    EXPECT_EQ(snmp.trapPort, 20162);
    EXPECT_EQ(snmp.echoTimeoutMs, 1000u); // the reachability echo before the connect and each request
    EXPECT_EQ(snmp.waitMs, 2500u);
    EXPECT_EQ(snmp.retries, 2);
    ASSERT_EQ(mode, kDrvOk);
    EXPECT_EQ(GetCurrentDriver().GetTimeout(), 12000u);
}

TEST_F(DriverModeTest, ModeWithoutADriverLeavesTheBaseDriver)
{
    SetDriverFactory(kDriverModeSnmp, nullptr);
    EXPECT_EQ(SetDriverMode(kDriverModeSnmp), kDrvNotInitialised);
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    EXPECT_FALSE(GetCurrentDriver().IsInitialised());
    EXPECT_EQ(SetDriverMode(7), kDrvOk) << "other modes are the base driver";
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
}

TEST_F(DriverModeTest, RequestInProgressEndsWhenTheModeChanges)
{
    bool destroyed = false;
    SetDriverFactory(kDriverModeSnmp, [&] { return std::make_unique<CProbeDriver>(&destroyed); });
    ASSERT_EQ(SetDriverMode(kDriverModeSnmp), kDrvOk);
    CNetDrv& driver = GetCurrentDriver();
    ASSERT_EQ(driver.EmsConnect({127, 0, 0, 1}, 1, "u", "p"), kDrvOk);
    auto result = std::async(std::launch::async, [&] { return Query(driver, 30000); });
    ASSERT_TRUE(WaitUntil([&] { return driver.IsInTransaction(); }));
    ASSERT_EQ(SetDriverMode(0), kDrvOk);
    EXPECT_EQ(result.get(), kDrvNotConnected);
    EXPECT_TRUE(destroyed);
}

} // namespace
