#pragma once
// A geographic map: an id, a name, its bounds in degrees and its picture.

#include <cstdint>
#include <string>

struct CMapDef {
    static constexpr size_t kMaxNameLength = 63;
    static constexpr uint32_t kMaxId = 99999;

    uint32_t id = 0; // 0 = the world map
    std::string name;
    float west = 0.0F;
    float east = 0.0F;
    float north = 0.0F;
    float south = 0.0F;
    std::string imageFile;     // as configured; empty = no picture
    uintptr_t imageHandle = 0; // the loaded picture, owned and filled by the user interface

    // The picture's path in this system ("\" turned into "/", letter case resolved); empty without a picture.
    std::string GetImagePath() const;
};

// The world map's bounds; every map is limited to them.
inline constexpr float kWorldWest = -180.0F;
inline constexpr float kWorldEast = 180.0F;
inline constexpr float kWorldNorth = 90.0F;
inline constexpr float kWorldSouth = -90.0F;
