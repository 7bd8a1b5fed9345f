// The server's backups through the typed requests against the simulated server: a backup is named by its whole file
// name, so that two names that differ only in their last characters are two backups.

#include "link/record_requests.h"
#include "link/records/backup_record.h"
#include "tests/link/server_sim_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class BackupRecordsServerTest : public server_test::SimLinkTest {};

TEST_F(BackupRecordsServerTest, ABackupIsNamedByItsWholeFileName)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    const CRecordRequests requests(DriverChannel(*driver_));
    const std::string stem(59, 'b');
    const BackupRecord first{stem + "1", 0};
    const BackupRecord second{stem + "2", 0};
    for (const auto code : {kReqNeBackup, kReqDbBackup}) {
        const uint32_t neId = code == kReqNeBackup ? 1 : 0;
        ASSERT_TRUE(requests.Add(code, neId, first).Ok());
        ASSERT_TRUE(requests.Add(code, neId, second).Ok());
        ASSERT_TRUE(requests.Delete(code, neId, first).Ok());
        const auto read = requests.Query<BackupRecord>(code, neId);
        ASSERT_TRUE(read.Ok()) << read.text;
        // The server's own automatic backups of its database stand beside them; a database backup has a size.
        std::vector<std::string> names;
        for (const BackupRecord& backup : read.records) {
            if (!backup.name.starts_with("AUTOBK-"))
                names.push_back(backup.name);
        }
        EXPECT_EQ(names, std::vector<std::string>{second.name}) << code;
    }
}

} // namespace
