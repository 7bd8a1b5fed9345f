#include "ui/framework/dialogs/progress_display.h"

#include "ui/framework/dialogs/ca_dialog.h"

#include <QLabel>
#include <QProgressBar>

void ShowProgressTick(CADialog& dialog, const CProgressWatch::Tick& tick)
{
    if (auto* elapsed = dialog.GetDlgItemAs<QLabel>(kProgressElapsedId))
        elapsed->setText(QString::fromStdString(ElapsedText(tick.elapsedMs)));
    if (auto* bar = dialog.GetDlgItemAs<QProgressBar>(kProgressBarId))
        bar->setValue(static_cast<int>(tick.barPosition));
    if (tick.moveBanner) {
        if (auto* banner = dialog.GetDlgItemAs<QLabel>(kProgressBannerId))
            banner->setText(QString::fromStdString(RotateBanner(banner->text().toStdString())));
    }
}
