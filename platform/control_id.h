#pragma once
// Controls are addressed by the numeric ids of their dialog templates. Every control carries its id in the dynamic
// property "ctrlId" (an int; in Qt Designer: a dynamic property of type Number named ctrlId). A window that owns its
// own controls (a dialog, a page, a view) is marked with the property "ctrlRoot", so that the lookup from an outer
// window does not reach into it.

#include <QWidget>

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
