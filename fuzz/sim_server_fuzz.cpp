// The simulated management server's request handler fed frames as its connections decode them, on the run command's
// world. The first byte sets up the session (logged in or not, the tests' control request served or not); then each
// frame is a request code, operation, NE id, record size and count, and its records (a text reply carries a payload
// of its own length, as the frame decoder lets through). Every reply must be a frame the workstation's decoder
// accepts (a refusal a text reply of one terminated text), and every notification whole records.
#include "fuzz/fuzz_bytes.h"
#include "fuzz/sample_models.h"
#include "link/records/record_bytes.h"
#include "link/server/frame_codec.h"
#include "sim/server/sim_control.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_scenario.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "sim_server_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

constexpr uint32_t kNow = 1700000000;
constexpr size_t kMaxRecordSize = 2048;

// The run command's world, loaded once; each input starts on a copy of it, as the server's database backups are.
const CSimDatabase& World()
{
    static const CSimDatabase database = [] {
        SampleEntityModels();
        SimScenario world;
        CSimDatabase loaded;
        std::string error;
        if (!LoadSimScenario(std::string(TARVIK_RESOURCES_DIR) + "/sim/server_scenario.ini", &world, &error) ||
            !loaded.Load(world, kNow, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
        return loaded;
    }();
    return database;
}

Frame NextRequest(CFuzzBytes& in, uint32_t sequence)
{
    Frame frame;
    FrameHeader& header = frame.header;
    header.requestCode = in.U16();
    const uint8_t operation = in.Byte();
    header.operation = operation < 0xC0 ? static_cast<uint8_t>(1 + operation % 2) : operation % 8;
    header.neId = in.Byte() % 8;
    header.recordSize = in.U16() % kMaxRecordSize;
    header.count = in.Byte() % 8;
    header.total = header.count;
    header.sequence = sequence;
    const size_t length = header.operation == kEmsOpTextReply ? in.U16() % (4 * kMaxRecordSize)
                                                              : static_cast<size_t>(header.count) * header.recordSize;
    frame.payload = in.Bytes(length);
    frame.payload.resize(length);
    // A test burst of up to a million records only takes longer than one of a few; one beyond that is refused.
    if (header.requestCode == kReqSimControl && frame.payload.size() >= 8) {
        const uint32_t burst = record_bytes::GetU32(frame.payload.data(), 4);
        if (burst <= kSimMaxPushedStates)
            record_bytes::PutU32(frame.payload.data(), 4, burst % 64);
    }
    return frame;
}

void CheckHandled(const SimHandled& handled, const FrameHeader& request)
{
    for (const Frame& reply : ReplyFrames(handled)) {
        Check(reply.header.operation == kEmsOpReply || reply.header.operation == kEmsOpTextReply);
        Check(reply.header.requestCode == request.requestCode);
        // A refusal's text: one zero-terminated record, the whole payload.
        Check(reply.header.operation != kEmsOpTextReply ||
              (reply.header.count == 1 && reply.header.recordSize == reply.payload.size() && !reply.payload.empty() &&
               reply.payload.back() == 0));
        Check(reply.header.sequence == request.sequence && reply.header.neId == request.neId);
        Check(IsFramePayloadConsistent(reply.header, reply.payload.size()));
        Check(!EncodeFrame(reply.header, reply.payload.data(), reply.payload.size()).empty());
    }
    const auto checkNotice = [](const SimNotice& notice) {
        Check(notice.recordSize != 0 || notice.records.empty());
        Check(notice.recordSize == 0 || notice.records.size() % notice.recordSize == 0);
    };
    for (const SimNotice& notice : handled.notices)
        checkNotice(notice);
    if (handled.laterNotices) {
        while (handled.laterNotices(checkNotice)) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzBytes in(data, size);
    const uint8_t setup = in.Byte();
    CSimDatabase database = World();
    SimHandlerOptions options;
    options.testControl = (setup & 2) != 0;
    CSimRequestHandler handler(database, options);
    SimSession session;
    session.id = 1;
    session.peerIp = {127, 0, 0, 1};
    if ((setup & 1) != 0) {
        session.loggedIn = true;
        session.user = "admin";
    }
    handler.SetSessionLister([&session] { return std::vector<SimSession>{session}; });
    std::mt19937 random(setup);

    for (uint32_t sequence = 1; !in.Empty(); ++sequence) {
        const Frame request = NextRequest(in, sequence);
        if (!IsFramePayloadConsistent(request.header, request.payload.size()))
            continue;
        const SimHandled handled = handler.Handle(session, request, kNow + sequence);
        CheckHandled(handled, request.header);
        if (handled.close)
            break;
        if ((request.header.requestCode & 0x8000) != 0)
            handler.GenerateAlarmEvent(random, kNow + sequence);
    }
    return 0;
}
