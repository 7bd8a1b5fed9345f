#pragma once
// The keys of a list whose records are named by a text (an account's name, a community, an address): each name gets
// the next number the first time it comes, and keeps it, so that the rows are numbered 1, 2, 3 ... in the order
// they came to the list, across adds. The number is the row's key (its item data) and what its No. column shows.
//
//     rows_(*this, Columns(), [this](const NeSnmpCommunityRecord& rec) { return numbers_.Of(rec.community); })

#include <cstdint>
#include <map>
#include <string>

class CRowNumbers {
public:
    uint32_t Of(const std::string& name)
    {
        return numbers_.try_emplace(name, static_cast<uint32_t>(numbers_.size() + 1)).first->second;
    }
    // The lists numbers from 1 again.
    void Clear() { numbers_.clear(); }

private:
    std::map<std::string, uint32_t> numbers_;
};
