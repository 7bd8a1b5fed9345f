#include "features/provisioning/common/port_dialog_start.h"

#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"

#include <QLabel>

namespace {

constexpr int kPortLevel = 4;

} // namespace

bool StartOnTargetPort(CADialog& dialog, int right, QLabel& location)
{
    if (dialog.CheckAccessRightOrClose(right) != 0 || dialog.CheckTargetNeOrClose() != 0)
        return false;
    const CEntityId& target = dialog.GetTargetEntity();
    if (target.index.GetLevel() != kPortLevel) {
        dialog.ShowAlertTextById(kStrInternalError);
        dialog.EndDialog(IDCANCEL);
        return false;
    }
    dialog.UpdateCaption(kCaptionNe | kCaptionLocation);
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(dialog.GetNeId()));
    location.setText(QString::fromStdString(FormatEntityLocation(ne, target.index, 0, false)));
    return true;
}
