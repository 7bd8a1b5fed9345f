#pragma once
// The frame's two icon lists from the configuration: the toolbar buttons (section TOOLICON: a picture, a mask colour
// and a command id per button) and the list icons of the tree, the lists and the status bar (section LISTICON: a
// picture and a mask colour per index).

#include <QColor>
#include <QImage>
#include <QPixmap>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CIniFile;

inline constexpr int kMaxToolButtons = 64;
inline constexpr int kMaxListIcons = 256;
inline constexpr int kListIconSize = 16;
inline constexpr int kToolIconSourceSize = 32;

struct ToolButtonDef {
    int commandId = 0; // 0: a separator, which takes no image
    QPixmap image;
};

struct ToolIconSet {
    int iconWidth = 32;
    int iconHeight = 32;
    std::vector<ToolButtonDef> buttons; // ICON1..ICONn in order, at most 64
};

// One TOOLICON value "file,mask,command": nullopt when a field is missing or the command id is outside 1..65535.
struct ToolIconValue {
    std::string file;
    uint32_t mask = 0;
    int commandId = 0;
};
std::optional<ToolIconValue> ParseToolIconValue(std::string_view value);

// One LISTICON value "file,mask": nullopt when a field is missing.
struct ListIconValue {
    std::string file;
    uint32_t mask = 0;
};
std::optional<ListIconValue> ParseListIconValue(std::string_view value);

// Section TOOLICON. Picture files are named as the configuration writes them (".\Icon\x.bmp") and found relative to
// the working directory. `skinActive`: a mask above 0xFFFFFF is then a plain transparent colour.
ToolIconSet LoadToolIcons(const CIniFile& ini, bool skinActive);

// Section LISTICON: ICONCNT + 1 pictures of 16 x 16; index 0, and every index whose key, file or mask is missing,
// is the built-in default picture. `configured` (optional) tells which indexes came from a file.
std::vector<QPixmap> LoadListIcons(const CIniFile& ini, std::vector<bool>* configured = nullptr);

// The built-in list picture that stands in for a missing one.
QPixmap DefaultListIcon();

// Makes the picture's mask: a mask up to 0xFFFFFF (0x00BBGGRR) is the transparent colour; above it, with a skin
// active, its low 24 bits are; otherwise its high byte names a system colour that replaces every pixel of the low
// 24 bits' colour (16-bit pictures compare in 5-6-5 form; pictures of other depths are left alone). The result is
// 32-bit with alpha.
QImage ApplyIconMask(const QImage& picture, uint32_t mask, bool skinActive);

// A system colour by its index (window, button face, highlight ...), from the application's palette.
QColor SystemColor(int index);
