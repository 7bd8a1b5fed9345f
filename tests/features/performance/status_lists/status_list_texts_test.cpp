// What the xDSL status lists show for the values the NE stores: the state of a DHCP transaction, the status of a
// filtering database entry and whether the operator may delete it, and the alert a spoofed address's check result
// gives before a permit (none lets the permit go on), and the IGMP state of a multicast client.

#include "features/performance/status_lists/dhcp_transaction_list_dlg.h"
#include "features/performance/status_lists/multicast_channel_status_dlg.h"
#include "features/performance/status_lists/xdsl_fdb_list_dlg.h"
#include "features/performance/status_lists/xdsl_mac_spoof_status_list_dlg.h"
#include "tarvik_test_paths.h"

#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

class StatusListTextsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv"); }
};

TEST_F(StatusListTextsTest, TheStatesOfADhcpTransaction)
{
    const std::pair<uint32_t, const char*> rows[] = {
        {0, "Unknown"}, {1, "Init"}, {2, "Select"}, {3, "Bound"}, {4, "Renew"}, {5, "Unknown"}, {7, "Unknown"},
    };
    for (const auto& [state, text] : rows)
        EXPECT_EQ(CDhcpTransactionListDlg::StateText(state), text) << state;
}

TEST_F(StatusListTextsTest, TheStatusesOfAFilteringDatabaseEntryAndWhichTheOperatorMayDelete)
{
    struct Row {
        uint32_t status;
        const char* text;
        bool deletable;
    };
    const Row rows[] = {
        {0, "", true},
        {1, "Learned Unique", true},
        {2, "Learned Spoofed Active", false},
        {3, "Learned Spoofed Inactive", false},
        {4, "ACL Deny", true},
        {5, "ACL Permit", true},
        {6, "Virtual MAC", false},
        {7, "Static", true},
        {8, "Learned Unique Non-aged", true},
        {9, "", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CXdslFdbListDlg::StatusText(row.status), row.text) << row.status;
        EXPECT_EQ(!CXdslFdbListDlg::IsKeptByNe(row.status), row.deletable) << row.status;
    }
}

TEST_F(StatusListTextsTest, TheCheckResultsThatStopAPermit)
{
    const std::pair<uint32_t, const char*> rows[] = {
        {0, "This check has never run"},
        {1, ""},
        {2, "This VC-VLAN doesn't exist"},
        {3, "MAC address is reserved"},
        {4, "Same S/AP/LUN/VM entry has already existed in FDB table or this entry is reserved by system"},
        {5, ""},
    };
    for (const auto& [result, text] : rows) {
        const uint32_t refusal = CXdslMacSpoofStatusListDlg::CheckRefusal(result);
        EXPECT_EQ(refusal == 0 ? std::string() : LoadString(refusal), text) << result;
    }
}

TEST_F(StatusListTextsTest, TheStatesOfAMulticastClient)
{
    const std::pair<uint32_t, const char*> rows[] = {
        {0, "idle"}, {1, "polling"}, {2, "active"}, {3, "idle"}, {4, "idle"},
    };
    for (const auto& [state, text] : rows)
        EXPECT_EQ(CMulticastChannelStatusDlg::StateText(state), text) << state;
}

} // namespace
