#pragma once
// The NE table: the NE records, owned here, with three indexes (by id, by address and port, by name) and the chain of
// records in name order (CompareNames). Id, name and (address, port) are each unique.

#include "core/tables/ne_record.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

enum class NeResult {
    kOk,
    kInvalidId,        // NE id 0 addresses the server, never an NE
    kDuplicateId,      // another record has the id
    kDuplicateName,    // another record has the name
    kDuplicateAddress, // another record has the address and port
    kNotFound,
};

class CNeTable {
  public:
    CNeTable() = default;
    CNeTable(const CNeTable&) = delete;
    CNeTable& operator=(const CNeTable&) = delete;
    ~CNeTable();

    // Inserts a copy of the record; the name and texts are cut to their widths and the copy is marked in use. A
    // record without an entity tree gets the tree of its NE model. On success *added (optional) points at the copy.
    NeResult AddNe(const CNeRecord& record, CNeRecord** added = nullptr);
    NeResult RemoveNe(uint32_t id);
    // Change the keys of a record in the table; refused when another record has them.
    NeResult RenameNe(uint32_t id, std::string_view name);
    NeResult SetNeAddress(uint32_t id, const IpAddress& address, uint16_t port);
    // Frees all records.
    void ClearNeTable();

    CNeRecord* FindNeById(uint32_t id) const;
    // Address and port must both match.
    CNeRecord* FindNeByAddress(const IpAddress& address, uint16_t port) const;
    CNeRecord* FindNeByName(std::string_view name) const;
    // With null, the first record in name order (null when the table is empty); else the record looked up again by
    // its id.
    CNeRecord* ResolveNeRecord(const CNeRecord* record) const;

    size_t Count() const { return byId_.size(); }
    // How many records the table has let go (removed or cleared), ever: while it stays the same, a record looked up
    // before is still there.
    uint64_t RemovalCount() const { return removals_; }

  private:
    struct NameLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using NameIndex = std::map<std::string, CNeRecord*, NameLess>;

    static uint64_t AddressKey(const IpAddress& address, uint16_t port);
    // Re-links the record at that name position and its predecessor.
    void LinkByName(NameIndex::iterator it);
    void UnlinkByName(NameIndex::iterator it);

    // Looked up by id for every cell a list of NEs shows and every row it sorts.
    std::unordered_map<uint32_t, std::unique_ptr<CNeRecord>> byId_;
    std::map<uint64_t, CNeRecord*> byAddress_;
    NameIndex byName_;
    uint64_t removals_ = 0;
};

// The application's NE table (AppData()).
NeResult AddNe(const CNeRecord& record, CNeRecord** added = nullptr);
NeResult RemoveNe(uint32_t id);
CNeRecord* FindNeById(uint32_t id);
CNeRecord* FindNeByAddress(const IpAddress& address, uint16_t port);
CNeRecord* FindNeByName(std::string_view name);
CNeRecord* ResolveNeRecord(const CNeRecord* record);
void ClearNeTable();
