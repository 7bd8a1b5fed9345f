#pragma once
// What the picture fuzzers ask of the loader's every answer: a picture within the size limits, or a refusal without
// one.
#include "fuzz/fuzz_check.h"
#include "ui/framework/skin/ie_picture.h"

// The limits the fuzzers decode within: a small picture takes every path of the loader a large one does, its refusal
// of one too large included, without the time a large image's memory costs every run.
inline constexpr PictureLimits kFuzzPictureLimits{1024 * 1024, 256 * 256, 1024};

inline void CheckPictureResult(const PictureDecodeResult& result)
{
    if (result.error == PictureError::None) {
        FuzzCheck(!result.image.isNull());
        FuzzCheck(result.image.width() <= kFuzzPictureLimits.sideMax &&
                  result.image.height() <= kFuzzPictureLimits.sideMax);
        FuzzCheck(static_cast<qint64>(result.image.width()) * result.image.height() <= kFuzzPictureLimits.pixelsMax);
    } else {
        FuzzCheck(result.image.isNull());
    }
}
