#include "ui/shell/options/client_options_dlg.h"

#include "ui_client_options_dlg.h"

CClientOptionsDlg::CClientOptionsDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CClientOptionsDlg>())
{
    ui_->setupUi(this);
}

CClientOptionsDlg::~CClientOptionsDlg() = default;

bool CClientOptionsDlg::OnInitDialog()
{
    CATabDialog::OnInitDialog();
    AddPage(CAlarmWarningPage::kTemplateId, &alarm_, "Alarm Warning");
    AddPage(CConnectionPage::kTemplateId, &connection_, "Connection");
    AddPage(CMapOptionsPage::kTemplateId, &map_, "Map");
    return true;
}

void CClientOptionsDlg::OnOK()
{
    if (UpdatePageData(AllPages(), 1) == 0)
        return;
    alarm_.Save();
    connection_.Save();
    map_.Save();
    EndDialog(IDOK);
}
