#pragma once
// The map list of the map definition file, and the built-in world map kept apart from it.

#include "core/ini/ini_file.h"
#include "core/ini/ini_writer.h"
#include "core/map/map_def.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CMapList {
public:
    static constexpr size_t kMaxMaps = 1000;

    CMapList();

    // Reads [MAP] COUNT, MAP1..MAPn, WORLDNAME and WORLDIMAGE. A bad entry is dropped and reported in *diagnostics
    // as "<file>:<line>: [MAP] <key>: <reason>". False (list unchanged, *error naming the file) only when the file
    // cannot be opened.
    bool LoadMapList(const std::string& path, std::vector<std::string>* diagnostics = nullptr,
                     std::string* error = nullptr);
    // The same from the file's text, read already; `path` names it in the diagnostics.
    void ReadMapList(const CIniFile& ini, const std::string& path, std::vector<std::string>* diagnostics = nullptr);
    // Writes COUNT and MAP1..MAPn of the list, removes the MAP keys above n and keeps every other line. Bounds are
    // limited to the world map. False (file untouched, *error set) when it cannot be written.
    bool SaveMapList(const std::string& path, std::string* error = nullptr) const;
    // The edits that SaveMapList makes to a file whose text was `old` (null: no file yet).
    std::vector<IniEdit> MapListEdits(const CIniFile* old) const;

    size_t GetMapCount() const { return maps_.size(); }
    // Resizes the list; new entries are empty.
    void SetMapCount(size_t count);
    CMapDef* GetMapAt(size_t i);
    const CMapDef* GetMapAt(size_t i) const;

    // The map of an id; the world map for 0 or an unknown id.
    const CMapDef& FindMapDef(uint32_t id) const;
    CMapDef& FindMapDef(uint32_t id);
    const CMapDef& GetWorldMap() const { return world_; }
    CMapDef& GetWorldMap() { return world_; }

private:
    std::vector<CMapDef> maps_;
    CMapDef world_;
};

// The program's map list.
CMapList& CurrentMapList();
