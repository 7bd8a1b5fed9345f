#include "features/fault/alarm_events/criteria_controls.h"

#include "core/entity/entity_index.h"
#include "core/tables/ne_table.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QTimeEdit>

namespace {

constexpr int kAnyKind = 0;
// Entries of a combo that offers at least two entities: " <none>" and two.
constexpr int kChoiceEntries = 2;

const char* NoneText()
{
    static const std::string text = LoadQString(kStrNone).toStdString();
    return text.c_str();
}

void AddAll(QComboBox& combo)
{
    combo.addItem(LoadQString(kStrAll), kScopeAll);
}

// The single entry a combo keeps under a parent that names no entity.
void SingleEntry(QComboBox& combo, uint32_t parentData)
{
    combo.clear();
    if (parentData == kScopeAll)
        combo.addItem(LoadQString(kStrAll), kScopeAll);
    else
        combo.addItem(LoadQString(kStrNone), kScopeNone);
    combo.setCurrentIndex(0);
    combo.setEnabled(false);
}

uint32_t DataOf(const QComboBox* combo)
{
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().toUInt() : kScopeAll;
}

bool NamesEntity(uint32_t data)
{
    return data != kScopeNone && data != kScopeAll;
}

uint32_t SecondsOf(const QDateEdit* date, const QTimeEdit* time)
{
    if (date == nullptr || time == nullptr)
        return 0;
    const qint64 seconds = QDateTime(date->date(), time->time(), Qt::LocalTime).toSecsSinceEpoch();
    return seconds > 0 ? static_cast<uint32_t>(seconds) : 0;
}

} // namespace

QComboBox* CCriteriaControls::Combo(int id) const
{
    return dialog_.GetDlgItemAs<QComboBox>(id);
}

bool CCriteriaControls::NeKnown() const
{
    return FindNeById(static_cast<uint32_t>(dialog_.GetNeId())) != nullptr;
}

void CCriteriaControls::FillScope(const CNeRecord* ne, const CEntityIndex& target)
{
    QComboBox* shelf = Combo(kShelfComboId);
    QComboBox* slot = Combo(kSlotComboId);
    QComboBox* port = Combo(kPortComboId);
    if (shelf == nullptr || slot == nullptr || port == nullptr)
        return;
    if (ne == nullptr) {
        for (QComboBox* combo : {shelf, slot, port})
            SingleEntry(*combo, kScopeAll);
        return;
    }
    FillShelfCombo(shelf, ne, &target, kAnyKind, NoneText(), 0, 0);
    FillSlotCombo(slot, ne, &target, kAnyKind, NoneText(), 0, 0);
    FillPortCombo(port, ne, &target, kAnyKind, NoneText(), 0, 0);
    for (QComboBox* combo : {shelf, slot, port}) {
        if (combo->count() > kChoiceEntries)
            AddAll(*combo);
        combo->setEnabled(true);
    }
    switch (target.GetLevel()) {
    case 2:
        OnShelfChanged();
        break;
    case 3:
        OnSlotChanged();
        break;
    case 4:
        OnPortChanged();
        break;
    default:
        shelf->setCurrentIndex(shelf->count() - 1);
        OnShelfChanged();
        break;
    }
}

void CCriteriaControls::FollowParent(int comboId, uint32_t parentData, const CEntityIndex& parentIndex)
{
    QComboBox* combo = Combo(comboId);
    if (combo == nullptr)
        return;
    if (!NamesEntity(parentData)) {
        SingleEntry(*combo, parentData);
        return;
    }
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(dialog_.GetNeId()));
    const CEntityIndex index = parentIndex;
    if (comboId == kSlotComboId)
        FillSlotCombo(combo, ne, &index, kAnyKind, NoneText(), 0, 0);
    else
        FillPortCombo(combo, ne, &index, kAnyKind, NoneText(), 0, 0);
    AddAll(*combo);
    combo->setCurrentIndex(combo->count() - 1);
    combo->setEnabled(true);
}

void CCriteriaControls::OnShelfChanged()
{
    if (!NeKnown()) {
        dialog_.EnableControls({kShelfComboId, kSlotComboId, kPortComboId}, false);
        return;
    }
    const uint32_t shelf = DataOf(Combo(kShelfComboId));
    FollowParent(kSlotComboId, shelf, CEntityIndex::FromLevels(1, shelf));
    const uint32_t slot = DataOf(Combo(kSlotComboId));
    SingleEntry(*Combo(kPortComboId), NamesEntity(slot) ? kScopeAll : slot);
}

void CCriteriaControls::OnSlotChanged()
{
    if (!NeKnown()) {
        dialog_.EnableControls({kShelfComboId, kSlotComboId, kPortComboId}, false);
        return;
    }
    const uint32_t shelf = DataOf(Combo(kShelfComboId));
    const uint32_t slot = DataOf(Combo(kSlotComboId));
    FollowParent(kPortComboId, slot, CEntityIndex::FromLevels(1, shelf, slot));
}

void CCriteriaControls::OnPortChanged()
{
    if (!NeKnown())
        dialog_.EnableControls({kShelfComboId, kSlotComboId, kPortComboId}, false);
}

ScopeChoice CCriteriaControls::Choice() const
{
    ScopeChoice choice;
    choice.shelf = DataOf(Combo(kShelfComboId));
    choice.slot = DataOf(Combo(kSlotComboId));
    choice.port = DataOf(Combo(kPortComboId));
    const QComboBox* shelf = Combo(kShelfComboId);
    choice.shelfEntries = shelf != nullptr ? shelf->count() : 0;
    return choice;
}

void CCriteriaControls::InitTimeRange(bool useFrom, bool useTo)
{
    const QDate earliest(1970, 1, 2);
    const QDate latest(2037, 12, 31);
    const QDateTime now = QDateTime::currentDateTime();
    for (int id : {kFromDateId, kToDateId}) {
        if (auto* date = dialog_.GetDlgItemAs<QDateEdit>(id)) {
            date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
            date->setDateRange(earliest, latest);
            date->setDate(now.date());
        }
    }
    for (int id : {kFromTimeId, kToTimeId}) {
        if (auto* time = dialog_.GetDlgItemAs<QTimeEdit>(id))
            time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    }
    if (auto* from = dialog_.GetDlgItemAs<QTimeEdit>(kFromTimeId))
        from->setTime(QTime(0, 0, 0));
    if (auto* to = dialog_.GetDlgItemAs<QTimeEdit>(kToTimeId))
        to->setTime(now.time());
    if (auto* check = dialog_.GetDlgItemAs<QAbstractButton>(kFromCheckId))
        check->setChecked(useFrom);
    if (auto* check = dialog_.GetDlgItemAs<QAbstractButton>(kToCheckId))
        check->setChecked(useTo);
    EnableTimePickers();
}

void CCriteriaControls::EnableTimePickers()
{
    dialog_.EnableControls({kFromDateId, kFromTimeId}, UseFrom());
    dialog_.EnableControls({kToDateId, kToTimeId}, UseTo());
}

bool CCriteriaControls::UseFrom() const
{
    return IsBoxTicked(dialog_, kFromCheckId);
}

bool CCriteriaControls::UseTo() const
{
    return IsBoxTicked(dialog_, kToCheckId);
}

uint32_t CCriteriaControls::FromTime() const
{
    return SecondsOf(dialog_.GetDlgItemAs<QDateEdit>(kFromDateId), dialog_.GetDlgItemAs<QTimeEdit>(kFromTimeId));
}

uint32_t CCriteriaControls::ToTime() const
{
    return SecondsOf(dialog_.GetDlgItemAs<QDateEdit>(kToDateId), dialog_.GetDlgItemAs<QTimeEdit>(kToTimeId));
}

bool CCriteriaControls::RefuseReversedRange()
{
    if (!UseFrom() || !UseTo() || FromTime() <= ToTime())
        return false;
    dialog_.ShowAlertTextById(kStrStartGreaterThanStop, kFromDateId, 0, kToDateId, kFromTimeId, kToTimeId);
    return true;
}

void CCriteriaControls::InitSeverity()
{
    if (auto* check = dialog_.GetDlgItemAs<QAbstractButton>(kSeverityCheckId))
        check->setChecked(false);
    if (auto* first = dialog_.GetDlgItemAs<QAbstractButton>(kSeverityRadioIds[0]))
        first->setChecked(true);
    EnableSeverityRadios();
}

void CCriteriaControls::EnableSeverityRadios()
{
    const bool on = IsBoxTicked(dialog_, kSeverityCheckId);
    for (int id : kSeverityRadioIds)
        dialog_.EnableControl(id, on);
}

uint32_t CCriteriaControls::Severity() const
{
    if (!IsBoxTicked(dialog_, kSeverityCheckId))
        return 0;
    uint32_t severity = 1;
    for (int id : kSeverityRadioIds) {
        if (IsBoxTicked(dialog_, id))
            return severity;
        ++severity;
    }
    return 1;
}

bool CCriteriaControls::OnCommand(int id, int code)
{
    if (code == CBN_SELCHANGE) {
        switch (id) {
        case kShelfComboId:
            OnShelfChanged();
            return true;
        case kSlotComboId:
            OnSlotChanged();
            return true;
        case kPortComboId:
            OnPortChanged();
            return true;
        default:
            return false;
        }
    }
    if (code != BN_CLICKED)
        return false;
    if (id == kFromCheckId || id == kToCheckId) {
        EnableTimePickers();
        return true;
    }
    if (id == kSeverityCheckId) {
        EnableSeverityRadios();
        return true;
    }
    return false;
}
