#include "features/provisioning/profiles/adsl_snr_margin_page.h"

#include "ui/framework/dialogs/number_edit.h"
#include "ui_adsl_snr_margin_page.h"

#include <QLineEdit>

#include <array>

namespace {

// The edits of one direction with the members they show and their greatest values.
struct SnrEdit {
    int id;
    int32_t AdslSnrValues::*member;
    int32_t maximum;
};

constexpr std::array<SnrEdit, 7> EditsOf(bool upstream)
{
    using P = CAdslSnrMarginPage;
    return {{
        {upstream ? P::kUpMinId : P::kDownMinId, &AdslSnrValues::minimum, P::kMarginMax},
        {upstream ? P::kUpMaxId : P::kDownMaxId, &AdslSnrValues::maximum, P::kMarginMax},
        {upstream ? P::kUpTargetId : P::kDownTargetId, &AdslSnrValues::target, P::kMarginMax},
        {upstream ? P::kUpUpshiftId : P::kDownUpshiftId, &AdslSnrValues::upshift, P::kMarginMax},
        {upstream ? P::kUpDownshiftId : P::kDownDownshiftId, &AdslSnrValues::downshift, P::kMarginMax},
        {upstream ? P::kUpUpshiftTimeId : P::kDownUpshiftTimeId, &AdslSnrValues::upshiftTime, P::kTimeMax},
        {upstream ? P::kUpDownshiftTimeId : P::kDownDownshiftTimeId, &AdslSnrValues::downshiftTime, P::kTimeMax},
    }};
}

// The shift margins and times: the last four edits of a direction.
constexpr size_t kFirstShiftEdit = 3;

} // namespace

CAdslSnrMarginPage::CAdslSnrMarginPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAdslSnrMarginPage>())
{
    ui_->setupUi(this);
}

CAdslSnrMarginPage::~CAdslSnrMarginPage() = default;

void CAdslSnrMarginPage::SetValues(const AdslSnrValues& up, const AdslSnrValues& down)
{
    up_ = up;
    down_ = down;
}

void CAdslSnrMarginPage::ApplyRateMode(int rateMode)
{
    const bool shifts = rateMode == kRateModeAdaptiveRuntime;
    for (bool upstream : {true, false}) {
        const auto edits = EditsOf(upstream);
        for (size_t i = kFirstShiftEdit; i < edits.size(); ++i) {
            SetControlReadOnly(edits[i].id, !shifts);
            EnableControl(edits[i].id + kSpinOffset, shifts);
        }
    }
}

void CAdslSnrMarginPage::DoDataExchange(CDataExchange& dx)
{
    const bool check = GetAccessMode() != kAccessQuery;
    for (bool upstream : {true, false}) {
        AdslSnrValues& values = upstream ? up_ : down_;
        for (const SnrEdit& edit : EditsOf(upstream)) {
            if (check) {
                DDX_SignedInRange(dx, *this, edit.id, values.*edit.member, 0, edit.maximum);
            } else if (!dx.IsSaving()) {
                QString text = QString::number(values.*edit.member);
                DDX_Text(dx, edit.id, text);
            }
            if (dx.Failed())
                return;
        }
    }
}

bool CAdslSnrMarginPage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS) {
        for (bool upstream : {true, false}) {
            for (const SnrEdit& edit : EditsOf(upstream)) {
                if (header.idFrom == edit.id + kSpinOffset) {
                    StepSignedNumberEdit(GetDlgItemAs<QLineEdit>(edit.id), header.delta, 0, edit.maximum);
                    return true;
                }
            }
        }
    }
    return CADialog::OnNotify(header, result);
}
