#pragma once
// When the live graph of a current PM row (ADSL or SHDSL) starts its series again: when asked to (the graph has just
// opened, or Restart), when an interval rolled over (its elapsed seconds did not grow since the refresh before) or
// when any counter of the four current rows went down since then.

#include <array>
#include <cstddef>
#include <cstdint>

// The numbers of the four current rows (current 15 minutes CO and RT, current day CO and RT), N to a row.
template <size_t N> using CurrentPmNumbers = std::array<std::array<uint32_t, N>, 4>;

// The elapsed seconds of the current 15 minutes and the current day.
struct PmElapsed {
    uint32_t quarter = 0;
    uint32_t day = 0;
};

template <size_t N>
bool PmGraphRestarts(bool asked, const PmElapsed& now, const PmElapsed& before, const CurrentPmNumbers<N>& numbers,
                     const CurrentPmNumbers<N>& kept)
{
    if (asked || now.quarter <= before.quarter || now.day <= before.day)
        return true;
    for (size_t r = 0; r < numbers.size(); ++r) {
        for (size_t c = 0; c < N; ++c) {
            if (numbers[r][c] < kept[r][c])
                return true;
        }
    }
    return false;
}
