// The IP traffic, multicast channel, multicast service and traffic policing profiles in the running program: the
// VLAN Profile List of an NE, where the operator adds and changes profiles of each kind (the NE refusing a drop of
// broadcast on a profile its DHCP PVCs use, and a DSCP action on a profile that a port with a DHCP or a PPPoE PVC
// applies), saves the NE's 23 IP traffic profiles as the server's templates (more than one batch), and downloads a
// template to three NEs from the templates' list.

#include "tests/e2e/support/direct_ne_test.h"
#include "tests/e2e/support/north1_test.h"
#include "tests/e2e/support/profile_list_steps.h"

#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/profiles/xdsl_ip_traffic_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_mc_channel_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_mc_service_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_traffic_policing_profile_dlg.h"
#include "features/provisioning/templates/template_download_dlg.h"
#include "link/record_requests.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/ip_traffic_profile_rec.h"
#include "link/records/mc_channel_profile_rec.h"
#include "link/records/mc_service_profile_rec.h"
#include "link/records/request_codes.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "link/records/user_rights_record.h"
#include "platform/delta_spin.h"
#include "platform/ip_address_edit.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/tree/group_view.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr int kCmdAdslProfile = 33080;
constexpr int kCmdVlanProfile = 33175;
constexpr int kCmdVlanProfileTemplate = 33174;
constexpr uint32_t kNorth = 1;
constexpr uint32_t kSouth = 2;
constexpr uint32_t kSpare = 3;
constexpr uint32_t kPppoePort = 10106; // North-1's port with a PPPoE PVC in service
constexpr uint32_t kDhcpPort = 10105;  // North-1's port with a DHCP PVC in service and no PPPoE-related one
constexpr int kIpTrafficTab = 0;
constexpr int kMcChannelTab = 1;
constexpr int kMcServiceTab = 2;
constexpr int kPolicingTab = 2;
const QString kDropRefused =
    QStringLiteral("Some PVCs using this profile are DHCP-related or Transparent . Can't \"drop\" broadcast.");
const QString kDscpRefused =
    QStringLiteral("One enabled PVC is PPPoE-related or transparent on this port. Action can't be DSCP.");

using e2e::CellImage;
using e2e::Choose;
using e2e::Click;
using e2e::ClickTab;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Named;
using e2e::PageList;
using e2e::RowOf;
using e2e::SortedNames;
using e2e::Type;
using IpEditor = CXdslIpTrafficProfileDlg;
using ChannelEditor = CXdslMcChannelProfileDlg;
using ServiceEditor = CXdslMcServiceProfileDlg;
using PolicingEditor = CXdslTrafficPolicingProfileDlg;

// Twenty more IP traffic profiles on the NE, as another workstation would add them.
void AddBulkIpProfiles(e2e::CProgram& program, uint32_t neId)
{
    std::vector<IpTrafficProfileRec> profiles(20);
    for (size_t i = 0; i < profiles.size(); ++i) {
        profiles[i].name = "bulk-" + std::to_string(i);
        profiles[i].downstreamRate = 512;
        profiles[i].status = 1;
        profiles[i].broadcast = 3;
    }
    e2e::AddOnServer(program, kReqIpTrafficProfileAdd, neId, profiles);
}

// The operator leaves a field: it loses the focus.
void Leave(CDialog& dialog, int id)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(dialog.GetDlgItem(id), &out);
}

class VlanProfilesE2eTest : public e2e::CNorth1Test {};

TEST_F(VlanProfilesE2eTest, AnNesProfilesAreEditedSavedAsTemplatesAndDownloadedToNes)
{
    e2e::COperator& person = program_.Operator();

    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        QTreeView& ips = PageList(list, ProfileKindId::kIpTraffic);
        EXPECT_EQ(ListColumn(ips, 0), (QStringList{QStringLiteral("office"), QStringLiteral("video")}));
        const int office = RowOf(ips, 0, QStringLiteral("office"));
        EXPECT_EQ(ListColumn(ips, 1).value(office), QStringLiteral("medium"));
        EXPECT_EQ(ListColumn(ips, 2).value(office), QStringLiteral("2048"));
        EXPECT_EQ(ListColumn(ips, 3).value(office), QStringLiteral("<no limit>"));
        EXPECT_EQ(CellImage(ips, office), kImageEnabled);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("ip_traffic_profile_list")));

        // A new profile: the rate goes round below 32 and is kept to whole steps of 32.
        person.OnDialog<IpEditor>([&](IpEditor& add) {
            EXPECT_EQ(Field(add, IpEditor::kRateId), QStringLiteral("29984"));
            EXPECT_EQ(Field(add, IpEditor::kQueueId), QStringLiteral("medium"));
            EXPECT_EQ(Field(add, IpEditor::kBroadcastId), QStringLiteral("forward"));
            Type(add, IpEditor::kRateId, QStringLiteral("32"));
            add.GetDlgItemAs<DeltaSpin>(IpEditor::kRateSpinId)->Step(-1);
            EXPECT_EQ(Field(add, IpEditor::kRateId), QStringLiteral("29984"));
            add.GetDlgItemAs<DeltaSpin>(IpEditor::kRateSpinId)->Step(1);
            EXPECT_EQ(Field(add, IpEditor::kRateId), QStringLiteral("32"));
            Type(add, IpEditor::kNameId, QStringLiteral("web tv"));
            Type(add, IpEditor::kRateId, QStringLiteral("1000"));
            Leave(add, IpEditor::kRateId);
            EXPECT_EQ(Field(add, IpEditor::kRateId), QStringLiteral("992"));
            Choose(add, IpEditor::kUpstreamId, QStringLiteral("256"));
            Choose(add, IpEditor::kQueueId, QStringLiteral("urgent"));
            e2e::RetypeRefusedName(add, IpEditor::kNameId, QStringLiteral("web-tv"),
                                   QStringLiteral("ip_traffic_profile"));
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        const int web = RowOf(ips, 0, QStringLiteral("web-tv"));
        EXPECT_EQ(ListColumn(ips, 1).value(web), QStringLiteral("highest"));
        EXPECT_EQ(ListColumn(ips, 2).value(web), QStringLiteral("992"));
        EXPECT_EQ(ListColumn(ips, 3).value(web), QStringLiteral("256"));

        // "office" is used by a DHCP PVC: the NE refuses to drop its broadcast, and nothing is written. Its rate, as
        // another workstation stored it, shows lowered to 30000 until the operator leaves the field.
        std::optional<IpTrafficProfileRec> stored =
            Named(program_.ServerRecords(kReqIpTrafficProfile, kNorth), "office");
        if (!stored) {
            ADD_FAILURE() << "the NE has the profile office";
            return IDCANCEL;
        }
        stored->downstreamRate = 31000;
        e2e::AddOnServer(program_, kReqIpTrafficProfile, kNorth, std::vector{*stored});
        Click(list, kRefreshButtonId);
        program_.ClickListRow(ips, RowOf(ips, 0, QStringLiteral("office")));
        person.OnDialog<IpEditor>([&](IpEditor& modify) {
            EXPECT_TRUE(modify.IsControlReadOnly(IpEditor::kNameId));
            EXPECT_EQ(Field(modify, IpEditor::kRateId), QStringLiteral("30000"));
            Leave(modify, IpEditor::kRateId);
            EXPECT_EQ(Field(modify, IpEditor::kRateId), QStringLiteral("29984"));
            Choose(modify, IpEditor::kBroadcastId, QStringLiteral("drop"));
            Click(modify, IDOK);
            EXPECT_EQ(person.LastBoxText(), kDropRefused);
            EXPECT_FALSE(modify.IsEnded());
            // Forwarding broadcast is written as it stands: no check, no question.
            const size_t boxes = person.boxTexts.size();
            Choose(modify, IpEditor::kBroadcastId, QStringLiteral("forward"));
            Choose(modify, IpEditor::kQueueId, QStringLiteral("high"));
            Click(modify, IDOK);
            EXPECT_EQ(person.boxTexts.size(), boxes);
            EXPECT_TRUE(modify.IsEnded());
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        EXPECT_EQ(Named(program_.ServerRecords(kReqIpTrafficProfile, kNorth), "office")->broadcast, 3u);
        EXPECT_EQ(Named(program_.ServerRecords(kReqIpTrafficProfile, kNorth), "office")->queue, 2);
        EXPECT_EQ(Named(program_.ServerRecords(kReqIpTrafficProfile, kNorth), "office")->downstreamRate, 29984u);

        // Twenty more profiles come from elsewhere; all 23 become the templates, in two batches.
        AddBulkIpProfiles(program_, kNorth);
        Click(list, kRefreshButtonId);
        EXPECT_EQ(ListColumn(ips, 0).size(), 23);
        person.AnswerBox(IDYES);
        Click(list, CProfileListDlg::kSaveAllId);

        // A multicast channel profile; its id is its key, and its address must be a multicast one.
        ClickTab(list, kMcChannelTab);
        QTreeView& channels = PageList(list, ProfileKindId::kMcChannel);
        const auto addChannel = [&](const QString& id, const QString& name, const QString& address,
                                    const QString& refusal, const QString& rate = QStringLiteral("3000")) {
            person.OnDialog<ChannelEditor>([&](ChannelEditor& add) {
                Type(add, ChannelEditor::kIdId, id);
                Type(add, ChannelEditor::kNameId, name);
                // A blank address is no address at all.
                Type(add, ChannelEditor::kAddressId, QString());
                Click(add, IDOK);
                EXPECT_EQ(MessageLine(add), QStringLiteral("incorrect IP address"));
                Type(add, ChannelEditor::kAddressId, QStringLiteral("240.0.0.1"));
                Type(add, ChannelEditor::kRateId, rate);
                Leave(add, ChannelEditor::kRateId);
                Click(add, IDOK);
                EXPECT_EQ(MessageLine(add), QStringLiteral("Invalid address"));
                Type(add, ChannelEditor::kAddressId, address);
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("mc_channel_profile")));
                Click(add, IDOK);
                if (!refusal.isEmpty()) {
                    EXPECT_EQ(MessageLine(add), refusal);
                    EXPECT_FALSE(add.IsEnded());
                }
                return IDCANCEL;
            });
            Click(list, kAddButtonId);
        };
        addChannel(QStringLiteral("5"), QStringLiteral("news"), QStringLiteral("239.1.1.5"), {});
        addChannel(QStringLiteral("800"), QStringLiteral("sport"), QStringLiteral("239.1.1.80"), {},
                   QStringLiteral("31000"));
        addChannel(QStringLiteral("5"), QStringLiteral("again"), QStringLiteral("239.1.1.6"),
                   QStringLiteral("Fail to add data. This multicast channel profile has existed."));
        EXPECT_EQ(ListColumn(channels, 0), (QStringList{QStringLiteral("5"), QStringLiteral("800")}));
        EXPECT_EQ(ListColumn(channels, 2).value(0), QStringLiteral("239.1.1.5"));
        EXPECT_EQ(ListColumn(channels, 4), (QStringList{QStringLiteral("3000"), QStringLiteral("31000")}))
            << "kept as typed";
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("mc_channel_profile_list")));
        // The channel page tells that its editor was opened to show, even when it was cancelled; the other pages
        // keep no such word.
        program_.ClickListRow(channels, 0);
        person.OnDialog<ChannelEditor>([&](ChannelEditor& show) {
            EXPECT_EQ(Field(show, ChannelEditor::kRateId), QStringLiteral("3000"));
            EXPECT_TRUE(show.IsControlReadOnly(ChannelEditor::kIdId)) << "a profile keeps its id";
            EXPECT_FALSE(show.IsControlEnabled(ChannelEditor::kIdSpinId));
            return IDCANCEL;
        });
        Click(list, kShowButtonId);
        EXPECT_EQ(list.PageOfKind(ProfileKindId::kMcChannel)->GetChangeFlags(), kChangeShown);
        EXPECT_EQ(list.PageOfKind(ProfileKindId::kIpTraffic)->GetChangeFlags(), 0);

        // A multicast service profile of both channels.
        ClickTab(list, kMcServiceTab);
        QTreeView& services = PageList(list, ProfileKindId::kMcService);
        person.OnDialog<ServiceEditor>([&](ServiceEditor& add) {
            QTreeView& offered = *add.FindList(kListControlId);
            EXPECT_EQ(ListColumn(offered, 0), (QStringList{QStringLiteral("5"), QStringLiteral("800")}));
            EXPECT_EQ(ListColumn(offered, 2).value(0), QStringLiteral("239.  1.  1.  5"));
            Type(add, ServiceEditor::kNameId, QStringLiteral("basic"));
            EXPECT_FALSE(add.IsControlEnabled(kShowButtonId)) << "no channel chosen";
            e2e::TickRows(offered, {QStringLiteral("5"), QStringLiteral("800")});
            program_.ClickListRow(offered, 0);
            EXPECT_TRUE(add.IsControlEnabled(kShowButtonId));
            person.OnDialog<ChannelEditor>([&](ChannelEditor& show) {
                EXPECT_EQ(Field(show, ChannelEditor::kNameId), QStringLiteral("news"));
                EXPECT_FALSE(show.IsControlEnabled(IDOK));
                return IDCANCEL;
            });
            Click(add, kShowButtonId);
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("mc_service_profile")));
            Click(add, IDOK);
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        EXPECT_EQ(ListColumn(services, 1).value(RowOf(services, 0, QStringLiteral("basic"))), QStringLiteral("5,800"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("mc_service_profile_list")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVlanProfile));

    const std::vector<IpTrafficProfileRec> held = program_.ServerRecords(kReqIpTrafficProfile, kNorth);
    EXPECT_EQ(SortedNames(program_.ServerRecords(kReqIpTrafficProfileTemplate)), SortedNames(held));
    EXPECT_EQ(held.size(), 23u);
    const std::optional<IpTrafficProfileRec> web = Named(held, "web-tv");
    ASSERT_TRUE(web.has_value());
    EXPECT_EQ(web->downstreamRate, 992u);
    EXPECT_EQ(web->upstreamRateIndex, 4);
    EXPECT_EQ(web->queue, 3);
    EXPECT_EQ(web->broadcast, 3u);
    EXPECT_EQ(web->status, 1u);
    const std::optional<McServiceProfileRec> basic =
        Named(program_.ServerRecords(kReqMcServiceProfile, kNorth), "basic");
    ASSERT_TRUE(basic.has_value());
    EXPECT_EQ(basic->channels.front(), 0x08) << "channel 5";
    EXPECT_EQ(basic->channels.back(), 0x01) << "channel 800";

    // The templates: "web-tv" goes to the three NEs.
    program_.ClickTreeItem(program_.Tree().Tree()->topLevelItem(0));
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        QTreeView& ips = PageList(list, ProfileKindId::kIpTraffic);
        EXPECT_EQ(ListColumn(ips, 0).size(), 23);
        program_.ClickListRow(ips, RowOf(ips, 0, QStringLiteral("web-tv")));
        person.OnDialog<CTemplateDownloadDlg>([&](CTemplateDownloadDlg& download) {
            EXPECT_EQ(Field(download, CTemplateDownloadDlg::kTitleId),
                      QStringLiteral("xDSL IP Traffic Profile : web-tv"));
            QTreeView& nes = *download.FindList(kListControlId);
            e2e::TickRows(nes, {QStringLiteral("North-1"), QStringLiteral("South-1"), QStringLiteral("Spare")},
                          CTemplateDownloadDlg::kNameColumn);
            person.AnswerBox(IDYES);
            Click(download, CTemplateDownloadDlg::kDownloadId);
            EXPECT_TRUE(program_.WaitUntil([&] { return !download.IsRunning(); }));
            return IDCANCEL;
        });
        Click(list, CProfileListDlg::kDownloadId);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("ip_traffic_profile_templates")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVlanProfileTemplate));
    for (uint32_t neId : {kNorth, kSouth, kSpare})
        EXPECT_TRUE(Named(program_.ServerRecords(kReqIpTrafficProfile, neId), "web-tv").has_value()) << neId;
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

TEST_F(VlanProfilesE2eTest, APolicingProfileOfAPppoePortKeepsItsDscpCode)
{
    e2e::COperator& person = program_.Operator();

    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        ClickTab(list, kPolicingTab);
        QTreeView& rows = PageList(list, ProfileKindId::kTrafficPolicing);
        const QStringList seeded{QStringLiteral("police-drop"), QStringLiteral("police-dscp")};
        EXPECT_EQ(ListColumn(rows, 0), seeded) << "the NE's own";
        person.OnDialog<PolicingEditor>([&](PolicingEditor& add) {
            EXPECT_EQ(Field(add, PolicingEditor::kCirId), QStringLiteral("1"));
            add.GetDlgItemAs<DeltaSpin>(PolicingEditor::kCirSpinId)->Step(1);
            add.GetDlgItemAs<DeltaSpin>(PolicingEditor::kCirSpinId)->Step(1);
            EXPECT_EQ(Field(add, PolicingEditor::kCirId), QStringLiteral("2")) << "at most 2";
            Type(add, PolicingEditor::kNameId, QStringLiteral("gold"));
            Choose(add, PolicingEditor::kActionId, QStringLiteral("drop"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("traffic_policing_profile")));
            Click(add, IDOK);
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        const int goldRow = RowOf(rows, 0, QStringLiteral("gold"));
        EXPECT_GE(goldRow, 0);
        if (goldRow < 0)
            return IDCANCEL;
        EXPECT_EQ(ListColumn(rows, 2)[goldRow], QStringLiteral("drop"));

        // A port applies "gold": re-marking its DSCP code is refused by the NE, when the port's PVC in service is a
        // DHCP one as when it is PPPoE-related. The DHCP port gives "gold" up before the PPPoE port takes it.
        server_test::CRawClient& probe = program_.ServerProbe();
        probe.ReplyTo(probe.Send(1, kReqAdslPort, kNorth, std::vector<uint8_t>(kAdslPortRecSize, 0), kAdslPortRecSize));
        const auto apply = [&](uint32_t portId, const char* profile) {
            AdslPortRec port;
            port.entityId = portId;
            port.lineProfile = "fast-8M";
            port.trafficPolicingProfile = profile;
            port.enableState = 1;
            const std::optional<Frame> applied =
                probe.ReplyTo(probe.Send(2, kReqAdslPort, kNorth, EncodeRecords(std::vector{port}), kAdslPortRecSize));
            EXPECT_TRUE(applied && applied->header.status == 0) << portId;
        };
        apply(kDhcpPort, "gold");
        program_.ClickListRow(rows, goldRow);
        person.OnDialog<PolicingEditor>([&](PolicingEditor& modify) {
            Choose(modify, PolicingEditor::kActionId, QStringLiteral("change DSCP as AF11"));
            Click(modify, IDOK);
            EXPECT_EQ(person.LastBoxText(), kDscpRefused) << "a DHCP PVC";
            EXPECT_FALSE(modify.IsEnded());
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        apply(kDhcpPort, "");
        apply(kPppoePort, "gold");
        person.OnDialog<PolicingEditor>([&](PolicingEditor& modify) {
            // The first re-marking action is asked about as the others.
            for (const char* action : {"change DSCP as AF11", "change DSCP as Best Effort"}) {
                const size_t boxes = person.boxTexts.size();
                Choose(modify, PolicingEditor::kActionId, QString::fromLatin1(action));
                Click(modify, IDOK);
                EXPECT_EQ(person.boxTexts.size(), boxes + 1) << action;
                EXPECT_EQ(person.LastBoxText(), kDscpRefused) << action;
                EXPECT_FALSE(modify.IsEnded()) << action;
            }
            // "drop", and then "no action", ask neither the NE nor the operator.
            const size_t boxes = person.boxTexts.size();
            Choose(modify, PolicingEditor::kActionId, QStringLiteral("drop"));
            Click(modify, IDOK);
            EXPECT_EQ(person.boxTexts.size(), boxes);
            EXPECT_TRUE(modify.IsEnded());
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        EXPECT_EQ(ListColumn(rows, 2)[RowOf(rows, 0, QStringLiteral("gold"))], QStringLiteral("drop"));
        person.OnDialog<PolicingEditor>([&](PolicingEditor& modify) {
            const size_t boxes = person.boxTexts.size();
            Choose(modify, PolicingEditor::kActionId, QStringLiteral("no action"));
            Click(modify, IDOK);
            EXPECT_EQ(person.boxTexts.size(), boxes);
            EXPECT_TRUE(modify.IsEnded());
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        EXPECT_EQ(ListColumn(rows, 2)[RowOf(rows, 0, QStringLiteral("gold"))], QStringLiteral("no action"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("traffic_policing_profile_list")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAdslProfile));
    const std::optional<TrafficPolicingProfileRec> gold =
        Named(program_.ServerRecords(kReqTrafficPolicingProfile, kNorth), "gold");
    ASSERT_TRUE(gold.has_value());
    EXPECT_EQ(gold->upstreamCir, 2);
    EXPECT_EQ(gold->action, 0u);
    EXPECT_EQ(gold->status, 1u);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// A service profile whose channels could not be read is shown, but not written without them.
TEST_F(VlanProfilesE2eTest, AServiceProfileIsNotWrittenWithoutItsChannels)
{
    McServiceProfileRec basic;
    basic.name = "basic";
    basic.channels[0] = 0x08;
    basic.status = 1;
    e2e::AddOnServer(program_, kReqMcServiceProfileAdd, kNorth, std::vector{basic});
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        ClickTab(list, kMcServiceTab);
        QTreeView& services = PageList(list, ProfileKindId::kMcService);
        program_.ClickListRow(services, RowOf(services, 0, QStringLiteral("basic")));
        const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextRequest, kReqMcChannelProfile.value, 0, 0});
        server_test::CRawClient& probe = program_.ServerProbe();
        EXPECT_TRUE(probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
        person.AnswerBox(IDOK);
        person.OnDialog<ServiceEditor>([&](ServiceEditor& modify) {
            EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to query")));
            EXPECT_FALSE(modify.IsControlEnabled(IDOK));
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVlanProfile));
    EXPECT_EQ(Named(program_.ServerRecords(kReqMcServiceProfile, kNorth), "basic")->channels[0], 0x08);
}

// A new profile opens on its kind's defaults: the IP traffic, multicast channel and traffic policing editors.
TEST_F(VlanProfilesE2eTest, ANewProfileOpensOnItsKindsDefaults)
{
    constexpr int kCmdAdslProfile = 33080;
    const struct {
        int command;
        int tab;
        std::vector<std::pair<int, QString>> fields;
    } cases[] = {
        {kCmdVlanProfile,
         0,
         {{IpEditor::kRateId, "29984"},
          {IpEditor::kQueueId, "medium"},
          {IpEditor::kUpstreamId, "<no limit>"},
          {IpEditor::kBroadcastId, "forward"}}},
        {kCmdVlanProfile,
         1,
         {{ChannelEditor::kIdId, "1"},
          {ChannelEditor::kQueueId, "low"},
          {ChannelEditor::kRateId, "29984"},
          {ChannelEditor::kAddressId, "224.0.1.0"}}},
        {kCmdAdslProfile, 2, {{PolicingEditor::kCirId, "1"}, {PolicingEditor::kActionId, "no action"}}},
    };
    e2e::COperator& person = program_.Operator();
    for (const auto& c : cases) {
        person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            ClickTab(list, c.tab);
            person.OnDialog<CADialog>([&](CADialog& editor) {
                for (const auto& [id, text] : c.fields)
                    EXPECT_EQ(Field(editor, id), text) << c.command << " tab " << c.tab << " field " << id;
                return IDCANCEL;
            });
            Click(list, kAddButtonId);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(c.command));
    }
}

// Opened to show, an editor keeps OK off and its name or id fixed; the rest stays as in every mode: the rate or CIR
// edit and its spin, the channel's address, and the IP traffic rate rounded when the operator leaves it.
TEST_F(VlanProfilesE2eTest, InShowModeOnlyOkAndTheNameOrIdDependOnTheMode)
{
    McChannelProfileRec channel;
    channel.profileId = 7;
    channel.name = "news";
    channel.groupAddress = {239, 1, 1, 7};
    channel.downstreamRate = channel.downstreamRateCopy = 3000;
    channel.status = 1;
    e2e::AddOnServer(program_, kReqMcChannelProfileAdd, kNorth, std::vector{channel});
    const struct {
        int command;
        int tab;
        ProfileKindId kind;
        int fixed; // the name, or the channel's id
        int edit;
        int spin;
        QString typed;
        QString left; // what the edit holds once left
    } cases[] = {
        {kCmdVlanProfile, kIpTrafficTab, ProfileKindId::kIpTraffic, IpEditor::kNameId, IpEditor::kRateId,
         IpEditor::kRateSpinId, "1000", "992"},
        {kCmdVlanProfile, kMcChannelTab, ProfileKindId::kMcChannel, ChannelEditor::kIdId, ChannelEditor::kRateId,
         ChannelEditor::kRateSpinId, "1000", "1000"},
        {kCmdAdslProfile, kPolicingTab, ProfileKindId::kTrafficPolicing, PolicingEditor::kNameId,
         PolicingEditor::kCirId, PolicingEditor::kCirSpinId, "2", "2"},
    };
    e2e::COperator& person = program_.Operator();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << " tab " << c.tab);
        person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            ClickTab(list, c.tab);
            QTreeView& rows = PageList(list, c.kind);
            EXPECT_GT(CListControl(&rows).GetItemCount(), 0);
            program_.ClickListRow(rows, 0);
            person.OnDialog<CADialog>([&](CADialog& show) {
                EXPECT_FALSE(show.IsControlEnabled(IDOK));
                EXPECT_TRUE(show.IsControlReadOnly(c.fixed));
                EXPECT_FALSE(show.IsControlReadOnly(c.edit));
                EXPECT_TRUE(show.IsControlEnabled(c.spin));
                if (c.kind == ProfileKindId::kMcChannel) {
                    EXPECT_FALSE(show.GetDlgItemAs<IpAddressEdit>(ChannelEditor::kAddressId)->IsReadOnly());
                }
                Type(show, c.edit, c.typed);
                Leave(show, c.edit);
                EXPECT_EQ(Field(show, c.edit), c.left);
                return IDCANCEL;
            });
            Click(list, kShowButtonId);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(c.command));
    }
}

// Sorted by queue, IP traffic profiles of one queue keep the order the list took them in, the added one after those
// read; the other way round the whole order turns round.
TEST_F(VlanProfilesE2eTest, ProfilesOfOneQueueSortInTheOrderTheyCame)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        QTreeView& ips = PageList(list, ProfileKindId::kIpTraffic);
        EXPECT_EQ(ListColumn(ips, 1).value(RowOf(ips, 0, QStringLiteral("office"))), QStringLiteral("medium"));
        person.OnDialog<IpEditor>([&](IpEditor& add) {
            EXPECT_EQ(Field(add, IpEditor::kQueueId), QStringLiteral("medium"));
            Type(add, IpEditor::kNameId, QStringLiteral("backup"));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        const auto mediumNames = [&] {
            QStringList names;
            const QStringList queues = ListColumn(ips, 1);
            const QStringList shown = ListColumn(ips, 0);
            for (qsizetype row = 0; row < shown.size(); ++row) {
                if (queues.value(row) == QStringLiteral("medium"))
                    names << shown.value(row);
            }
            return names.join(',');
        };
        e2e::CProgram::ClickHeader(*ips.header(), 1);
        EXPECT_EQ(mediumNames(), QStringLiteral("office,backup"));
        e2e::CProgram::ClickHeader(*ips.header(), 1);
        EXPECT_EQ(mediumNames(), QStringLiteral("backup,office"));

        // Channel profiles of one queue go by their ids, whatever order they came in; addresses sort as texts. An
        // added one is brought into view, the selection left as it was.
        ClickTab(list, kMcChannelTab);
        QTreeView& channels = PageList(list, ProfileKindId::kMcChannel);
        for (const auto& [id, address] : {std::pair{"800", "239.1.1.10"}, std::pair{"5", "239.1.1.9"}}) {
            person.OnDialog<ChannelEditor>([&, id = id, address = address](ChannelEditor& add) {
                Type(add, ChannelEditor::kIdId, QString::fromLatin1(id));
                Type(add, ChannelEditor::kNameId, QStringLiteral("tv-") + QString::fromLatin1(id));
                Type(add, ChannelEditor::kAddressId, QString::fromLatin1(address));
                Type(add, ChannelEditor::kRateId, QStringLiteral("3000"));
                Leave(add, ChannelEditor::kRateId);
                Click(add, IDOK);
                EXPECT_TRUE(add.IsEnded());
                return IDCANCEL;
            });
            Click(list, kAddButtonId);
            EXPECT_EQ(CListControl(&channels).GetNextSelected(), -1) << id;
        }
        EXPECT_EQ(ListColumn(channels, 0), (QStringList{QStringLiteral("800"), QStringLiteral("5")}));
        e2e::CProgram::ClickHeader(*channels.header(), 3);
        EXPECT_EQ(ListColumn(channels, 0), (QStringList{QStringLiteral("5"), QStringLiteral("800")}));
        // Addresses sort as the texts they show.
        e2e::CProgram::ClickHeader(*channels.header(), 2);
        EXPECT_EQ(ListColumn(channels, 0), (QStringList{QStringLiteral("800"), QStringLiteral("5")}));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVlanProfile));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// A reply that names another request than the page's query is no reply to it: the page lists nothing, and its next
// refresh lists the NE's profiles.
TEST_F(VlanProfilesE2eTest, AReplyNamingAnotherRequestListsNothing)
{
    server_test::CRawClient& probe = program_.ServerProbe();
    const auto control =
        EncodeRecord(SimControlRec{kSimRenameNextReply, kReqIpTrafficProfile, kReqIpTrafficProfileAdd, 0});
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqSimControl, 0, {control.begin(), control.end()}, kSimControlRecSize)));
    e2e::COperator& person = program_.Operator();
    const size_t boxes = person.boxTexts.size();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        QTreeView& ips = PageList(list, ProfileKindId::kIpTraffic);
        EXPECT_TRUE(ListColumn(ips, 0).isEmpty());
        EXPECT_EQ(person.boxTexts.size(), boxes) << "nothing failed";
        Click(list, kRefreshButtonId);
        EXPECT_EQ(ListColumn(ips, 0), (QStringList{QStringLiteral("office"), QStringLiteral("video")}));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVlanProfile));
}

// An operator who may change profiles but not add or delete them: the page leaves Add to the editor, which refuses
// to open for an add; Delete is refused on the page before anything is asked.
TEST(VlanProfilesRightsE2eTest, AnOperatorWithoutTheAddRightIsStoppedByTheEditor)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    UserRightsRecord rights;
    rights.rights = {std::string(127, 'a'), std::string(127, 'a'), std::string(127, 'm')};
    e2e::AddOnServer(program, kReqUserRights, 0, std::vector{rights});
    ASSERT_TRUE(program.Login("north", "north"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        QTreeView& ips = PageList(list, ProfileKindId::kIpTraffic);
        person.OnDialog<IpEditor>([&](IpEditor& add) {
            EXPECT_TRUE(add.IsEnded());
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
        program.ClickListRow(ips, RowOf(ips, 0, QStringLiteral("office")));
        Click(list, kDeleteButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
        EXPECT_TRUE(person.boxTexts.empty()) << "nothing asked";
        EXPECT_EQ(ListColumn(ips, 0).size(), 2);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdVlanProfile));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
    EXPECT_TRUE(Named(program.ServerRecords(kReqIpTrafficProfile, kNorth), "office").has_value());
}

// In direct mode the NE judges its own profiles: dropping broadcast on a profile its DHCP PVC uses is refused, and a
// change that keeps forwarding is written without a question.
class VlanProfilesDirectE2eTest : public e2e::CDirectNeTest {};

TEST_F(VlanProfilesDirectE2eTest, TheNesIpTrafficProfileIsJudgedAndChangedInDirectMode)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        QTreeView& ips = PageList(list, ProfileKindId::kIpTraffic);
        program_.ClickListRow(ips, RowOf(ips, 0, QStringLiteral("office")));
        person.OnDialog<IpEditor>([&](IpEditor& modify) {
            Choose(modify, IpEditor::kBroadcastId, QStringLiteral("drop"));
            person.AnswerBox(IDOK);
            Click(modify, IDOK);
            EXPECT_EQ(person.LastBoxText(), kDropRefused);
            EXPECT_FALSE(modify.IsEnded());
            const size_t boxes = person.boxTexts.size();
            Choose(modify, IpEditor::kBroadcastId, QStringLiteral("forward"));
            Choose(modify, IpEditor::kQueueId, QStringLiteral("urgent"));
            Click(modify, IDOK);
            EXPECT_EQ(person.boxTexts.size(), boxes) << "no question";
            EXPECT_TRUE(modify.IsEnded()) << MessageLine(modify).toStdString();
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        EXPECT_EQ(ListColumn(ips, 1).value(RowOf(ips, 0, QStringLiteral("office"))), QStringLiteral("highest"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVlanProfile));
    const RecordReply<IpTrafficProfileRec> held = CRecordRequests().Query<IpTrafficProfileRec>(kReqIpTrafficProfile, 1);
    ASSERT_TRUE(held.Ok());
    const std::optional<IpTrafficProfileRec> office = Named(held.records, "office");
    ASSERT_TRUE(office);
    EXPECT_EQ(office->queue, 3);
    EXPECT_EQ(office->broadcast, 3u);
}

} // namespace
