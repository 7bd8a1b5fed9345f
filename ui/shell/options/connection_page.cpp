#include "ui/shell/options/connection_page.h"

#include "core/config/app_settings.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/shell/app/ems_app.h"
#include "ui_connection_page.h"

#include <QLineEdit>

namespace {

constexpr uint32_t kMsPerSecond = 1000;

} // namespace

const CConnectionPage::Range CConnectionPage::kRanges[4] = {
    {kServerPortId, kServerPortSpinId, 1, 65535},
    {kTrapPortId, kTrapPortSpinId, 1, 65535},
    {kWaitId, kWaitSpinId, 3, 900},
    {kHelloId, kHelloSpinId, 10, 240},
};

CConnectionPage::CConnectionPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CConnectionPage>())
{
    ui_->setupUi(this);
}

CConnectionPage::~CConnectionPage() = default;

bool CConnectionPage::OnInitDialog()
{
    CADialog::OnInitDialog();
    const CAppSettings& settings = AppSettings();
    serverPort_ = settings.serverPort;
    trapPort_ = settings.serverTrapPort;
    waitSeconds_ = settings.serverWait / kMsPerSecond;
    helloSeconds_ = settings.pingInterval / kMsPerSecond;
    UpdateData(false);
    const bool portsChange = settings.changePort;
    SetControlsReadOnly({kServerPortId, kTrapPortId}, !portsChange);
    EnableControls({kServerPortSpinId, kTrapPortSpinId}, portsChange);
    return true;
}

void CConnectionPage::DoDataExchange(CDataExchange& dx)
{
    uint32_t* values[4] = {&serverPort_, &trapPort_, &waitSeconds_, &helloSeconds_};
    for (int i = 0; i < 4 && !dx.Failed(); ++i)
        DDX_TextInRange(dx, *this, kRanges[i].edit, *values[i], kRanges[i].minimum, kRanges[i].maximum);
}

bool CConnectionPage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS) {
        for (const Range& range : kRanges) {
            if (header.idFrom == range.spin) {
                StepNumberEdit(GetDlgItemAs<QLineEdit>(range.edit), header.delta, range.minimum, range.maximum);
                return true;
            }
        }
    }
    return CADialog::OnNotify(header, result);
}

void CConnectionPage::Save()
{
    CAppSettings& settings = AppSettings();
    settings.serverPort = static_cast<uint16_t>(serverPort_);
    settings.serverTrapPort = static_cast<uint16_t>(trapPort_);
    settings.serverWait = waitSeconds_ * kMsPerSecond;
    settings.pingInterval = helloSeconds_ * kMsPerSecond;
    if (CEmsApp* app = GetEmsApp())
        app->SaveConfiguration("LINK");
}
