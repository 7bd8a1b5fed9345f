#include "core/tables/user_account.h"

#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"
#include "core/util/md5.h"
#include "core/util/names.h"

#include <cstring>

std::string CUserAccount::GetLocationName(const CLocationTree& tree) const
{
    const CLocationNode* node = tree.FindLocation(locationId);
    return node == nullptr ? std::string() : node->name;
}

std::string CUserAccount::GetLocationName() const
{
    return GetLocationName(AppData().locations);
}

int RoleIndexFromLetter(const char* text)
{
    if (text == nullptr) {
        return kRoleNone;
    }
    if (std::strcmp(text, "A") == 0) {
        return kRoleAdministrator;
    }
    if (std::strcmp(text, "B") == 0) {
        return kRoleManager;
    }
    if (std::strcmp(text, "C") == 0) {
        return kRoleUser;
    }
    return kRoleNone;
}

int CompareRoles(int myRole, int otherRole)
{
    const bool otherKnown = otherRole >= kRoleAdministrator && otherRole <= kRoleUser;
    if (myRole < kRoleAdministrator || myRole > kRoleUser) {
        return otherKnown ? -1 : 0;
    }
    if (otherRole == myRole) {
        return 0;
    }
    // A known role of more privilege than mine is above me; every other role, also an unknown one, is below.
    return otherKnown && otherRole < myRole ? -1 : 1;
}

bool MayManageAccount(int myRole, std::string_view myName, int otherRole, std::string_view otherName)
{
    const int compared = CompareRoles(myRole, otherRole);
    if (compared != 0)
        return compared > 0;
    return myRole == kRoleAdministrator || CompareNames(myName, otherName) == 0;
}

bool MayGiveRole(int myRole, int role, bool ownAccount)
{
    switch (myRole) {
    case kRoleAdministrator:
        return role >= kRoleAdministrator && role <= kRoleUser;
    case kRoleManager:
        return role == kRoleUser || (role == kRoleManager && ownAccount);
    case kRoleUser:
        return role == kRoleUser && ownAccount;
    default:
        return false;
    }
}

std::string PasswordDigestText(std::string_view password)
{
    return Md5HexString(password).substr(0, kPasswordDigestDigits);
}
