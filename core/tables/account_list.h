#pragma once
// The server's operator accounts, sorted by name in the order of CompareNames, each linking its successor.

#include "core/tables/user_account.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CAccountList {
  public:
    CAccountList() = default;
    CAccountList(const CAccountList&) = delete;
    CAccountList& operator=(const CAccountList&) = delete;

    // Adds the account, or replaces the values of the one with its name; texts are cut to their widths and the
    // account is marked active. Null, with the list unchanged, when the name is empty.
    CUserAccount* UpsertAccount(const CUserAccount& values);
    // False when there is no account of that name.
    bool RemoveAccount(const std::string& name);
    void Clear();

    // The account of that name, or null; with null, the first account (null when the list is empty).
    CUserAccount* FindUserAccount(const char* name) const;
    CUserAccount* FindUserAccount(const std::string& name) const { return FindUserAccount(name.c_str()); }
    CUserAccount* First() const { return accounts_.empty() ? nullptr : accounts_.front().get(); }
    size_t Count() const { return accounts_.size(); }

  private:
    // Position of the first account whose name does not sort before the given one.
    size_t LowerBound(const std::string& name) const;
    void Relink(size_t from, size_t to);

    std::vector<std::unique_ptr<CUserAccount>> accounts_;
};

// The application's account list (AppData()).
CUserAccount* FindUserAccount(const char* name);
inline CUserAccount* FindUserAccount(const std::string& name)
{
    return FindUserAccount(name.c_str());
}
