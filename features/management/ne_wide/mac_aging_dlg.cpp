#include "features/management/ne_wide/mac_aging_dlg.h"

#include "core/tables/access_rights.h"
#include "link/records/request_codes.h"
#include "ui_mac_aging_dlg.h"

CMacAgingDlg::CMacAgingDlg(QWidget* parent)
    : CStatePeriodDlg(kTemplateId, {kRightMacAging, kReqMacAging, kMinSeconds, kMaxSeconds}, parent),
      ui_(std::make_unique<Ui::CMacAgingDlg>())
{
    ui_->setupUi(this);
}

CMacAgingDlg::~CMacAgingDlg() = default;
