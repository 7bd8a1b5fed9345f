#include "features/management/oplog/user_op_log_criteria_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/account_list.h"
#include "core/tables/ne_table.h"
#include "features/management/common/server_combos.h"
#include "features/management/oplog/user_op_log_list_dlg.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_user_op_log_criteria_dlg.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QTimeEdit>

namespace {

const QDate kEarliestDate(1970, 1, 2);
const QDate kLatestDate(2037, 12, 31);

struct Bound {
    int check;
    int date;
    int time;
};
constexpr Bound kBounds[] = {
    {CUserOpLogCriteriaDlg::kFromCheckId, CUserOpLogCriteriaDlg::kFromDateId, CUserOpLogCriteriaDlg::kFromTimeId},
    {CUserOpLogCriteriaDlg::kToCheckId, CUserOpLogCriteriaDlg::kToDateId, CUserOpLogCriteriaDlg::kToTimeId},
};

} // namespace

CUserOpLogCriteriaDlg::CUserOpLogCriteriaDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CUserOpLogCriteriaDlg>())
{
    ui_->setupUi(this);
}

CUserOpLogCriteriaDlg::~CUserOpLogCriteriaDlg() = default;

QComboBox* CUserOpLogCriteriaDlg::Combo(int id) const
{
    return GetDlgItemAs<QComboBox>(id);
}

void CUserOpLogCriteriaDlg::InitData()
{
    if (EndWithoutServer(*this))
        return;
    if (CheckAccessRightOrClose(kRightOperationLog) != 0)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    for (const Bound& bound : kBounds) {
        if (auto* date = GetDlgItemAs<QDateEdit>(bound.date)) {
            date->setDateRange(kEarliestDate, kLatestDate);
            date->setDate(now.date());
        }
        if (auto* check = GetDlgItemAs<QAbstractButton>(bound.check))
            check->setChecked(true);
        EnableBound(bound.check, bound.date, bound.time);
    }
    // From the start of today until now.
    if (auto* time = GetDlgItemAs<QTimeEdit>(kFromTimeId))
        time->setTime(QTime(0, 0, 0));
    if (auto* time = GetDlgItemAs<QTimeEdit>(kToTimeId))
        time->setTime(now.time());

    FillUserCombo();
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    FillOwnLocationCombo(Combo(kLocationComboId),
                         ne != nullptr ? ne->locationId : static_cast<uint32_t>(GetLocationId()));
    FillNeCombo(static_cast<uint32_t>(GetNeId()));
    OnLocationChanged();
}

void CUserOpLogCriteriaDlg::FillUserCombo()
{
    QComboBox* combo = Combo(kUserComboId);
    if (combo == nullptr)
        return;
    combo->clear();
    combo->addItem(LoadQString(kStrAll), QVariant::fromValue<quint32>(0));
    uint32_t number = 0;
    for (const CUserAccount* account = FindUserAccount(nullptr); account != nullptr; account = account->GetNext()) {
        if (account->active != 0)
            combo->addItem(QString::fromStdString(account->name), QVariant::fromValue<quint32>(++number));
    }
    const int target =
        combo->findText(QString::fromStdString(GetUserName()), Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(target > 0 ? target : 0);
}

void CUserOpLogCriteriaDlg::FillNeCombo(uint32_t keepNeId)
{
    const uint32_t locationId = ComboItemData(Combo(kLocationComboId));
    FillLocationNeCombo(Combo(kNeComboId), locationId, locationId == 0, keepNeId);
}

void CUserOpLogCriteriaDlg::OnLocationChanged()
{
    QComboBox* nes = Combo(kNeComboId);
    if (nes != nullptr && nes->currentIndex() < 0 && nes->count() > 0)
        nes->setCurrentIndex(0);
    // A location without NEs gives way to the first location, and the NEs of every location.
    if (nes != nullptr && nes->currentIndex() < 0) {
        if (QComboBox* locations = Combo(kLocationComboId); locations != nullptr && locations->count() > 0)
            locations->setCurrentIndex(0);
        FillLocationNeCombo(nes, 0, true, 0);
    }
}

void CUserOpLogCriteriaDlg::EnableBound(int checkId, int dateId, int timeId)
{
    const bool on = IsChecked(checkId);
    EnableControl(dateId, on);
    EnableControl(timeId, on);
}

bool CUserOpLogCriteriaDlg::IsChecked(int id) const
{
    const auto* check = GetDlgItemAs<QAbstractButton>(id);
    return check != nullptr && check->isChecked();
}

int CUserOpLogCriteriaDlg::OnCommandHook(int id, int code)
{
    if (id == kLocationComboId && code == CBN_SELCHANGE) {
        FillNeCombo(ComboItemData(Combo(kNeComboId)));
        OnLocationChanged();
        return 1;
    }
    if (code == BN_CLICKED) {
        for (const Bound& bound : kBounds) {
            if (id == bound.check) {
                EnableBound(bound.check, bound.date, bound.time);
                return 1;
            }
        }
    }
    return 0;
}

uint32_t CUserOpLogCriteriaDlg::PickedTime(int dateId, int timeId) const
{
    const auto* date = GetDlgItemAs<QDateEdit>(dateId);
    const auto* time = GetDlgItemAs<QTimeEdit>(timeId);
    if (date == nullptr || time == nullptr)
        return 0;
    const qint64 seconds = QDateTime(date->date(), time->time()).toSecsSinceEpoch();
    return seconds > 0 ? static_cast<uint32_t>(seconds) : 0;
}

void CUserOpLogCriteriaDlg::OnOK()
{
    const bool from = IsChecked(kFromCheckId);
    const bool to = IsChecked(kToCheckId);
    const uint32_t start = PickedTime(kFromDateId, kFromTimeId);
    const uint32_t stop = PickedTime(kToDateId, kToTimeId);
    if (from && to && start > stop) {
        ShowAlertTextById(kStrStartGreaterThanStop, kFromDateId);
        return;
    }
    const QComboBox* users = Combo(kUserComboId);
    const std::string operatorName =
        users != nullptr && ComboItemData(users) != 0 ? users->currentText().toStdString() : std::string();
    CUserOpLogListDlg list(this);
    list.SetCriteria(operatorName, ComboItemData(Combo(kNeComboId)), from ? start : 0, to ? stop : 0);
    list.DoModal();
}
