#pragma once
// Message boxes with the button sets, icons and results the handlers compare: the type word combines one button set,
// one icon and one default button; the result is the button pressed (IDOK .. IDNO, see notify_codes.h). Every box
// goes through the process's message box runner, which tests replace to script the answers.

#include <QString>

class QWidget;

inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
inline constexpr unsigned MB_TYPEMASK = 0xF;
inline constexpr unsigned MB_ICONHAND = 0x10; // stop
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONASTERISK = 0x40; // information
inline constexpr unsigned MB_ICONMASK = 0xF0;
inline constexpr unsigned MB_DEFBUTTON1 = 0x000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_DEFMASK = 0xF00;

struct MessageBoxRequest {
    QString text{};
    QString caption{};
    unsigned type = MB_OK;
    QWidget* parent = nullptr;
};

// The results of the buttons of a type's button set, in their order on the box.
QList<int> MessageBoxButtons(unsigned type);
// The result of the default button (the button Enter presses).
int DefaultMessageBoxResult(unsigned type);

class MessageBoxRunner {
public:
    virtual ~MessageBoxRunner() = default;
    virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
};

MessageBoxRunner& CurrentMessageBoxRunner();
// Installs a runner (not owned; null restores the default) and returns the one installed before (null for the
// default).
MessageBoxRunner* SetMessageBoxRunner(MessageBoxRunner* runner);

// Shows a box through the current runner.
int RunMessageBox(const MessageBoxRequest& request);
