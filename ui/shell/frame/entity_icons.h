#pragma once
// The list-icon index that shows an NE or one of its shelves in the tree and the lists: the display state of the
// entity (alarm, connection, plan) looked up in its entity model's icon table. Window-free.

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
