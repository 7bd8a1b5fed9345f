#include "ui/framework/skin/skin_dlg.h"

#include "core/ini/file_path.h"
#include "ui/framework/skin/ie_picture.h"
#include "ui/framework/skin/skin_glue.h"
#include "ui_skin_dlg.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QSplashScreen>

CSkinDlg::CSkinDlg(QWidget* parent) : CDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CSkinDlg>())
{
    ui_->setupUi(this);
}

CSkinDlg::~CSkinDlg()
{
    // The window may go without DestroyWindow when the application object goes.
    splash_.reset();
    if (CurrentSkinControl() != nullptr &&
        CurrentSkinControl() == dynamic_cast<SkinControl*>(GetDlgItem(kSkinControlId)))
        SetSkinControl(nullptr);
}

bool CSkinDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateSkinObject(true);
    return true;
}

void CSkinDlg::OnDestroy()
{
    CloseSplash();
    if (IsSkinLoaded())
        CreateSkinObject(false);
    CDialog::OnDestroy();
}

void CSkinDlg::CreateSkinObject(bool attach)
{
    if (SkinControl* control = CurrentSkinControl()) {
        control->DropSkin();
        SetSkinControl(nullptr);
    }
    if (attach)
        SetSkinControl(dynamic_cast<SkinControl*>(GetDlgItem(kSkinControlId)));
}

void CSkinDlg::ShowSplash(const QString& path)
{
    CloseSplash();
    if (path.isEmpty())
        return;
    const std::string resolved = ResolveFilePath(NormalizeConfigPath(path.toStdString()));
    const PictureDecodeResult picture = DecodePictureFile(QString::fromStdString(resolved));
    if (picture.error != PictureError::None) {
        qWarning("Splash picture %s cannot be shown: %s", qPrintable(path), qPrintable(picture.reason));
        return;
    }
    splash_ = std::make_unique<QSplashScreen>(QPixmap::fromImage(picture.image));
    splash_->show();
    splashShown_ = true;
}

void CSkinDlg::CloseSplash(bool whenNextWindowShows)
{
    if (!splashShown_)
        return;
    if (whenNextWindowShows) {
        if (!closeOnNextWindow_)
            QCoreApplication::instance()->installEventFilter(this);
        closeOnNextWindow_ = true;
        return;
    }
    if (closeOnNextWindow_)
        QCoreApplication::instance()->removeEventFilter(this);
    closeOnNextWindow_ = false;
    splash_->hide();
    splash_->close();
    splash_.reset();
    splashShown_ = false;
}

bool CSkinDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (closeOnNextWindow_ && event->type() == QEvent::Show) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool popup =
            widget != nullptr && (widget->windowType() == Qt::Popup || widget->windowType() == Qt::ToolTip);
        if (widget != nullptr && widget->isWindow() && widget != splash_.get() && widget != this && !popup) {
            // After the window's own show, so that it is up before the picture goes.
            QMetaObject::invokeMethod(
                this, [this] { CloseSplash(); }, Qt::QueuedConnection);
        }
    }
    return CDialog::eventFilter(watched, event);
}
