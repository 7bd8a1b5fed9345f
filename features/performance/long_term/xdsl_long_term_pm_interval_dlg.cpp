#include "features/performance/long_term/xdsl_long_term_pm_interval_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/performance/long_term/long_term_window.h"
#include "features/performance/long_term/xdsl_long_term_pm_dlg.h"
#include "ui_xdsl_long_term_pm_interval_dlg.h"

#include <QLineEdit>

CXdslLongTermPmIntervalDlg::CXdslLongTermPmIntervalDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslLongTermPmIntervalDlg>())
{
    ui_->setupUi(this);
}

CXdslLongTermPmIntervalDlg::~CXdslLongTermPmIntervalDlg() = default;

void CXdslLongTermPmIntervalDlg::SetRange(int64_t start, int64_t stop)
{
    start_ = start;
    stop_ = stop;
}

void CXdslLongTermPmIntervalDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLongTermPm) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const CEntityIndex& port = GetTargetEntity().index;
    GetDlgItemAs<QLineEdit>(kNeNameId)->setText(QString::fromStdString(ne->name));
    for (const auto& [id, level] : {std::pair{kShelfId, 2}, std::pair{kSlotId, 3}, std::pair{kPortId, 4}}) {
        const CEntityIndex index = port.Truncated(level);
        GetDlgItemAs<QLineEdit>(id)->setText(
            index.GetLevel() == level ? QString::fromStdString(GetEntityLevelLabel(ne, index)) : QString());
    }
    InitWindowPickers(*this, kFromDateId, kFromHourId, kToDateId, kToHourId, start_, stop_);
}

void CXdslLongTermPmIntervalDlg::OnOK()
{
    if (!UpdateDialogData())
        return;
    const int64_t start = PickedBound(*this, kFromDateId, kFromHourId);
    const int64_t stop = PickedBound(*this, kToDateId, kToHourId);
    if (start > stop) {
        ShowAlertTextById(kStrStartGreaterThanStop, kFromDateId, kFromDateId, kToDateId, kFromHourId, kToHourId);
        return;
    }
    CXdslLongTermPmDlg records(this);
    records.SetTarget(GetNeId(), &GetTargetEntity());
    records.SetRange(start, stop);
    records.DoModal();
}
