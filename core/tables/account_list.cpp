#include "core/tables/account_list.h"

#include "core/tables/app_data.h"
#include "core/util/names.h"

#include <algorithm>

namespace {

std::string Cut(const std::string& text, size_t width)
{
    return text.size() > width ? text.substr(0, width) : text;
}

} // namespace

size_t CAccountList::LowerBound(const std::string& name) const
{
    auto it = std::lower_bound(accounts_.begin(), accounts_.end(), name,
                               [](const std::unique_ptr<CUserAccount>& account, const std::string& key) {
                                   return CompareNames(account->name.c_str(), key.c_str()) < 0;
                               });
    return static_cast<size_t>(it - accounts_.begin());
}

void CAccountList::Relink(size_t from, size_t to)
{
    // Every link from position `from` up to `to` may have changed.
    const size_t end = std::min(to + 1, accounts_.size());
    for (size_t i = from; i < end; ++i) {
        accounts_[i]->next_.account = i + 1 < accounts_.size() ? accounts_[i + 1].get() : nullptr;
    }
}

CUserAccount* CAccountList::UpsertAccount(const CUserAccount& values)
{
    const std::string name = Cut(values.name, CUserAccount::kNameMax);
    if (name.empty()) {
        return nullptr;
    }
    const size_t pos = LowerBound(name);
    CUserAccount* account = nullptr;
    uint32_t inScope = values.inScope;
    if (pos < accounts_.size() && CompareNames(accounts_[pos]->name.c_str(), name.c_str()) == 0) {
        account = accounts_[pos].get();
        inScope = account->inScope; // the scope marking is the scope's business, not the server's
    } else {
        accounts_.insert(accounts_.begin() + static_cast<std::ptrdiff_t>(pos), std::make_unique<CUserAccount>());
        account = accounts_[pos].get();
        Relink(pos == 0 ? 0 : pos - 1, pos);
    }
    *account = values;
    account->name = name;
    account->passwordDigest = Cut(values.passwordDigest, CUserAccount::kPasswordDigestMax);
    account->fullName = Cut(values.fullName, CUserAccount::kFullNameMax);
    account->telephone = Cut(values.telephone, CUserAccount::kTelephoneMax);
    account->division = Cut(values.division, CUserAccount::kDivisionMax);
    account->address = Cut(values.address, CUserAccount::kAddressMax);
    account->comment = Cut(values.comment, CUserAccount::kCommentMax);
    account->inScope = inScope;
    account->active = 1;
    return account;
}

bool CAccountList::RemoveAccount(const std::string& name)
{
    const size_t pos = LowerBound(name);
    if (pos >= accounts_.size() || CompareNames(accounts_[pos]->name.c_str(), name.c_str()) != 0) {
        return false;
    }
    accounts_.erase(accounts_.begin() + static_cast<std::ptrdiff_t>(pos));
    if (pos > 0) {
        Relink(pos - 1, pos - 1);
    }
    return true;
}

void CAccountList::Clear()
{
    accounts_.clear();
}

CUserAccount* CAccountList::FindUserAccount(const char* name) const
{
    if (name == nullptr) {
        return First();
    }
    const std::string key(name);
    const size_t pos = LowerBound(key);
    if (pos < accounts_.size() && CompareNames(accounts_[pos]->name.c_str(), key.c_str()) == 0) {
        return accounts_[pos].get();
    }
    return nullptr;
}

CUserAccount* FindUserAccount(const char* name)
{
    return AppData().accounts.FindUserAccount(name);
}
