#pragma once
// The rules of the line tests an NE runs on one ADSL port (loop diagnosis, loop monitoring, the single-ended loop
// test), without a window: what the status line of a test dialog says at each step, which failure reasons each test
// names, what the progress dialog makes of each answer to its poll, and how the per-tone codes of a result become
// values in tenths. The dialogs send the requests; these rules decide what follows from the answers.
//
//     const LineTestVerdict verdict = JudgePoll(LineTestKind::kLoopDiagnosis, polled, port, profile);
//     if (verdict.ends) EndDialog(verdict.dialogResult);
//
// The steps, as a test dialog runs them: the state the NE reports when the dialog opens (StatusOnOpen); Start asks
// again and goes on only when no test runs (RefusedBeforeStart); the progress dialog polls every ten seconds
// (JudgePoll) until the test ends; the outcome gives the status and the failure text (StatusOfOutcome,
// FailureReasonText). Start is offered again when the outcome is succeeded, failed or cancelled.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

enum class LineTestKind : uint8_t { kLoopDiagnosis, kLoopMonitoring, kSelt };

// The test states of the control records.
inline constexpr uint32_t kTestStateIdle = 0;
inline constexpr uint32_t kTestStateRunning = 1;
inline constexpr uint32_t kTestStateSucceeded = 2;
inline constexpr uint32_t kTestStateFailed = 3;
inline constexpr uint32_t kTestStateCancelled = 4;

inline constexpr uint32_t kTestCommandStart = 1;
inline constexpr uint32_t kTestCommandStop = 2;

// What a test dialog's status line says.
enum class LineTestStatus : uint8_t { kUnknown, kAvailable, kOccupied, kProcessing, kSucceeded, kFailed, kCancelled };

// The text of the status ("unknown", "available", ...).
std::string StatusText(LineTestStatus status);
// The text of a failure reason as the test names it; "unknown" for a reason it does not list.
std::string FailureReasonText(LineTestKind kind, uint32_t reason);

// When the dialog opens: occupied while a test runs, available when none does (Start offered), unknown otherwise.
LineTestStatus StatusOnOpen(uint32_t state);
// Start's own state query: none while a test runs (occupied) or for a state the dialogs do not know (unknown).
std::optional<LineTestStatus> RefusedBeforeStart(uint32_t state);
// The status the outcome of the progress dialog gives.
LineTestStatus StatusOfOutcome(int32_t outcome);

// What the progress dialog reads of one answer to its poll.
struct PolledTest {
    bool replied = false; // a reply with the code and a record
    uint32_t entityId = 0;
    uint32_t state = 0;
    uint32_t failureReason = 0;
    std::string lineProfile; // loop diagnosis only
};
struct LineTestVerdict {
    bool ends = false;    // the dialog ends; otherwise the next poll comes ten seconds later
    int dialogResult = 0; // IDOK or IDCANCEL
    int32_t outcome = 0;  // with IDOK: the state the test ended with
    int32_t failureReason = 0;
    bool failText = false; // "Fail to query" on the message line
};
// A test of the port (and, for the loop diagnosis, of its line profile) that runs goes on; one that ended gives its
// state; an answer for another port or profile means the operator's test was cancelled.
LineTestVerdict JudgePoll(LineTestKind kind, const PolledTest& polled, uint32_t port, const std::string& lineProfile);

// Value markers of the per-tone lists.
inline constexpr int32_t kToneNoData = 0x7FFFFFFF;
inline constexpr int32_t kToneNotAvailable = 0x7FFFFFFE;

// The per-tone codes as values in tenths (kToneNotAvailable for the code that says so).
int32_t HlogTenths(uint16_t magnitude);
int32_t QlnTenths(uint8_t noise);
int32_t SnrTenths(uint8_t snr);

// The Hlog codes of a result, little-endian 16 bits a tone, as values in tenths.
template <size_t Tones> std::array<int32_t, Tones> HlogValues(const std::array<uint8_t, 2 * Tones>& codes)
{
    std::array<int32_t, Tones> values{};
    for (size_t t = 0; t < Tones; ++t)
        values[t] = HlogTenths(static_cast<uint16_t>(codes[2 * t] | codes[2 * t + 1] << 8));
    return values;
}
// Byte codes a tone (QLN, SNR, bits) as values, by the conversion given.
template <size_t Tones, class Convert>
std::array<int32_t, Tones> ToneValues(const std::array<uint8_t, Tones>& codes, Convert convert)
{
    std::array<int32_t, Tones> values{};
    for (size_t t = 0; t < Tones; ++t)
        values[t] = convert(codes[t]);
    return values;
}

// A value as the per-tone list shows it: "--" and "NA" for the markers, else with `decimals` decimals (the value in
// tenths, hundredths, ...) or whole.
std::string ToneValueText(int32_t value, uint8_t decimals);

// The cable type of a single-ended test: "24 AWG", "26 AWG" or "unknown".
std::string CableTypeText(uint32_t cableType);
