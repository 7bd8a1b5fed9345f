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
// Browse: an open chooser over "(*.*)" that takes a new name too, in a folder that exists (a backup's file); the
// file chosen goes into the file field.
void BrowseNeTransferFile(CADialog& dialog);
// The first of user, password and file left blank is shown on the message line; false when one is.
bool NeTransferFieldsGiven(CADialog& dialog, const QString& user, const QString& password, const QString& path);
// An existing local file is overwritten by a backup only when the operator says so; false when not.
bool ConfirmBackupOverwrite(const QString& path);
// Whether a backup could be written to the local file, asked once the operator has answered every question and
// before the NE is asked: nothing is left behind, and the file that is there stays as it is until a backup has
// come whole (link/ftp/download_file.h). False with the system's text shown on the file.
bool BackupFileWritable(CADialog& dialog, const QString& path);
