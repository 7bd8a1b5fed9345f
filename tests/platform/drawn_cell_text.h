#pragma once
// The text of a table view's cell as the view draws it: in the cell less its grid line, within the item's text
// margins, elided where it does not fit. A cell shown whole gives its whole text back.

#include <QStyle>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <QTableView>

#include <utility>

class CDrawnCellText : public QStyledItemDelegate {
public:
    static QString Of(const QTableView& view, const QModelIndex& index) { return Drawn(view, index).first; }

    // The cells of the view drawn other than their whole text, as "row,column: drawn / whole".
    static QStringList Cut(const QTableView& view)
    {
        QStringList cut;
        const QAbstractItemModel& model = *view.model();
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < model.columnCount(); ++column) {
                const auto [drawn, whole] = Drawn(view, model.index(row, column));
                if (drawn != whole)
                    cut.push_back(QStringLiteral("%1,%2: %3 / %4").arg(row).arg(column).arg(drawn, whole));
            }
        return cut;
    }

private:
    // The text drawn, and the whole text the delegate would draw.
    static std::pair<QString, QString> Drawn(const QTableView& view, const QModelIndex& index)
    {
        CDrawnCellText delegate;
        QStyleOptionViewItem option;
        option.initFrom(&view);
        option.font = view.font();
        option.fontMetrics = QFontMetrics(option.font);
        option.textElideMode = view.textElideMode();
        option.rect = view.visualRect(index); // the cell less its grid line
        delegate.initStyleOption(&option, index);
        QStyle* style = view.style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &option, &view);
        return {option.fontMetrics.elidedText(option.text, option.textElideMode, text.width() - 2 * margin),
                option.text};
    }
};
