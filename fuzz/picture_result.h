#pragma once
// What the picture fuzzers ask of the loader's every answer: a picture within the size limits, or a refusal without
// one.
#include "fuzz/fuzz_check.h"
#include "ui/framework/skin/ie_picture.h"

inline void CheckPictureResult(const PictureDecodeResult& result)
{
    if (result.error == PictureError::None) {
        FuzzCheck(!result.image.isNull());
        FuzzCheck(result.image.width() <= kPictureSideMax && result.image.height() <= kPictureSideMax);
        FuzzCheck(static_cast<qint64>(result.image.width()) * result.image.height() <= kPicturePixelsMax);
    } else {
        FuzzCheck(result.image.isNull());
    }
}
