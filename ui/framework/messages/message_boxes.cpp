#include "ui/framework/messages/message_boxes.h"

#include "core/config/app_settings.h"
#include "platform/dc.h"
#include "platform/dialog.h"
#include "platform/message_box_runner.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/app_message_box_dlg.h"
#include "ui/framework/messages/string_table.h"

namespace {

// Set while a box is open; an inner box clears it on return, as nesting is not counted.
bool messageBoxOpen = false;

// The control's rectangle in the window's coordinates, null when it is missing or hidden.
QRect ControlRect(const CDialog& window, int controlId)
{
    const QWidget* control = window.GetDlgItem(controlId);
    if (control == nullptr || !control->isVisibleTo(&window))
        return {};
    return {control->mapTo(&window, QPoint(0, 0)), control->size()};
}

} // namespace

MessageBoxOpenScope::MessageBoxOpenScope()
{
    messageBoxOpen = true;
}

MessageBoxOpenScope::~MessageBoxOpenScope()
{
    messageBoxOpen = false;
}

bool IsMessageBoxOpen()
{
    return messageBoxOpen;
}

bool IsUiBusy()
{
    return IsMessageBoxOpen() || IsAppBusy();
}

int ShowStatusMessage(const QString& text)
{
    MessageBoxOpenScope open;
    CADialog* current = GetCurrentDialog();
    // Shown means on screen: a dialog's data load, which runs once its window is up, writes to its own line.
    if (current != nullptr && current->isVisible())
        current->SetStatusText(text);
    else
        ShowAppMessage(text, 0);
    return 1;
}

int ShowStatusMessageById(uint32_t stringId)
{
    return ShowStatusMessage(LoadQString(stringId));
}

int ShowAppMessage(const QString& text, int type)
{
    MessageBoxOpenScope open;
    CAppMessageBoxDlg box;
    box.SetText(text);
    box.SetType(type);
    return box.DoModal();
}

int ShowMessageById(uint32_t stringId, int type)
{
    return ShowAppMessage(LoadQString(stringId), type);
}

int ShowMessageText(const QString& text, int type)
{
    return ShowAppMessage(text, type);
}

int AppMessageBox(const QString& text, int type)
{
    MessageBoxOpenScope open;
    MessageBoxRequest request;
    request.text = text;
    request.caption = QString::fromStdString(GetAppTitle(AppSettings()));
    request.type = static_cast<unsigned>(type);
    return RunMessageBox(request);
}

int PlainMessageBoxById(uint32_t stringId, int type)
{
    return AppMessageBox(LoadQString(stringId), type);
}

int PlainMessageBoxText(const QString& text, int type)
{
    return AppMessageBox(text, type);
}

int ShowPlainMessage(const QString& text)
{
    return AppMessageBox(text, 0);
}

int ShowPlainMessageById(uint32_t stringId)
{
    return ShowPlainMessage(LoadQString(stringId));
}

void DrawIconOnControl(Dc& dc, const CDialog& window, int controlId, int iconId)
{
    const QRect rect = ControlRect(window, controlId);
    const QPixmap icon = LoadIconResource(iconId);
    if (rect.isNull() || icon.isNull())
        return;
    dc.Painter().drawPixmap(rect.topLeft(), icon);
}

void DrawListIconOnControl(Dc& dc, const CDialog& window, int controlId, int icon)
{
    const QRect rect = ControlRect(window, controlId);
    const QPixmap picture = SharedSmallImages().Get(icon);
    if (rect.isNull() || picture.isNull())
        return;
    dc.Painter().drawPixmap(rect.right() + 1 - kSmallImageSize, rect.top(), picture);
}

void DrawTwoListIconsOnControl(Dc& dc, const CDialog& window, int controlId, int firstIcon, int secondIcon,
                               int firstOffset, int secondOffset)
{
    const QRect rect = ControlRect(window, controlId);
    if (rect.isNull())
        return;
    const int right = rect.right() + 1 - kSmallImageSize;
    const QPixmap first = SharedSmallImages().Get(firstIcon);
    const QPixmap second = SharedSmallImages().Get(secondIcon);
    if (!first.isNull())
        dc.Painter().drawPixmap(right + firstOffset, rect.top(), first);
    if (!second.isNull())
        dc.Painter().drawPixmap(right + secondOffset, rect.top(), second);
}
