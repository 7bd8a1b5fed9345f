#include "core/tables/ne_table.h"

#include "core/tables/app_data.h"
#include "core/util/names.h"

#include <iterator>

namespace {

std::string Cut(std::string_view text, size_t width)
{
    return std::string(text.substr(0, width));
}

// The index entry of a record: by its key, else (a key changed behind the table's back) by the record itself.
template <typename Index, typename Key>
typename Index::iterator FindIndexEntry(Index& index, const Key& key, const CNeRecord* record)
{
    auto it = index.find(key);
    if (it != index.end() && it->second == record) {
        return it;
    }
    for (it = index.begin(); it != index.end(); ++it) {
        if (it->second == record) {
            break;
        }
    }
    return it;
}

} // namespace

bool CNeTable::NameLess::operator()(std::string_view a, std::string_view b) const
{
    return CompareNames(a, b) < 0;
}

CNeTable::~CNeTable() = default;

uint64_t CNeTable::AddressKey(const IpAddress& address, uint16_t port)
{
    return static_cast<uint64_t>(IpToUInt32(address)) << 16 | port;
}

void CNeTable::LinkByName(NameIndex::iterator it)
{
    auto next = std::next(it);
    it->second->next_ = next == byName_.end() ? nullptr : next->second;
    if (it != byName_.begin()) {
        std::prev(it)->second->next_ = it->second;
    }
}

void CNeTable::UnlinkByName(NameIndex::iterator it)
{
    if (it != byName_.begin()) {
        std::prev(it)->second->next_ = it->second->next_;
    }
    it->second->next_ = nullptr;
}

NeResult CNeTable::AddNe(const CNeRecord& record, CNeRecord** added)
{
    if (added != nullptr) {
        *added = nullptr;
    }
    if (record.neId == 0) {
        return NeResult::kInvalidId;
    }
    if (byId_.contains(record.neId)) {
        return NeResult::kDuplicateId;
    }
    std::string name = Cut(record.name, CNeRecord::kNameMax);
    if (byName_.contains(name)) {
        return NeResult::kDuplicateName;
    }
    const uint64_t addressKey = AddressKey(record.address, record.port);
    if (byAddress_.contains(addressKey)) {
        return NeResult::kDuplicateAddress;
    }

    auto copy = std::make_unique<CNeRecord>(record);
    copy->name = name;
    copy->SetLoginUser(record.loginUser);
    copy->SetLoginPassword(record.loginPassword);
    copy->community = Cut(record.community, CNeRecord::kCommunityMax);
    copy->inUse = 1;
    if (copy->root == nullptr) {
        copy->BuildEntityTree();
    }
    CNeRecord* raw = copy.get();
    byId_.emplace(raw->neId, std::move(copy));
    byAddress_.emplace(addressKey, raw);
    LinkByName(byName_.emplace(std::move(name), raw).first);
    if (added != nullptr) {
        *added = raw;
    }
    return NeResult::kOk;
}

NeResult CNeTable::RemoveNe(uint32_t id)
{
    auto it = byId_.find(id);
    if (it == byId_.end()) {
        return NeResult::kNotFound;
    }
    CNeRecord* record = it->second.get();
    auto byName = FindIndexEntry(byName_, record->name, record);
    UnlinkByName(byName);
    byName_.erase(byName);
    byAddress_.erase(FindIndexEntry(byAddress_, AddressKey(record->address, record->port), record));
    byId_.erase(it);
    ++removals_;
    return NeResult::kOk;
}

NeResult CNeTable::RenameNe(uint32_t id, std::string_view name)
{
    CNeRecord* record = FindNeById(id);
    if (record == nullptr) {
        return NeResult::kNotFound;
    }
    std::string newName = Cut(name, CNeRecord::kNameMax);
    if (newName == record->name) {
        return NeResult::kOk;
    }
    if (byName_.contains(newName)) {
        return NeResult::kDuplicateName;
    }
    auto old = FindIndexEntry(byName_, record->name, record);
    UnlinkByName(old);
    byName_.erase(old);
    record->name = newName;
    LinkByName(byName_.emplace(std::move(newName), record).first);
    return NeResult::kOk;
}

NeResult CNeTable::SetNeAddress(uint32_t id, const IpAddress& address, uint16_t port)
{
    CNeRecord* record = FindNeById(id);
    if (record == nullptr) {
        return NeResult::kNotFound;
    }
    const uint64_t oldKey = AddressKey(record->address, record->port);
    const uint64_t newKey = AddressKey(address, port);
    if (newKey == oldKey) {
        return NeResult::kOk;
    }
    if (byAddress_.contains(newKey)) {
        return NeResult::kDuplicateAddress;
    }
    byAddress_.erase(FindIndexEntry(byAddress_, oldKey, record));
    record->address = address;
    record->port = port;
    byAddress_.emplace(newKey, record);
    return NeResult::kOk;
}

void CNeTable::ClearNeTable()
{
    removals_ += byId_.size();
    byName_.clear();
    byAddress_.clear();
    byId_.clear();
}

CNeRecord* CNeTable::FindNeById(uint32_t id) const
{
    auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second.get();
}

CNeRecord* CNeTable::FindNeByAddress(const IpAddress& address, uint16_t port) const
{
    auto it = byAddress_.find(AddressKey(address, port));
    return it == byAddress_.end() ? nullptr : it->second;
}

CNeRecord* CNeTable::FindNeByName(std::string_view name) const
{
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

CNeRecord* CNeTable::ResolveNeRecord(const CNeRecord* record) const
{
    if (record == nullptr) {
        return byName_.empty() ? nullptr : byName_.begin()->second;
    }
    return FindNeById(record->neId);
}

NeResult AddNe(const CNeRecord& record, CNeRecord** added)
{
    return AppData().nes.AddNe(record, added);
}

NeResult RemoveNe(uint32_t id)
{
    return AppData().nes.RemoveNe(id);
}

CNeRecord* FindNeById(uint32_t id)
{
    return AppData().nes.FindNeById(id);
}

CNeRecord* FindNeByAddress(const IpAddress& address, uint16_t port)
{
    return AppData().nes.FindNeByAddress(address, port);
}

CNeRecord* FindNeByName(std::string_view name)
{
    return AppData().nes.FindNeByName(name);
}

CNeRecord* ResolveNeRecord(const CNeRecord* record)
{
    return AppData().nes.ResolveNeRecord(record);
}

void ClearNeTable()
{
    AppData().nes.ClearNeTable();
}
