#pragma once
// The fixture of the server link's integration tests: the program's server driver and dispatcher, with the apply
// rules installed, connected to a simulated management server of its own (the world of sim_world.ini, test control
// on). The test thread plays the UI thread.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/tables/app_data.h"
#include "link/driver_result.h"
#include "link/headless_link_ui.h"
#include "link/link_ui.h"
#include "link/records/location_record.h"
#include "link/records/word_record.h"
#include "link/server/alarm_def_values.h"
#include "link/server/net_drv_server_agent.h"
#include "link/server/server_dispatch_rules.h"
#include "link/server_message_dispatcher.h"
#include "sim/server/sim_control.h"
#include "tests/link/server_sim_harness.h"
#include "ui/framework/messages/string_ids.h"

namespace server_test {

inline constexpr std::array<uint8_t, 4> kLoopback{127, 0, 0, 1};

class SimLinkTest : public ::testing::Test {
protected:
    // The world the simulated server serves, and extra arguments.
    virtual std::vector<std::string> WorldArguments() const { return {"--scenario", WorldScenario()}; }
    virtual std::vector<std::string> SimArguments() const { return {}; }
    // The driver's settings beside those every test uses.
    virtual void AdjustSettings(LinkSettings& /*settings*/) const {}

    void SetUp() override
    {
        LoadSampleModels();
        AppData().Reset();
        ReceivedAlarmDefValues().Clear();
        SetLinkUi(&linkUi_);
        SetUiThreadId(std::this_thread::get_id());
        ClearServerMessageRules();
        ClearServerMessageQueue();
        ServerDispatchOptions options;
        options.setAllUserRights = [this](const std::string& a, const std::string& m, const std::string& u) {
            rights_ = {a, m, u};
            ++rightsCalls_;
        };
        InstallServerDispatchRules(AppData(), options);
        SetDispatchUi(&ui_);
        std::vector<std::string> args = WorldArguments();
        args.push_back("--test-control");
        for (const std::string& arg : SimArguments()) {
            args.push_back(arg);
        }
        ASSERT_TRUE(sim_.Start(args));
        LinkSettings settings;
        // Only bounds the wait for a reply that comes: a test of the time-out gives its own.
        settings.serverWaitMs = 30000;
        settings.pingIntervalMs = 600000; // no keep-alive unless a test asks for it
        settings.serverTrapPort = 41461;
        settings.connectLimitMs = 5000;
        AdjustSettings(settings);
        driver_ = std::make_unique<CNetDrvServerAgent>(settings);
        ASSERT_EQ(driver_->Start(), kDrvOk);
        ASSERT_EQ(driver_->EmsConnect(kLoopback, sim_.Port(), "", ""), kDrvOk);
    }

    void TearDown() override
    {
        driver_.reset();
        sim_.Stop();
        RemoveServerDispatchRules();
        SetDispatchUi(nullptr);
        ClearServerMessageQueue();
        SetLinkUi(nullptr);
        AppData().Reset();
        ReceivedAlarmDefValues().Clear();
    }

    // One request of `count` records from `records`, through the driver as a dialog makes it.
    int Request(uint8_t operation, uint16_t code, uint32_t neId, const void* records, uint32_t recordSize,
                int32_t count = 1, int32_t timeoutMs = -2, uint32_t failureTextId = 0, bool waitDialog = false)
    {
        BuildEmsMsg(&request_, operation, code, recordSize, records, neId);
        request_.count = count;
        return driver_->RequestEmsMsg(&request_, &reply_, failureTextId, timeoutMs, waitDialog);
    }

    int Query(uint16_t code, uint32_t neId = 0)
    {
        const uint8_t body = 0;
        return Request(kEmsOpQuery, code, neId, &body, 1);
    }

    int Logon(const std::string& user, const std::string& password)
    {
        AppData().SetLoginUserName(user);
        AppData().SetLoginPassword(Digest(password));
        const uint8_t body = 0;
        return Request(kEmsOpModify, kReqLogon, 0, &body, 1, 1, 10000, kStrFailedToLogin, true);
    }

    // The server-mode login: logon, the table loads in their order, the operator's scope, logged in.
    int Login(const std::string& user, const std::string& password)
    {
        if (const int result = Logon(user, password); result != kDrvOk) {
            return result;
        }
        const std::vector<uint8_t> location(kLocationRecordSize, 0);
        const uint8_t body = 0;
        const uint32_t notificationsOn = 1;
        Request(kEmsOpQuery, kReqLocation, 0, location.data(), kLocationRecordSize, 1, -2, 0, true);
        Request(kEmsOpQuery, kReqUserAccount, 0, &body, 1, 1, -2, 0, true);
        Request(kEmsOpQuery, kReqUserRights, 0, &body, 1, 1, -2, 0, true);
        Request(kEmsOpQuery, kReqNeKeyAll, 0, &body, 1, 1, -2, 0, true);
        Request(kEmsOpQuery, kReqLoginQuery, 0, &body, 1, 1, -2, 0, true);
        Request(kEmsOpModify, kReqNotificationsOn, 0, &notificationsOn, kWordRecordSize, 1, -2, 0, true);
        if (const CUserAccount* account = FindUserAccount(AppData().GetLoginUserName()); account != nullptr) {
            SetUserLocationScope(account->locationId);
        }
        driver_->SetLoggedIn(true);
        return kDrvOk;
    }

    int Control(uint32_t action, uint32_t arg1 = 0, uint32_t arg2 = 0, uint32_t neId = 0, int32_t timeoutMs = -2)
    {
        const auto record = EncodeRecord(SimControlRec{action, arg1, arg2, 0});
        return Request(kEmsOpModify, kReqSimControl, neId, record.data(), kSimControlRecSize, 1, timeoutMs);
    }

    CHeadlessLinkUi linkUi_;
    CRecordingDispatchUi ui_;
    CSimServerProcess sim_;
    std::unique_ptr<CNetDrvServerAgent> driver_;
    EmsMsg request_;
    EmsMsg* reply_ = nullptr;
    std::array<std::string, 3> rights_;
    int rightsCalls_ = 0;
};

} // namespace server_test
