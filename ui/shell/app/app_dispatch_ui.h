#pragma once
// What applying server messages shows on the screen: operator mail, the forced-logout countdown on the main frame and
// the trap log's share of entity-state notifications. Registered with the dispatcher by the application object.

#include "link/dispatch_effects.h"

#include <QString>

#include <functional>

class IAppFrame;

// Shows one received mail. The Incoming Mail window registers itself here; until then a plain window that does not
// block shows the text (or, for the force-logout marker, "You will be logged out in 10 seconds"), sender and address.
using IncomingMailHandler = std::function<void(const OperatorMailNotice& mail)>;
void SetIncomingMailHandler(IncomingMailHandler handler);

// The text a mail is shown with: kStrLoggedOutInTenSeconds for the force-logout marker, else the mail's own text.
QString IncomingMailText(const OperatorMailNotice& mail);

class CAppDispatchUi : public IDispatchUi {
public:
    // `frame` gives the main frame, or null while there is none.
    explicit CAppDispatchUi(std::function<IAppFrame*()> frame);

    void ShowOperatorMail(const OperatorMailNotice& mail) override;
    void StartLogoutTimer(uint32_t periodMs) override;
    int AddTrapLogRecords(uint32_t neId, const uint8_t* records, uint32_t count) override;

private:
    std::function<IAppFrame*()> frame_;
};
