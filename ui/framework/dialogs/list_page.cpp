#include "ui/framework/dialogs/list_page.h"

#include "ui/framework/dialogs/tab_dialog.h"

CAListPage::CAListPage(int templateId, Setup setup, QWidget* parent)
    : CRecordListDlg(templateId, std::move(setup), parent), templateId_(static_cast<uint32_t>(templateId))
{
}

CAListPage::~CAListPage() = default;

void CAListPage::OnListSelChanged(int row, int listId)
{
    CRecordListDlg::OnListSelChanged(row, listId);
    if (auto* container = dynamic_cast<CATabDialog*>(ParentDialog()))
        container->OnPageListSelChanged(*this, row);
}

bool CAListPage::OnCommand(int id, int code)
{
    // The context menu's Close closes the window the page sits in.
    if (id == kPopupClose) {
        if (CADialog* container = ParentDialog()) {
            container->EndDialog(IDCANCEL);
            return true;
        }
    }
    return CRecordListDlg::OnCommand(id, code);
}
