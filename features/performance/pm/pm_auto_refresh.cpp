#include "features/performance/pm/pm_auto_refresh.h"

#include "core/config/ini_readers.h"
#include "ui/shell/app/config_file_path.h"

int DialogRefreshPeriodMs()
{
    return static_cast<int>(ReadIniIntInRange("DIALOG", "DIALOGREFRESHTIME", 2, CurrentConfigFilePath(), 1, 60, true)) *
           1000;
}

void CPmAutoRefresh::Start()
{
    due_ = clock_();
    AddMsToTimeRec(&due_, periodMs_);
}

int CPmAutoRefresh::Rearm()
{
    const TimeRec now = clock_();
    const int64_t late = TimeRecDiffMs(&due_, &now);
    if (late >= 0 && late <= periodMs_) {
        AddMsToTimeRec(&due_, periodMs_);
        return periodMs_ - static_cast<int>(late);
    }
    due_ = now;
    AddMsToTimeRec(&due_, periodMs_);
    return periodMs_;
}
