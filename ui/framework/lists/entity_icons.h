#pragma once
// The list-icon index that shows an NE or one of its shelves in the tree and the lists: the display state of the
// entity (alarm, connection, plan) looked up in its entity model's icon table, and the NE states it is made of.
// Window-free.

#include <cstdint>

class CNeRecord;

// Display states of the icon tables.
inline constexpr int kIconStateNotConnected = 6;
inline constexpr int kIconStateMismatch = 7;
inline constexpr int kIconStatePlannedConnected = 8;
inline constexpr int kIconStatePlannedDisconnected = 9;
inline constexpr int kIconStateMissing = 10;
// The icon of an NE that has no entity model.
inline constexpr int kIconNeWithoutModel = 27;

// Position 0 is the NE itself, position n its n-th shelf.
int GetEntityStateIcon(const CNeRecord* ne, int position);
// The icon of a display state of the NE (position 0) or of its shelf at the position.
int GetEntityIcon(const CNeRecord* ne, int state, int position);

// The NE is connected (its root entity and the link to it are up).
bool IsNeConnected(const CNeRecord& ne);
// The gravest alarm of the NE: its own and that of its connected entities (0 none, 1 critical .. 5 info).
uint32_t GetNeHighestSeverity(const CNeRecord& ne);
// The same as the tables keep it, current after each batch of applied states: no walk of the NE's entities, for views
// that show every NE.
uint32_t GetNeKeptSeverity(const CNeRecord& ne);
// The NE's icon (position 0) when its gravest alarm is known.
int GetNeStateIcon(const CNeRecord& ne, uint32_t severity);
