#include "ui/shell/app/app_configuration.h"

#include "core/entity/entity_model_loader.h"
#include "core/ini/file_path.h"
#include "core/shape/shape_parser.h"
#include "link/server_message_dispatcher.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/shapes/shape_pictures.h"
#include "ui/shell/app/app_tables.h"
#include "ui/shell/map/map_pictures.h"

#include <QtGlobal>

#include <fstream>
#include <utility>

namespace {

std::string DefinitionPath(const std::string& configuredName)
{
    return ResolveFilePath(PathInWorkingDirectory(configuredName));
}

bool CanOpen(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return file.is_open();
}

} // namespace

DefinitionFilePaths GetDefinitionFilePaths(const CAppSettings& settings)
{
    return {DefinitionPath(settings.infoDefFile), DefinitionPath(settings.alarmDefFile),
            DefinitionPath(settings.skinDefFile), DefinitionPath(settings.mapDefFile)};
}

DefinitionLoad LoadDefinitionFiles(const DefinitionFilePaths& paths)
{
    DefinitionLoad load;
    for (const std::string* path : {&paths.info, &paths.alarm, &paths.skin, &paths.map}) {
        if (!CanOpen(*path)) {
            load.missingFile = *path;
            return load;
        }
    }
    EntityModelLoadResult models = LoadEntityModelSet(paths.info, paths.alarm, paths.skin);
    if (!models.models) {
        // Gone between the check and the load.
        load.missingFile = models.failedFile.empty() ? paths.info : models.failedFile;
        return load;
    }
    load.models = std::move(models.models);
    load.diagnostics = std::move(models.diagnostics);
    std::string error;
    if (!load.maps.LoadMapList(paths.map, &load.diagnostics, &error)) {
        load.models.reset();
        load.missingFile = paths.map;
    }
    return load;
}

void InstallDefinitions(DefinitionLoad& load)
{
    if (!load.models)
        return;
    // The pictures are read before the models are shared, outside the lock.
    LoadImageList(*load.models);
    const bool locked = LockDispatch(kTableLockWaitMs);
    if (!locked)
        qWarning("entity models replaced without the dispatch lock: it stayed taken");
    ReplaceEntityModels(std::move(load.models));
    CurrentMapList() = std::move(load.maps);
    if (locked)
        UnlockDispatch();
    if (AppSettings().mapPreload)
        PreloadMapPictures(CurrentMapList());
    // The lists frame their selected rows with the skin's selection mark; the loader has checked it is an "RL" shape.
    ShapeRecord mark;
    if (ParseShape(CurrentEntityModels().GetSelectedMark(), mark) == 0)
        SetSelectedMarkShape(mark);
}
