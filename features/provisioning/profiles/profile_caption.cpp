#include "features/provisioning/profiles/profile_caption.h"

#include "core/tables/ne_table.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

void SetProfileCaption(CADialog& dialog, bool templateMode, const std::string& shown, const std::string& before)
{
    std::string target;
    if (templateMode) {
        target = LoadString(kStrTemplateLabel);
    } else if (const CNeRecord* ne = FindNeById(static_cast<uint32_t>(dialog.GetNeId()))) {
        target = "[" + ne->name + "]";
    }
    std::string caption = before + dialog.GetBaseCaption();
    if (!shown.empty())
        caption += " : " + shown;
    if (!target.empty())
        caption = target + " " + caption;
    dialog.setWindowTitle(QString::fromStdString(caption));
}
