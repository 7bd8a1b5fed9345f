#include "features/performance/line_tests/xdsl_test_progress_dlg.h"

#include "core/config/app_settings.h"
#include "features/performance/line_tests/line_test_requests.h"
#include "link/driver_mode.h"
#include "link/net_drv.h"
#include "ui/framework/dialogs/progress_display.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_test_progress_dlg.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <array>

namespace {

constexpr size_t kProfileChars = 35;

struct Configuration {
    int templateId;
    int timerId;
};
constexpr std::array<Configuration, 3> kConfigurations = {{{299, 12885}, {351, 12886}, {423, 12366}}};

const Configuration& ConfigurationOf(LineTestKind kind)
{
    return kConfigurations[static_cast<size_t>(kind)];
}

// The banner's tick counter of each test, kept while the program runs.
uint32_t& TickCounterOf(LineTestKind kind)
{
    static std::array<uint32_t, 3> counters{};
    return counters[static_cast<size_t>(kind)];
}

uint32_t BarRangeMs()
{
    return std::max<uint32_t>(AppSettings().serverWait, 1);
}

} // namespace

int CXdslTestProgressDlg::TemplateOf(LineTestKind kind)
{
    return ConfigurationOf(kind).templateId;
}

int CXdslTestProgressDlg::TimerOf(LineTestKind kind)
{
    return ConfigurationOf(kind).timerId;
}

CXdslTestProgressDlg::CXdslTestProgressDlg(LineTestKind kind, QWidget* parent)
    : CADialog(TemplateOf(kind), parent), ui_(std::make_unique<Ui::CXdslTestProgressDlg>()), kind_(kind),
      clock_([] { return GetCurrentUtcTime(); })
{
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowStaysOnTopHint);
}

CXdslTestProgressDlg::~CXdslTestProgressDlg() = default;

void CXdslTestProgressDlg::SetLineProfile(const std::string& name)
{
    lineProfile_ = name.substr(0, kProfileChars);
}

void CXdslTestProgressDlg::SetClock(CProgressWatch::Clock clock)
{
    clock_ = std::move(clock);
    if (watch_)
        watch_.emplace(clock_, CProgressWatch::Setup{.barRangeMs = BarRangeMs(),
                                                     .pollPeriodMs = kPollPeriodMs,
                                                     .tickCounter = &TickCounterOf(kind_)});
}

void CXdslTestProgressDlg::InitData()
{
    const QString text = LoadQString(kStrLineTestInProgress);
    const qsizetype lineBreak = text.indexOf(QLatin1Char('\n'));
    if (auto* first = GetDlgItemAs<QLabel>(kFirstLineId))
        first->setText(lineBreak < 0 ? text : text.left(lineBreak));
    if (auto* banner = GetDlgItemAs<QLabel>(kBannerId))
        banner->setText(lineBreak < 0 ? QString() : text.mid(lineBreak + 1));
    if (auto* elapsed = GetDlgItemAs<QLabel>(kElapsedId))
        elapsed->setText(QStringLiteral("0.000"));
    if (auto* bar = GetDlgItemAs<QProgressBar>(kProgressId)) {
        bar->setRange(0, static_cast<int>(BarRangeMs()));
        bar->setValue(0);
    }
    watch_.emplace(clock_, CProgressWatch::Setup{.barRangeMs = BarRangeMs(),
                                                 .pollPeriodMs = kPollPeriodMs,
                                                 .tickCounter = &TickCounterOf(kind_)});
    SetTimer(TimerOf(kind_), kTickMs);
}

void CXdslTestProgressDlg::OnTimer(int id)
{
    if (id != TimerOf(kind_)) {
        CADialog::OnTimer(id);
        return;
    }
    OnTick();
}

void CXdslTestProgressDlg::OnTick()
{
    if (!watch_ || IsEnded())
        return;
    const CProgressWatch::Tick tick = watch_->OnTick();
    ShowProgressTick(*this, tick);
    if (tick.poll)
        Poll();
}

void CXdslTestProgressDlg::Poll()
{
    KillTimer(TimerOf(kind_));
    const std::optional<PolledTest> polled =
        QueryTestState(kind_, static_cast<uint32_t>(GetNeId()), GetTargetEntity().id,
                       {.failureTextId = kStrFailToQuery, .timeoutMs = kPollTimeoutMs, .waitDialog = false});
    if (IsEnded())
        return;
    if (!polled) {
        EndDialog(IDCANCEL);
        return;
    }
    const LineTestVerdict verdict = JudgePoll(kind_, *polled, GetTargetEntity().id, lineProfile_);
    if (!verdict.ends) {
        watch_->Polled();
        SetTimer(TimerOf(kind_), kTickMs);
        return;
    }
    if (verdict.failText)
        ShowAlertTextById(kStrFailToQuery);
    outcome_ = verdict.outcome;
    failureReason_ = verdict.failureReason;
    EndDialog(verdict.dialogResult);
}

void CXdslTestProgressDlg::Stop()
{
    GetCurrentDriver().CancelRequest();
    KillTimer(TimerOf(kind_));
    // The single-ended test has no stop command; its answer is not waited for.
    if (kind_ != LineTestKind::kSelt)
        SendTestCommand(kind_, static_cast<uint32_t>(GetNeId()), GetTargetEntity().id, kTestCommandStop, {},
                        {.failureTextId = kStrFailToUpdateData});
    outcome_ = kTestStateCancelled;
    EndDialog(IDOK);
}

int CXdslTestProgressDlg::OnCommandHook(int id, int code)
{
    if (id == kStopId && code == BN_CLICKED) {
        Stop();
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}
