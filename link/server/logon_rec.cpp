#include "link/server/logon_rec.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

std::array<uint8_t, kLogonRecSize> EncodeLogonRec(const LogonRec& rec)
{
    std::array<uint8_t, kLogonRecSize> out{};
    PutText(out.data(), kLogonNameOffset, kLogonNameSize, rec.userName);
    PutText(out.data(), kLogonDigestOffset, kLogonDigestSize, rec.passwordDigest);
    PutU16(out.data(), kLogonTrapPortOffset, rec.trapPort);
    return out;
}

bool DecodeLogonRec(const uint8_t* data, size_t size, LogonRec& rec)
{
    if (data == nullptr || size != kLogonRecSize) {
        return false;
    }
    // A text ends at its first zero or, at the latest, where its terminating zero belongs.
    rec.userName = GetText(data, kLogonNameOffset, kLogonNameSize - 1);
    rec.passwordDigest = GetText(data, kLogonDigestOffset, kLogonDigestSize - 1);
    rec.trapPort = GetU16(data, kLogonTrapPortOffset);
    return true;
}
