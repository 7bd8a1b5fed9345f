// A file of any content is checked as a firmware image, as one is before an upload, after a backup and when its
// information is shown: the check passes exactly the files that are a header, a payload of the header's length and
// the MD5 of both, and it says so without reading past the file or trusting the length it names.
#include "core/util/firmware_image.h"
#include "core/util/md5.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_file.h"

#include <cstdint>
#include <cstring>

namespace {

// Inputs beyond this add nothing a smaller image does not reach.
constexpr size_t kInputMax = 256 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kInputMax)
        return 0;
    static CFuzzFile file("image.enc");
    const std::string& path = file.Write(data, size);
    FuzzCheck(GetFileSizeByPath(path) == static_cast<int32_t>(size));
    FirmwareImageHeader header;
    const int checked = CheckImageFile(path, &header);
    FuzzCheck(checked == 0 || checked == -1);
    // What a sound image is, worked out here from its bytes.
    bool sound = size >= kFirmwareHeaderSize + kFirmwareDigestSize;
    if (sound) {
        const uint32_t length = static_cast<uint32_t>(data[0]) << 24 | static_cast<uint32_t>(data[1]) << 16 |
                                static_cast<uint32_t>(data[2]) << 8 | data[3];
        sound = static_cast<uint64_t>(length) + kFirmwareHeaderSize + kFirmwareDigestSize == size;
        if (sound) {
            Md5Context context;
            Md5Init(context);
            Md5Update(context, data, size - kFirmwareDigestSize);
            Md5Digest digest{};
            Md5Final(context, digest);
            sound = std::memcmp(digest.data(), data + size - kFirmwareDigestSize, kFirmwareDigestSize) == 0;
        }
    }
    FuzzCheck((checked == 0) == sound);
    if (sound) {
        FuzzCheck(std::memcmp(header.bytes.data(), data, kFirmwareHeaderSize) == 0);
        FuzzCheck(header.TypeName().size() < kFirmwareTypeWidth + 1 &&
                  header.Version().size() <= kFirmwareVersionWidth);
    }
    return 0;
}
