// Whether a profile table has room for an add: the table the add goes to is what is counted, by the kind's own count
// of an NE's profiles, and otherwise by the profiles a query of that table answers: the templates at the server, and
// each SHDSL kind's own profiles rather than the count the NE keeps for both SHDSL kinds together.

#include "features/provisioning/profiles/profile_room.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/record_bytes.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A far end that answers a count request with its number and a query with that many records of the code's size,
// and notes what it was asked.
class CCountingPeer {
public:
    void Holds(uint16_t code, uint32_t neId, uint16_t count) { held_[{code, neId}] = count; }
    std::vector<std::pair<uint16_t, uint32_t>> asked;

    EmsChannel Channel()
    {
        EmsChannel channel;
        channel.request = [this](EmsMsg& request, EmsMsg** reply, uint32_t, int32_t, bool) {
            asked.emplace_back(request.requestCode, request.neId);
            const auto found = held_.find({request.requestCode, request.neId});
            const uint16_t count = found != held_.end() ? found->second : 0;
            const RequestSpec* spec = FindRequest(request.requestCode).spec;
            reply_ = EmsMsg{};
            reply_.operation = kEmsOpReply;
            reply_.requestCode = request.requestCode;
            if (spec->kind == RequestKind::kCount) {
                bytes_.assign(2, 0);
                record_bytes::PutU16(bytes_.data(), 0, count);
                reply_.count = 1;
                reply_.recordSize = 2;
            } else {
                bytes_.assign(static_cast<size_t>(count) * spec->recordSize, 0);
                reply_.count = count;
                reply_.recordSize = spec->recordSize;
            }
            reply_.records = bytes_.data();
            *reply = &reply_;
            return kDrvOk;
        };
        return channel;
    }

private:
    std::map<std::pair<uint16_t, uint32_t>, uint16_t> held_;
    std::vector<uint8_t> bytes_;
    EmsMsg reply_;
};

TEST(ProfileRoomTest, AnNesProfilesAreCountedByTheKindsCountRequest)
{
    const ProfileKind& kind = GetProfileKind(ProfileKindId::kAdslLine);
    CCountingPeer peer;
    peer.Holds(kReqAdslLineProfileCount, 7, 59);
    EXPECT_EQ(CheckProfileRoom(kind, kReqAdslLineProfile, 7, CRecordRequests(peer.Channel())), ProfileRoom::kRoom);
    peer.Holds(kReqAdslLineProfileCount, 7, 60);
    EXPECT_EQ(CheckProfileRoom(kind, kReqAdslLineProfile, 7, CRecordRequests(peer.Channel())), ProfileRoom::kFull);
    EXPECT_EQ(peer.asked, (std::vector<std::pair<uint16_t, uint32_t>>{{kReqAdslLineProfileCount, 7},
                                                                      {kReqAdslLineProfileCount, 7}}));
}

TEST(ProfileRoomTest, TheTemplatesAreCountedAtTheServer)
{
    const ProfileKind& kind = GetProfileKind(ProfileKindId::kAdslLine);
    CCountingPeer peer;
    peer.Holds(kReqAdslLineProfileCount, 7, 60); // the NE's table is full; the templates' is not
    peer.Holds(kReqAdslLineProfileTemplate, 0, 12);
    EXPECT_EQ(CheckProfileRoom(kind, kReqAdslLineProfileTemplate, 0, CRecordRequests(peer.Channel())),
              ProfileRoom::kRoom);
    peer.Holds(kReqAdslLineProfileTemplate, 0, 60);
    EXPECT_EQ(CheckProfileRoom(kind, kReqAdslLineProfileTemplate, 0, CRecordRequests(peer.Channel())),
              ProfileRoom::kFull);
    for (const auto& [code, neId] : peer.asked) {
        EXPECT_EQ(code, kReqAdslLineProfileTemplate);
        EXPECT_EQ(neId, 0u);
    }
}

// The NE's SHDSL count (812) counts its line profiles: the line editor asks it, the PM threshold editor counts its
// own profiles.
TEST(ProfileRoomTest, TheShdslCountServesTheLineProfilesAlone)
{
    CCountingPeer peer;
    peer.Holds(kReqShdslProfileCount, 3, 60);
    peer.Holds(kReqShdslPmThresholdProfile, 3, 4);
    EXPECT_EQ(CheckProfileRoom(GetProfileKind(ProfileKindId::kShdslPmThreshold), kReqShdslPmThresholdProfile, 3,
                               CRecordRequests(peer.Channel())),
              ProfileRoom::kRoom);
    EXPECT_EQ(CheckProfileRoom(GetProfileKind(ProfileKindId::kShdslLine), kReqShdslLineProfile, 3,
                               CRecordRequests(peer.Channel())),
              ProfileRoom::kFull);
    peer.Holds(kReqShdslProfileCount, 3, 59);
    EXPECT_EQ(CheckProfileRoom(GetProfileKind(ProfileKindId::kShdslLine), kReqShdslLineProfile, 3,
                               CRecordRequests(peer.Channel())),
              ProfileRoom::kRoom);
    EXPECT_EQ(peer.asked, (std::vector<std::pair<uint16_t, uint32_t>>{{kReqShdslPmThresholdProfile, 3},
                                                                      {kReqShdslProfileCount, 3},
                                                                      {kReqShdslProfileCount, 3}}));
}

TEST(ProfileRoomTest, ACountThatCouldNotBeHadAddsNothing)
{
    EmsChannel failing;
    failing.request = [](EmsMsg&, EmsMsg**, uint32_t, int32_t, bool) { return static_cast<int>(kDrvTimeout); };
    EXPECT_EQ(CheckProfileRoom(GetProfileKind(ProfileKindId::kXdslPmThreshold), kReqPmThresholdProfile, 2,
                               CRecordRequests(failing)),
              ProfileRoom::kUnknown);
}

} // namespace
