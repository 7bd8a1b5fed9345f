// The simulated server's firmware and backups: the version an NE reports is its control module's until a sound image
// lands in its FTP area, the last upgrade is what a workstation reported, a boot partition write chooses only the next
// partition, and a restore names a backup the server keeps.
#include "tarvik_test_paths.h"
#include "tests/core/temp_file_test.h"

#include <gtest/gtest.h>

#include "core/entity/entity_model_loader.h"
#include "core/util/firmware_image.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/backup_record.h"
#include "link/records/boot_partition_record.h"
#include "link/records/ne_fw_upgrade_record.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_scenario.h"

#include <filesystem>

namespace {

constexpr uint32_t kNow = 1700000000;

// An IPD-12 whose control module (slot 5) runs CU2GE-3.0.2, and an IPD-48 with its fixed boards as they come (1.0.0).
const std::string kWorld = "[RIGHTS]\nADMINISTRATOR=a*127\n[UserAccountRecord.1]\nname=admin\npassword=admin\nroleLetter=A\n"
                           "[NeKeyRecord.1]\nneId=1\nneName=North-1\nmodelId=2\nipAddress=127.0.2.1\nport=161\n"
                           "ftpUser=qurim\nftpPassword=secret\n"
                           "[NE1.BOARD1]\nSLOT=10500\nPLANNED=20\nSOFTWARE=CU2GE-3.0.2\n"
                           "[NE1.BackupRecord.1]\nname=AUTOBK-0101\nrequest=41\n"
                           "[NeKeyRecord.2]\nneId=2\nneName=South-1\nmodelId=4\nipAddress=127.0.2.2\nport=161\n";

class SimFirmwareTest : public TempFileTest {
protected:
    SimFirmwareTest() : TempFileTest("tarvik-simfw-", "world.ini")
    {
        const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        ReplaceEntityModels(
            LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
        Write(kWorld);
        SimScenario scenario;
        std::string error;
        EXPECT_TRUE(LoadSimScenario(path_, &scenario, &error)) << error;
        EXPECT_TRUE(database_.Load(scenario, kNow, &error)) << error;
        handler_ =
            std::make_unique<CSimRequestHandler>(database_, SimHandlerOptions{.ftpRoot = (dir_ / "ftp").string()});
        session_.loggedIn = true;
        session_.user = "admin";
    }

    template <typename Rec>
    std::vector<Rec> Ask(uint8_t operation, uint16_t code, uint32_t neId, const std::vector<uint8_t>& body,
                         uint32_t* status = nullptr)
    {
        Frame request;
        request.header.operation = operation;
        request.header.requestCode = code;
        request.header.neId = neId;
        request.header.count = 1;
        request.header.recordSize = static_cast<uint32_t>(body.size());
        request.header.sequence = 1;
        request.payload = body;
        std::vector<Rec> records;
        for (const Frame& reply : handler_->Handle(session_, request, kNow).replies) {
            if (status != nullptr)
                *status =
                    reply.header.status != 0 ? reply.header.status : (reply.header.operation == kEmsOpReply ? 0 : 1);
            for (uint32_t i = 0; reply.header.operation == kEmsOpReply && i < reply.header.count; ++i) {
                Rec rec;
                if (DecodeRecord(reply.payload.data() + i * reply.header.recordSize, reply.header.recordSize, &rec))
                    records.push_back(rec);
            }
        }
        return records;
    }

    template <typename Rec> static std::vector<uint8_t> Body(const Rec& rec)
    {
        const auto bytes = EncodeRecord(rec);
        return {bytes.begin(), bytes.end()};
    }

    CSimDatabase database_;
    std::unique_ptr<CSimRequestHandler> handler_;
    SimSession session_;
};

TEST_F(SimFirmwareTest, AnNeReportsTheVersionOfTheNewestSoundImageInItsArea)
{
    auto versions = [&] {
        std::map<uint32_t, std::string> found;
        for (const NeFwUpgradeRecord& rec : Ask<NeFwUpgradeRecord>(kEmsOpQuery, kReqNeFwUpgrade, 0, {0}))
            found[rec.neId] = rec.fwVersion;
        return found;
    };
    EXPECT_EQ(versions(), (std::map<uint32_t, std::string>{{1, "CU2GE-3.0.2"}, {2, "1.0.0"}}));

    const std::vector<uint8_t> image = BuildFirmwareImage("QX7200", "QX7200 3.1.0", std::vector<uint8_t>(100, 1));
    WriteText(dir_ / "ftp/127.0.2.1/Partition 1/qx7200.enc", std::string(image.begin(), image.end()));
    std::vector<uint8_t> spoilt = image;
    spoilt[70] ^= 1;
    WriteText(dir_ / "ftp/127.0.2.2/Partition 2/qx7200.enc", std::string(spoilt.begin(), spoilt.end()));
    EXPECT_EQ(versions(), (std::map<uint32_t, std::string>{{1, "QX7200 3.1.0"}, {2, "1.0.0"}}));

    const std::vector<NeFwUpgradeRecord> all = Ask<NeFwUpgradeRecord>(kEmsOpQuery, kReqNeFwUpgrade, 0, {0});
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front().loginUser, "qurim");
    EXPECT_EQ(all.front().loginPassword, "secret");
}

TEST_F(SimFirmwareTest, AReportedUpgradeIsTheNesLastOne)
{
    NeFwUpgradeRecord report;
    report.neId = 2;
    report.lastResult = 2;
    report.lastFile = "qx7200.enc";
    report.lastTime = kNow;
    ASSERT_EQ(Ask<NeFwUpgradeRecord>(kEmsOpModify, kReqNeFwUpgrade, 2, Body(report)).size(), 1u);
    for (const NeFwUpgradeRecord& rec : Ask<NeFwUpgradeRecord>(kEmsOpQuery, kReqNeFwUpgrade, 0, {0})) {
        EXPECT_EQ(rec.lastResult, rec.neId == 2 ? 2u : 0u);
        EXPECT_EQ(rec.lastFile, rec.neId == 2 ? "qx7200.enc" : "");
    }
    uint32_t status = 0;
    Ask<NeFwUpgradeRecord>(kEmsOpModify, kReqNeFwUpgrade, 9, Body(report), &status);
    EXPECT_NE(status, 0u);
}

TEST_F(SimFirmwareTest, AWriteChoosesOnlyTheNextBootPartition)
{
    EXPECT_EQ(Ask<BootPartitionRecord>(kEmsOpQuery, kReqNeBootPartition, 1, Body(BootPartitionRecord{})),
              (std::vector<BootPartitionRecord>{{1, 1}}));
    EXPECT_EQ(Ask<BootPartitionRecord>(kEmsOpModify, kReqNeBootPartition, 1, Body(BootPartitionRecord{0, 2})),
              (std::vector<BootPartitionRecord>{{1, 2}}));
    uint32_t status = 0;
    Ask<BootPartitionRecord>(kEmsOpModify, kReqNeBootPartition, 1, Body(BootPartitionRecord{0, 3}), &status);
    EXPECT_NE(status, 0u);
    EXPECT_EQ(Ask<BootPartitionRecord>(kEmsOpQuery, kReqNeBootPartition, 1, Body(BootPartitionRecord{})),
              (std::vector<BootPartitionRecord>{{1, 2}}));
}

TEST_F(SimFirmwareTest, ARestoreNamesABackupTheServerKeeps)
{
    uint32_t status = 1;
    Ask<BackupRecord>(kEmsOpModify, kReqNeBackupRestore, 1, Body(BackupRecord{"AUTOBK-0101", 0}), &status);
    EXPECT_EQ(status, 0u);
    Ask<BackupRecord>(kEmsOpModify, kReqNeBackupRestore, 1, Body(BackupRecord{"manual-1", 0}), &status);
    EXPECT_NE(status, 0u);
    Ask<BackupRecord>(kEmsOpModify, kReqNeBackupRestore, 2, Body(BackupRecord{"AUTOBK-0101", 0}), &status);
    EXPECT_NE(status, 0u);
}

} // namespace
