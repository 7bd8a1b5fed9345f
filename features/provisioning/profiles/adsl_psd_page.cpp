#include "features/provisioning/profiles/adsl_psd_page.h"

#include "ui/framework/dialogs/number_edit.h"
#include "ui_adsl_psd_page.h"

#include <QLineEdit>

CAdslPsdPage::CAdslPsdPage(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAdslPsdPage>())
{
    ui_->setupUi(this);
}

CAdslPsdPage::~CAdslPsdPage() = default;

void CAdslPsdPage::SetValues(int32_t down, int32_t up)
{
    down_ = down;
    up_ = up;
}

void CAdslPsdPage::DoDataExchange(CDataExchange& dx)
{
    if (GetAccessMode() != kAccessQuery) {
        DDX_SignedInRange(dx, *this, kDownPsdId, down_, kPsdMin, kPsdMax);
        if (!dx.Failed())
            DDX_SignedInRange(dx, *this, kUpPsdId, up_, kPsdMin, kPsdMax);
        return;
    }
    if (!dx.IsSaving()) {
        QString down = QString::number(down_);
        QString up = QString::number(up_);
        DDX_Text(dx, kDownPsdId, down);
        DDX_Text(dx, kUpPsdId, up);
    }
}

bool CAdslPsdPage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS) {
        for (int id : {kDownPsdId, kUpPsdId}) {
            if (header.idFrom == id + kSpinOffset) {
                StepSignedNumberEdit(GetDlgItemAs<QLineEdit>(id), header.delta, kPsdMin, kPsdMax);
                return true;
            }
        }
    }
    return CADialog::OnNotify(header, result);
}
