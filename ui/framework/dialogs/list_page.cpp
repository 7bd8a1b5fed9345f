#include "ui/framework/dialogs/list_page.h"

CAListPage::CAListPage(int templateId, QWidget* parent)
    : CADialog(templateId, parent), templateId_(static_cast<uint32_t>(templateId))
{
}

CAListPage::~CAListPage() = default;
