#pragma once
// The checks a PM or line-test dialog of one xDSL port makes of its target before it asks the NE for anything (the
// ADSL and SHDSL PM dialogs, long-term PM): the operator's right with the letter of the dialog's access mode, the NE,
// a port-level entity ("Internal error" otherwise), the model of the port's line card ("Unknown entity type") and a
// slot of that model for ports of the class ("Entity type is wrong"). A failed check says why and ends the dialog.
//
//     void CAdslCurrentPmDlg::InitData()
//     {
//         if (!CheckPmPortTargetOrClose(*this, kRightCurrentPm, kAdslPortClass))
//             return;
//         ...
//     }

#include <cstdint>

class CADialog;
class CNeRecord;

// Provisioning classes of the xDSL line ports.
inline constexpr uint8_t kAdslPortClass = 64;
inline constexpr uint8_t kShdslPortClass = 67;

bool CheckPmPortTargetOrClose(CADialog& dialog, int right, uint8_t portClass);

// The provisioning class of the model of the entity's own node; 0 when the NE has no such node or model.
uint8_t EntityProvClass(const CNeRecord& ne, uint32_t entityId);
