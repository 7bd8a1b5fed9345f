// The role radio buttons of the account dialogs and the pictures beside them: the user data and the access control
// list dialogs carry the same three, under the same ids.
#pragma once

class CDialog;
class Dc;

struct RoleControl {
    int role;
    int radio;
    int image;
    int picture;
};

inline constexpr int kAdministratorRadioId = 1059;
inline constexpr int kManagerRadioId = 1060;
inline constexpr int kUserRadioId = 1061;
inline constexpr int kAdministratorImageId = 1153;
inline constexpr int kManagerImageId = 1134;
inline constexpr int kUserImageId = 1144;

// Administrator, Manager and User, in the order the dialogs show them.
const RoleControl (&RoleControls())[3];

// Each role's picture on its image control.
void DrawRolePictures(Dc& dc, const CDialog& dialog);
