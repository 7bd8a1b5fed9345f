#include "ui/shell/frame/frame_status_bar.h"

#include "platform/control_id.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace {

// Widths at creation: the clock fits "00:00:00", the connection pane "In Communicating (255.255.255.255)"; the
// message pane stretches and the gap pane only separates the connection from the alarm icons.
constexpr std::array<int, CFrameStatusBar::kPaneCount> kInitialWidths = {84, 0, 250, 0, 22, 22};

} // namespace

CFrameStatusBar::CFrameStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    for (int i = 0; i < kPaneCount; ++i) {
        Pane& pane = panes_[static_cast<size_t>(i)];
        pane.box = new QWidget(this);
        auto* layout = new QHBoxLayout(pane.box);
        layout->setContentsMargins(4, 0, 4, 0);
        layout->setSpacing(4);
        pane.icon = new QLabel(pane.box);
        pane.icon->setFixedSize(kIconSize, kIconSize);
        pane.icon->hide();
        layout->addWidget(pane.icon);
        const bool iconOnly = i == kFlashPane || i == kBeepPane;
        if (!iconOnly) {
            pane.text = new QLabel(pane.box);
            pane.text->setTextFormat(Qt::PlainText);
            layout->addWidget(pane.text, 1);
        } else {
            layout->addStretch(1);
        }
        if (kPaneIds[static_cast<size_t>(i)] != 0)
            SetCtrlId(pane.box, kPaneIds[static_cast<size_t>(i)]);
        pane.initialWidth = kInitialWidths[static_cast<size_t>(i)];
        // In the panes' order from the left, the clock first; only the message pane stretches.
        if (i != kMessagePane)
            SetPaneWidth(i, pane.initialWidth);
        addWidget(pane.box, i == kMessagePane ? 1 : 0);
    }
}

int CFrameStatusBar::PaneIndexOf(int id)
{
    for (int i = 0; i < kPaneCount; ++i) {
        if (id != 0 && kPaneIds[static_cast<size_t>(i)] == id)
            return i;
    }
    return -1;
}

QString CFrameStatusBar::PaneText(int pane) const
{
    if (pane < 0 || pane >= kPaneCount || panes_[static_cast<size_t>(pane)].text == nullptr)
        return {};
    return panes_[static_cast<size_t>(pane)].text->text();
}

void CFrameStatusBar::SetPaneText(int pane, const QString& text)
{
    if (pane < 0 || pane >= kPaneCount || panes_[static_cast<size_t>(pane)].text == nullptr)
        return;
    panes_[static_cast<size_t>(pane)].text->setText(text);
}

void CFrameStatusBar::SetPaneIcon(int pane, const QPixmap& icon)
{
    if (pane < 0 || pane >= kPaneCount)
        return;
    QLabel* label = panes_[static_cast<size_t>(pane)].icon;
    if (icon.isNull()) {
        label->clear();
        label->hide();
        return;
    }
    label->setPixmap(icon.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    label->show();
}

bool CFrameStatusBar::HasPaneIcon(int pane) const
{
    if (pane < 0 || pane >= kPaneCount)
        return false;
    const QLabel* label = panes_[static_cast<size_t>(pane)].icon;
    return !label->isHidden() && !label->pixmap().isNull();
}

int CFrameStatusBar::PaneWidth(int pane) const
{
    if (pane < 0 || pane >= kPaneCount)
        return 0;
    const QWidget* box = panes_[static_cast<size_t>(pane)].box;
    return pane == kMessagePane ? box->width() : box->minimumWidth();
}

void CFrameStatusBar::SetPaneWidth(int pane, int width)
{
    if (pane < 0 || pane >= kPaneCount || pane == kMessagePane)
        return;
    panes_[static_cast<size_t>(pane)].box->setFixedWidth(std::max(0, width));
}

int CFrameStatusBar::InitialPaneWidth(int pane) const
{
    if (pane < 0 || pane >= kPaneCount)
        return 0;
    return panes_[static_cast<size_t>(pane)].initialWidth;
}
