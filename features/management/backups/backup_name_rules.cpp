#include "features/management/backups/backup_name_rules.h"

#include "core/util/names.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The number of characters of UTF-8 text before `bytes`.
size_t CharactersBefore(std::string_view text, size_t bytes)
{
    size_t characters = 0;
    for (size_t i = 0; i < bytes && i < text.size(); ++i)
        characters += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 ? 1 : 0;
    return characters;
}

} // namespace

BackupNameCheck CheckManualBackupName(std::string_view typed)
{
    size_t begin = 0;
    size_t end = typed.size();
    while (begin < end && IsBlank(typed[begin]))
        ++begin;
    while (end > begin && IsBlank(typed[end - 1]))
        --end;
    BackupNameCheck check;
    check.name = std::string(typed.substr(begin, end - begin));
    if (check.name.empty())
        return check;
    for (size_t i = begin; i < end; ++i) {
        if (!IsValidNameChar(typed[i])) {
            check.verdict = BackupNameVerdict::kBadCharacter;
            check.badCharacter = CharactersBefore(typed, i);
            return check;
        }
    }
    check.verdict = IsAutomaticBackup(check.name) ? BackupNameVerdict::kReserved : BackupNameVerdict::kValid;
    return check;
}

bool IsAutomaticBackup(std::string_view name)
{
    return name.starts_with(kAutomaticBackupPrefix);
}

int BackupImage(std::string_view name)
{
    return IsAutomaticBackup(name) ? kAutomaticBackupImage : kManualBackupImage;
}

std::string NeBackupDirectoryText(std::string_view configured, std::string_view neAddress)
{
    std::string text(configured);
    if (!text.ends_with('/'))
        text += '/';
    return text + std::string(neAddress) + "/";
}
