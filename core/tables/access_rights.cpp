#include "core/tables/access_rights.h"

#include <cstring>

namespace {

// Every function denied.
void Clear(RightsTable& table)
{
    table.fill('-');
    table.back() = '\0';
}

std::array<RightsTable, kRightsRoleCount> MakeEmptyTables()
{
    std::array<RightsTable, kRightsRoleCount> tables{};
    for (RightsTable& table : tables)
        Clear(table);
    return tables;
}

std::array<RightsTable, kRightsRoleCount>& Tables()
{
    static std::array<RightsTable, kRightsRoleCount> tables = MakeEmptyTables();
    return tables;
}

// Rank of a letter on the ladder q < m < c < d < `top`; 0 for any other letter. Stored letters top out at 'a',
// wanted ones at 'x'.
int Rank(char letter, char top)
{
    static constexpr char kLadder[] = "qmcd";
    if (letter == top)
        return 5;
    const char* found = letter == '\0' ? nullptr : std::strchr(kLadder, letter);
    return found == nullptr ? 0 : static_cast<int>(found - kLadder) + 1;
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
    Clear(table);
    const size_t length = strnlen(text, kRightsTableSize - 1);
    std::memcpy(table.data(), text, length);
    return 0;
}

int SetAllUserRights(const char* administrator, const char* manager, const char* user)
{
    const char* texts[kRightsRoleCount] = {administrator, manager, user};
    for (int role = 0; role < kRightsRoleCount; ++role)
        SetUserRights(role, texts[role]);
    return 0;
}

void ClearUserRights()
{
    Tables() = MakeEmptyTables();
}

bool RightLetterGrants(char stored, char wanted)
{
    const int need = Rank(wanted, 'x');
    return need != 0 && Rank(stored, 'a') >= need;
}

int CheckUserRight(int role, int function, char wanted)
{
    const RightsTable* table = GetRightsTable(role);
    if (table == nullptr || function < 0 || function >= kRightsFunctionCount)
        return 0;
    return RightLetterGrants((*table)[static_cast<size_t>(function)], wanted) ? 1 : 0;
}
