#include "features/performance/line_tests/line_test_requests.h"

#include "link/records/line_test_ctrl_rec.h"
#include "link/records/loop_diag_ctrl_rec.h"
#include "link/records/word_record.h"

namespace {

RequestCode<LineTestCtrlRec> ControlCodeOf(LineTestKind kind)
{
    return kind == LineTestKind::kLoopMonitoring ? kReqLoopMonCtrl : kReqSeltCtrl;
}

} // namespace

std::optional<PolledTest> QueryTestState(LineTestKind kind, uint32_t neId, uint32_t port, const RequestOptions& options)
{
    const CRecordRequests requests;
    PolledTest polled;
    if (kind == LineTestKind::kLoopDiagnosis) {
        const RecordReply<LoopDiagCtrlRec> reply =
            requests.Query<LoopDiagCtrlRec>(kReqLoopDiagCtrl, neId, WordRecord{port}, options);
        if (!reply.Ok())
            return std::nullopt;
        if (!reply.records.empty()) {
            const LoopDiagCtrlRec& rec = reply.records.front();
            polled = {true, rec.entityId, rec.testState, rec.failureReason, rec.lineProfile};
        }
        return polled;
    }
    const RecordReply<LineTestCtrlRec> reply =
        requests.Query<LineTestCtrlRec>(ControlCodeOf(kind), neId, WordRecord{port}, options);
    if (!reply.Ok())
        return std::nullopt;
    if (!reply.records.empty()) {
        const LineTestCtrlRec& rec = reply.records.front();
        polled = {true, rec.entityId, rec.testState, rec.failureReason, {}};
    }
    return polled;
}

bool SendTestCommand(LineTestKind kind, uint32_t neId, uint32_t port, uint32_t command, const std::string& lineProfile,
                     const RequestOptions& options)
{
    const CRecordRequests requests;
    if (kind == LineTestKind::kLoopDiagnosis) {
        LoopDiagCtrlRec rec;
        rec.entityId = port;
        rec.lineProfile = lineProfile;
        rec.command = command;
        return requests.Modify(kReqLoopDiagCtrl, neId, rec, options).Ok();
    }
    LineTestCtrlRec rec;
    rec.entityId = port;
    rec.command = command;
    return requests.Modify(ControlCodeOf(kind), neId, rec, options).Ok();
}
