// A file of any content goes through the picture loader's file entry, as the skins' and the maps' pictures do: it is
// refused or decoded within the limits.
#include "fuzz/fuzz_file.h"
#include "fuzz/picture_result.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CFuzzFile file("map.bmp");
    CheckPictureResult(DecodePictureFile(QString::fromStdString(file.Write(data, size)), kFuzzPictureLimits));
    return 0;
}
