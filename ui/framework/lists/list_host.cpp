#include "ui/framework/lists/list_host.h"

#include "core/list/list_layout.h"
#include "core/shape/shape_coord.h"
#include "platform/control_id.h"
#include "platform/list_control.h"
#include "platform/notify_codes.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/lists/list_measure.h"
#include "ui/framework/lists/record_sort_proxy.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_table.h"
#include "ui/framework/shapes/shape_draw.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetricsF>
#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr char kSmallImagesProperty[] = "listSmallImages";
constexpr char kSubItemImagesProperty[] = "listSubItemImages";
constexpr char kGridLinesProperty[] = "listGridLines";
// On the header item: the column's image goes to the right of its title.
constexpr int kHeaderImageRightRole = kListFormatRole + 1;
constexpr int kMaxCellText = 2047;
constexpr int kImageSlot = 20;     // an image and the gap before the text
constexpr int kHeaderImageGap = 4; // between a header's title and an image to its right
// The cells a layout measures in one step: a few milliseconds of the UI thread.
constexpr int kLayoutCellsPerStep = 4000;

// The host whose list a sort orders now (sorts run on the UI thread, one at a time; a nested one restores it).
const CListHost* g_sortingHost = nullptr;

// The style of the hosts' lists and their headers. The host draws every cell and frames the selected row itself, so
// the style's own focus frame, drawn over the row, is left out. A column whose header image goes on the right has
// its title drawn first and the image just after it (at the section's right edge when the title fills the section).
class ListStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element != PE_FrameFocusRect)
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option);
        const auto* view = qobject_cast<const QHeaderView*>(widget);
        if (element != CE_HeaderLabel || header == nullptr || view == nullptr || header->icon.isNull() ||
            !view->model()->headerData(header->section, Qt::Horizontal, kHeaderImageRightRole).toBool()) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        QStyleOptionHeader title(*header);
        title.icon = QIcon();
        title.rect.setRight(header->rect.right() - kSmallImageSize - kHeaderImageGap);
        QProxyStyle::drawControl(element, &title, painter, widget);

        const int textWidth = std::min(title.fontMetrics.horizontalAdvance(title.text), title.rect.width());
        int textRight = title.rect.left() + textWidth;
        if (title.textAlignment & Qt::AlignRight)
            textRight = title.rect.right() + 1;
        else if (title.textAlignment & Qt::AlignHCenter)
            textRight = title.rect.left() + (title.rect.width() + textWidth) / 2;
        const int x = std::min(textRight + kHeaderImageGap, header->rect.right() + 1 - kSmallImageSize);
        const int y = header->rect.top() + (header->rect.height() - kSmallImageSize) / 2;
        painter->drawPixmap(x, y, header->icon.pixmap(QSize(kSmallImageSize, kSmallImageSize)));
    }
};

QStyle* SharedListStyle()
{
    // One for the program, gone with the application object.
    static QPointer<ListStyle> style;
    if (style.isNull()) {
        style = new ListStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style.data();
}

// Draws every cell of a host's list through the host.
class ListCellDelegate : public QStyledItemDelegate {
public:
    ListCellDelegate(const CListHost& host, QTreeView& list) : QStyledItemDelegate(&list), host_(host), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.parent().isValid() ||
            (index.column() < kMaxFlaggedColumns && (host_.GetColumnFlags(index.column()) & kColumnHidden))) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const bool selected = option.state & QStyle::State_Selected;
        const bool focused = option.state & QStyle::State_HasFocus;
        const bool hot = option.state & QStyle::State_MouseOver;
        host_.PaintCell(list_, host_.ListIdOf(&list_), *painter, option.rect, index.row(), index.column(), selected,
                        focused, hot);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), kSmallImageSize + 2));
        return size;
    }

private:
    const CListHost& host_;
    QTreeView& list_;
};

Qt::Alignment HeaderAlignment(int align)
{
    switch (align) {
    case 2:
        return Qt::AlignRight | Qt::AlignVCenter;
    case 3:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

Qt::Alignment TextAlignment(uint16_t flags)
{
    switch (flags & kColumnTextAlignMask) {
    case kColumnTextRight:
        return Qt::AlignRight | Qt::AlignVCenter;
    case kColumnTextCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// Column widths of 0 hide the section: a header keeps a minimum size for visible sections.
void SetWidth(QTreeView* list, int column, int width)
{
    QHeaderView* header = list->header();
    if (width <= 0) {
        header->setSectionHidden(column, true);
        return;
    }
    header->setSectionHidden(column, false);
    header->resizeSection(column, width);
}

int WidthOf(const QTreeView* list, int column)
{
    return list->header()->isSectionHidden(column) ? 0 : list->header()->sectionSize(column);
}

// The header data of a column, of a widget list and a model-backed one alike.
QVariant HeaderData(const QTreeView* list, int column, int role)
{
    return list->model() != nullptr ? list->model()->headerData(column, Qt::Horizontal, role) : QVariant();
}

void SetHeaderData(QTreeView* list, int column, int role, const QVariant& value)
{
    if (list->model() != nullptr)
        list->model()->setHeaderData(column, Qt::Horizontal, value, role);
}

bool HeaderHasImage(const QTreeView* list, int column)
{
    return !HeaderData(list, column, Qt::DecorationRole).value<QIcon>().isNull();
}

// The row's last cell on screen: the frame of a selected row is drawn with it, as a hidden column or one scrolled out
// of view is not drawn at all.
int LastShownColumn(const QTreeView& list)
{
    const QHeaderView* header = list.header();
    const int right = std::min(list.viewport()->width(), header->length() - header->offset()) - 1;
    const int column = header->logicalIndexAt(right);
    return column >= 0 ? column : CListControl(const_cast<QTreeView*>(&list)).GetColumnCount() - 1;
}

bool TextMatches(const QString& cell, const QString& text, bool prefix, bool caseSensitive)
{
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (prefix)
        return cell.startsWith(text, cs);
    return cell.compare(text, cs) == 0;
}

} // namespace

CListHost::CListHost(QWidget& root) : root_(root)
{
    columnFlags_.fill(kColumnDefaultFlags);
    for (size_t i = 0; i < columnMap_.size(); ++i)
        columnMap_[i] = static_cast<uint8_t>(i);
}

CListHost::~CListHost() = default;

void CListHost::GetItemColors(int, int, COLORREF*, COLORREF*, COLORREF*, int) {}

void CListHost::GetSelectionFrameRect(int, int, bool isLastColumn, DcRect* rect, uint32_t)
{
    if (rect != nullptr && !isLastColumn)
        *rect = DcRect{};
}

void CListHost::DrawOwnerText(Dc& /*dc*/, const QRect& /*rect*/, int /*row*/, int /*column*/, COLORREF /*textColor*/,
                              int /*listId*/)
{
}

void CListHost::OnListSelChanged(int, int) {}

int CListHost::SortCompare(uint32_t item1, uint32_t item2, uint32_t param)
{
    return CompareItemData(item1, item2, param & kCompareDescending);
}

QTreeView* CListHost::FindList(int listId) const
{
    auto* list = qobject_cast<QTreeView*>(FindControl(&root_, listId));
    if (list == nullptr || list->rootIsDecorated())
        return nullptr;
    return list;
}

CRecordSortProxy* CListHost::SetListModel(CRecordTableModel& records, int listId)
{
    QTreeView* list = FindList(listId);
    if (list == nullptr || qobject_cast<QTreeWidget*>(list) != nullptr)
        return nullptr;
    auto* proxy = new CRecordSortProxy(records, list);
    list->setModel(proxy);
    AttachList(list);
    return proxy;
}

CRecordSortProxy* CListHost::ListProxy(int listId) const
{
    const QTreeView* list = FindList(listId);
    return list != nullptr ? qobject_cast<CRecordSortProxy*>(list->model()) : nullptr;
}

std::vector<QTreeView*> CListHost::Lists() const
{
    std::vector<QTreeView*> lists;
    for (QWidget* control : ControlsOf(&root_)) {
        auto* list = qobject_cast<QTreeView*>(control);
        if (list != nullptr && !list->rootIsDecorated())
            lists.push_back(list);
    }
    return lists;
}

int CListHost::ListIdOf(const QTreeView* list) const
{
    return list ? CtrlIdOf(list) : 0;
}

void CListHost::AttachList(QTreeView* list)
{
    if (list == nullptr || dynamic_cast<ListCellDelegate*>(list->itemDelegate()) != nullptr)
        return;
    CListControl::SetUpReportView(list);
    list->setItemDelegate(new ListCellDelegate(*this, *list));
    list->setMouseTracking(true);
    list->setStyle(SharedListStyle());
    list->header()->setStyle(SharedListStyle());
}

// ---- columns

void CListHost::ParseColumnSpec(const char* spec, int listId)
{
    QTreeView* list = FindList(listId);
    if (list == nullptr)
        return;
    AttachList(list);
    CListControl control(list);
    for (int column = control.GetColumnCount() - 1; column >= 0; --column) {
        if (column < kMaxFlaggedColumns)
            columnFlags_[static_cast<size_t>(column)] &= static_cast<uint16_t>(~kColumnHidden);
        control.DeleteColumn(column);
    }
    list->header()->setSectionHidden(0, false);
    if (spec == nullptr)
        return;
    const int margins = listMargin_[0] + listMargin_[1];
    int index = 0;
    for (const ColumnSpecField& field : ParseColumnSpecFields(spec)) {
        const QString title = QString::fromStdString(field.title);
        int width = 0;
        if (!(field.flags & kColumnHidden)) {
            width = QFontMetrics(list->header()->font()).horizontalAdvance(title) + margins + 4;
            if (index == 0 && HasSmallImages(listId))
                width += 25;
        }
        control.InsertColumn(index, title, LVCFMT_LEFT, std::max(width, 1));
        SetWidth(list, index, width);
        if (index < kMaxFlaggedColumns)
            SetColumnFlags(index, field.flags, 0xFFFF, listId);
        ++index;
    }
}

void CListHost::InitListColumns(const char* spec, int listId)
{
    ParseColumnSpec(spec, spec == nullptr ? kListControlId : listId);
}

void CListHost::InitListColumnsById(uint32_t stringId, int listId)
{
    const std::string* spec = AppStrings().Find(stringId);
    if (spec == nullptr) {
        ParseColumnSpec(nullptr, kListControlId);
        return;
    }
    ParseColumnSpec(spec->c_str(), listId);
}

int CListHost::GetListMargin(int which) const
{
    return which != 0 ? listMargin_[0] : listMargin_[1];
}

void CListHost::SetListMargins(int first, int second)
{
    listMargin_ = {static_cast<uint8_t>(first), static_cast<uint8_t>(second)};
}

// ---- column flags

uint16_t CListHost::GetColumnFlags(int column, uint16_t mask) const
{
    if (column < 0 || column >= kMaxFlaggedColumns)
        return 0;
    return columnFlags_[static_cast<size_t>(column)] & mask;
}

void CListHost::SetColumnFlags(int column, uint16_t value, uint16_t mask, int listId)
{
    if (column < 0 || column >= kMaxFlaggedColumns)
        return;
    const uint16_t old = columnFlags_[static_cast<size_t>(column)];
    uint16_t flags = static_cast<uint16_t>((old & ~mask) | (value & mask));
    if (column == 0)
        flags &= static_cast<uint16_t>(~kColumnHeaderImageRight);
    if ((flags & kColumnHeaderAlignMask) == 0)
        flags |= kColumnHeaderLeft;
    columnFlags_[static_cast<size_t>(column)] = flags;

    QTreeView* list = FindList(listId);
    if (list == nullptr || column >= CListControl(list).GetColumnCount())
        return;
    if ((flags ^ old) & kColumnHidden) {
        if (flags & kColumnHidden) {
            SetWidth(list, column, 0);
        } else {
            // A shown column gets back a width of its own first: the layout leaves columns of width 0 alone.
            const int titleWidth =
                QFontMetrics(list->header()->font()).horizontalAdvance(CListControl(list).GetColumnTitle(column)) +
                listMargin_[0] + listMargin_[1] + 4;
            SetWidth(list, column, std::max(list->header()->sectionSize(column), titleWidth));
            UpdateListLayout(listId);
        }
    }
    if ((flags ^ old) & kColumnHeaderImageRight)
        SetHeaderData(list, column, kHeaderImageRightRole, (flags & kColumnHeaderImageRight) != 0);
    SetHeaderAlignment(list, column, flags & kColumnHeaderAlignMask);
    list->viewport()->update();
}

void CListHost::SetHeaderAlignment(QTreeView* list, int column, int align) const
{
    SetHeaderData(list, column, Qt::TextAlignmentRole, static_cast<int>(HeaderAlignment(align)));
}

bool CListHost::IsColumnZeroWidth(int column) const
{
    return GetColumnFlags(column, kColumnZeroWidth) != 0;
}

void CListHost::SetColumnZeroWidth(int column, bool on)
{
    SetColumnFlags(column, on ? kColumnZeroWidth : 0, kColumnZeroWidth, kListControlId);
}

bool CListHost::IsColumnHidden(int column) const
{
    return GetColumnFlags(column, kColumnHidden) != 0;
}

void CListHost::SetColumnHidden(int column, bool on, int listId)
{
    SetColumnFlags(column, on ? kColumnHidden : 0, kColumnHidden, listId);
}

bool CListHost::IsColumnOwnerText(int column) const
{
    return GetColumnFlags(column, kColumnOwnerText) != 0;
}

void CListHost::SetColumnOwnerText(int column, bool on, int listId)
{
    SetColumnFlags(column, on ? kColumnOwnerText : 0, kColumnOwnerText, listId);
}

int CListHost::GetColumnHeaderAlign(int column) const
{
    return GetColumnFlags(column, kColumnHeaderAlignMask);
}

void CListHost::SetColumnHeaderAlign(int column, int value, int listId)
{
    SetColumnFlags(column, static_cast<uint16_t>(value), kColumnHeaderAlignMask, listId);
}

int CListHost::GetColumnTextAlign(int column) const
{
    return GetColumnFlags(column, kColumnTextAlignMask);
}

void CListHost::SetColumnTextAlign(int column, int value, int listId)
{
    SetColumnFlags(column, static_cast<uint16_t>(value), kColumnTextAlignMask, listId);
}

bool CListHost::IsColumnStretch(int column) const
{
    return GetColumnFlags(column, kColumnStretch) != 0;
}

void CListHost::SetColumnStretch(int column, bool on)
{
    SetColumnFlags(column, on ? kColumnStretch : 0, kColumnStretch, kListControlId);
}

void CListHost::SetRowColors(std::initializer_list<RowColorStyle> styles)
{
    SetRowColors(std::span<const RowColorStyle>(styles.begin(), styles.size()));
}

void CListHost::SetRowColors(std::span<const RowColorStyle> styles)
{
    int i = 0;
    for (const RowColorStyle& style : styles) {
        if (i >= kMaxRowStyles)
            break;
        rowColors_.styles[static_cast<size_t>(i++)] = style;
    }
    rowColors_.count = static_cast<uint8_t>(i);
}

// ---- images, check boxes

bool CListHost::HasSmallImages(int listId) const
{
    const QTreeView* list = FindList(listId);
    return list && list->property(kSmallImagesProperty).toBool();
}

void CListHost::SetSmallImages(int listId)
{
    QTreeView* list = FindList(listId);
    if (list == nullptr)
        return;
    AttachList(list);
    list->setProperty(kSmallImagesProperty, true);
    list->setIconSize(QSize(kSmallImageSize, kSmallImageSize));
    list->viewport()->update();
}

bool CListHost::HasSubItemImages(int listId) const
{
    const QTreeView* list = FindList(listId);
    return list && list->property(kSubItemImagesProperty).toBool();
}

bool CListHost::HasSubItemImage(const CListControl& list, int row, int column) const
{
    return column > 0 && list.Widget()->property(kSubItemImagesProperty).toBool() &&
           list.GetItemImage(row, column) >= 0;
}

void CListHost::EnableSubItemImages(int listId, bool on)
{
    QTreeView* list = FindList(listId);
    if (list == nullptr)
        return;
    AttachList(list);
    list->setProperty(kSubItemImagesProperty, on);
    list->viewport()->update();
}

int CListHost::GetRowImage(int row, int listId) const
{
    return GetItemImage(row, 0, listId);
}

bool CListHost::SetRowImage(int row, int image, int listId)
{
    return SetItemImage(row, 0, image, listId);
}

int CListHost::GetItemImage(int row, int column, int listId) const
{
    QTreeView* list = FindList(listId);
    return list ? CListControl(list).GetItemImage(row, column) : -1;
}

bool CListHost::SetItemImage(int row, int column, int image, int listId)
{
    QTreeView* list = FindList(listId);
    return list && CListControl(list).SetItemImage(row, column, image);
}

bool CListHost::HasCheckBoxes(int listId) const
{
    QTreeView* list = FindList(listId);
    return list && CListControl(list).HasCheckBoxes();
}

void CListHost::EnableCheckBoxes(int listId, bool on)
{
    if (CRecordSortProxy* proxy = ListProxy(listId))
        proxy->Records().SetCheckable(on);
    QTreeView* list = FindList(listId);
    if (list == nullptr)
        return;
    AttachList(list);
    CListControl(list).EnableCheckBoxes(on);
}

std::pair<int, int> CListHost::HitTestCursor(int listId) const
{
    QTreeView* list = FindList(listId);
    if (list == nullptr)
        return {-1, -1};
    const QPoint pos = list->viewport()->mapFromGlobal(QCursor::pos());
    const QModelIndex index = list->indexAt(pos);
    if (!index.isValid() || index.parent().isValid())
        return {-1, -1};
    return {index.row(), index.column()};
}

// ---- layout

int CListHost::MeasureText(const QFont& font, const QString& text) const
{
    // Whole pixels up: the drawing cuts a text that is a fraction wider than its room.
    return static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(text.left(kMaxCellText))));
}

void CListHost::UpdateListLayout(int listId, std::vector<int> columns)
{
    LayoutList(listId, std::move(columns), false);
}

void CListHost::LayoutList(int listId, std::vector<int> columns, bool laterStep)
{
    QTreeView* list = FindList(listId);
    if (list == nullptr)
        return;
    CListControl control(list);
    const int count = std::min(control.GetColumnCount(), kMaxFlaggedColumns);
    std::vector<LayoutColumn> layout(static_cast<size_t>(count));
    for (int c = 0; c < count; ++c) {
        layout[static_cast<size_t>(c)].flags = columnFlags_[static_cast<size_t>(c)];
        layout[static_cast<size_t>(c)].currentWidth = WidthOf(list, c);
    }
    const int margins = listMargin_[0] + listMargin_[1];
    // The rows a layout looks at: `layoutRowCount` of them from `layoutFirstRow`, or from the top row shown. They are
    // measured a step's share at a time: the first share at once, the rest on the next turns of the event loop, each
    // step laying the columns out with the rows measured so far.
    const int rowsPerStep = std::max(kLayoutCellsPerStep / std::max(count, 1), 1);
    CListMeasure& measured = CListMeasure::Of(*list);
    if (!laterStep) {
        int firstRow = layoutFirstRow_;
        if (firstRow < 0) {
            const QModelIndex top = list->indexAt(QPoint(1, 1));
            firstRow = top.isValid() ? top.row() : 0;
        }
        measured.Start(firstRow, std::min(control.GetItemCount(), firstRow + static_cast<int>(layoutRowCount_)),
                       columns);
    }
    for (int c = 0; c < count; ++c)
        layout[static_cast<size_t>(c)].asked = measured.Columns().empty();
    for (int c : measured.Columns()) {
        if (c >= 0 && c < count)
            layout[static_cast<size_t>(c)].asked = true;
    }
    // A text that comes again is measured once.
    const QFontMetricsF cellMetrics(list->font());
    QHash<QString, int> textWidths;
    const auto measure = [&](const QString& text) {
        const QString shown = text.left(kMaxCellText);
        auto it = textWidths.constFind(shown);
        if (it == textWidths.constEnd())
            it = textWidths.insert(shown, static_cast<int>(std::ceil(cellMetrics.horizontalAdvance(shown))));
        return *it;
    };
    measured.Measure(rowsPerStep, measure);
    if (measured.HasWaitingRows() && !measured.StepScheduled()) {
        measured.SetStepScheduled(true);
        // On a timer, not a posted call: the rows laid out so far are drawn, and the operator's input is taken, before
        // the next share.
        QTimer::singleShot(1, &measured, [this, listId, &measured] {
            measured.SetStepScheduled(false);
            LayoutList(listId, {}, true);
        });
    }
    const bool smallImages = HasSmallImages(listId);
    const bool checkBoxes = control.HasCheckBoxes();
    const bool subItemImages = HasSubItemImages(listId);
    for (int c = 0; c < count; ++c) {
        LayoutColumn& column = layout[static_cast<size_t>(c)];
        if (!TakesPartInLayout(column))
            continue;
        column.desiredWidth = HeaderLayoutWidth(MeasureText(list->header()->font(), control.GetColumnTitle(c)), margins,
                                                HeaderHasImage(list, c));
        const auto cellWidth = [&](int textWidth, bool subItemImage) {
            CellMeasure cell;
            cell.textWidth = textWidth;
            cell.margins = margins;
            cell.firstColumn = c == 0;
            cell.smallImages = smallImages;
            cell.checkBoxes = checkBoxes;
            cell.subItemImages = subItemImage;
            return CellLayoutWidth(cell);
        };
        // A list with sub-item images keeps the room of one in every cell of the other columns. A column whose owner
        // draws its cells is measured by its title only.
        const bool image = subItemImages && c > 0;
        if (!(column.flags & kColumnOwnerText) && measured.WidestText(c) >= 0)
            column.desiredWidth = std::max(column.desiredWidth, cellWidth(measured.WidestText(c), image));
    }
    // A vertical scroll bar that the rows bring, and that the list shows only once it has laid them out, takes its
    // room from the columns already.
    int clientWidth = list->viewport()->width();
    const int rowCount = control.GetItemCount();
    if (!list->verticalScrollBar()->isVisible() && list->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
        rowCount > 0 && rowCount * list->sizeHintForRow(0) > list->viewport()->height())
        clientWidth -= list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    const std::vector<int> widths = ComputeListLayout(layout, clientWidth, 0);
    for (int c = 0; c < count; ++c) {
        if (TakesPartInLayout(layout[static_cast<size_t>(c)]))
            SetWidth(list, c, widths[static_cast<size_t>(c)]);
    }
    // The scroll bars follow the new widths now, not a turn of the event loop later: a list wider than its window
    // shows that it scrolls as soon as it shows its columns.
    QMetaObject::invokeMethod(list, "updateGeometries", Qt::DirectConnection);
}

// ---- sorting

int CListHost::GetColumnMap(int column) const
{
    if (column < 0 || column >= kMaxFlaggedColumns)
        return kCompareItemData;
    return columnMap_[static_cast<size_t>(column)];
}

void CListHost::SetColumnMap(int column, int key)
{
    if (column < 0 || column >= kMaxFlaggedColumns)
        return;
    columnMap_[static_cast<size_t>(column)] =
        key < 0 || key >= kMaxFlaggedColumns ? kCompareItemData : static_cast<uint8_t>(key);
}

void CListHost::SortList(int column, int mode, int listId)
{
    QTreeView* list = FindList(listId);
    if (list == nullptr)
        return;
    CListControl control(list);
    for (int c = 0; c < control.GetColumnCount(); ++c)
        RemoveHeaderImage(list, c);
    const int direction = ApplySortRequest(sort_, column, mode);
    if (direction == kSortNone)
        return;
    SetSortMark(column, direction, listId);
    const uint32_t param =
        static_cast<uint32_t>(column & 0xFF) | (direction == kSortDescending ? kCompareDescending : 0);
    const auto compare = [this, param](uint32_t a, uint32_t b) { return SortCompare(a, b, param); };
    const CListHost* outerSort = std::exchange(g_sortingHost, this);
    OnSortBegins(listId);
    if (CRecordSortProxy* proxy = ListProxy(listId))
        proxy->Sort(compare);
    else
        control.SortItems(compare);
    OnSortEnded(listId);
    g_sortingHost = outerSort;
}

const CListHost* CListHost::SortingHost()
{
    return g_sortingHost;
}

void CListHost::SetSortMark(int column, int mode, int listId)
{
    QTreeView* list = FindList(listId);
    if (list == nullptr)
        return;
    const int count = CListControl(list).GetColumnCount();
    if (column < 0 || column >= count)
        return;
    if (noSort_ || (mode != kSortAscending && mode != kSortDescending)) {
        RemoveHeaderImage(list, column);
        return;
    }
    // The arrow goes to the right of the title.
    const QIcon arrow(SharedSmallImages().Get(mode == kSortAscending ? kImageSortAscending : kImageSortDescending));
    const int key = GetColumnMap(column);
    const int arrowColumn = key == column ? column : key;
    if (key != column)
        SetHeaderData(list, column, Qt::DecorationRole, QIcon(SharedSmallImages().Get(kImageSortedElsewhere)));
    if (arrowColumn < count) {
        SetHeaderData(list, arrowColumn, Qt::DecorationRole, arrow);
        SetHeaderData(list, arrowColumn, kHeaderImageRightRole, true);
    }
}

void CListHost::RemoveHeaderImage(QTreeView* list, int column) const
{
    SetHeaderData(list, column, Qt::DecorationRole, QIcon());
    SetHeaderData(list, column, kHeaderImageRightRole, (GetColumnFlags(column) & kColumnHeaderImageRight) != 0);
}

int CListHost::FindListText(int column, const QString& text, int listId, int startRow, bool prefix,
                            bool caseSensitive) const
{
    QTreeView* list = FindList(listId);
    if (list == nullptr)
        return -1;
    CListControl control(list);
    const int rows = control.GetItemCount();
    if (column < -1 || column >= control.GetColumnCount() || startRow < -1 || startRow >= rows)
        return -1;
    const int searched = column < 0 ? 0 : column;
    for (int row = startRow + 1; row < rows; ++row) {
        if (TextMatches(control.GetItemText(row, searched), text, prefix, caseSensitive))
            return row;
    }
    return -1;
}

// ---- host events

void CListHost::PrepareListsAtFirstShow()
{
    const uint16_t savedRowCount = layoutRowCount_;
    for (QTreeView* list : Lists()) {
        AttachList(list);
        // Grid lines and whole-row selection.
        list->setProperty(kGridLinesProperty, true);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setAllColumnsShowFocus(true);
        const int listId = ListIdOf(list);
        CListControl control(list);
        const int count = control.GetColumnCount();
        int sum = 0;
        for (int c = 0; c < count; ++c) {
            const int width = WidthOf(list, c);
            if (width <= 0) {
                SetWidth(list, c, 0);
                if (c < kMaxFlaggedColumns)
                    columnFlags_[static_cast<size_t>(c)] |= kColumnZeroWidth;
            } else {
                sum += width;
            }
        }
        const int client = list->viewport()->width();
        if (count > 0 && sum < client && !(GetColumnFlags(count - 1) & kColumnZeroWidth) &&
            WidthOf(list, count - 1) > 0)
            SetWidth(list, count - 1, WidthOf(list, count - 1) + client - sum);
        if (!list->property(kListNoSortHeaderProperty).toBool() && !noSort_) {
            SortList(sort_.column, sort_.direction, listId);
            SetSortMark(sort_.column, sort_.direction, listId);
        }
        if (layoutAtFirstShow_) {
            // Every row counts; those of a list of many rows are measured a share at a time after the list has shown.
            layoutRowCount_ = static_cast<uint16_t>(std::clamp(control.GetItemCount(), 0, 0xFFFF));
            UpdateListLayout(listId);
        }
        OnListSelChanged(control.GetNextSelected(-1), listId);
    }
    layoutRowCount_ = savedRowCount;
}

void CListHost::HandleListNotify(const NotifyHeader& header)
{
    auto* list = qobject_cast<QTreeView*>(header.control);
    if (list == nullptr || FindList(header.idFrom) != list)
        return;
    if (header.code == LVN_ITEMCHANGED) {
        const bool nowSelected = (header.newState & LVIS_SELECTED) && !(header.oldState & LVIS_SELECTED);
        const bool nowDeselected = (header.oldState & LVIS_SELECTED) && !(header.newState & LVIS_SELECTED);
        if (nowSelected)
            OnListSelChanged(CListControl(list).GetNextSelected(-1), header.idFrom);
        else if (nowDeselected)
            OnListSelChanged(-1, header.idFrom);
    } else if (header.code == LVN_COLUMNCLICK) {
        if (!noSort_)
            SortList(header.subItem, kSortToggle, header.idFrom);
    }
}

void CListHost::RelayoutFilledLists()
{
    for (QTreeView* list : Lists()) {
        if (CListControl(list).GetItemCount() > 0)
            UpdateListLayout(ListIdOf(list));
    }
}

// ---- drawing

int CListHost::RunIndex(const QTreeView& list, int row) const
{
    // The style moves on at every change of item data from the row above, counted from the top, so that a row's
    // colour does not depend on which rows are painted.
    CListControl control(const_cast<QTreeView*>(&list));
    int runs = 0;
    for (int r = 1; r <= row; ++r) {
        if (control.GetItemData(r) != control.GetItemData(r - 1))
            ++runs;
    }
    return runs;
}

void CListHost::PaintCell(QTreeView& list, int listId, QPainter& painter, const QRect& cellRect, int row, int column,
                          bool selected, bool focused, bool hot) const
{
    CListControl control(&list);
    const uint16_t flags =
        column < kMaxFlaggedColumns ? columnFlags_[static_cast<size_t>(column)] : kColumnDefaultFlags;
    RowColorCell cell;
    cell.row = row;
    cell.column = column;
    cell.image = control.GetItemImage(row, 0);
    cell.itemData = control.GetItemData(row);
    cell.state = (selected ? kCellSelected : 0) | (focused ? kCellFocused : 0) | (hot ? kCellHot : 0) |
                 (column == 0 && control.GetCheck(row) ? kCellChecked : 0);
    if (rowColors_.mode == kRowColorsByRuns)
        cell.runIndex = RunIndex(list, row);
    COLORREF text = 0x000000;
    COLORREF back = 0xFFFFFF;
    const int style = SelectRowStyle(rowColors_, cell);
    if (style >= 0) {
        text = rowColors_.styles[static_cast<size_t>(style)].textColor;
        back = rowColors_.styles[static_cast<size_t>(style)].backColor;
    }
    COLORREF back2 = back;
    const_cast<CListHost*>(this)->GetItemColors(row, column, &text, &back, &back2, listId);

    Dc dc(painter);
    painter.setFont(list.font());
    const DcRect rect{cellRect.left(), cellRect.top(), cellRect.right() + 1, cellRect.bottom() + 1};
    if (back == back2)
        dc.FillSolidRect(rect, back);
    else
        dc.GradientFillRect(rect, back, back2, true);

    int textLeft = rect.left;
    if (column == 0 && control.HasCheckBoxes()) {
        QStyleOptionButton box;
        box.rect = QRect(textLeft + 2, cellRect.top() + (cellRect.height() - 13) / 2, 13, 13);
        box.state = QStyle::State_Enabled | (control.GetCheck(row) ? QStyle::State_On : QStyle::State_Off);
        list.style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &painter, &list);
        textLeft += kImageSlot;
    }
    const bool image = column == 0 ? HasSmallImages(listId) : HasSubItemImage(control, row, column);
    if (image) {
        const QPixmap picture = SharedSmallImages().Get(control.GetItemImage(row, column));
        if (!picture.isNull())
            painter.drawPixmap(textLeft + 2, cellRect.top() + (cellRect.height() - kSmallImageSize) / 2, picture);
        textLeft += kImageSlot;
    }
    const QRect textRect(QPoint(textLeft + listMargin_[0], cellRect.top()),
                         QPoint(rect.right - 1 - listMargin_[1], cellRect.bottom()));
    if (flags & kColumnOwnerText) {
        painter.save();
        // What the owner draws stays in its cell, however narrow the column.
        painter.setClipRect(cellRect, Qt::IntersectClip);
        const_cast<CListHost*>(this)->DrawOwnerText(dc, textRect, row, column, text, listId);
        painter.restore();
    } else {
        QString value = control.GetItemText(row, column).left(kMaxCellText);
        if (!(flags & kColumnNoEllipsis))
            value = painter.fontMetrics().elidedText(value, Qt::ElideRight, std::max(textRect.width(), 0));
        painter.setPen(ToQColor(text));
        painter.drawText(textRect, static_cast<int>(TextAlignment(flags)) | Qt::TextSingleLine, value);
    }
    if (list.property(kGridLinesProperty).toBool()) {
        painter.setPen(ToQColor(kListGridColor));
        painter.drawLine(cellRect.bottomLeft(), cellRect.bottomRight());
        painter.drawLine(cellRect.topRight(), cellRect.bottomRight());
    }

    const ShapeRecord& mark = GetSelectedMarkShape();
    if (drawSelectionFrame_ && selected && mark.code != kShapeNone) {
        const int lastColumn = LastShownColumn(list);
        const QRect first = list.visualRect(list.model()->index(row, 0));
        const QRect last = list.visualRect(list.model()->index(row, std::max(lastColumn, 0)));
        DcRect frame{first.left(), cellRect.top(), std::max(last.right(), first.right()) + 1, cellRect.bottom() + 1};
        frame.left = std::min(frame.left, cellRect.left());
        const_cast<CListHost*>(this)->GetSelectionFrameRect(row, column, column == lastColumn, &frame, cell.state);
        if (frame.Width() > 1 && frame.Height() > 2) {
            painter.setClipping(false);
            DrawShape(ResolveShapeRecord(mark, frame.left, frame.top, frame.right - 1, frame.bottom - 1, 1), dc);
        }
    }
}
