#pragma once
// The dialogs that routed commands open, by class name. A dialog registers its opener (which builds it on its own
// stack, applies the request's set-up and runs it modally); a class without an opener tells the operator that the
// function is not available yet.

#include "ui/shell/routing/dialog_request.h"

#include <functional>
#include <string>

// Runs the dialog; returns the result of its modal loop (IDOK 1, IDCANCEL 2, ...).
using RouteDialogOpener = std::function<int(DialogRequest& request)>;

// Registers (or, with an empty opener, removes) the opener of a class.
void RegisterRouteDialog(const std::string& className, RouteDialogOpener opener);
bool HasRouteDialog(const std::string& className);

// Every request goes here first when set (tests record what would be opened); empty restores the registry.
void SetRouteDialogInterceptor(RouteDialogOpener interceptor);

// Opens the request's class. Without an opener: the "not available yet" message, and IDCANCEL.
int OpenRouteDialog(DialogRequest& request);

// The text shown for a function whose dialog does not exist yet.
inline constexpr uint32_t kStrNotAvailableYet = 29801;
