#include "features/management/firmware/upgrade_settings.h"

#include "core/config/ini_readers.h"
#include "core/config/ini_value_text.h"
#include "core/ini/ini_file.h"

#include <optional>

namespace {

constexpr char kSection[] = "UPGRADE";

struct TypeKey {
    const char* stem;
    const char* defaultValue;
};
constexpr TypeKey kTypeKeys[kFirmwareKinds] = {
    {"CWMFW", "QX7200,qx7200.enc"},
    {"ADSLFW", "RLX4100FW,rlx4100fw.enc"},
    {"ADSLBC", "RLX4100BR,rlx4100br.enc"},
};

constexpr char kShdslDirectory[] = "shdsl:";
constexpr char kShdslFile[] = "TEImage.bin.gz";
constexpr size_t kShdslDirectoryMax = 15;
constexpr size_t kShdslFileMax = 31;
constexpr size_t kConfigFileMax = 31;
constexpr size_t kConfigDirectoryMax = 15;

std::string Key(const char* stem, uint32_t modelId)
{
    return stem + std::to_string(modelId);
}

std::string Trimmed(const std::string& text)
{
    return std::string(TrimIniText(text));
}

CIniFile LoadOrEmpty(const std::string& path)
{
    std::optional<CIniFile> ini = CIniFile::Load(path);
    return ini ? std::move(*ini) : CIniFile::Parse("");
}

} // namespace

std::vector<std::string> SplitUpgradeValue(std::string_view value)
{
    std::vector<std::string> tokens;
    std::string token;
    for (const char c : value) {
        if (c == ',' || c == ' ' || c == '\t') {
            if (!token.empty())
                tokens.push_back(std::move(token));
            token.clear();
        } else {
            token.push_back(c);
        }
    }
    if (!token.empty())
        tokens.push_back(std::move(token));
    return tokens;
}

FirmwareTypeNames ParseFirmwareType(std::string_view value)
{
    const std::vector<std::string> tokens = SplitUpgradeValue(value);
    if (tokens.size() < 2)
        return {};
    return {tokens[0], tokens[1]};
}

std::array<std::string, 3> ParseBootPartitions(std::string_view value)
{
    const std::vector<std::string> tokens = SplitUpgradeValue(value);
    std::array<std::string, 3> names;
    for (size_t i = 0; i < names.size(); ++i)
        names[i] = i < tokens.size() ? tokens[i] : "Partition " + std::to_string(i);
    return names;
}

ShdslRemoteNames ParseShdslRemoteNames(std::string_view value)
{
    const std::vector<std::string> tokens = SplitUpgradeValue(value);
    if (tokens.size() >= 2 && tokens[0].size() <= kShdslDirectoryMax && tokens[1].size() <= kShdslFileMax)
        return {tokens[0], tokens[1]};
    return {kShdslDirectory, kShdslFile};
}

bool ConfigRemoteNames::Fit() const
{
    return !configFile.empty() && !digestFile.empty() && configFile.size() <= kConfigFileMax &&
           digestFile.size() <= kConfigFileMax && directory.size() <= kConfigDirectoryMax;
}

CUpgradeSettings::CUpgradeSettings(const std::string& iniPath, uint32_t modelId)
    : CUpgradeSettings(LoadOrEmpty(iniPath), modelId)
{
}

CUpgradeSettings::CUpgradeSettings(const CIniFile& ini, uint32_t modelId)
{
    for (size_t kind = 0; kind < kFirmwareKinds; ++kind) {
        const TypeKey& key = kTypeKeys[kind];
        types_[kind] = ParseFirmwareType(ReadIniString(kSection, Key(key.stem, modelId), key.defaultValue, ini));
    }
    partitions_ = ParseBootPartitions(ReadIniString(kSection, Key("BOOTDEV", modelId), "", ini));
    transfer_.maxSessions =
        static_cast<uint32_t>(ReadIniSignedInRange(kSection, "FTPMAXSESSION", 5, ini, 1, 100, true));
    transfer_.transfer.dataSize = ReadIniIntInRange(kSection, "FTPDATASIZE", 1400, ini, 64, 1500, true);
    transfer_.transfer.rateLimitMs = ReadIniIntInRange(kSection, "FTPRATELIMIT", 0, ini, 0, 60000, true);
    transfer_.port =
        static_cast<uint16_t>(ReadIniIntInRange(kSection, "FTPPORT", kFtpDefaultPort, ini, 1, 65535, true));
    shdsl_ = ParseShdslRemoteNames(ReadIniString(kSection, Key("SHDSLFW", modelId), kShdslFile, ini));
    config_.configFile = Trimmed(ReadIniString(kSection, Key("CFGFILE", modelId), "default.cfg", ini));
    config_.digestFile = Trimmed(ReadIniString(kSection, Key("MD5FILE", modelId), "default.md5", ini));
    config_.directory = Trimmed(ReadIniString(kSection, Key("CFGDRV", modelId), "cfg:", ini));
}

const std::string& CUpgradeSettings::PartitionName(uint32_t index) const
{
    return partitions_[index < partitions_.size() ? index : 0];
}

FirmwareTypeNames ConfiguredFirmwareType(const CIniFile& ini, FirmwareKind kind, uint32_t modelId)
{
    return ParseFirmwareType(ReadIniString(kSection, Key(kTypeKeys[static_cast<size_t>(kind)].stem, modelId), "", ini));
}
