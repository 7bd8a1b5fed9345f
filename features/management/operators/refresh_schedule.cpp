#include "features/management/operators/refresh_schedule.h"

RefreshStep NextRefresh(int64_t nowMs, int64_t dueMs, int64_t periodMs)
{
    const int64_t late = nowMs - dueMs;
    if (late >= 0 && late <= periodMs)
        return {dueMs + periodMs, periodMs - late};
    return {nowMs + periodMs, periodMs};
}
