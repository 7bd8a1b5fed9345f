// The frame header's text, coded and decoded: both sides of the server connection do each at every request and
// every reply. The header is the keep-alive's (mostly small fields) or one with every field at its widest.
//
//     build/bench/frame_codec_bench

#include "link/ems_msg.h"
#include "link/server/frame_codec.h"

#include <benchmark/benchmark.h>

#include <limits>

namespace {

FrameHeader KeepAliveHeader()
{
    const uint8_t body = 0;
    EmsMsg request;
    BuildEmsMsg(&request, kEmsOpQuery, kReqKeepAlive, 1, &body, 0);
    FrameHeader header = FrameHeaderFromMsg(request);
    header.sequence = 1234;
    return header;
}

FrameHeader WidestHeader()
{
    FrameHeader header;
    header.operation = 99;
    header.neId = std::numeric_limits<uint32_t>::max();
    header.requestCode = std::numeric_limits<uint16_t>::max();
    header.total = std::numeric_limits<uint32_t>::max();
    header.count = std::numeric_limits<uint32_t>::max();
    header.recordSize = std::numeric_limits<uint32_t>::max();
    header.status = 99999;
    header.more = 9;
    header.sequence = std::numeric_limits<uint32_t>::max();
    header.opLog = true;
    header.version = 999999;
    return header;
}

FrameHeader HeaderOf(const benchmark::State& state)
{
    return state.range(0) == 0 ? KeepAliveHeader() : WidestHeader();
}

void BM_DecodeFrameHeader(benchmark::State& state)
{
    uint8_t text[kFrameHeaderSize];
    if (!EncodeFrameHeader(HeaderOf(state), text)) {
        state.SkipWithError("the header does not encode");
        return;
    }
    FrameHeader header;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(DecodeFrameHeader(text, header));
        benchmark::DoNotOptimize(header);
    }
}
BENCHMARK(BM_DecodeFrameHeader)->ArgName("widest")->Arg(0)->Arg(1);

void BM_EncodeFrameHeader(benchmark::State& state)
{
    FrameHeader header = HeaderOf(state);
    uint8_t text[kFrameHeaderSize];
    for (auto _ : state) {
        benchmark::DoNotOptimize(header);
        benchmark::DoNotOptimize(EncodeFrameHeader(header, text));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_EncodeFrameHeader)->ArgName("widest")->Arg(0)->Arg(1);

} // namespace
