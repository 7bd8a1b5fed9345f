// The UPGRADE keys as the firmware and configuration transfers read them, the check of a local image before it is sent,
// and the percentage a transfer shows.
#include "core/ini/ini_file.h"
#include "core/util/firmware_image.h"
#include "features/management/firmware/local_image_check.h"
#include "features/management/firmware/transfer_progress.h"
#include "features/management/firmware/upgrade_settings.h"
#include "tests/core/temp_file_test.h"

#include <gtest/gtest.h>

namespace {

TEST(UpgradeSettingsTest, AFirmwareTypeNeedsBothItsNames)
{
    const struct {
        const char* value;
        FirmwareTypeNames names;
    } cases[] = {
        {"QX7200,qx7200.enc", {"QX7200", "qx7200.enc"}},
        {"QX7200 qx7200.enc", {"QX7200", "qx7200.enc"}},
        {" RLX4100FW , rlx4100fw.enc ", {"RLX4100FW", "rlx4100fw.enc"}},
        {"RLX4100BR,,\trlx4100br.enc,extra", {"RLX4100BR", "rlx4100br.enc"}},
        {"QX7200", {}},
        {"QX7200,", {}},
        {",qx7200.enc", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseFirmwareType(c.value), c.names) << c.value;
    }
}

TEST(UpgradeSettingsTest, AMissingPartitionNameIsNamedByItsNumber)
{
    const struct {
        const char* value;
        std::array<std::string, 3> names;
    } cases[] = {
        {"", {"Partition 0", "Partition 1", "Partition 2"}},
        {"boot,flash1", {"boot", "flash1", "Partition 2"}},
        {"boot flash1,flash2", {"boot", "flash1", "flash2"}},
        {" , ,", {"Partition 0", "Partition 1", "Partition 2"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseBootPartitions(c.value), c.names) << c.value;
}

TEST(UpgradeSettingsTest, TheShdslImageFallsBackWhenItsPairIsIncompleteOrTooLong)
{
    const ShdslRemoteNames fallback{"shdsl:", "TEImage.bin.gz"};
    const struct {
        std::string value;
        ShdslRemoteNames names;
    } cases[] = {
        {"TEImage.bin.gz", fallback},
        {"img:,new.bin", {"img:", "new.bin"}},
        {"img: new.bin", {"img:", "new.bin"}},
        {std::string(15, 'd') + "," + std::string(31, 'f'), {std::string(15, 'd'), std::string(31, 'f')}},
        {std::string(16, 'd') + ",new.bin", fallback},
        {"img:," + std::string(32, 'f'), fallback},
        {"", fallback},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseShdslRemoteNames(c.value), c.names) << c.value;
}

TEST(UpgradeSettingsTest, TheKeysAreTheNeModelsAndTheTransferSettingsAreClamped)
{
    const CIniFile ini = CIniFile::Parse("[UPGRADE]\n"
                                         "CWMFW4=QX9000,qx9000.enc\n"
                                         "CWMFW2=QX7200\n"
                                         "BOOTDEV4=boot,flashA,flashB\n"
                                         "SHDSLFW4=img:,new.bin\n"
                                         "CFGFILE4= running.cfg \n"
                                         "CFGDRV4=\n"
                                         "FTPMAXSESSION=0\n"
                                         "FTPDATASIZE=4000\n"
                                         "FTPRATELIMIT=70000\n"
                                         "FTPPORT=2121\n");
    const CUpgradeSettings model4(ini, 4);
    EXPECT_EQ(model4.FirmwareType(FirmwareKind::kNetworkBoard), (FirmwareTypeNames{"QX9000", "qx9000.enc"}));
    EXPECT_EQ(model4.FirmwareType(FirmwareKind::kAdslLineBoard), (FirmwareTypeNames{"RLX4100FW", "rlx4100fw.enc"}));
    EXPECT_EQ(model4.FirmwareType(FirmwareKind::kAdslBootCode), (FirmwareTypeNames{"RLX4100BR", "rlx4100br.enc"}));
    EXPECT_EQ(model4.PartitionName(2), "flashB");
    EXPECT_EQ(model4.PartitionName(7), "boot");
    EXPECT_EQ(model4.Shdsl(), (ShdslRemoteNames{"img:", "new.bin"}));
    EXPECT_EQ(model4.Config().configFile, "running.cfg");
    EXPECT_EQ(model4.Config().digestFile, "default.md5");
    EXPECT_EQ(model4.Config().directory, "");
    EXPECT_TRUE(model4.Config().Fit());
    EXPECT_EQ(model4.Transfer().maxSessions, 1u);
    EXPECT_EQ(model4.Transfer().transfer.dataSize, 1500u);
    EXPECT_EQ(model4.Transfer().transfer.rateLimitMs, 60000u);
    EXPECT_EQ(model4.Transfer().port, 2121);

    // Model 2's network board type lacks its file name: no image can match it.
    const CUpgradeSettings model2(ini, 2);
    EXPECT_EQ(model2.FirmwareType(FirmwareKind::kNetworkBoard), FirmwareTypeNames{});
    EXPECT_EQ(model2.PartitionName(1), "Partition 1");
    EXPECT_EQ(model2.Shdsl(), (ShdslRemoteNames{"shdsl:", "TEImage.bin.gz"}));
    EXPECT_EQ(model2.Config().directory, "cfg:");

    const CUpgradeSettings large(CIniFile::Parse("[UPGRADE]\nFTPMAXSESSION=500\nFTPDATASIZE=10\n"), 2);
    EXPECT_EQ(large.Transfer().maxSessions, 100u);
    EXPECT_EQ(large.Transfer().transfer.dataSize, 64u);
    EXPECT_EQ(large.Transfer().port, kFtpDefaultPort);
}

TEST(UpgradeSettingsTest, ConfigurationNamesTheNeCouldNotKeepAreNotUsed)
{
    const struct {
        const char* keys;
        bool fit;
    } cases[] = {
        {"", true},
        {"CFGFILE2=abcdefghijklmnopqrstuvwxyz01234\n", true},   // 31 characters
        {"CFGFILE2=abcdefghijklmnopqrstuvwxyz012345\n", false}, // 32
        {"MD5FILE2=abcdefghijklmnopqrstuvwxyz012345\n", false},
        {"CFGDRV2=abcdefghijklmno\n", true}, // 15
        {"CFGDRV2=abcdefghijklmnop\n", false},
        {"CFGFILE2=  \n", false},
    };
    for (const auto& c : cases) {
        const CUpgradeSettings settings(CIniFile::Parse(std::string("[UPGRADE]\n") + c.keys), 2);
        EXPECT_EQ(settings.Config().Fit(), c.fit) << c.keys;
    }
}

TEST(UpgradeSettingsTest, ALocalImageIsCheckedInOrderBeforeAnythingIsSent)
{
    CTempDir dir(false, "tarvik-image-check-");
    const std::vector<uint8_t> image = BuildFirmwareImage("QX7200", "3.1.0", std::vector<uint8_t>(500, 7));
    const std::string sound = (dir.Path() / "qx7200.enc").string();
    WriteText(sound, std::string(image.begin(), image.end()));
    const std::string spoilt = (dir.Path() / "spoilt.enc").string();
    WriteText(spoilt, std::string(image.begin(), image.end() - 1));
    const FirmwareTypeNames network{"QX7200", "qx7200.enc"};

    const struct {
        std::string path;
        FirmwareTypeNames type;
        std::string partition;
        LocalImageCheck::Result result;
    } cases[] = {
        {sound, network, "Partition 1", LocalImageCheck::kSound},
        {sound, network, "", LocalImageCheck::kSound},
        {sound, {"RLX4100FW", "rlx4100fw.enc"}, "Partition 1", LocalImageCheck::kTypeMismatch},
        {sound, {}, "Partition 1", LocalImageCheck::kTypeMismatch},
        {spoilt, {"RLX4100FW", "rlx4100fw.enc"}, "Partition 1", LocalImageCheck::kCorrupt},
        {(dir.Path() / "none.enc").string(), network, "Partition 1", LocalImageCheck::kCannotOpen},
        {sound, network, std::string(15, 'p'), LocalImageCheck::kSound},
        {sound, network, std::string(16, 'p'), LocalImageCheck::kPartitionTooLong},
        {sound, {std::string(16, 't'), "qx7200.enc"}, "Partition 1", LocalImageCheck::kTypeNamesTooLong},
        {sound, {"QX7200", std::string(32, 'f')}, "Partition 1", LocalImageCheck::kTypeNamesTooLong},
        {"/" + std::string(255, 'p'), network, std::string(16, 'p'), LocalImageCheck::kPathTooLong},
    };
    for (const auto& c : cases) {
        const LocalImageCheck check = CheckLocalImage(c.path, c.type, c.partition);
        EXPECT_EQ(check.result, c.result) << c.path.substr(0, 60) << " " << c.type.typeName << " " << c.partition;
        if (c.result == LocalImageCheck::kSound) {
            EXPECT_EQ(check.length, image.size());
        }
    }
}

TEST(UpgradeSettingsTest, ThePercentSentNeverOverflowsNorPassesAHundred)
{
    const struct {
        uint32_t bytes;
        uint32_t length;
        uint32_t percent;
    } cases[] = {
        {0, 0, 0},
        {0, 50, 0},
        {25, 50, 50},
        {50, 50, 100},
        {16777215, 33554432, 49},
        {16777216, 33554432, 50},
        {4000000000u, 4000000000u, 100},
        {4000000000u, 4100000000u, 97},
        {16777216, 150, 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TransferPercent(c.bytes, c.length), c.percent) << c.bytes << "/" << c.length;
}

// The transfer settings at each end of their ranges and one past: an end is kept, a value past it gives that end.
TEST(UpgradeSettingsTest, TheTransferSettingsKeepTheirEndsAndHoldWhatPassesThem)
{
    const struct {
        const char* keys;
        uint32_t sessions, dataSize, rateLimitMs;
    } rows[] = {
        {"FTPMAXSESSION=1\nFTPDATASIZE=64\nFTPRATELIMIT=0\n", 1, 64, 0},
        {"FTPMAXSESSION=0\nFTPDATASIZE=63\n", 1, 64, 0},
        {"FTPMAXSESSION=100\nFTPDATASIZE=1500\nFTPRATELIMIT=60000\n", 100, 1500, 60000},
        {"FTPMAXSESSION=101\nFTPDATASIZE=1501\nFTPRATELIMIT=60001\n", 100, 1500, 60000},
        {"", 5, 1400, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keys);
        const CUpgradeSettings settings(CIniFile::Parse(std::string("[UPGRADE]\n") + row.keys), 4);
        EXPECT_EQ(settings.Transfer().maxSessions, row.sessions);
        EXPECT_EQ(settings.Transfer().transfer.dataSize, row.dataSize);
        EXPECT_EQ(settings.Transfer().transfer.rateLimitMs, row.rateLimitMs);
    }
}

} // namespace
