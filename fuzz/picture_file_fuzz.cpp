// A file of any content goes through the picture loader's file entry, as the skins' and the maps' pictures do: it is
// refused or decoded within the limits, and the bytes of the file decide as they do from memory.
#include "fuzz/fuzz_file.h"
#include "ui/framework/skin/ie_picture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Inputs beyond this add nothing a smaller picture does not reach.
constexpr size_t kInputMax = 1024 * 1024;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kInputMax)
        return 0;
    static CFuzzFile file("map.bmp");
    const PictureDecodeResult result = DecodePictureFile(QString::fromStdString(file.Write(data, size)));
    if (result.error == PictureError::None) {
        Check(!result.image.isNull());
        Check(result.image.width() <= kPictureSideMax && result.image.height() <= kPictureSideMax);
        Check(static_cast<qint64>(result.image.width()) * result.image.height() <= kPicturePixelsMax);
    } else {
        Check(result.image.isNull());
    }
    Check(result.error == DecodePicture(data, size).error);
    return 0;
}
