// The right each provisioning dialog asks of the operator as it opens, on a made-up NE without a server: an operator
// whose role holds exactly the letter the dialog needs on its function gets the dialog; one whose role holds the
// letter below it (none for a query) gets "No privilege" and no dialog. The functions and letters are those the
// dialogs are specified with, written here as numbers of their own. The dialogs that open to be read and ask the
// modify right to write are checked at their OK.

#include "tests/features/provisioning/made_up_nes.h"

#include "features/provisioning/arp_proxy/adsl_arp_proxy_list_dlg.h"
#include "features/provisioning/arp_proxy/arp_proxy_setting_dlg.h"
#include "features/provisioning/arp_proxy/trunk_arp_proxy_list_dlg.h"
#include "features/provisioning/cos/cos_mapping_dlg.h"
#include "features/provisioning/dhcp/dhcp_broadcast_control_dlg.h"
#include "features/provisioning/dhcp/dhcp_relay_server_dlg.h"
#include "features/provisioning/dhcp/dhcp_relay_server_list_dlg.h"
#include "features/provisioning/dhcp/dhcp_setting_dlg.h"
#include "features/provisioning/dhcp/xdsl_port_agent_id_dlg.h"
#include "features/provisioning/dhcp/xdsl_port_agent_id_list_dlg.h"
#include "features/provisioning/fast_prov/fast_prov_dlg.h"
#include "features/provisioning/fast_prov/fast_prov_list_dlg.h"
#include "features/provisioning/link_agg/link_agg_setting_dlg.h"
#include "features/provisioning/multicast/mc_fast_prov_dlg.h"
#include "features/provisioning/multicast/mc_fast_prov_list_dlg.h"
#include "features/provisioning/multicast/xdsl_mc_channel_list_dlg.h"
#include "features/provisioning/multicast/xdsl_mc_channel_setting_dlg.h"
#include "features/provisioning/next_hops/ipoa_next_hop_dlg.h"
#include "features/provisioning/ports/adsl_port_dlg.h"
#include "features/provisioning/link_agg/link_agg_status_dlg.h"
#include "features/provisioning/link_agg/static_link_agg_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_setting_dlg.h"
#include "features/provisioning/rstp/rstp_setting_dlg.h"
#include "features/provisioning/rstp/rstp_status_dlg.h"
#include "features/provisioning/sfp/sfp_info_dlg.h"
#include "features/provisioning/shdsl/shdsl_port_dlg.h"
#include "features/provisioning/shdsl/shdsl_port_list_dlg.h"
#include "features/provisioning/source_macs/xdsl_acl_dlg.h"
#include "features/provisioning/source_macs/xdsl_acl_list_dlg.h"
#include "features/provisioning/source_macs/xdsl_vc_vlan_acl_list_dlg.h"
#include "features/provisioning/static_macs/xdsl_static_mac_dlg.h"
#include "features/provisioning/trunk/manual_vlan_dlg.h"
#include "features/provisioning/trunk/trunk_port_dlg.h"
#include "features/provisioning/trunk/trunk_port_list_dlg.h"
#include "features/provisioning/trunk/trunk_vlan_list_dlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace made_up;

constexpr uint8_t kAsBuilt = 0; // the access mode the dialog gives itself

// The letter just below one: an operator holding it lacks the one asked for.
char LetterBelow(char letter)
{
    switch (letter) {
    case 'q':
        return '-';
    case 'm':
        return 'q';
    case 'c':
        return 'm';
    case 'd':
        return 'c';
    default: // 'a', and 'x', which needs 'a'
        return 'd';
    }
}

// Public: the rows' lambdas open the dialogs through it.
class ProvisioningRightsTest : public ::testing::Test {
public:
    void SetUp() override
    {
        LoadProgramStrings();
        InstallMadeUpNes();
        AppData().role = kRoleUser;
    }
    void TearDown() override
    {
        ClearUserRights();
        AppData().Reset();
        ReplaceEntityModels(nullptr);
    }

    // The role holds `letter` on the function (an execute right 'x' is held as 'a') and every other right.
    static void Grant(int function, char letter)
    {
        std::string rights(kRightsFunctionCount, 'a');
        rights[static_cast<size_t>(function)] = letter == 'x' ? 'a' : letter;
        SetUserRights(kRoleUser, rights.c_str());
    }

    // Opens the dialog on the single-shelf NE's target; whether it was shown. `work` acts in it once it is.
    template <typename Dlg>
    bool Opens(const CEntityIndex& target, uint8_t mode, const std::function<void(Dlg&)>& setUp = {},
               const std::function<void(Dlg&)>& work = {})
    {
        bool shown = false;
        opener_.ShowInfoText(QString());
        RunFromOpener<Dlg>(
            runner_, opener_,
            [&](Dlg& dlg) {
                const CEntityId entity(&target);
                dlg.SetTarget(static_cast<int>(kSingleNe), &entity);
                if (mode != kAsBuilt)
                    dlg.SetAccessMode(mode);
                if (setUp)
                    setUp(dlg);
            },
            [&](Dlg& dlg) {
                shown = true;
                if (work)
                    work(dlg);
            });
        return shown;
    }

    ScriptedModalRunner runner_;
    ScriptedMessageBoxes boxes_;
    CTestDlg opener_;
};

const CEntityIndex kNe = CEntityIndex::FromLevels(1);
const CEntityIndex kCard = CEntityIndex::FromLevels(1, 1, 1);
const CEntityIndex kPort = CEntityIndex::FromLevels(1, 1, 1, 1);

TEST_F(ProvisioningRightsTest, EachDialogOpensForItsLetterAndNotForTheOneBelow)
{
    struct Row {
        const char* name;
        int function;
        char letter;
        std::function<bool(ProvisioningRightsTest&)> open;
    };
    using T = ProvisioningRightsTest;
    FastProvParams cards;
    cards.first = kCard;
    cards.last = kCard;
    cards.moduleType = kSingleCard;
    cards.pvcsPerPort = 1;
    const Row rows[] = {
        {"SHDSL port list", 11, 'q', [](T& t) { return t.Opens<CShdslPortListDlg>(kCard, kAsBuilt); }},
        {"SHDSL port", 11, 'm', [](T& t) { return t.Opens<CShdslPortDlg>(kPort, kAsBuilt); }},
        {"VC-to-VLAN list", 28, 'q', [](T& t) { return t.Opens<CXdslVcVlanListDlg>(kCard, kAsBuilt); }},
        {"VC-to-VLAN shown", 28, 'q', [](T& t) { return t.Opens<CXdslVcVlanSettingDlg>(kPort, kAccessQuery); }},
        {"VC-to-VLAN changed", 28, 'm', [](T& t) { return t.Opens<CXdslVcVlanSettingDlg>(kPort, kAccessModify); }},
        {"VC-to-VLAN created", 28, 'c', [](T& t) { return t.Opens<CXdslVcVlanSettingDlg>(kCard, kAccessCreate); }},
        {"source MACs of a card", 47, 'q', [](T& t) { return t.Opens<CXdslAclListDlg>(kCard, kAsBuilt); }},
        {"source MACs of a PVC", 47, 'q', [](T& t) { return t.Opens<CXdslVcVlanAclListDlg>(kPort, kAsBuilt); }},
        {"source MAC added", 47, 'm', [](T& t) { return t.Opens<CXdslAclDlg>(kPort, kAsBuilt); }},
        {"fast provisioning", 31, 'c', [](T& t) { return t.Opens<CFastProvDlg>(kCard, kAsBuilt); }},
        {"fast provision list", 31, 'q',
         [cards](T& t) {
             return t.Opens<CFastProvListDlg>(kNe, kAsBuilt, [&](CFastProvListDlg& list) { list.SetParams(cards); });
         }},
        {"DHCP setting", 43, 'q', [](T& t) { return t.Opens<CDhcpSettingDlg>(kNe, kAsBuilt); }},
        {"relay servers", 43, 'q', [](T& t) { return t.Opens<CDhcpRelayServerListDlg>(kNe, kAsBuilt); }},
        {"relay server added", 43, 'c', [](T& t) { return t.Opens<CDhcpRelayServerDlg>(kNe, kAsBuilt); }},
        {"relay server changed", 43, 'm', [](T& t) { return t.Opens<CDhcpRelayServerDlg>(kNe, kAccessModify); }},
        {"agent IDs", 43, 'q', [](T& t) { return t.Opens<CXdslPortAgentIdListDlg>(kCard, kAsBuilt); }},
        {"agent ID of a port", 43, 'm', [](T& t) { return t.Opens<CXdslPortAgentIdDlg>(kPort, kAsBuilt); }},
        {"broadcast control", 43, 'q', [](T& t) { return t.Opens<CDhcpBroadcastControlDlg>(kNe, kAsBuilt); }},
        {"ARP proxy setting", 76, 'q', [](T& t) { return t.Opens<CArpProxySettingDlg>(kNe, kAsBuilt); }},
        {"ADSL ARP proxy list", 77, 'q', [](T& t) { return t.Opens<CAdslArpProxyListDlg>(kCard, kAsBuilt); }},
        {"trunk ARP proxy list", 77, 'q', [](T& t) { return t.Opens<CTrunkArpProxyListDlg>(kNe, kAsBuilt); }},
        {"trunk port list", 45, 'q', [](T& t) { return t.Opens<CTrunkPortListDlg>(kNe, kAsBuilt); }},
        {"trunk port", 45, 'm', [](T& t) { return t.Opens<CTrunkPortDlg>(kPort, kAsBuilt); }},
        {"manual VLANs", 64, 'q', [](T& t) { return t.Opens<CManualVlanDlg>(kNe, kAsBuilt); }},
        {"trunk VLAN list", 64, 'q', [](T& t) { return t.Opens<CTrunkVlanListDlg>(kNe, kAsBuilt); }},
        {"spanning tree setting", 46, 'q', [](T& t) { return t.Opens<CRstpSettingDlg>(kNe, kAsBuilt); }},
        {"spanning tree status", 46, 'q', [](T& t) { return t.Opens<CRstpStatusDlg>(kNe, kAsBuilt); }},
        {"link aggregation setting", 44, 'q', [](T& t) { return t.Opens<CLinkAggSettingDlg>(kNe, kAsBuilt); }},
        {"static link aggregation", 44, 'q', [](T& t) { return t.Opens<CStaticLinkAggDlg>(kNe, kAsBuilt); }},
        {"link aggregation status", 44, 'q', [](T& t) { return t.Opens<CLinkAggStatusDlg>(kNe, kAsBuilt); }},
        {"SFP information", 63, 'q', [](T& t) { return t.Opens<CSfpInfoDlg>(kNe, kAsBuilt); }},
        {"CoS mapping", 49, 'q', [](T& t) { return t.Opens<CCosMappingDlg>(kNe, kAsBuilt); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Grant(row.function, row.letter);
        EXPECT_TRUE(row.open(*this)) << "held: " << row.letter;
        Grant(row.function, LetterBelow(row.letter));
        EXPECT_FALSE(row.open(*this)) << "held: " << LetterBelow(row.letter);
        EXPECT_EQ(opener_.GetMessageText(), QStringLiteral("No privilege"));
    }
}

// Opened to be read, these write only for an operator who may modify: OK stays disabled, or refuses.
TEST_F(ProvisioningRightsTest, TheSettingsThatAreReadFirstAskTheModifyRightToWrite)
{
    using T = ProvisioningRightsTest;
    const auto okEnabled = []<typename Dlg>(T& t, Dlg*) {
        bool enabled = false;
        t.Opens<Dlg>(kNe, kAsBuilt, {}, [&](Dlg& dlg) { enabled = dlg.IsControlEnabled(IDOK); });
        return enabled;
    };
    struct Row {
        const char* name;
        int function;
        std::function<bool(T&)> okOffered;
        bool readFirst = false; // OK waits for the NE's values as well: without a server it stays disabled
    };
    const Row rows[] = {
        {"broadcast control", 43,
         [okEnabled](T& t) { return okEnabled(t, static_cast<CDhcpBroadcastControlDlg*>(nullptr)); }, true},
        {"link aggregation setting", 44,
         [okEnabled](T& t) { return okEnabled(t, static_cast<CLinkAggSettingDlg*>(nullptr)); }},
        {"static link aggregation", 44,
         [okEnabled](T& t) { return okEnabled(t, static_cast<CStaticLinkAggDlg*>(nullptr)); }},
        {"CoS mapping", 49,
         [](T& t) {
             bool refused = true;
             t.Opens<CCosMappingDlg>(kNe, kAsBuilt, {}, [&](CCosMappingDlg& dlg) {
                 dlg.OnOK();
                 refused = dlg.GetMessageText() == QStringLiteral("No privilege");
             });
             return !refused;
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Grant(row.function, 'q');
        EXPECT_FALSE(row.okOffered(*this)) << "held: q";
        if (row.readFirst)
            continue;
        Grant(row.function, 'm');
        EXPECT_TRUE(row.okOffered(*this)) << "held: m";
    }
}

// The rights of commands within the lists: refused with "No privilege" for the letter below, and for the letter
// itself the command goes on to its next step (here, without a row, the question for one).
TEST_F(ProvisioningRightsTest, EachCommandOfAListAsksItsLetter)
{
    using T = ProvisioningRightsTest;
    struct Row {
        const char* name;
        int function;
        char letter;
        std::function<QString(T&)> run; // the message the command leaves
        const char* next;               // what it says for an operator who holds the letter
    };
    const auto click = []<typename Dlg>(T& t, const CEntityIndex& target, Dlg*, int id) {
        QString said;
        t.Opens<Dlg>(target, kAsBuilt, {}, [&](Dlg& dlg) {
            dlg.ShowInfoText(QString());
            dlg.OnCommand(id, BN_CLICKED);
            said = dlg.GetMessageText();
        });
        return said;
    };
    const Row rows[] = {
        {"SHDSL port reset", 3, 'x',
         [click](T& t) {
             return click(t, kCard, static_cast<CShdslPortListDlg*>(nullptr), CShdslPortListDlg::kResetButtonId);
         },
         "Please select one item"},
        {"PVC deletion", 28, 'd',
         [click](T& t) { return click(t, kCard, static_cast<CXdslVcVlanListDlg*>(nullptr), kDeleteButtonId); },
         "Please select one item"},
        {"PVC multi-deletion", 28, 'd',
         [click](T& t) {
             return click(t, kCard, static_cast<CXdslVcVlanListDlg*>(nullptr), CXdslVcVlanListDlg::kMultiDeleteId);
         },
         "Please check at least one item"},
        {"relay server deletion", 43, 'd',
         [click](T& t) { return click(t, kNe, static_cast<CDhcpRelayServerListDlg*>(nullptr), kDeleteButtonId); },
         "Please select one item"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Grant(row.function, row.letter);
        EXPECT_EQ(row.run(*this), QString::fromLatin1(row.next)) << "held: " << row.letter;
        Grant(row.function, LetterBelow(row.letter));
        EXPECT_EQ(row.run(*this), QStringLiteral("No privilege")) << "held: " << LetterBelow(row.letter);
    }
}

// The multicast channel, static MAC, next hop and ADSL port dialogs ask, as they open, the letter of their access mode
// on their own function: an operator who holds the letter below gets "No privilege", one who holds the letter does
// not (whatever the dialog does next without a server).
TEST_F(ProvisioningRightsTest, EachServiceDialogAsksTheLetterOfItsModeOnItsFunction)
{
    using T = ProvisioningRightsTest;
    struct Row {
        const char* name;
        int function;
        char letter;
        std::function<void(T&)> open;
    };
    const Row rows[] = {
        {"multicast channels", 30, 'q', [](T& t) { t.Opens<CXdslMcChannelListDlg>(kCard, kAsBuilt); }},
        {"multicast channel shown", 30, 'q', [](T& t) { t.Opens<CXdslMcChannelSettingDlg>(kPort, kAccessQuery); }},
        {"multicast channel changed", 30, 'm', [](T& t) { t.Opens<CXdslMcChannelSettingDlg>(kPort, kAccessModify); }},
        {"multicast channel added", 30, 'c', [](T& t) { t.Opens<CXdslMcChannelSettingDlg>(kCard, kAccessCreate); }},
        {"multicast fast provisioning", 32, 'q', [](T& t) { t.Opens<CMcFastProvDlg>(kCard, kAsBuilt); }},
        {"multicast fast provision list", 32, 'q', [](T& t) { t.Opens<CMcFastProvListDlg>(kNe, kAsBuilt); }},
        {"static MAC added", 71, 'c', [](T& t) { t.Opens<CXdslStaticMacDlg>(kCard, kAccessCreate); }},
        {"static MAC changed", 71, 'm', [](T& t) { t.Opens<CXdslStaticMacDlg>(kPort, kAccessModify); }},
        {"next hop added", 38, 'c', [](T& t) { t.Opens<CIpoaNextHopDlg>(kNe, kAccessCreate); }},
        {"next hop changed", 38, 'm', [](T& t) { t.Opens<CIpoaNextHopDlg>(kNe, kAccessModify); }},
        {"ADSL port shown", 11, 'q', [](T& t) { t.Opens<CAdslPortDlg>(kPort, kAccessQuery); }},
        {"ADSL port changed", 11, 'm', [](T& t) { t.Opens<CAdslPortDlg>(kPort, kAccessModify); }},
    };
    const QString refusal = QStringLiteral("No privilege");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Grant(row.function, row.letter);
        row.open(*this);
        EXPECT_NE(opener_.GetMessageText(), refusal) << "held: " << row.letter;
        Grant(row.function, LetterBelow(row.letter));
        row.open(*this);
        EXPECT_EQ(opener_.GetMessageText(), refusal) << "held: " << LetterBelow(row.letter);
    }
}

} // namespace
