#include "ui/framework/shapes/shape_pictures.h"

#include "core/entity/entity_model_set.h"
#include "core/ini/file_path.h"
#include "ui/framework/skin/ie_picture.h"

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
    CIEPicture picture;
    if (picture.LoadFromFile(path) == 0)
        return 0;
    return Add(picture.GetImage());
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

void CShapePictures::ClearImages()
{
    images_.clear();
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

void LoadImageList(CEntityModelSet& models)
{
    CShapePictures& pictures = ShapePictures();
    pictures.ClearImages();
    const std::vector<CEntityImage>& images = models.GetImages();
    for (size_t k = 1; k <= images.size(); ++k) {
        const std::string& file = images[k - 1].file;
        const int32_t handle = file.empty() ? 0 : pictures.Load(QString::fromStdString(ResolveFilePath(file)));
        models.SetImageHandle(static_cast<int>(k), static_cast<uintptr_t>(handle));
    }
}
