// What the apply rules of the server messages share: the application data they change, the shell's hooks, and the
// NEs whose alarm state changed during the current dispatch pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "core/tables/app_data.h"
#include "link/ems_msg.h"

struct ServerDispatchOptions {
    // Receives the rights texts of request 15 (Administrator, Manager, User): the shell's SetAllUserRights. Without
    // it the rights are dropped.
    std::function<void(const std::string& administrator, const std::string& manager, const std::string& user)>
        setAllUserRights;
};

class CServerApplyContext {
public:
    CServerApplyContext(CAppData& app, ServerDispatchOptions options) : app_(app), options_(std::move(options)) {}

    CAppData& App() { return app_; }
    const ServerDispatchOptions& Options() const { return options_; }

    // The NE's tree changed: its NE-level severity is recomputed at the end of the pass.
    void TouchNe(uint32_t neId) { touchedNes_.insert(neId); }
    // The NE's alarm state changed: as TouchNe, and the pass counts as a change of the alarm state.
    void TouchNeAlarms(uint32_t neId)
    {
        TouchNe(neId);
        alarmsChanged_ = true;
    }
    // Recomputes the NE-level severity of every NE touched since the last call and counts the change on its record.
    void FinishBatch();

private:
    CAppData& app_;
    ServerDispatchOptions options_;
    std::set<uint32_t> touchedNes_;
    bool alarmsChanged_ = false;
};

// The message is the reply to a query: its records are the whole table, not changes to it.
bool IsQueryReply(const EmsMsg& msg);

// The records of a message that must be `recordSize` bytes each: their count (0 for none), or nullopt (logged) when
// the message has records of another size.
std::optional<uint32_t> UsableRecordCount(const EmsMsg& msg, size_t recordSize);
