#pragma once
// The text colours of the tree and the lists (section TEXTCOLOR): per location severity, NE state and account role.
// A key that is absent takes the value of its group's default key, which itself defaults to COLOR_DEF. Window-free.

#include "ui/framework/lists/entity_icons.h"
#include "ui/framework/lists/severity_palette.h"

#include <cstdint>

class CIniFile;
class CNeRecord;

// Item kinds (tree images) with a colour of their own.
inline constexpr int kTreeKindNe = 26;
inline constexpr int kTreeKindNeDisconnected = 27;
inline constexpr int kTreeKindLocation = 41; // 42..46: location with a critical .. info alarm
inline constexpr int kTreeKindAccounts = 47;
inline constexpr int kTreeKindAdministrator = 48; // 48..51: administrator, manager, user, unknown role
inline constexpr int kTreeKindNes = 52;

struct TextColorTable {
    COLORREF colorDef = 0;
    COLORREF selectedBk = 0xF0EEE1;
    // By severity; a location or NE without alarms takes the colour of severity 0 (LOC_DEF, NE_DEF).
    SeverityColors loc{}, ne{};
    COLORREF neDisconn = 0, neMismatch = 0, nePlan = 0, nePlanDisconn = 0;
    COLORREF acctDef = 0, acctAdmin = 0, acctManager = 0, acctUser = 0, acctUnknown = 0;
    COLORREF locNes = 0, locAccts = 0;

    bool operator==(const TextColorTable&) const = default;
};

// Reads section TEXTCOLOR.
TextColorTable LoadTextColors(const CIniFile& ini);

COLORREF GetTreeTextColor(const TextColorTable& colors, int kind);
// By the NE's state: none, no entity model, planned, disconnected, type mismatch, then its gravest alarm.
COLORREF GetEntityTextColor(const TextColorTable& colors, const CNeRecord* ne);
// The same when the NE's gravest alarm is known.
COLORREF GetNeTextColorFor(const TextColorTable& colors, const CNeRecord& ne, uint32_t severity);
