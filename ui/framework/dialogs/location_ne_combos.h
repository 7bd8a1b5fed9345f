#pragma once
// The Location and NE combos of the dialogs that pick an NE by where it stands (the port selection, the ping from the
// workstation and their kin). Each item carries its id as item value.
//
//   - FillLocationCombo: item 0 the company name (SYSTEM/COMPANY) with value 0, then the locations of the operator's
//     scope in tree order (a location, its children, then its next sibling): every location, or the scope location
//     and those below it. The location `selectId` is chosen wherever it lies in the tree, else item 0. With
//     LocationChoice::kWalkStartOnly the walk lists the node it starts at, the root "<Root>" (value 0) when the
//     operator has no scope, and chooses that node only, when it is `selectId`; else item 0.
//   - FillNeCombo: the NEs in name order that a location choice lists (NeMatchesLocation: those of the location, and
//     with sub-locations every NE for value 0 and those below the location). The NE `selectId` is chosen when it is
//     listed, else item 0.
//
// A dialog fills both at data load and refills the NEs when the location changes, keeping the NE chosen before:
//
//     const bool withSub = ReadIniBool("DIALOG", "INCLSUBNE", true, CurrentConfigFilePath());
//     FillLocationCombo(location, GetLocationId());
//     FillNeCombo(ne, SelectedComboValue(location), GetNeId(), withSub);
//     ...
//     case CBN_SELCHANGE of the location:
//         FillNeCombo(ne, SelectedComboValue(location), SelectedComboValue(ne), withSub);

#include <cstdint>

class QComboBox;

enum class LocationChoice { kAnyDepth, kWalkStartOnly };
void FillLocationCombo(QComboBox* combo, uint32_t selectId, LocationChoice choice = LocationChoice::kAnyDepth);
void FillNeCombo(QComboBox* combo, uint32_t locationId, uint32_t selectId, bool withSubLocations);
// The item value of the chosen item; 0 when none is chosen.
uint32_t SelectedComboValue(const QComboBox* combo);
// Chooses the item with the value; false (and the choice unchanged) when no item has it.
bool SelectComboValue(QComboBox* combo, uint32_t value);
