// Bytes of any shape go through the picture decoder: it either gives a picture within the size limits or says why
// not, and never decodes more than the limits allow.
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
    const PictureDecodeResult result = DecodePicture(data, size);
    if (result.error == PictureError::None) {
        Check(!result.image.isNull());
        Check(result.image.width() <= kPictureSideMax && result.image.height() <= kPictureSideMax);
        Check(static_cast<qint64>(result.image.width()) * result.image.height() <= kPicturePixelsMax);
    } else {
        Check(result.image.isNull());
    }
    return 0;
}
