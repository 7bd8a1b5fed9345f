#include "features/provisioning/profiles/shdsl_pm_threshold_profile_dlg.h"

#include "link/records/request_codes.h"
#include "ui_shdsl_pm_threshold_profile_dlg.h"

#include <algorithm>

namespace {

constexpr size_t kSnr = 0;
constexpr size_t kLoop = 1;
constexpr int16_t kLoopOff = 127;
constexpr uint32_t kMaxLoop = 126;

uint32_t Clamped(int64_t value, size_t index)
{
    const auto& c = CShdslPmThresholdProfileDlg::kControls[index];
    return static_cast<uint32_t>(std::clamp<int64_t>(value, c.minimum, c.maximum));
}

} // namespace

ShdslThresholds ShdslThresholdsOf(const ShdslPmThresholdProfileRec& rec)
{
    ShdslThresholds shown{};
    shown[kSnr] = rec.minSnrMargin < 1 ? ShdslThreshold{0, 1} : ShdslThreshold{1, Clamped(rec.minSnrMargin, kSnr)};
    shown[kLoop] = rec.maxLoopAttenuation > static_cast<int16_t>(kMaxLoop)
                       ? ShdslThreshold{0, kMaxLoop}
                       : ShdslThreshold{1, Clamped(rec.maxLoopAttenuation, kLoop)};
    const uint16_t counts[] = {rec.es, rec.ses, rec.uas, rec.losws, rec.crc};
    for (size_t i = 0; i < std::size(counts); ++i)
        shown[i + 2] = counts[i] == 0 ? ShdslThreshold{0, 1} : ShdslThreshold{1, Clamped(counts[i], i + 2)};
    return shown;
}

void SetShdslThresholds(ShdslPmThresholdProfileRec& rec, const ShdslThresholds& thresholds)
{
    auto value = [&](size_t i) { return thresholds[i].on != 0 ? thresholds[i].value : 0u; };
    rec.minSnrMargin = static_cast<int16_t>(value(kSnr));
    rec.maxLoopAttenuation = thresholds[kLoop].on != 0 ? static_cast<int16_t>(thresholds[kLoop].value) : kLoopOff;
    rec.es = static_cast<uint16_t>(value(2));
    rec.ses = static_cast<uint16_t>(value(3));
    rec.uas = static_cast<uint16_t>(value(4));
    rec.losws = static_cast<uint16_t>(value(5));
    rec.crc = static_cast<uint16_t>(value(6));
}

CShdslPmThresholdProfileDlg::CShdslPmThresholdProfileDlg(QWidget* parent)
    : CThresholdProfileEditorOf(kTemplateId, ProfileKindId::kShdslPmThreshold, kShdslPmThresholdProfileNameWidth,
                                parent),
      ui_(std::make_unique<Ui::CShdslPmThresholdProfileDlg>())
{
    ui_->setupUi(this);
}

CShdslPmThresholdProfileDlg::~CShdslPmThresholdProfileDlg() = default;

void CShdslPmThresholdProfileDlg::DoDataExchange(CDataExchange& dx)
{
    CThresholdProfileEditorOf::DoDataExchange(dx);
    const bool check = GetAccessMode() != kAccessQuery;
    for (size_t i = 0; i < kShdslThresholdCount && !dx.Failed(); ++i) {
        const ThresholdControls& c = kControls[i];
        DDX_Threshold(dx, *this, c.checkId, c.editId, thresholds_[i].on, thresholds_[i].value, c.minimum, c.maximum,
                      check);
    }
}

void CShdslPmThresholdProfileDlg::InitData()
{
    if (!StartAndRead())
        return;
    if (!IsAdding()) {
        name_ = QString::fromStdString(record_.name);
        thresholds_ = ShdslThresholdsOf(record_);
    }
    ShowValues();
}

int CShdslPmThresholdProfileDlg::OnCommandHook(int id, int code)
{
    if (IsThresholdBoxClick(kControls, id, code))
        TakeValues();
    return CThresholdProfileEditorOf::OnCommandHook(id, code);
}

void CShdslPmThresholdProfileDlg::OnOK()
{
    if (!CheckOkOfOnePage())
        return;
    ShdslPmThresholdProfileRec rec;
    rec.name = TypedName();
    SetShdslThresholds(rec, thresholds_);
    rec.rowState = 1;
    WriteAndEnd(rec);
}
