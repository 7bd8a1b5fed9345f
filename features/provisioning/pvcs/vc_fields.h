#pragma once
// The VC fields of the PVC and multicast channel dialogs: VPI (0..255) and VCI (32..65535), each an edit with its
// spin, and where the dialog has it a VLAN ID (1..4094) the same way. The dialog names its controls; the data
// exchange checks the ranges, and a spin steps its edit within them.
//
//     VcFieldValues values_;
//     void DoDataExchange(CDataExchange& dx) override { ExchangeVcFields(dx, *this, kVcFieldIds, values_); ... }
//     bool OnNotify(...) override { if (StepVcFieldSpin(*this, kVcFieldIds, header)) return true; ... }

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>

inline constexpr uint32_t kVcMaxVpi = 255;
inline constexpr uint32_t kVcFirstVci = 32;
inline constexpr uint32_t kVcMaxVci = 65535;
inline constexpr uint32_t kVcFirstVlan = 1;
inline constexpr uint32_t kVcLastVlan = 4094;

struct VcFieldIds {
    int vpi = 0;
    int vpiSpin = 0;
    int vci = 0;
    int vciSpin = 0;
    int vlan = 0; // 0: the dialog has no VLAN ID
    int vlanSpin = 0;
};

struct VcFieldValues {
    uint32_t vpi = 0;
    uint32_t vci = kVcFirstVci;
    uint32_t vlan = kVcFirstVlan;
};

void ExchangeVcFields(CDataExchange& dx, CADialog& dialog, const VcFieldIds& ids, VcFieldValues& values);
// Steps the edit of the spin that sent the notice; false for a notice of another control.
bool StepVcFieldSpin(CADialog& dialog, const VcFieldIds& ids, const NotifyHeader& header);
