#pragma once
// The export files of a list: the delimited data file and the ".ini" header file that describes it. Window-free.
//
// Data file: an optional title line, an optional field-name line ("SEQ" and the column titles), then one line per
// row: the row number from 1 and the cells. Every name and cell is in double quotes, a double quote inside it doubled,
// so that spreadsheet programs read the file back cell for cell. Append mode adds rows to an existing file.
//
// Header file: section EXPORTINFO with the information keys (TITLE, SERVERIP, ..., USER), section HEADER with FIELDCNT
// (written columns + 1), RECORDCNT (the rows of this export, appended or not), DELIMITER, FILED0 "SEQ"
// and FIELD1..FIELDn the written columns' titles, numbered without gaps. It is replaced whole, never left
// half-written.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct ExportInfoItem {
    std::string key;
    std::string value;
};

// What is exported: every column of the list with whether it is written, and the cells of every row.
struct ExportTable {
    std::vector<std::string> titles;
    std::vector<bool> written; // per column; a missing entry counts as written
    std::vector<std::vector<std::string>> rows;
};

struct ExportRequest {
    std::string dataPath;
    std::string headerPath;
    std::string title;
    char delimiter = '\t';
    bool append = false;
    bool writeTitle = true;
    std::vector<ExportInfoItem> info; // the EXPORTINFO keys, in order
};

enum class ExportStatus {
    Written,
    DataFileFailed,   // the data file could not be opened or written; the header file is untouched
    HeaderFileFailed, // the header file cannot be written: nothing is written (when that shows only after the data
                      // file is written, the data file stays and an old header is kept whole)
};

struct ExportOutcome {
    ExportStatus status = ExportStatus::Written;
    size_t recordCount = 0; // the RECORDCNT written
    size_t fieldCount = 0;  // the FIELDCNT written
    std::string error;      // why not, naming the file
};

// Checks that the header file can be written, then writes the data file, then the header file.
ExportOutcome WriteExportFiles(const ExportRequest& request, const ExportTable& table);

// The field in double quotes with every double quote inside doubled.
std::string QuoteExportField(std::string_view text);

