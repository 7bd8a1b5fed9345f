#include "link/server/account_apply.h"

#include <set>
#include <vector>

#include "link/driver_logs.h"
#include "link/records/user_account_record.h"
#include "link/records/user_rights_record.h"

namespace {

CUserAccount AccountFromRecord(const UserAccountRecord& rec)
{
    CUserAccount account;
    account.name = rec.name;
    account.passwordDigest = rec.passwordDigest;
    account.fullName = rec.fullName;
    account.telephone = rec.telephone;
    account.division = rec.division;
    account.address = rec.address;
    account.locationId = rec.locationId;
    account.role = RoleIndexFromLetter(rec.roleLetter.c_str());
    account.comment = rec.comment;
    return account;
}

// The tree shows the members of each location, and accounts carry the in-scope flag.
void AccountsChanged(CAppData& app)
{
    app.MarkLocationTreeChanged();
    app.SetUserLocationScope(app.scopeLocationId);
}

} // namespace

void ApplyUserAccounts(CServerApplyContext& context, const EmsMsg& msg)
{
    CAppData& app = context.App();
    const bool wholeList = msg.requestCode == kReqUserAccount && IsQueryReply(msg);
    const std::optional<uint32_t> usable = UsableRecordCount(msg, kUserAccountRecordSize);
    if (!usable || (*usable == 0 && !wholeList)) {
        return;
    }
    const uint32_t count = *usable;
    std::set<std::string> received;
    for (uint32_t i = 0; i < count; ++i) {
        UserAccountRecord rec;
        DecodeRecord(EmsRecordAt(msg, i), kUserAccountRecordSize, &rec);
        const CUserAccount* account = app.accounts.UpsertAccount(AccountFromRecord(rec));
        if (account == nullptr) {
            WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: account record without a name ignored");
            continue;
        }
        received.insert(account->name);
        if (account->name == app.GetLoginUserName()) {
            app.role = account->role;
        }
    }
    if (wholeList) {
        std::vector<std::string> gone;
        for (const CUserAccount* account = app.accounts.First(); account != nullptr; account = account->GetNext()) {
            if (received.count(account->name) == 0) {
                gone.push_back(account->name);
            }
        }
        for (const std::string& name : gone) {
            app.accounts.RemoveAccount(name);
        }
    }
    AccountsChanged(app);
}

void ApplyUserAccountRemoval(CServerApplyContext& context, const EmsMsg& msg)
{
    CAppData& app = context.App();
    const uint32_t count = UsableRecordCount(msg, kUserAccountRecordSize).value_or(0);
    bool removed = false;
    for (uint32_t i = 0; i < count; ++i) {
        UserAccountRecord rec;
        DecodeRecord(EmsRecordAt(msg, i), kUserAccountRecordSize, &rec);
        removed = app.accounts.RemoveAccount(rec.name) || removed;
    }
    if (removed) {
        AccountsChanged(app);
    }
}

void ApplyUserRights(CServerApplyContext& context, const EmsMsg& msg)
{
    // The three 128-byte slots travel as one record or as three; either way they follow each other.
    const uint64_t bytes = EmsRecordBytes(msg);
    if (bytes < kUserRightsRecordSize || msg.records == nullptr) {
        WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: rights of %lu bytes (not %lu) ignored",
                       static_cast<unsigned long>(bytes), static_cast<unsigned long>(kUserRightsRecordSize));
        return;
    }
    UserRightsRecord rights;
    DecodeRecord(static_cast<const uint8_t*>(msg.records), kUserRightsRecordSize, &rights);
    const auto& setAll = context.Options().setAllUserRights;
    if (!setAll) {
        WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: rights received with nobody to take them");
        return;
    }
    setAll(rights.rights[0], rights.rights[1], rights.rights[2]);
}
