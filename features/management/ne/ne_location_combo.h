#pragma once
// The location combo of the dialogs that put an NE somewhere (the NE dialog, the adding of discovered NEs): the
// locations in the operator's scope in the order of the tree's walk, each with its id as item data. An operator of a
// location starts at it; an operator of the whole network has an empty entry (id 0) first. The given location is
// selected, else the first entry.

#include <cstdint>

class QComboBox;

void FillNeLocationCombo(QComboBox& combo, uint32_t selectedLocationId);
// The id of the selected location; 0 for none.
uint32_t SelectedNeLocation(const QComboBox* combo);
