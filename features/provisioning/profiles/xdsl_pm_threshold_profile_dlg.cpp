#include "features/provisioning/profiles/xdsl_pm_threshold_profile_dlg.h"

#include "link/records/request_codes.h"
#include "ui_xdsl_pm_threshold_profile_dlg.h"

#include <algorithm>

namespace {

uint16_t Short(uint32_t value)
{
    return static_cast<uint16_t>(std::min<uint32_t>(value, 0xFFFF));
}

} // namespace

std::array<uint32_t, CXdslPmThresholdProfileDlg::kThresholdCount> PmThresholdsOf(const XdslPmThresholdProfileRec& rec)
{
    return {rec.coEs15Min, rec.coSes15Min, rec.coUas15Min, rec.coEsDay, rec.coSesDay, rec.coUasDay,
            rec.rtEs15Min, rec.rtSes15Min, rec.rtUas15Min, rec.rtEsDay, rec.rtSesDay, rec.rtUasDay};
}

void SetPmThresholds(XdslPmThresholdProfileRec& rec,
                     const std::array<uint32_t, CXdslPmThresholdProfileDlg::kThresholdCount>& values)
{
    rec.coEs15Min = Short(values[0]);
    rec.coSes15Min = Short(values[1]);
    rec.coUas15Min = Short(values[2]);
    rec.coEsDay = values[3];
    rec.coSesDay = values[4];
    rec.coUasDay = values[5];
    rec.rtEs15Min = Short(values[6]);
    rec.rtSes15Min = Short(values[7]);
    rec.rtUas15Min = Short(values[8]);
    rec.rtEsDay = values[9];
    rec.rtSesDay = values[10];
    rec.rtUasDay = values[11];
}

bool IsDayThreshold(size_t index)
{
    return index % 6 >= 3;
}

CXdslPmThresholdProfileDlg::CXdslPmThresholdProfileDlg(QWidget* parent)
    : CThresholdProfileEditorOf(kTemplateId, ProfileKindId::kXdslPmThreshold, kXdslPmThresholdProfileNameWidth, parent),
      ui_(std::make_unique<Ui::CXdslPmThresholdProfileDlg>())
{
    ui_->setupUi(this);
}

CXdslPmThresholdProfileDlg::~CXdslPmThresholdProfileDlg() = default;

void CXdslPmThresholdProfileDlg::DoDataExchange(CDataExchange& dx)
{
    CThresholdProfileEditorOf::DoDataExchange(dx);
    const bool check = GetAccessMode() != kAccessQuery;
    for (size_t i = 0; i < kThresholdCount && !dx.Failed(); ++i) {
        DDX_Threshold(dx, *this, kControls[i].checkId, kControls[i].editId, thresholds_[i].enabled,
                      thresholds_[i].value, 1, IsDayThreshold(i) ? kDayMax : k15MinMax, check);
    }
}

void CXdslPmThresholdProfileDlg::InitData()
{
    if (!StartAndRead())
        return;
    if (!IsAdding()) {
        name_ = QString::fromStdString(record_.name);
        const auto values = PmThresholdsOf(record_);
        for (size_t i = 0; i < kThresholdCount; ++i) {
            // A threshold that is off shows 1; one beyond its range shows the range's end.
            thresholds_[i].enabled = values[i] != 0 ? 1 : 0;
            thresholds_[i].value = values[i] == 0 ? 1 : std::min(values[i], IsDayThreshold(i) ? kDayMax : k15MinMax);
        }
    }
    ShowValues();
}

int CXdslPmThresholdProfileDlg::OnCommandHook(int id, int code)
{
    const auto left = [&] {
        for (const ThresholdControls& controls : kControls) {
            if (id == controls.editId && code == EN_KILLFOCUS)
                return true;
        }
        return false;
    };
    if (IsThresholdBoxClick(kControls, id, code) || left())
        TakeValues();
    return CThresholdProfileEditorOf::OnCommandHook(id, code);
}

void CXdslPmThresholdProfileDlg::OnOK()
{
    if (!CheckOkOfOnePage())
        return;

    XdslPmThresholdProfileRec rec;
    rec.name = TypedName();
    std::array<uint32_t, kThresholdCount> values{};
    for (size_t i = 0; i < kThresholdCount; ++i)
        values[i] = thresholds_[i].enabled != 0 ? thresholds_[i].value : 0;
    SetPmThresholds(rec, values);
    rec.status = 1;
    WriteAndEnd(rec);
}
