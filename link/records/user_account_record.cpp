#include "link/records/user_account_record.h"

std::string RoleLetterFromIndex(int role)
{
    switch (role) {
    case 0:
        return "A";
    case 1:
        return "B";
    case 2:
        return "C";
    default:
        return {};
    }
}
