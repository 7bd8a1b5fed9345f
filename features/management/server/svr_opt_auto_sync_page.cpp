#include "features/management/server/svr_opt_auto_sync_page.h"

#include "features/management/server/number_spins.h"
#include "features/management/server/server_option_rules.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui_svr_opt_auto_sync_page.h"

#include <QAbstractButton>

namespace {

constexpr NumberSpin kSpins[] = {
    {CSvrOptAutoSyncPage::kHoursSpinId, CSvrOptAutoSyncPage::kHoursId, kMinTimeSyncHours, kMaxTimeSyncHours},
};

} // namespace

CSvrOptAutoSyncPage::CSvrOptAutoSyncPage(ServerOptionValues& values, QWidget* parent)
    : CADialog(kTemplateId, parent), values_(values), ui_(std::make_unique<Ui::CSvrOptAutoSyncPage>())
{
    ui_->setupUi(this);
}

CSvrOptAutoSyncPage::~CSvrOptAutoSyncPage() = default;

void CSvrOptAutoSyncPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Check(dx, kProfileSyncId, values_.profileSync);
    DDX_Check(dx, kTimeSyncId, values_.timeSync);
    DDX_TextInRange(dx, *this, kHoursId, values_.timeSyncHours, kMinTimeSyncHours, kMaxHoursField);
    if (!dx.IsSaving())
        EnableHoursSpin();
}

void CSvrOptAutoSyncPage::EnableHoursSpin()
{
    const auto* check = GetDlgItemAs<QAbstractButton>(kTimeSyncId);
    EnableControl(kHoursSpinId, check != nullptr && check->isChecked());
}

bool CSvrOptAutoSyncPage::OnNotify(const NotifyHeader& header, int* result)
{
    return StepNumberSpin(*this, header, kSpins) || CADialog::OnNotify(header, result);
}

int CSvrOptAutoSyncPage::OnCommandHook(int id, int code)
{
    if (id == kTimeSyncId && code == BN_CLICKED) {
        EnableHoursSpin();
        return 1;
    }
    return 0;
}
