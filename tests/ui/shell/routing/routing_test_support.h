#pragma once
// Helpers of the command routing tests: a frame stand-in holding the current selection, services that record
// the questions, status texts and requests and answer them from scripts, and a recorder of the dialogs opened.

#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "app/program_parts.h"
#include "core/tables/access_rights.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/shell/routing/command_router.h"

#include <deque>
#include <map>
#include <vector>

namespace routing_test {

class FakeRouteHost : public ICommandRouteHost {
public:
    uint32_t CurrentLocationId() const override { return locationId; }
    uint32_t CurrentNeId() const override { return neId; }
    CEntityIndex CurrentEntityIndex() const override { return index; }
    std::string KeyText() const override { return keyText; }
    bool IsDirectMode() const override { return direct; }
    void ToggleViewOption(int commandId) override { toggled.push_back(commandId); }
    void RaisePduLogWindow() override { ++pduLogRaised; }

    uint32_t locationId = 0;
    uint32_t neId = 0;
    CEntityIndex index;
    std::string keyText;
    bool direct = false;
    std::vector<int> toggled;
    int pduLogRaised = 0;
};

struct RoutedRequest {
    uint8_t operation = 0;
    uint16_t code = 0;
    uint32_t neId = 0;
    std::vector<uint8_t> record;
    uint32_t failureText = 0;
    int32_t timeout = 0;
    bool wait = false;
};

// A scripted reply for a request code: the result, and the reply's records.
struct ScriptedReply {
    int result = 0;
    uint8_t operation = kEmsOpReply;
    uint32_t recordSize = 0;
    std::vector<uint8_t> records; // count = size / recordSize
};

class RecordingServices {
public:
    RouteServices Make()
    {
        RouteServices services;
        services.request = [this](EmsMsg& request, EmsMsg** reply, uint32_t failureText, int32_t timeout, bool wait) {
            RoutedRequest sent{request.operation, request.requestCode, request.neId, {}, failureText, timeout, wait};
            const auto* bytes = static_cast<const uint8_t*>(request.records);
            if (bytes != nullptr)
                sent.record.assign(bytes, bytes + EmsRecordBytes(request));
            requests.push_back(sent);
            replyMsg_ = EmsMsg{};
            const auto it = replies.find(request.requestCode);
            if (it == replies.end())
                return 0;
            const ScriptedReply& scripted = it->second;
            replyMsg_.operation = scripted.operation;
            replyMsg_.requestCode = request.requestCode;
            replyMsg_.recordSize = scripted.recordSize;
            replyMsg_.count =
                scripted.recordSize == 0 ? 0 : static_cast<int32_t>(scripted.records.size() / scripted.recordSize);
            replyMsg_.records = scripted.records.data();
            *reply = &replyMsg_;
            return scripted.result;
        };
        services.driverTimeout = [] { return 35000U; };
        services.cancelRequest = [this] { ++cancels; };
        services.ask = [this](uint32_t id, int type) {
            questions.push_back({id, type});
            if (answers.empty())
                return 7; // No
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        };
        services.status = [this](uint32_t id) { statuses.push_back(id); };
        services.telnet = [this](uint32_t neId) { telnetNes.push_back(neId); };
        services.openHelp = [this](const QString& file) { helpFiles.push_back(file); };
        return services;
    }

    std::vector<std::pair<uint32_t, int>> questions;
    std::deque<int> answers;
    std::vector<uint32_t> statuses;
    std::vector<RoutedRequest> requests;
    std::map<uint16_t, ScriptedReply> replies;
    int cancels = 0;
    std::vector<uint32_t> telnetNes;
    std::vector<QString> helpFiles;

private:
    EmsMsg replyMsg_;
};

// Records every dialog a route opens and answers with the queued results (IDCANCEL without one).
class DialogRecorder {
public:
    DialogRecorder()
    {
        SetRouteDialogInterceptor([this](DialogRequest& request) {
            opened.push_back(request);
            if (results.empty())
                return 2;
            const auto [result, chosen] = results.front();
            results.pop_front();
            request.chosenIndex = chosen;
            opened.back().chosenIndex = chosen;
            return result;
        });
    }
    ~DialogRecorder() { SetRouteDialogInterceptor({}); }
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    std::vector<DialogRequest> opened;
    std::deque<std::pair<int, CEntityIndex>> results;
};

inline void GrantAll(int role)
{
    SetUserRights(role, std::string(127, 'a').c_str());
    AppData().role = role;
}

} // namespace routing_test
