#include "ui/framework/shapes/shape_pictures.h"

#include "ui/framework/skin/ie_picture.h"

#include <QtGlobal>

int32_t CShapePictures::Add(QImage image)
{
    if (image.isNull())
        return 0;
    const int32_t handle = nextHandle_++;
    images_[handle] = std::move(image);
    return handle;
}

int32_t CShapePictures::Load(const QString& path)
{
    PictureDecodeResult decoded = DecodePictureFile(path);
    if (decoded.error != PictureError::None) {
        qWarning("Picture %s cannot be read: %s", qPrintable(path), qPrintable(decoded.reason));
        return 0;
    }
    return Add(std::move(decoded.image));
}

const QImage* CShapePictures::Find(int32_t handle) const
{
    auto found = images_.find(handle);
    return found == images_.end() ? nullptr : &found->second;
}

void CShapePictures::SetResource(int32_t id, QImage image)
{
    if (image.isNull())
        resources_.erase(id);
    else
        resources_[id] = std::move(image);
}

const QImage* CShapePictures::FindResource(int32_t id) const
{
    auto found = resources_.find(id);
    return found == resources_.end() ? nullptr : &found->second;
}

void CShapePictures::Clear()
{
    images_.clear();
    resources_.clear();
}

CShapePictures& ShapePictures()
{
    static CShapePictures pictures;
    return pictures;
}
