#include "ui/shell/routing/route_dialogs.h"

#include "ui/framework/messages/message_boxes.h"

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
