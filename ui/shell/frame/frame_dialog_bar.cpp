#include "ui/shell/frame/frame_dialog_bar.h"

#include "platform/control_id.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTabBar>

namespace {

QLabel* MakeTextField(QWidget* parent, int id)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setIndent(6);
    label->setMinimumHeight(24);
    SetCtrlId(label, id);
    return label;
}

} // namespace

CFrameDialogBar::CFrameDialogBar(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(8);

    tabs_ = new QTabBar(this);
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    tabs_->setDocumentMode(true);
    SetCtrlId(tabs_, kViewTabId);
    layout->addWidget(tabs_);

    location_ = MakeTextField(this, kLocationTextId);
    location_->setMinimumWidth(180);
    layout->addWidget(location_, 1);

    entity_ = MakeTextField(this, kEntityTextId);
    entity_->setMinimumWidth(240);
    layout->addWidget(entity_, 2);

    connect(tabs_, &QTabBar::currentChanged, this, [this](int) { emit viewTabChanged(); });
}

QString CFrameDialogBar::LocationText() const
{
    return location_->text();
}

void CFrameDialogBar::SetLocationText(const QString& text)
{
    location_->setText(text);
}

QString CFrameDialogBar::EntityText() const
{
    return entity_->text();
}

void CFrameDialogBar::SetEntityText(const QString& text)
{
    entity_->setText(text);
}
