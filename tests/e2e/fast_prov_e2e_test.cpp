// Fast provisioning in the running program against the simulated server, on North-1: the range from slot 1 to slot 3
// lists the ports of both ADSL cards and leaves out the SHDSL card between them; the batch writes the ticked rows one
// by one, stops at a PVC the NE's rule check refuses (its VLAN cannot take the MAC limit), goes on from there once
// the operator unticks it, stops at Stop and resumes at Go; each row shows its outcome and the server holds the
// ports and PVCs written. The slot selection of a line-card command hands on the slot chosen, and Cancel nothing.

#include "tests/e2e/support/direct_ne_test.h"
#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/north1_test.h"
#include "tests/e2e/support/sent_requests.h"
#include "tests/e2e/support/server_alarms.h"

#include "features/provisioning/fast_prov/fast_prov_dlg.h"
#include "features/provisioning/fast_prov/fast_prov_list_dlg.h"
#include "features/provisioning/packet_filters/xdsl_pkt_filter_dlg.h"
#include "features/provisioning/slot_selection/xdsl_slot_selection_dlg.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/request_codes.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

constexpr int kCmdFastProvision = 33116;
constexpr int kCmdPacketFilter = 33215;
using e2e::kNorth1;
constexpr int kSlotPortColumn = 1;
constexpr int kVlanColumn = 4;
constexpr int kStaticIpColumn = 5;
constexpr int kServiceTypeText = 1361;  // the list's header: the service type
constexpr int kIpTrafficText = 1397;    // the list's header: the IP traffic profile
constexpr int kFilterGroupsText = 1168; // the list's header: the upstream / downstream filter groups
using Dlg = CFastProvDlg;
using List = CFastProvListDlg;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::ComboTexts;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;

std::optional<PvcRec> ServerPvc(e2e::CProgram& program, uint32_t portId, uint16_t vci)
{
    for (const PvcRec& pvc : program.ServerRecords(kReqPvc, kNorth1)) {
        if (pvc.portId == portId && pvc.vpi == 0 && pvc.vci == vci)
            return pvc;
    }
    return std::nullopt;
}

std::optional<AdslPortRec> ServerPort(e2e::CProgram& program, uint32_t portId)
{
    for (const AdslPortRec& port : program.ServerRecords(kReqAdslPort, kNorth1)) {
        if (port.entityId == portId)
            return port;
    }
    return std::nullopt;
}

// Slot 1 to slot 3 of ALC-24 cards; bridged PPPoE PVCs of MAC limit 64 on VLANs from 4094 down, port by port.
void DescribeProvisioning(Dlg& dialog)
{
    ASSERT_TRUE(Choose(dialog, Dlg::kFirstSlotId, QStringLiteral("1")))
        << ComboTexts(dialog, Dlg::kFirstSlotId).toStdString();
    ASSERT_TRUE(Choose(dialog, Dlg::kLastSlotId, QStringLiteral("3")));
    ASSERT_TRUE(Choose(dialog, Dlg::kModuleTypeId, QStringLiteral("ALC-24")));
    CXdslPortSettingPage& port = dialog.PortPage();
    dialog.SelectPage(&port);
    ASSERT_TRUE(Choose(port, CXdslPortSettingPage::kLineProfileId, QStringLiteral("fast-8M")));
    ASSERT_TRUE(Choose(port, CXdslPortSettingPage::kPmProfileId, QStringLiteral("standard")));
    e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("fast_prov_port_setting"));
    CFastProvVcVlanPage& channels = dialog.VcVlanPage();
    dialog.SelectPage(&channels);
    Type(channels, CFastProvVcVlanPage::kVlanStartId, QStringLiteral("4094"));
    Type(channels, CFastProvVcVlanPage::kVlanIncrementId, QStringLiteral("-1"));
    Check(channels, CFastProvVcVlanPage::kContinuousId);
    e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("fast_prov_channel_setting"));
    auto* ipTraffic = dynamic_cast<CVcVlanIpTrafficPage*>(dialog.GetPageById(CVcVlanIpTrafficPage::kTemplateId));
    auto* macLimit = dynamic_cast<CVcVlanMacLimitPage*>(dialog.GetPageById(CVcVlanMacLimitPage::kTemplateId));
    ASSERT_NE(ipTraffic, nullptr);
    ASSERT_NE(macLimit, nullptr);
    dialog.SelectPage(ipTraffic);
    ASSERT_TRUE(Choose(*ipTraffic, CVcVlanIpTrafficPage::kProfileId, QStringLiteral("office")));
    dialog.SelectPage(macLimit);
    ASSERT_TRUE(Choose(*macLimit, CVcVlanMacLimitPage::kMacLimitId, QStringLiteral("64")));
    CFastProvServiceTypePage& service = dialog.ServiceTypePage();
    dialog.SelectPage(&service);
    ASSERT_TRUE(Choose(service, CFastProvServiceTypePage::kServiceTypeId, QStringLiteral("PPPoE")));
    e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("fast_prov_service_type"));
}

// Ticks the rows of the ports named (the port row and its PVC row) and clears the others.
void TickPorts(QTreeView& rows, const QStringList& ports)
{
    std::vector<int> wanted;
    const QStringList shown = ListColumn(rows, kSlotPortColumn);
    for (int row = 0; row < shown.size(); ++row) {
        if (ports.contains(shown[row])) {
            wanted.push_back(row);
            wanted.push_back(row + 1);
        }
    }
    e2e::TickRowsAt(rows, wanted);
}

QStringList TabTitles(const Dlg& dialog)
{
    QStringList titles;
    const auto* tabs = dialog.GetDlgItemAs<QTabBar>(Dlg::kTabsId);
    for (int i = 0; tabs != nullptr && i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    return titles;
}

class FastProvE2eTest : public e2e::CNorth1Test {};

// What the operator finds on opening: the Service Type page on "Transparent", the IP traffic profile and the next
// hop on their first names; the list opens without the operator choosing any of them.
TEST_F(FastProvE2eTest, TheDialogOpensOnTransparentAndTheFirstNames)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        // MAC Control keeps the tab it was given when the channel page's companions come back behind it.
        EXPECT_EQ(TabTitles(dialog), (QStringList{"Port Setting", "Channel Setting", "MAC Control",
                                                  "IP Traffic Profile", "802.1P", "Service Type"}));
        CXdslPortSettingPage& port = dialog.PortPage();
        EXPECT_EQ(Field(port, CXdslPortSettingPage::kLineProfileId), QStringLiteral(" <none>"));
        EXPECT_FALSE(port.IsControlEnabled(CXdslPortSettingPage::kShowLineId));
        EXPECT_FALSE(port.IsControlEnabled(CXdslPortSettingPage::kShowPmId));
        EXPECT_TRUE(port.IsControlEnabled(CXdslPortSettingPage::kShowPolicingId));
        CFastProvServiceTypePage& service = dialog.ServiceTypePage();
        dialog.SelectPage(&service);
        EXPECT_EQ(Field(service, CFastProvServiceTypePage::kServiceTypeId), QStringLiteral("Transparent"));
        // The type turns the up-down controls on and off; the edits stay open.
        EXPECT_TRUE(service.IsControlEnabled(CFastProvServiceTypePage::kClientLimitSpinId));
        EXPECT_FALSE(service.IsControlEnabled(CFastProvServiceTypePage::kDhcpLimitSpinId));
        EXPECT_FALSE(service.IsControlEnabled(CFastProvServiceTypePage::kStaticLimitSpinId));
        EXPECT_FALSE(service.IsControlEnabled(CFastProvServiceTypePage::kIncrementSpinId));
        EXPECT_TRUE(service.IsControlEnabled(CFastProvServiceTypePage::kDhcpLimitId));
        EXPECT_TRUE(service.IsControlEnabled(CFastProvServiceTypePage::kStaticBaseId));
        auto* ipTraffic = dynamic_cast<CVcVlanIpTrafficPage*>(dialog.GetPageById(CVcVlanIpTrafficPage::kTemplateId));
        auto* nextHop = dynamic_cast<CVcVlanNextHopPage*>(dialog.GetPageById(CVcVlanNextHopPage::kTemplateId));
        ASSERT_NE(ipTraffic, nullptr);
        ASSERT_NE(nextHop, nullptr);
        const QString firstProfile = ComboTexts(*ipTraffic, CVcVlanIpTrafficPage::kProfileId).section(',', 0, 0);
        EXPECT_FALSE(firstProfile.isEmpty());
        EXPECT_EQ(Field(*ipTraffic, CVcVlanIpTrafficPage::kProfileId), firstProfile);
        EXPECT_TRUE(ipTraffic->IsControlEnabled(CVcVlanIpTrafficPage::kShowId));
        EXPECT_EQ(Field(*nextHop, CVcVlanNextHopPage::kNextHopId),
                  ComboTexts(*nextHop, CVcVlanNextHopPage::kNextHopId).section(',', 0, 0));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("fast_prov_opened"));
        // Upstream filter group 3, downstream groups 1 and 4.
        dialog.SelectPage(&port);
        for (const auto& [id, on] :
             {std::pair{1069, false}, std::pair{1070, false}, std::pair{1071, true}, std::pair{1079, true},
              std::pair{1080, false}, std::pair{1081, false}, std::pair{1082, true}})
            Check(port, id, on);
        ASSERT_TRUE(Choose(dialog, Dlg::kFirstSlotId, QStringLiteral("1")));
        ASSERT_TRUE(Choose(dialog, Dlg::kLastSlotId, QStringLiteral("1")));
        ASSERT_TRUE(Choose(dialog, Dlg::kModuleTypeId, QStringLiteral("ALC-24")));
        person.OnDialog<List>([&](List& list) {
            EXPECT_FALSE(list.IsEnded());
            EXPECT_EQ(Field(list, kServiceTypeText), QStringLiteral("Transparent"));
            EXPECT_EQ(Field(list, kIpTrafficText), firstProfile);
            EXPECT_EQ(Field(list, kFilterGroupsText), QStringLiteral("    3 / 1,4    "));
        });
        Click(dialog, Dlg::kListId);
        EXPECT_EQ(MessageLine(dialog), QString());

        // Each service type opens the up-down controls of its own limits and puts the limits of the others back to 1.
        using Service = CFastProvServiceTypePage;
        dialog.SelectPage(&service);
        EXPECT_EQ(ComboTexts(service, Service::kServiceTypeId),
                  QStringLiteral("PPPoE,DHCP,PPPoE+DHCP,static IP,PPPoE+static IP,Transparent"));
        const struct {
            const char* type;
            bool dhcp;
            bool staticIp;
            bool client;
        } types[] = {
            {"PPPoE", true, false, false},           {"DHCP", true, false, false},
            {"PPPoE+DHCP", true, false, false},      {"static IP", false, true, false},
            {"PPPoE+static IP", false, true, false}, {"Transparent", false, false, true},
        };
        // One step at a time, as the operator goes down the list with the arrow key from the first type.
        auto* typeCombo = qobject_cast<QComboBox*>(service.GetDlgItem(Service::kServiceTypeId));
        ASSERT_NE(typeCombo, nullptr);
        for (const auto& type : types) {
            SCOPED_TRACE(type.type);
            for (const int id : {Service::kDhcpLimitId, Service::kStaticLimitId, Service::kClientLimitId})
                Type(service, id, QStringLiteral("7"));
            if (&type == &types[0])
                ASSERT_TRUE(Choose(service, Service::kServiceTypeId, QString::fromLatin1(type.type)));
            else
                QTest::keyClick(typeCombo, Qt::Key_Down);
            ASSERT_EQ(typeCombo->currentText(), QString::fromLatin1(type.type));
            EXPECT_EQ(service.IsControlEnabled(Service::kDhcpLimitSpinId), type.dhcp);
            EXPECT_EQ(service.IsControlEnabled(Service::kStaticLimitSpinId), type.staticIp);
            EXPECT_EQ(service.IsControlEnabled(Service::kIncrementSpinId), type.staticIp);
            EXPECT_EQ(service.IsControlEnabled(Service::kClientLimitSpinId), type.client);
            const auto kept = [](bool own) { return own ? QStringLiteral("7") : QStringLiteral("1"); };
            EXPECT_EQ(Field(service, Service::kDhcpLimitId), kept(type.dhcp));
            EXPECT_EQ(Field(service, Service::kStaticLimitId), kept(type.staticIp));
            EXPECT_EQ(Field(service, Service::kClientLimitId), kept(type.client));
        }
    });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

// A tick whose boards cannot be read ends as it is: the row keeps no mark and the batch waits for Stop.
TEST_F(FastProvE2eTest, ATickWithoutTheBoardsMarksNothing)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        DescribeProvisioning(dialog);
        person.OnDialog<List>([&](List& list) {
            QTreeView& rows = *list.FindList(kListControlId);
            TickPorts(rows, {QStringLiteral("1-2")});
            ASSERT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextRequest, kReqBoardSetting.value));
            const size_t boxes = person.boxTexts.size();
            Click(list, List::kGoId);
            ASSERT_TRUE(program_.WaitUntil([&] { return person.boxTexts.size() > boxes; }));
            EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to query")))
                << person.LastBoxText().toStdString();
            program_.Settle();
            EXPECT_EQ(e2e::CellImage(rows, 2), -1);
            EXPECT_TRUE(list.IsRunning());
            EXPECT_TRUE(list.IsControlEnabled(List::kStopId));
            Click(list, List::kStopId);
            EXPECT_FALSE(list.IsRunning());
        });
        Click(dialog, Dlg::kListId);
    });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
}

TEST_F(FastProvE2eTest, ABatchWritesTheTickedRowsStopsAtARefusalAndResumes)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        DescribeProvisioning(dialog);
        person.OnDialog<List>([&](List& list) {
            QTreeView& rows = *list.FindList(kListControlId);
            const QStringList ports = ListColumn(rows, kSlotPortColumn);
            // 24 ports of slot 1 and 24 of slot 3, each with its PVC; the SHDSL card in slot 2 is left out. A port
            // row names its port, its PVC row does not.
            EXPECT_EQ(ports.size(), 96);
            EXPECT_EQ(ports.count(QStringLiteral("1-24")), 1);
            EXPECT_EQ(ports.count(QStringLiteral("3-1")), 1);
            EXPECT_EQ(ports.count(QStringLiteral("2-1")), 0);
            EXPECT_EQ(ports.value(1), QString());
            const QStringList vlans = ListColumn(rows, kVlanColumn);
            EXPECT_EQ(vlans[1], QStringLiteral("4094"));
            EXPECT_EQ(vlans[3], QStringLiteral("4093"));
            EXPECT_EQ(vlans[49], QStringLiteral("4070")); // 3-1 goes on from 1-24
            e2e::CProgram::SaveScreenshot(list, QStringLiteral("fast_prov_list"));

            // Four ports; the PVC of 1-1 on VLAN 4094 breaks that VLAN's MAC limit of 48.
            TickPorts(rows,
                      {QStringLiteral("1-1"), QStringLiteral("1-2"), QStringLiteral("1-3"), QStringLiteral("3-1")});
            Click(list, List::kGoId);
            ASSERT_TRUE(program_.WaitUntil([&] { return !list.IsRunning(); }));
            EXPECT_EQ(e2e::CellImage(rows, 0), kImageDone);
            EXPECT_EQ(e2e::CellImage(rows, 1), kImageFailed);
            EXPECT_EQ(e2e::CellImage(rows, 2), -1);
            ASSERT_FALSE(person.boxTexts.empty());
            EXPECT_TRUE(person.LastBoxText().contains(QStringLiteral("VLAN MAC limit")))
                << person.LastBoxText().toStdString();
            e2e::CProgram::SaveScreenshot(list, QStringLiteral("fast_prov_list_refused"));

            // Without the refused row the batch goes on from the top; Stop after the next row.
            TickPorts(rows, {QStringLiteral("1-2"), QStringLiteral("1-3"), QStringLiteral("3-1")});
            Click(list, List::kGoId);
            ASSERT_TRUE(program_.WaitUntil([&] { return e2e::CellImage(rows, 2) == kImageDone; }));
            Click(list, List::kStopId);
            EXPECT_FALSE(list.IsRunning());
            EXPECT_EQ(e2e::CellImage(rows, 3), -1);
            e2e::CProgram::SaveScreenshot(list, QStringLiteral("fast_prov_list_stopped"));
            Click(list, List::kGoId);
            ASSERT_TRUE(program_.WaitUntil([&] { return !list.IsRunning(); }));
            for (int row : {2, 3, 4, 5, 48, 49})
                EXPECT_EQ(e2e::CellImage(rows, row), kImageDone) << row;
            EXPECT_EQ(e2e::CellImage(rows, 6), -1);
        });
        Click(dialog, Dlg::kListId);
    });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));

    // Port 1-1 took its setting, its PVC nothing; ports 1-2, 1-3 and 3-1 both, on their VLANs.
    const std::optional<AdslPortRec> port1 = ServerPort(program_, 10101);
    ASSERT_TRUE(port1.has_value());
    EXPECT_EQ(port1->lineProfile, "fast-8M");
    EXPECT_EQ(port1->pmThresholdProfile, "standard");
    EXPECT_FALSE(ServerPvc(program_, 10101, 32).has_value());
    for (const auto& [portId, vlan] : {std::pair(10102u, 4093), std::pair(10103u, 4092), std::pair(10301u, 4070)}) {
        const std::optional<PvcRec> pvc = ServerPvc(program_, portId, 32);
        ASSERT_TRUE(pvc.has_value()) << portId;
        EXPECT_EQ(pvc->vlanId, vlan);
        EXPECT_EQ(pvc->macLimit, 64);
        EXPECT_EQ(pvc->serviceType, kServicePppoe);
        EXPECT_EQ(pvc->ipTrafficProfile, "office");
        EXPECT_EQ(pvc->enableState, kPvcEnabled);
    }
    EXPECT_FALSE(ServerPvc(program_, 10104, 32).has_value());
}

bool Ticked(const QTreeView& rows, int row)
{
    return rows.model()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

// Static IP blocks of 8 from 10.1.1.240, 16 apart from port to port: port 1-2's block starts at 10.1.2.0, no host's
// address, so its PVC row (row 3) is marked failed and unticked when the list is built. The "VC-to-VLAN" box ticks it
// again with the other PVC rows; Go then unticks it and sends nothing for it.
TEST_F(FastProvE2eTest, APvcRowWithAnAddressInUseIsTickedByTheBoxAndSkippedByGo)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        ASSERT_TRUE(Choose(dialog, Dlg::kFirstSlotId, QStringLiteral("1")));
        ASSERT_TRUE(Choose(dialog, Dlg::kLastSlotId, QStringLiteral("1")));
        ASSERT_TRUE(Choose(dialog, Dlg::kModuleTypeId, QStringLiteral("ALC-24")));
        CFastProvServiceTypePage& service = dialog.ServiceTypePage();
        dialog.SelectPage(&service);
        ASSERT_TRUE(Choose(service, CFastProvServiceTypePage::kServiceTypeId, QStringLiteral("static IP")));
        Type(service, CFastProvServiceTypePage::kStaticBaseId, QStringLiteral("10.1.1.240"));
        Type(service, CFastProvServiceTypePage::kStaticLimitId, QStringLiteral("8"));
        Type(service, CFastProvServiceTypePage::kIncrementId, QStringLiteral("16"));
        person.OnDialog<List>([&](List& list) {
            QTreeView& rows = *list.FindList(kListControlId);
            ASSERT_EQ(ListColumn(rows, kSlotPortColumn).size(), 48);
            // A bridged PVC row shows its block's first address padded, and its size.
            const QStringList blocks = ListColumn(rows, kStaticIpColumn);
            EXPECT_EQ((QStringList{blocks[1], blocks[3], blocks[5]}),
                      (QStringList{" 10.  1.  1.240 / 8", " 10.  1.  2.  0 / 8", " 10.  1.  2. 16 / 8"}));
            for (int row : {1, 3, 5}) {
                EXPECT_EQ(Ticked(rows, row), row != 3) << row;
                EXPECT_EQ(e2e::CellImage(rows, row), row == 3 ? kImageFailed : -1) << row;
            }
            // The addresses in use are the server's lists, asked with NE id 0 (the log window shows them a moment
            // after they went).
            const int lists[] = {900, 425, 311, 502, 304};
            program_.WaitUntil(
                [&] {
                    return std::all_of(std::begin(lists), std::end(lists),
                                       [&](int code) { return !e2e::SentRequests(program_, code).isEmpty(); });
                },
                5000);
            for (const int code : lists) {
                const QStringList sent = e2e::SentRequests(program_, code);
                EXPECT_TRUE(sent.contains(QStringLiteral("op=1 ne=0 code=%1").arg(code)))
                    << sent.join(',').toStdString();
            }
            Check(list, List::kPvcRowsCheckId, false);
            EXPECT_FALSE(Ticked(rows, 1));
            Check(list, List::kPvcRowsCheckId, true);
            for (int row : {1, 3, 5})
                EXPECT_TRUE(Ticked(rows, row)) << row;
            EXPECT_TRUE(Ticked(rows, 2)) << "a port row keeps its tick";

            e2e::TickRowsAt(rows, {3});
            Click(list, List::kGoId);
            ASSERT_TRUE(program_.WaitUntil([&] { return !list.IsRunning(); }));
            EXPECT_FALSE(Ticked(rows, 3));
            EXPECT_EQ(e2e::CellImage(rows, 3), kImageFailed);
            EXPECT_TRUE(person.boxTexts.empty()) << person.boxTexts.front().toStdString();
        });
        Click(dialog, Dlg::kListId);
    });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
    EXPECT_FALSE(ServerPvc(program_, 10102, 32).has_value());
}

// Port 1-6 holds a PPPoE PVC and its card controls service types: a port row that gives it a policing profile which
// changes DSCP codes fails with the NE's reason in a box, and the header's policing profile is marked.
TEST_F(FastProvE2eTest, APortRowRefusedForItsDscpPolicingMarksTheProfile)
{
    BoardSettingRec card;
    for (const BoardSettingRec& rec : program_.ServerRecords(kReqBoardSetting, kNorth1)) {
        if (rec.entityId == 10100)
            card = rec;
    }
    ASSERT_EQ(card.entityId, 10100u);
    card.serviceTypeControl = 1;
    server_test::CRawClient& probe = program_.ServerProbe();
    const auto bytes = EncodeRecord(card);
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqBoardSetting, kNorth1, {bytes.begin(), bytes.end()}, kBoardSettingRecSize)));
    const std::optional<AdslPortRec> before = ServerPort(program_, 10106);

    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        ASSERT_TRUE(Choose(dialog, Dlg::kFirstSlotId, QStringLiteral("1")));
        ASSERT_TRUE(Choose(dialog, Dlg::kLastSlotId, QStringLiteral("1")));
        ASSERT_TRUE(Choose(dialog, Dlg::kModuleTypeId, QStringLiteral("ALC-24")));
        CXdslPortSettingPage& port = dialog.PortPage();
        dialog.SelectPage(&port);
        ASSERT_TRUE(Choose(port, CXdslPortSettingPage::kPolicingProfileId, QStringLiteral("police-dscp")));
        person.OnDialog<List>([&](List& list) {
            QTreeView& rows = *list.FindList(kListControlId);
            const int row = e2e::RowOf(rows, kSlotPortColumn, QStringLiteral("1-6"));
            ASSERT_GE(row, 0);
            e2e::TickRowsAt(rows, {row});
            EXPECT_EQ(list.GetMarkedControl(1), 0);
            Click(list, List::kGoId);
            ASSERT_TRUE(program_.WaitUntil([&] { return !list.IsRunning(); }));
            ASSERT_EQ(person.boxTexts.size(), 1u);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Port's traffic policing uses DSCP code. Any PVCs on it "
                                                           "can not be PPPoE-related or Transparent."));
            EXPECT_EQ(list.GetMarkedControl(1), List::kPolicingProfileId);
            EXPECT_EQ(e2e::CellImage(rows, row), kImageFailed);
        });
        Click(dialog, Dlg::kListId);
    });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
    EXPECT_EQ(ServerPort(program_, 10106), before);
}

TEST_F(FastProvE2eTest, TheListChecksTheChannelRangeBeforeItOpens)
{
    program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        DescribeProvisioning(dialog);
        CFastProvVcVlanPage& channels = dialog.VcVlanPage();
        dialog.SelectPage(&channels);
        // VCI 65529 + 1 x 7 runs past 65535; the start one less fits (below).
        Type(channels, CFastProvChannelPage::kPvcsPerPortId, QStringLiteral("8"));
        Type(channels, CFastProvChannelPage::kVciStartId, QStringLiteral("65529"));
        Type(channels, CFastProvChannelPage::kVciIncrementId, QStringLiteral("1"));
        Click(dialog, Dlg::kListId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Overflow"));
        Type(channels, CFastProvChannelPage::kVciStartId, QStringLiteral("65528"));
        Type(channels, CFastProvChannelPage::kVpiStartId, QStringLiteral("200"));
        Type(channels, CFastProvChannelPage::kVpiIncrementId, QStringLiteral("8"));
        Type(channels, CFastProvChannelPage::kPvcsPerPortId, QStringLiteral("8"));
        Click(dialog, Dlg::kListId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Overflow"));
        // One less fits; the list then finds its VLANs run out of range upwards and closes before sending anything.
        Type(channels, CFastProvChannelPage::kVpiStartId, QStringLiteral("199"));
        Type(channels, CFastProvVcVlanPage::kVlanIncrementId, QStringLiteral("1"));
        program_.Operator().OnDialog<List>([](List& list) { EXPECT_TRUE(list.IsEnded()); });
        Click(dialog, Dlg::kListId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Vlan ID overflow"));
    });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
}

// The type chosen first is the current entity's: a line card's own type, and for a port, whose type is no card's, the
// first type.
TEST_F(FastProvE2eTest, TheTypeChosenFirstIsTheCurrentEntitys)
{
    e2e::COperator& person = program_.Operator();
    QString shdslCard;
    QString firstType;
    const CEntityIndex slot2 = CEntityIndex::FromLevels(1, 1, 2);
    program_.Frame().SetCurrentEntity(kNorth1, &slot2);
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        shdslCard = Field(dialog, Dlg::kModuleTypeId);
        firstType = ComboTexts(dialog, Dlg::kModuleTypeId).section(',', 0, 0);
    });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
    ASSERT_NE(shdslCard, firstType) << "the SHDSL card of slot 2 is not the first type";

    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 2, 1);
    program_.Frame().SetCurrentEntity(kNorth1, &port);
    person.OnDialog<Dlg>([&](Dlg& dialog) { EXPECT_EQ(Field(dialog, Dlg::kModuleTypeId), firstType); });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
}

// A profile read that fails ends the reads: the line and PM threshold combos offer nothing but " <none>".
TEST_F(FastProvE2eTest, AFailedProfileReadLeavesTheLineCardProfilesUnoffered)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        ASSERT_FALSE(person.boxTexts.empty());
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to query")))
            << person.LastBoxText().toStdString();
        EXPECT_EQ(ComboTexts(dialog.PortPage(), CXdslPortSettingPage::kLineProfileId), QStringLiteral(" <none>"));
        EXPECT_EQ(ComboTexts(dialog.PortPage(), CXdslPortSettingPage::kPmProfileId), QStringLiteral(" <none>"));
    });
    ASSERT_TRUE(e2e::ServerControl(program_, 0, kSimRefuseNextRequest, kReqShdslLineProfile.value));
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
}

// Routed and back: the tabs of each mode in their order, and the channel values typed on either page kept.
TEST_F(FastProvE2eTest, TheModeSwitchKeepsTheTabsOrderAndTheChannelValues)
{
    program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        CFastProvVcVlanPage& bridged = dialog.VcVlanPage();
        dialog.SelectPage(&bridged);
        Type(bridged, CFastProvChannelPage::kVpiStartId, QStringLiteral("5"));
        Type(bridged, CFastProvChannelPage::kPvcsPerPortId, QStringLiteral("3"));
        ASSERT_TRUE(Choose(dialog, Dlg::kModeId, QStringLiteral("routed")));
        EXPECT_EQ(TabTitles(dialog), (QStringList{"Port Setting", "MAC Control", "Channel Setting",
                                                  "IP Traffic Profile", "802.1P", "Next-hop", "Service Type"}));
        EXPECT_EQ(dialog.GetCurrentPage(), &dialog.VcPage()) << "the channel page's replacement";
        EXPECT_EQ(Field(dialog.ServiceTypePage(), CFastProvServiceTypePage::kServiceTypeId),
                  QStringLiteral("static IP"));
        CFastProvVcPage& routed = dialog.VcPage();
        EXPECT_EQ(Field(routed, CFastProvChannelPage::kVpiStartId), QStringLiteral("5"));
        EXPECT_EQ(Field(routed, CFastProvChannelPage::kPvcsPerPortId), QStringLiteral("3"));
        Type(routed, CFastProvChannelPage::kVciStartId, QStringLiteral("40"));
        ASSERT_TRUE(Choose(dialog, Dlg::kModeId, QStringLiteral("bridged")));
        EXPECT_EQ(TabTitles(dialog), (QStringList{"Port Setting", "MAC Control", "Channel Setting",
                                                  "IP Traffic Profile", "802.1P", "Service Type"}));
        EXPECT_EQ(Field(bridged, CFastProvChannelPage::kVpiStartId), QStringLiteral("5"));
        EXPECT_EQ(Field(bridged, CFastProvChannelPage::kVciStartId), QStringLiteral("40"));
        EXPECT_EQ(Field(bridged, CFastProvChannelPage::kPvcsPerPortId), QStringLiteral("3"));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("fast_prov_bridged_again"));
    });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
}

// The up-down controls offer 1..8 PVCs per port and limits of 1..64; a number typed beyond them is a byte's and
// passes on to the list.
TEST_F(FastProvE2eTest, TheListTakesNumbersTypedBeyondTheUpDownRanges)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        ASSERT_TRUE(Choose(dialog, Dlg::kFirstSlotId, QStringLiteral("1")));
        ASSERT_TRUE(Choose(dialog, Dlg::kLastSlotId, QStringLiteral("1")));
        ASSERT_TRUE(Choose(dialog, Dlg::kModuleTypeId, QStringLiteral("ALC-24")));
        CFastProvVcVlanPage& channels = dialog.VcVlanPage();
        dialog.SelectPage(&channels);
        Type(channels, CFastProvChannelPage::kPvcsPerPortId, QStringLiteral("9"));
        CFastProvServiceTypePage& service = dialog.ServiceTypePage();
        dialog.SelectPage(&service);
        Type(service, CFastProvServiceTypePage::kClientLimitId, QStringLiteral("65"));
        person.OnDialog<List>([&](List& list) {
            EXPECT_FALSE(list.IsEnded());
            // 24 ports, each a port row and its nine PVC rows.
            EXPECT_EQ(ListColumn(*list.FindList(kListControlId), kVlanColumn).size(), 240);
        });
        Click(dialog, Dlg::kListId);
        EXPECT_EQ(MessageLine(dialog), QString());
        EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "the list did not open";
    });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
}

class FastProvDirectE2eTest : public e2e::CDirectNeTest {};

// In direct mode the NE answers the profile reads itself: the dialog opens in its bridged tabs with the NE's names.
TEST_F(FastProvDirectE2eTest, TheDialogOpensOnTheNesOwnProfiles)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dlg>([&](Dlg& dialog) {
        ASSERT_TRUE(person.boxTexts.empty()) << person.boxTexts.front().toStdString();
        EXPECT_EQ(TabTitles(dialog), (QStringList{"Port Setting", "Channel Setting", "MAC Control",
                                                  "IP Traffic Profile", "802.1P", "Service Type"}));
        EXPECT_GT(ComboTexts(dialog.PortPage(), CXdslPortSettingPage::kLineProfileId).count(','), 0);
        auto* ipTraffic = dynamic_cast<CVcVlanIpTrafficPage*>(dialog.GetPageById(CVcVlanIpTrafficPage::kTemplateId));
        ASSERT_NE(ipTraffic, nullptr);
        EXPECT_FALSE(Field(*ipTraffic, CVcVlanIpTrafficPage::kProfileId).isEmpty());
        EXPECT_EQ(Field(dialog.ServiceTypePage(), CFastProvServiceTypePage::kServiceTypeId),
                  QStringLiteral("Transparent"));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("fast_prov_direct_opened"));
    });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
}

// On the NE's two shelves the list takes the same slots on each shelf, from the first slot chosen to the last: slot 2
// of the first shelf to slot 3 of the second lists slots 2 and 3 of both, and from the first shelf's last slot to the
// second shelf's first slot, a first slot above the last, no port at all.
TEST_F(FastProvDirectE2eTest, EveryShelfOfTheRangeGivesTheSameSlots)
{
    e2e::COperator& person = program_.Operator();
    // The slots by their numbers; an empty text takes the combo's last slot.
    const auto listed = [&](const QString& firstSlot, const QString& lastSlot, const char* shot) {
        QStringList cards;
        person.OnDialog<Dlg>([&](Dlg& dialog) {
            auto* firstShelf = dialog.GetDlgItemAs<QComboBox>(Dlg::kFirstShelfId);
            auto* lastShelf = dialog.GetDlgItemAs<QComboBox>(Dlg::kLastShelfId);
            EXPECT_GE(lastShelf->count(), 2);
            EXPECT_TRUE(Choose(dialog, Dlg::kFirstShelfId, firstShelf->itemText(0)));
            EXPECT_TRUE(Choose(dialog, Dlg::kLastShelfId, lastShelf->itemText(1)));
            for (const auto& [id, place] :
                 {std::pair{Dlg::kFirstSlotId, firstSlot}, std::pair{Dlg::kLastSlotId, lastSlot}}) {
                auto* combo = dialog.GetDlgItemAs<QComboBox>(id);
                EXPECT_TRUE(Choose(dialog, id, place.isEmpty() ? combo->itemText(combo->count() - 1) : place));
            }
            person.OnDialog<List>([&](List& list) {
                QTreeView& rows = *list.FindList(kListControlId);
                for (const QString& place : ListColumn(rows, kSlotPortColumn)) {
                    const QString card = place.section('-', 0, -2);
                    if (!place.isEmpty() && !cards.contains(card))
                        cards << card;
                }
                e2e::CProgram::SaveScreenshot(list, QString::fromLatin1(shot));
                return IDCANCEL;
            });
            Click(dialog, Dlg::kListId);
        });
        EXPECT_TRUE(program_.Command(kCmdFastProvision));
        return cards;
    };
    // Shelf 1 holds other cards in slots 2 and 3; shelf 2's are empty and take the type chosen.
    EXPECT_EQ(listed(QStringLiteral("2"), QStringLiteral("3"), "fast_prov_list_two_shelves").join(','),
              QStringLiteral("2-2,2-3"));
    EXPECT_EQ(listed(QString(), QStringLiteral("1"), "fast_prov_list_slots_reversed").join(','), QString());
}

TEST_F(FastProvE2eTest, SlotSelectionHandsOnTheChosenSlot)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CXdslSlotSelectionDlg>([&](CXdslSlotSelectionDlg& dialog) {
        EXPECT_FALSE(dialog.GetDlgItem(CXdslSlotSelectionDlg::kShelfComboId)->isEnabled());
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdPacketFilter));
    EXPECT_TRUE(person.PlainBoxes().Requests().empty());

    person.OnDialog<CXdslSlotSelectionDlg>([&](CXdslSlotSelectionDlg& dialog) {
        EXPECT_TRUE(Choose(dialog, CXdslSlotSelectionDlg::kSlotComboId, QStringLiteral("3")));
        e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("slot_selection"));
        Click(dialog, IDOK);
        EXPECT_TRUE(dialog.IsEnded());
        EXPECT_EQ(dialog.GetTargetEntity().index, CEntityIndex::FromLevels(1, 1, 3));
    });
    person.OnDialog<CXdslPktFilterDlg>([&](CXdslPktFilterDlg& filters) {
        EXPECT_EQ(filters.GetTargetEntity().index, CEntityIndex::FromLevels(1, 1, 3)) << "the slot chosen";
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdPacketFilter));
}

// Exactly one of the two channel increments is non-zero: leaving one sets the other to 0, or to 1 when it is 0.
TEST_F(FastProvE2eTest, LeavingOneChannelIncrementSetsTheOther)
{
    using Page = CFastProvChannelPage;
    program_.Operator().OnDialog<Dlg>([&](Dlg& dialog) {
        CFastProvVcVlanPage& channels = dialog.VcVlanPage();
        dialog.SelectPage(&channels);
        const struct {
            int typed;
            const char* value;
            int other;
            const char* shown;
        } steps[] = {{Page::kVpiIncrementId, "8", Page::kVciIncrementId, "0"},
                     {Page::kVpiIncrementId, "0", Page::kVciIncrementId, "1"},
                     {Page::kVciIncrementId, "5", Page::kVpiIncrementId, "0"},
                     {Page::kVciIncrementId, "0", Page::kVpiIncrementId, "1"}};
        for (const auto& step : steps) {
            Type(channels, step.typed, QString::fromLatin1(step.value));
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(channels.GetDlgItem(step.typed), &out);
            EXPECT_EQ(Field(channels, step.other), QString::fromLatin1(step.shown)) << step.typed << " " << step.value;
        }
    });
    ASSERT_TRUE(program_.Command(kCmdFastProvision));
    EXPECT_EQ(program_.Operator().UnusedDialogScripts(), 0u);
}

} // namespace
