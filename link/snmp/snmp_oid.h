#pragma once
// An SNMP object identifier: up to 128 sub-identifiers of 32 bits each.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kSnmpMaxOidLength = 128;

class CSnmpOid {
public:
    CSnmpOid() = default;
    CSnmpOid(std::initializer_list<uint32_t> subIds);
    explicit CSnmpOid(std::vector<uint32_t> subIds);

    // Dotted text ("1.3.6.1.2.1.1.3.0", a leading dot allowed); nullopt for anything else, for a sub-id beyond 32
    // bits and for more than 128 sub-ids.
    static std::optional<CSnmpOid> Parse(std::string_view text);
    std::string Format() const;

    const std::vector<uint32_t>& SubIds() const { return subIds_; }
    size_t Size() const { return subIds_.size(); }
    bool Empty() const { return subIds_.empty(); }
    uint32_t operator[](size_t i) const { return subIds_[i]; }

    // False (and unchanged) when the result would exceed 128 sub-ids.
    bool Append(uint32_t subId);
    bool Append(const CSnmpOid& tail);
    CSnmpOid Appended(uint32_t subId) const;
    CSnmpOid Appended(const CSnmpOid& tail) const;

    // True when this OID is a prefix of (or equal to) `other`.
    bool IsPrefixOf(const CSnmpOid& other) const;
    // The sub-ids of `other` after this prefix; empty when this is no proper prefix of it.
    CSnmpOid SuffixOf(const CSnmpOid& other) const;

    // Lexicographic order of the sub-ids, the order of GET-NEXT.
    std::strong_ordering operator<=>(const CSnmpOid& other) const { return subIds_ <=> other.subIds_; }
    bool operator==(const CSnmpOid& other) const = default;

private:
    std::vector<uint32_t> subIds_;
};

// Compares two OIDs: negative, 0 or positive.
int CompareOid(const CSnmpOid& a, const CSnmpOid& b);
