#include "ui/shell/app/config_file_path.h"

#include "core/config/app_settings.h"
#include "core/ini/file_path.h"
#include "ui/shell/app/ems_app.h"

std::string CurrentConfigFilePath()
{
    const CEmsApp* app = GetEmsApp();
    if (app != nullptr && !app->GetConfigPath().empty())
        return app->GetConfigPath();
    return ResolveFilePath(ConfigFilePath());
}
