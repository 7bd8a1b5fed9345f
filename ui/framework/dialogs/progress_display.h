#pragma once
// The progress window's three controls as a watch's tick moves them: the elapsed time, the bar and the scrolling
// banner, at the control ids every progress template gives them.
//
//     const CProgressWatch::Tick tick = watch.OnTick();
//     ShowProgressTick(*this, tick);

#include "core/util/progress_watch.h"

class CADialog;

inline constexpr int kProgressBannerId = 1266;
inline constexpr int kProgressElapsedId = 1311;
inline constexpr int kProgressBarId = 1284;

void ShowProgressTick(CADialog& dialog, const CProgressWatch::Tick& tick);
