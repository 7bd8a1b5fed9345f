#include "ui/framework/skin/ie_picture.h"

#include "platform/dc.h"
#include "platform/message_box_runner.h"
#include "ui/framework/messages/message_boxes.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr int kHimetricPerInch = 2540;
constexpr int kScreenPixelsPerInch = 96;

// a * b / c rounded to the nearest integer, as the platform's multiply-divide.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long half = (c > 0) == (product >= 0) ? c / 2 : -c / 2;
    return static_cast<int>((product + half) / c);
}

bool WithinLimits(const QSize& size, const PictureLimits& limits)
{
    if (size.width() > limits.sideMax || size.height() > limits.sideMax)
        return false;
    return static_cast<qint64>(size.width()) * size.height() <= limits.pixelsMax;
}

// The size a GIF is decoded into: its logical screen, where both sides are given, which its reader does not announce
// (it announces the first frame's); invalid for anything else.
QSize GifScreen(const uint8_t* bytes, size_t size)
{
    if (size < 10 || std::memcmp(bytes, "GIF8", 4) != 0)
        return {};
    const int width = bytes[6] | (bytes[7] << 8);
    const int height = bytes[8] | (bytes[9] << 8);
    return width > 0 && height > 0 ? QSize(width, height) : QSize();
}

// The image memory the readers may allocate, in MiB (at 4 bytes a pixel), so that none is allocated above the limits
// where the reader does not announce what it allocates.
int AllocationLimitMb(const PictureLimits& limits)
{
    constexpr qint64 kMb = 1024 * 1024;
    return static_cast<int>(
        std::clamp<qint64>((limits.pixelsMax * 4 + kMb - 1) / kMb, 1, std::numeric_limits<int>::max()));
}

} // namespace

PictureDecodeResult DecodePicture(const uint8_t* bytes, size_t size, const PictureLimits& limits)
{
    PictureDecodeResult result;
    if (bytes == nullptr || size == 0 || size > static_cast<size_t>(std::numeric_limits<int>::max())) {
        result.error = size == 0 ? PictureError::NotAPicture : PictureError::TooLarge;
        return result;
    }
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(AllocationLimitMb(limits));
    if (!reader.canRead()) {
        result.error = PictureError::NotAPicture;
        result.reason = reader.errorString();
        return result;
    }
    const QSize announced = reader.size();
    const QSize screen = GifScreen(bytes, size);
    if ((announced.isValid() && !WithinLimits(announced, limits)) ||
        (screen.isValid() && !WithinLimits(screen, limits))) {
        result.error = PictureError::TooLarge;
        return result;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        result.error = PictureError::NotAPicture;
        result.reason = reader.errorString();
        return result;
    }
    if (!WithinLimits(image.size(), limits)) {
        result.error = PictureError::TooLarge;
        return result;
    }
    result.image = std::move(image);
    return result;
}

PictureDecodeResult DecodePictureFile(const QString& path, const PictureLimits& limits)
{
    PictureDecodeResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = PictureError::NotAPicture;
        result.reason = file.errorString();
        return result;
    }
    if (file.size() > limits.fileMax) {
        result.error = PictureError::TooLarge;
    } else {
        const QByteArray bytes = file.readAll();
        result = DecodePicture(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()),
                               limits);
    }
    if (result.error == PictureError::TooLarge) {
        result.reason = QStringLiteral("larger than a picture may be");
    }
    return result;
}

CIEPicture::~CIEPicture()
{
    Free();
}

void CIEPicture::Report(const char* text) const
{
    if (reports_ == Reports::None)
        return;
    MessageBoxRequest request;
    request.text = QString::fromLatin1(text);
    request.caption = QString::fromLatin1(kErrorCaption);
    request.type = MB_OK | MB_ICONHAND;
    RunMessageBox(request);
}

// A file that cannot be opened or created, reported as the program reports a file error: its name and the reason.
void CIEPicture::ReportFileError(const QString& path, const QString& reason) const
{
    if (reports_ == Reports::None)
        return;
    AppMessageBox(QStringLiteral("%1: %2").arg(path, reason), MB_OK | MB_ICONEXCLAMATION);
}

void CIEPicture::Free()
{
    image_ = QImage();
    original_.clear();
    himetricWidth_ = himetricHeight_ = 0;
    pixelWidth_ = pixelHeight_ = 0;
}

int CIEPicture::LoadFromFile(const QString& path)
{
    Free();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportFileError(path, file.errorString());
        return 0;
    }
    if (file.size() > kPictureFileMax) {
        // No buffer is made for a file that no picture may be.
        Report(kTextNoMemory);
        return 0;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    if (LoadFromBuffer(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())) == 0)
        return 0;
    pixelWidth_ = MulDiv(himetricWidth_, kScreenPixelsPerInch, kHimetricPerInch);
    pixelHeight_ = MulDiv(himetricHeight_, kScreenPixelsPerInch, kHimetricPerInch);
    return 1;
}

int CIEPicture::LoadFromBuffer(const uint8_t* bytes, size_t size)
{
    Free();
    PictureDecodeResult decoded = DecodePicture(bytes, size);
    switch (decoded.error) {
    case PictureError::None:
        break;
    case PictureError::TooLarge:
        Report(kTextNoMemory);
        return 0;
    case PictureError::NotAPicture:
        // The platform's loader gives no picture for bytes it cannot read; they are not taken as a picture.
        Report(kTextNoInterface);
        return 0;
    }
    image_ = std::move(decoded.image);
    original_ = QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    himetricWidth_ = MulDiv(image_.width(), kHimetricPerInch, kScreenPixelsPerInch);
    himetricHeight_ = MulDiv(image_.height(), kHimetricPerInch, kScreenPixelsPerInch);
    return 1;
}

int CIEPicture::Render(Dc* dc, int left, int top, int right, int bottom)
{
    if (dc == nullptr || image_.isNull())
        return 0;
    QPainter& painter = dc->Painter();
    if (!painter.isActive()) {
        Report(kTextNoMemory);
        return 0;
    }
    if (right - left <= 0 || bottom - top <= 0)
        return 1; // nothing to cover
    painter.drawImage(QRect(left, top, right - left, bottom - top), image_);
    return 1;
}

int CIEPicture::GetPixelSize(Dc* dc)
{
    if (dc == nullptr || image_.isNull()) {
        pixelWidth_ = pixelHeight_ = 0;
        return 0;
    }
    int dpiX = kScreenPixelsPerInch;
    int dpiY = kScreenPixelsPerInch;
    const QPaintDevice* device = dc->Painter().device();
    if (device != nullptr && device->devType() != QInternal::Printer) {
        dpiX = device->logicalDpiX();
        dpiY = device->logicalDpiY();
    }
    pixelWidth_ = MulDiv(himetricWidth_, dpiX, kHimetricPerInch);
    pixelHeight_ = MulDiv(himetricHeight_, dpiY, kHimetricPerInch);
    return 1;
}

int CIEPicture::SaveToStorage(const QString& path)
{
    if (image_.isNull())
        return 0;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(original_) != original_.size() || !file.commit()) {
        ReportFileError(path, file.errorString());
        Report(kTextNoMemory);
        return 0;
    }
    return 1;
}
