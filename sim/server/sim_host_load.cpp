#include "sim/server/sim_host_load.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <sstream>
#include <vector>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The numbers after the first word of a line.
std::vector<uint64_t> NumbersOf(std::string_view line)
{
    std::vector<uint64_t> numbers;
    size_t at = line.find(' ');
    while (at != std::string_view::npos && at < line.size()) {
        at = line.find_first_not_of(' ', at);
        if (at == std::string_view::npos)
            break;
        uint64_t value = 0;
        const auto [end, ec] = std::from_chars(line.data() + at, line.data() + line.size(), value);
        if (ec != std::errc())
            break;
        numbers.push_back(value);
        at = static_cast<size_t>(end - line.data());
    }
    return numbers;
}

std::string_view LineStarting(std::string_view text, std::string_view start)
{
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        if (line.starts_with(start))
            return line;
        at = end + 1;
    }
    return {};
}

uint32_t Kilobytes(std::string_view memInfo, std::string_view key)
{
    const std::vector<uint64_t> numbers = NumbersOf(LineStarting(memInfo, key));
    return numbers.empty() ? 0 : static_cast<uint32_t>(std::min<uint64_t>(numbers[0], UINT32_MAX));
}

} // namespace

std::optional<CpuTimes> ParseCpuTimes(std::string_view procStat)
{
    // user nice system idle iowait irq softirq steal; the guests' time is counted in user's already.
    constexpr size_t kIdle = 3, kIoWait = 4, kCounted = 8;
    const std::vector<uint64_t> ticks = NumbersOf(LineStarting(procStat, "cpu "));
    if (ticks.size() <= kIdle)
        return std::nullopt;
    CpuTimes times;
    for (size_t i = 0; i < ticks.size() && i < kCounted; ++i) {
        times.total += ticks[i];
        if (i != kIdle && i != kIoWait)
            times.busy += ticks[i];
    }
    return times;
}

std::optional<uint8_t> CpuPercentBetween(const CpuTimes& before, const CpuTimes& after)
{
    if (after.total <= before.total || after.busy < before.busy)
        return std::nullopt;
    const uint64_t total = after.total - before.total;
    const uint64_t busy = std::min(after.busy - before.busy, total);
    return static_cast<uint8_t>((busy * 100 + total / 2) / total);
}

FreeMemory ParseFreeMemory(std::string_view memInfo)
{
    FreeMemory free;
    free.memoryKb = Kilobytes(memInfo, "MemAvailable:");
    if (free.memoryKb == 0)
        free.memoryKb = Kilobytes(memInfo, "MemFree:");
    free.swapKb = Kilobytes(memInfo, "SwapFree:");
    return free;
}

CSimHostLoad::CSimHostLoad(std::string procStat, std::string memInfo)
    : procStat_(std::move(procStat)), memInfo_(std::move(memInfo)), last_(ReadCpu())
{
}

std::optional<CpuTimes> CSimHostLoad::ReadCpu() const
{
    return ParseCpuTimes(ReadFile(procStat_));
}

ServerResourceRecord CSimHostLoad::Report()
{
    const std::optional<CpuTimes> now = ReadCpu();
    // Two reports within one tick of the processor's clock report the same load.
    if (now && last_) {
        if (const std::optional<uint8_t> percent = CpuPercentBetween(*last_, *now)) {
            lastPercent_ = *percent;
            last_ = now;
        }
    } else {
        last_ = now;
    }
    const FreeMemory free = ParseFreeMemory(ReadFile(memInfo_));
    return {free.swapKb, free.memoryKb, lastPercent_};
}
