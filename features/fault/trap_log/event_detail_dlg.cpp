#include "features/fault/trap_log/event_detail_dlg.h"

#include "ui_event_detail_dlg.h"

CEventDetailDlg::CEventDetailDlg(QWidget* parent)
    : CAlarmDetailBaseDlg(kTemplateId, parent), ui_(std::make_unique<Ui::CEventDetailDlg>())
{
    ui_->setupUi(this);
}

CEventDetailDlg::~CEventDetailDlg() = default;
