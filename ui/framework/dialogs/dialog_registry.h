#pragma once
// The dialogs that routed commands open, by class name. The command declarations register the classes they give by
// type (ui/framework/commands/command_builder.h); the opener builds the dialog on its own stack, applies the
// request's set-up and runs it modally. A class without an opener tells the operator that the function is not
// available yet.

#include "platform/notify_codes.h"
#include "ui/framework/dialogs/dialog_request.h"

#include <functional>
#include <string>
#include <vector>

class CADialog;

// Runs the dialog; returns the result of its modal loop (IDOK 1, IDCANCEL 2, ...).
using RouteDialogOpener = std::function<int(DialogRequest& request)>;

// Registers (or, with an empty opener, removes) the opener of a class.
void RegisterRouteDialog(const std::string& className, RouteDialogOpener opener);
bool HasRouteDialog(const std::string& className);
// The classes that have an opener, in name order.
std::vector<std::string> RegisteredRouteDialogs();

// Every request goes here first when set (tests record what would be opened); empty restores the registry.
void SetRouteDialogInterceptor(RouteDialogOpener interceptor);

// Opens the request's class. Without an opener: the "not available yet" message, and IDCANCEL.
int OpenRouteDialog(DialogRequest& request);

// Gives a dialog what the opener set: its target NE and entity, location, member's name and access mode.
void ApplyDialogRequest(CADialog& dialog, const DialogRequest& request);

// The opener of a CADialog class: it builds one, applies the request and, when the class takes opener fields
// (ApplyOpenerFields(const DialogRequest&)), hands them over, then runs it; a class that hands a choice back
// (ReturnResultFields(DialogRequest&)) writes it into the request after its modal loop, and the dialog's change flags
// go back in every case.
template <class Dialog> RouteDialogOpener DialogClassOpener()
{
    return [](DialogRequest& request) {
        Dialog dialog;
        ApplyDialogRequest(dialog, request);
        if constexpr (requires { dialog.ApplyOpenerFields(request); })
            dialog.ApplyOpenerFields(request);
        const int result = dialog.DoModal();
        request.changeFlags = dialog.GetChangeFlags();
        if constexpr (requires { dialog.ReturnResultFields(request); }) {
            if (result == IDOK)
                dialog.ReturnResultFields(request);
        }
        return result;
    };
}
