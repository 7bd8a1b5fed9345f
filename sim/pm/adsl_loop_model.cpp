#include "sim/pm/adsl_loop_model.h"

#include "sim/pm/line_hash.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numeric>
#include <utility>

namespace {

constexpr double kToneMHz = 0.0043125;
constexpr uint32_t kFirstDownTone = 33;
constexpr uint32_t kLastDownTone = 511;
constexpr uint32_t kLastDownToneAdsl2 = 255; // ADSL and ADSL2 stop at 1.1 MHz
constexpr uint32_t kFirstUpTone = 6;
constexpr uint32_t kLastUpTone = 31;
constexpr double kDownTxPsd = -40.0; // dBm/Hz
constexpr double kUpTxPsd = -38.0;
// Bit loading: the SNR gap of the modulation, the coding gain, the margin the lines are trained to keep, 3 dB a bit.
constexpr double kGapDb = 9.75;
constexpr double kCodingGainDb = 4.2;
constexpr double kTargetMarginDb = 6.0;
constexpr double kDbPerBit = 3.01;
constexpr double kMaxSnrDb = 62.0; // what the modems' own noise allows
constexpr int kMaxBits = 15;
constexpr double kSymbolsPerSecond = 4000.0;
constexpr double kFramingShare = 0.95; // of the bits, what carries data
constexpr double kMetersPerFoot = 0.3048;
constexpr double kCableSpeed = 2.0e8; // m/s
constexpr uint32_t kShortestLoop = 600;
constexpr uint32_t kLongestLoop = 18000;
constexpr uint32_t kLoopStep = 50;
constexpr double kL2RateShare = 0.25;
constexpr uint32_t kL2LeastKbps = 512;
constexpr double kL2PowerCutDb = 5.0;

// What a line decides by itself, one salt each.
enum Salt : uint32_t {
    kSaltGauge = 101,
    kSaltTap,
    kSaltTapLength,
    kSaltStandard,
    kSaltBinder,
    kSaltRadio,
    kSaltRadioTone,
    kSaltHeadroom,
    kSaltPowerMgmt,
    kSaltInterleave,
    kSaltSeltError,
    kSaltToneNoise = 1000, // + the tone, and + 1000 more upstream
};

using DownValues = std::array<std::optional<double>, kDownstreamToneCount>;
using UpValues = std::array<std::optional<double>, kUpstreamToneCount>;
using DownBits = std::array<uint8_t, kDownstreamToneCount>;
using UpBits = std::array<uint8_t, kUpstreamToneCount>;

double ToneMHz(uint32_t tone)
{
    return tone * kToneMHz;
}

// Loss of a thousand feet of the cable at a frequency, in dB.
double LossPerKft(uint32_t cableType, double mhz)
{
    const double gauge24 = 6.2 * std::sqrt(mhz) + 0.25;
    const double gauge26 = 8.1 * std::sqrt(mhz) + 0.3;
    switch (cableType) {
    case kCable24Awg:
        return gauge24;
    case kCable26Awg:
        return gauge26;
    default:
        return 0.6 * gauge24 + 0.4 * gauge26; // 24 AWG from the exchange, 26 AWG in the last part
    }
}

// What a bridged tap takes at a frequency: a little everywhere above its first notch, and the notches themselves at
// odd multiples of the frequency whose quarter wave is the tap's length, shallower as they go up.
double TapLoss(uint32_t tapFeet, double mhz)
{
    if (tapFeet == 0)
        return 0;
    const double notch = kCableSpeed / (4.0 * tapFeet * kMetersPerFoot) / 1e6;
    double loss = 2.5 * (1.0 - std::exp(-mhz / notch));
    for (int k = 1; k <= 7; k += 2) {
        const double depth = 9.0 / (1.0 + 0.35 * (k - 1));
        const double width = 0.22 * notch;
        loss += depth * std::exp(-std::pow((mhz - k * notch) / width, 2));
    }
    return loss;
}

double PowerSum(double dbA, double dbB)
{
    return 10.0 * std::log10(std::pow(10.0, dbA / 10.0) + std::pow(10.0, dbB / 10.0));
}

int BitsOf(double snr, double margin)
{
    const int bits = static_cast<int>(std::floor((snr - kGapDb - margin + kCodingGainDb) / kDbPerBit));
    return std::clamp(bits, 0, kMaxBits);
}

template <size_t N> std::array<uint8_t, N> Load(const std::array<std::optional<double>, N>& snr, double margin)
{
    std::array<uint8_t, N> bits{};
    for (size_t t = 0; t < N; ++t)
        bits[t] = snr[t] ? static_cast<uint8_t>(BitsOf(*snr[t], margin)) : 0;
    return bits;
}

template <size_t N> uint32_t RateOf(const std::array<uint8_t, N>& bits)
{
    const uint32_t sum = std::accumulate(bits.begin(), bits.end(), 0u);
    return static_cast<uint32_t>(sum * kSymbolsPerSecond * kFramingShare);
}

// The loading that keeps the most margin while it still carries the rate: the margin above the target it keeps.
template <size_t N> double ExtraMargin(const std::array<std::optional<double>, N>& snr, uint32_t rate)
{
    double extra = 0;
    while (extra < 40 && RateOf(Load(snr, kTargetMarginDb + extra + 0.5)) >= rate)
        extra += 0.5;
    return extra;
}

// The mean of minus the magnitude over the tones where `take` holds, in 0.1 dB.
template <size_t N, class Take> uint16_t Attenuation(const std::array<std::optional<double>, N>& hlog, Take take)
{
    double sum = 0;
    int tones = 0;
    for (size_t t = 0; t < N; ++t) {
        if (hlog[t] && take(t)) {
            sum -= *hlog[t];
            ++tones;
        }
    }
    return tones == 0 ? 0 : static_cast<uint16_t>(std::lround(sum / tones * 10));
}

int16_t Tenths(double db)
{
    return static_cast<int16_t>(std::lround(db * 10));
}

uint16_t HlogCode(const std::optional<double>& db)
{
    return db ? static_cast<uint16_t>(std::clamp<long>(60 - std::lround(*db * 10), 0, 1022)) : 1023;
}

uint8_t QlnCode(const std::optional<double>& dbmHz)
{
    return dbmHz ? static_cast<uint8_t>(std::clamp<long>(std::lround((-*dbmHz - 23) * 2), 0, 254)) : 255;
}

uint8_t SnrCode(const std::optional<double>& db)
{
    return db ? static_cast<uint8_t>(std::clamp<long>(std::lround((*db + 32) * 2), 0, 254)) : 255;
}

template <size_t N> void PutHlog(std::array<uint8_t, 2 * N>& out, const std::array<std::optional<double>, N>& hlog)
{
    for (size_t t = 0; t < N; ++t) {
        const uint16_t code = HlogCode(hlog[t]);
        out[2 * t] = static_cast<uint8_t>(code & 0xFF);
        out[2 * t + 1] = static_cast<uint8_t>(code >> 8);
    }
}

template <size_t N, class Code>
std::array<uint8_t, N> Codes(const std::array<std::optional<double>, N>& values, Code code)
{
    std::array<uint8_t, N> out{};
    for (size_t t = 0; t < N; ++t)
        out[t] = code(values[t]);
    return out;
}

} // namespace

struct CAdslLoopModel::Line {
    AdslLoop loop;
    DownValues downHlog, downQln, downSnr;
    UpValues upHlog, upQln, upSnr;
    uint32_t downAttainable = 0; // bit/s, at the target margin
    uint32_t upAttainable = 0;
    double downExtra = 0; // the margin above the target the line keeps at its rate
    double upExtra = 0;
    double downExtraL2 = 0;
    uint16_t downLoopAtt = 0, upLoopAtt = 0, downSignalAtt = 0, upSignalAtt = 0;
    int16_t downTxPower = 0, upTxPower = 0;
};

CAdslLoopModel::CAdslLoopModel(uint64_t seed) : seed_(seed), pm_(seed) {}

uint64_t CAdslLoopModel::Hash(uint32_t port, uint32_t salt) const
{
    return SplitMix(SplitMix(seed_ ^ (uint64_t{port} << 32 | 0x5eedu)) ^ salt);
}

const CAdslLoopModel::Line& CAdslLoopModel::LineOf(uint32_t port) const
{
    std::shared_ptr<const Line>& line = lines_[port];
    if (!line)
        line = SharedLine(port);
    return *line;
}

std::shared_ptr<const CAdslLoopModel::Line> CAdslLoopModel::SharedLine(uint32_t port) const
{
    // A port's line is the same in every model of the seed, and costs to work out: the process keeps those made for
    // every NE it builds anew (a fuzzer builds one for every input), up to a bound on their memory.
    constexpr size_t kKeptLines = 4096;
    static std::mutex mutex;
    static std::map<std::pair<uint64_t, uint32_t>, std::shared_ptr<const Line>> kept;
    const std::lock_guard<std::mutex> lock(mutex);
    if (kept.size() >= kKeptLines && kept.count({seed_, port}) == 0)
        kept.clear();
    std::shared_ptr<const Line>& line = kept[{seed_, port}];
    if (!line)
        line = std::make_shared<const Line>(MakeLine(port));
    return line;
}

const AdslLoop& CAdslLoopModel::Loop(uint32_t port) const
{
    return LineOf(port).loop;
}

bool CAdslLoopModel::IsAdsl2(uint32_t port) const
{
    return Loop(port).lineStandard != kStandardG9921AnnexA;
}

CAdslLoopModel::Line CAdslLoopModel::MakeLine(uint32_t port) const
{
    Line line;
    AdslLoop& loop = line.loop;
    loop.downKbps = pm_.DownstreamKbps(port);
    loop.upKbps = pm_.UpstreamKbps(port);
    const uint64_t gauge = Hash(port, kSaltGauge) % 20;
    loop.cableType = gauge < 9 ? kCable26Awg : gauge < 18 ? kCable24Awg : kCableMixed;
    if (Hash(port, kSaltTap) % 10 < 6)
        loop.bridgedTapFeet = 250 + static_cast<uint32_t>(Hash(port, kSaltTapLength) % 20) * 50;
    // A slower line may have trained with an older standard; a fast one needs ADSL2+.
    const uint64_t standard = Hash(port, kSaltStandard) % 10;
    if (loop.downKbps <= 8000 && standard < 2)
        loop.lineStandard = kStandardG9921AnnexA;
    else if (loop.downKbps <= 12000 && standard < 4)
        loop.lineStandard = kStandardG9923AnnexA;
    loop.automaticPowerMgmt = Hash(port, kSaltPowerMgmt) % 5 == 0;
    loop.interleaved = Hash(port, kSaltInterleave) % 2 == 0;
    const uint32_t lastDown = loop.lineStandard == kStandardG9925AnnexA ? kLastDownTone : kLastDownToneAdsl2;

    // The binder's crosstalk and, on a few loops, an AM station.
    const double binder = -120.0 + 12.0 * UnitOf(Hash(port, kSaltBinder));
    const bool radio = Hash(port, kSaltRadio) % 4 == 0;
    const auto radioTone = static_cast<int>(130 + Hash(port, kSaltRadioTone) % 250);
    for (uint32_t t = 0; t < kDownstreamToneCount; ++t) {
        if (t < kFirstDownTone || t > lastDown)
            continue;
        const double mhz = ToneMHz(t);
        const double crosstalk = binder - 14.0 * std::log10(mhz / 0.138);
        double qln = PowerSum(-140.0, crosstalk) + 2.4 * UnitOf(Hash(port, kSaltToneNoise + t)) - 1.2;
        if (radio && std::abs(static_cast<int>(t) - radioTone) <= 3)
            qln = std::max(qln, -95.0 - 6.0 * std::abs(static_cast<int>(t) - radioTone));
        line.downQln[t] = qln;
    }
    for (uint32_t t = kFirstUpTone; t <= kLastUpTone; ++t) {
        const double mhz = ToneMHz(t);
        const double crosstalk = binder + 6.0 - 6.0 * std::log10(mhz / 0.026);
        line.upQln[t] = PowerSum(-140.0, crosstalk) + 2.4 * UnitOf(Hash(port, kSaltToneNoise + 1000 + t)) - 1.2;
    }

    // The longest loop of the cable that still carries the line's rate with its headroom, in steps of 50 feet.
    auto shape = [&](uint32_t feet) {
        for (uint32_t t = 0; t < kDownstreamToneCount; ++t) {
            line.downHlog[t] = line.downSnr[t] = std::nullopt;
            if (!line.downQln[t])
                continue;
            const double mhz = ToneMHz(t);
            const double hlog =
                -(LossPerKft(loop.cableType, mhz) * feet / 1000.0) - TapLoss(loop.bridgedTapFeet, mhz) - 0.5;
            line.downHlog[t] = hlog;
            line.downSnr[t] = std::min(kMaxSnrDb, kDownTxPsd + hlog - *line.downQln[t]);
        }
        for (uint32_t t = kFirstUpTone; t <= kLastUpTone; ++t) {
            const double mhz = ToneMHz(t);
            const double hlog =
                -(LossPerKft(loop.cableType, mhz) * feet / 1000.0) - TapLoss(loop.bridgedTapFeet, mhz) - 0.5;
            line.upHlog[t] = hlog;
            line.upSnr[t] = std::min(kMaxSnrDb, kUpTxPsd + hlog - *line.upQln[t]);
        }
        return RateOf(Load(line.downSnr, kTargetMarginDb));
    };
    const double headroom = 1.08 + 0.3 * UnitOf(Hash(port, kSaltHeadroom));
    const auto needed = static_cast<uint32_t>(loop.downKbps * 1000.0 * headroom);
    uint32_t shortest = kShortestLoop / kLoopStep;
    uint32_t longest = kLongestLoop / kLoopStep;
    while (shortest < longest) {
        const uint32_t middle = (shortest + longest + 1) / 2;
        if (shape(middle * kLoopStep) >= needed)
            shortest = middle;
        else
            longest = middle - 1;
    }
    loop.lengthFeet = shortest * kLoopStep;
    line.downAttainable = shape(loop.lengthFeet);
    line.upAttainable = RateOf(Load(line.upSnr, kTargetMarginDb));
    line.downExtra = ExtraMargin(line.downSnr, loop.downKbps * 1000);
    line.upExtra = ExtraMargin(line.upSnr, loop.upKbps * 1000);
    const uint32_t l2Kbps = std::max<uint32_t>(kL2LeastKbps, static_cast<uint32_t>(loop.downKbps * kL2RateShare));
    line.downExtraL2 = ExtraMargin(line.downSnr, l2Kbps * 1000);

    const DownBits downBits = Load(line.downSnr, kTargetMarginDb + line.downExtra);
    const UpBits upBits = Load(line.upSnr, kTargetMarginDb + line.upExtra);
    line.downLoopAtt = Attenuation(line.downHlog, [](size_t) { return true; });
    line.upLoopAtt = Attenuation(line.upHlog, [](size_t) { return true; });
    line.downSignalAtt = Attenuation(line.downHlog, [&](size_t t) { return downBits[t] != 0; });
    line.upSignalAtt = Attenuation(line.upHlog, [&](size_t t) { return upBits[t] != 0; });
    // Short loops transmit with less power, so as not to disturb the longer ones in the binder.
    const double cutback = std::clamp((40.0 - line.downLoopAtt / 10.0) / 2.0, 0.0, 12.0);
    line.downTxPower = Tenths(19.8 - cutback);
    line.upTxPower = Tenths(12.4 - cutback / 3.0);
    return line;
}

LoopDiagResultRec CAdslLoopModel::LoopDiagnosis(uint32_t port, const std::string& lineProfile) const
{
    const Line& line = LineOf(port);
    LoopDiagResultRec rec;
    rec.entityId = port;
    rec.lineProfile = lineProfile;
    rec.validity = 2;
    rec.downAttainableRate = line.downAttainable;
    rec.upAttainableRate = line.upAttainable;
    rec.downLoopAttenuation = line.downLoopAtt;
    rec.upLoopAttenuation = line.upLoopAtt;
    rec.downSignalAttenuation = line.downSignalAtt;
    rec.upSignalAttenuation = line.upSignalAtt;
    rec.downSnrMargin = Tenths(kTargetMarginDb + line.downExtra);
    rec.upSnrMargin = Tenths(kTargetMarginDb + line.upExtra);
    rec.downTxPower = line.downTxPower;
    rec.upTxPower = line.upTxPower;
    PutHlog(rec.downHlog, line.downHlog);
    PutHlog(rec.upHlog, line.upHlog);
    rec.downQln = Codes(line.downQln, QlnCode);
    rec.upQln = Codes(line.upQln, QlnCode);
    rec.downSnr = Codes(line.downSnr, SnrCode);
    rec.upSnr = Codes(line.upSnr, SnrCode);
    return rec;
}

LoopMonResultRec CAdslLoopModel::LoopMonitoring(uint32_t port) const
{
    const Line& line = LineOf(port);
    LoopMonResultRec rec;
    rec.entityId = port;
    rec.validity = 2;
    PutHlog(rec.downHlog, line.downHlog);
    PutHlog(rec.upHlog, line.upHlog);
    rec.downQln = Codes(line.downQln, QlnCode);
    rec.upQln = Codes(line.upQln, QlnCode);
    return rec;
}

SeltResultRec CAdslLoopModel::Selt(uint32_t port) const
{
    const AdslLoop& loop = Loop(port);
    // The echo tells the length to within a few per cent.
    const double error = (static_cast<double>(Hash(port, kSaltSeltError) % 9) - 4.0) / 100.0;
    return {port, 2, loop.cableType, static_cast<uint32_t>(std::lround(loop.lengthFeet * (1.0 + error)))};
}

BitsAllocRec CAdslLoopModel::BitsAllocation(uint32_t port, uint32_t powerState) const
{
    const Line& line = LineOf(port);
    BitsAllocRec rec;
    rec.entityId = port;
    if (powerState != kAdslPowerL0 && powerState != kAdslPowerL2)
        return rec;
    const double downExtra = powerState == kAdslPowerL2 ? line.downExtraL2 : line.downExtra;
    rec.downBits = Load(line.downSnr, kTargetMarginDb + downExtra);
    rec.upBits = Load(line.upSnr, kTargetMarginDb + line.upExtra);
    return rec;
}

AdslRateStatusRec CAdslLoopModel::RateStatus(uint32_t port, uint32_t powerState, uint32_t previousPowerState) const
{
    const Line& line = LineOf(port);
    const AdslLoop& loop = line.loop;
    auto downRate = [&](uint32_t state) -> uint32_t {
        if (state == kAdslPowerL0)
            return loop.downKbps * 1000;
        if (state == kAdslPowerL2)
            return std::max<uint32_t>(kL2LeastKbps, static_cast<uint32_t>(loop.downKbps * kL2RateShare)) * 1000;
        return 0;
    };
    auto upRate = [&](uint32_t state) -> uint32_t {
        return state == kAdslPowerL0 || state == kAdslPowerL2 ? loop.upKbps * 1000 : 0;
    };
    AdslRateStatusRec rec;
    rec.entityId = port;
    rec.lineStandard = loop.lineStandard;
    rec.powerMgmtMode = loop.automaticPowerMgmt ? 1 : 2;
    rec.powerState = powerState;
    rec.downCurrentRate = downRate(powerState);
    rec.upCurrentRate = upRate(powerState);
    rec.downPreviousRate = downRate(previousPowerState);
    rec.upPreviousRate = upRate(previousPowerState);
    if (rec.downCurrentRate == 0)
        return rec; // a line in L3 is down: the NE measures nothing of it
    rec.lineStandardValid = 1;
    const bool l2 = powerState == kAdslPowerL2;
    rec.downAttainableRate = line.downAttainable;
    rec.upAttainableRate = line.upAttainable;
    rec.downSnrMargin = Tenths(kTargetMarginDb + (l2 ? line.downExtraL2 : line.downExtra));
    rec.upSnrMargin = Tenths(kTargetMarginDb + line.upExtra);
    rec.downAttenuation = line.downSignalAtt;
    rec.upAttenuation = line.upSignalAtt;
    rec.downOutputPower = static_cast<int16_t>(line.downTxPower - (l2 ? Tenths(kL2PowerCutDb) : 0));
    rec.upOutputPower = line.upTxPower;
    if (loop.interleaved) {
        rec.downInterleaveDelay = 8;
        rec.upInterleaveDelay = 4;
        rec.downBlockLength = 255;
        rec.upBlockLength = 64;
        rec.downInp = 200;
        rec.upInp = 100;
    } else {
        rec.downBlockLength = 64;
        rec.upBlockLength = 16;
    }
    return rec;
}
