#pragma once
// An edit that takes only what a text field of a record carries: whole UTF-8 characters in the field's width less its
// terminating zero (docs/records.md). What does not fit cannot be typed, nor anything typed after it until the
// operator removes some of the text; a paste keeps the whole characters of it that fit up to the first that does not,
// and the text around it stays. Dialogs call CADialog::LimitTextToField(id, width), which comes here.
//
//     LimitEditToField(*edit, kLocationNameWidth); // 20 bytes: 20 letters a..z, or 10 letters ä

#include <cstddef>

class QLineEdit;

// Limits the edit to fieldWidth - 1 bytes; a text already longer keeps the whole characters that fit at its start.
// An edit's own maximum length (in characters) still applies: the smaller limit holds.
void LimitEditToField(QLineEdit& edit, size_t fieldWidth);
