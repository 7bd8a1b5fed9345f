// The simulated management server's scenario file of any content: it loads or says where it is wrong, and a world
// that loads is one the server can take over or refuse with a reason; a world taken over serves the login's queries
// and the queries of the families its sections seed.
#include "fuzz/fuzz_file.h"
#include "fuzz/sample_models.h"
#include "link/ems_msg.h"
#include "link/records/request_codes.h"
#include "link/server/frame_codec.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_scenario.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "sim_scenario_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

constexpr uint32_t kNow = 1700000000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SampleEntityModels();
    static CFuzzFile file("scenario.ini");
    const std::string& path = file.Write(data, size);
    SimScenario scenario;
    std::string error;
    if (!LoadSimScenario(path, &scenario, &error)) {
        Check(!error.empty());
        return 0;
    }
    Check(!scenario.accounts.empty());
    CSimDatabase database;
    if (!database.Load(scenario, kNow, &error)) {
        Check(!error.empty());
        return 0;
    }
    Check(database.NeKeys().size() == scenario.nes.size());
    CSimRequestHandler handler(database, SimHandlerOptions{});
    SimSession session;
    session.loggedIn = true;
    session.user = scenario.accounts.front().name;
    // The queries of a server login, then the boards, states and alarm definitions of every NE, and the seeded records.
    std::vector<std::pair<uint16_t, uint32_t>> queries{
        {kReqLocation, 0}, {kReqUserAccount, 0}, {kReqUserRights, 0}, {kReqNeKeyAll, 0}};
    for (const uint32_t neId : database.NeIds()) {
        for (const uint16_t code : std::initializer_list<uint16_t>{kReqBoardSetting, kReqEntityState, kReqAlarmDef})
            queries.push_back({code, neId});
    }
    for (const SimSeedRecord& seed : scenario.records)
        queries.push_back({seed.spec->code, seed.neId});
    for (const auto& [code, neId] : queries) {
        Frame request;
        request.header.operation = kEmsOpQuery;
        request.header.requestCode = code;
        request.header.neId = neId;
        request.header.sequence = 1;
        for (const Frame& reply : ReplyFrames(handler.Handle(session, request, kNow))) {
            Check(reply.header.status == 0);
            Check(IsFramePayloadConsistent(reply.header, reply.payload.size()));
        }
    }
    return 0;
}
