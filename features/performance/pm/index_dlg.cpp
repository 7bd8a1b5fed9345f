#include "features/performance/pm/index_dlg.h"

#include "ui_index_dlg.h"

#include <QPlainTextEdit>

CIndexDlg::CIndexDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CIndexDlg>())
{
    ui_->setupUi(this);
}

CIndexDlg::~CIndexDlg() = default;

void CIndexDlg::InitData()
{
    UpdateCaption(kCaptionText, caption_.toStdString().c_str(), true);
    auto* text = GetDlgItemAs<QPlainTextEdit>(kTextId);
    // The legend's columns line up at its tabs.
    text->setTabStopDistance(text->fontMetrics().horizontalAdvance(QStringLiteral("UncrtBlks  ")));
    text->setPlainText(text_);
}
