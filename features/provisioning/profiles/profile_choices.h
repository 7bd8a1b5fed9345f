#pragma once
// The fixed choices of a profile editor's combo, and the focus put on a control after a refusal shown in a box.

#include <string>
#include <vector>

class CADialog;

// The combo's items become the texts, in order (the index is the field's code).
void FillChoices(CADialog& dialog, int comboId, const std::vector<std::string>& texts);
void FocusControl(CADialog& dialog, int controlId);
