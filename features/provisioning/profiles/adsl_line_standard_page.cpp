#include "features/provisioning/profiles/adsl_line_standard_page.h"

#include "features/provisioning/profiles/adsl_line_profile_values.h"
#include "ui_adsl_line_standard_page.h"

CAdslLineStandardPage::CAdslLineStandardPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAdslLineStandardPage>())
{
    ui_->setupUi(this);
}

CAdslLineStandardPage::~CAdslLineStandardPage() = default;

void CAdslLineStandardPage::DoDataExchange(CDataExchange& dx)
{
    for (int bit = 0; bit < kLineStandardCount; ++bit) {
        int checked = (standards_ >> bit) & 1u;
        DDX_Check(dx, kFirstStandardId + bit, checked);
        if (checked != 0)
            standards_ |= 1u << bit;
        else
            standards_ &= ~(1u << bit);
    }
}
