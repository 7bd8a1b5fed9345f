#pragma once
// A far end for the typed requests that answers each request code from a script: the records of a code, or a failure
// result. Codes the script does not name are answered "request not supported". It counts what it was asked.
//
//     CScriptedEmsChannel peer;
//     peer.Answer(kReqNeNetworkConfig, std::vector<NeNetworkConfigRec>{own});
//     peer.Fail(kReqNeDns, kDrvTimeout);
//     CheckNeIpConflict(address, 0, 1, kStrFailToQuery, CRecordRequests(peer.Channel()));

#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/record_requests.h"
#include "link/records/record_codec.h"
#include "link/records/request_code.h"

#include <cstdint>
#include <map>
#include <vector>

class CScriptedEmsChannel {
public:
    template <typename Rec> void Answer(RequestCode<Rec> code, const std::vector<Rec>& records)
    {
        Script& script = scripts_[code];
        script.result = kDrvOk;
        script.recordSize = kRecordSize<Rec>;
        script.count = static_cast<int32_t>(records.size());
        script.bytes = EncodeRecords(records);
    }
    template <typename Rec> void Fail(RequestCode<Rec> code, int result) { scripts_[code] = Script{result, 0, 0, {}}; }

    int Asked(uint16_t code) const
    {
        const auto found = asked_.find(code);
        return found != asked_.end() ? found->second : 0;
    }
    int AskedInAll() const
    {
        int all = 0;
        for (const auto& [code, times] : asked_)
            all += times;
        return all;
    }

    EmsChannel Channel()
    {
        EmsChannel channel;
        channel.request = [this](EmsMsg& request, EmsMsg** reply, uint32_t, int32_t, bool) {
            ++asked_[request.requestCode];
            const auto found = scripts_.find(request.requestCode);
            if (found == scripts_.end())
                return kDrvNotSupported;
            const Script& script = found->second;
            if (script.result != kDrvOk)
                return script.result;
            reply_ = EmsMsg{};
            reply_.operation = kEmsOpReply;
            reply_.requestCode = request.requestCode;
            reply_.count = script.count;
            reply_.total = static_cast<uint32_t>(script.count);
            reply_.recordSize = script.recordSize;
            reply_.records = script.bytes.data();
            *reply = &reply_;
            return kDrvOk;
        };
        return channel;
    }

private:
    struct Script {
        int result = kDrvOk;
        uint32_t recordSize = 0;
        int32_t count = 0;
        std::vector<uint8_t> bytes;
    };
    std::map<uint16_t, Script> scripts_;
    std::map<uint16_t, int> asked_;
    EmsMsg reply_;
};
