// The names of manual backups, as the NE backup and database backup dialogs check them, and where an NE's backups
// are shown to be kept.
#include "features/management/backups/backup_name_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(BackupNameRulesTest, ATypedNameIsTrimmedThenCheckedInOrder)
{
    const struct {
        const char* typed;
        BackupNameVerdict verdict;
        const char* name;
        size_t badCharacter;
    } cases[] = {
        {"nightly-1", BackupNameVerdict::kValid, "nightly-1", 0},
        {"  before_upgrade@2.4 \t", BackupNameVerdict::kValid, "before_upgrade@2.4", 0},
        {"", BackupNameVerdict::kBlank, "", 0},
        {"   ", BackupNameVerdict::kBlank, "", 0},
        {"before upgrade", BackupNameVerdict::kBadCharacter, "before upgrade", 6},
        {"  a b", BackupNameVerdict::kBadCharacter, "a b", 3},
        {"n/1", BackupNameVerdict::kBadCharacter, "n/1", 1},
        {"\xC3\xA9t\xC3\xA9 x", BackupNameVerdict::kBadCharacter, "\xC3\xA9t\xC3\xA9 x", 0},
        {"ok\xC3\xA9", BackupNameVerdict::kBadCharacter, "ok\xC3\xA9", 2},
        {"AUTOBK-", BackupNameVerdict::kReserved, "AUTOBK-", 0},
        {"AUTOBK-x", BackupNameVerdict::kReserved, "AUTOBK-x", 0},
        {" AUTOBK-0101", BackupNameVerdict::kReserved, "AUTOBK-0101", 0},
        {"autobk-1", BackupNameVerdict::kValid, "autobk-1", 0},
        {"AUTOBK", BackupNameVerdict::kValid, "AUTOBK", 0},
        {"AUTOBK x", BackupNameVerdict::kBadCharacter, "AUTOBK x", 6},
    };
    for (const auto& c : cases) {
        const BackupNameCheck check = CheckManualBackupName(c.typed);
        EXPECT_EQ(check.verdict, c.verdict) << c.typed;
        EXPECT_EQ(check.name, c.name) << c.typed;
        if (c.verdict == BackupNameVerdict::kBadCharacter) {
            EXPECT_EQ(check.badCharacter, c.badCharacter) << c.typed;
        }
    }
}

TEST(BackupNameRulesTest, OnlyTheExactPrefixMakesAnAutomaticBackup)
{
    EXPECT_EQ(BackupImage("AUTOBK-20240101"), kAutomaticBackupImage);
    EXPECT_EQ(BackupImage("autobk-20240101"), kManualBackupImage);
    EXPECT_EQ(BackupImage("nightly"), kManualBackupImage);
    EXPECT_EQ(BackupImage(""), kManualBackupImage);
}

TEST(BackupNameRulesTest, TheDirectoryHasOneSlashBeforeTheAddressWithOrWithoutOneConfigured)
{
    EXPECT_EQ(NeBackupDirectoryText("/var/backup", "10.10.1.1"), "/var/backup/10.10.1.1/");
    EXPECT_EQ(NeBackupDirectoryText("/var/backup/", "10.10.1.1"), "/var/backup/10.10.1.1/");
    EXPECT_EQ(NeBackupDirectoryText("", "10.10.1.1"), "/10.10.1.1/");
}

} // namespace
