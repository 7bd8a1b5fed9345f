#pragma once
// What the trap log view shows for one record of the trap log, made from the record and the texts the trap log kept
// with it when the list asks for a cell, and the order its columns sort in.

#include "core/tables/trap_log_ring.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// Columns: No., Severity, Location, NE, Slot-Port, Entity Type, Alarm Type, Alarms ..., Occur Time, Receive Time.
inline constexpr int kTrapLogColumnCount = 10;
inline constexpr int kTrapLogLocationColumn = 2;
inline constexpr int kTrapLogEntityTypeColumn = 5;

// Whether a record has a row: not when no alarm text could be named when it was logged (bits the entity's model does
// not define, or no built-in alarm for an entity without a model).
bool HasTrapLogRow(const TrapLogRecord& record);

// The text of a cell of a record's row. The names are those the record was logged with: a row whose NE was renamed or
// deleted since reads as it did.
QString TrapLogCellText(const TrapLogRecord& record, int column);

// The image of a cell: column 0 the severity image (11 cleared .. 16 info), column 5 the entity level image (55 NE ..
// 58 port); -1 for the other columns.
int TrapLogCellImage(const TrapLogRecord& record, int column);

// The comparison of two records' rows for a compare key (the low byte of `flags`; 0x8000 descending): 1 and 6 by
// severity (cleared lowest, critical highest), 2 by location, 3 and 4 by NE, 5 by entity type, 7 by occur time and 8
// by receive time (the keys the Occur Time and Receive Time columns sort under), each with its ties broken by
// location, NE, entity id and arrival; any other key by arrival alone.
// Texts compare without regard to case, as the rows show them. -1, 0 or 1.
int CompareTrapLogRecords(const TrapLogRecord& a, const TrapLogRecord& b, uint32_t flags);
