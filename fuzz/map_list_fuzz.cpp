// The map definition file of any content: it always loads (bad entries dropped), every map it keeps is one the map
// view can draw, saving the list and loading it again keeps every map, and a second save changes nothing. The file's
// text is read and edited in memory, so that a run costs no file system work.
#include "core/ini/ini_file.h"
#include "core/ini/ini_writer.h"
#include "core/map/map_list.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "map_list_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

void CheckDrawable(const CMapList& list)
{
    std::set<uint32_t> ids;
    for (size_t i = 0; i < list.GetMapCount(); ++i) {
        const CMapDef& map = *list.GetMapAt(i);
        Check(map.id >= 1 && map.id <= CMapDef::kMaxId && ids.insert(map.id).second);
        Check(!map.name.empty() && map.name.size() <= CMapDef::kMaxNameLength);
        Check(map.east > map.west && map.north > map.south);
        Check(map.west >= kWorldWest && map.east <= kWorldEast && map.south >= kWorldSouth && map.north <= kWorldNorth);
        Check(&list.FindMapDef(map.id) == &map);
    }
    Check(list.FindMapDef(0).id == 0);
}

// The maps a save keeps: every map under its id and name. (Writing turns a line break inside a picture's name
// into a blank, as every INI value is written.)
bool SameMaps(const CMapList& a, const CMapList& b)
{
    if (a.GetMapCount() != b.GetMapCount())
        return false;
    for (size_t i = 0; i < a.GetMapCount(); ++i) {
        if (a.GetMapAt(i)->id != b.GetMapAt(i)->id || a.GetMapAt(i)->name != b.GetMapAt(i)->name)
            return false;
    }
    return true;
}

// A list that was saved once is saved the same again.
bool IdenticalMaps(const CMapList& a, const CMapList& b)
{
    if (!SameMaps(a, b))
        return false;
    for (size_t i = 0; i < a.GetMapCount(); ++i) {
        const CMapDef& x = *a.GetMapAt(i);
        const CMapDef& y = *b.GetMapAt(i);
        if (x.west != y.west || x.east != y.east || x.north != y.north || x.south != y.south ||
            x.imageFile != y.imageFile)
            return false;
    }
    return a.GetWorldMap().name == b.GetWorldMap().name && a.GetWorldMap().imageFile == b.GetWorldMap().imageFile;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The file's text is read and written in memory, as the file functions read and write it.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const CIniFile file = CIniFile::Parse(text);
    CMapList loaded;
    std::vector<std::string> diagnostics;
    loaded.ReadMapList(file, "Map.dat", &diagnostics);
    CheckDrawable(loaded);

    const std::string savedOnce = EditedIniText(text, loaded.MapListEdits(&file));
    const CIniFile fileOnce = CIniFile::Parse(savedOnce);
    CMapList once;
    once.ReadMapList(fileOnce, "Map.dat");
    CheckDrawable(once);
    Check(SameMaps(loaded, once));

    const CIniFile fileTwice = CIniFile::Parse(EditedIniText(savedOnce, once.MapListEdits(&fileOnce)));
    CMapList twice;
    twice.ReadMapList(fileTwice, "Map.dat");
    Check(IdenticalMaps(once, twice));
    return 0;
}
