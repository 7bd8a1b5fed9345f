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

// The rows of a list whose cells the layout has not measured since they came or changed, as runs of row numbers that
// follow the rows put in and taken out before them. A column never narrows, so the widest cell of the rows measured
// before stays its width: a layout measures these rows alone, and a list of many rows a share of them at a time.
class CPendingRows {
public:
    // Rows put in at `first`: they wait, and the waiting rows from `first` on move down by `count`.
    void Inserted(int first, int count);
    // Rows taken out at `first`: they no longer wait, and the waiting rows after them move up by `count`.
    void Removed(int first, int count);
    // Rows [first, last] changed their texts.
    void Changed(int first, int last);
    // Every one of `rowCount` rows waits (rows moved where the runs cannot follow them, or new columns).
    void All(int rowCount);
    // Rows [first, last) were measured.
    void Measured(int first, int last);
    bool Empty() const { return runs_.empty(); }
    int Count() const;
    // Takes up to `budget` waiting rows from the top, as runs [begin, end).
    std::vector<std::pair<int, int>> Take(int budget);

private:
    void Add(int begin, int end);
    std::vector<std::pair<int, int>> runs_; // [begin, end), ordered, apart
};
