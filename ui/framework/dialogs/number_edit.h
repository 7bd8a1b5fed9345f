#pragma once
// A number in an edit, a whole one with its up-down control, as dialogs keep counts, ports and seconds: the exchange
// reads the number and refuses one outside its range on the message line, and the up-down control steps it inside the
// range.
//
//     void DoDataExchange(CDataExchange& dx) override { DDX_TextInRange(dx, *this, 1311, seconds_, 60, 86400); }
//     ... on UDN_DELTAPOS of the spin: StepNumberEdit(GetDlgItemAs<QLineEdit>(1311), header.delta, 60, 86400);

#include "platform/data_exchange.h"

#include <cstdint>

class CADialog;
class QLineEdit;

// To the edit: the number. From it: the number when it is one within minimum..maximum; otherwise "Please enter an
// integer between minimum and maximum." on the dialog's message line, the edit framed and focused, and the exchange
// failed with the value unchanged.
void DDX_TextInRange(CDataExchange& dx, CADialog& dialog, int id, uint32_t& value, uint32_t minimum, uint32_t maximum);
// The same as the class library exchanges an unsigned number: a text that is no such number (a sign included) gives
// "Please enter a positive integer." before the range is looked at.
void DDX_UnsignedInRange(CDataExchange& dx, CADialog& dialog, int id, uint32_t& value, uint32_t minimum,
                         uint32_t maximum);
// The same for a real number (degrees of a map or of an NE's position): the edit shows the value with up to four
// decimals; from the edit, a text that is no number gives "Please enter a number." and, with `check`, one outside the
// range "Please enter a number between minimum and maximum.".
void DDX_RealInRange(CDataExchange& dx, CADialog& dialog, int id, float& value, float minimum, float maximum,
                     bool check = true);

// The same for a number that may be negative (thresholds of temperatures).
void DDX_SignedInRange(CDataExchange& dx, CADialog& dialog, int id, int32_t& value, int32_t minimum, int32_t maximum);
// One step of the up-down control: the edit's number plus delta, kept within the range; a text that is no number
// steps from the minimum.
void StepNumberEdit(QLineEdit* edit, int delta, uint32_t minimum, uint32_t maximum);
void StepSignedNumberEdit(QLineEdit* edit, int delta, int32_t minimum, int32_t maximum);
