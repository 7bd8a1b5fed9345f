#pragma once
// The application's shared small image list: 16 x 16 pictures by index, given to lists (row and cell images, sort
// marks) and drawn onto dialog controls. The program draws its own pictures for the indexes it uses; the start-up code
// may replace any entry (the configured list icons). An index without a picture draws nothing.

#include <QPixmap>

#include <vector>

inline constexpr int kSmallImageSize = 16;

// Indexes of the pictures the program draws.
inline constexpr int kImageLinkUp = 5;
inline constexpr int kImageLinkDown = 8;
inline constexpr int kImageManualBackup = 9;
inline constexpr int kImageAutomaticBackup = 10;
inline constexpr int kImageSeverityCleared = 11;
inline constexpr int kImageSeverityCritical = 12; // 12..16: critical, major, minor, warning, info
inline constexpr int kImageSeverityInfo = 16;
inline constexpr int kImageDone = 23;
inline constexpr int kImageFailed = 24;
inline constexpr int kImageStarted = 25; // a collection that has begun
inline constexpr int kImageMember = 29;
inline constexpr int kImageNonMember = 30;
inline constexpr int kImageSortAscending = 31;
inline constexpr int kImageSortDescending = 32;
inline constexpr int kImageEnabled = 33;
inline constexpr int kImageDisabled = 34;
inline constexpr int kImageHomeUser = 35;
inline constexpr int kImageEnterpriseUser = 36;
inline constexpr int kImageSortedElsewhere = 39; // a column sorted through another column or the item data
inline constexpr int kImageRoleAdministrator = 48;
inline constexpr int kImageRoleManager = 49;
inline constexpr int kImageRoleUser = 50;
inline constexpr int kImageRoleUnknown = 51;

// Icon resources of the program's message box (32 x 32): the information icon of a box with one button, the warning
// icon of a box that asks (its confirmations warn of what they do).
inline constexpr int kIconInformation = 121;
inline constexpr int kIconWarning = 122;

class CImageList {
public:
    int Count() const { return static_cast<int>(images_.size()); }
    // Sets the picture of an index (scaled to 16 x 16), growing the list as needed; negative indexes are ignored.
    void Set(int index, const QPixmap& picture);
    // The picture, null for an index without one.
    QPixmap Get(int index) const;
    bool Has(int index) const { return !Get(index).isNull(); }
    void Clear() { images_.clear(); }

private:
    std::vector<QPixmap> images_;
};

// The program's list, filled with its own pictures on first use.
CImageList& SharedSmallImages();
// The program's own picture of an index, null for an index it does not draw.
QPixmap DrawBuiltInSmallImage(int index);

// An icon resource (121 information, 122 question), 32 x 32; null for other ids.
QPixmap LoadIconResource(int id);
