#pragma once
// The list machinery a dialog or view carries for every report list among its controls: columns from column specs,
// one flag word per column, the column map and sort state, header-click sorting, row colours, cell margins and the
// drawing of every cell, and the layout that sizes the columns. Lists are found by control id below the host window
// (1212 unless another id is given); an id that is not a list is ignored (getters answer -1 or 0).
//
// The host supplies the hooks (colours, selection frame, selection changes, the sort comparison); CADialog and the
// view base derive from this class, so that a dialog calls InitListColumnsById(kStrColumnsBackupFiles) as one of its
// own operations.
//
// A list is a QTreeWidget that holds its rows, or a model-backed list for many rows or live ones: a QTreeView in the
// form, given a CRecordTableModel of the host's rows with SetListModel (record_table_model.h). Both take the same
// columns, flags, header clicks and sort marks, row colours, images, item data, export and notifications; a
// model-backed list sorts through its proxy with the same comparison.

#include "core/list/column_spec.h"
#include "core/list/list_sort.h"
#include "platform/dc.h"
#include "ui/framework/lists/row_colors.h"

#include <QString>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <utility>
#include <vector>

class CListControl;
class CRecordSortProxy;
class CRecordTableModel;
class QFont;
class QTreeView;
class QWidget;
struct NotifyHeader;

inline constexpr int kListControlId = 1212;
// The "no sort header" style of a list, as a dynamic property of its widget.
inline constexpr char kListNoSortHeaderProperty[] = "noSortHeader";
// The colour of the grid lines between the cells of a list.
inline constexpr COLORREF kListGridColor = 0xD0D0D0;

class CListHost {
public:
    CListHost(QWidget& root);
    virtual ~CListHost();
    CListHost(const CListHost&) = delete;
    CListHost& operator=(const CListHost&) = delete;

    // Hooks.
    // The colours of one cell, as the row colour mode chose them; the second back colour makes a vertical gradient
    // when it differs from the first.
    virtual void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                               int listId);
    // The rectangle the selection mark is drawn on for a selected cell; the base keeps the row's rectangle for the
    // last column and empties it for the others, so that one mark frames the row.
    virtual void GetSelectionFrameRect(int row, int column, bool isLastColumn, DcRect* rect, uint32_t state);
    // The selection of a list changed; row -1 when nothing is selected.
    virtual void OnListSelChanged(int row, int listId);
    // Draws the content of a cell of a column its owner draws (the column spec's "`"), in the cell's text area; the
    // base draws nothing.
    virtual void DrawOwnerText(Dc& dc, const QRect& rect, int row, int column, COLORREF textColor, int listId);
    // The comparison a list sort uses for two rows' item data; `param` is the column, plus 0x8000 descending.
    virtual int SortCompare(uint32_t item1, uint32_t item2, uint32_t param);
    // A sort of the list begins, and has ended: between them the rows do not change, so that a host may make each
    // row's sort value once for it.
    virtual void OnSortBegins(int /*listId*/) {}
    virtual void OnSortEnded(int /*listId*/) {}

    // The list control with the id, null when the id names no list.
    QTreeView* FindList(int listId) const;
    // Makes the list with the id model-backed: it shows the rows of `records` through a sort and filter proxy that the
    // list owns. Done in the host's constructor, before the controls are bound; null when the id names no QTreeView
    // list (a QTreeWidget keeps its own rows).
    CRecordSortProxy* SetListModel(CRecordTableModel& records, int listId = kListControlId);
    // The proxy of a model-backed list; null for a widget list.
    CRecordSortProxy* ListProxy(int listId = kListControlId) const;
    // Every list among the host's controls, in window order.
    std::vector<QTreeView*> Lists() const;

    // Columns.
    void ParseColumnSpec(const char* spec, int listId = kListControlId);
    void InitListColumns(const char* spec, int listId = kListControlId);
    void InitListColumnsById(uint32_t stringId, int listId = kListControlId);

    // Cell margins: the first for a non-zero selector, the second for zero.
    int GetListMargin(int which) const;
    void SetListMargins(int first, int second);

    // Column flags (column_spec.h); columns 32 and above have none.
    uint16_t GetColumnFlags(int column, uint16_t mask = 0xFFFF) const;
    void SetColumnFlags(int column, uint16_t value, uint16_t mask, int listId = kListControlId);
    bool IsColumnZeroWidth(int column) const;
    void SetColumnZeroWidth(int column, bool on);
    bool IsColumnHidden(int column) const;
    void SetColumnHidden(int column, bool on, int listId = kListControlId);
    bool IsColumnOwnerText(int column) const;
    void SetColumnOwnerText(int column, bool on, int listId = kListControlId);
    int GetColumnHeaderAlign(int column) const;
    void SetColumnHeaderAlign(int column, int value, int listId = kListControlId);
    int GetColumnTextAlign(int column) const;
    void SetColumnTextAlign(int column, int value, int listId = kListControlId);
    bool IsColumnStretch(int column) const;
    void SetColumnStretch(int column, bool on);

    // Row colours.
    int GetRowColorMode() const { return rowColors_.mode; }
    void SetRowColorMode(int mode) { rowColors_.mode = static_cast<uint8_t>(mode); }
    int GetRowColorCount() const { return rowColors_.count; }
    // Up to 32 styles; the count in use becomes their number.
    void SetRowColors(std::initializer_list<RowColorStyle> styles);
    void SetRowColors(std::span<const RowColorStyle> styles);
    const RowColorTable& GetRowColorTable() const { return rowColors_; }

    uint8_t GetCellStyleA() const { return cellStyle_[0]; }
    uint8_t GetCellStyleB() const { return cellStyle_[1]; }
    uint8_t GetCellStyleC() const { return cellStyle_[2]; }
    void SetCellStyle(uint8_t a, uint8_t b, uint8_t c) { cellStyle_ = {a, b, c}; }
    bool GetDrawSelectionFrame() const { return drawSelectionFrame_; }
    void SetDrawSelectionFrame(bool on) { drawSelectionFrame_ = on; }

    // Images and check boxes of a list.
    bool HasSmallImages(int listId = kListControlId) const;
    void SetSmallImages(int listId = kListControlId);
    bool HasSubItemImages(int listId = kListControlId) const;
    void EnableSubItemImages(int listId = kListControlId, bool on = true);
    int GetRowImage(int row, int listId = kListControlId) const;
    bool SetRowImage(int row, int image, int listId = kListControlId);
    int GetItemImage(int row, int column, int listId = kListControlId) const;
    bool SetItemImage(int row, int column, int image, int listId = kListControlId);
    bool HasCheckBoxes(int listId = kListControlId) const;
    void EnableCheckBoxes(int listId = kListControlId, bool on = true);
    // (row, column) under the mouse cursor, (-1, -1) when none.
    std::pair<int, int> HitTestCursor(int listId = kListControlId) const;

    // Layout.
    bool GetLayoutAtFirstShow() const { return layoutAtFirstShow_; }
    void SetLayoutAtFirstShow(bool on) { layoutAtFirstShow_ = on; }
    int GetLayoutFirstRow() const { return layoutFirstRow_; }
    void SetLayoutFirstRow(int row) { layoutFirstRow_ = row; }
    int GetLayoutRowCount() const { return layoutRowCount_; }
    void SetLayoutRowCount(int count) { layoutRowCount_ = static_cast<uint16_t>(count); }
    // Sizes the given columns of a list (every column when none is given) to their titles and to the widest text among
    // the rows the layout names (`layoutRowCount` rows from `layoutFirstRow`, or from the top row shown), never below
    // them to fit the window: a wider list scrolls.
    void UpdateListLayout(int listId = kListControlId, std::vector<int> columns = {});

    // Sorting.
    bool GetNoSort() const { return noSort_; }
    void SetNoSort(bool on) { noSort_ = on; }
    int GetSortColumn() const { return sort_.column; }
    void SetSortColumn(int column) { sort_.column = static_cast<uint8_t>(column); }
    int GetSortDirection() const { return sort_.direction; }
    void SetSortDirection(int direction) { sort_.direction = static_cast<uint8_t>(direction); }
    // The compare key of a column (255: the item data); 255 for columns 32 and above.
    int GetColumnMap(int column) const;
    // A key of 32 or more is stored as 255.
    void SetColumnMap(int column, int key);
    void SortList(int column, int mode, int listId = kListControlId);
    // The host whose SortList is sorting one of its lists now; null outside a sort.
    static const CListHost* SortingHost();
    void SetSortMark(int column, int mode, int listId = kListControlId);
    // The first row after `startRow` (-1: from the top) whose text in the column matches; column -1 searches the
    // rows' first column. -1 when none matches or the column or start row is out of range.
    int FindListText(int column, const QString& text, int listId = kListControlId, int startRow = -1,
                     bool prefix = false, bool caseSensitive = false) const;

    // For the host: the list part of its first show (zero-width columns, the first sort, the layout, the first
    // selection), its notification handling (selection, header clicks) and the Refresh button.
    void PrepareListsAtFirstShow();
    void HandleListNotify(const NotifyHeader& header);
    void RelayoutFilledLists();
    // Gives a list the host's cell drawing; done by the column and image operations and at first show.
    void AttachList(QTreeView* list);
    // The id of a list of the host, 0 for another widget.
    int ListIdOf(const QTreeView* list) const;

    // Draws one cell the way the host's lists draw them (the list's delegate calls it).
    void PaintCell(QTreeView& list, int listId, QPainter& painter, const QRect& cellRect, int row, int column,
                   bool selected, bool focused, bool hot) const;

protected:
    QWidget& ListRoot() const { return root_; }

private:
    void SetHeaderAlignment(QTreeView* list, int column, int align) const;
    // Takes the image off a column's header; where it would go again follows the column's flag.
    void RemoveHeaderImage(QTreeView* list, int column) const;
    int MeasureText(const QFont& font, const QString& text) const;
    // The layout of UpdateListLayout; a later step measures no rows of its own, only those that still wait.
    void LayoutList(int listId, std::vector<int> columns, bool laterStep);
    // A cell other than column 0 draws an image (and its text after it) when the list has sub-item images and the
    // cell an image of its own.
    bool HasSubItemImage(const CListControl& list, int row, int column) const;
    int RunIndex(const QTreeView& list, int row) const;

    QWidget& root_;
    std::array<uint8_t, 2> listMargin_{4, 4};
    std::array<uint16_t, kMaxFlaggedColumns> columnFlags_{};
    RowColorTable rowColors_;
    std::array<uint8_t, 3> cellStyle_{0x81, 0, 0x20};
    bool drawSelectionFrame_ = true;
    bool layoutAtFirstShow_ = true;
    int layoutFirstRow_ = -1;
    uint16_t layoutRowCount_ = 40;
    bool noSort_ = false;
    SortState sort_;
    std::array<uint8_t, kMaxFlaggedColumns> columnMap_{};
};
