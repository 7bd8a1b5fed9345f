#include "ui/shell/map/map_pictures.h"

#include "core/config/app_settings.h"
#include "core/map/map_list.h"
#include "ui/framework/skin/ie_picture.h"

#include <QString>

#include <map>

namespace {

std::map<uintptr_t, QImage>& Kept()
{
    static std::map<uintptr_t, QImage> pictures;
    return pictures;
}

QImage ReadPicture(const CMapDef& map)
{
    const std::string path = map.GetImagePath();
    if (path.empty())
        return {};
    CIEPicture picture;
    if (picture.LoadFromFile(QString::fromStdString(path)) == 0)
        return {};
    return picture.GetImage();
}

void Preload(CMapDef& map, uintptr_t& nextHandle)
{
    QImage picture = ReadPicture(map);
    if (picture.isNull()) {
        map.imageHandle = 0;
        return;
    }
    map.imageHandle = nextHandle++;
    Kept()[map.imageHandle] = std::move(picture);
}

} // namespace

void PreloadMapPictures(CMapList& maps)
{
    ReleaseMapPictures(maps);
    uintptr_t nextHandle = 1;
    Preload(maps.GetWorldMap(), nextHandle);
    for (size_t i = 0; i < maps.GetMapCount(); ++i)
        Preload(*maps.GetMapAt(i), nextHandle);
}

void ReleaseMapPictures(CMapList& maps)
{
    Kept().clear();
    maps.GetWorldMap().imageHandle = 0;
    for (size_t i = 0; i < maps.GetMapCount(); ++i)
        maps.GetMapAt(i)->imageHandle = 0;
}

QImage MapPicture(const CMapDef& map)
{
    if (map.imageHandle != 0) {
        const auto kept = Kept().find(map.imageHandle);
        if (kept != Kept().end())
            return kept->second;
    }
    // With the pictures kept, a map without one has none: its file was read, and reported, when the list was loaded.
    if (AppSettings().mapPreload)
        return {};
    return ReadPicture(map);
}
