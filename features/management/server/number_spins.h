#pragma once
// The up-down controls of a page of numbers: each steps the number in its edit within the edit's range.
//
//     bool CSvrOptLogExpirePage::OnNotify(const NotifyHeader& header, int* result)
//     {
//         return StepNumberSpin(*this, header, kSpins) || CADialog::OnNotify(header, result);
//     }

#include "platform/notify_codes.h"

#include <cstdint>
#include <span>

class CADialog;

struct NumberSpin {
    int spinId = 0;
    int editId = 0;
    uint32_t minimum = 0;
    uint32_t maximum = 0;
};

// Steps the edit of the spin the notification comes from; false when it comes from none of them.
bool StepNumberSpin(CADialog& dialog, const NotifyHeader& header, std::span<const NumberSpin> spins);
