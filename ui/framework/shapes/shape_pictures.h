#pragma once
// The pictures the picture shapes draw: the template file's image list, whose entries the shapes name by handle, and
// the program's own bitmaps, named by resource id. Handles are small positive numbers, so that they fit the 32-bit
// words of a ShapeRecord; 0 is no picture.

#include <QImage>
#include <QString>

#include <cstdint>
#include <map>

class CShapePictures {
public:
    // Keeps a picture and returns its handle; 0 for a null image.
    int32_t Add(QImage image);
    // Reads a picture file (bmp, jpg, gif, png ...); 0 when it cannot be read, with a warning in the log.
    int32_t Load(const QString& path);
    // The picture of a handle, null for 0 or an unknown handle.
    const QImage* Find(int32_t handle) const;

    void SetResource(int32_t id, QImage image);
    const QImage* FindResource(int32_t id) const;

    void Clear();

private:
    std::map<int32_t, QImage> images_;
    std::map<int32_t, QImage> resources_;
    int32_t nextHandle_ = 1;
};

// The program's pictures.
CShapePictures& ShapePictures();
