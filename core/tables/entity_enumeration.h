#pragma once
// What the selection combos of the dialogs offer, without the windows: the shelves of an NE, the slots of a shelf and
// the ports of a slot that suit a function kind, and the location filters that decide which NEs and accounts a
// location choice lists.

#include "core/entity/entity_index.h"

#include <cstdint>
#include <string>
#include <vector>

class CEntityModelSet;
class CLocationNode;
class CNeRecord;
class CUserAccount;

// One position a combo offers: its 1-based number (the item data) and its name.
struct EntityChoice {
    unsigned number = 0;
    std::string name;
    bool operator==(const EntityChoice&) const = default;
};

// The positions a combo lists, in position order, and the number it asks to select (0: none).
struct EntityChoices {
    std::vector<EntityChoice> choices;
    unsigned requested = 0;
};

// The shelves of the NE's model that suit the kind. The requested shelf is that of `current` (null: none); with
// `selectFirst` and none, shelf 1. Empty without an NE or a model for the NE's model id.
EntityChoices EnumerateShelfChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                    int exact, const CEntityModelSet& models);
EntityChoices EnumerateShelfChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                    int exact);
// The slots of the requested shelf (that of `current`, else the first shelf that suits the kind) that suit the kind,
// by the model of the shelf the NE holds there. The requested slot is that of `current`; with `selectFirst` and none,
// slot 1.
EntityChoices EnumerateSlotChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                   int exact, const CEntityModelSet& models);
EntityChoices EnumerateSlotChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                   int exact);
// The ports of the requested slot (shelf and slot of `current`, else the first that suit the kind) that suit the
// kind, by the model of the module the NE holds there. The requested port is that of `current`; with `selectFirst`
// and none, port 1.
EntityChoices EnumeratePortChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                   int exact, const CEntityModelSet& models);
EntityChoices EnumeratePortChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                   int exact);

// Non-zero when an NE in use and in the operator's scope passes a location filter: with `connectedOnly`, only a
// connected NE that is no planned NE; then an NE of the filter location, an NE without a location node for filter 0,
// and with `withSubLocations` every NE for filter 0 or one whose location lies below the filter location.
int NeMatchesLocation(const CNeRecord* ne, const CLocationNode* node, uint32_t filter, int withSubLocations,
                      int connectedOnly);
// The same rules for an active user account, without the connection test.
int AccountMatchesLocation(const CUserAccount* account, const CLocationNode* node, uint32_t filter,
                           int withSubLocations);
