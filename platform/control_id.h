#pragma once
// Controls are addressed by the numeric ids of their dialog templates. Every control carries its id in the dynamic
// property "ctrlId" (an int; in Qt Designer: a dynamic property of type Number named ctrlId). A window that owns its
// own controls (a dialog, a page, a view) is marked with the property "ctrlRoot", so that the lookup from an outer
// window does not reach into it.

#include <QString>
#include <QWidget>

#include <functional>

inline constexpr char kCtrlIdProperty[] = "ctrlId";
inline constexpr char kCtrlRootProperty[] = "ctrlRoot";

void SetCtrlId(QWidget* control, int id);
// The control's id, 0 when it has none.
int CtrlIdOf(const QObject* control);

void MarkCtrlRoot(QWidget* window);
bool IsCtrlRoot(const QObject* window);

// The control of `root` with the id (the first in creation order), not looking into nested roots or other windows;
// null when there is none.
QWidget* FindControl(const QWidget* root, int id);

// Every control of `root` that has an id, in creation order, not looking into nested roots or other windows.
QList<QWidget*> ControlsOf(const QWidget* root);

// A window that asks for an id its template lacks has a fault: the reporter is told the window and the id. The log
// says so by default; the tests install a reporter that fails the test, so that a wrong id shows where it is asked for.
using MissingControlReporter = std::function<void(const QWidget& window, int id)>;
// Installs the reporter (an empty one: the log) and returns the one installed before.
MissingControlReporter SetMissingControlReporter(MissingControlReporter reporter);
void ReportMissingControl(const QWidget& window, int id);
// The window as the reports name it: "<class> "<title>"", the class it was made as.
QString DescribeWindow(const QWidget& window);
// "<window class> "<title>" has no control <id>".
QString DescribeMissingControl(const QWidget& window, int id);
