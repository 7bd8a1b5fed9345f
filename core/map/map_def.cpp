#include "core/map/map_def.h"

#include "core/ini/file_path.h"

std::string CMapDef::GetImagePath() const
{
    if (imageFile.empty())
        return {};
    return ResolveFilePath(NormalizeConfigPath(imageFile));
}
