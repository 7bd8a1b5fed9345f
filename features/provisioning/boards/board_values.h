#pragma once
// What the board dialogs read of an NE's entity tree and models for one line-card slot: what kind of board it takes,
// the types it may be planned as, the texts of its settings, and which change of its settings resets the card.

#include "link/records/board_setting_rec.h"

#include <cstdint>
#include <string>
#include <vector>

class CNeRecord;

enum class BoardKind : uint8_t {
    kOther,
    kXdslWithPvcs, // a line card whose PVCs take AAL5, VLAN tag and service-type settings (kind 9)
    kTrunkCard,    // a control and uplink card, whose settings are its tagged mode (kind 10)
};

// The kind the slot's position in its shelf takes.
BoardKind BoardKindOf(const CNeRecord* ne, uint32_t slotId);

// One item of the planned-type combo: " <none>" (type 1, the empty slot) first, then each board type of the NE's
// models that fits the slot.
struct PlannedTypeChoice {
    uint32_t typeId = 0;
    std::string name;
};
std::vector<PlannedTypeChoice> PlannedTypeChoices(const CNeRecord* ne, uint32_t slotId);

// The display name of a type; empty when it has no model.
std::string BoardTypeName(uint32_t typeId);

// The four settings a board setting changes, as the dialog holds them.
struct BoardSettings {
    uint32_t aal5Encapsulation = 0;  // 1 LLC, 0 VC Mux
    uint32_t vlanTagPassThrough = 0; // 1 enabled, 0 disabled
    uint32_t serviceTypeControl = 0; // 1 enabled, 0 disabled
    uint32_t taggedMode = 0;         // 1 Tagged-Only, 2 Untagged-Only
    bool operator==(const BoardSettings&) const = default;
};
BoardSettings SettingsOf(const BoardSettingRec& board);

// The confirmation a change of the settings asks: none (0) when none of the four changed, the line card's reset when
// the change resets a connected card, else the plain modify question. `encapsulationResetsOnly`: the shelf's first
// control module says that only an encapsulation or service-type change resets a card.
uint32_t BoardChangeConfirmation(const BoardSettings& loaded, const BoardSettings& chosen, bool connected,
                                 bool encapsulationResetsOnly);
