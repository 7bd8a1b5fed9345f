#include "features/management/subscribers/subscriber_pages.h"

#include "link/records/subscriber_record.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui_subscriber_class_page.h"
#include "ui_subscriber_contact_page.h"

#include <QAbstractButton>

#include <initializer_list>

namespace {

// A radio group as one number: the index of the button that is checked (the first when none is).
void DDX_Radios(CDataExchange& dx, CADialog& page, std::initializer_list<int> ids, int& value)
{
    int index = 0;
    for (const int id : ids) {
        auto* radio = page.GetDlgItemAs<QAbstractButton>(id);
        if (radio == nullptr) {
            ++index;
            continue;
        }
        if (dx.IsSaving()) {
            if (radio->isChecked())
                value = index;
        } else {
            radio->setChecked(index == value);
        }
        ++index;
    }
}

} // namespace

CSubscriberClassPage::CSubscriberClassPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CSubscriberClassPage>())
{
    ui_->setupUi(this);
}

CSubscriberClassPage::~CSubscriberClassPage() = default;

void CSubscriberClassPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Radios(dx, *this, {kHomeRadioId, kEnterpriseRadioId}, classRadio);
    DDX_Radios(dx, *this, {kPppoeRadioId, kFixedIpRadioId, kDhcpRadioId}, serviceRadio);
}

void CSubscriberClassPage::DrawExtras(Dc& dc)
{
    CADialog::DrawExtras(dc);
    DrawListIconOnControl(dc, *this, kHomeImageId, kImageHomeUser);
    DrawListIconOnControl(dc, *this, kEnterpriseImageId, kImageEnterpriseUser);
}

CSubscriberContactPage::CSubscriberContactPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CSubscriberContactPage>())
{
    ui_->setupUi(this);
}

CSubscriberContactPage::~CSubscriberContactPage() = default;

bool CSubscriberContactPage::OnInitDialog()
{
    CADialog::OnInitDialog();
    LimitTextToField(kTelephoneId, kSubscriberTextWidth);
    LimitTextToField(kMobileId, kSubscriberTextWidth);
    LimitTextToField(kEmailId, kSubscriberEmailWidth);
    LimitTextToField(kAddressId, kSubscriberAddressWidth);
    return true;
}

void CSubscriberContactPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kTelephoneId, telephone);
    DDX_Text(dx, kMobileId, mobile);
    DDX_Text(dx, kEmailId, email);
    DDX_Text(dx, kAddressId, address);
}
