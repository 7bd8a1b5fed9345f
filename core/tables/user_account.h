#pragma once
// One operator account of the management server, as the client holds it, and the role rules.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CLocationTree;

// Role numbers: a lower number has more privilege.
inline constexpr int kRoleAdministrator = 0;
inline constexpr int kRoleManager = 1;
inline constexpr int kRoleUser = 2;
inline constexpr int kRoleNone = -1;

class CUserAccount {
public:
    // Widths of the texts, in characters.
    static constexpr size_t kNameMax = 10;
    static constexpr size_t kPasswordDigestMax = 10;
    static constexpr size_t kFullNameMax = 20;
    static constexpr size_t kTelephoneMax = 20;
    static constexpr size_t kDivisionMax = 20;
    static constexpr size_t kAddressMax = 60;
    static constexpr size_t kCommentMax = 60;

    std::string name; // the key of the account list; changes only through CAccountList
    std::string passwordDigest;
    std::string fullName;
    std::string telephone;
    std::string division;
    std::string address;
    std::string comment;
    uint32_t locationId = 0; // 0 = the root of the location tree
    int role = kRoleNone;
    uint32_t active = 0;  // set to 1 when the account enters the list
    uint32_t inScope = 1; // 1 inside the operator's location scope, or when there is no scope

    // The next account in name order, or null after the last.
    CUserAccount* GetNext() const { return next_.account; }

    // Name of the account's location; empty when it is not in the tree.
    std::string GetLocationName(const CLocationTree& tree) const;
    // The same in the application's tree.
    std::string GetLocationName() const;

private:
    friend class CAccountList;
    // A copy of an account is linked to no list.
    struct Next {
        Next() = default;
        Next(const Next&) {}
        Next& operator=(const Next&) { return *this; }
        CUserAccount* account = nullptr;
    };
    Next next_;
};

// "A" 0, "B" 1, "C" 2; any other text, or none, -1. The whole text counts, case-sensitive.
int RoleIndexFromLetter(const char* text);

// Whether my role is below (-1), equal to (0) or above (1) another account's role.
int CompareRoles(int myRole, int otherRole);

// Whether an operator may open, change or delete another account: an Administrator every account; a Manager the
// accounts of Users, and its own; a User only its own. An unknown role of the operator opens nothing but its own.
bool MayManageAccount(int myRole, std::string_view myName, int otherRole, std::string_view otherName);

// Whether an operator may give an account a role: an Administrator any role; a Manager the User role, and the Manager
// role only to its own account; a User the User role only to its own account.
bool MayGiveRole(int myRole, int role, bool ownAccount);

// What the server keeps of a password: the first 10 of the 32 lower-case hex digits of its MD5, for any password
// (an empty one too). It is all the server compares at login, so it stands for the password wherever it travels.
std::string PasswordDigestText(std::string_view password);
inline constexpr size_t kPasswordDigestDigits = 10;
