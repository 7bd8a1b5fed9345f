#include "features/provisioning/sfp/sfp_info_page.h"

#include "ui_sfp_info_page.h"

CSfpInfoPage::CSfpInfoPage(const char* exportStem, QWidget* parent)
    : CItemValuePage(kTemplateId, "GENERIC_LIST", exportStem, parent), ui_(std::make_unique<Ui::CSfpInfoPage>())
{
    ui_->setupUi(this);
}

CSfpInfoPage::~CSfpInfoPage() = default;
