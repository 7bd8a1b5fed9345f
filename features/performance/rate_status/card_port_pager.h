#pragma once
// The paging buttons of the windows that show one port of a line card at a time (the ADSL and SHDSL rate status):
// First, Previous, Next and Last move among the card's ports in their tree order.

#include "core/entity/entity_id.h"

#include <optional>

class CADialog;
class CEntityNode;
struct CNeRecord;

namespace card_port_pager {
inline constexpr int kFirstId = 1169;
inline constexpr int kLastId = 1211;
inline constexpr int kNextId = 1264;
inline constexpr int kPreviousId = 1277;

bool IsPagerButton(int id);

// Greys the buttons that lead nowhere from `port`: all four, and Refresh, when the port has no card.
void EnableButtons(CADialog& dialog, const CEntityNode& port);

// The port a paging button leads to from `current`; nothing when the port is unknown or the place is off its card.
std::optional<CEntityId> PortOfButton(const CNeRecord* ne, const CEntityId& current, int buttonId);
} // namespace card_port_pager
