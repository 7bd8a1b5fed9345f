#include "features/management/ne/ne_security_checks.h"

#include "features/management/ne/ne_security_page.h"
#include "ui/framework/dialogs/tab_dialog.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"

bool CheckNeSecurityTexts(CATabDialog& container, CNeSecurityPage& page)
{
    const NeSecurityValues& values = page.Values();
    const auto checkName = [&](const QString& text, int id) {
        const std::optional<TypedNameRefusal> refused = CheckTypedName(text);
        if (!refused)
            return true;
        container.ShowPageAlertTextById(&page, refused->stringId, id);
        SelectTypedNameFault(page, id, *refused);
        return false;
    };
    if (!checkName(values.ftpUser, CNeSecurityPage::kFtpUserId) ||
        !checkName(values.ftpPassword, CNeSecurityPage::kFtpPasswordId))
        return false;
    if (values.ftpPassword.trimmed() != values.verification.trimmed()) {
        container.ShowPageAlertTextById(&page, kStrDataInconsistent, CNeSecurityPage::kFtpPasswordId,
                                        CNeSecurityPage::kVerificationId);
        return false;
    }
    return checkName(values.community, CNeSecurityPage::kCommunityId);
}
