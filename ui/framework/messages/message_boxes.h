#pragma once
// The ways a text reaches the operator outside a dialog's own message line: the message line of the current dialog,
// the program's own message box (dialog 240, answered like any modal dialog through the modal runner) and the plain
// system box with the application title (through the message box runner). Types and results are those of the system
// box: type & 0xF the buttons, 0x100 / 0x200 the default button; results IDOK 1 .. IDNO 7. A negative type shows
// only OK and the text in the box's second text field.
//
// While any box is open IsMessageBoxOpen is true (boxes opened inside boxes are counted, so the flag holds until the
// outermost one closes); views skip their refresh meanwhile (IsUiBusy).

#include <QString>

#include <cstdint>

class CDialog;
class Dc;

// The current dialog's message line once it has been shown, else the program's box. Returns 1.
int ShowStatusMessage(const QString& text);
int ShowStatusMessageById(uint32_t stringId);

// The program's own box; the result of the pressed button.
int ShowAppMessage(const QString& text, int type);
int ShowMessageById(uint32_t stringId, int type);
int ShowMessageText(const QString& text, int type);

// The plain box.
int AppMessageBox(const QString& text, int type);
int PlainMessageBoxById(uint32_t stringId, int type);
int PlainMessageBoxText(const QString& text, int type);
int ShowPlainMessage(const QString& text);
int ShowPlainMessageById(uint32_t stringId);

bool IsMessageBoxOpen();
// A box is open or the application is busy.
bool IsUiBusy();

// Marks a box as open for its lifetime; on return the mark is cleared, even when an outer box is still open.
class MessageBoxOpenScope {
public:
    MessageBoxOpenScope();
    ~MessageBoxOpenScope();
    MessageBoxOpenScope(const MessageBoxOpenScope&) = delete;
    MessageBoxOpenScope& operator=(const MessageBoxOpenScope&) = delete;
};

// Control decorations for DrawExtras: an icon resource (32 x 32) at the control's top-left corner, and list icons
// (16 x 16, the shared small images) at the right end of the control, the second form moved by an offset each.
void DrawIconOnControl(Dc& dc, const CDialog& window, int controlId, int iconId);
void DrawListIconOnControl(Dc& dc, const CDialog& window, int controlId, int icon);
void DrawTwoListIconsOnControl(Dc& dc, const CDialog& window, int controlId, int firstIcon, int secondIcon,
                               int firstOffset, int secondOffset);
