#pragma once
// What the picture fuzzers ask of the loader's every answer: a picture within the size limits, or a refusal without
// one.
#include "ui/framework/skin/ie_picture.h"

#include <cstdlib>

inline void CheckPictureResult(const PictureDecodeResult& result)
{
    const auto check = [](bool condition) {
        if (!condition)
            std::abort();
    };
    if (result.error == PictureError::None) {
        check(!result.image.isNull());
        check(result.image.width() <= kPictureSideMax && result.image.height() <= kPictureSideMax);
        check(static_cast<qint64>(result.image.width()) * result.image.height() <= kPicturePixelsMax);
    } else {
        check(result.image.isNull());
    }
}
