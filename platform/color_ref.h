#pragma once
// Colours as the configuration, the shape language and the lists write them: 32-bit values 0x00BBGGRR (red in the low
// byte). The top byte is ignored.

#include <QColor>
#include <cstdint>

using COLORREF = uint32_t;

constexpr COLORREF Rgb(int red, int green, int blue)
{
    return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(COLORREF color)
{
    return static_cast<int>(color & 0xFF);
}
constexpr int GreenOf(COLORREF color)
{
    return static_cast<int>((color >> 8) & 0xFF);
}
constexpr int BlueOf(COLORREF color)
{
    return static_cast<int>((color >> 16) & 0xFF);
}

// Opaque ARGB value of the colour, as QImage::pixel returns it.
constexpr QRgb ToQRgb(COLORREF color)
{
    return 0xFF000000u | (static_cast<QRgb>(RedOf(color)) << 16) | (static_cast<QRgb>(GreenOf(color)) << 8) |
           static_cast<QRgb>(BlueOf(color));
}
inline QColor ToQColor(COLORREF color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}
inline COLORREF FromQColor(const QColor& color)
{
    return Rgb(color.red(), color.green(), color.blue());
}
inline COLORREF FromQRgb(QRgb rgb)
{
    return Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
