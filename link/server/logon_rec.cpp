#include "link/server/logon_rec.h"

#include <algorithm>
#include <cstring>

namespace {

void PutText(uint8_t* out, size_t fieldSize, const std::string& text)
{
    const size_t n = std::min(text.size(), fieldSize - 1);
    std::memcpy(out, text.data(), n);
}

std::string GetText(const uint8_t* in, size_t fieldSize)
{
    const auto* begin = reinterpret_cast<const char*>(in);
    return std::string(begin, strnlen(begin, fieldSize - 1));
}

} // namespace

std::array<uint8_t, kLogonRecSize> EncodeLogonRec(const LogonRec& rec)
{
    std::array<uint8_t, kLogonRecSize> out{};
    PutText(out.data() + kLogonNameOffset, kLogonNameSize, rec.userName);
    PutText(out.data() + kLogonDigestOffset, kLogonDigestSize, rec.passwordDigest);
    out[kLogonTrapPortOffset] = static_cast<uint8_t>(rec.trapPort & 0xFF);
    out[kLogonTrapPortOffset + 1] = static_cast<uint8_t>(rec.trapPort >> 8);
    return out;
}

bool DecodeLogonRec(const uint8_t* data, size_t size, LogonRec& rec)
{
    if (data == nullptr || size != kLogonRecSize) {
        return false;
    }
    rec.userName = GetText(data + kLogonNameOffset, kLogonNameSize);
    rec.passwordDigest = GetText(data + kLogonDigestOffset, kLogonDigestSize);
    rec.trapPort = static_cast<uint16_t>(data[kLogonTrapPortOffset] | (data[kLogonTrapPortOffset + 1] << 8));
    return true;
}
