#include "features/fault/alarm_events/alarm_page_dlg.h"

#include "features/fault/alarm_lists/alarm_list_look.h"
#include "features/fault/alarm_lists/alarm_name_filter.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/lists/record_sort_proxy.h"

#include <QString>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

std::optional<uint32_t> NumberOf(const QString& text)
{
    bool ok = false;
    const qulonglong number = text.trimmed().toULongLong(&ok);
    if (!ok || number > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    return static_cast<uint32_t>(number);
}

} // namespace

CAlarmPageDlg::CAlarmPageDlg(int templateId, Setup setup, std::vector<FilterBox> rowBoxes,
                             std::vector<FilterBox> ackBoxes, QWidget* parent)
    : CRecordListDlg(templateId, std::move(setup), parent), rowBoxes_(std::move(rowBoxes)),
      ackBoxes_(std::move(ackBoxes)), rowChecks_(rowBoxes_.size(), 1), ackChecks_(ackBoxes_.size(), 1)
{
    // "Alarms ..." sorts as Severity does, and its header says so.
    SetColumnMap(kAlarmsColumn, kSeverityColumn);
}

void CAlarmPageDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_TextInRange(dx, *this, kFromId, range_.from, 0, std::numeric_limits<uint32_t>::max());
    DDX_TextInRange(dx, *this, kToId, range_.to, 0, std::numeric_limits<uint32_t>::max());
    for (size_t i = 0; i < rowBoxes_.size(); ++i)
        DDX_Check(dx, rowBoxes_[i].checkId, rowChecks_[i]);
    for (size_t i = 0; i < ackBoxes_.size(); ++i)
        DDX_Check(dx, ackBoxes_[i].checkId, ackChecks_[i]);
    DDX_Check(dx, kNameCheckId, nameCheck_);
    DDX_Text(dx, kNameEditId, names_);
}

void CAlarmPageDlg::ShowRange(RecordRange range)
{
    range_ = range;
    showingRange_ = true;
    SetControlText(*this, kFromId, QString::number(range.from));
    SetControlText(*this, kToId, QString::number(range.to));
    if (HasTotal())
        SetControlText(*this, kTotalId, QString::number(total_));
    showingRange_ = false;
    UpdatePagingButtons();
}

bool CAlarmPageDlg::ValidateRange()
{
    if (!UpdateDialogData())
        return false;
    const RecordRange valid = ValidateRecordRange(range_, RangeBound());
    // The server's list shows the range whatever it was; the NE's log only when it changed.
    if (!(valid == range_) || HasTotal())
        ShowRange(valid);
    return true;
}

void CAlarmPageDlg::UpdatePagingButtons()
{
    const PagingButtons buttons = Buttons(range_);
    EnableControl(kFirstPageId, buttons.first);
    EnableControl(kPreviousPageId, buttons.previous);
    EnableControl(kNextPageId, buttons.next);
    if (HasTotal())
        EnableControl(kLastPageId, buttons.last);
    EnableControl(kSpinId, buttons.spin);
    EnableControl(kRefreshButtonId, true);
}

void CAlarmPageDlg::OnRangeEdited()
{
    if (showingRange_)
        return;
    const std::optional<uint32_t> from = NumberOf(ControlText(*this, kFromId));
    const std::optional<uint32_t> to = NumberOf(ControlText(*this, kToId));
    if (!from || !to) {
        EnableControls({kRefreshButtonId, kFirstPageId, kPreviousPageId, kNextPageId, kSpinId}, false);
        if (HasTotal())
            EnableControl(kLastPageId, false);
        return;
    }
    // A number typed is bounded at once, in the edits too, so that Refresh asks for what they show.
    const RecordRange typed{*from, *to};
    const RecordRange bounded = BoundRecordRange(typed, RangeBound());
    if (bounded == typed) {
        range_ = typed;
        UpdatePagingButtons();
    } else {
        ShowRange(bounded);
    }
}

void CAlarmPageDlg::ResetFilterBoxes(const std::vector<int>& rowChecksOn, const std::vector<int>& ackChecksOff)
{
    for (size_t i = 0; i < rowBoxes_.size(); ++i) {
        const bool on = rowChecksOn.empty() ||
                        std::find(rowChecksOn.begin(), rowChecksOn.end(), rowBoxes_[i].checkId) != rowChecksOn.end();
        rowChecks_[i] = on ? 1 : 0;
    }
    for (size_t i = 0; i < ackBoxes_.size(); ++i) {
        const bool off =
            std::find(ackChecksOff.begin(), ackChecksOff.end(), ackBoxes_[i].checkId) != ackChecksOff.end();
        ackChecks_[i] = off ? 0 : 1;
    }
    showingRange_ = true;
    UpdateData(false);
    showingRange_ = false;
}

bool CAlarmPageDlg::Passes(uint32_t key) const
{
    const uint16_t flags = RowFlags(key);
    if ((flags & (kRowFilterShown | kRowFilterSecondary)) == 0)
        return false;
    uint16_t rowMask = 0;
    for (size_t i = 0; i < rowBoxes_.size(); ++i) {
        if (rowChecks_[i] != 0)
            rowMask |= rowBoxes_[i].bit;
    }
    if ((flags & rowMask) == 0)
        return false;
    if (!ackBoxes_.empty()) {
        uint16_t ackMask = 0;
        for (size_t i = 0; i < ackBoxes_.size(); ++i) {
            if (ackChecks_[i] != 0)
                ackMask |= ackBoxes_[i].bit;
        }
        if ((flags & ackMask) == 0)
            return false;
    }
    return nameCheck_ == 0 || CAlarmNameFilter(names_).MatchesAnyOf(RowAlarms(key));
}

std::vector<uint32_t> CAlarmPageDlg::NamedRows(std::vector<uint32_t> keys) const
{
    if (nameCheck_ == 0)
        return keys;
    const CAlarmNameFilter filter(names_);
    std::erase_if(keys, [&](uint32_t key) { return !filter.MatchesAnyOf(RowAlarms(key)); });
    return keys;
}

void CAlarmPageDlg::ClearCounts()
{
    for (const FilterBox& box : rowBoxes_) {
        if (box.countId != 0)
            SetControlText(*this, box.countId, QStringLiteral("0"));
    }
}

void CAlarmPageDlg::FilterAndCount(const std::vector<uint32_t>& keys)
{
    keys_ = keys;
    std::vector<uint32_t> counts(rowBoxes_.size(), 0);
    for (uint32_t key : keys_) {
        if (!Passes(key))
            continue;
        const uint16_t flags = RowFlags(key);
        for (size_t i = 0; i < rowBoxes_.size(); ++i) {
            if ((flags & rowBoxes_[i].bit) != 0)
                ++counts[i];
        }
    }
    for (size_t i = 0; i < rowBoxes_.size(); ++i) {
        if (rowBoxes_[i].countId != 0)
            SetControlText(*this, rowBoxes_[i].countId, QString::number(counts[i]));
    }
    if (CRecordSortProxy* proxy = ListProxy(GetListId()))
        proxy->SetFilter([this](uint32_t key) { return Passes(key); });
}

void CAlarmPageDlg::ApplyRowFilter()
{
    if (!UpdateDialogData())
        return;
    // The rows are made anew from the page: none of them stays selected.
    CListControl list = List();
    std::vector<int> selected;
    for (int row = list.GetNextSelected(-1); row >= 0; row = list.GetNextSelected(row))
        selected.push_back(row);
    for (int row : selected)
        list.SetItemSelected(row, false);
    FilterAndCount(keys_);
    if (CRecordSortProxy* proxy = ListProxy(GetListId()))
        proxy->Refilter();
    if (!GetNoSort())
        SortList(GetSortColumn(), GetSortDirection(), GetListId());
    UpdateRowCommands();
}

int CAlarmPageDlg::OnCommandHook(int id, int code)
{
    if ((id == kFromId || id == kToId) && code == EN_CHANGE) {
        OnRangeEdited();
        return 1;
    }
    if (id == kNameEditId && code == EN_CHANGE) {
        if (IsBoxTicked(*this, kNameCheckId))
            ApplyRowFilter();
        return 1;
    }
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case kFirstPageId:
    case kPreviousPageId:
    case kNextPageId:
    case kLastPageId:
        if (ValidateRange())
            OnPagingButton(id);
        return 1;
    case kNameCheckId:
        ApplyRowFilter();
        return 1;
    default:
        break;
    }
    const auto isBox = [id](const FilterBox& box) { return box.checkId == id; };
    if (std::any_of(rowBoxes_.begin(), rowBoxes_.end(), isBox) ||
        std::any_of(ackBoxes_.begin(), ackBoxes_.end(), isBox)) {
        ApplyRowFilter();
        return 1;
    }
    return 0;
}

int CAlarmPageDlg::OnNotifyHook(const NotifyHeader& header, int* /*result*/)
{
    if (header.idFrom != kSpinId || header.code != UDN_DELTAPOS)
        return 0;
    if (!UpdateDialogData())
        return 1;
    if (const std::optional<RecordRange> moved = SpinPages(range_, header.delta, RangeBound()))
        ShowRange(*moved);
    return 1;
}

void CAlarmPageDlg::DrawExtras(Dc& dc)
{
    DrawSeverityBoxImages(dc, *this);
    DrawOwnExtras(dc);
}
