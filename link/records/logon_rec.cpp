#include "link/records/logon_rec.h"

#include <algorithm>

bool DecodeLogonRec(const uint8_t* data, size_t size, LogonRec& rec)
{
    if (size != kLogonRecSize || !DecodeRecord(data, size, &rec)) {
        return false;
    }
    rec.userName.resize(std::min(rec.userName.size(), kLogonNameSize - 1));
    rec.passwordDigest.resize(std::min(rec.passwordDigest.size(), kLogonDigestSize - 1));
    return true;
}
