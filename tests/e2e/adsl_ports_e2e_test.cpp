// The ADSL port list and port dialog in the running program against the simulated server: the operator opens the
// port list of North-1's line card, changes a port's profiles and packet filter groups and reads them back from the
// server, which keeps what the port held beside them. A traffic policing profile on a port with PPPoE traffic meets
// the card's service-type control; the server refuses a profile it no longer has, and a port whose profiles could
// not be read cannot be written.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/north1_card_test.h"

#include "features/management/subscribers/subscriber_data_dlg.h"
#include "features/management/subscribers/subscriber_list_dlg.h"
#include "features/management/subscribers/subscriber_select_dlg.h"
#include "features/provisioning/ports/adsl_port_dlg.h"
#include "features/provisioning/ports/adsl_port_list_dlg.h"
#include "link/pdu_log.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <QTreeView>

#include <gtest/gtest.h>

#include <utility>

namespace {

constexpr int kCmdAdslPorts = 33130;
constexpr uint32_t kNorth1 = 1;
constexpr uint32_t kPort5 = 10105; // DHCP and static IP PVCs
constexpr uint32_t kPort6 = 10106; // an enabled PPPoE PVC
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using List = CAdslPortListDlg;
using Port = CAdslPortDlg;

template <typename Rec> void WriteToServer(e2e::CProgram& program, RequestCode<Rec> code, const Rec& rec)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto bytes = EncodeRecord(rec);
    ASSERT_TRUE(probe.ReplyTo(probe.Send(kEmsOpModify, code, kNorth1, {bytes.begin(), bytes.end()}, kRecordSize<Rec>)));
}

void RefuseNext(e2e::CProgram& program, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto control = EncodeRecord(SimControlRec{kSimRefuseNextRequest, code, 0, 0});
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqSimControl, 0, {control.begin(), control.end()}, kSimControlRecSize)));
}

// Another workstation deletes a traffic policing profile of North-1.
void DeletePolicingProfile(e2e::CProgram& program, const std::string& name)
{
    TrafficPolicingProfileRec gone;
    gone.name = name;
    WriteToServer(program, kReqTrafficPolicingProfileDelete, gone);
}

AdslPortRec ServerPort(e2e::CProgram& program, uint32_t portId)
{
    for (const AdslPortRec& rec : program.ServerRecords(kReqAdslPort, kNorth1)) {
        if (rec.entityId == portId)
            return rec;
    }
    ADD_FAILURE() << "the server has no port " << portId;
    return {};
}

class AdslPortsE2eTest : public e2e::CNorth1CardTest {
protected:
    // Another workstation turns the service-type control of North-1's line card on.
    void EnableServiceTypeControl()
    {
        BoardSettingRec card;
        for (const BoardSettingRec& rec : program_.ServerRecords(kReqBoardSetting, kNorth1)) {
            if (rec.entityId == 10100)
                card = rec;
        }
        ASSERT_EQ(card.entityId, 10100u);
        card.serviceTypeControl = 1;
        WriteToServer(program_, kReqBoardSetting, card);
    }
    // The list of the card; `script` works the port dialog opened by Modify on the port's row.
    void ModifyPort(uint32_t portId, const std::function<void(List&, Port&)>& script,
                    const std::function<void()>& beforeModify = {})
    {
        e2e::COperator& person = program_.Operator();
        person.OnDialog<List>([&](List& ports) {
            QTreeView& list = *ports.FindList(kListControlId);
            const QString location = QStringLiteral("1-%1").arg(portId % 100);
            const int row = e2e::RowOf(list, List::kSlotPortColumn, location);
            EXPECT_GE(row, 0) << location.toStdString();
            program_.ClickListRow(list, row);
            person.OnDialog<Port>([&](Port& port) {
                script(ports, port);
                return IDCANCEL;
            });
            if (beforeModify)
                beforeModify();
            Click(ports, kModifyButtonId);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(kCmdAdslPorts));
    }
};

TEST_F(AdslPortsE2eTest, TheOperatorChangesAPortsProfilesAndFilterGroupsAndTheServerKeepsTheRest)
{
    // The port is bound to a subscriber, which the port dialog neither shows nor changes.
    AdslPortRec bound = ServerPort(program_, kPort5);
    bound.subscriber = "alice";
    bound.subscriberClass = 2;
    bound.service = 1;
    bound.reserved4 = {1, 2, 3, 4, 5, 6, 7, 8};
    WriteToServer(program_, kReqAdslPort, bound);

    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& ports) {
        QTreeView& list = *ports.FindList(kListControlId);
        const QStringList locations = e2e::ListColumn(list, List::kSlotPortColumn);
        EXPECT_FALSE(locations.isEmpty());
        for (const QString& location : locations)
            EXPECT_TRUE(location.startsWith(QStringLiteral("1-"))) << "only the card's ports";
        const int row = e2e::RowOf(list, List::kSlotPortColumn, QStringLiteral("1-5"));
        EXPECT_GE(row, 0);
        EXPECT_EQ(e2e::ListColumn(list, List::kSubscriberColumn).value(row), QStringLiteral("alice"));
        EXPECT_EQ(e2e::ListColumn(list, List::kClassColumn).value(row), QStringLiteral("enterprise"));
        // No row: the row functions are off; Export and Subscriber stay.
        EXPECT_FALSE(ports.IsControlEnabled(kModifyButtonId));
        EXPECT_FALSE(ports.IsControlEnabled(List::kResetPortButtonId));
        EXPECT_TRUE(ports.IsControlEnabled(List::kCurrentPmButtonId));
        program_.ClickListRow(list, row);
        EXPECT_TRUE(ports.IsControlEnabled(kModifyButtonId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(ports, QStringLiteral("adsl_port_list")));

        person.OnDialog<Port>([&](Port& port) {
            EXPECT_EQ(e2e::Field(port, Port::kPortLocationId), QStringLiteral("1-5"));
            EXPECT_EQ(e2e::Field(port, Port::kUpstreamGroupIds[0]), QStringLiteral("USG1: no-netbios"));
            EXPECT_EQ(e2e::Field(port, Port::kDownstreamGroupIds[0]), QStringLiteral("DSG1: ds-video"));
            EXPECT_EQ(e2e::Field(port, Port::kServiceTypeControlId), QStringLiteral("disabled"));
            EXPECT_TRUE(port.IsControlEnabled(Port::kShowLineProfileId));
            EXPECT_FALSE(port.IsControlEnabled(Port::kShowPolicingId));
            EXPECT_TRUE(Choose(port, Port::kLineProfileId, QStringLiteral("video-16M")));
            EXPECT_TRUE(Choose(port, Port::kPmThresholdId, QStringLiteral("quiet")));
            EXPECT_TRUE(Choose(port, Port::kPolicingId, QStringLiteral("police-drop")));
            EXPECT_TRUE(port.IsControlEnabled(Port::kShowPolicingId));
            Check(port, Port::kUpstreamGroupIds[1]);
            Check(port, Port::kDownstreamGroupIds[3]);
            Check(port, Port::kDisabledRadioId);
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(port, QStringLiteral("adsl_port")));
            Click(port, IDOK);
            EXPECT_TRUE(port.IsEnded());
            return IDCANCEL;
        });
        Click(ports, kModifyButtonId);
        EXPECT_EQ(e2e::ListColumn(list, List::kLineProfileColumn).value(row), QStringLiteral("video-16M"));
        EXPECT_EQ(e2e::ListColumn(list, List::kPolicingColumn).value(row), QStringLiteral("police-drop"));
        EXPECT_EQ(e2e::ListColumn(list, List::kAdminColumn).value(row), QStringLiteral("disabled"));
        EXPECT_EQ(e2e::CellImage(list, row, List::kAdminColumn), kImageDisabled);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAdslPorts));

    const AdslPortRec kept = ServerPort(program_, kPort5);
    EXPECT_EQ(kept.lineProfile, "video-16M");
    EXPECT_EQ(kept.pmThresholdProfile, "quiet");
    EXPECT_EQ(kept.trafficPolicingProfile, "police-drop");
    EXPECT_EQ(kept.enableState, 2u);
    EXPECT_EQ(kept.upstreamFilterGroups, bound.upstreamFilterGroups | 0x2u);
    EXPECT_EQ(kept.downstreamFilterGroups, bound.downstreamFilterGroups | 0x8u);
    EXPECT_EQ(kept.subscriber, "alice") << "the port's subscriber stays bound";
    EXPECT_EQ(kept.subscriberClass, 2u);
    EXPECT_EQ(kept.reserved4, bound.reserved4);
}

TEST_F(AdslPortsE2eTest, APolicingProfileOnAPortWithPppoeTrafficMeetsTheCardsServiceTypeControl)
{
    e2e::COperator& person = program_.Operator();
    const AdslPortRec before = ServerPort(program_, kPort6);
    ModifyPort(kPort6, [&](List&, Port& port) {
        // Service-type control off: the operator is asked; No keeps the dialog and writes nothing.
        EXPECT_TRUE(Choose(port, Port::kPolicingId, QStringLiteral("police-dscp")));
        person.AnswerBox(IDNO);
        Click(port, IDOK);
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("LC STC is disabled.")));
        EXPECT_FALSE(port.IsEnded());
        EXPECT_EQ(ServerPort(program_, kPort6), before);
    });

    EnableServiceTypeControl();
    ModifyPort(kPort6, [&](List&, Port& port) {
        EXPECT_EQ(e2e::Field(port, Port::kServiceTypeControlId), QStringLiteral("enabled"));
        // A DSCP change cannot apply to PPPoE traffic under service-type control.
        EXPECT_TRUE(Choose(port, Port::kPolicingId, QStringLiteral("police-dscp")));
        const size_t boxes = person.boxTexts.size();
        person.AnswerBox(IDOK);
        Click(port, IDOK);
        ASSERT_EQ(person.boxTexts.size(), boxes + 1);
        EXPECT_TRUE(person.LastBoxText().contains(QStringLiteral("therefore can't apply DSCP")));
        EXPECT_FALSE(port.IsEnded());
        // The server no longer has the profile the operator picks next: its refusal keeps the dialog open.
        EXPECT_TRUE(Choose(port, Port::kPolicingId, QStringLiteral("police-drop")));
        DeletePolicingProfile(program_, "police-drop");
        person.AnswerBox(IDOK);
        Click(port, IDOK);
        EXPECT_TRUE(person.LastBoxText().contains(QStringLiteral("Fail to update data")));
        EXPECT_TRUE(person.LastBoxText().contains(QStringLiteral("Traffic policing profile does not exist")));
        EXPECT_FALSE(port.IsEnded());
        // Without a policing profile the port is written.
        EXPECT_TRUE(Choose(port, Port::kPolicingId, QStringLiteral(" <none>")));
        Click(port, IDOK);
        EXPECT_TRUE(port.IsEnded());
    });
    EXPECT_EQ(ServerPort(program_, kPort6).trafficPolicingProfile, "");
}

// Under service-type control a port with PPPoE traffic takes a policing profile that drops (action 1), and refuses
// one that changes the DSCP code from the first such action on ("change DSCP as Best Effort", 2).
TEST_F(AdslPortsE2eTest, UnderServiceTypeControlTheDscpActionsStartAtBestEffort)
{
    TrafficPolicingProfileRec bestEffort;
    bestEffort.name = "police-be";
    bestEffort.upstreamCir = 1;
    bestEffort.action = 2;
    bestEffort.status = 1;
    WriteToServer(program_, kReqTrafficPolicingProfileAdd, bestEffort);
    EnableServiceTypeControl();
    e2e::COperator& person = program_.Operator();
    for (const auto& [profile, refused] : {std::pair{"police-be", true}, std::pair{"police-drop", false}}) {
        SCOPED_TRACE(profile);
        ModifyPort(kPort6, [&](List&, Port& port) {
            EXPECT_TRUE(Choose(port, Port::kPolicingId, QString::fromLatin1(profile)));
            person.AnswerBox(IDOK);
            Click(port, IDOK);
            person.ForgetBoxAnswers();
            EXPECT_EQ(port.IsEnded(), !refused);
        });
    }
    EXPECT_EQ(ServerPort(program_, kPort6).trafficPolicingProfile, "police-drop");
}

TEST_F(AdslPortsE2eTest, APortWhoseProfilesCouldNotBeReadCannotBeWritten)
{
    const AdslPortRec before = ServerPort(program_, kPort5);
    e2e::COperator& person = program_.Operator();
    // The PDU log window holds its display while the dialog loads, also when a load fails.
    std::vector<int> flagsWhileTold;
    person.onBox = [&](QDialog&) { flagsWhileTold.push_back(GetPduLogFlag()); };
    ModifyPort(
        kPort5,
        [&](List&, Port& port) {
            EXPECT_FALSE(port.IsControlEnabled(IDOK)) << "empty names and masks would be written";
            EXPECT_TRUE(person.LastBoxText().contains(QStringLiteral("Fail to query")));
            EXPECT_EQ(GetPduLogFlag(), 1) << "released after the loads";
        },
        [&] {
            RefuseNext(program_, kReqPktFilterGroup);
            person.AnswerBox(IDOK);
        });
    person.onBox = nullptr;
    EXPECT_EQ(flagsWhileTold, std::vector<int>{0});
    EXPECT_EQ(ServerPort(program_, kPort5), before);
}

TEST_F(AdslPortsE2eTest, AProfileTheNeNoLongerHasShowsAsNoneAndIsWrittenEmpty)
{
    AdslPortRec port5 = ServerPort(program_, kPort5);
    port5.trafficPolicingProfile = "police-drop";
    WriteToServer(program_, kReqAdslPort, port5);
    DeletePolicingProfile(program_, "police-drop");
    ModifyPort(kPort5, [&](List&, Port& port) {
        EXPECT_EQ(e2e::Field(port, Port::kPolicingId), QStringLiteral(" <none>"));
        EXPECT_FALSE(port.IsControlEnabled(Port::kShowPolicingId));
        EXPECT_FALSE(e2e::ComboTexts(port, Port::kPolicingId).contains(QStringLiteral("police-drop")));
        Click(port, IDOK);
        EXPECT_TRUE(port.IsEnded()) << e2e::MessageLine(port).toStdString();
    });
    EXPECT_EQ(ServerPort(program_, kPort5).trafficPolicingProfile, "");
}

// After Modify the row shows the profiles and state written; what else the port holds now is shown at the next fill.
TEST_F(AdslPortsE2eTest, AfterModifyTheRowTakesTheProfilesAndStateAlone)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& ports) {
        QTreeView& list = *ports.FindList(kListControlId);
        const int row = e2e::RowOf(list, List::kSlotPortColumn, QStringLiteral("1-5"));
        if (row < 0) {
            ADD_FAILURE() << "port 1-5 is listed";
            return IDCANCEL;
        }
        const QString subscriber = e2e::ListColumn(list, List::kSubscriberColumn).value(row);
        const QString profile =
            e2e::ListColumn(list, List::kLineProfileColumn).value(row) == QStringLiteral("video-16M")
                ? QStringLiteral("fast-8M")
                : QStringLiteral("video-16M");
        // Another workstation binds a subscriber to the port meanwhile.
        AdslPortRec port5 = ServerPort(program_, kPort5);
        port5.subscriber = "bob";
        WriteToServer(program_, kReqAdslPort, port5);
        program_.ClickListRow(list, row);
        person.OnDialog<Port>([&](Port& port) {
            EXPECT_TRUE(Choose(port, Port::kLineProfileId, profile));
            Check(port, Port::kDisabledRadioId);
            Click(port, IDOK);
            EXPECT_TRUE(port.IsEnded()) << e2e::MessageLine(port).toStdString();
            return IDCANCEL;
        });
        Click(ports, kModifyButtonId);
        const int shown = e2e::RowOf(list, List::kSlotPortColumn, QStringLiteral("1-5"));
        EXPECT_EQ(e2e::ListColumn(list, List::kLineProfileColumn).value(shown), profile);
        EXPECT_EQ(e2e::ListColumn(list, List::kAdminColumn).value(shown), QStringLiteral("disabled"));
        EXPECT_EQ(e2e::ListColumn(list, List::kSubscriberColumn).value(shown), subscriber);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAdslPorts));
    EXPECT_EQ(ServerPort(program_, kPort5).subscriber, "bob");
}

TEST_F(AdslPortsE2eTest, ADisabledPortIsGreyWithItsStateImageInAdminStateAlone)
{
    AdslPortRec port6 = ServerPort(program_, kPort6);
    port6.enableState = 2;
    WriteToServer(program_, kReqAdslPort, port6);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& ports) {
        QTreeView& list = *ports.FindList(kListControlId);
        const QStringList states = e2e::ListColumn(list, List::kAdminColumn);
        EXPECT_EQ(states.value(e2e::RowOf(list, List::kSlotPortColumn, QStringLiteral("1-6"))),
                  QStringLiteral("disabled"));
        for (int row = 0; row < states.size(); ++row) {
            const bool enabled = states[row] == QStringLiteral("enabled");
            EXPECT_EQ(e2e::CellImage(list, row, List::kNumberColumn), -1) << row;
            EXPECT_EQ(e2e::CellImage(list, row, List::kAdminColumn), enabled ? kImageEnabled : kImageDisabled) << row;
            COLORREF text = 0, back = 0, back2 = 0;
            ports.GetItemColors(row, List::kLineProfileColumn, &text, &back, &back2, kListControlId);
            EXPECT_EQ(text == COLORREF{0x808080}, !enabled) << row;
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAdslPorts));
}

TEST_F(AdslPortsE2eTest, TheSubscriberBoundToAPortShowsInItsRow)
{
    AdslPortRec port2 = ServerPort(program_, 10102);
    port2.subscriber = "Ben Lind";
    port2.service = 2;
    port2.subscriberClass = 1;
    WriteToServer(program_, kReqAdslPort, port2);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& ports) {
        QTreeView& list = *ports.FindList(kListControlId);
        const int row = e2e::RowOf(list, List::kSlotPortColumn, QStringLiteral("1-8"));
        if (row < 0) {
            ADD_FAILURE() << "port 1-8 is listed";
            return IDCANCEL;
        }
        EXPECT_EQ(e2e::ListColumn(list, List::kSubscriberColumn).value(row), QString());
        EXPECT_EQ(e2e::ListColumn(list, List::kClassColumn).value(row), QString()) << "no subscriber, no class";
        EXPECT_EQ(e2e::ListColumn(list, List::kServiceColumn).value(row), QString()) << "no subscriber, no service";
        // Port 1-2's subscriber: a home one with a service other than PPPoE.
        const int home = e2e::RowOf(list, List::kSlotPortColumn, QStringLiteral("1-2"));
        EXPECT_EQ(e2e::ListColumn(list, List::kSubscriberColumn).value(home), QStringLiteral("Ben Lind"));
        EXPECT_EQ(e2e::ListColumn(list, List::kClassColumn).value(home), QStringLiteral("home"));
        EXPECT_EQ(e2e::ListColumn(list, List::kServiceColumn).value(home), QStringLiteral("FixedIP"));
        program_.ClickListRow(list, row);
        person.OnDialog<CSubscriberDataDlg>([&](CSubscriberDataDlg& add) {
            e2e::Type(add, CSubscriberDataDlg::kIdEditId, QStringLiteral("SUB-0108"));
            e2e::Type(add, CSubscriberDataDlg::kNameEditId, QStringLiteral("Dana Holm"));
            Check(add.ClassPage(), CSubscriberClassPage::kEnterpriseRadioId);
            Check(add.ClassPage(), CSubscriberClassPage::kPppoeRadioId);
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded()) << e2e::MessageLine(add).toStdString();
            return IDCANCEL;
        });
        Click(ports, List::kSubscriberButtonId);
        const int shown = e2e::RowOf(list, List::kSlotPortColumn, QStringLiteral("1-8"));
        EXPECT_EQ(e2e::ListColumn(list, List::kSubscriberColumn).value(shown), QStringLiteral("Dana Holm"));
        EXPECT_EQ(e2e::ListColumn(list, List::kClassColumn).value(shown), QStringLiteral("enterprise"));
        EXPECT_EQ(e2e::ListColumn(list, List::kServiceColumn).value(shown), QStringLiteral("PPPoE"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAdslPorts));
}

// Without a row, Subscriber opens the subscriber selection; the ports are read again only when a subscriber was changed
// from it, here after another workstation changed a port meanwhile.
TEST_F(AdslPortsE2eTest, ThePortsAreReadAgainOnlyWhenTheSelectionChangedASubscriber)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<List>([&](List& ports) {
        QTreeView& list = *ports.FindList(kListControlId);
        AdslPortRec port5 = ServerPort(program_, kPort5);
        const QString before = QString::fromStdString(port5.lineProfile);
        port5.lineProfile = port5.lineProfile == "video-16M" ? "fast-8M" : "video-16M";
        WriteToServer(program_, kReqAdslPort, port5);
        const auto shown = [&] {
            return e2e::ListColumn(list, List::kLineProfileColumn)
                .value(e2e::RowOf(list, List::kSlotPortColumn, QStringLiteral("1-5")));
        };
        // Looked, changed nothing: the list stays as it was read.
        person.OnDialog<CSubscriberSelectDlg>([&](CSubscriberSelectDlg&) { return IDCANCEL; });
        Click(ports, List::kSubscriberButtonId);
        EXPECT_EQ(shown(), before);
        // A subscriber changed from the selection's list: the ports are read again.
        person.OnDialog<CSubscriberSelectDlg>([&](CSubscriberSelectDlg& select) {
            person.OnDialog<CSubscriberListDlg>([&](CSubscriberListDlg& found) {
                QTreeView& rows = *found.FindList(kListControlId);
                if (rows.model()->rowCount() == 0) {
                    ADD_FAILURE() << "the card has subscribers";
                    return IDCANCEL;
                }
                program_.ClickListRow(rows, 0);
                person.OnDialog<CSubscriberDataDlg>([&](CSubscriberDataDlg& modify) {
                    person.AnswerBox(IDYES);
                    Click(modify, IDOK);
                    EXPECT_TRUE(modify.IsEnded()) << e2e::MessageLine(modify).toStdString();
                    return IDCANCEL;
                });
                Click(found, kModifyButtonId);
                return IDCANCEL;
            });
            Click(select, IDOK);
            return IDCANCEL;
        });
        Click(ports, List::kSubscriberButtonId);
        EXPECT_EQ(shown(), QString::fromStdString(port5.lineProfile));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAdslPorts));
}

// The line profile combo offers the NE's profiles of a fast or an interleaved channel, and no other.
TEST_F(AdslPortsE2eTest, OnlyFastAndInterleavedLineProfilesAreOffered)
{
    for (const auto& [name, mode] :
         {std::pair{"mode-one", 1u}, std::pair{"mode-three", 3u}, std::pair{"mode-four", 4u}}) {
        AdslLineProfileRec line;
        line.name = name;
        line.channelMode = mode;
        line.rateMode = 2;
        line.status = 1;
        WriteToServer(program_, kReqAdslLineProfileAdd, line);
    }
    QStringList offered{QStringLiteral(" <none>")};
    for (const AdslLineProfileRec& line : program_.ServerRecords(kReqAdslLineProfile, kNorth1)) {
        if (line.channelMode == 2 || line.channelMode == 3)
            offered << QString::fromStdString(line.name);
    }
    ASSERT_TRUE(offered.contains(QStringLiteral("mode-three")));
    ModifyPort(kPort5,
               [&](List&, Port& port) { EXPECT_EQ(e2e::ComboTexts(port, Port::kLineProfileId), offered.join(',')); });
}

} // namespace
