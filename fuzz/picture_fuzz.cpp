// Bytes of any shape go through the picture decoder: it either gives a picture within the size limits or says why
// not, and never decodes more than the limits allow.
#include "fuzz/picture_result.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Inputs beyond the file limit add nothing a smaller picture does not reach.
    if (size > static_cast<size_t>(kFuzzPictureLimits.fileMax))
        return 0;
    CheckPictureResult(DecodePicture(data, size, kFuzzPictureLimits));
    return 0;
}
