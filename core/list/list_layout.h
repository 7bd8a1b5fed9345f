#pragma once
// The arithmetic of the list layout: which columns are sized, the width each wants, and how the spare width of the
// list goes to its stretch columns. Window-free; the list services measure the texts and apply the result.

#include <cstdint>
#include <utility>
#include <vector>

struct LayoutColumn {
    uint16_t flags = 0;   // the column's flag word (column_spec.h)
    int currentWidth = 0; // the width it has now
    int desiredWidth = 0; // what its title and cells need (only read for columns that take part)
    bool asked = false;   // named by the caller (or all columns were asked for)
};

// Whether a column is sized: never a hidden or zero-width one; a stretch column always; another one when it was asked
// for and has a width above 0.
bool TakesPartInLayout(const LayoutColumn& column);

// The new widths of all columns. Columns that take part get their desired width; when stretch columns of non-zero width
// take part and the total (plus `frameExtra`, 2 for a list with a static edge and no border) is below the client width,
// the difference is shared evenly among them and the last of them also gets the remainder. A total above the client
// width takes nothing from any column: the list scrolls sideways. Other columns keep their width, hidden ones 0.
std::vector<int> ComputeListLayout(const std::vector<LayoutColumn>& columns, int clientWidth, int frameExtra);

// The width a cell needs in the layout: its text plus both margins, plus the room for images, check boxes and indent
// on column 0, or for a sub-item image in a cell of another column of a list that draws them.
struct CellMeasure {
    int textWidth = 0;
    int margins = 0; // both cell margins together
    bool firstColumn = false;
    bool smallImages = false;
    bool checkBoxes = false;
    int indent = 0;
    bool subItemImages = false; // the list draws sub-item images
};
int CellLayoutWidth(const CellMeasure& cell);
// The width a header title needs: text plus both margins plus 4, plus 28 when the header shows an image.
int HeaderLayoutWidth(int textWidth, int margins, bool hasImage);

// The rows one layout measures: the rows it names, [first, end), measured from the first a share at a time, so that a
// layout of many rows (every row at a list's first show) does not hold the window. Rows put in or taken out while the
// measure goes on move the rows it names with them; a measured row that changes is measured again. When measured rows
// go, or the rows are put in another order, what was measured no longer holds and the measure starts again.
class CLayoutRows {
public:
    // A layout of rows [first, end) begins; what an earlier one had left to measure is dropped.
    void Start(int first, int end);
    bool Done() const { return next_ >= end_; }
    // The next rows to measure, up to `budget` of them, as [begin, end).
    std::pair<int, int> Take(int budget);
    // Rows put in at `first`.
    void Inserted(int first, int count);
    // Rows taken out at `first`; true when measured rows went and the measure starts again.
    bool Removed(int first, int count);
    // Rows [first, last] changed their texts.
    void Changed(int first, int last);
    // The rows were put in another order or made anew, `rowCount` of them: the measure starts again.
    void Restart(int rowCount);

private:
    int first_ = 0;
    int next_ = 0;
    int end_ = 0;
};
