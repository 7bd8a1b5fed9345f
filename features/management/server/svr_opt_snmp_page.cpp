#include "features/management/server/svr_opt_snmp_page.h"

#include "features/management/server/number_spins.h"
#include "features/management/server/server_option_rules.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui_svr_opt_snmp_page.h"

namespace {

constexpr uint32_t kByte = 0xFF;
constexpr NumberSpin kSpins[] = {
    {CSvrOptSnmpPage::kTimeoutSpinId, CSvrOptSnmpPage::kTimeoutId, kMinSnmpTimeout, kMaxSnmpTimeout},
    {CSvrOptSnmpPage::kRetriesSpinId, CSvrOptSnmpPage::kRetriesId, 0, kMaxSnmpRetries},
    {CSvrOptSnmpPage::kPollingSpinId, CSvrOptSnmpPage::kPollingId, 0, kMaxAlarmPollMinutes},
};

} // namespace

CSvrOptSnmpPage::CSvrOptSnmpPage(ServerOptionValues& values, QWidget* parent)
    : CADialog(kTemplateId, parent), values_(values), ui_(std::make_unique<Ui::CSvrOptSnmpPage>())
{
    ui_->setupUi(this);
}

CSvrOptSnmpPage::~CSvrOptSnmpPage() = default;

void CSvrOptSnmpPage::DoDataExchange(CDataExchange& dx)
{
    DDX_TextInRange(dx, *this, kTimeoutId, values_.snmpTimeout, 0, kByte);
    DDX_TextInRange(dx, *this, kRetriesId, values_.snmpRetries, 0, kByte);
    DDX_TextInRange(dx, *this, kPollingId, values_.alarmPollMinutes, 0, UINT32_MAX);
}

bool CSvrOptSnmpPage::OnNotify(const NotifyHeader& header, int* result)
{
    return StepNumberSpin(*this, header, kSpins) || CADialog::OnNotify(header, result);
}
