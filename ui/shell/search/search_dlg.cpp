#include "ui/shell/search/search_dlg.h"

#include "ui_search_dlg.h"
#include "ui_tree_search_dlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int kItemKindCount = 4;

void SetCheck(const CADialog& dialog, int id, int32_t flag)
{
    if (auto* box = dialog.GetDlgItemAs<QCheckBox>(id))
        box->setChecked(flag == 1);
}

int32_t GetCheck(const CADialog& dialog, int id)
{
    const auto* box = dialog.GetDlgItemAs<QCheckBox>(id);
    return box != nullptr && box->isChecked() ? 1 : 0;
}

} // namespace

CSearchDlgBase::CSearchDlgBase(int templateId, QWidget* parent) : CADialog(templateId, parent)
{
    SetMessageLine(false);
}

void CSearchDlgBase::InitData()
{
    if (auto* edit = GetDlgItemAs<QLineEdit>(kSearchTextEditId)) {
        edit->setMaxLength(kSearchTextLimit);
        edit->setText(settings.text.left(kSearchTextLimit));
    }
    SetCheck(*this, kMatchFullNameId, settings.matchFullName);
    SetCheck(*this, kMatchCaseId, settings.matchCase);
    SetCheck(*this, kFromBeginningId, settings.fromBeginning);
    InitKind();
}

void CSearchDlgBase::OnOK()
{
    if (const auto* edit = GetDlgItemAs<QLineEdit>(kSearchTextEditId))
        settings.text = edit->text().left(kSearchTextLimit);
    settings.matchFullName = GetCheck(*this, kMatchFullNameId);
    settings.matchCase = GetCheck(*this, kMatchCaseId);
    settings.fromBeginning = GetCheck(*this, kFromBeginningId);
    TakeKind();
    EndDialog(1);
}

CSearchDlg::CSearchDlg(QWidget* parent)
    : CSearchDlgBase(kSearchDlgTemplate, parent), ui_(std::make_unique<Ui::CSearchDlg>())
{
    ui_->setupUi(this);
}

CSearchDlg::~CSearchDlg() = default;

CTreeSearchDlg::CTreeSearchDlg(QWidget* parent)
    : CSearchDlgBase(kTreeSearchDlgTemplate, parent), ui_(std::make_unique<Ui::CTreeSearchDlg>())
{
    ui_->setupUi(this);
}

CTreeSearchDlg::~CTreeSearchDlg() = default;

void CTreeSearchDlg::InitKind()
{
    const int kind = itemKind < kItemKindCount ? itemKind : kItemKindCount - 1;
    if (auto* radio = GetDlgItemAs<QRadioButton>(kItemKindFirstId + kind))
        radio->setChecked(true);
}

void CTreeSearchDlg::TakeKind()
{
    for (int i = 0; i < kItemKindCount; ++i) {
        const auto* radio = GetDlgItemAs<QRadioButton>(kItemKindFirstId + i);
        if (radio != nullptr && radio->isChecked()) {
            itemKind = static_cast<uint8_t>(i);
            return;
        }
    }
}
