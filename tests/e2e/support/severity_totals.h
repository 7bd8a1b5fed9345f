#pragma once
// The severity totals of the alarm lists as the operator reads them: a row of (lamp, check box, count) per severity.
// A count reads as its own severity's when its text stands nearer the end of its own check box's text than the next
// severity's lamp.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>

#include <array>
#include <string>

namespace e2e {

// The counts that read as another severity's, one line each; empty when each stands beside its own label.
inline std::string CountsAwayFromTheirLabels(CADialog& dialog)
{
    struct Severity {
        int check;
        int count;
        int nextLamp; // 0: the last of the row
    };
    constexpr std::array<Severity, 6> kSeverities{{{1172, 1173, 1042},
                                                   {1175, 1176, 1043},
                                                   {1177, 1178, 1045},
                                                   {1180, 1183, 1395},
                                                   {1394, 1396, 1048},
                                                   {1171, 1398, 0}}};
    std::string faults;
    for (const Severity& severity : kSeverities) {
        const QCheckBox* check = nullptr;
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
            if (box->property("ctrlId").toInt() == severity.check)
                check = box;
        }
        const QLabel* count = nullptr;
        const QLabel* lamp = nullptr;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            const int id = label->property("ctrlId").toInt();
            if (id == severity.count)
                count = label;
            if (severity.nextLamp != 0 && id == severity.nextLamp && label->isVisible())
                lamp = label;
        }
        if (check == nullptr || count == nullptr || !count->isVisible())
            continue;
        const int labelEnd = check->mapTo(&dialog, QPoint(check->sizeHint().width(), 0)).x();
        const QSize textSize(count->fontMetrics().horizontalAdvance(count->text()), count->fontMetrics().height());
        const QRect text =
            QStyle::alignedRect(count->layoutDirection(), count->alignment(), textSize, count->contentsRect());
        const int textLeft = count->mapTo(&dialog, text.topLeft()).x();
        const int textRight = count->mapTo(&dialog, text.topRight()).x();
        const int toLabel = textLeft - labelEnd;
        const int toLamp = lamp != nullptr ? lamp->mapTo(&dialog, QPoint(0, 0)).x() - textRight : toLabel + 1;
        if (toLabel < 0 || toLabel >= toLamp)
            faults += check->text().toStdString() + ": " + std::to_string(toLabel) + " px after its label, " +
                      std::to_string(toLamp) + " px before the next lamp\n";
    }
    return faults;
}

} // namespace e2e
