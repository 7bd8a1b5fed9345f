#pragma once
// The location and NE combos of the server management dialogs: each item carries its location or NE id as item data.

#include <cstdint>

class CADialog;
class QComboBox;

// The server's own data (accounts, rights, operators, the operation log, subscribers) does not exist in direct mode:
// there a dialog of it ends at its data load. True when the dialog ended.
bool EndWithoutServer(CADialog& dialog);

// The root (item data 0), then the operator's own location and every location below it, depth first; the whole tree
// for an operator bound to no location. The location of `selectId` is selected, else the root.
void FillOwnLocationCombo(QComboBox* combo, uint32_t selectId);
// The root, then every location inside the operator's scope, depth first. The location of `selectId` is selected,
// else the root.
void FillScopeLocationCombo(QComboBox* combo, uint32_t selectId);
// The NEs of a location (0: of every location), with those of the locations below it when DIALOG/INCLSUBNE says so
// (the default), in name order, after an optional first item " <ALL>" with item data 0. The NE `selectNeId` is
// selected, else the first item.
void FillLocationNeCombo(QComboBox* combo, uint32_t locationId, bool withAllItem, uint32_t selectNeId);

// The item data of the selected item; 0 without a selection.
uint32_t ComboItemData(const QComboBox* combo);
// Selects the item with that data; false, with the selection unchanged, when there is none.
bool SelectComboItemData(QComboBox* combo, uint32_t data);
