#pragma once
// CPortCombos, the Shelf, Slot and Port combos of a dialog that picks one port (or a whole card) of an NE, listing
// the positions of a function kind of entity (entity_combos.h). A choice above refills the combos below it; each
// keeps the number chosen before where it still lists it, asked for again after the refill above it, so that the
// operator who changes the shelf keeps the slot and port numbers wherever the new shelf has them.
//
//     CPortCombos combos_{*this, {kShelfComboId, kSlotComboId, kPortComboId}, kXdslLinePorts, 0};
//     InitData:                  combos_.Refill(ne, 2, &GetTargetEntity().index);
//     CBN_SELCHANGE of a combo:  combos_.Refill(ne, id == kShelfComboId ? 3 : 4);
//     the port chosen:           combos_.Chosen()

#include "core/entity/entity_index.h"

class CDialog;
class CNeRecord;

class CPortCombos {
public:
    struct Ids {
        int shelf; // 0: no shelf combo, the shelf of the first `wanted` (1 when it names none)
        int slot;
        int port; // 0: the dialog picks a card, no port
    };

    // `exact`: only positions that are their own delegate.
    CPortCombos(const CDialog& dialog, Ids ids, int kind, int exact)
        : dialog_(dialog), ids_(ids), kind_(kind), exact_(exact)
    {
    }

    // The combos from a level down (2 all three, 3 the slot and the port, 4 the port), choosing the numbers of
    // `wanted` when it is given. `portFirstItem`: a first item of the port combo (" <ALL>"), none when null.
    void Refill(const CNeRecord* ne, int fromLevel, const CEntityIndex* wanted = nullptr,
                const char* portFirstItem = nullptr) const;
    // The shelf, slot and port chosen, a level 0 where nothing or a first item is chosen.
    CEntityIndex Chosen() const;

private:
    const CDialog& dialog_;
    Ids ids_;
    int kind_;
    int exact_;
    mutable unsigned shelf_ = 1; // without a shelf combo
};
