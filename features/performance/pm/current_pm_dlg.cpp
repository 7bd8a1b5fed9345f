#include "features/performance/pm/current_pm_dlg.h"

QString PmIntervalName(int interval)
{
    return LoadQString(kStrPmIntervalNames).split('|').value(interval);
}
