#include "ui/shell/frame/about_view.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

CAboutView::CAboutView(QWidget* parent) : CAFormView(kFormTemplateId, parent)
{
    auto* layout = new QVBoxLayout(this);
    prompt_ = new QLabel(QStringLiteral("Please Select One Item in the Left View"), this);
    prompt_->setAlignment(Qt::AlignCenter);
    layout->addWidget(prompt_);
}

QString CAboutView::PromptText() const
{
    return prompt_->text();
}

void CAboutView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}
