#pragma once
// Combo boxes of shelves, slots and ports that suit a dialog's function kind (see core/tables/entity_enumeration.h):
// each item carries its 1-based number as item data, after an optional first item (for example " <ALL>") with item
// data 0. The requested number (that of the current entity; with selectFirst and none, 1) is selected, else item 0.
// The combos fill what they can and never report errors: an unknown NE, model or position leaves at most the first
// item.

#include "core/entity/entity_index.h"

class CNeRecord;
class QComboBox;

void FillShelfCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind,
                    const char* firstItemText, int selectFirst, int exact);
void FillSlotCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind,
                   const char* firstItemText, int selectFirst, int exact);
void FillPortCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind,
                   const char* firstItemText, int selectFirst, int exact);

// The same fillers under the names the provisioning and performance dialogs use: `exact` offers only positions that
// are their own delegate; no first item unless one is given.
void InitShelfCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind, int exact,
                    const char* firstItemText = nullptr);
void InitSlotCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind, int exact,
                   const char* firstItemText = nullptr);
void InitPortCombo(QComboBox* combo, const CNeRecord* ne, const CEntityIndex* current, int kind, int exact,
                   const char* firstItemText = nullptr);

// An NE with fewer than two shelves has its shelf combo disabled on its first item. The NE's shelves count, not the
// combo's items: an NE of two shelves whose combo offers only one leaves the combo as it is.
void HoldShelfComboOfSingleShelfNe(QComboBox* combo, const CNeRecord* ne);

// The number (item data) of the combo's selected item; 0 for none or the first item.
unsigned SelectedEntityNumber(const QComboBox* combo);
