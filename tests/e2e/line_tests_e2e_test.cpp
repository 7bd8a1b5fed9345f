// The line tests in the running program: from the Diagnosis menu the operator picks an ADSL port of a sample NE, runs
// its loop diagnosis with the port's line profile, watches the progress dialog, stops one run and lets another
// complete, and reads the result as lists and graphs that have the shape of the port's copper loop; loop monitoring
// succeeds on an ADSL2+ line and fails on an ADSL one with the NE's reason; the single-ended test is stopped at the NE
// and then finds the cable and the loop's reach; bits allocation lists and graphs the bits of each tone. The
// server's refusals come to the operator as the dialogs' failure boxes; Start is offered again only after a test whose
// end the dialog knows.

#include "tests/e2e/support/e2e_harness.h"

#include "core/util/time_record.h"
#include "features/performance/graphs/graph_dlg.h"
#include "features/performance/line_tests/xdsl_bits_allocation_dlg.h"
#include "features/performance/line_tests/xdsl_loop_diag_rate_dlg.h"
#include "features/performance/line_tests/xdsl_loop_diagnosis_dlg.h"
#include "features/performance/line_tests/xdsl_loop_monitoring_dlg.h"
#include "features/performance/line_tests/xdsl_selt_dlg.h"
#include "features/performance/line_tests/xdsl_test_progress_dlg.h"
#include "features/performance/port_selection/xdsl_port_sel_dlg.h"
#include "features/provisioning/profiles/adsl_line_profile_dlg.h"
#include "link/driver_mode.h"
#include "link/ems_msg.h"
#include "link/net_drv.h"
#include "link/pdu_log.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/bits_alloc_rec.h"
#include "link/records/line_test_ctrl_rec.h"
#include "link/records/loop_diag_ctrl_rec.h"
#include "link/records/loop_diag_result_rec.h"
#include "link/records/selt_result_rec.h"
#include "link/records/word_record.h"
#include "sim/pm/adsl_loop_model.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/export_dlg.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace {

constexpr int kCmdLoopDiagnosis = 33120;
constexpr int kCmdLoopMonitoring = 33147;
constexpr int kCmdSelt = 33184;
constexpr int kCmdBitsAllocation = 33115;
constexpr uint32_t kNorth1 = 1;
// Ports of North-1's ADSL card in slot 1: a long ADSL2+ loop of 26 AWG with a bridged tap of 550 feet, whose first
// notch lies near tone 69; and a line that trained with ADSL (G.992.1).
constexpr uint32_t kTappedPort = 21;
constexpr uint32_t kAdslPort = 8;
constexpr uint32_t kSlot1 = 10100;
constexpr int kChartId = 1001;
using e2e::Click;
using e2e::Field;
using Sel = CXdslPortSelDlg;
using Diag = CXdslLoopDiagnosisDlg;
using Monitoring = CXdslLoopMonitoringDlg;
using Selt = CXdslSeltDlg;
using Bits = CXdslBitsAllocationDlg;
using Progress = CXdslTestProgressDlg;
using Tones = CXdslBitsAllocationListDlg;

void QueryPort(Sel& selection, uint32_t port)
{
    EXPECT_TRUE(e2e::Choose(selection, Sel::kSlotComboId, QStringLiteral("1")));
    EXPECT_TRUE(e2e::Choose(selection, Sel::kPortComboId, QString::number(port)));
    Click(selection, IDOK);
}

std::vector<uint8_t> Bytes(const auto& rec)
{
    const auto bytes = EncodeRecord(rec);
    return {bytes.begin(), bytes.end()};
}

// What the server answers of a port for the code, on the NE's behalf.
template <class Rec> Rec ServerRow(e2e::CProgram& program, RequestCode<Rec> code, uint32_t port)
{
    const auto records = program.QueryServer(code, kNorth1, Bytes(WordRecord{port}), kWordRecordSize);
    Rec rec;
    if (records.empty() || !DecodeRecord(records[0].data(), records[0].size(), &rec))
        ADD_FAILURE() << "the server answered no record of code " << code << " for port " << port;
    return rec;
}

void RefuseNextChange(e2e::CProgram& program, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const std::vector<uint8_t> control = Bytes(SimControlRec{kSimRefuseNextChange, code, 0, 0});
    ASSERT_TRUE(probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0, control, kSimControlRecSize)));
}

// Works the progress dialog on a clock that runs fast: each step is five seconds to the dialog, so that it asks the
// NE every few hundred milliseconds while the NE tests the line in real time. With `stopAfterMs` the operator stops
// the test once the dialog has watched it that long.
void WatchTest(e2e::CProgram& program, Progress& progress, int64_t stopAfterMs = -1, const QString& screenshot = {})
{
    EXPECT_EQ(GetPduLogFlag(), 1) << "the PDU log window goes on showing what passes during a test";
    auto fastMs = std::make_shared<int64_t>(0);
    const TimeRec start = GetCurrentUtcTime();
    progress.SetClock([start, fastMs] {
        TimeRec now = start;
        AddMsToTimeRec(&now, *fastMs);
        return now;
    });
    for (int step = 0; step < 400 && !progress.IsEnded(); ++step) {
        if (stopAfterMs >= 0 && *fastMs >= stopAfterMs) {
            // The time the dialog has watched the test, as the operator sees it at its next tick.
            const QString elapsed = QString::number(*fastMs / 1000) + QStringLiteral(".000");
            EXPECT_TRUE(program.WaitUntil([&] { return Field(progress, Progress::kElapsedId) == elapsed; }))
                << Field(progress, Progress::kElapsedId).toStdString();
            if (!screenshot.isEmpty()) {
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(progress, screenshot));
            }
            Click(progress, Progress::kStopId);
            break;
        }
        *fastMs += 5000;
        program.WaitUntil([&] { return progress.IsEnded(); }, 100);
    }
    EXPECT_TRUE(progress.IsEnded());
}

// The values a tone page shows by tone, in tenths; tones without one are left out.
std::map<int, double> ToneValues(Tones& page, int column)
{
    const QTreeView& list = *page.FindList(kListControlId);
    const QStringList tones = e2e::ListColumn(list, Tones::kToneColumn);
    const QStringList values = e2e::ListColumn(list, column);
    std::map<int, double> shown;
    for (int row = 0; row < tones.size() && row < values.size(); ++row) {
        bool number = false;
        const double value = values[row].toDouble(&number);
        if (number)
            shown[tones[row].toInt()] = value;
    }
    return shown;
}

double Mean(const std::map<int, double>& values, int first, int last)
{
    double sum = 0;
    int count = 0;
    for (int tone = first; tone <= last; ++tone) {
        if (const auto it = values.find(tone); it != values.end()) {
            sum += it->second;
            ++count;
        }
    }
    return count == 0 ? 0 : sum / count;
}

// The titles of a graph's axes of one orientation that have one, joined by "|".
QString AxisTitles(CGraphDlg& graph, Qt::Orientation orientation)
{
    QStringList titles;
    for (const QAbstractAxis* axis : graph.GetDlgItemAs<QChartView>(kChartId)->chart()->axes(orientation)) {
        if (!axis->titleText().isEmpty())
            titles << axis->titleText();
    }
    return titles.join('|');
}

QString GraphHeading(CGraphDlg& graph)
{
    return QTextDocumentFragment::fromHtml(graph.GetDlgItemAs<QChartView>(kChartId)->chart()->title()).toPlainText();
}

void SelectTab(CATabDialog& dialog, int index)
{
    auto* bar = dialog.GetDlgItemAs<QTabBar>(Diag::kTabId);
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

class LineTestsE2eTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_.LoginAsAdminAt(QStringLiteral("North-1"))); }

    // Opens the command's dialog on the port through the port selection; the dialog runs its script.
    template <class Dlg, class Script> void OnPort(int command, uint32_t port, Script script)
    {
        e2e::COperator& person = program_.Operator();
        person.OnDialog<Sel>([&](Sel& selection) {
            person.OnDialog<Dlg>(script);
            QueryPort(selection, port);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(command));
        EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
        EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join('|').toStdString();
    }

    e2e::CProgram program_;
};

TEST_F(LineTestsE2eTest, ALoopDiagnosisIsStoppedOnceCompletedOnceAndShowsTheLoopsShape)
{
    const uint32_t port = kSlot1 + kTappedPort;
    const CAdslLoopModel loops;
    ASSERT_EQ(loops.Loop(port).bridgedTapFeet, 550u);
    e2e::COperator& person = program_.Operator();
    OnPort<Diag>(kCmdLoopDiagnosis, kTappedPort, [&](Diag& diag) {
        // The NE's profiles of a channel mode, the port's own chosen.
        AdslPortRec asked;
        asked.entityId = port;
        AdslPortRec portRec;
        const auto portRecords = program_.QueryServer(kReqAdslPort, kNorth1, Bytes(asked), kAdslPortRecSize);
        ASSERT_EQ(portRecords.size(), 1u);
        DecodeRecord(portRecords[0].data(), portRecords[0].size(), &portRec);
        EXPECT_EQ(Field(diag, Diag::kProfileComboId), QString::fromStdString(portRec.lineProfile));
        QStringList usable;
        for (const AdslLineProfileRec& profile : program_.ServerRecords(kReqAdslLineProfile, kNorth1)) {
            if (profile.channelMode == 2 || profile.channelMode == 3)
                usable << QString::fromStdString(profile.name);
        }
        EXPECT_EQ(e2e::ComboTexts(diag, Diag::kProfileComboId), usable.join(','));
        EXPECT_EQ(Field(diag, CLineTestControl::kStatusId), QStringLiteral("available"));
        EXPECT_TRUE(diag.IsControlEnabled(CLineTestControl::kStartId));
        EXPECT_FALSE(diag.IsControlEnabled(Diag::kGraphId));
        // Show: the chosen profile as the NE has it.
        person.OnDialog<CAdslLineProfileDlg>([&](CAdslLineProfileDlg& profile) {
            EXPECT_EQ(profile.GetRecord().name, portRec.lineProfile);
            EXPECT_FALSE(profile.IsControlEnabled(IDOK)) << "shown, not changed";
            return IDCANCEL;
        });
        Click(diag, Diag::kShowId);

        // The first run is stopped while the NE still tests the line: the NE's test is cancelled too.
        person.OnDialog<Progress>([&](Progress& progress) {
            EXPECT_EQ(progress.windowTitle(), QStringLiteral("Line Test")) << "its own caption, not the opener's";
            WatchTest(program_, progress, 15000, QStringLiteral("line_test_progress"));
        });
        Click(diag, CLineTestControl::kStartId);
        EXPECT_EQ(Field(diag, CLineTestControl::kStatusId), QStringLiteral("cancelled"));
        EXPECT_TRUE(diag.IsControlEnabled(CLineTestControl::kStartId));
        EXPECT_EQ(ServerRow(program_, kReqLoopDiagCtrl, port).testState, 4u);
        EXPECT_EQ(ServerRow(program_, kReqLoopDiagResult, port).validity, 0u);

        // The second run completes; the rate page shows what the NE measured.
        person.OnDialog<Progress>([&](Progress& progress) { WatchTest(program_, progress); });
        Click(diag, CLineTestControl::kStartId);
        EXPECT_EQ(Field(diag, CLineTestControl::kStatusId), QStringLiteral("succeeded"));
        EXPECT_EQ(Field(diag, CLineTestControl::kFailureReasonId), QString());
        const LoopDiagResultRec result = ServerRow(program_, kReqLoopDiagResult, port);
        EXPECT_EQ(result.validity, 2u);
        EXPECT_EQ(QString::fromStdString(result.lineProfile), QString::fromStdString(portRec.lineProfile));
        CXdslLoopDiagRateDlg& rates = diag.RatePage();
        const QStringList down = e2e::ListColumn(*rates.FindList(kListControlId), 1);
        const QStringList up = e2e::ListColumn(*rates.FindList(kListControlId), 2);
        EXPECT_EQ(down.value(0), QString::number(result.downAttainableRate));
        EXPECT_EQ(up.value(0), QString::number(result.upAttainableRate));
        EXPECT_EQ(down.value(1), QString::number(result.downLoopAttenuation));
        EXPECT_EQ(down.value(3), QString::number(result.downSnrMargin));
        EXPECT_EQ(up.value(4), QString::number(result.upTxPower));
        EXPECT_EQ(e2e::ListTitles(*rates.FindList(kListControlId)).join('|'),
                  QStringLiteral("Item|Downstream|Upstream"));
        EXPECT_EQ(
            e2e::ListColumn(*rates.FindList(kListControlId), 0).join('|'),
            QStringLiteral("Attainable Rate (bps)|Loop Attenuation (0.1 dB)|Signal Attenuation (0.1 dB)|SNR Margin "
                           "(0.1 dB)|Tx Power (0.1 dBm)"));
        EXPECT_FALSE(diag.IsControlEnabled(Diag::kGraphId)) << "the rate page has no graph";
        EXPECT_TRUE(diag.IsControlEnabled(kExportButtonId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(diag, QStringLiteral("loop_diagnosis_rate")));

        // The magnitude falls with frequency over the band and dips at the tap's notch; below the band nothing.
        SelectTab(diag, Diag::kMagnitudePage);
        EXPECT_TRUE(diag.IsControlEnabled(Diag::kGraphId));
        const std::map<int, double> hlog = ToneValues(diag.TonePage(Diag::kMagnitudePage), Tones::kDownstreamColumn);
        EXPECT_EQ(hlog.count(32), 0u);
        EXPECT_EQ(hlog.size(), 511u - 33u + 1u);
        EXPECT_GT(Mean(hlog, 33, 190), Mean(hlog, 191, 350));
        EXPECT_GT(Mean(hlog, 191, 350), Mean(hlog, 351, 511));
        EXPECT_LT(hlog.at(69), (hlog.at(41) + hlog.at(97)) / 2 - 2.0) << "the tap's notch";
        EXPECT_EQ(std::lround(hlog.at(100) * 10), 60 - (result.downHlog[200] | result.downHlog[201] << 8));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(diag, QStringLiteral("loop_diagnosis_magnitude")));

        // Its graph: upstream and downstream over the tones, the downstream falling.
        person.OnDialog<CGraphDlg>([&](CGraphDlg& graph) {
            const GraphData& data = graph.Data();
            EXPECT_EQ(data.labels.size(), 512u);
            ASSERT_EQ(data.series.size(), 2u);
            const GraphSeriesData& downstream = data.series[1];
            EXPECT_FALSE(downstream.points[20].has_value());
            EXPECT_GT(*downstream.points[40], *downstream.points[480]);
            // Headed by the dialog's caption, the port in it read as text.
            const QString title = graph.GetDlgItemAs<QChartView>(kChartId)->chart()->title();
            EXPECT_EQ(QTextDocumentFragment::fromHtml(title).toPlainText(),
                      diag.windowTitle() + QStringLiteral(" - Magnitude"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(graph, QStringLiteral("loop_diagnosis_graph")));
        });
        Click(diag, Diag::kGraphId);
        // Each tone page's graph: headed by the caption and the tab, the tones along the bottom, the page's unit up
        // the side (none for the magnitude).
        const struct {
            Diag::Page page;
            const char* tab;
            const char* unit;
        } graphs[] = {{Diag::kMagnitudePage, " - Magnitude", ""},
                      {Diag::kPsdPage, " - Quiet Line PSD", "dBm/Hz"},
                      {Diag::kSnrPage, " - SNR", "dB"}};
        for (const auto& graphed : graphs) {
            SelectTab(diag, graphed.page);
            person.OnDialog<CGraphDlg>([&](CGraphDlg& graph) {
                EXPECT_EQ(GraphHeading(graph), diag.windowTitle() + QString::fromLatin1(graphed.tab));
                EXPECT_EQ(AxisTitles(graph, Qt::Horizontal), QStringLiteral("Tone"));
                EXPECT_EQ(AxisTitles(graph, Qt::Vertical), QString::fromLatin1(graphed.unit)) << graphed.tab;
            });
            Click(diag, Diag::kGraphId);
        }

        // The SNR page, sorted by its downstream values; each page exported under its own stem and title.
        SelectTab(diag, Diag::kSnrPage);
        Tones& snr = diag.TonePage(Diag::kSnrPage);
        EXPECT_EQ(e2e::ListTitles(*snr.FindList(kListControlId)).join('|'),
                  QStringLiteral("Tone|Upstream (dB)|Downstream (dB)"));
        program_.ClickHeader(*snr.FindList(kListControlId)->header(), Tones::kDownstreamColumn);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(diag, QStringLiteral("loop_diagnosis_snr")));
        const struct {
            Diag::Page page;
            const char* stem;
            const char* title;
        } exports[] = {{Diag::kSnrPage, "LDSnr", "xDSL Loop Diagnosis - SNR"},
                       {Diag::kRatePage, "LDRate", "xDSL Loop Diagnosis - Rate"},
                       {Diag::kMagnitudePage, "LDMagnitude", "xDSL Loop Diagnosis - Magnitude"},
                       {Diag::kPsdPage, "LDPsd", "xDSL Loop Diagnosis - Quiet Line PSD"}};
        for (const auto& exported : exports) {
            SelectTab(diag, exported.page);
            person.OnDialog<CExportDlg>([&](CExportDlg& exporter) {
                EXPECT_EQ(exporter.GetStem(), exported.stem);
                EXPECT_EQ(exporter.GetExportTitle(), exported.title);
                return IDCANCEL;
            });
            Click(diag, kExportButtonId);
        }
        SelectTab(diag, Diag::kRatePage);
        EXPECT_FALSE(diag.IsControlEnabled(Diag::kGraphId));

        // The server refuses the next start: its reason in the failure box; the dialog cannot tell how the port
        // stands, so it keeps "processing" and offers no Start until it is opened again.
        RefuseNextChange(program_, kReqLoopDiagCtrl);
        Click(diag, CLineTestControl::kStartId);
        ASSERT_FALSE(person.boxTexts.empty());
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
        EXPECT_EQ(Field(diag, CLineTestControl::kStatusId), QStringLiteral("processing"));
        EXPECT_FALSE(diag.IsControlEnabled(CLineTestControl::kStartId));
        EXPECT_EQ(ServerRow(program_, kReqLoopDiagCtrl, port).testState, 2u) << "the last test stays the NE's";
    });
}

// The port cannot be read as the dialog opens: its first show ends there, the dialog stays open, and the port's test
// state is not asked.
TEST_F(LineTestsE2eTest, AFailedPortQueryEndsTheFirstShow)
{
    e2e::COperator& person = program_.Operator();
    server_test::CRawClient& probe = program_.ServerProbe();
    const std::vector<uint8_t> control = Bytes(SimControlRec{kSimRefuseNextRequest, kReqAdslPort.value, 0, 0});
    ASSERT_TRUE(probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0, control, kSimControlRecSize)));
    OnPort<Diag>(kCmdLoopDiagnosis, kTappedPort, [&](Diag& diag) {
        EXPECT_TRUE(!person.boxTexts.empty() && person.LastBoxText().startsWith(QStringLiteral("Fail to query")));
        EXPECT_FALSE(diag.IsEnded());
        EXPECT_EQ(diag.GetDlgItemAs<QTabBar>(Diag::kTabId)->count(), 0) << "no page added";
        EXPECT_EQ(Field(diag, CLineTestControl::kStatusId), QString()) << "the state was not asked";
        return IDCANCEL;
    });
}

// A port whose line profile the combo does not hold: the test starts with no profile, and the NE fails it.
TEST_F(LineTestsE2eTest, ATestStartedWithoutAProfileIsFailedByTheNe)
{
    e2e::COperator& person = program_.Operator();
    OnPort<Diag>(kCmdLoopDiagnosis, kTappedPort, [&](Diag& diag) {
        auto* combo = diag.GetDlgItemAs<QComboBox>(Diag::kProfileComboId);
        combo->setCurrentIndex(-1);
        person.OnDialog<Progress>([&](Progress& progress) { WatchTest(program_, progress); });
        Click(diag, CLineTestControl::kStartId);
        EXPECT_EQ(e2e::MessageLine(diag), QString());
        EXPECT_EQ(Field(diag, CLineTestControl::kStatusId), QStringLiteral("failed"));
        EXPECT_EQ(Field(diag, CLineTestControl::kFailureReasonId), QStringLiteral("profile nonexistent or disabled"));
        EXPECT_TRUE(diag.IsControlEnabled(CLineTestControl::kStartId));
        EXPECT_EQ(ServerRow(program_, kReqLoopDiagCtrl, kSlot1 + kTappedPort).lineProfile, "");
        return IDCANCEL;
    });
}

TEST_F(LineTestsE2eTest, LoopMonitoringSucceedsOnAnAdsl2LineAndFailsOnAnAdslOne)
{
    e2e::COperator& person = program_.Operator();
    OnPort<Monitoring>(kCmdLoopMonitoring, kTappedPort, [&](Monitoring& monitoring) {
        person.OnDialog<Progress>([&](Progress& progress) { WatchTest(program_, progress); });
        Click(monitoring, CLineTestControl::kStartId);
        EXPECT_EQ(Field(monitoring, CLineTestControl::kStatusId), QStringLiteral("succeeded"));
        EXPECT_TRUE(monitoring.IsControlEnabled(Monitoring::kGraphId));
        const std::map<int, double> qln =
            ToneValues(monitoring.TonePage(Monitoring::kMagnitudePage), Tones::kUpstreamColumn);
        EXPECT_EQ(qln.size(), 31u - 6u + 1u) << "the upstream band";
        // Both pages in tenths of a dB: one decimal, the unit in the titles.
        for (const Monitoring::Page page : {Monitoring::kMagnitudePage, Monitoring::kPsdPage}) {
            const QTreeView& list = *monitoring.TonePage(page).FindList(kListControlId);
            EXPECT_EQ(e2e::ListTitles(list).join('|'), QStringLiteral("Tone|Upstream (dB)|Downstream (dB)")) << page;
            const QString cell = e2e::ListColumn(list, Tones::kUpstreamColumn).value(10);
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?[0-9]+\\.[0-9]$")).match(cell).hasMatch())
                << cell.toStdString();
        }
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(monitoring, QStringLiteral("loop_monitoring")));
        // Each page exports under its own file stem and title.
        const struct {
            Monitoring::Page page;
            const char* stem;
            const char* title;
        } exports[] = {{Monitoring::kPsdPage, "LMPsd", "xDSL Loop Monitoring - Quiet Line PSD"},
                       {Monitoring::kMagnitudePage, "LMMagnitude", "xDSL Loop Monitoring - Magnitude"}};
        for (const auto& exported : exports) {
            SelectTab(monitoring, exported.page);
            person.OnDialog<CExportDlg>([&](CExportDlg& exporter) {
                EXPECT_EQ(exporter.GetStem(), exported.stem);
                EXPECT_EQ(exporter.GetExportTitle(), exported.title);
                return IDCANCEL;
            });
            Click(monitoring, kExportButtonId);
        }
        // The noise graph: the tones along the bottom, the noise's unit up the side.
        SelectTab(monitoring, Monitoring::kPsdPage);
        person.OnDialog<CGraphDlg>([&](CGraphDlg& graph) {
            EXPECT_EQ(GraphHeading(graph), monitoring.windowTitle() + QStringLiteral(" - Quiet Line PSD"));
            EXPECT_EQ(AxisTitles(graph, Qt::Horizontal), QStringLiteral("Tone"));
            EXPECT_EQ(AxisTitles(graph, Qt::Vertical), QStringLiteral("dBm/Hz"));
        });
        Click(monitoring, Monitoring::kGraphId);
        return IDCANCEL;
    });
    OnPort<Monitoring>(kCmdLoopMonitoring, kAdslPort, [&](Monitoring& monitoring) {
        person.OnDialog<Progress>([&](Progress& progress) { WatchTest(program_, progress); });
        Click(monitoring, CLineTestControl::kStartId);
        EXPECT_EQ(Field(monitoring, CLineTestControl::kStatusId), QStringLiteral("failed"));
        EXPECT_EQ(Field(monitoring, CLineTestControl::kFailureReasonId),
                  QStringLiteral("line standard not ADSL2/ADSL2+"));
        EXPECT_FALSE(monitoring.IsControlEnabled(Monitoring::kGraphId));
        EXPECT_TRUE(monitoring.IsControlEnabled(CLineTestControl::kStartId));
        return IDCANCEL;
    });
}

// A poll the NE leaves unanswered times out after three seconds: the progress dialog gives up and the operator reads
// why; the test's end is unknown, so the status stays "processing" and Start is not offered again.
TEST_F(LineTestsE2eTest, APollThatTimesOutEndsTheWaitAndLeavesTheTestProcessing)
{
    e2e::COperator& person = program_.Operator();
    OnPort<Monitoring>(kCmdLoopMonitoring, kTappedPort, [&](Monitoring& monitoring) {
        person.OnDialog<Progress>([&](Progress& progress) {
            // The next poll of the workstation's own session goes unanswered: the first.
            const auto control = EncodeRecord(SimControlRec{kSimStaySilent, 1, kReqLoopMonCtrl, 0});
            EmsMsg request;
            EmsMsg* reply = nullptr;
            BuildEmsMsg(&request, kEmsOpModify, kReqSimControl, kSimControlRecSize, control.data(), 0);
            EXPECT_EQ(GetCurrentDriver().RequestEmsMsg(&request, &reply, 0, -2, false), 0);
            WatchTest(program_, progress);
            EXPECT_EQ(progress.result(), IDCANCEL);
        });
        Click(monitoring, CLineTestControl::kStartId);
        ASSERT_FALSE(person.boxTexts.empty());
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to query")))
            << person.LastBoxText().toStdString();
        EXPECT_EQ(Field(monitoring, CLineTestControl::kStatusId), QStringLiteral("processing"));
        EXPECT_FALSE(monitoring.IsControlEnabled(CLineTestControl::kStartId));
    });
}

// The single-ended test has no stop command: Stop ends the wait alone, the NE's test runs on, and a Start while it
// runs finds the port occupied. Once it has ended the test runs to its result.
TEST_F(LineTestsE2eTest, TheSingleEndedTestRunsOnAfterStopAndThenFindsTheLoop)
{
    const uint32_t port = kSlot1 + kTappedPort;
    e2e::COperator& person = program_.Operator();
    OnPort<Selt>(kCmdSelt, kTappedPort, [&](Selt& selt) {
        person.OnDialog<Progress>([&](Progress& progress) { WatchTest(program_, progress, 10000); });
        Click(selt, CLineTestControl::kStartId);
        EXPECT_EQ(Field(selt, CLineTestControl::kStatusId), QStringLiteral("cancelled"));
        EXPECT_TRUE(selt.IsControlEnabled(CLineTestControl::kStartId));
        EXPECT_EQ(ServerRow(program_, kReqSeltCtrl, port).testState, 1u) << "no stop command went to the NE";
        Click(selt, CLineTestControl::kStartId);
        EXPECT_EQ(Field(selt, CLineTestControl::kStatusId), QStringLiteral("occupied"));
        EXPECT_EQ(e2e::MessageLine(selt), QStringLiteral("Fail to query"));
        EXPECT_FALSE(selt.IsControlEnabled(CLineTestControl::kStartId));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.WaitUntil([&] { return ServerRow(program_, kReqSeltCtrl, port).testState == 2u; }, 12000));
    OnPort<Selt>(kCmdSelt, kTappedPort, [&](Selt& selt) {
        EXPECT_EQ(Field(selt, CLineTestControl::kStatusId), QStringLiteral("available"));
        person.OnDialog<Progress>([&](Progress& progress) { WatchTest(program_, progress); });
        Click(selt, CLineTestControl::kStartId);
        EXPECT_EQ(Field(selt, CLineTestControl::kStatusId), QStringLiteral("succeeded"));
        const SeltResultRec result = ServerRow(program_, kReqSeltResult, port);
        EXPECT_EQ(Field(selt, Selt::kCableTypeId), QStringLiteral("26 AWG"));
        EXPECT_EQ(Field(selt, Selt::kReachLengthId), QString::number(result.reachLength));
        EXPECT_NEAR(result.reachLength, 6700, 6700 * 0.05);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(selt, QStringLiteral("selt")));
        return IDCANCEL;
    });
}

TEST_F(LineTestsE2eTest, BitsAllocationListsAndGraphsTheBitsOfEachToneAndKeepsTheOrderOnRefresh)
{
    const uint32_t port = kSlot1 + kTappedPort;
    e2e::COperator& person = program_.Operator();
    OnPort<Bits>(kCmdBitsAllocation, kTappedPort, [&](Bits& bits) {
        const BitsAllocRec server = ServerRow(program_, kReqBitsAlloc, port);
        const std::map<int, double> down = ToneValues(bits.Page(), Tones::kDownstreamColumn);
        const std::map<int, double> up = ToneValues(bits.Page(), Tones::kUpstreamColumn);
        ASSERT_EQ(down.size(), 512u);
        ASSERT_EQ(up.size(), 64u);
        for (int tone = 0; tone < 512; ++tone)
            EXPECT_EQ(down.at(tone), server.downBits[static_cast<size_t>(tone)]) << tone;
        EXPECT_EQ(up.at(10), server.upBits[10]);
        EXPECT_GT(down.at(60), down.at(500)) << "the short tones carry more";

        // Sorted by the downstream bits, most first; a refresh keeps that order.
        QTreeView& list = *bits.Page().FindList(kListControlId);
        EXPECT_EQ(e2e::ListTitles(list).join('|'), QStringLiteral("Tone|Upstream|Downstream"));
        program_.ClickHeader(*list.header(), Tones::kDownstreamColumn);
        program_.ClickHeader(*list.header(), Tones::kDownstreamColumn);
        const QStringList sorted = program_.ShownColumn(list, Tones::kDownstreamColumn);
        std::vector<int> bitsShown;
        for (const QString& cell : sorted)
            bitsShown.push_back(cell.toInt());
        EXPECT_TRUE(std::is_sorted(bitsShown.rbegin(), bitsShown.rend())) << sorted.join(',').toStdString();
        // Tones of equal bits turn with the order: the higher tone first.
        const QStringList tones = program_.ShownColumn(list, Tones::kToneColumn);
        for (int r = 1; r < tones.size(); ++r) {
            if (bitsShown[static_cast<size_t>(r)] == bitsShown[static_cast<size_t>(r - 1)]) {
                EXPECT_GT(tones[r - 1].toInt(), tones[r].toInt()) << "row " << r;
            }
        }
        EXPECT_EQ(bitsShown.front(), *std::max_element(server.downBits.begin(), server.downBits.end()));
        Click(bits, kRefreshButtonId);
        EXPECT_EQ(program_.ShownColumn(list, Tones::kDownstreamColumn), sorted);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(bits, QStringLiteral("bits_allocation")));

        person.OnDialog<CGraphDlg>([&](CGraphDlg& graph) {
            ASSERT_EQ(graph.Data().series.size(), 2u);
            EXPECT_EQ(graph.Data().labels.front(), "0") << "drawn by tone, whatever the list's order";
            EXPECT_EQ(GraphHeading(graph), bits.windowTitle());
            EXPECT_EQ(AxisTitles(graph, Qt::Horizontal), QStringLiteral("Tone"));
            EXPECT_EQ(AxisTitles(graph, Qt::Vertical), QStringLiteral("Bits"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(graph, QStringLiteral("bits_allocation_graph")));
        });
        Click(bits, Bits::kGraphId);
        EXPECT_EQ(program_.ShownColumn(list, Tones::kDownstreamColumn), sorted) << "the list's order back";
        person.OnDialog<CExportDlg>([&](CExportDlg& exporter) {
            EXPECT_EQ(exporter.GetStem(), "xDslBits");
            return IDCANCEL;
        });
        Click(bits, kExportButtonId);
        const auto offers = [&](int command) {
            const std::vector<int> offered = program_.RightClickListRow(list, 0);
            return std::find(offered.begin(), offered.end(), command) != offered.end();
        };
        EXPECT_TRUE(offers(33046) && offers(33024)) << "the page's popup: Graph and Export of its data";

        // A refresh the server refuses leaves every tone "--"; Graph and Export stay offered.
        server_test::CRawClient& probe = program_.ServerProbe();
        const std::vector<uint8_t> control = Bytes(SimControlRec{kSimRefuseNextRequest, kReqBitsAlloc.value, 0, 0});
        ASSERT_TRUE(probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0, control, kSimControlRecSize)));
        Click(bits, kRefreshButtonId);
        EXPECT_EQ(ToneValues(bits.Page(), Tones::kDownstreamColumn).size(), 0u);
        EXPECT_TRUE(bits.IsControlEnabled(Bits::kGraphId));
        EXPECT_TRUE(bits.IsControlEnabled(kExportButtonId));
        EXPECT_FALSE(offers(33046)) << "no data to draw in the page's popup";
        EXPECT_FALSE(offers(33024)) << "no data to export in the page's popup";
    });
}

} // namespace
