// A local file of any content is checked as a configuration backup before a restore: it passes exactly when its first
// line, within the first 40 bytes, is 32 lower-case hexadecimal digits ended by a carriage return and a line feed, and
// they are the MD5 of everything after them; its length is the file's.
#include "core/util/md5.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_file.h"
#include "link/ftp/ftp_config_transfer.h"

#include <cstdint>
#include <string_view>

namespace {

constexpr size_t kInputMax = 256 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kInputMax)
        return 0;
    static CFuzzFile file("backup.cfg");
    const LocalConfigCheck check = CheckLocalCfgFile(file.Write(data, size));
    FuzzCheck(check.result != LocalConfigCheck::kCannotOpen);
    FuzzCheck(check.length == size);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool sound = size >= kConfigBackupHeaderSize && text.substr(kConfigDigestDigits, 2) == "\r\n" &&
                       text.substr(0, kConfigDigestDigits) == Md5HexString(text.substr(kConfigBackupHeaderSize));
    FuzzCheck((check.result == LocalConfigCheck::kSound) == sound);
    return 0;
}
