// Data files of any shape go through the record counter that append mode runs over an existing export file: the
// count never exceeds the lines of the file, and reading the file in pieces gives the count of reading it whole.
#include "core/export/export_file.h"
#include "fuzz/fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const size_t whole = CountExportRecords(text);
    const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    FuzzCheck(whole <= lines);

    const size_t piece = size == 0 ? 1 : 1 + data[0] % 17;
    ExportRecordCounter counter;
    for (size_t at = 0; at < size; at += piece)
        counter.Feed(text.substr(at, piece));
    FuzzCheck(counter.Finish() == whole);
    return 0;
}
