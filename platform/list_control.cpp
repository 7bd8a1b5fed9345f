#include "platform/list_control.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>
#include <utility>
#include <vector>

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

void CListControl::SetUpReportView(QTreeView* list)
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
    QTreeWidget* widget = ItemWidget();
    if (widget == nullptr || row < 0 || row >= widget->topLevelItemCount())
        return nullptr;
    return widget->topLevelItem(row);
}

QModelIndex CListControl::Cell(int row, int column) const
{
    QAbstractItemModel* model = Model();
    if (model == nullptr || row < 0 || column < 0 || column >= GetColumnCount())
        return {};
    return model->index(row, column);
}

Qt::Alignment CListControl::CellAlignment(int column) const
{
    return AlignmentOf(GetColumnFormat(column));
}

int CListControl::GetColumnCount() const
{
    QAbstractItemModel* model = Model();
    if (model == nullptr)
        return 0;
    const int count = model->columnCount();
    // A tree widget always has a column; one that no InsertColumn made counts as none.
    if (count == 1 && !model->headerData(0, Qt::Horizontal, kListFormatRole).isValid())
        return 0;
    return count;
}

int CListControl::InsertColumn(int column, const QString& title, int format, int width)
{
    QAbstractItemModel* model = Model();
    if (model == nullptr)
        return -1;
    const int count = GetColumnCount();
    const int at = std::clamp(column, 0, count);
    QTreeWidget* widget = ItemWidget();
    if (widget == nullptr) {
        if (!model->insertColumns(at, 1))
            return -1;
        model->setHeaderData(at, Qt::Horizontal, title);
        model->setHeaderData(at, Qt::Horizontal, format, kListFormatRole);
        model->setHeaderData(at, Qt::Horizontal, static_cast<int>(AlignmentOf(format)), Qt::TextAlignmentRole);
        if (width >= 0)
            list_->setColumnWidth(at, width);
        return at;
    }
    QTreeWidgetItem* header = widget->headerItem();
    if (count > 0) {
        widget->setColumnCount(count + 1);
        for (int c = count; c > at; --c) {
            header->setText(c, header->text(c - 1));
            header->setData(c, kListFormatRole, header->data(c - 1, kListFormatRole));
            header->setTextAlignment(c, Qt::Alignment::fromInt(header->textAlignment(c - 1)));
            list_->setColumnWidth(c, list_->columnWidth(c - 1));
        }
        for (int r = 0; r < widget->topLevelItemCount(); ++r) {
            QTreeWidgetItem* item = widget->topLevelItem(r);
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
    QTreeWidget* widget = ItemWidget();
    if (widget == nullptr)
        return Model()->removeColumns(column, 1);
    QTreeWidgetItem* header = widget->headerItem();
    for (int c = column; c + 1 < count; ++c) {
        header->setText(c, header->text(c + 1));
        header->setData(c, kListFormatRole, header->data(c + 1, kListFormatRole));
        header->setTextAlignment(c, Qt::Alignment::fromInt(header->textAlignment(c + 1)));
        list_->setColumnWidth(c, list_->columnWidth(c + 1));
    }
    for (int r = 0; r < widget->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = widget->topLevelItem(r);
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
    widget->setColumnCount(count - 1);
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
    return Model()->headerData(column, Qt::Horizontal).toString();
}

int CListControl::GetColumnFormat(int column) const
{
    if (column < 0 || column >= GetColumnCount())
        return LVCFMT_LEFT;
    return Model()->headerData(column, Qt::Horizontal, kListFormatRole).toInt();
}

bool CListControl::SetColumnFormat(int column, int format)
{
    if (column < 0 || column >= GetColumnCount())
        return false;
    Model()->setHeaderData(column, Qt::Horizontal, format, kListFormatRole);
    Model()->setHeaderData(column, Qt::Horizontal, static_cast<int>(AlignmentOf(format)), Qt::TextAlignmentRole);
    if (QTreeWidget* widget = ItemWidget()) {
        for (int r = 0; r < widget->topLevelItemCount(); ++r)
            widget->topLevelItem(r)->setTextAlignment(column, AlignmentOf(format));
    }
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
    QAbstractItemModel* model = Model();
    return model != nullptr ? model->rowCount() : 0;
}

int CListControl::InsertItem(int row, const QString& text)
{
    QTreeWidget* widget = ItemWidget();
    if (widget == nullptr)
        return -1;
    const int at = std::clamp(row, 0, widget->topLevelItemCount());
    auto* item = new ListItem;
    item->setData(0, Qt::UserRole, QVariant::fromValue<quint32>(0));
    for (int c = 0; c < widget->columnCount(); ++c)
        item->setTextAlignment(c, CellAlignment(c));
    item->setText(0, text);
    if (HasCheckBoxes()) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    widget->insertTopLevelItem(at, item);
    return at;
}

bool CListControl::DeleteItem(int row)
{
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr)
        return false;
    delete ItemWidget()->takeTopLevelItem(row);
    return true;
}

void CListControl::DeleteAllItems()
{
    if (QTreeWidget* widget = ItemWidget())
        widget->clear();
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
    const QModelIndex cell = Cell(row, column);
    return cell.isValid() ? cell.data().toString() : QString();
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
    QAbstractItemModel* model = Model();
    if (model == nullptr || row < 0 || row >= model->rowCount())
        return 0;
    return model->index(row, 0).data(Qt::UserRole).value<quint32>();
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
    const QModelIndex cell = Cell(row, column);
    bool ok = false;
    const int image = cell.data(kListImageRole).toInt(&ok);
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
    if (list_->selectionModel() == nullptr)
        return -1;
    // Only the rows of the selection's ranges are looked at: a list of many rows answers at once when little or
    // nothing is selected.
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& range : list_->selectionModel()->selection()) {
        if (!range.parent().isValid() && range.left() == 0)
            ranges.emplace_back(range.top(), range.bottom());
    }
    std::sort(ranges.begin(), ranges.end());
    for (const auto& [top, bottom] : ranges) {
        for (int r = std::max({top, after + 1, 0}); r <= std::min(bottom, GetItemCount() - 1); ++r) {
            if (IsItemSelected(r))
                return r;
        }
    }
    return -1;
}

bool CListControl::IsItemSelected(int row) const
{
    const QModelIndex first = Cell(row, 0);
    return first.isValid() && list_->selectionModel() != nullptr && list_->selectionModel()->isSelected(first);
}

bool CListControl::SetItemSelected(int row, bool selected)
{
    const QModelIndex first = Cell(row, 0);
    if (!first.isValid() || list_->selectionModel() == nullptr)
        return false;
    list_->selectionModel()->select(first, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                               QItemSelectionModel::Rows);
    return true;
}

int CListControl::GetCurrentItem() const
{
    if (list_ == nullptr || !list_->currentIndex().isValid())
        return -1;
    return list_->currentIndex().row();
}

bool CListControl::SetCurrentItem(int row)
{
    const QModelIndex first = Cell(row, 0);
    if (!first.isValid() || list_->selectionModel() == nullptr)
        return false;
    list_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    return true;
}

bool CListControl::EnsureVisible(int row)
{
    const QModelIndex first = Cell(row, 0);
    if (!first.isValid())
        return false;
    list_->scrollTo(first);
    return true;
}

void CListControl::EnableCheckBoxes(bool enable)
{
    if (list_ == nullptr)
        return;
    list_->setProperty(kCheckBoxesProperty, enable);
    QTreeWidget* widget = ItemWidget();
    for (int r = 0; widget != nullptr && r < widget->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = widget->topLevelItem(r);
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
    const QModelIndex first = Cell(row, 0);
    return first.isValid() && HasCheckBoxes() && first.data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

bool CListControl::SetCheck(int row, bool checked)
{
    if (!HasCheckBoxes())
        return false;
    if (ItemWidget() == nullptr) {
        const QModelIndex first = Cell(row, 0);
        return first.isValid() && Model()->setData(first, checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
    QTreeWidgetItem* item = Item(row);
    if (item == nullptr)
        return false;
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    return true;
}

void CListControl::SortItems(const std::function<int(uint32_t, uint32_t)>& compare)
{
    QTreeWidget* widget = ItemWidget();
    if (widget == nullptr || !compare)
        return;
    const auto* previous = activeCompare;
    activeCompare = &compare;
    widget->sortItems(0, Qt::AscendingOrder);
    activeCompare = previous;
}
