#include "ui/shell/frame/frame_icons.h"

#include "core/config/ini_readers.h"
#include "core/ini/file_path.h"
#include "platform/color_ref.h"
#include "ui/framework/skin/ie_picture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <charconv>

namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitFields(std::string_view value)
{
    std::vector<std::string_view> fields;
    while (true) {
        const size_t comma = value.find(',');
        fields.push_back(Trim(value.substr(0, comma)));
        if (comma == std::string_view::npos)
            return fields;
        value.remove_prefix(comma + 1);
    }
}

bool ParseHex(std::string_view text, uint32_t& value)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    const auto [next, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return !text.empty() && error == std::errc() && next == text.data() + text.size();
}

bool ParseDecimal(std::string_view text, int& value)
{
    const auto [next, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && next == text.data() + text.size();
}

QImage LoadPicture(const std::string& configuredName)
{
    const std::string path = ResolveFilePath(NormalizeConfigPath(configuredName));
    return DecodePictureFile(QString::fromStdString(path)).image;
}

// 16-bit colour as the 5-6-5 form keeps it.
uint16_t To565(QRgb rgb)
{
    return static_cast<uint16_t>(((qRed(rgb) >> 3) << 11) | ((qGreen(rgb) >> 2) << 5) | (qBlue(rgb) >> 3));
}

bool IsSixteenBit(QImage::Format format)
{
    return format == QImage::Format_RGB16 || format == QImage::Format_RGB555 || format == QImage::Format_RGB444 ||
           format == QImage::Format_ARGB4444_Premultiplied;
}

QPixmap Sized(const QImage& image, int width, int height)
{
    if (image.width() == width && image.height() == height)
        return QPixmap::fromImage(image);
    return QPixmap::fromImage(image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// The picture with its mask, at the size it is loaded at.
QImage PreparedPicture(const std::string& file, uint32_t mask, bool skinActive, int size)
{
    const QImage picture = LoadPicture(file);
    if (picture.isNull())
        return {};
    const QImage masked = ApplyIconMask(picture, mask, skinActive);
    if (masked.width() == size && masked.height() == size)
        return masked;
    return masked.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

std::optional<ToolIconValue> ParseToolIconValue(std::string_view value)
{
    const std::vector<std::string_view> fields = SplitFields(value);
    if (fields.size() < 3 || fields[0].empty())
        return std::nullopt;
    ToolIconValue parsed;
    parsed.file = std::string(fields[0]);
    if (!ParseHex(fields[1], parsed.mask) || !ParseDecimal(fields[2], parsed.commandId))
        return std::nullopt;
    if (parsed.commandId < 1 || parsed.commandId > 0xFFFF)
        return std::nullopt;
    return parsed;
}

std::optional<ListIconValue> ParseListIconValue(std::string_view value)
{
    const std::vector<std::string_view> fields = SplitFields(value);
    if (fields.size() < 2 || fields[0].empty())
        return std::nullopt;
    ListIconValue parsed;
    parsed.file = std::string(fields[0]);
    if (!ParseHex(fields[1], parsed.mask))
        return std::nullopt;
    return parsed;
}

QColor SystemColor(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 1:  // desktop
    case 12: // application workspace
        return palette.color(QPalette::Dark);
    case 2:  // active caption
    case 13: // highlight
    case 26: // hot-tracked item
    case 27:
    case 29: // menu highlight
        return palette.color(QPalette::Highlight);
    case 5: // window
        return palette.color(QPalette::Base);
    case 6: // window frame
    case 21:
        return palette.color(QPalette::Shadow);
    case 7: // menu text
    case 8: // window text
        return palette.color(QPalette::WindowText);
    case 9:  // caption text
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 16: // button shadow
        return palette.color(QPalette::Mid);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 22: // 3-D light
        return palette.color(QPalette::Midlight);
    case 23: // tool tip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tool tip background
        return palette.color(QPalette::ToolTipBase);
    default: // button face, menus, scroll bars, inactive captions and borders
        return palette.color(QPalette::Button);
    }
}

QImage ApplyIconMask(const QImage& picture, uint32_t mask, bool skinActive)
{
    if (mask <= 0xFFFFFFu || skinActive) {
        QImage image = picture.convertToFormat(QImage::Format_ARGB32);
        const QRgb transparent = ToQRgb(mask & 0xFFFFFFu) & 0xFFFFFFu;
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((line[x] & 0xFFFFFFu) == transparent)
                    line[x] = 0;
            }
        }
        return image;
    }
    const bool sixteenBit = IsSixteenBit(picture.format());
    if (picture.depth() != 32 && picture.depth() != 24 && !sixteenBit)
        return picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToQRgb(mask & 0xFFFFFFu);
    const QRgb replacement = SystemColor(static_cast<int>(mask >> 24)).rgb();
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const bool same = sixteenBit ? To565(line[x]) == To565(key) : (line[x] & 0xFFFFFFu) == (key & 0xFFFFFFu);
            if (same)
                line[x] = replacement;
        }
    }
    return image;
}

ToolIconSet LoadToolIcons(const CIniFile& ini, bool skinActive)
{
    ToolIconSet set;
    set.iconWidth = static_cast<int>(ReadIniIntInRange("TOOLICON", "ICONWIDTH", 32, ini, 10, 128, false));
    set.iconHeight = static_cast<int>(ReadIniIntInRange("TOOLICON", "ICONHEIGHT", 32, ini, 10, 128, false));
    const int count = static_cast<int>(ReadIniIntInRange("TOOLICON", "ICONCNT", 0, ini, 0, kMaxToolButtons, true));
    for (int i = 1; i <= count; ++i) {
        ToolButtonDef button;
        const std::optional<std::string> value =
            ReadIniString("TOOLICON", "ICON" + std::to_string(i), std::nullopt, ini);
        const std::optional<ToolIconValue> parsed = value ? ParseToolIconValue(*value) : std::nullopt;
        if (parsed) {
            const QImage picture = PreparedPicture(parsed->file, parsed->mask, skinActive, kToolIconSourceSize);
            if (!picture.isNull()) {
                button.commandId = parsed->commandId;
                button.image = Sized(picture, set.iconWidth, set.iconHeight);
            }
        }
        set.buttons.push_back(std::move(button));
    }
    return set;
}

QPixmap DefaultListIcon()
{
    // A small grey diamond on a transparent ground.
    QImage image(kListIconSize, kListIconSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(96, 104, 112), 1.0));
    painter.setBrush(QColor(188, 194, 200));
    const QPointF points[] = {{8.0, 3.5}, {12.5, 8.0}, {8.0, 12.5}, {3.5, 8.0}};
    painter.drawPolygon(points, 4);
    painter.end();
    return QPixmap::fromImage(image);
}

std::vector<QPixmap> LoadListIcons(const CIniFile& ini, std::vector<bool>* configured)
{
    const int count = static_cast<int>(ReadIniIntInRange("LISTICON", "ICONCNT", 0, ini, 0, kMaxListIcons, true));
    const QPixmap fallback = DefaultListIcon();
    std::vector<QPixmap> icons(static_cast<size_t>(count) + 1, fallback);
    if (configured != nullptr)
        configured->assign(icons.size(), false);
    for (int i = 1; i <= count; ++i) {
        const std::optional<std::string> value =
            ReadIniString("LISTICON", "ICON" + std::to_string(i), std::nullopt, ini);
        const std::optional<ListIconValue> parsed = value ? ParseListIconValue(*value) : std::nullopt;
        if (!parsed)
            continue;
        const QImage picture = PreparedPicture(parsed->file, parsed->mask, false, kListIconSize);
        if (picture.isNull())
            continue;
        icons[static_cast<size_t>(i)] = QPixmap::fromImage(picture);
        if (configured != nullptr)
            (*configured)[static_cast<size_t>(i)] = true;
    }
    return icons;
}
