#pragma once
// The two kinds of backups the management server keeps, as their lists and name dialogs tell them apart: an NE's
// configuration backups (requests 41 to 44, for the dialog's NE) and the server's own database backups (45 to 48, of
// no NE, with their sizes).

#include "link/records/backup_record.h"
#include "link/records/request_codes.h"

#include <cstdint>

struct BackupKind {
    int right = -1;                      // the rights function of the list and its commands
    RequestCode<BackupRecord> family{};  // list, make and delete (the family's siblings)
    RequestCode<BackupRecord> restore{}; // restore
    bool forNe = false;                  // the backups of the dialog's NE; else the server's own
    bool caseSensitiveNames = false;     // how the list sorts the names
    bool showsSizes = false;             // the list has a column of the backups' sizes
    uint32_t restoredTextId = 0;         // the message line after a restore
    uint32_t badCharacterTextId = 0;     // the name dialog's message at a character no name may hold
};
