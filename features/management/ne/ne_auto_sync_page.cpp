#include "features/management/ne/ne_auto_sync_page.h"

#include "core/tables/ne_record.h"
#include "ui_ne_auto_sync_page.h"

#include <QRadioButton>

int AutoSyncChoiceOf(uint32_t value)
{
    switch (value) {
    case kAutoSyncOff:
        return CNeAutoSyncPage::kDisabled;
    case kAutoSyncNeToServer:
        return CNeAutoSyncPage::kNeToServer;
    default:
        return CNeAutoSyncPage::kServerToNe;
    }
}

uint32_t AutoSyncValueOf(int choice)
{
    switch (choice) {
    case CNeAutoSyncPage::kDisabled:
        return kAutoSyncOff;
    case CNeAutoSyncPage::kNeToServer:
        return kAutoSyncNeToServer;
    default:
        return kAutoSyncServerToNe;
    }
}

CNeAutoSyncPage::CNeAutoSyncPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeAutoSyncPage>())
{
    ui_->setupUi(this);
}

CNeAutoSyncPage::~CNeAutoSyncPage() = default;

void CNeAutoSyncPage::DoDataExchange(CDataExchange& dx)
{
    for (int i = kDisabled; i <= kNeToServer; ++i) {
        auto* radio = GetDlgItemAs<QRadioButton>(kFirstRadioId + i);
        if (radio == nullptr)
            continue;
        if (dx.IsSaving() && radio->isChecked())
            choice_ = i;
        else if (!dx.IsSaving())
            radio->setChecked(i == choice_);
    }
}
