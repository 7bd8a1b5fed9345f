#include "features/provisioning/fast_prov/fast_prov_channel_pages.h"

#include "core/util/vlan_id.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui_fast_prov_vc_page.h"
#include "ui_fast_prov_vc_vlan_page.h"

#include <QLineEdit>

namespace {

constexpr uint32_t kMaxVpi = 255;
constexpr uint32_t kMaxVpiIncrement = 128;
constexpr uint32_t kMaxVci = 65535;
constexpr uint32_t kMaxVciIncrement = 32752;
constexpr int32_t kMaxVlanStep = 2047;
// The up-down control offers 1..8 PVCs per port; a number typed is taken as a byte holds it.
constexpr uint32_t kMaxPvcsTyped = 255;

struct SpinRange {
    int spin;
    int edit;
    uint32_t minimum;
    uint32_t maximum;
};

constexpr SpinRange kChannelSpins[] = {
    {CFastProvChannelPage::kVpiStartSpinId, CFastProvChannelPage::kVpiStartId, 0, kMaxVpi},
    {CFastProvChannelPage::kVpiIncrementSpinId, CFastProvChannelPage::kVpiIncrementId, 0, kMaxVpiIncrement},
    {CFastProvChannelPage::kVciStartSpinId, CFastProvChannelPage::kVciStartId, kFirstVci, kMaxVci},
    {CFastProvChannelPage::kVciIncrementSpinId, CFastProvChannelPage::kVciIncrementId, 0, kMaxVciIncrement},
    {CFastProvChannelPage::kPvcsPerPortSpinId, CFastProvChannelPage::kPvcsPerPortId, 1, kMaxPvcsPerPort},
};

} // namespace

CFastProvChannelPage::CFastProvChannelPage(int templateId, QWidget* parent) : CADialog(templateId, parent) {}

FastProvChannels CFastProvChannelPage::Channels() const
{
    FastProvChannels channels = channels_;
    channels.enabled = stateIndex_ == 0;
    return channels;
}

void CFastProvChannelPage::SetChannels(const FastProvChannels& channels)
{
    const bool enabled = stateIndex_ == 0;
    channels_ = channels;
    channels_.enabled = enabled;
}

void CFastProvChannelPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledId, kDisabledId}, stateIndex_);
    DDX_TextInRange(dx, *this, kVpiStartId, channels_.vpiStart, 0, kMaxVpi);
    DDX_TextInRange(dx, *this, kVpiIncrementId, channels_.vpiIncrement, 0, kMaxVpiIncrement);
    DDX_TextInRange(dx, *this, kVciStartId, channels_.vciStart, kFirstVci, kMaxVci);
    DDX_TextInRange(dx, *this, kVciIncrementId, channels_.vciIncrement, 0, kMaxVciIncrement);
    DDX_TextInRange(dx, *this, kPvcsPerPortId, channels_.pvcsPerPort, 0, kMaxPvcsTyped);
}

void CFastProvChannelPage::KeepOneIncrement(int changedId)
{
    const int otherId = changedId == kVpiIncrementId ? kVciIncrementId : kVpiIncrementId;
    const auto* changed = GetDlgItemAs<QLineEdit>(changedId);
    auto* other = GetDlgItemAs<QLineEdit>(otherId);
    if (changed == nullptr || other == nullptr)
        return;
    other->setText(changed->text().toUInt() != 0 ? QStringLiteral("0") : QStringLiteral("1"));
}

bool CFastProvChannelPage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS) {
        for (const SpinRange& range : kChannelSpins) {
            if (header.idFrom != range.spin)
                continue;
            StepNumberEdit(GetDlgItemAs<QLineEdit>(range.edit), header.delta, range.minimum, range.maximum);
            if (range.edit == kVpiIncrementId || range.edit == kVciIncrementId)
                KeepOneIncrement(range.edit);
            return true;
        }
    }
    return CADialog::OnNotify(header, result);
}

int CFastProvChannelPage::OnCommandHook(int id, int code)
{
    if (code == EN_KILLFOCUS && (id == kVpiIncrementId || id == kVciIncrementId)) {
        KeepOneIncrement(id);
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}

CFastProvVcVlanPage::CFastProvVcVlanPage(QWidget* parent)
    : CFastProvChannelPage(kTemplateId, parent), ui_(std::make_unique<Ui::CFastProvVcVlanPage>())
{
    ui_->setupUi(this);
}

CFastProvVcVlanPage::~CFastProvVcVlanPage() = default;

void CFastProvVcVlanPage::DoDataExchange(CDataExchange& dx)
{
    CFastProvChannelPage::DoDataExchange(dx);
    DDX_TextInRange(dx, *this, kVlanStartId, vlanStart_, kFirstVlanId, kLastVlanId);
    DDX_SignedInRange(dx, *this, kVlanIncrementId, vlanIncrement_, -kMaxVlanStep, kMaxVlanStep);
    DDX_Check(dx, kContinuousId, continuous_);
}

bool CFastProvVcVlanPage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kVlanStartSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kVlanStartId), header.delta, kFirstVlanId, kLastVlanId);
        return true;
    }
    if (header.idFrom == kVlanIncrementSpinId && header.code == UDN_DELTAPOS) {
        StepSignedNumberEdit(GetDlgItemAs<QLineEdit>(kVlanIncrementId), header.delta, -kMaxVlanStep, kMaxVlanStep);
        return true;
    }
    return CFastProvChannelPage::OnNotify(header, result);
}

CFastProvVcPage::CFastProvVcPage(QWidget* parent)
    : CFastProvChannelPage(kTemplateId, parent), ui_(std::make_unique<Ui::CFastProvVcPage>())
{
    ui_->setupUi(this);
}

CFastProvVcPage::~CFastProvVcPage() = default;
