#include "features/provisioning/profiles/profile_caption.h"

#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

void SetProfileCaption(CADialog& dialog, bool templateMode, const std::string& shown, const std::string& before)
{
    std::string base = before + dialog.GetBaseCaption();
    if (!shown.empty())
        base += " : " + shown;
    dialog.UpdateCaption(kCaptionText, base.c_str(), true, true);
    if (templateMode)
        dialog.UpdateCaption(kCaptionText | kCaptionTargetFirst, LoadString(kStrTemplateLabel).c_str());
    else
        dialog.UpdateCaption(kCaptionLocation | kCaptionNe);
}
