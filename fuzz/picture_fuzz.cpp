// Bytes of any shape go through the picture decoder: it either gives a picture within the size limits or says why
// not, and never decodes more than the limits allow.
#include "fuzz/picture_result.h"

#include <cstddef>
#include <cstdint>

namespace {

// Inputs beyond this add nothing a smaller picture does not reach.
constexpr size_t kInputMax = 1024 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kInputMax)
        return 0;
    CheckPictureResult(DecodePicture(data, size));
    return 0;
}
