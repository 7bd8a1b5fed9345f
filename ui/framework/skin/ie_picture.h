#pragma once
// CIEPicture: the program's picture loader. A picture file or picture bytes (any format the platform's image readers
// know: bmp, png, jpg, gif, svg ...) are loaded, drawn stretched into a rectangle, sized in pixels at a device's
// resolution, and saved in the format they came in. The entity images, the map pictures and the map's export go
// through it:
//
//     CIEPicture picture;
//     if (picture.LoadFromFile(path))            // or LoadFromBuffer(bytes, size)
//         Use(picture.GetImage());
//
// Failures are answered with 0 and reported in a box captioned "CIEPicture Error" with the stop icon: bytes that are
// no picture ("IPicture interface is not supported"), a picture above the size limits, which is refused before it is
// decoded, and a drawing that fails ("Can not allocate enough memory"). A file that cannot be opened or created is
// reported by the program's own message box with the file's error; a save that fails is followed by the
// "CIEPicture Error" box. A picture made with Reports::None refuses the same without a box (a preview that just stays
// empty).
//
// Sizes are kept as the platform's picture objects keep them, in HIMETRIC units (0.01 mm, 2540 per inch), taken from
// the pixels at 96 pixels per inch.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>

class Dc;

// Limits of what is decoded: the file, the pixel count and either side.
inline constexpr qint64 kPictureFileMax = 256LL * 1024 * 1024;
inline constexpr qint64 kPicturePixelsMax = 64LL * 1024 * 1024;
inline constexpr int kPictureSideMax = 32768;

struct PictureLimits {
    qint64 fileMax = kPictureFileMax;
    qint64 pixelsMax = kPicturePixelsMax;
    int sideMax = kPictureSideMax;
};
// The program's own; a caller that wants less (the fuzzers) passes smaller ones.
inline constexpr PictureLimits kPictureLimits{};

enum class PictureError {
    None,
    NotAPicture, // empty, unknown format or damaged
    TooLarge,    // above the limits
};

struct PictureDecodeResult {
    QImage image; // null unless error is None
    PictureError error = PictureError::None;
    QString reason; // what the reader said
};

// Decodes picture bytes; the size is checked from the picture's header before any pixel is decoded, and no image
// above the limits is allocated.
PictureDecodeResult DecodePicture(const uint8_t* bytes, size_t size, const PictureLimits& limits = kPictureLimits);
// The same for a picture file, whose size is checked before it is read; `reason` says why it could not be had.
PictureDecodeResult DecodePictureFile(const QString& path, const PictureLimits& limits = kPictureLimits);

class CIEPicture {
public:
    static constexpr char kErrorCaption[] = "CIEPicture Error";
    static constexpr char kTextNoMemory[] = "Can not allocate enough memory\t";
    static constexpr char kTextNoInterface[] = "IPicture interface is not supported\t";

    enum class Reports { Boxes, None };

    explicit CIEPicture(Reports reports = Reports::Boxes) : reports_(reports) {}
    virtual ~CIEPicture();
    CIEPicture(const CIEPicture&) = delete;
    CIEPicture& operator=(const CIEPicture&) = delete;

    // 1 when the file held a picture, else 0 (the picture held before is released either way).
    int LoadFromFile(const QString& path);
    int LoadFromBuffer(const uint8_t* bytes, size_t size);
    // Draws the whole picture into the rectangle, stretched to it; 0 without a dc or a picture.
    int Render(Dc* dc, int left, int top, int right, int bottom);
    // The pixel size at the dc's resolution (96 per inch on a printer); 0, and both sizes 0, without a dc or picture.
    int GetPixelSize(Dc* dc);
    // Saves the picture, in the format it was loaded in, to a file that it replaces; 1 on success.
    int SaveToStorage(const QString& path);
    void Free();

    bool IsLoaded() const { return !image_.isNull(); }
    const QImage& GetImage() const { return image_; }
    int GetPixelWidth() const { return pixelWidth_; }
    int GetPixelHeight() const { return pixelHeight_; }
    int GetHimetricWidth() const { return himetricWidth_; }
    int GetHimetricHeight() const { return himetricHeight_; }

private:
    void Report(const char* text) const;
    void ReportFileError(const QString& path, const QString& reason) const;

    Reports reports_;
    QImage image_;
    QByteArray original_; // the bytes the picture came in, which it saves
    int himetricWidth_ = 0;
    int himetricHeight_ = 0;
    int pixelWidth_ = 0;
    int pixelHeight_ = 0;
};
