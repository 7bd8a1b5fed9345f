#pragma once
// The row the trap log view shows for one record of the trap log, and the order its columns sort in.

#include "core/tables/trap_log_ring.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

// Columns: No., Severity, Location, NE, Slot-Port, Entity Type, Alarm Type, Alarms ..., Occur Time, Receive Time.
inline constexpr int kTrapLogColumnCount = 10;
inline constexpr int kTrapLogLocationColumn = 2;
inline constexpr int kTrapLogEntityTypeColumn = 5;

struct TrapLogRow {
    int image = 11;      // column 0: the severity image, 11 cleared .. 16 info
    int levelImage = -1; // column 5: the entity level image, 55 NE .. 58 port
    int severity = 0;    // as shown: 0 cleared, 1 critical .. 5 info
    std::array<QString, kTrapLogColumnCount> cells;
};

// The row of a record; nullopt when there is none to show: the NE is unknown or has no entity tree, or no alarm text
// can be named (bits the entity's model does not define, or no built-in alarm for an entity without a model).
std::optional<TrapLogRow> MakeTrapLogRow(const TrapLogRecord& record);

// The widest values each column is expected to show, for the list layout: numbers of up to seven digits, every
// severity, entity model and alarm class, the time format. Empty for the columns whose texts (names of locations and
// NEs, positions, alarm texts) the rows alone tell.
std::array<QStringList, kTrapLogColumnCount> TrapLogColumnSamples();

// The comparison of two rows for a compare key (the low byte of `flags`; 0x8000 descending): 1 and 6 by severity
// (cleared lowest, critical highest), 2 by location, 3 and 4 by NE, 5 by entity type, 7 by occur time and 8 by
// receive time, each with its ties broken by location, NE, entity id and arrival; any other key by arrival alone.
// Texts compare without regard to case. -1, 0 or 1.
int CompareTrapLogRows(const TrapLogRecord& a, const TrapLogRow& rowA, const TrapLogRecord& b, const TrapLogRow& rowB,
                       uint32_t flags);
