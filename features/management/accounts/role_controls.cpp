#include "features/management/accounts/role_controls.h"

#include "core/tables/user_account.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"

const RoleControl (&RoleControls())[3]
{
    static constexpr RoleControl kRoles[] = {
        {kRoleAdministrator, kAdministratorRadioId, kAdministratorImageId, kImageRoleAdministrator},
        {kRoleManager, kManagerRadioId, kManagerImageId, kImageRoleManager},
        {kRoleUser, kUserRadioId, kUserImageId, kImageRoleUser},
    };
    return kRoles;
}

void DrawRolePictures(Dc& dc, const CDialog& dialog)
{
    for (const RoleControl& control : RoleControls())
        DrawListIconOnControl(dc, dialog, control.image, control.picture);
}
