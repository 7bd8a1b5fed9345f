#include "ui/framework/dialogs/dialog_environment.h"

#include "core/config/app_settings.h"
#include "platform/font_from_spec.h"

#include <optional>
#include <utility>

namespace {

DisplayScale scale;
std::optional<QFont> dialogFont;
bool appBusy = false;
uint32_t shownNeId = 0;

std::function<COLORREF(int)>& TreeTextColors()
{
    static std::function<COLORREF(int)> source;
    return source;
}

ShapeRecord& SelectedMark()
{
    static ShapeRecord mark;
    return mark;
}

} // namespace

DisplayScale GetDisplayScale()
{
    return scale;
}

void SetDisplayScale(DisplayScale value)
{
    scale = value;
}

QFont GetAppDialogFont()
{
    if (dialogFont)
        return *dialogFont;
    return FontFromSpec(AppSettings().dialogFont);
}

void SetAppDialogFont(const QFont& font)
{
    dialogFont = font;
}

void ResetAppDialogFont()
{
    dialogFont.reset();
}

void SetTreeTextColorSource(std::function<COLORREF(int kind)> source)
{
    TreeTextColors() = std::move(source);
}

COLORREF TreeTextColor(int kind)
{
    return TreeTextColors() ? TreeTextColors()(kind) : 0;
}

uint32_t GetShownNeId()
{
    return shownNeId;
}

void SetShownNeId(uint32_t neId)
{
    shownNeId = neId;
}

bool IsAppBusy()
{
    return appBusy;
}

void SetAppBusy(bool busy)
{
    appBusy = busy;
}

bool SetSelectedMarkShape(const ShapeRecord& shape)
{
    if (shape.code != kShapeRL)
        return false;
    SelectedMark() = shape;
    return true;
}

const ShapeRecord& GetSelectedMarkShape()
{
    return SelectedMark();
}

void ClearSelectedMarkShape()
{
    SelectedMark() = ShapeRecord{};
}
