#include "features/fault/alarm_lists/alarm_list_look.h"

#include "core/util/severity.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/lists/severity_palette.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

int ListedSeverity(uint32_t severity)
{
    return severity >= kSeverityCritical && severity <= kSeverityWarning ? static_cast<int>(severity) : kSeverityInfo;
}

uint16_t SeverityFilterBit(int severity)
{
    return kSeverityBoxes[static_cast<size_t>(ListedSeverity(static_cast<uint32_t>(severity)) - 1)].filterBit;
}

QString SeverityText(int severity)
{
    switch (severity) {
    case kSeverityCleared:
        return LoadQString(kStrCleared);
    case kSeverityCritical:
        return LoadQString(kStrCritical);
    case kSeverityMajor:
        return LoadQString(kStrMajor);
    case kSeverityMinor:
        return LoadQString(kStrMinor);
    case kSeverityWarning:
        return LoadQString(kStrWarning);
    default:
        return LoadQString(kStrInfo);
    }
}

std::vector<RowColorStyle> SeverityRowStyles()
{
    // Images 17..21 are the acknowledged forms of 12..16 and keep their colours.
    constexpr int kAcknowledgedOffset = 5;
    std::vector<RowColorStyle> styles;
    styles.push_back({static_cast<uint32_t>(kImageCleared), 0x000000, 0xFFFFFF});
    for (int severity = kSeverityCritical; severity <= kSeverityInfo; ++severity) {
        const COLORREF back = ColorOfSeverity(kSeverityRowColors, severity);
        const auto image = static_cast<uint32_t>(kImageCritical + severity - 1);
        styles.push_back({image, 0x000000, back});
        styles.push_back({image + kAcknowledgedOffset, 0x000000, back});
    }
    return styles;
}

void DrawSeverityBoxImages(Dc& dc, CADialog& dialog)
{
    for (const SeverityBox& box : kSeverityBoxes)
        DrawListIconOnControl(dc, dialog, box.imageId, box.image);
}

void SetControlText(const CADialog& dialog, int id, const QString& text)
{
    QWidget* control = dialog.GetDlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
}

QString ControlText(const CADialog& dialog, int id)
{
    QWidget* control = dialog.GetDlgItem(id);
    if (const auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (const auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    return {};
}

bool IsBoxTicked(const CADialog& dialog, int id)
{
    const auto* box = dialog.GetDlgItemAs<QAbstractButton>(id);
    return box != nullptr && box->isChecked();
}
