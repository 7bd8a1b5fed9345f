#pragma once
// What the alarm lists share on screen: the five severity check boxes with the statics that show their images, the
// filter bits of the rows, the rows' colours by their severity images and the severity texts.

#include "ui/framework/lists/row_colors.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class CADialog;
class Dc;

// Filter bits of a row: the class every row carries, its severity, its acknowledgement, and a cleared entry of the
// NE's own log.
inline constexpr uint16_t kRowFilterShown = 0x0100;
inline constexpr uint16_t kRowFilterSecondary = 0x0200;
inline constexpr uint16_t kRowFilterCritical = 0x0080;
inline constexpr uint16_t kRowFilterMajor = 0x0040;
inline constexpr uint16_t kRowFilterMinor = 0x0020;
inline constexpr uint16_t kRowFilterWarning = 0x0010;
inline constexpr uint16_t kRowFilterInfo = 0x0008;
inline constexpr uint16_t kRowFilterCleared = 0x0004;
inline constexpr uint16_t kRowFilterAcknowledged = 0x2000;
inline constexpr uint16_t kRowFilterUnacknowledged = 0x1000;

// A severity box: its check, the severity and filter bit it stands for, and the static beside it with its image.
struct SeverityBox {
    int checkId;
    int severity;
    uint16_t filterBit;
    int imageId;
    int image;
};
inline constexpr std::array<SeverityBox, 5> kSeverityBoxes = {{
    {1172, 1, kRowFilterCritical, 1040, 12},
    {1175, 2, kRowFilterMajor, 1042, 13},
    {1177, 3, kRowFilterMinor, 1043, 14},
    {1180, 4, kRowFilterWarning, 1045, 15},
    {1394, 5, kRowFilterInfo, 1395, 16},
}};

// The list images of the severities: 11 cleared, 12 critical .. 16 info.
inline constexpr int kImageCleared = 11;
inline constexpr int kImageCritical = 12;

// A severity as the lists count it: 1..4 as they are, any other value as info (5).
int ListedSeverity(uint32_t severity);
// The filter bit of a severity 1..5 (others count as info).
uint16_t SeverityFilterBit(int severity);
// "Critical", "Major", "Minor", "Warning" or "Info"; "Cleared" for 0.
QString SeverityText(int severity);

// Row colours of a list whose rows carry their severity image in column 0 (11 and 12..16, and the acknowledged
// images 17..21 where a list has them): black on the severity's colour.
std::vector<RowColorStyle> SeverityRowStyles();

// The images of the severity boxes' statics, for a dialog's DrawExtras.
void DrawSeverityBoxImages(Dc& dc, CADialog& dialog);

// The text of a static or an edit of the dialog.
void SetControlText(const CADialog& dialog, int id, const QString& text);
QString ControlText(const CADialog& dialog, int id);
// Whether a check box of the dialog is ticked.
bool IsBoxTicked(const CADialog& dialog, int id);
