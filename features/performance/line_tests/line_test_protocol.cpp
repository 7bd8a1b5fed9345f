#include "features/performance/line_tests/line_test_protocol.h"

#include "platform/notify_codes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QStringList>

#include <cstdio>

namespace {

constexpr uint32_t kLastReason = 17;
constexpr uint16_t kHlogNotAvailable = 1023;
constexpr uint8_t kByteNotAvailable = 255;

// The reasons each test names, by bit (bit n: reason n).
constexpr uint32_t Reasons(std::initializer_list<uint32_t> reasons)
{
    uint32_t mask = 0;
    for (uint32_t reason : reasons)
        mask |= 1u << reason;
    return mask;
}
constexpr uint32_t kLoopDiagnosisReasons = Reasons({1, 2, 3, 4, 5, 6, 7, 9, 10, 12, 14, 15, 16, 17});
constexpr uint32_t kLoopMonitoringReasons = Reasons({1, 3, 4, 5, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
constexpr uint32_t kSeltReasons = Reasons({1, 3, 4, 10, 12, 14, 15, 16, 17});

uint32_t ReasonsOf(LineTestKind kind)
{
    switch (kind) {
    case LineTestKind::kLoopDiagnosis:
        return kLoopDiagnosisReasons;
    case LineTestKind::kLoopMonitoring:
        return kLoopMonitoringReasons;
    default:
        return kSeltReasons;
    }
}

std::string Item(uint32_t stringId, int index)
{
    const QStringList items = LoadQString(stringId).split('|');
    return index >= 0 && index < items.size() ? items[index].toStdString() : std::string();
}

} // namespace

std::string StatusText(LineTestStatus status)
{
    return Item(kStrLineTestStatusTexts, static_cast<int>(status));
}

std::string FailureReasonText(LineTestKind kind, uint32_t reason)
{
    if (reason == 0 || reason > kLastReason || (ReasonsOf(kind) & (1u << reason)) == 0)
        return StatusText(LineTestStatus::kUnknown);
    return Item(kStrLineTestFailureReasons, static_cast<int>(reason) - 1);
}

LineTestStatus StatusOnOpen(uint32_t state)
{
    if (state == kTestStateRunning)
        return LineTestStatus::kOccupied;
    return state <= kTestStateCancelled ? LineTestStatus::kAvailable : LineTestStatus::kUnknown;
}

std::optional<LineTestStatus> RefusedBeforeStart(uint32_t state)
{
    if (state == kTestStateRunning)
        return LineTestStatus::kOccupied;
    if (state > kTestStateCancelled)
        return LineTestStatus::kUnknown;
    return std::nullopt;
}

LineTestStatus StatusOfOutcome(int32_t outcome)
{
    switch (outcome) {
    case kTestStateRunning:
        return LineTestStatus::kOccupied;
    case kTestStateSucceeded:
        return LineTestStatus::kSucceeded;
    case kTestStateFailed:
        return LineTestStatus::kFailed;
    case kTestStateCancelled:
        return LineTestStatus::kCancelled;
    default:
        return LineTestStatus::kUnknown;
    }
}

LineTestVerdict JudgePoll(LineTestKind kind, const PolledTest& polled, uint32_t port, const std::string& lineProfile)
{
    LineTestVerdict verdict;
    if (!polled.replied) {
        verdict.ends = true;
        verdict.dialogResult = IDCANCEL;
        verdict.failText = true;
        return verdict;
    }
    const bool otherTest =
        polled.entityId != port || (kind == LineTestKind::kLoopDiagnosis && polled.state == kTestStateRunning &&
                                    polled.lineProfile != lineProfile);
    if (otherTest) {
        verdict.ends = true;
        verdict.dialogResult = IDOK;
        verdict.outcome = kTestStateCancelled;
        return verdict;
    }
    if (polled.state == kTestStateRunning)
        return verdict;
    verdict.ends = true;
    verdict.dialogResult = IDOK;
    verdict.outcome = static_cast<int32_t>(polled.state);
    if (polled.state == kTestStateFailed)
        verdict.failureReason = static_cast<int32_t>(polled.failureReason);
    return verdict;
}

int32_t HlogTenths(uint16_t magnitude)
{
    return magnitude == kHlogNotAvailable ? kToneNotAvailable : 60 - static_cast<int32_t>(magnitude);
}

int32_t QlnTenths(uint8_t noise)
{
    return noise == kByteNotAvailable ? kToneNotAvailable : -5 * (46 + static_cast<int32_t>(noise));
}

int32_t SnrTenths(uint8_t snr)
{
    return snr == kByteNotAvailable ? kToneNotAvailable : 5 * (static_cast<int32_t>(snr) - 64);
}

std::string ToneValueText(int32_t value, uint8_t decimals)
{
    if (value == kToneNoData)
        return "--";
    if (value == kToneNotAvailable)
        return "NA";
    int divisor = 1;
    for (uint8_t d = 0; d < decimals; ++d)
        divisor *= 10;
    char text[32];
    if (divisor > 1)
        std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value) / divisor);
    else
        std::snprintf(text, sizeof text, "%d", value);
    return text;
}

std::string CableTypeText(uint32_t cableType)
{
    if (cableType == 1 || cableType == 2)
        return Item(kStrCableTypes, static_cast<int>(cableType) - 1);
    return LoadString(kStrUnknown);
}
