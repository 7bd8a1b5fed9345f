#pragma once
// A map whose copies share their contents until one of them is written: a copy of the simulated NE's MIB (its fuzzer
// takes one for every input) costs nothing for the tables it never writes. Reads go through the map's own const
// interface; a write asks for the map with Write(), which first takes a copy of its own when another one shares it.
// Single-threaded, as the MIB is.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>

template <typename Key, typename Value> class CSharedMap {
public:
    using Map = std::map<Key, Value>;
    using const_iterator = typename Map::const_iterator;

    const Map& Read() const { return *map_; }
    Map& Write()
    {
        if (map_.use_count() > 1)
            map_ = std::make_shared<Map>(*map_);
        ++writes_;
        return *map_;
    }
    // Which contents the map holds: while the stamp is the same, so are they, and what was worked out of them holds.
    std::pair<const void*, uint64_t> Stamp() const { return {map_.get(), writes_}; }

    const_iterator begin() const { return map_->begin(); }
    const_iterator end() const { return map_->end(); }
    const_iterator find(const Key& key) const { return map_->find(key); }
    const_iterator lower_bound(const Key& key) const { return map_->lower_bound(key); }
    const_iterator upper_bound(const Key& key) const { return map_->upper_bound(key); }
    size_t count(const Key& key) const { return map_->count(key); }
    size_t size() const { return map_->size(); }
    bool empty() const { return map_->empty(); }

private:
    std::shared_ptr<Map> map_ = std::make_shared<Map>();
    uint64_t writes_ = 0;
};
