#include "ui/framework/skin/skin_glue.h"

namespace {

SkinControl* skinControl = nullptr;

} // namespace

SkinControl* CurrentSkinControl()
{
    return skinControl;
}

void SetSkinControl(SkinControl* control)
{
    skinControl = control;
}

bool IsSkinLoaded()
{
    return skinControl != nullptr;
}

void LoadSkinFile(const QString& path)
{
    if (!path.isEmpty() && skinControl != nullptr)
        skinControl->LoadSkin(path);
}

int ApplySkinToWindow(QWidget* window)
{
    return skinControl != nullptr ? skinControl->ApplySkin(window) : 0;
}

bool IsSkinnedWindow(QWidget* window)
{
    if (skinControl == nullptr || window == nullptr)
        return false;
    return skinControl->SkinObjectCount(window) > 0;
}
