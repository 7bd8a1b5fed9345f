#include "features/management/server/svr_opt_backup_page.h"

#include "features/management/server/number_spins.h"
#include "features/management/server/server_option_rules.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_svr_opt_backup_page.h"

#include <QComboBox>

namespace {

using Page = CSvrOptBackupPage;
constexpr NumberSpin kSpins[] = {
    {Page::kMinuteSpinIds[0], Page::kMinuteIds[0], 0, kMaxMinute},
    {Page::kMinuteSpinIds[1], Page::kMinuteIds[1], 0, kMaxMinute},
    {Page::kMinuteSpinIds[2], Page::kMinuteIds[2], 0, kMaxMinute},
};

// A combo's position, where the operator cannot leave it at none: the value shown stays when it has none.
void ExchangePosition(CDataExchange& dx, int id, int& value)
{
    int position = value;
    DDX_CBIndex(dx, id, position);
    if (position >= 0)
        value = position;
}

} // namespace

CSvrOptBackupPage::CSvrOptBackupPage(ServerOptionValues& values, QWidget* parent)
    : CADialog(kTemplateId, parent), values_(values), ui_(std::make_unique<Ui::CSvrOptBackupPage>())
{
    ui_->setupUi(this);
}

CSvrOptBackupPage::~CSvrOptBackupPage() = default;

bool CSvrOptBackupPage::OnInitDialog()
{
    // Hours 0..23 and "every hour" on every entry's combo, so that each hour the server may keep is one to show.
    for (const int id : kHourIds) {
        if (auto* combo = GetDlgItemAs<QComboBox>(id)) {
            combo->clear();
            for (int hour = 0; hour < kEveryHour; ++hour)
                combo->addItem(QString::number(hour));
            combo->addItem(LoadQString(kStrEveryHour));
        }
    }
    return CADialog::OnInitDialog();
}

void CSvrOptBackupPage::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < kScheduleEntries; ++i) {
        ScheduleValues& entry = values_.schedules[i];
        DDX_Check(dx, kEnabledIds[i], entry.enabled);
        ExchangePosition(dx, kWeekdayIds[i], entry.weekday);
        ExchangePosition(dx, kHourIds[i], entry.hour);
        uint32_t minute = static_cast<uint32_t>(entry.minute);
        DDX_TextInRange(dx, *this, kMinuteIds[i], minute, 0, kMaxMinute);
        entry.minute = static_cast<int>(minute);
    }
}

bool CSvrOptBackupPage::OnNotify(const NotifyHeader& header, int* result)
{
    return StepNumberSpin(*this, header, kSpins) || CADialog::OnNotify(header, result);
}
