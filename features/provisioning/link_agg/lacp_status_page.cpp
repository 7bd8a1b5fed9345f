#include "features/provisioning/link_agg/lacp_status_page.h"

#include "ui_lacp_status_page.h"

CLacpStatusPage::CLacpStatusPage(const char* exportStem, QWidget* parent)
    : CItemValuePage(kTemplateId, "GENERIC_LIST", exportStem, parent), ui_(std::make_unique<Ui::CLacpStatusPage>())
{
    ui_->setupUi(this);
}

CLacpStatusPage::~CLacpStatusPage() = default;
