#include "features/management/ne/ne_system_info_page.h"

#include "core/util/date_time_format.h"
#include "link/records/ne_config_record.h"
#include "ui_ne_system_info_page.h"

namespace {

constexpr int kServiceLayers = 7;

} // namespace

QString OfferedServicesText(uint8_t services)
{
    QString text = QStringLiteral("Layer");
    bool any = false;
    for (int bit = 0; bit < kServiceLayers; ++bit) {
        if ((services & (1U << bit)) != 0) {
            text += QStringLiteral(" %1,").arg(bit + 1);
            any = true;
        }
    }
    if (any)
        text.chop(1);
    return text;
}

CNeSystemInfoPage::CNeSystemInfoPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeSystemInfoPage>())
{
    ui_->setupUi(this);
}

CNeSystemInfoPage::~CNeSystemInfoPage() = default;

bool CNeSystemInfoPage::OnInitDialog()
{
    CADialog::OnInitDialog();
    for (const int id : {kContactId, kSysNameId, kPlaceId})
        LimitTextToField(id, kNeConfigTextWidth);
    return true;
}

void CNeSystemInfoPage::SetTexts(const NeConfigRecord& config)
{
    texts_.description = QString::fromStdString(config.sysDescription);
    texts_.objectId = QString::fromStdString(config.sysObjectId);
    texts_.upTime = QString::fromStdString(FormatUptime(config.upTime));
    texts_.contact = QString::fromStdString(config.contact);
    texts_.sysName = QString::fromStdString(config.sysName);
    texts_.place = QString::fromStdString(config.place);
    texts_.services = OfferedServicesText(config.services);
}

void CNeSystemInfoPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kDescriptionId, texts_.description);
    DDX_Text(dx, kObjectIdId, texts_.objectId);
    DDX_Text(dx, kUpTimeId, texts_.upTime);
    DDX_Text(dx, kContactId, texts_.contact);
    DDX_Text(dx, kSysNameId, texts_.sysName);
    DDX_Text(dx, kPlaceId, texts_.place);
    DDX_Text(dx, kServicesId, texts_.services);
}
