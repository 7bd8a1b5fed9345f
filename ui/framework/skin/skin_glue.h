#pragma once
// Window skins. Windows and dialogs ask the skin glue to skin them when they initialise; the glue passes the request
// to the process's skin control when one is attached. This system has no skin component, so no control is attached
// and every call answers "not skinned": windows draw plainly.

#include <QString>

class QWidget;

// What a window-skin component offers the program.
class SkinControl {
public:
    virtual ~SkinControl() = default;
    virtual void LoadSkin(const QString& path) = 0;
    // Skins the window; the component's result.
    virtual int ApplySkin(QWidget* window) = 0;
    // How many skin objects the component keeps for the window (0 = not skinned).
    virtual int SkinObjectCount(QWidget* window) = 0;
    // Drops the loaded skin.
    virtual void DropSkin() = 0;
};

// The process's skin control: null when none is attached (always, here).
SkinControl* CurrentSkinControl();
void SetSkinControl(SkinControl* control);

// True when a skin control is attached.
bool IsSkinLoaded();
// Loads a skin file into the attached control; nothing without one or without a path.
void LoadSkinFile(const QString& path);
// Skins the window; 0 when no skin is loaded.
int ApplySkinToWindow(QWidget* window);
// False without a skin or for a null window; otherwise whether the control keeps a skin object for the window.
bool IsSkinnedWindow(QWidget* window);
