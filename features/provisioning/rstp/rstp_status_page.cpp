#include "features/provisioning/rstp/rstp_status_page.h"

#include "ui_rstp_status_page.h"

CRstpStatusPage::CRstpStatusPage(const char* exportStem, QWidget* parent)
    : CItemValuePage(kTemplateId, "GENERIC_LIST", exportStem, parent), ui_(std::make_unique<Ui::CRstpStatusPage>())
{
    ui_->setupUi(this);
}

CRstpStatusPage::~CRstpStatusPage() = default;
