#include "ui/shell/app/about_dlg.h"

#include "core/config/app_settings.h"
#include "platform/dc.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui_about_dlg.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>

#ifndef TARVIK_VERSION_MAJOR
#define TARVIK_VERSION_MAJOR 0
#define TARVIK_VERSION_MINOR 0
#define TARVIK_VERSION_PATCH 0
#define TARVIK_VERSION_TWEAK 0
#endif

namespace {

const char kClosingLine[] = "Operator's workstation for IP DSLAM networks";

} // namespace

std::array<uint32_t, 4> GetProgramVersion()
{
    return {TARVIK_VERSION_MAJOR, TARVIK_VERSION_MINOR, TARVIK_VERSION_PATCH, TARVIK_VERSION_TWEAK};
}

QString FormatAboutVersion(const QString& title, const std::array<uint32_t, 4>& version)
{
    return QStringLiteral("%1 , Version %2.%3.%4.%5")
        .arg(title)
        .arg(version[0])
        .arg(version[1])
        .arg(version[2])
        .arg(version[3]);
}

CAboutDlg::CAboutDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAboutDlg>())
{
    ui_->setupUi(this);
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::InitData()
{
    const CAppSettings& settings = AppSettings();
    GetDlgItemAs<QLabel>(kVersionTextId)
        ->setText(FormatAboutVersion(QString::fromStdString(GetAppTitle(settings)), GetProgramVersion()));
    const int shown = settings.directControl ? kDirectTextId : kServerTextId;
    const int hidden = settings.directControl ? kServerTextId : kDirectTextId;
    ShowControl(hidden, false);
    auto* text = GetDlgItemAs<QLabel>(shown);
    text->setText(text->text() + QLatin1Char('\n') + QLatin1String(kClosingLine));
}

void CAboutDlg::DrawExtras(Dc& dc)
{
    if (!LoadIconResource(kAppIconResource).isNull()) {
        DrawIconOnControl(dc, *this, kIconId, kAppIconResource);
        return;
    }
    // Without an icon resource of that id the program's window icon stands in.
    const QWidget* control = GetDlgItem(kIconId);
    const QIcon icon = QApplication::windowIcon();
    if (control != nullptr && !icon.isNull())
        dc.Painter().drawPixmap(control->mapTo(this, QPoint(0, 0)), icon.pixmap(32, 32));
}
