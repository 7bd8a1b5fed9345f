#pragma once
// The UPGRADE section of the configuration file as the firmware and configuration transfers read it. Most keys are
// per NE model: "%lu" in their names stands for the model's entity type id, so that the keys of model 4 are CWMFW4,
// BOOTDEV4, ... Window-free.
//
//     CWMFW%lu, ADSLFW%lu, ADSLBC%lu   "type name,file name" of the three firmware types
//     BOOTDEV%lu                       names of boot partitions 0, 1 and 2 (the NE's directories)
//     SHDSLFW%lu                       "directory,file name" of the SHDSL line card image
//     CFGFILE%lu, MD5FILE%lu, CFGDRV%lu the configuration file, its MD5 side file and their directory
//     FTPMAXSESSION, FTPDATASIZE, FTPRATELIMIT, FTPPORT   the transfers

#include "link/ftp/ftp_file_transfer.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CIniFile;

// Fields the batch keeps, in characters.
inline constexpr size_t kFirmwareTypeNameMax = 15;
inline constexpr size_t kFirmwareFileNameMax = 31;
inline constexpr size_t kPartitionNameMax = 15;
inline constexpr size_t kLocalPathMax = 255;

// The three firmware types, in the order of the Firmware Type combos.
enum class FirmwareKind { kNetworkBoard, kAdslLineBoard, kAdslBootCode };
inline constexpr size_t kFirmwareKinds = 3;

// A firmware type's name in the image header and the name the image takes on the NE; both empty when the
// configured value lacks either.
struct FirmwareTypeNames {
    std::string typeName;
    std::string fileName;
    bool operator==(const FirmwareTypeNames&) const = default;
};

// The tokens of a value split at commas and blanks, empty ones left out.
std::vector<std::string> SplitUpgradeValue(std::string_view value);
FirmwareTypeNames ParseFirmwareType(std::string_view value);
// Partition names 0, 1 and 2; a missing name i is "Partition i".
std::array<std::string, 3> ParseBootPartitions(std::string_view value);

struct UpgradeTransferSettings {
    uint32_t maxSessions = 5; // 1..100
    FtpTransferSettings transfer;
    uint16_t port = kFtpDefaultPort; // the NEs' FTP port
};

// The remote names of the SHDSL image: the pair configured when it has both and they fit, else "shdsl:" and
// "TEImage.bin.gz".
struct ShdslRemoteNames {
    std::string directory;
    std::string fileName;
    bool operator==(const ShdslRemoteNames&) const = default;
};
ShdslRemoteNames ParseShdslRemoteNames(std::string_view value);

// The configuration's remote names, trimmed; a name past its limit (31, 31 and 15 characters) is not used: the
// transfer is refused.
struct ConfigRemoteNames {
    std::string configFile;
    std::string digestFile;
    std::string directory;
    bool Fit() const;
};

class CUpgradeSettings {
public:
    // The settings of an NE model, from the configuration file.
    CUpgradeSettings(const CIniFile& ini, uint32_t modelId);
    CUpgradeSettings(const std::string& iniPath, uint32_t modelId);

    const FirmwareTypeNames& FirmwareType(FirmwareKind kind) const { return types_[static_cast<size_t>(kind)]; }
    const std::array<std::string, 3>& BootPartitions() const { return partitions_; }
    // The partition's name; index 3 and above name partition 0.
    const std::string& PartitionName(uint32_t index) const;
    const UpgradeTransferSettings& Transfer() const { return transfer_; }
    const ShdslRemoteNames& Shdsl() const { return shdsl_; }
    const ConfigRemoteNames& Config() const { return config_; }

private:
    std::array<FirmwareTypeNames, kFirmwareKinds> types_;
    std::array<std::string, 3> partitions_;
    UpgradeTransferSettings transfer_;
    ShdslRemoteNames shdsl_;
    ConfigRemoteNames config_;
};

// A firmware type of a model as configured, without a default: what the file information compares an image with.
FirmwareTypeNames ConfiguredFirmwareType(const CIniFile& ini, FirmwareKind kind, uint32_t modelId);
