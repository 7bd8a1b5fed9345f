#pragma once
// The world of the performance dialogs' tests: the sample entity models and strings, and North-1 (NE 7), an IPD-12
// with an ADSL card in slot 1 and an SHDSL card in slot 2, connected and as planned; and a stand-in driver that answers
// each request from a script.

#include "tarvik_test_paths.h"
#include "tests/ui/framework/framework_test_support.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "link/driver_mode.h"
#include "link/driver_result.h"
#include "link/headless_link_ui.h"
#include "link/link_ui.h"
#include "link/net_drv.h"
#include "link/records/record_codec.h"
#include "link/records/request_code.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace perf_test {

inline constexpr uint32_t kNe = 7;
inline constexpr uint32_t kAdslPort = 10105;
inline constexpr uint32_t kShdslPort = 10203;

inline void AddNorth1()
{
    const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
    ReplaceEntityModels(
        LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
    LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
    AppData().Reset();
    AppData().role = 0;
    CNeRecord ne;
    ne.neId = kNe;
    ne.neModelId = 2;
    ne.name = "North-1";
    ne.address = {10, 0, 0, 7};
    CNeRecord* added = nullptr;
    ASSERT_EQ(AppData().nes.AddNe(ne, &added), NeResult::kOk);
    added->BuildEntityTree();
    added->root->SetTypeById(10100, 30, 30);
    added->root->SetTypeById(10200, 32, 32);
    added->root->SetStateBits(0);
}

// A test on North-1, logged in with every right; the tables are left empty again.
class CNorth1Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(AddNorth1());
        SetUserRights(0, std::string(127, 'a').c_str());
    }
    void TearDown() override
    {
        ClearUserRights();
        AppData().Reset();
    }
};

// A test on North-1 that opens dialogs as the modal loop shows them: `Run` opens the dialog on the target and lets
// `work` act in it once it has shown.
class CNorth1DialogTest : public CNorth1Test {
protected:
    void Run(
        CADialog& dialog, uint32_t target, const std::function<void()>& work = [] {})
    {
        const CEntityId entity(target);
        dialog.SetTarget(kNe, &entity);
        runner_.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone() || dialog.IsEnded(); }));
            work();
            return IDCANCEL;
        });
        dialog.DoModal();
    }

    ScriptedModalRunner runner_;
    ScriptedMessageBoxes boxes_;
};

// The peer of the dialogs for one test: a current driver that is connected and answers each request code from a
// script (the records of the code; a code not named is answered without records), and keeps every request it was
// sent, in order.
class CScriptedPeer {
public:
    struct Sent {
        uint16_t code;
        std::vector<uint8_t> record;
        std::chrono::steady_clock::time_point at;
        uint32_t neId = 0; // the NE the request went to; 0 the server
    };

    CScriptedPeer()
    {
        SetLinkUi(&ui_);
        SetDriverFactory(kDriverModeSnmp, [this] { return std::make_unique<CDriver>(*this); });
        EXPECT_EQ(SetDriverMode(kDriverModeSnmp), kDrvOk);
        EXPECT_EQ(GetCurrentDriver().EmsConnect({127, 0, 0, 1}, 1, "u", "p"), kDrvOk);
    }
    ~CScriptedPeer()
    {
        SetDriverMode(kDriverModeBase);
        SetDriverFactory(kDriverModeSnmp, nullptr);
        SetLinkUi(nullptr);
    }
    CScriptedPeer(const CScriptedPeer&) = delete;
    CScriptedPeer& operator=(const CScriptedPeer&) = delete;

    template <typename Rec> void Answer(RequestCode<Rec> code, const std::vector<Rec>& records)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        answers_[code] = {kRecordSize<Rec>, static_cast<int32_t>(records.size()), EncodeRecords(records)};
    }
    // Requests of the code get no reply: they time out.
    void Silence(uint16_t code)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        silenced_.push_back(code);
    }
    std::vector<Sent> SentRequests() const
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return sent_;
    }

private:
    struct Answer_ {
        uint32_t recordSize = 0;
        int32_t count = 0;
        std::vector<uint8_t> bytes;
    };

    class CDriver : public CNetDrv {
    public:
        explicit CDriver(CScriptedPeer& peer) : CNetDrv(5000), peer_(peer) {}
        ~CDriver() override { Shutdown(); }

    protected:
        int AgentRoutine_Connect(const ConnectParams&) override { return kDrvOk; }
        int AgentRoutine_Send(const SendParams& params) override
        {
            EmsMsg reply = params.header;
            reply.operation = kEmsOpReply;
            Answer_ answer;
            {
                const std::lock_guard<std::mutex> lock(peer_.mutex_);
                peer_.sent_.push_back(
                    {params.header.requestCode, params.records, std::chrono::steady_clock::now(), params.header.neId});
                if (std::find(peer_.silenced_.begin(), peer_.silenced_.end(), params.header.requestCode) !=
                    peer_.silenced_.end())
                    return kDrvOk;
                const auto found = peer_.answers_.find(params.header.requestCode);
                if (found != peer_.answers_.end())
                    answer = found->second;
            }
            reply.count = answer.count;
            reply.total = static_cast<uint32_t>(answer.count);
            reply.recordSize = answer.recordSize;
            reply.records = nullptr;
            return DeliverFrame(reply, answer.bytes.data(), answer.bytes.size());
        }

    private:
        CScriptedPeer& peer_;
    };

    CHeadlessLinkUi ui_;
    mutable std::mutex mutex_;
    std::map<uint16_t, Answer_> answers_;
    std::vector<Sent> sent_;
    std::vector<uint16_t> silenced_;
};

} // namespace perf_test
