#include "ui/framework/dialogs/dialog_registry.h"

#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

#include <map>

namespace {

constexpr int kIdCancel = 2;

std::map<std::string, RouteDialogOpener>& Openers()
{
    static std::map<std::string, RouteDialogOpener> openers;
    return openers;
}

RouteDialogOpener& Interceptor()
{
    static RouteDialogOpener interceptor;
    return interceptor;
}

} // namespace

void RegisterRouteDialog(const std::string& className, RouteDialogOpener opener)
{
    if (opener)
        Openers()[className] = std::move(opener);
    else
        Openers().erase(className);
}

bool HasRouteDialog(const std::string& className)
{
    return Openers().count(className) != 0;
}

std::vector<std::string> RegisteredRouteDialogs()
{
    std::vector<std::string> names;
    for (const auto& [name, opener] : Openers())
        names.push_back(name);
    return names;
}

void SetRouteDialogInterceptor(RouteDialogOpener interceptor)
{
    Interceptor() = std::move(interceptor);
}

int OpenRouteDialog(DialogRequest& request)
{
    if (Interceptor())
        return Interceptor()(request);
    const auto it = Openers().find(request.className);
    if (it == Openers().end()) {
        ShowPlainMessageById(kStrNotAvailableYet);
        return kIdCancel;
    }
    return it->second(request);
}

void ApplyDialogRequest(CADialog& dialog, const DialogRequest& request)
{
    if (request.hasTarget)
        dialog.SetTarget(static_cast<int>(request.neId), request.hasEntity ? &request.entity : nullptr);
    if (request.hasLocation)
        dialog.SetLocationId(static_cast<int>(request.locationId));
    if (request.hasUserName)
        dialog.SetUserName(request.userName.c_str());
    if (request.accessMode != 0)
        dialog.SetAccessMode(request.accessMode);
}
