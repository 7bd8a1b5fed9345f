#pragma once
// The pictures the picture shapes draw: the template file's image list, whose entries the shapes name by handle, and
// the program's own bitmaps, named by resource id. Handles are small positive numbers, so that they fit the 32-bit
// words of a ShapeRecord; 0 is no picture. Picture files are read through the picture loader (CIEPicture), which
// reports a picture that cannot be had.

#include <QImage>
#include <QString>

#include <cstdint>
#include <map>

class CShapePictures {
public:
    // Keeps a picture and returns its handle; 0 for a null image.
    int32_t Add(QImage image);
    // Reads a picture file (bmp, jpg, gif, png ...); 0 when it cannot be read.
    int32_t Load(const QString& path);
    // The picture of a handle, null for 0 or an unknown handle.
    const QImage* Find(int32_t handle) const;

    void SetResource(int32_t id, QImage image);
    const QImage* FindResource(int32_t id) const;

    // Lets the image list's pictures go; the bitmaps stay.
    void ClearImages();
    void Clear();

private:
    std::map<int32_t, QImage> images_;
    std::map<int32_t, QImage> resources_;
    int32_t nextHandle_ = 1;
};

class CEntityModelSet;

// The program's pictures.
CShapePictures& ShapePictures();

// Loads the image list of the entity definitions into the program's pictures, in place of the one loaded before, and
// gives each entry the handle of its picture (0 for an entry without a file or whose picture cannot be had).
void LoadImageList(CEntityModelSet& models);
