// How the lists of the running program sort: the rows follow the arrow of their header. A profile list page that is
// not the one shown when its container fills every page, and a page whose header the operator clicks while the focus
// is on a button, sort by their own comparison; the NE user accounts and communities sort by the first 20 characters
// of their texts, letter case counting; the PM threshold pages sort their names by the first 20 characters, letter
// case aside; the columns of the xDSL service lists sort as numbers or as texts, each by its own rule.

#include "tests/e2e/support/mc_server_steps.h"
#include "tests/e2e/support/north1_test.h"
#include "tests/e2e/support/profile_list_steps.h"

#include "features/management/ne_access/ne_snmp_community_list_dlg.h"
#include "features/management/ne_access/ne_user_account_list_dlg.h"
#include "features/provisioning/multicast/xdsl_mc_channel_list_dlg.h"
#include "features/provisioning/next_hops/ipoa_next_hop_list_dlg.h"
#include "features/provisioning/ports/adsl_port_list_dlg.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/profiles/xdsl_mc_service_profile_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "features/provisioning/source_macs/xdsl_acl_list_dlg.h"
#include "features/provisioning/vlans/protocol_vlan_list_dlg.h"
#include "features/provisioning/vlans/vlan_mac_limit_list_dlg.h"
#include "link/records/acl_entry_rec.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/ip_traffic_profile_rec.h"
#include "link/records/mc_channel_profile_rec.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/records/next_hop_rec.h"
#include "link/records/protocol_vlan_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/request_codes.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "link/records/vlan_mac_limit_rec.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"

#include <QHeaderView>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kCmdAdslProfile = 33080;
constexpr int kCmdShdslProfile = 33081;
constexpr int kCmdNeUserAccount = 33168;
constexpr int kCmdSnmpCommunity = 33146;
using e2e::kNorth1;
using e2e::ListColumn;

bool SortedWithoutCase(const QStringList& names, bool ascending)
{
    return std::is_sorted(names.begin(), names.end(), [ascending](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return ascending ? order < 0 : order > 0;
    });
}

class ListSortingE2eTest : public e2e::CNorth1Test {};

TEST_F(ListSortingE2eTest, AProfilePageSortsItsOwnRowsShownOrNot)
{
    // Names that come from the NE out of their order, whether it keeps them as they came or by their bytes.
    ShdslPmThresholdProfileRec shdsl;
    shdsl.maxLoopAttenuation = 50;
    shdsl.minSnrMargin = 7;
    shdsl.rowState = 1;
    std::vector<ShdslPmThresholdProfileRec> shdslProfiles;
    for (const char* name : {"Zulu-pm", "bravo-pm", "Mike-pm"}) {
        shdsl.name = name;
        shdslProfiles.push_back(shdsl);
    }
    e2e::AddOnServer(program_, kReqShdslPmThresholdProfileAdd, kNorth1, shdslProfiles);
    TrafficPolicingProfileRec policing;
    policing.status = 1;
    std::vector<TrafficPolicingProfileRec> policingProfiles;
    for (const char* name : {"Zz-police", "aa-police", "Mm-police"}) {
        policing.name = name;
        policingProfiles.push_back(policing);
    }
    e2e::AddOnServer(program_, kReqTrafficPolicingProfileAdd, kNorth1, policingProfiles);

    e2e::COperator& person = program_.Operator();
    const struct {
        int command;
        int tab;
        ProfileKindId kind;
    } pages[] = {{kCmdShdslProfile, 1, ProfileKindId::kShdslPmThreshold},
                 {kCmdAdslProfile, 2, ProfileKindId::kTrafficPolicing}};
    for (const auto& page : pages) {
        person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            QTreeView& rows = e2e::PageList(list, page.kind);
            // Sorted at the fill, while another page was shown.
            const QStringList filled = ListColumn(rows, 0);
            EXPECT_GE(filled.size(), 4);
            EXPECT_TRUE(SortedWithoutCase(filled, true)) << filled.join(',').toStdString();
            e2e::ClickTab(list, page.tab);
            // A header clicked while a button has the focus.
            list.GetDlgItem(kRefreshButtonId)->setFocus();
            e2e::CProgram::ClickHeader(*rows.header(), 0);
            const QStringList descending = ListColumn(rows, 0);
            EXPECT_TRUE(SortedWithoutCase(descending, false)) << descending.join(',').toStdString();
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(page.command));
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The NE user accounts and the NE's communities sort their names, and their roles or permissions, by the first 20
// characters of their texts, letter case counting; rows alike in those go by their rows, the built-in account first,
// and a descending sort reverses them too.
TEST_F(ListSortingE2eTest, NeAccountsAndCommunitiesSortByTheFirst20CharactersOfTheirTexts)
{
    e2e::AddOnServer(
        program_, kReqNeUserAccountAdd, kNorth1,
        std::vector{NeUserAccountRecord{"abc", "secret1", 1, 1}, NeUserAccountRecord{"Zed", "secret2", 1, 1}});
    e2e::AddOnServer(program_, kReqNeSnmpCommunityAdd, kNorth1,
                     std::vector{NeSnmpCommunityRecord{"Zed", 1, 1}, NeSnmpCommunityRecord{"abc", 1, 1}});

    // The accounts in the order the NE lists them, the built-in one first; Role: the administrators first.
    QStringList inOrder;
    QStringList byRole;
    for (const NeUserAccountRecord& listed : program_.ServerRecords(kReqNeUserAccount, kNorth1)) {
        inOrder.push_back(QString::fromStdString(listed.userName));
        if (listed.role == kNeUserLevelAdministrator)
            byRole.push_back(inOrder.back());
    }
    inOrder.move(inOrder.indexOf(QStringLiteral("qurim")), 0);
    byRole.move(byRole.indexOf(QStringLiteral("qurim")), 0);
    for (const QString& name : inOrder) {
        if (!byRole.contains(name))
            byRole.push_back(name);
    }
    ASSERT_EQ(inOrder.size(), 4);
    ASSERT_NE(inOrder.indexOf(QStringLiteral("abc")), 1) << "the names in their rows' order tell nothing";

    const struct {
        int command;
        int column;
        QStringList ascending;
    } lists[] = {
        {kCmdNeUserAccount, CNeUserAccountListDlg::kNameColumn, {"Zed", "abc", "qurim", "su"}},
        {kCmdNeUserAccount, CNeUserAccountListDlg::kRoleColumn, byRole},
        {kCmdSnmpCommunity, CNeSnmpCommunityListDlg::kCommunityColumn, {"Zed", "abc", "private", "public"}},
        // The NE lists its communities in the order of their names: the read-only ones by their rows, after the
        // read/write one.
        {kCmdSnmpCommunity, CNeSnmpCommunityListDlg::kCommunityColumn + 1, {"private", "Zed", "abc", "public"}},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(testing::Message() << list.command << " column " << list.column);
        program_.Operator().OnDialog<CRecordListDlg>([&](CRecordListDlg& dialog) {
            QTreeView& rows = *dialog.FindList(kListControlId);
            for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(rows, list.column, kImageSortAscending);
                 ++click)
                e2e::CProgram::ClickHeader(*rows.header(), list.column);
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, list.column, kImageSortAscending));
            EXPECT_EQ(ListColumn(rows, 1), list.ascending);
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(
                dialog, QStringLiteral("sorted_%1_%2").arg(list.command).arg(list.column)));
            // Descending reverses the whole order, the rows that tie included.
            e2e::CProgram::ClickHeader(*rows.header(), list.column);
            QStringList descending = list.ascending;
            std::reverse(descending.begin(), descending.end());
            EXPECT_EQ(ListColumn(rows, 1), descending);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(list.command));
    }
}

// The PM threshold pages sort their names letter case aside and by their first 20 characters only: names alike in
// those stay in the order the NE lists them, the one added first on top.
TEST_F(ListSortingE2eTest, PmThresholdNamesSortByTheirFirst20CharactersLetterCaseAside)
{
    // Added in this order; "twenty-letter-prefix" has 20 characters.
    const char* const added[] = {"Kilo-pm", "juliet-pm", "twenty-letter-prefix-B", "twenty-letter-prefix-a"};
    const QStringList ascending = {QStringLiteral("juliet-pm"), QStringLiteral("Kilo-pm"),
                                   QStringLiteral("twenty-letter-prefix-B"), QStringLiteral("twenty-letter-prefix-a")};
    std::vector<XdslPmThresholdProfileRec> xdsl;
    std::vector<ShdslPmThresholdProfileRec> shdsl;
    for (const char* name : added) {
        XdslPmThresholdProfileRec threshold;
        threshold.name = name;
        threshold.status = 1;
        xdsl.push_back(threshold);
        ShdslPmThresholdProfileRec shdslThreshold;
        shdslThreshold.name = name;
        shdslThreshold.maxLoopAttenuation = 50;
        shdslThreshold.minSnrMargin = 7;
        shdslThreshold.rowState = 1;
        shdsl.push_back(shdslThreshold);
    }
    for (size_t i = 0; i < xdsl.size(); ++i) {
        e2e::AddOnServer(program_, kReqPmThresholdProfileAdd, kNorth1, std::vector{xdsl[i]});
        e2e::AddOnServer(program_, kReqShdslPmThresholdProfileAdd, kNorth1, std::vector{shdsl[i]});
    }

    e2e::COperator& person = program_.Operator();
    const struct {
        int command;
        ProfileKindId kind;
    } pages[] = {{kCmdAdslProfile, ProfileKindId::kXdslPmThreshold},
                 {kCmdShdslProfile, ProfileKindId::kShdslPmThreshold}};
    for (const auto& page : pages) {
        person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            e2e::ClickTab(list, 1);
            QTreeView& rows = e2e::PageList(list, page.kind);
            // Another column first, so that the name column's click sorts ascending.
            e2e::CProgram::ClickHeader(*rows.header(), 1);
            e2e::CProgram::ClickHeader(*rows.header(), 0);
            QStringList shown = ListColumn(rows, 0);
            shown.removeIf([&](const QString& name) { return !ascending.contains(name); });
            EXPECT_EQ(shown, ascending) << static_cast<int>(page.kind);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(page.command));
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// Rows whose sorted cells are equal go by the profiles' names, letter case aside, whichever way the NE lists them:
// the SHDSL line profiles by their operation mode, the xDSL PM threshold profiles by their CO 15-minute thresholds.
TEST_F(ListSortingE2eTest, RowsOfEqualCellsGoByTheProfilesNames)
{
    const char* const names[] = {"Zulu-tie", "bravo-tie", "Mike-tie"};
    std::vector<ShdslLineProfileRec> lines;
    std::vector<XdslPmThresholdProfileRec> thresholds;
    for (const char* name : names) {
        ShdslLineProfileRec line;
        line.name = name;
        line.wireInterface = 2;
        line.minRate = 72000;
        line.maxRate = 2312000;
        line.annex = 0xC0;
        line.rowState = 1;
        lines.push_back(line);
        XdslPmThresholdProfileRec threshold;
        threshold.name = name;
        threshold.coEs15Min = 77;
        threshold.status = 1;
        thresholds.push_back(threshold);
    }
    e2e::AddOnServer(program_, kReqShdslLineProfileAdd, kNorth1, lines);
    e2e::AddOnServer(program_, kReqPmThresholdProfileAdd, kNorth1, thresholds);
    const QStringList ascending = {QStringLiteral("bravo-tie"), QStringLiteral("Mike-tie"), QStringLiteral("Zulu-tie")};
    const auto ours = [&](QTreeView& rows) {
        QStringList shown = ListColumn(rows, 0);
        shown.removeIf([&](const QString& name) { return !ascending.contains(name); });
        return shown;
    };

    e2e::COperator& person = program_.Operator();
    const struct {
        int command;
        int tab;
        ProfileKindId kind;
    } pages[] = {{kCmdShdslProfile, 0, ProfileKindId::kShdslLine},
                 {kCmdAdslProfile, 1, ProfileKindId::kXdslPmThreshold}};
    for (const auto& page : pages) {
        person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            e2e::ClickTab(list, page.tab);
            QTreeView& rows = e2e::PageList(list, page.kind);
            // A column clicked sorts ascending, a second click descending.
            e2e::CProgram::ClickHeader(*rows.header(), 1);
            EXPECT_EQ(ours(rows), ascending) << static_cast<int>(page.kind);
            e2e::CProgram::ClickHeader(*rows.header(), 1);
            QStringList descending = ascending;
            std::reverse(descending.begin(), descending.end());
            EXPECT_EQ(ours(rows), descending) << static_cast<int>(page.kind);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(page.command));
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The xDSL service lists of North-1, each column by its own rule. A header clicked once sorts its rows ascending; the
// column read shows them so, a run of one text shown once.
class ServiceListSortingE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        e2e::PeerOptions options;
        // The protocol-based VLANs are on a toolbar button the operator configures.
        options.iniExtra = e2e::ToolbarOf(33191);
        ASSERT_TRUE(program_.StartServer(options));
        ASSERT_TRUE(program_.Login("admin", "admin"));
        program_.ClickTreeItem(program_.TreeItem(QStringLiteral("North-1")));
    }

    e2e::CProgram program_;
};

using SortedColumn = std::function<QStringList(e2e::CProgram&)>;

// The command opens a list of class Dlg (the list control, or the one `listOf` gives); its header `clicked` is
// clicked once and column `read` is read top down.
template <class Dlg>
SortedColumn SortedBy(int command, int clicked, int read, std::function<QTreeView&(Dlg&)> listOf = {})
{
    return [=](e2e::CProgram& program) {
        QStringList shown;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            QTreeView& rows = listOf ? listOf(dialog) : *dialog.FindList(kListControlId);
            e2e::CProgram::ClickHeader(*rows.header(), clicked);
            for (const QString& text : ListColumn(rows, read)) {
                if (shown.isEmpty() || shown.back() != text)
                    shown << text;
            }
            return IDCANCEL;
        });
        EXPECT_TRUE(program.Command(command) || program.ToolbarButton(command)) << command;
        return shown;
    };
}

// The command opens a list of class Dlg: the headers `clicks` clicked in turn, column `read` read top down, only its
// texts in `kept` (all when none).
template <class Dlg>
SortedColumn KeptColumn(int command, const std::vector<int>& clicks, int read, const QStringList& kept = {})
{
    return [=](e2e::CProgram& program) {
        QStringList shown;
        program.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
            QTreeView& rows = *dialog.FindList(kListControlId);
            for (int clicked : clicks)
                e2e::CProgram::ClickHeader(*rows.header(), clicked);
            for (const QString& text : ListColumn(rows, read)) {
                if (kept.isEmpty() || kept.contains(text))
                    shown << text;
            }
            return IDCANCEL;
        });
        EXPECT_TRUE(program.Command(command) || program.ToolbarButton(command)) << command;
        return shown;
    };
}

// The VLAN MAC limits of VLANs 1 to 3 (the range typed, then Refresh): the headers `clicks` clicked in turn, the
// VLAN IDs read top down.
SortedColumn VlanMacLimitsOneToThree(const std::vector<int>& clicks)
{
    return [=](e2e::CProgram& program) {
        QStringList shown;
        program.Operator().OnDialog<CVlanMacLimitListDlg>([&](CVlanMacLimitListDlg& list) {
            e2e::Type(list, 1304, QStringLiteral("1"));
            e2e::Type(list, 1306, QStringLiteral("3"));
            e2e::Click(list, kRefreshButtonId);
            QTreeView& rows = *list.FindList(kListControlId);
            for (int clicked : clicks)
                e2e::CProgram::ClickHeader(*rows.header(), clicked);
            shown = ListColumn(rows, 1);
            return IDCANCEL;
        });
        EXPECT_TRUE(program.Command(33181));
        return shown;
    };
}

// The channel list of a new multicast service profile, from the service page of the VLAN profiles: sorted by name,
// then by id.
SortedColumn ChannelIdsOfANewServiceProfile()
{
    return [](e2e::CProgram& program) {
        QStringList shown;
        e2e::COperator& person = program.Operator();
        person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            e2e::ClickTab(list, 2);
            person.OnDialog<CXdslMcServiceProfileDlg>([&](CXdslMcServiceProfileDlg& editor) {
                QTreeView& rows = *editor.FindList(kListControlId);
                e2e::CProgram::ClickHeader(*rows.header(), 1);
                e2e::CProgram::ClickHeader(*rows.header(), 0);
                shown = ListColumn(rows, 0);
                return IDCANCEL;
            });
            e2e::Click(list, kAddButtonId);
            return IDCANCEL;
        });
        EXPECT_TRUE(program.Command(33175));
        return shown;
    };
}

TEST_F(ServiceListSortingE2eTest, EachColumnSortsByItsOwnRule)
{
    // A protocol VLAN entry whose VLAN ID and name sort apart as numbers and as texts of one case.
    ProtocolVlanRec qinq;
    qinq.etherType = 0x88a8;
    qinq.name = "Qinq";
    qinq.vlanId = 9;
    qinq.state = 1;
    e2e::AddOnServer(program_, kReqProtocolVlanAdd, kNorth1, std::vector{qinq});
    // Two entries whose names are one but for their case, the later one first by its VLAN ID.
    for (const auto& [type, name, vlan] : {std::tuple{0x9000, "tie", 8}, std::tuple{0x9100, "TIE", 7}}) {
        ProtocolVlanRec tie = qinq;
        tie.etherType = static_cast<uint16_t>(type);
        tie.name = name;
        tie.vlanId = static_cast<uint16_t>(vlan);
        e2e::AddOnServer(program_, kReqProtocolVlanAdd, kNorth1, std::vector{tie});
    }
    // Two next hops on one address, beside "core" on 192.0.2.254 VLAN 10, whose names and arrival go against their
    // VLANs, and "Relay" between them by its address, first by its name only with its case.
    for (const auto& [name, last, vlan] :
         {std::tuple{"edge-a", 1, 300}, std::tuple{"edge-b", 1, 20}, std::tuple{"Relay", 9, 5}}) {
        NextHopRec hop;
        hop.name = name;
        hop.address = {192, 0, 2, static_cast<uint8_t>(last)};
        hop.vlanId = static_cast<uint16_t>(vlan);
        hop.state = 1;
        e2e::AddOnServer(program_, kReqNextHopAdd, kNorth1, std::vector{hop});
    }
    // VLANs 1 and 2, the list's first range, with limits that sort apart as numbers and as texts.
    e2e::WriteOnNorth1(program_, kReqVlanMacLimit, VlanMacLimitRec{1, 9, 1});
    e2e::WriteOnNorth1(program_, kReqVlanMacLimit, VlanMacLimitRec{2, 10, 2});
    // VLAN 3, beyond the first range, as VLAN 1.
    e2e::WriteOnNorth1(program_, kReqVlanMacLimit, VlanMacLimitRec{3, 9, 1});
    // An IP traffic profile slower than "office" (2048, queue medium) and "video" (8192, queue high), in the low
    // queue, and limited upstream where those two have no limit.
    IpTrafficProfileRec slow;
    slow.name = "slow";
    slow.queue = 0;
    slow.downstreamRate = 512;
    slow.upstreamRateIndex = 3;
    slow.status = 1;
    slow.broadcast = 3;
    e2e::AddOnServer(program_, kReqIpTrafficProfileAdd, kNorth1, std::vector{slow});
    // Channels of VPI 0 whose VCIs sort apart as numbers and as texts.
    e2e::AddBasicServiceProfile(program_);
    e2e::AddChannelOnNorth1(program_, 10106, 40, 301, 1, 1);
    e2e::AddChannelOnNorth1(program_, 10105, 300, 301, 1, 1);
    e2e::AddChannelOnNorth1(program_, 10104, 100, 301, 1, 1);
    // And one on port 12, after port 9 as a number but not as a text, of a service whose name sorts first only with
    // its case.
    McServiceProfileRec zeta;
    zeta.name = "Zeta";
    zeta.status = 1;
    e2e::WriteOnNorth1(program_, kReqMcServiceProfileAdd, zeta);
    McChannelRec onPort12;
    onPort12.portId = 10112;
    onPort12.vci = 500;
    onPort12.vlanId = 301;
    onPort12.channelLimit = 1;
    onPort12.profile = "Zeta";
    onPort12.adminState = 1;
    e2e::WriteOnNorth1(program_, kReqMcChannelAdd, onPort12);

    // Channel profiles whose ids and rates sort apart as numbers and as texts, and whose names sort the other way
    // round.
    std::vector<McChannelProfileRec> channelProfiles;
    for (const auto& [id, name, rate] :
         {std::tuple{100, "alpha", 512u}, std::tuple{40, "bravo", 3000u}, std::tuple{5, "charlie", 10000u}}) {
        McChannelProfileRec profile;
        profile.profileId = static_cast<uint16_t>(id);
        profile.name = name;
        profile.groupAddress = {239, 1, 1, static_cast<uint8_t>(id)};
        profile.downstreamRate = rate;
        profile.downstreamRateCopy = rate;
        profile.status = 1;
        channelProfiles.push_back(profile);
    }
    e2e::AddOnServer(program_, kReqMcChannelProfileAdd, kNorth1, channelProfiles);

    // Three bridged PVCs of VPI 8 on port 6 whose VCIs and VLANs sort apart as numbers, as texts and as they came.
    PvcRec bridged;
    for (const PvcRec& pvc : program_.ServerRecords(kReqPvc, kNorth1)) {
        if (pvc.portId == 10106 && pvc.rfc2684Mode == 2)
            bridged = pvc;
    }
    ASSERT_EQ(bridged.portId, 10106u);
    for (const auto& [vci, vlan] : {std::pair{200, 700}, std::pair{1000, 9}, std::pair{77, 70}}) {
        PvcRec pvc = bridged;
        pvc.vpi = 8;
        pvc.vci = static_cast<uint16_t>(vci);
        pvc.vlanId = static_cast<uint16_t>(vlan);
        e2e::AddOnServer(program_, kReqPvc, kNorth1, std::vector{pvc});
        // Each permits one source MAC.
        AclEntryRec entry;
        entry.portId = pvc.portId;
        entry.vpi = pvc.vpi;
        entry.vci = pvc.vci;
        entry.mac = {0x02, 0x00, 0x00, 0x00, 0x08, static_cast<uint8_t>(vlan)};
        entry.controlState = 5;
        e2e::AddOnServer(program_, kReqAclAdd, kNorth1, std::vector{entry});
    }

    // And one of VPI 8 on port 5, with the same IP traffic profile, whose VCI sorts among them.
    PvcRec onPort5 = bridged;
    onPort5.portId = 10105;
    onPort5.vpi = 8;
    onPort5.vci = 500;
    onPort5.vlanId = 4000;
    e2e::AddOnServer(program_, kReqPvc, kNorth1, std::vector{onPort5});

    // Two traffic policing profiles beside "police-drop" (CIR 1, drop) and "police-dscp" (CIR 2, AF13), whose CIRs
    // sort apart as numbers and as texts and whose actions sort apart by code and by text.
    std::vector<TrafficPolicingProfileRec> policingProfiles;
    for (const auto& [name, cir, action] : {std::tuple{"police-fast", 10, 0u}, std::tuple{"police-open", 0, 2u}}) {
        TrafficPolicingProfileRec profile;
        profile.name = name;
        profile.upstreamCir = static_cast<uint16_t>(cir);
        profile.action = action;
        profile.status = 1;
        policingProfiles.push_back(profile);
    }
    e2e::AddOnServer(program_, kReqTrafficPolicingProfileAdd, kNorth1, policingProfiles);

    // Port 3 disabled among ports enabled; the subscribers of ports 4 and 5, whose names sort apart with and without
    // case and whose classes and services sort apart by code and by text.
    for (AdslPortRec port : program_.ServerRecords(kReqAdslPort, kNorth1)) {
        if (port.entityId == 10103)
            port.enableState = 2;
        else if (port.entityId == 10104)
            std::tie(port.subscriber, port.subscriberClass, port.service) = std::tuple{"alice", 2u, 2u};
        else if (port.entityId == 10105)
            std::tie(port.subscriber, port.subscriberClass, port.service) = std::tuple{"Bob", 1u, 1u};
        else
            continue;
        e2e::WriteOnNorth1(program_, kReqAdslPort, port);
    }

    const auto ipTrafficPage = [](CProfileListDlg& list) -> QTreeView& {
        return e2e::PageList(list, ProfileKindId::kIpTraffic);
    };
    const auto policingPage = [](CProfileListDlg& list) -> QTreeView& {
        return e2e::PageList(list, ProfileKindId::kTrafficPolicing);
    };
    const struct {
        const char* rule;
        SortedColumn sorted;
        QStringList shown;
    } cases[] = {
        {"protocol VLANs: VLAN ID as text",
         SortedBy<CProtocolVlanListDlg>(33191, 3, 3),
         {"100", "101", "300", "7", "8", "9"}},
        {"protocol VLANs: name without case",
         SortedBy<CProtocolVlanListDlg>(33191, 2, 2),
         {"ipv4-data", "ipv6-data", "pppoe-discovery", "Qinq", "tie", "TIE"}},
        {"protocol VLANs: equal names by their rows' numbers",
         KeptColumn<CProtocolVlanListDlg>(33191, {3, 2}, 1, {"0x9000", "0x9100"}),
         {"0x9000", "0x9100"}},
        {"protocol VLANs: equal names by their rows' numbers, descending",
         KeptColumn<CProtocolVlanListDlg>(33191, {2, 2}, 1, {"0x9000", "0x9100"}),
         {"0x9100", "0x9000"}},
        {"next hops: VLAN after the address", SortedBy<CIpoaNextHopListDlg>(33053, 3, 3), {"20", "300", "5", "10"}},
        {"next hops: address, then VLAN", SortedBy<CIpoaNextHopListDlg>(33053, 2, 3), {"20", "300", "5", "10"}},
        {"next hops: name with its case",
         SortedBy<CIpoaNextHopListDlg>(33053, 1, 1),
         {"Relay", "core", "edge-a", "edge-b"}},
        {"VLAN MAC limits: limit as a number", SortedBy<CVlanMacLimitListDlg>(33181, 3, 1), {"1", "2"}},
        {"VLAN MAC limits: state as a text", SortedBy<CVlanMacLimitListDlg>(33181, 2, 1), {"2", "1"}},
        {"VLAN MAC limits: equal limits by VLAN ID", VlanMacLimitsOneToThree({3}), {"1", "3", "2"}},
        {"VLAN MAC limits: equal limits by VLAN ID, descending", VlanMacLimitsOneToThree({3, 3}), {"2", "3", "1"}},
        {"ADSL ports: admin state by its code", SortedBy<CAdslPortListDlg>(33130, 5, 5), {"enabled", "disabled"}},
        {"ADSL ports: Slot-Port by the rows' order",
         KeptColumn<CAdslPortListDlg>(33130, {1}, 1, {"1-2", "1-9", "1-10"}),
         {"1-2", "1-9", "1-10"}},
        {"ADSL ports: subscriber without case",
         KeptColumn<CAdslPortListDlg>(33130, {7}, 7, {"alice", "Bob"}),
         {"alice", "Bob"}},
        {"ADSL ports: class by its code",
         KeptColumn<CAdslPortListDlg>(33130, {8}, 7, {"alice", "Bob"}),
         {"Bob", "alice"}},
        {"ADSL ports: service by its code",
         KeptColumn<CAdslPortListDlg>(33130, {9}, 7, {"alice", "Bob"}),
         {"Bob", "alice"}},
        {"IP traffic profiles: downstream rate as a number",
         SortedBy<CProfileListDlg>(33175, 2, 2, ipTrafficPage),
         {"512", "2048", "8192"}},
        {"IP traffic profiles: queue by its code",
         SortedBy<CProfileListDlg>(33175, 1, 1, ipTrafficPage),
         {"low", "medium", "high"}},
        {"IP traffic profiles: upstream rate by its choice",
         SortedBy<CProfileListDlg>(33175, 3, 3, ipTrafficPage),
         {"<no limit>", "128"}},
        {"traffic policing profiles: CIR as a number",
         SortedBy<CProfileListDlg>(33080, 1, 0, policingPage),
         {"police-open", "police-drop", "police-dscp", "police-fast"}},
        {"traffic policing profiles: action by its code",
         SortedBy<CProfileListDlg>(33080, 2, 0, policingPage),
         {"police-fast", "police-drop", "police-open", "police-dscp"}},
        {"multicast channel profiles: downstream rate as a number",
         SortedBy<CProfileListDlg>(
             33175, 4, 0,
             [](CProfileListDlg& list) -> QTreeView& { return e2e::PageList(list, ProfileKindId::kMcChannel); }),
         {"100", "40", "5"}},
        {"multicast channels: VPI, then VCI as a number",
         SortedBy<CXdslMcChannelListDlg>(33121, 2, 1),
         {"1-6", "1-4", "1-5", "1-12"}},
        {"multicast channels: Slot-Port by the port",
         KeptColumn<CXdslMcChannelListDlg>(33121, {3, 1}, 1),
         {"1-4", "1-5", "1-6", "1-12"}},
        {"multicast channels: service with its case, then the port",
         KeptColumn<CXdslMcChannelListDlg>(33121, {3, 5}, 1),
         {"1-12", "1-4", "1-5", "1-6"}},
        {"multicast channels: service, then the port, descending",
         KeptColumn<CXdslMcChannelListDlg>(33121, {5, 5}, 1),
         {"1-6", "1-5", "1-4", "1-12"}},
        {"multicast service editor: channel id as a number", ChannelIdsOfANewServiceProfile(), {"5", "40", "100"}},
        {"VC-to-VLAN list: VCI as a number after the VPI",
         KeptColumn<CXdslVcVlanListDlg>(33022, {3}, 3, {"77", "200", "1000"}),
         {"77", "200", "1000"}},
        {"VC-to-VLAN list: one IP traffic profile, then VPI and VCI before the port",
         KeptColumn<CXdslVcVlanListDlg>(33022, {8}, 3, {"77", "200", "500", "1000"}),
         {"77", "200", "500", "1000"}},
        {"access control list: VCI as a number",
         KeptColumn<CXdslAclListDlg>(33167, {3}, 3, {"77", "200", "1000"}),
         {"77", "200", "1000"}},
        {"VC-to-VLAN list: VLAN ID as a number",
         KeptColumn<CXdslVcVlanListDlg>(33022, {7}, 7, {"9", "70", "700"}),
         {"9", "70", "700"}},
    };
    for (const auto& sortCase : cases)
        EXPECT_EQ(sortCase.sorted(program_), sortCase.shown) << sortCase.rule;
    EXPECT_EQ(program_.Operator().UnusedDialogScripts(), 0u);
}

} // namespace
