#include "features/provisioning/profiles/adsl_inp_page.h"

#include "ui_adsl_inp_page.h"

CAdslInpPage::CAdslInpPage(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAdslInpPage>())
{
    ui_->setupUi(this);
}

CAdslInpPage::~CAdslInpPage() = default;

void CAdslInpPage::SetValues(int down, int up)
{
    down_ = down;
    up_ = up;
}

void CAdslInpPage::DoDataExchange(CDataExchange& dx)
{
    DDX_CBIndex(dx, kDownInpId, down_);
    DDX_CBIndex(dx, kUpInpId, up_);
    // An index the combo does not have reads as its first.
    down_ = std::max(down_, 0);
    up_ = std::max(up_, 0);
}
