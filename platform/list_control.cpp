#include "platform/list_control.h"

#include <QHeaderView>

#include <algorithm>

namespace {

constexpr char kCheckBoxesProperty[] = "listCheckBoxes";

// The comparison of the sort in progress; items compare through it while QTreeWidget sorts them.
thread_local const std::function<int(uint32_t, uint32_t)>* activeCompare = nullptr;

class ListItem : public QTreeWidgetItem {
public:
    ListItem() : QTreeWidgetItem(UserType) {}
    bool operator<(const QTreeWidgetItem& other) const override
    {
        if (activeCompare == nullptr)
            return QTreeWidgetItem::operator<(other);
        return (*activeCompare)(data(0, Qt::UserRole).value<quint32>(), other.data(0, Qt::UserRole).value<quint32>()) <
               0;
    }
};

Qt::Alignment AlignmentOf(int format)
{
    switch (format) {
    case LVCFMT_RIGHT:
        return Qt::AlignRight | Qt::AlignVCenter;
    case LVCFMT_CENTER:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

void CListControl::SetUpReportView(QTreeWidget* list)
{
    if (list == nullptr)
        return;
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    // The list's owner sorts the rows, not the tree widget; switching the widget's own sorting off also makes the
    // header deaf to clicks, and the owner sorts on those.
    const bool clickable = list->header()->sectionsClickable();
    list->setSortingEnabled(false);
    list->header()->setSectionsClickable(clickable);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
}

QTreeWidgetItem* CListControl::Item(int row) const
{
    if (list_ == nullptr || row < 0 || row >= list_->topLevelItemCount())
        return nullptr;
    return list_->topLevelItem(row);
}

Qt::Alignment CListControl::CellAlignment(int column) const
{
    return AlignmentOf(GetColumnFormat(column));
}

int CListControl::GetColumnCount() const
{
    if (list_ == nullptr)
        return 0;
    const int count = list_->columnCount();
    // A tree widget always has a column; one that no InsertColumn made counts as none.
    if (count == 1 && !list_->headerItem()->data(0, kListFormatRole).isValid())
        return 0;
    return count;
}

int CListControl::InsertColumn(int column, const QString& title, int format, int width)
{
    if (list_ == nullptr)
        return -1;
    const int count = GetColumnCount();
    const int at = std::clamp(column, 0, count);
    QTreeWidgetItem* header = list_->headerItem();
    if (count > 0) {
        list_->setColumnCount(count + 1);
        for (int c = count; c > at; --c) {
            header->setText(c, header->text(c - 1));
            header->setData(c, kListFormatRole, header->data(c - 1, kListFormatRole));
            header->setTextAlignment(c, Qt::Alignment::fromInt(header->textAlignment(c - 1)));
            list_->setColumnWidth(c, list_->columnWidth(c - 1));
        }
        for (int r = 0; r < list_->topLevelItemCount(); ++r) {
            QTreeWidgetItem* item = list_->topLevelItem(r);
            for (int c = count; c > at; --c) {
                item->setText(c, item->text(c - 1));
                item->setData(c, kListImageRole, item->data(c - 1, kListImageRole));
                item->setTextAlignment(c, Qt::Alignment::fromInt(item->textAlignment(c - 1)));
            }
            item->setText(at, QString());
            item->setData(at, kListImageRole, QVariant());
            item->setTextAlignment(at, AlignmentOf(format));
        }
    }
    header->setText(at, title);
    header->setData(at, kListFormatRole, format);
    header->setTextAlignment(at, AlignmentOf(format));
    if (width >= 0)
        list_->setColumnWidth(at, width);
    return at;
}

bool CListControl::DeleteColumn(int column)
{
    const int count = GetColumnCount();
    if (column < 0 || column >= count)
        return false;
    QTreeWidgetItem* header = list_->headerItem();
    for (int c = column; c + 1 < count; ++c) {
        header->setText(c, header->text(c + 1));
        header->setData(c, kListFormatRole, header->data(c + 1, kListFormatRole));
        header->setTextAlignment(c, Qt::Alignment::fromInt(header->textAlignment(c + 1)));
        list_->setColumnWidth(c, list_->columnWidth(c + 1));
    }
    for (int r = 0; r < list_->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = list_->topLevelItem(r);
        for (int c = column; c + 1 < count; ++c) {
            item->setText(c, item->text(c + 1));
            item->setData(c, kListImageRole, item->data(c + 1, kListImageRole));
            item->setTextAlignment(c, Qt::Alignment::fromInt(item->textAlignment(c + 1)));
        }
    }
    if (count == 1) {
        header->setText(0, QString());
        header->setData(0, kListFormatRole, QVariant());
        return true;
    }
    list_->setColumnCount(count - 1);
    return true;
}

void CListControl::DeleteAllColumns()
{
    while (GetColumnCount() > 0)
        DeleteColumn(GetColumnCount() - 1);
}

QString CListControl::GetColumnTitle(int column) const
{
    if (column < 0 || column >= GetColumnCount())
        return {};
    return list_->headerItem()->text(column);
}

int CListControl::GetColumnFormat(int column) const
{
    if (column < 0 || column >= GetColumnCount())
        return LVCFMT_LEFT;
    return list_->headerItem()->data(column, kListFormatRole).toInt();
}

bool CListControl::SetColumnFormat(int column, int format)
{
    if (column < 0 || column >= GetColumnCount())
        return false;
    list_->headerItem()->setData(column, kListFormatRole, format);
    list_->headerItem()->setTextAlignment(column, AlignmentOf(format));
    for (int r = 0; r < list_->topLevelItemCount(); ++r)
        list_->topLevelItem(r)->setTextAlignment(column, AlignmentOf(format));
    return true;
}

int CListControl::GetColumnWidth(int column) const
{
    if (column < 0 || column >= GetColumnCount())
        return 0;
    return list_->columnWidth(column);
}

bool CListControl::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= GetColumnCount())
        return false;
    list_->setColumnWidth(column, std::max(width, 0));
    return true;
}

int CListControl::GetItemCount() const
{
    return list_ ? list_->topLevelItemCount() : 0;
}

int CListControl::InsertItem(int row, const QString& text)
{
    if (list_ == nullptr)
        return -1;
    const int at = std::clamp(row, 0, list_->topLevelItemCount());
    auto* item = new ListItem;
    item->setData(0, Qt::UserRole, QVariant::fromValue<quint32>(0));
    for (int c = 0; c < list_->columnCount(); ++c)
        item->setTextAlignment(c, CellAlignment(c));
    item->setText(0, text);
    if (HasCheckBoxes()) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    list_->insertTopLevelItem(at, item);
    return at;
}

bool CListControl::DeleteItem(int row)
{
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr)
        return false;
    delete list_->takeTopLevelItem(row);
    return true;
}

void CListControl::DeleteAllItems()
{
    if (list_)
        list_->clear();
}

bool CListControl::SetItemText(int row, int column, const QString& text)
{
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr || column < 0 || column >= GetColumnCount())
        return false;
    item->setText(column, text);
    item->setTextAlignment(column, CellAlignment(column));
    return true;
}

QString CListControl::GetItemText(int row, int column) const
{
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr || column < 0 || column >= GetColumnCount())
        return {};
    return item->text(column);
}

bool CListControl::SetItemData(int row, uint32_t data)
{
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr)
        return false;
    item->setData(0, Qt::UserRole, QVariant::fromValue<quint32>(data));
    return true;
}

uint32_t CListControl::GetItemData(int row) const
{
    QTreeWidgetItem* item = Item(row);
    return item ? item->data(0, Qt::UserRole).value<quint32>() : 0;
}

int CListControl::FindItemByData(uint32_t data) const
{
    for (int r = 0; r < GetItemCount(); ++r) {
        if (GetItemData(r) == data)
            return r;
    }
    return -1;
}

bool CListControl::SetItemImage(int row, int column, int image)
{
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr || column < 0 || column >= GetColumnCount())
        return false;
    item->setData(column, kListImageRole, image);
    return true;
}

int CListControl::GetItemImage(int row, int column) const
{
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr || column < 0 || column >= GetColumnCount())
        return -1;
    bool ok = false;
    int image = item->data(column, kListImageRole).toInt(&ok);
    return ok ? image : -1;
}

int CListControl::GetSelectedCount() const
{
    int count = 0;
    for (int r = 0; r < GetItemCount(); ++r)
        count += IsItemSelected(r) ? 1 : 0;
    return count;
}

int CListControl::GetNextSelected(int after) const
{
    for (int r = std::max(after + 1, 0); r < GetItemCount(); ++r) {
        if (IsItemSelected(r))
            return r;
    }
    return -1;
}

bool CListControl::IsItemSelected(int row) const
{
    QTreeWidgetItem* item = Item(row);
    return item && item->isSelected();
}

bool CListControl::SetItemSelected(int row, bool selected)
{
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr)
        return false;
    item->setSelected(selected);
    return true;
}

int CListControl::GetCurrentItem() const
{
    if (list_ == nullptr || list_->currentItem() == nullptr)
        return -1;
    return list_->indexOfTopLevelItem(list_->currentItem());
}

bool CListControl::SetCurrentItem(int row)
{
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr)
        return false;
    list_->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    return true;
}

bool CListControl::EnsureVisible(int row)
{
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr)
        return false;
    list_->scrollToItem(item);
    return true;
}

void CListControl::EnableCheckBoxes(bool enable)
{
    if (list_ == nullptr)
        return;
    list_->setProperty(kCheckBoxesProperty, enable);
    for (int r = 0; r < list_->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = list_->topLevelItem(r);
        if (enable) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Unchecked);
        } else {
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
            item->setData(0, Qt::CheckStateRole, QVariant());
        }
    }
}

bool CListControl::HasCheckBoxes() const
{
    return list_ && list_->property(kCheckBoxesProperty).toBool();
}

bool CListControl::GetCheck(int row) const
{
    QTreeWidgetItem* item = Item(row);
    return item && HasCheckBoxes() && item->checkState(0) == Qt::Checked;
}

bool CListControl::SetCheck(int row, bool checked)
{
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr || !HasCheckBoxes())
        return false;
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    return true;
}

void CListControl::SortItems(const std::function<int(uint32_t, uint32_t)>& compare)
{
    if (list_ == nullptr || !compare)
        return;
    const auto* previous = activeCompare;
    activeCompare = &compare;
    list_->sortItems(0, Qt::AscendingOrder);
    activeCompare = previous;
}
