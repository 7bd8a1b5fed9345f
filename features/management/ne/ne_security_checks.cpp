#include "features/management/ne/ne_security_checks.h"

#include "features/management/ne/ne_security_page.h"
#include "ui/framework/dialogs/tab_dialog.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"

bool CheckNeSecurityTexts(CATabDialog& container, CNeSecurityPage& page)
{
    const NeSecurityValues& values = page.Values();
    // A page its container does not show (the NE dialog's in direct mode) cannot take the alert: the message line
    // tells it.
    const auto refuse = [&](uint32_t stringId, int id1, int id2 = 0) {
        if (container.IsPageShown(&page) != 0)
            container.ShowPageAlertTextById(&page, stringId, id1, id2);
        else
            container.ShowAlertTextById(stringId);
    };
    const auto checkName = [&](const QString& text, int id) {
        const std::optional<TypedNameRefusal> refused = CheckTypedName(text);
        if (!refused)
            return true;
        refuse(refused->stringId, id);
        SelectTypedNameFault(page, id, *refused);
        return false;
    };
    if (!checkName(values.ftpUser, CNeSecurityPage::kFtpUserId) ||
        !checkName(values.ftpPassword, CNeSecurityPage::kFtpPasswordId))
        return false;
    if (values.ftpPassword.trimmed() != values.verification.trimmed()) {
        refuse(kStrDataInconsistent, CNeSecurityPage::kFtpPasswordId, CNeSecurityPage::kVerificationId);
        return false;
    }
    return checkName(values.community, CNeSecurityPage::kCommunityId);
}
