#pragma once
// The rules of the backups the management server keeps, the same for an NE's configuration backups and for the
// server's database backups. Window-free.
//
// A manual backup's name, as the operator types it, loses its leading and trailing blanks; it must then hold at least
// one character, only letters, digits and "-", "_", ".", "@", and must not begin with "AUTOBK-", the prefix of the
// server's automatic backups (in that case exactly: "autobk-1" is a manual name). The lists show an automatic backup
// with image 10 and a manual one with image 9.
//
//     const BackupNameCheck check = CheckManualBackupName(typed);
//     switch (check.verdict) {
//     case BackupNameVerdict::kBlank: ... "Data is blank"
//     case BackupNameVerdict::kBadCharacter: ... select the character at check.badCharacter of the typed text
//     case BackupNameVerdict::kReserved: ... "Reserved data"
//     case BackupNameVerdict::kValid: send check.name
//     }

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr char kAutomaticBackupPrefix[] = "AUTOBK-";
// Characters of a backup name (the record's field holds 60 and its terminator).
inline constexpr size_t kBackupNameMax = 60;
inline constexpr int kManualBackupImage = 9;
inline constexpr int kAutomaticBackupImage = 10;

enum class BackupNameVerdict { kValid, kBlank, kBadCharacter, kReserved };

struct BackupNameCheck {
    BackupNameVerdict verdict = BackupNameVerdict::kBlank;
    std::string name;        // the typed text without its leading and trailing blanks
    size_t badCharacter = 0; // kBadCharacter: where the first character not allowed is in the typed text, counted
                             // in characters
};

// `typed` in UTF-8.
BackupNameCheck CheckManualBackupName(std::string_view typed);

bool IsAutomaticBackup(std::string_view name);
// The list image of a backup by its name.
int BackupImage(std::string_view name);

// Where the server keeps an NE's backups, as the backup list shows it: the configured directory with one "/" after
// it, then the NE's address and "/" ("/" and the address when no directory is configured).
std::string NeBackupDirectoryText(std::string_view configured, std::string_view neAddress);
