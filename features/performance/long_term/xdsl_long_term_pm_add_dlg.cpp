#include "features/performance/long_term/xdsl_long_term_pm_add_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/performance/long_term/long_term_window.h"
#include "features/performance/long_term/xdsl_long_term_pm_list_dlg.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui_xdsl_long_term_pm_add_dlg.h"

#include <QComboBox>
#include <QLineEdit>

#include <ctime>

namespace {

constexpr int kXdslLinePorts = 9;
constexpr int64_t kOneDay = 86400;

} // namespace

CXdslLongTermPmAddDlg::CXdslLongTermPmAddDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslLongTermPmAddDlg>()),
      portCombos_(*this, {kShelfComboId, kSlotComboId, kPortComboId}, kXdslLinePorts, 0)
{
    ui_->setupUi(this);
}

CXdslLongTermPmAddDlg::~CXdslLongTermPmAddDlg() = default;

void CXdslLongTermPmAddDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLongTermPm) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    GetDlgItemAs<QLineEdit>(kNeNameId)->setText(QString::fromStdString(ne->name));
    const int64_t now = std::time(nullptr);
    InitWindowPickers(*this, kFromDateId, kFromHourId, kToDateId, kToHourId, now, now + kOneDay);
    portCombos_.Refill(ne, 2, &GetTargetEntity().index);
}

int CXdslLongTermPmAddDlg::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE && (id == kShelfComboId || id == kSlotComboId)) {
        portCombos_.Refill(FindNeById(static_cast<uint32_t>(GetNeId())), id == kShelfComboId ? 3 : 4);
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}

void CXdslLongTermPmAddDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    const int64_t start = PickedBound(*this, kFromDateId, kFromHourId);
    const int64_t stop = PickedBound(*this, kToDateId, kToHourId);
    if (start > stop) {
        ShowAlertTextById(kStrStartGreaterThanStop, kFromDateId, kFromDateId, kToDateId, kFromHourId, kToHourId);
        return;
    }
    CEntityId entity;
    entity.SetLevels(1, SelectedEntityNumber(GetDlgItemAs<QComboBox>(kShelfComboId)),
                     SelectedEntityNumber(GetDlgItemAs<QComboBox>(kSlotComboId)),
                     SelectedEntityNumber(GetDlgItemAs<QComboBox>(kPortComboId)), 0);
    const LongTermPmItemRec item{entity.id, CXdslLongTermPmListDlg::kItemCollecting, static_cast<int32_t>(start),
                                 static_cast<int32_t>(stop)};
    const CRecordRequests requests;
    if (!requests
             .Add(kReqLongTermPmItem, static_cast<uint32_t>(GetNeId()), item,
                  {.failureTextId = kStrAddingNewDataFailed})
             .Ok())
        return;
    item_ = item;
    SetTarget(GetNeId(), &entity);
    EndDialog(IDOK);
}
