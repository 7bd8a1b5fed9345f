#pragma once
// What the single-NE transfer windows (configuration backup and restore, firmware upgrade and backup, SHDSL firmware)
// share: the NE's FTP login and the local file, at the control ids their templates all give them, and the local file
// a backup is written to.

#include <QString>

class CADialog;

inline constexpr int kNeTransferUserId = 1362;
inline constexpr int kNeTransferPasswordId = 1289;
inline constexpr int kNeTransferFileId = 1257;

// The login fields take what the NE keeps, the file what a local path may be.
void LimitNeTransferFields(CADialog& dialog);
// Browse: the file chosen goes into the file field.
void BrowseNeTransferFile(CADialog& dialog);
// The first of user, password and file left blank is shown on the message line; false when one is.
bool NeTransferFieldsGiven(CADialog& dialog, const QString& user, const QString& password, const QString& path);
// The local file a backup will fill: an existing one is overwritten only when the operator says so; it is made empty
// now, so that a path that cannot be written is refused before the NE is asked. False (and why shown) otherwise.
bool PrepareBackupFile(CADialog& dialog, const QString& path);
