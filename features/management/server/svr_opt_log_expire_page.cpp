#include "features/management/server/svr_opt_log_expire_page.h"

#include "features/management/server/number_spins.h"
#include "features/management/server/server_option_rules.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui_svr_opt_log_expire_page.h"

namespace {

using Page = CSvrOptLogExpirePage;
constexpr NumberSpin kSpins[] = {
    {Page::kHistoryAlarmSpinId, Page::kHistoryAlarmId, 1, kMaxAlarmDays},
    {Page::kPmSpinId, Page::kPmId, 1, kMaxAlarmDays},
    {Page::kDailyPmSpinId, Page::kDailyPmId, 1, kMaxDailyPmDays},
    {Page::kOpLogSpinId, Page::kOpLogId, 1, kMaxOpLogDays},
};

} // namespace

CSvrOptLogExpirePage::CSvrOptLogExpirePage(ServerOptionValues& values, QWidget* parent)
    : CADialog(kTemplateId, parent), values_(values), ui_(std::make_unique<Ui::CSvrOptLogExpirePage>())
{
    ui_->setupUi(this);
}

CSvrOptLogExpirePage::~CSvrOptLogExpirePage() = default;

void CSvrOptLogExpirePage::DoDataExchange(CDataExchange& dx)
{
    DDX_TextInRange(dx, *this, kHistoryAlarmId, values_.historyAlarmDays, 1, kMaxAlarmDays);
    DDX_TextInRange(dx, *this, kPmId, values_.pmDays, 1, kMaxAlarmDays);
    DDX_TextInRange(dx, *this, kDailyPmId, values_.dailyPmDays, 1, kMaxDailyPmDays);
    DDX_TextInRange(dx, *this, kOpLogId, values_.opLogDays, 1, kMaxOpLogDays);
}

bool CSvrOptLogExpirePage::OnNotify(const NotifyHeader& header, int* result)
{
    return StepNumberSpin(*this, header, kSpins) || CADialog::OnNotify(header, result);
}
