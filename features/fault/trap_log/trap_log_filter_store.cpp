#include "features/fault/trap_log/trap_log_filter_store.h"

#include "core/config/app_settings.h"
#include "ui/shell/app/config_file_path.h"

uint32_t GetTrapLogFilter(uint32_t* locationId, uint32_t* neId, uint32_t* entityId, uint32_t* mask)
{
    const TrapLogFilter& filter = AppSettings().trapLogFilter;
    if (locationId != nullptr)
        *locationId = filter.locationId;
    if (neId != nullptr)
        *neId = filter.neId;
    if (entityId != nullptr)
        *entityId = filter.entityId;
    if (mask != nullptr)
        *mask = filter.severityMask;
    return 1;
}

void SetTrapLogFilter(uint32_t locationId, uint32_t neId, uint32_t entityId, uint32_t mask)
{
    AppSettings().trapLogFilter = TrapLogFilter{locationId, neId, entityId, mask};
}

bool SaveTrapLogFilter(std::string* error)
{
    return AppSettings().SaveSettingsSection(CurrentConfigFilePath(), "ALARM", error);
}
