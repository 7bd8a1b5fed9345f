#include "link/snmp/snmp_oid.h"

CSnmpOid::CSnmpOid(std::initializer_list<uint32_t> subIds) : subIds_(subIds)
{
    if (subIds_.size() > kSnmpMaxOidLength)
        subIds_.resize(kSnmpMaxOidLength);
}

CSnmpOid::CSnmpOid(std::vector<uint32_t> subIds) : subIds_(std::move(subIds))
{
    if (subIds_.size() > kSnmpMaxOidLength)
        subIds_.resize(kSnmpMaxOidLength);
}

std::optional<CSnmpOid> CSnmpOid::Parse(std::string_view text)
{
    if (!text.empty() && text.front() == '.')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    std::vector<uint32_t> subIds;
    size_t pos = 0;
    while (true) {
        size_t end = text.find('.', pos);
        std::string_view part = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        if (part.empty() || part.size() > 10)
            return std::nullopt;
        uint64_t value = 0;
        for (char c : part) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + static_cast<uint64_t>(c - '0');
        }
        if (value > 0xFFFFFFFFu || subIds.size() == kSnmpMaxOidLength)
            return std::nullopt;
        subIds.push_back(static_cast<uint32_t>(value));
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
    }
    return CSnmpOid(std::move(subIds));
}

std::string CSnmpOid::Format() const
{
    std::string text;
    for (size_t i = 0; i < subIds_.size(); ++i) {
        if (i != 0)
            text += '.';
        text += std::to_string(subIds_[i]);
    }
    return text;
}

bool CSnmpOid::Append(uint32_t subId)
{
    if (subIds_.size() >= kSnmpMaxOidLength)
        return false;
    subIds_.push_back(subId);
    return true;
}

bool CSnmpOid::Append(const CSnmpOid& tail)
{
    if (subIds_.size() + tail.subIds_.size() > kSnmpMaxOidLength)
        return false;
    subIds_.insert(subIds_.end(), tail.subIds_.begin(), tail.subIds_.end());
    return true;
}

CSnmpOid CSnmpOid::Appended(uint32_t subId) const
{
    if (subIds_.size() >= kSnmpMaxOidLength)
        return *this;
    // Sized once: the simulated NE makes an OID this way for every object it walks.
    CSnmpOid joined;
    joined.subIds_.reserve(subIds_.size() + 1);
    joined.subIds_ = subIds_;
    joined.subIds_.push_back(subId);
    return joined;
}

CSnmpOid CSnmpOid::Appended(const CSnmpOid& tail) const
{
    if (subIds_.size() + tail.subIds_.size() > kSnmpMaxOidLength)
        return *this;
    CSnmpOid joined;
    joined.subIds_.reserve(subIds_.size() + tail.subIds_.size());
    joined.subIds_ = subIds_;
    joined.subIds_.insert(joined.subIds_.end(), tail.subIds_.begin(), tail.subIds_.end());
    return joined;
}

bool CSnmpOid::IsPrefixOf(const CSnmpOid& other) const
{
    if (subIds_.size() > other.subIds_.size())
        return false;
    for (size_t i = 0; i < subIds_.size(); ++i) {
        if (subIds_[i] != other.subIds_[i])
            return false;
    }
    return true;
}

CSnmpOid CSnmpOid::SuffixOf(const CSnmpOid& other) const
{
    if (!IsPrefixOf(other))
        return CSnmpOid();
    return CSnmpOid(std::vector<uint32_t>(other.subIds_.begin() + static_cast<std::ptrdiff_t>(subIds_.size()),
                                          other.subIds_.end()));
}

int CompareOid(const CSnmpOid& a, const CSnmpOid& b)
{
    auto order = a <=> b;
    if (order < 0)
        return -1;
    return order > 0 ? 1 : 0;
}
