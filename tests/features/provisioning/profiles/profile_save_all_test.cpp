// Save All as Templates on the wire: one request drops the kind's templates (its delete-all code with one byte, at the
// server), then the rows go in list order as adds of the kind's batch size, the last with what is left; the first
// failure ends the run.

#include "features/provisioning/profiles/profile_save_all.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What reached the far end: operation, code, NE, record size and count of each request.
struct Sent {
    int operation;
    uint16_t code;
    uint32_t neId;
    uint32_t recordSize;
    int count;
    bool operator==(const Sent&) const = default;
};

void PrintTo(const Sent& sent, std::ostream* out)
{
    *out << "{" << sent.operation << ", " << sent.code << ", " << sent.neId << ", " << sent.recordSize << ", "
         << sent.count << "}";
}

// A far end that takes every request but the one it is told to refuse (1-based), and notes them all.
class CRecordingPeer {
public:
    int refuse = 0;
    std::vector<Sent> sent;
    std::vector<std::string> namesAdded;

    EmsChannel Channel()
    {
        EmsChannel channel;
        channel.request = [this](EmsMsg& request, EmsMsg** reply, uint32_t, int32_t, bool) {
            sent.push_back({request.operation, request.requestCode, request.neId, request.recordSize, request.count});
            if (static_cast<int>(sent.size()) == refuse)
                return static_cast<int>(kDrvTimeout);
            std::vector<XdslPmThresholdProfileRec> recs;
            if (request.recordSize == kXdslPmThresholdProfileRecSize &&
                DecodeRecords(static_cast<const uint8_t*>(request.records), static_cast<size_t>(request.count),
                              request.recordSize, &recs)) {
                for (const XdslPmThresholdProfileRec& rec : recs)
                    namesAdded.push_back(rec.name);
            }
            reply_ = EmsMsg{};
            reply_.operation = kEmsOpReply;
            reply_.requestCode = request.requestCode;
            *reply = &reply_;
            return kDrvOk;
        };
        return channel;
    }

private:
    EmsMsg reply_;
};

std::vector<XdslPmThresholdProfileRec> Rows(size_t count)
{
    std::vector<XdslPmThresholdProfileRec> rows(count);
    for (size_t i = 0; i < count; ++i)
        rows[i].name = "p" + std::to_string(i);
    return rows;
}

TEST(ProfileSaveAllTest, TheTemplatesAreClearedThenTheRowsGoInBatches)
{
    const ProfileKind& kind = GetProfileKind(ProfileKindId::kXdslPmThreshold);
    constexpr uint32_t kSize = 76;
    const Sent clearing{2, 127, 0, 1, 1};
    const auto add = [](int count) { return Sent{2, 125, 0, kSize, count}; };
    const struct {
        size_t rows;
        int refuse;
        bool done;
        std::vector<Sent> sent;
    } cases[] = {
        {45, 0, true, {clearing, add(20), add(20), add(5)}},
        {40, 0, true, {clearing, add(20), add(20)}},
        {21, 0, true, {clearing, add(20), add(1)}},
        {1, 0, true, {clearing, add(1)}},
        {0, 0, true, {clearing}},
        {45, 1, false, {clearing}},
        {45, 3, false, {clearing, add(20), add(20)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + " rows, request " + std::to_string(c.refuse) + " refused");
        CRecordingPeer peer;
        peer.refuse = c.refuse;
        const std::vector<XdslPmThresholdProfileRec> rows = Rows(c.rows);
        EXPECT_EQ(SaveProfilesAsTemplates(kReqPmThresholdProfileTemplate, rows, kind, CRecordRequests(peer.Channel())),
                  c.done);
        EXPECT_EQ(peer.sent, c.sent);
        if (c.done) {
            std::vector<std::string> names;
            for (const XdslPmThresholdProfileRec& rec : rows)
                names.push_back(rec.name);
            EXPECT_EQ(peer.namesAdded, names) << "in list order";
        }
    }
}

} // namespace
