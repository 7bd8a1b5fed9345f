#pragma once
// One request to the simulated server's handler as a workstation frames it, and what the handler answered: the
// refusal text, the reply's status and the records of every reply in order. Also the test world the handler tests
// load (the entity models and tests/data/server/sim_world.ini).

#include <gtest/gtest.h>

#include "core/entity/entity_model_loader.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/record_codec.h"
#include "link/server/frame_codec.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_scenario.h"
#include "tarvik_test_paths.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct SimAnswer {
    uint8_t operation = 0; // of the last reply
    uint32_t status = 0;   // of the last record reply
    uint32_t total = 0;
    bool ok = false;     // a record reply came, every one with success, and no refusal
    std::string refusal; // the text of a refusal
    std::vector<std::vector<uint8_t>> records;
    size_t notices = 0;

    bool Ok() const { return ok; }
    template <class Rec> std::vector<Rec> Records() const
    {
        std::vector<Rec> out(records.size());
        for (size_t i = 0; i < records.size(); ++i)
            DecodeRecord(records[i].data(), records[i].size(), &out[i]);
        return out;
    }
    template <class Rec> Rec First() const
    {
        Rec rec;
        if (!records.empty())
            DecodeRecord(records.front().data(), records.front().size(), &rec);
        return rec;
    }
};

struct SimExchange {
    uint8_t operation = 0;
    uint16_t code = 0;
    uint32_t neId = 0;
    uint32_t now = 0;
    bool opLog = false;
};

inline SimAnswer SendToSimHandler(CSimRequestHandler& handler, SimSession& session, const SimExchange& request,
                                  std::span<const uint8_t> record)
{
    static uint32_t sequence = 0;
    Frame frame;
    frame.header.operation = request.operation;
    frame.header.requestCode = request.code;
    frame.header.neId = request.neId;
    frame.header.count = 1;
    frame.header.recordSize = static_cast<uint32_t>(record.size());
    frame.header.sequence = ++sequence;
    frame.header.opLog = request.opLog;
    frame.payload.assign(record.begin(), record.end());
    const SimHandled handled = handler.Handle(session, frame, request.now);
    SimAnswer answer;
    answer.notices = handled.notices.size();
    bool allSucceeded = true;
    bool recordReply = false;
    for (const Frame& reply : ReplyFrames(handled)) {
        answer.operation = reply.header.operation;
        answer.total = reply.header.total;
        if (reply.header.operation == kEmsOpTextReply) {
            answer.refusal.assign(reply.payload.begin(), reply.payload.end());
            answer.refusal.resize(answer.refusal.find('\0'));
            continue;
        }
        recordReply = true;
        answer.status = reply.header.status;
        allSucceeded = allSucceeded && reply.header.status == kDrvOk;
        for (uint32_t i = 0; i < reply.header.count; ++i) {
            const auto at = reply.payload.begin() + static_cast<std::ptrdiff_t>(i * reply.header.recordSize);
            answer.records.emplace_back(at, at + reply.header.recordSize);
        }
    }
    answer.ok = recordReply && allSucceeded && answer.refusal.empty() && answer.operation == kEmsOpReply;
    return answer;
}

template <class Rec>
SimAnswer SendRecordToSimHandler(CSimRequestHandler& handler, SimSession& session, const SimExchange& request,
                                 const Rec& record)
{
    const auto bytes = EncodeRecord(record);
    return SendToSimHandler(handler, session, request, std::span<const uint8_t>(bytes.data(), bytes.size()));
}

// Loads the entity models, and returns the scenario of the handler tests' world.
inline SimScenario LoadSimTestWorld()
{
    const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
    ReplaceEntityModels(
        LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
    SimScenario world;
    std::string error;
    EXPECT_TRUE(LoadSimScenario(std::string(TARVIK_TEST_DATA_DIR) + "/server/sim_world.ini", &world, &error)) << error;
    return world;
}

inline SimSession SimAdminSession()
{
    SimSession session;
    session.loggedIn = true;
    session.user = "admin";
    return session;
}
