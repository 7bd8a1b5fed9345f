// The guards of a PVC's deletion against an NE that keeps what it is sent: a guard's table the NE does not serve is a
// failed read like any other, so the deletion stops there with "Fail to query" and asks nothing further.

#include "tests/features/provisioning/pvcs/fake_pvc_ne.h"
#include "tests/features/provisioning/pvcs/pvc_test_support.h"
#include "tests/link/support/pvc_records.h"

#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "features/provisioning/pvcs/pvc_delete.h"
#include "link/records/board_setting_rec.h"
#include "link/records/fdb_entry_rec.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

namespace {

using namespace pvc_test;

class PvcDeleteTest : public PvcTest {};

// An enabled PVC 0/35 beside an enabled PVC 8/81 on a port with an enabled channel, no filtering entries and no line
// card with service-type control: the deletion may go on when every guard's table is read; a table the NE does not
// serve (the filtering entries, the port's channel) stops it at that read, with the query's failure box.
TEST_F(PvcDeleteTest, AGuardsTableTheNeDoesNotServeStopsTheDeletion)
{
    struct Row {
        const char* name;
        uint16_t unserved; // 0: every table served
        PvcDeletionVerdict verdict;
    };
    for (const Row& row : {
             Row{"every table served", 0, PvcDeletionVerdict::kMayDelete},
             Row{"no filtering entries served", kReqStaticFdb.value, PvcDeletionVerdict::kQueryFailed},
             Row{"no channels served", kReqMcChannel.value, PvcDeletionVerdict::kQueryFailed},
         }) {
        SCOPED_TRACE(row.name);
        PvcRec pvc = pvc_records::BridgedPvc(kPort, 0, 35, kServicePppoe);
        pvc.enableState = kPvcEnabled;
        PvcRec other = pvc_records::BridgedPvc(kPort, 8, 81, kServicePppoe);
        other.enableState = kPvcEnabled;
        McChannelRec channel;
        channel.portId = kPort;
        channel.adminState = kMcChannelEnabled;
        CFakePvcNe ne;
        ne.AddPvc(pvc, kPvcRowActive);
        ne.AddPvc(other, kPvcRowActive);
        ne.SetChannel(channel);
        ne.AnswerEmpty(kReqStaticFdb.value, kDrvOk);
        ne.AnswerEmpty(kReqBoardSetting.value, kDrvOk);
        if (row.unserved != 0)
            ne.AnswerEmpty(row.unserved, kDrvNotSupported);
        const PvcDeletionCheck check = CheckPvcDeletion(kNe, pvc, CRecordRequests(ne.Channel()));
        EXPECT_EQ(check.verdict, row.verdict);
        ASSERT_FALSE(ne.Sent().empty());
        if (row.unserved != 0) {
            EXPECT_EQ(ne.Sent().back().code, row.unserved) << "nothing is asked after the failed read";
            EXPECT_EQ(ne.Sent().back().failureTextId, kStrFailToQuery);
        } else {
            EXPECT_EQ(ne.Count(kReqPvc, kEmsOpQuery), 1) << "the port's enabled PVCs are counted";
        }
    }
}

} // namespace
