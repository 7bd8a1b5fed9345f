#pragma once
// Emptying the application's tables. The alarm-sound thread and the dispatcher walk the NE records under the dispatch
// lock, so the tables are emptied only while this thread holds it.

class CAppData;

// How long the UI thread waits for the dispatch lock before it gives up on emptying the tables.
inline constexpr unsigned kTableLockWaitMs = 60000;

// Empties the location tree, the account list and the NE table under the dispatch lock and raises the change flags of
// the views. False, with the tables unchanged, when the lock could not be taken.
bool EmptyAppTables(CAppData& app);
// The NE table only, likewise.
bool EmptyNeTable(CAppData& app);
