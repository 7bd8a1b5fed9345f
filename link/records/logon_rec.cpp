#include "link/records/logon_rec.h"

#include "core/util/utf8_text.h"

namespace {

// A name cut where its terminating zero belongs keeps whole characters only, as the workstation would have sent it.
void CutAt(std::string& text, size_t width)
{
    text.resize(Utf8WholePrefix(text, width - 1).size());
}

} // namespace

bool DecodeLogonRec(const uint8_t* data, size_t size, LogonRec& rec)
{
    if (size != kLogonRecSize || !DecodeRecord(data, size, &rec)) {
        return false;
    }
    CutAt(rec.userName, kLogonNameSize);
    CutAt(rec.passwordDigest, kLogonDigestSize);
    return true;
}
