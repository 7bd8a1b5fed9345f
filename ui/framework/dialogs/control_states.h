#pragma once
// The control services the dialog and view bases share: walking a list of control ids, the read-only state of edits
// and spin boxes, and the font a font spec names.

#include <QFont>

#include <initializer_list>

class QWidget;

// Calls action(id) for every id of the list up to its first 0.
template <class Action> void ForEachListedControl(std::initializer_list<int> ids, Action action)
{
    for (int id : ids) {
        if (id == 0)
            break;
        action(id);
    }
}

// Makes an edit or spin box read-only or writable; other controls and null are left as they are.
void SetWidgetReadOnly(QWidget* control, bool on);
// Whether an edit or spin box is read-only; false for other controls and null.
bool IsWidgetReadOnly(const QWidget* control);

// The font of a spec "face,size,flags"; the application's dialog font for a null spec or one that does not parse.
QFont DialogFontFromSpec(const char* spec);
