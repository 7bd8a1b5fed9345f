#pragma once
// The Location, NE, Shelf, Slot and Port combos of the subscriber dialogs, which choose a port (or, in the search, a
// scope) step by step: the NEs of the location chosen, the shelves of the NE, the slots of the shelf, the ports of the
// slot, each level's item data its number. The search offers " <ALL>" first at each level below the location; the
// subscriber's own dialog picks a whole port.

#include "core/entity/entity_index.h"

#include <cstdint>

class CADialog;
class CNeRecord;
class QComboBox;

class CSubscriberPortCombos {
public:
    static constexpr int kLocationComboId = 1214;
    static constexpr int kNeComboId = 1149;
    static constexpr int kShelfComboId = 1322;
    static constexpr int kSlotComboId = 1253;
    static constexpr int kPortComboId = 1273;

    // `withAll`: the search's combos, with " <ALL>" and the entity kind of its filters.
    CSubscriberPortCombos(CADialog& dialog, bool withAll);

    // Fills the locations, selecting `locationId` (else the first), and the NEs of the location chosen, selecting
    // the NE when it is there (else the first).
    void FillForNe(uint32_t neId, uint32_t locationId);
    // The NEs of the location chosen, keeping the NE chosen when it is still there.
    void FillNes();
    // Shelves, slots and ports of the NE chosen; `current` the entity whose numbers are selected.
    void FillShelves(const CEntityIndex& current);
    void FillSlots(const CEntityIndex& current);
    void FillPorts(const CEntityIndex& current);

    uint32_t ChosenNeId() const;
    // The chosen NE, null for " <ALL>" or an NE the table does not hold.
    const CNeRecord* ChosenNe() const;
    // The entity of the chosen shelf, slot and port (its levels end at the first " <ALL>").
    CEntityIndex ChosenIndex() const;
    unsigned Chosen(int comboId) const;

    // True when the change was one of the combos'; the dialog then updates what depends on it.
    bool OnSelChange(int id);

private:
    QComboBox* Combo(int id) const;
    const char* AllText() const;
    // The combos of the levels below a change start anew: enabled only below a real choice.
    void EnableLevels();
    void OfferShelves();

    CADialog& dialog_;
    bool withAll_;
    int kind_;
};
