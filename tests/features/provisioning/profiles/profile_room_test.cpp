// Whether a profile table has room for an add: each kind asks its count (the two SHDSL kinds the same one) of the NE
// the editor's target holds, an editor of templates too (NE 0 when its target holds none), and an add is refused at
// the kind's limit and taken one below it.

#include "features/provisioning/profiles/profile_room.h"
#include "link/records/record_bytes.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// A far end that answers a count request with its number and notes what it was asked.
class CCountingPeer {
public:
    uint16_t count = 0;
    std::vector<std::pair<uint16_t, uint32_t>> asked;

    EmsChannel Channel()
    {
        EmsChannel channel;
        channel.request = [this](EmsMsg& request, EmsMsg** reply, uint32_t, int32_t, bool) {
            asked.emplace_back(request.requestCode, request.neId);
            bytes_.assign(2, 0);
            record_bytes::PutU16(bytes_.data(), 0, count);
            reply_ = EmsMsg{};
            reply_.operation = kEmsOpReply;
            reply_.requestCode = request.requestCode;
            reply_.count = 1;
            reply_.recordSize = 2;
            reply_.records = bytes_.data();
            *reply = &reply_;
            return kDrvOk;
        };
        return channel;
    }

private:
    std::vector<uint8_t> bytes_;
    EmsMsg reply_;
};

TEST(ProfileRoomTest, EachKindAsksItsCountOfTheTargetsNeAndIsFullAtItsLimit)
{
    const struct {
        ProfileKindId kind;
        uint16_t countCode;
        uint16_t limit;
    } rows[] = {
        {ProfileKindId::kAdslLine, 644, 60},         {ProfileKindId::kXdslPmThreshold, 654, 60},
        {ProfileKindId::kTrafficPolicing, 464, 60},  {ProfileKindId::kShdslLine, 812, 60},
        {ProfileKindId::kShdslPmThreshold, 812, 60}, {ProfileKindId::kIpTraffic, 435, 60},
        {ProfileKindId::kMcChannel, 444, 800},       {ProfileKindId::kMcService, 454, 60},
    };
    for (const auto& row : rows) {
        for (uint32_t neId : {7u, 0u}) {
            SCOPED_TRACE(std::to_string(row.countCode) + " at NE " + std::to_string(neId));
            const ProfileKind& kind = GetProfileKind(row.kind);
            CCountingPeer peer;
            peer.count = row.limit;
            EXPECT_EQ(CheckProfileRoom(kind, neId, CRecordRequests(peer.Channel())), ProfileRoom::kFull);
            peer.count = static_cast<uint16_t>(row.limit - 1);
            EXPECT_EQ(CheckProfileRoom(kind, neId, CRecordRequests(peer.Channel())), ProfileRoom::kRoom);
            const std::pair<uint16_t, uint32_t> asked{row.countCode, neId};
            EXPECT_EQ(peer.asked, (std::vector<std::pair<uint16_t, uint32_t>>{asked, asked}));
        }
    }
}

TEST(ProfileRoomTest, ACountThatCouldNotBeHadAddsNothing)
{
    EmsChannel failing;
    failing.request = [](EmsMsg&, EmsMsg**, uint32_t, int32_t, bool) { return static_cast<int>(kDrvTimeout); };
    EXPECT_EQ(CheckProfileRoom(GetProfileKind(ProfileKindId::kXdslPmThreshold), 2, CRecordRequests(failing)),
              ProfileRoom::kUnknown);
}

} // namespace
