// The SHDSL ports in the running program: from the port list of a sample NE the operator gives a port another line
// profile, resets it, reads its rate status (the rate follows the new profile) and its current and history PM, against
// the simulated server. A profile list the server refuses to give leaves the port's profiles as they were when the
// operator saves the port. The list offers only what an NE that is planned, or not connected, can do.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "features/management/subscribers/subscriber_data_dlg.h"
#include "features/performance/graphs/pm_graph_dlg.h"
#include "features/performance/pm/shdsl_cur_pm_dlg.h"
#include "features/performance/pm/shdsl_his_pm_dlg.h"
#include "features/performance/port_selection/xdsl_port_sel_dlg.h"
#include "features/performance/rate_status/rate_status_dlg.h"
#include "features/performance/rate_status/shdsl_rate_status_dlg.h"
#include "features/provisioning/shdsl/shdsl_port_dlg.h"
#include "features/provisioning/shdsl/shdsl_port_list_dlg.h"
#include "link/records/ne_key_record.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/shdsl_port_rec.h"
#include "link/records/user_rights_record.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/entity_icons.h"
#include "ui/framework/lists/small_images.h"

#include <QAbstractItemView>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

constexpr int kCmdShdslPorts = 33177;
constexpr uint32_t kNorth1 = 1;
constexpr uint32_t kFirstPort = 10201; // North-1's SHDSL line card is in slot 2
constexpr uint32_t kSecondPort = 10202;
constexpr uint32_t kNeItselfEntity = 1; // the NE's own alarms, on its root
constexpr uint32_t kOfflineAlarmBit = 0;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using List = CShdslPortListDlg;
using Port = CShdslPortDlg;

// The server refuses a request of the code: with `after`, once that many more have been served.
void Refuse(e2e::CProgram& program, uint32_t action, uint16_t code, uint32_t after = 0)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto control = EncodeRecord(SimControlRec{action, code, after, 0});
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqSimControl, 0, {control.begin(), control.end()}, kSimControlRecSize)));
}

ShdslPortRec ServerPort(e2e::CProgram& program, uint32_t port)
{
    for (const ShdslPortRec& rec : program.ServerRecords(kReqShdslPort, kNorth1)) {
        if (rec.entityId == port)
            return rec;
    }
    ADD_FAILURE() << "the server has no SHDSL port " << port;
    return {};
}

template <class Rec> void Write(e2e::CProgram& program, RequestCode<Rec> code, uint32_t neId, const Rec& rec)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto bytes = EncodeRecord(rec);
    ASSERT_TRUE(probe.ReplyTo(probe.Send(kEmsOpModify, code, neId, {bytes.begin(), bytes.end()}, kRecordSize<Rec>)));
}

const CNeRecord* North1()
{
    return AppData().nes.FindNeById(kNorth1);
}

// The eight port commands of the list: its button and its context menu entry.
struct PortCommand {
    int button;
    int popup;
};
constexpr PortCommand kPortCommands[] = {
    {kModifyButtonId, kPopupModify},
    {List::kVcVlanButtonId, List::kPopupVcVlan},
    {List::kRateStatusButtonId, List::kPopupRateStatus},
    {List::kCurrentPmButtonId, List::kPopupCurrentPm},
    {List::kHistoryPmButtonId, List::kPopupHistoryPm},
    {List::kLongTermPmButtonId, List::kPopupLongTermPm},
    {List::kProfileButtonId, List::kPopupProfile},
    {List::kResetButtonId, List::kPopupReset},
};

QString Cell(QTreeView& list, int row, int column)
{
    return e2e::ListColumn(list, column).value(row);
}

class ShdslE2eTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_.LoginAsAdminAt(QStringLiteral("North-1"))); }

    // Runs the script on the port list of North-1.
    // With the row's port selected (the commands are set anew when the selection changes), the buttons and the
    // context menu offer exactly the commands whose buttons are `offered`.
    void ExpectPortCommands(List& ports, QTreeView& list, int row, const std::vector<int>& offered)
    {
        program_.ClickListRow(list, row);
        const std::vector<int> menu = program_.RightClickListRow(list, row);
        for (const PortCommand& command : kPortCommands) {
            const bool on = std::find(offered.begin(), offered.end(), command.button) != offered.end();
            EXPECT_EQ(ports.IsControlEnabled(command.button), on) << "button " << command.button;
            EXPECT_EQ(std::find(menu.begin(), menu.end(), command.popup) != menu.end(), on)
                << "entry " << command.popup;
        }
    }

    template <class Script> void OnPortList(Script script)
    {
        e2e::COperator& person = program_.Operator();
        person.OnDialog<List>([&](List& ports) {
            script(ports, *ports.FindList(kListControlId));
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(kCmdShdslPorts));
        EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
    }

    e2e::CProgram program_;
};

TEST_F(ShdslE2eTest, TheOperatorGivesAPortANewLineProfileResetsItAndReadsItsRatesAndPm)
{
    e2e::COperator& person = program_.Operator();
    OnPortList([&](List& ports, QTreeView& list) {
        const QStringList slotPorts = e2e::ListColumn(list, List::kSlotPortColumn);
        ASSERT_FALSE(slotPorts.isEmpty());
        EXPECT_EQ(slotPorts.front(), QStringLiteral("2-1"));
        EXPECT_EQ(e2e::ListColumn(list, List::kNumberColumn).front(), QStringLiteral("1"));
        EXPECT_EQ(Cell(list, 0, List::kLineProfileColumn), QStringLiteral("shdsl-2m"));
        EXPECT_EQ(Cell(list, 0, List::kOperColumn), QStringLiteral("up"));
        EXPECT_EQ(e2e::CellImage(list, 1, List::kOperColumn), kImageLinkDown);
        EXPECT_FALSE(ports.IsControlEnabled(List::kResetButtonId)) << "no port is selected";
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(ports, QStringLiteral("shdsl_port_list")));

        // The first port takes the fixed-rate profile and is disabled.
        program_.ClickListRow(list, 0);
        EXPECT_TRUE(ports.IsControlEnabled(List::kResetButtonId));
        person.OnDialog<Port>([&](Port& port) {
            EXPECT_EQ(Field(port, Port::kPortLocationId), QStringLiteral("2-1"));
            EXPECT_EQ(e2e::ComboTexts(port, Port::kLineProfileComboId),
                      QStringLiteral(" <none>,shdsl-2m,shdsl-fixed-1m"));
            EXPECT_TRUE(port.IsControlEnabled(Port::kShowLineProfileId));
            // Long profile names: each list drops twice as wide as its combo.
            for (int id : {Port::kLineProfileComboId, Port::kPmThresholdComboId}) {
                auto* combo = port.GetDlgItemAs<QComboBox>(id);
                combo->showPopup();
                EXPECT_GE(combo->view()->window()->width(), 2 * combo->width()) << id;
                if (id == Port::kLineProfileComboId)
                    e2e::CProgram::SaveScreenshot(*combo->view()->window(), QStringLiteral("shdsl_port_line_profiles"));
                combo->hidePopup();
            }
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(port, QStringLiteral("shdsl_port")));
            EXPECT_TRUE(Choose(port, Port::kLineProfileComboId, QStringLiteral("shdsl-fixed-1m")));
            EXPECT_TRUE(Choose(port, Port::kPmThresholdComboId, QStringLiteral(" <none>")));
            EXPECT_FALSE(port.IsControlEnabled(Port::kShowPmThresholdId));
            e2e::Check(port, Port::kDisabledRadioId);
            Click(port, IDOK);
            EXPECT_TRUE(port.IsEnded());
        });
        Click(ports, kModifyButtonId);
        EXPECT_EQ(Cell(list, 0, List::kLineProfileColumn), QStringLiteral("shdsl-fixed-1m"));
        EXPECT_EQ(Cell(list, 0, List::kPmThresholdColumn), QString());
        EXPECT_EQ(Cell(list, 0, List::kAdminColumn), QStringLiteral("disabled"));
        EXPECT_EQ(e2e::CellImage(list, 0, List::kAdminColumn), kImageDisabled);
        // The disabled port's row turns grey; the enabled second port's does not.
        for (const auto& [row, grey] : {std::pair{0, true}, std::pair{1, false}}) {
            COLORREF text = 0, back = 0, back2 = 0;
            ports.GetItemColors(row, List::kLineProfileColumn, &text, &back, &back2, kListControlId);
            EXPECT_EQ(text == COLORREF{0x808080}, grey) << row;
        }
        const ShdslPortRec written = ServerPort(program_, kFirstPort);
        EXPECT_EQ(written.lineProfile, "shdsl-fixed-1m");
        EXPECT_EQ(written.pmThresholdProfile, "");
        EXPECT_EQ(written.enableState, 2u);
        EXPECT_EQ(written.operState, 1u) << "the server keeps the port's own state";

        // Reset, after the question.
        person.AnswerBox(IDYES);
        Click(ports, List::kResetButtonId);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to reset this line port?"));
        EXPECT_EQ(e2e::MessageLine(ports), QStringLiteral("Complete resetting the line port"));

        // Its rates follow the profile: 1032 kbit/s, annex B; it is the card's first port.
        person.OnDialog<CShdslRateStatusDlg>([&](CShdslRateStatusDlg& status) {
            QTreeView& values = *status.FindList(kListControlId);
            EXPECT_EQ(e2e::ListColumn(values, 1).mid(0, 3).join(','), QStringLiteral("1032,2312,Annex B"));
            EXPECT_FALSE(status.IsControlEnabled(CRateStatusDlg::kPreviousId));
            EXPECT_TRUE(status.IsControlEnabled(CRateStatusDlg::kNextId));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(status, QStringLiteral("shdsl_rate_status")));
            // The next port still has the 2 Mbit/s profile, annex A and B.
            Click(status, CRateStatusDlg::kNextId);
            EXPECT_EQ(status.GetTargetEntity().id, kSecondPort);
            EXPECT_EQ(e2e::ListColumn(values, 1).mid(0, 3).join(','), QStringLiteral("2312,2312,Annex A & B"));
            EXPECT_TRUE(status.IsControlEnabled(CRateStatusDlg::kPreviousId));
            return IDCANCEL;
        });
        Click(ports, List::kRateStatusButtonId);

        // Its current PM: eight rows, the elapsed seconds of both intervals.
        person.OnDialog<CShdslCurPmDlg>([&](CShdslCurPmDlg& pm) {
            QTreeView& rows = *pm.FindList(kListControlId);
            EXPECT_EQ(e2e::ListColumn(rows, 1).join(','), QStringLiteral("CO,RT,CO,RT,CO,RT,CO,RT"));
            EXPECT_EQ(e2e::ListTitles(rows).join('|'), QStringLiteral("Time Interval|Side|ESs|SESs|UASs|LOSWs|CRCs"));
            EXPECT_EQ(e2e::ListColumn(rows, 0).join('|'),
                      QStringLiteral("Current 15 Min||Previous 15 Min||Current 1 Day||Previous 1 Day|"));
            EXPECT_FALSE(Field(pm, CShdslCurPmDlg::k15MinElapsedId).isEmpty());
            EXPECT_FALSE(Field(pm, CShdslCurPmDlg::kDayElapsedId).isEmpty());
            EXPECT_NE(Cell(rows, 6, 2), QStringLiteral("0")) << "a whole previous day has errored seconds";
            EXPECT_FALSE(pm.IsControlEnabled(CLivePmListDlg::kGraphButtonId)) << "no auto-refresh";
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(pm, QStringLiteral("shdsl_current_pm")));
            return IDCANCEL;
        });
        Click(ports, List::kCurrentPmButtonId);

        // Its history: the CO intervals, then the RT ones.
        person.OnDialog<CShdslHisPmDlg>([&](CShdslHisPmDlg& pm) {
            const QStringList sides = e2e::ListColumn(*pm.FindList(kListControlId), CShdslHisPmDlg::kSideColumn);
            EXPECT_EQ(sides.size(), 32) << "16 intervals a side";
            EXPECT_EQ(e2e::ListTitles(*pm.FindList(kListControlId)).join('|'),
                      QStringLiteral("Create Time|Side|ESs|SESs|UASs|LOSs|CRC"));
            if (sides.isEmpty())
                return IDCANCEL;
            EXPECT_EQ(sides.front(), QStringLiteral("CO"));
            EXPECT_EQ(sides.back(), QStringLiteral("RT"));
            EXPECT_EQ(sides.count(QStringLiteral("CO")), sides.count(QStringLiteral("RT")));
            EXPECT_TRUE(pm.IsControlEnabled(CShdslHisPmDlg::kGraphButtonId));
            const auto graphOffered = [&] {
                const std::vector<int> offered = program_.RightClickListRow(*pm.FindList(kListControlId), 0);
                return std::find(offered.begin(), offered.end(), 33046) != offered.end();
            };
            EXPECT_TRUE(graphOffered()) << "the popup's Graph goes with the button";
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(pm, QStringLiteral("shdsl_history_pm")));
            // By time, the side breaking ties; descending turns both. The list's order is the time's, ascending, as
            // it opens: the first click turns it.
            QTreeView& list = *pm.FindList(kListControlId);
            for (const QString& order : {QStringLiteral("RT,CO"), QStringLiteral("CO,RT")}) {
                e2e::CProgram::ClickHeader(*list.header(), CShdslHisPmDlg::kCreateTimeColumn);
                const QStringList times = program_.ShownColumn(list, CShdslHisPmDlg::kCreateTimeColumn);
                EXPECT_EQ(times.value(0), times.value(1));
                EXPECT_EQ(program_.ShownColumn(list, CShdslHisPmDlg::kSideColumn).mid(0, 2).join(','), order);
            }
            // The RT side refused: the refresh stops there with the CO rows, and Graph stays off.
            Refuse(program_, kSimRefuseNextRequest, kReqShdslHistory.value, 1);
            Click(pm, kRefreshButtonId);
            const QStringList kept = e2e::ListColumn(*pm.FindList(kListControlId), CShdslHisPmDlg::kSideColumn);
            EXPECT_EQ(kept.count(QStringLiteral("CO")), 16);
            EXPECT_EQ(kept.count(QStringLiteral("RT")), 0);
            EXPECT_FALSE(pm.IsControlEnabled(CShdslHisPmDlg::kGraphButtonId));
            EXPECT_FALSE(graphOffered()) << "the popup's Graph goes with the button";
            EXPECT_EQ(person.boxTexts.empty() ? QString() : person.LastBoxText(),
                      QStringLiteral("Fail to query\n\n(32028) Request refused by the server"));
            return IDCANCEL;
        });
        Click(ports, List::kHistoryPmButtonId);
    });
}

TEST_F(ShdslE2eTest, WithoutASelectedPortRateStatusAsksForThePort)
{
    e2e::COperator& person = program_.Operator();
    OnPortList([&](List& ports, QTreeView&) {
        person.OnDialog<CXdslPortSelDlg>([&](CXdslPortSelDlg&) { return IDCANCEL; });
        Click(ports, List::kRateStatusButtonId);
    });
}

// The list's context menu offers the port commands on a row, and runs Reset Port on it.
TEST_F(ShdslE2eTest, TheContextMenuResetsTheRowsPort)
{
    e2e::COperator& person = program_.Operator();
    OnPortList([&](List& ports, QTreeView& list) {
        person.AnswerBox(IDYES);
        const std::vector<int> offered = program_.RightClickListRow(list, 2, List::kPopupReset);
        for (int command : {List::kPopupRateStatus, List::kPopupCurrentPm, List::kPopupHistoryPm, List::kPopupReset})
            EXPECT_NE(std::find(offered.begin(), offered.end(), command), offered.end()) << command;
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to reset this line port?"));
        EXPECT_EQ(e2e::MessageLine(ports), QStringLiteral("Complete resetting the line port"));
    });
}

// A subscriber given to a port from the context menu shows in the port's row as the subscriber dialog left it; the
// list is not read again (a read now would be refused).
TEST_F(ShdslE2eTest, ASubscriberGivenToAPortShowsInItsRow)
{
    e2e::COperator& person = program_.Operator();
    OnPortList([&](List& ports, QTreeView& list) {
        const int row = 1;
        EXPECT_EQ(e2e::ListColumn(list, List::kSubscriberColumn).value(row), QString());
        person.OnDialog<CSubscriberDataDlg>([&](CSubscriberDataDlg& data) {
            e2e::Type(data, CSubscriberDataDlg::kIdEditId, QStringLiteral("SUB-0420"));
            e2e::Type(data, CSubscriberDataDlg::kNameEditId, QStringLiteral("Dana Holm"));
            e2e::Check(data.ClassPage(), CSubscriberClassPage::kEnterpriseRadioId);
            e2e::Check(data.ClassPage(), CSubscriberClassPage::kPppoeRadioId);
            Refuse(program_, kSimRefuseNextRequest, kReqShdslPort.value);
            Click(data, IDOK);
            EXPECT_TRUE(data.IsEnded()) << e2e::MessageLine(data).toStdString();
        });
        const size_t boxes = person.boxTexts.size();
        program_.RightClickListRow(list, row, List::kPopupSubscriber);
        EXPECT_EQ(person.boxTexts.size(), boxes);
        EXPECT_EQ(e2e::ListColumn(list, List::kSubscriberColumn).value(row), QStringLiteral("SUB-0420"));
        EXPECT_EQ(e2e::ListColumn(list, List::kClassColumn).value(row), QStringLiteral("enterprise"));
        EXPECT_EQ(e2e::ListColumn(list, List::kServiceColumn).value(row), QStringLiteral("PPPoE"));
        // The refusal armed above is spent on a refresh, which the server refuses.
        Click(ports, kRefreshButtonId);
    });
}

// Template is an entry of the list's context menu that a port list does not act on: no dialog comes up and the list
// stays as it was.
TEST_F(ShdslE2eTest, TemplateInTheContextMenuOpensNothing)
{
    e2e::COperator& person = program_.Operator();
    OnPortList([&](List&, QTreeView& list) {
        const QStringList before = e2e::ListColumn(list, List::kSlotPortColumn);
        program_.RightClickListRow(list, 0, List::kPopupTemplate);
        EXPECT_TRUE(person.unscriptedDialogs.isEmpty())
            << person.unscriptedDialogs.join(QStringLiteral(", ")).toStdString();
        EXPECT_EQ(e2e::ListColumn(list, List::kSlotPortColumn), before);
    });
}

// A planned NE's ports can be given profiles, VC-to-VLAN settings and the NE's profiles seen, but have no line to
// reset or measure.
TEST_F(ShdslE2eTest, APlannedNesPortsOfferOnlyTheirSettings)
{
    OnPortList([&](List& ports, QTreeView& list) {
        ExpectPortCommands(ports, list, 1,
                           {kModifyButtonId, List::kVcVlanButtonId, List::kRateStatusButtonId, List::kCurrentPmButtonId,
                            List::kHistoryPmButtonId, List::kLongTermPmButtonId, List::kProfileButtonId,
                            List::kResetButtonId});
        std::vector<NeKeyRecord> keys = program_.ServerRecords(kReqNeKey);
        auto north = std::find_if(keys.begin(), keys.end(), [](const NeKeyRecord& key) { return key.neId == kNorth1; });
        ASSERT_NE(north, keys.end());
        north->plannedFlag = 1;
        Write(program_, kReqNeKey, 0, *north);
        ASSERT_TRUE(program_.WaitUntil([] { return North1() != nullptr && North1()->planned == 1; }));
        ExpectPortCommands(ports, list, 0, {kModifyButtonId, List::kVcVlanButtonId, List::kProfileButtonId});
    });
}

// An NE that drops off the network leaves its open port list with no port command.
TEST_F(ShdslE2eTest, AnUnconnectedNesPortsOfferNoCommand)
{
    OnPortList([&](List& ports, QTreeView& list) {
        server_test::CRawClient& probe = program_.ServerProbe();
        const auto offline = EncodeRecord(SimControlRec{kSimToggleAlarm, kNeItselfEntity, kOfflineAlarmBit, 0});
        ASSERT_TRUE(probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqSimControl, kNorth1, {offline.begin(), offline.end()}, kSimControlRecSize)));
        ASSERT_TRUE(program_.WaitUntil([] { return North1() != nullptr && !IsNeConnected(*North1()); }));
        ExpectPortCommands(ports, list, 1, {});
    });
}

// A port saved while its profile list could not be read keeps its profile: the list offers the port's own.
TEST_F(ShdslE2eTest, ARefusedProfileReadLeavesThePortsProfilesAsTheyWere)
{
    e2e::COperator& person = program_.Operator();
    OnPortList([&](List& ports, QTreeView& list) {
        program_.ClickListRow(list, 1);
        Refuse(program_, kSimRefuseNextRequest, kReqShdslLineProfile);
        person.OnDialog<Port>([&](Port& port) {
            EXPECT_EQ(person.boxTexts.empty() ? QString() : person.LastBoxText(),
                      QStringLiteral("Fail to query\n\n(32028) Request refused by the server"));
            EXPECT_EQ(e2e::ComboTexts(port, Port::kLineProfileComboId), QStringLiteral(" <none>,shdsl-2m"));
            EXPECT_EQ(e2e::ComboTexts(port, Port::kPmThresholdComboId),
                      QStringLiteral(" <none>,shdsl-alarm,shdsl-quiet"));
            Click(port, IDOK);
            EXPECT_TRUE(port.IsEnded());
        });
        Click(ports, kModifyButtonId);
        const ShdslPortRec kept = ServerPort(program_, kSecondPort);
        EXPECT_EQ(kept.lineProfile, "shdsl-2m");
        EXPECT_EQ(kept.pmThresholdProfile, "shdsl-alarm");
        EXPECT_EQ(Cell(list, 1, List::kLineProfileColumn), QStringLiteral("shdsl-2m"));
    });
}

// The live graph of the current 15 minutes: ten series, CO and RT, with the bottom axis titled under the plot.
TEST(ShdslLiveGraphE2eTest, TheCurrentPmFeedsTheLiveGraphWithItsAxisTitles)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer({.args = {}, .iniExtra = "[DIALOG]\nDIALOGREFRESHTIME=1\n"}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<List>([&](List& ports) {
        program.ClickListRow(*ports.FindList(kListControlId), 0);
        person.OnDialog<CShdslCurPmDlg>([&](CShdslCurPmDlg& pm) {
            e2e::Check(pm, CLivePmListDlg::kAutoRefreshId);
            program.ClickListRow(*pm.FindList(kListControlId), 0);
            EXPECT_TRUE(pm.IsControlEnabled(CLivePmListDlg::kGraphButtonId));
            person.OnDialog<CPmGraphDlg>([&](CPmGraphDlg& graph) {
                EXPECT_EQ(graph.GetSeriesCount(), 10u);
                EXPECT_TRUE(program.WaitUntil([&] { return graph.PointCount(0) >= 2; }));
                QChart& chart = *graph.GetDlgItemAs<QChartView>(1001)->chart();
                // Where the chart draws each axis title: the bottom one below the plot, the others beside it.
                auto titleAt = [&](const QString& text) {
                    for (QGraphicsItem* item : chart.scene()->items()) {
                        if (auto* shown = dynamic_cast<QGraphicsTextItem*>(item);
                            shown != nullptr && shown->isVisible() && shown->toPlainText() == text)
                            return shown->sceneBoundingRect();
                    }
                    return QRectF();
                };
                const QRectF plot = chart.mapToScene(chart.plotArea()).boundingRect();
                const QRectF bottom = titleAt(QStringLiteral("Elapsed Time (Seconds)"));
                EXPECT_GE(bottom.top(), plot.bottom()) << "under the plot";
                EXPECT_GT(bottom.center().x(), plot.left());
                EXPECT_LT(bottom.center().x(), plot.right());
                EXPECT_LE(titleAt(QStringLiteral("Seconds")).right(), plot.left());
                EXPECT_GE(titleAt(QStringLiteral("Frames")).left(), plot.right());
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(graph, QStringLiteral("shdsl_current_pm_graph")));
                return IDOK;
            });
            Click(pm, CLivePmListDlg::kGraphButtonId);
            e2e::Check(pm, CLivePmListDlg::kAutoRefreshId, false);
            return IDCANCEL;
        });
        Click(ports, List::kCurrentPmButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdShdslPorts));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The history's refresh asks for the current PM right (15), not the history one (16) that opens it: an operator who
// may read the history but not the current PM is told "No privilege" on the message line and reads no interval.
TEST(ShdslHistoryRightsE2eTest, TheHistoryRefreshAsksForTheCurrentPmRight)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    UserRightsRecord rights;
    rights.rights = {std::string(127, 'a'), std::string(127, 'm'), std::string(127, 'q')};
    rights.rights[2][15] = '-';
    Write(program, kReqUserRights, 0, rights);
    ASSERT_TRUE(program.Login("north", "north"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<List>([&](List& ports) {
        QTreeView& list = *ports.FindList(kListControlId);
        program.ClickListRow(list, 0);
        person.OnDialog<CShdslHisPmDlg>([&](CShdslHisPmDlg& pm) {
            EXPECT_FALSE(pm.IsEnded()) << "the history right opens it";
            EXPECT_EQ(e2e::ListColumn(*pm.FindList(kListControlId), CShdslHisPmDlg::kSideColumn).size(), 0);
            Click(pm, kRefreshButtonId);
            EXPECT_EQ(e2e::MessageLine(pm), QStringLiteral("No privilege"));
            EXPECT_EQ(e2e::ListColumn(*pm.FindList(kListControlId), CShdslHisPmDlg::kSideColumn).size(), 0);
            return IDCANCEL;
        });
        Click(ports, List::kHistoryPmButtonId);
        // The first refresh, as the history opened, told the list's message line.
        EXPECT_EQ(e2e::MessageLine(ports), QStringLiteral("No privilege"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdShdslPorts));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The Admin State and Oper State columns sort by their numbers, not their texts: enabled (1) before disabled (2), up
// (1) before down, ascending.
TEST_F(ShdslE2eTest, TheStateColumnsSortByTheirNumbers)
{
    ShdslPortRec second = ServerPort(program_, kSecondPort);
    second.enableState = 2;
    Write(program_, kReqShdslPort, kNorth1, second);
    OnPortList([&](List&, QTreeView& list) {
        const struct {
            int column;
            QString first;
            QString last;
        } columns[] = {{4, QStringLiteral("enabled"), QStringLiteral("disabled")},
                       {5, QStringLiteral("up"), QStringLiteral("down")}};
        for (const auto& c : columns) {
            e2e::CProgram::ClickHeader(*list.header(), c.column);
            const QStringList shown = e2e::ListColumn(list, c.column);
            EXPECT_EQ(shown.first(), c.first) << c.column;
            EXPECT_EQ(shown.last(), c.last) << c.column;
        }
    });
}

// The profile columns sort by the profiles' names, letter case aside: the first port's profiles, named in capitals,
// come after the second port's, named in small letters, whichever way the NE lists the ports. No. and Slot-Port sort
// by that order.
TEST_F(ShdslE2eTest, TheProfileColumnsSortByNameLetterCaseAsideAndThePortsByTheirOrder)
{
    // The ports as the NE has them before the profiles are added.
    const ShdslPortRec first = ServerPort(program_, kFirstPort);
    const ShdslPortRec second = ServerPort(program_, kSecondPort);
    for (const char* name : {"Upper-line", "lower-line"}) {
        ShdslLineProfileRec line;
        line.name = name;
        line.wireInterface = 2;
        line.minRate = 72000;
        line.maxRate = 2312000;
        line.annex = 0xC0;
        line.rowState = 1;
        Write(program_, kReqShdslLineProfileAdd, kNorth1, line);
    }
    for (const char* name : {"Upper-pm", "lower-pm"}) {
        ShdslPmThresholdProfileRec threshold;
        threshold.name = name;
        threshold.maxLoopAttenuation = 50;
        threshold.minSnrMargin = 7;
        threshold.rowState = 1;
        Write(program_, kReqShdslPmThresholdProfileAdd, kNorth1, threshold);
    }
    for (const auto& [port, profile] : {std::pair{first, "Upper"}, std::pair{second, "lower"}}) {
        ShdslPortRec rec = port;
        rec.lineProfile = std::string(profile) + "-line";
        rec.pmThresholdProfile = std::string(profile) + "-pm";
        Write(program_, kReqShdslPort, kNorth1, rec);
    }
    OnPortList([&](List&, QTreeView& list) {
        const struct {
            int column;
            QStringList ascending;
        } columns[] = {{List::kLineProfileColumn, {QStringLiteral("lower-line"), QStringLiteral("Upper-line")}},
                       {List::kPmThresholdColumn, {QStringLiteral("lower-pm"), QStringLiteral("Upper-pm")}}};
        for (const auto& c : columns) {
            e2e::CProgram::ClickHeader(*list.header(), c.column);
            QStringList shown = e2e::ListColumn(list, c.column);
            shown.removeIf([&](const QString& name) { return !c.ascending.contains(name); });
            EXPECT_EQ(shown, c.ascending) << c.column;
        }
        // No. and Slot-Port go by the order the NE lists the ports: more than nine of them, so 10 comes after 9.
        for (const int column : {List::kNumberColumn, List::kSlotPortColumn}) {
            e2e::CProgram::ClickHeader(*list.header(), List::kLineProfileColumn);
            for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(list, column, kImageSortAscending);
                 ++click)
                e2e::CProgram::ClickHeader(*list.header(), column);
            const QStringList numbers = e2e::ListColumn(list, List::kNumberColumn);
            const QStringList ports = e2e::ListColumn(list, List::kSlotPortColumn);
            ASSERT_GE(numbers.size(), 10);
            for (int row = 0; row < numbers.size(); ++row) {
                EXPECT_EQ(numbers[row], QString::number(row + 1)) << column;
                EXPECT_EQ(ports[row], QStringLiteral("2-%1").arg(row + 1)) << column;
            }
        }
    });
}

} // namespace
