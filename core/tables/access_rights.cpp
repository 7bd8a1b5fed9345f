#include "core/tables/access_rights.h"

#include <cstring>

namespace {

std::array<RightsTable, kRightsRoleCount> MakeEmptyTables()
{
    std::array<RightsTable, kRightsRoleCount> tables{};
    for (RightsTable& table : tables) {
        table.fill('-');
        table.back() = '\0';
    }
    return tables;
}

std::array<RightsTable, kRightsRoleCount>& Tables()
{
    static std::array<RightsTable, kRightsRoleCount> tables = MakeEmptyTables();
    return tables;
}

// Rank of a stored letter; 0 for a letter that grants nothing.
int StoredRank(char letter)
{
    switch (letter) {
    case 'q':
        return 1;
    case 'm':
        return 2;
    case 'c':
        return 3;
    case 'd':
        return 4;
    case 'a':
        return 5;
    default:
        return 0;
    }
}

// Rank a stored letter needs to grant the wanted one; 0 for a letter nobody may want.
int WantedRank(char letter)
{
    switch (letter) {
    case 'q':
        return 1;
    case 'm':
        return 2;
    case 'c':
        return 3;
    case 'd':
        return 4;
    case 'x':
        return 5;
    default:
        return 0;
    }
}

} // namespace

const RightsTable* GetRightsTable(int role)
{
    if (role < 0 || role >= kRightsRoleCount)
        return nullptr;
    return &Tables()[static_cast<size_t>(role)];
}

int SetUserRights(int role, const char* text)
{
    if (role < 0 || role >= kRightsRoleCount || text == nullptr)
        return -1;
    RightsTable& table = Tables()[static_cast<size_t>(role)];
    table.fill('-');
    table.back() = '\0';
    const size_t length = strnlen(text, kRightsTableSize - 1);
    std::memcpy(table.data(), text, length);
    return 0;
}

int SetAllUserRights(const char* administrator, const char* manager, const char* user)
{
    const char* texts[kRightsRoleCount] = {administrator, manager, user};
    for (int role = 0; role < kRightsRoleCount; ++role) {
        if (SetUserRights(role, texts[role]) != 0)
            SetUserRights(role, "");
    }
    return 0;
}

void ClearUserRights()
{
    Tables() = MakeEmptyTables();
}

int CheckUserRight(int role, int function, char wanted)
{
    const RightsTable* table = GetRightsTable(role);
    if (table == nullptr || function < 0 || function >= kRightsFunctionCount)
        return 0;
    const int need = WantedRank(wanted);
    if (need == 0)
        return 0;
    return StoredRank((*table)[static_cast<size_t>(function)]) >= need ? 1 : 0;
}
