// What applying server messages asks of the user interface: shown on the UI thread after the dispatch lock is
// released, through the callbacks the shell registers (the link itself has no windows).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct OperatorMailNotice {
    std::string sender;        // the sender's user name
    std::string senderIp;      // "%d.%d.%d.%d"
    std::string text;          // the message text
    bool forcedLogout = false; // the text was the force-logout marker: show "You will be logged out in 10 seconds"
};

class IDispatchUi {
public:
    virtual ~IDispatchUi() = default;
    virtual void ShowOperatorMail(const OperatorMailNotice& mail) = 0;
    virtual void StartLogoutTimer(uint32_t periodMs) = 0;
    // The whole batch of a 330 notification: `count` records of 60 bytes.
    virtual int AddTrapLogRecords(uint32_t neId, const uint8_t* records, uint32_t count) = 0;
};

// Gathers the UI effects of one dispatch pass, in the order they were asked for.
class CDispatchEffects {
public:
    void ShowOperatorMail(OperatorMailNotice mail);
    void StartLogoutTimer(uint32_t periodMs);
    void AddTrapLogRecords(uint32_t neId, const uint8_t* records, uint32_t count, uint32_t recordSize);

    bool Empty() const { return effects_.empty(); }
    size_t Size() const { return effects_.size(); }
    // Runs and forgets them; with no UI registered they are dropped.
    void RunOn(IDispatchUi* ui);

private:
    std::vector<std::function<void(IDispatchUi&)>> effects_;
};
