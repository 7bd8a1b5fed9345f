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

// A combo's position; the value stays when the combo shows none (a backup the server keeps at every hour, which its
// combo does not offer, is written back as it was).
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
    // Hours 0..23; the NE flash writes may also run every hour.
    for (size_t i = 0; i < kScheduleEntries; ++i) {
        if (auto* combo = GetDlgItemAs<QComboBox>(kHourIds[i])) {
            combo->clear();
            for (int hour = 0; hour < kEveryHour; ++hour)
                combo->addItem(QString::number(hour));
            if (i == static_cast<size_t>(kNeFlashWriteEntry))
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
