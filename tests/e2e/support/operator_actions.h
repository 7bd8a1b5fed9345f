#pragma once
// The operator's hands on a dialog: clicks, typing, choices and ticks made with the mouse and keys as a person makes
// them, so that the dialog gets the signals (and the command codes) it gets from one; and what the operator reads
// back. A control id the dialog lacks fails the test (the dialog's lookup reports it), and so does a control of
// another kind than the action takes, naming the dialog and the id.
//
//     person.OnDialog<CLocationDlg>([&](CLocationDlg& dialog) {
//         Type(dialog, CLocationDlg::kNameId, "Depot");
//         Choose(dialog, CLocationDlg::kSuperiorComboId, "South");
//         Click(dialog, IDOK);
//         EXPECT_EQ(MessageLine(dialog), "Data exists");
//         return IDCANCEL;
//     });

#include <QString>
#include <QStringList>
#include <QStyle>

#include <ostream>
#include <vector>

class CADialog;
class CDialog;
class QDialog;
class QTreeView;
class QWidget;

namespace e2e {

// Clicks a button as with the mouse (pressed, released, clicked); a disabled button takes no click.
void Click(CDialog& dialog, int id);
// Replaces what an edit (a line or text edit, a spin box, an editable combo) holds by `text`, typed key by key after
// selecting what was there: the edit's length limit and validator apply as they do to a person. An IP address control
// takes each number of a dotted text into its field. An edit that takes
// no typing (disabled, read-only, hidden) fails the test.
void Type(CDialog& dialog, int id, const QString& text);
// Chooses the entry of a combo box that shows `text` with the keys, as a person picks it from the list: the dialog
// gets CBN_SELCHANGE when the choice changes. False (and a failure) when the combo offers no such entry.
bool Choose(CDialog& dialog, int id, const QString& text);
// Ticks (or clears) a check box, or picks a radio button, by clicking it when it is not so already.
void Check(CDialog& dialog, int id, bool on = true);
bool IsChecked(CDialog& dialog, int id);
// What a control shows: an edit's text, a combo's chosen entry, a label's or a button's text, an IP address control's
// dotted address (empty when blank).
QString Field(CDialog& dialog, int id);
// A combo box's entries, joined by commas.
QString ComboTexts(CDialog& dialog, int id);
// The text of the dialog's message line.
QString MessageLine(const CADialog& dialog);
// Whether the operator sees the whole of a shown widget: neither its parents' edges nor a sibling above it cover any
// of it.
bool ShowsWhole(const QWidget& widget);

// Clicks the item of a tree control that shows `text` (the first in tree order), as with the mouse; false when it
// has none, or the item did not become the current one.
bool ClickTreeItem(CDialog& dialog, int id, const QString& text);

// The texts of a list's column, every row in the list's order (CProgram::ShownColumn: the rows in view).
QStringList ListColumn(const QTreeView& list, int column);
// The same of the dialog's list.
QStringList ListColumn(CADialog& dialog, int column);
// The titles of a list's columns, hidden ones included, in the list's column order.
QStringList ListTitles(const QTreeView& list);
// The first row whose cell in `column` shows `text`; -1 for none.
int RowOf(const QTreeView& list, int column, const QString& text);
// The picture index a cell of a list shows (its image role), -1 for none; SharedSmallImages() holds the picture.
int CellImage(const QTreeView& list, int row, int column = 0);
// Ticks the check boxes of the rows whose first column (or the column given) shows one of `texts` and clears the
// others, each that changes as a person does: a click on its row, and the space bar where the click alone does not
// tick it.
void TickRows(QTreeView& list, const QStringList& texts, int column = 0);
// The same for the rows at the positions given.
void TickRowsAt(QTreeView& list, const std::vector<int>& rows);

// Whether the program's message box shows the style's icon `which` (information, warning ...) in its icon area.
bool BoxShowsIcon(QDialog& box, QStyle::StandardPixmap which);

} // namespace e2e

// Test output shows a QString as its text.
void PrintTo(const QString& text, std::ostream* out);
