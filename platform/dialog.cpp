#include "platform/dialog.h"

#include "platform/control_id.h"
#include "platform/dc.h"
#include "platform/modal_runner.h"
#include "platform/overlay_layer.h"
#include "platform/posted_call.h"

#include <QResizeEvent>

CDialog::CDialog(int templateId, QWidget* parent)
    : QDialog(parent), templateId_(templateId),
      timers_(std::make_unique<CWindowTimers>([this](int id) { OnTimer(id); })),
      relay_(std::make_unique<CommandRelay>(*this))
{
    MarkCtrlRoot(this);
}

CDialog::~CDialog()
{
    timers_->KillAll();
}

void CDialog::EnsureInitialized()
{
    if (initialized_)
        return;
    initialized_ = true;
    ended_ = false;
    endResult_ = IDCANCEL;
    relay_->BindAll(this);
    if (overlay_ == nullptr)
        overlay_ = new COverlayLayer(*this, [this](Dc& dc) { OnDrawOverlay(dc); });
    overlay_->setGeometry(rect());
    overlay_->raise();
    overlay_->show();
    OnInitDialog();
}

int CDialog::DoModal()
{
    EnsureInitialized();
    const int result = ended_ ? endResult_ : CurrentModalRunner().RunModal(*this);
    DestroyWindow();
    return result;
}

bool CDialog::Create()
{
    if (initialized_)
        return false;
    EnsureInitialized();
    return true;
}

void CDialog::EndDialog(int result)
{
    ended_ = true;
    endResult_ = result;
    done(result);
}

void CDialog::DestroyWindow()
{
    if (!initialized_)
        return;
    OnDestroy();
    timers_->KillAll();
    hide();
    initialized_ = false;
}

QWidget* CDialog::GetDlgItem(int id) const
{
    QWidget* control = FindControl(this, id);
    if (control == nullptr && id != 0)
        ReportMissingControl(*this, id);
    return control;
}

void CDialog::BindControl(QWidget* control, int id)
{
    SetCtrlId(control, id);
    relay_->Bind(control, id);
    if (overlay_)
        overlay_->raise();
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

void CDialog::PostCall(std::function<void()> call)
{
    ::PostCall(this, std::move(call));
}

void CDialog::InvalidateOverlay()
{
    if (overlay_) {
        overlay_->raise();
        overlay_->update();
    }
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange&) {}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialog::OnNotify(const NotifyHeader&, int*)
{
    return false;
}

void CDialog::OnTimer(int) {}

void CDialog::OnDestroy() {}

void CDialog::OnDrawOverlay(Dc&) {}

void CDialog::accept()
{
    OnCommand(IDOK, BN_CLICKED);
}

void CDialog::reject()
{
    OnCommand(IDCANCEL, BN_CLICKED);
}

void CDialog::showEvent(QShowEvent* event)
{
    EnsureInitialized();
    QDialog::showEvent(event);
}

void CDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (overlay_)
        overlay_->setGeometry(rect());
}
