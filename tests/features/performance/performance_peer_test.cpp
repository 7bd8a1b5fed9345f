// The performance dialogs against a peer that answers from a script: the order of the requests on the wire, what of
// the answered records the lists keep (the spoofed addresses, the long-term items in collection, the line profiles a
// loop diagnosis may run with), and the name each list exports under.

#include "tests/core/temp_file_test.h"
#include "tests/features/performance/performance_test_support.h"
#include "tests/platform/qt_test_app.h"
#include "tests/ui/framework/framework_test_support.h"

#include "core/tables/access_rights.h"
#include "features/performance/graphs/pm_graph_dlg.h"
#include "features/performance/line_tests/xdsl_bits_allocation_dlg.h"
#include "features/performance/line_tests/xdsl_loop_diagnosis_dlg.h"
#include "features/performance/line_tests/xdsl_test_progress_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_list_dlg.h"
#include "features/performance/pm/adsl_current_pm_dlg.h"
#include "features/performance/pm/adsl_history_pm_dlg.h"
#include "features/performance/pm/shdsl_cur_pm_dlg.h"
#include "features/performance/pm/shdsl_his_pm_dlg.h"
#include "features/performance/pm/trunk_port_pm_dlg.h"
#include "features/performance/rate_status/adsl_rate_status_dlg.h"
#include "features/performance/rate_status/shdsl_rate_status_dlg.h"
#include "features/performance/status_lists/dhcp_transaction_list_dlg.h"
#include "features/performance/status_lists/multicast_channel_status_dlg.h"
#include "features/performance/status_lists/multicast_group_member_dlg.h"
#include "features/performance/status_lists/xdsl_broadcast_filter_dlg.h"
#include "features/performance/status_lists/xdsl_fdb_list_dlg.h"
#include "features/performance/status_lists/xdsl_mac_spoof_status_list_dlg.h"
#include "link/records/adsl_block_pm_rec.h"
#include "link/records/adsl_current_pm_rec.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/long_term_pm_item_rec.h"
#include "link/records/mac_spoof_rec.h"
#include "link/records/request_codes.h"
#include "link/records/trunk_pm_rec.h"
#include "link/records/xdsl_pm_interval_rec.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"
#include "ui/framework/lists/export_dlg.h"

#include <QAbstractButton>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QTreeView>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kNeItself = 1;
constexpr uint32_t kTrunkPort = 10501; // the first of the control module

class PerformancePeerTest : public perf_test::CNorth1DialogTest {};

using Requests = std::vector<std::pair<uint16_t, uint32_t>>;

// The codes the peer was sent, each with the 32-bit word at `offset` of its record.
Requests Sent(const perf_test::CScriptedPeer& peer, size_t offset)
{
    Requests sent;
    for (const perf_test::CScriptedPeer::Sent& request : peer.SentRequests()) {
        uint32_t word = 0;
        if (request.record.size() >= offset + 4)
            std::memcpy(&word, request.record.data() + offset, 4);
        sent.emplace_back(request.code, word);
    }
    return sent;
}

// The codes the peer was sent that went elsewhere than to NE id `neId`.
std::vector<uint16_t> SentElsewhere(const perf_test::CScriptedPeer& peer, uint32_t neId)
{
    std::vector<uint16_t> codes;
    for (const perf_test::CScriptedPeer::Sent& request : peer.SentRequests())
        if (request.neId != neId)
            codes.push_back(request.code);
    return codes;
}

struct OrderCase {
    const char* dialog;
    std::function<std::unique_ptr<CADialog>()> make;
    uint32_t target;
    size_t offset; // of the word told with each code: the side, or the port
    Requests asked;
};

template <class Dlg> std::function<std::unique_ptr<CADialog>()> Make()
{
    return [] { return std::make_unique<Dlg>(); };
}

// As each opens: the CO side (1) before the RT side (2), the counters before the stored intervals.
TEST_F(PerformancePeerTest, ThePmDialogsAskTheCoSideFirst)
{
    const uint32_t adsl = perf_test::kAdslPort;
    const OrderCase cases[] = {
        {"SHDSL current PM",
         Make<CShdslCurPmDlg>(),
         perf_test::kShdslPort,
         4,
         {{810, 1}, {810, 2}, {811, 1}, {811, 2}}},
        {"SHDSL history PM", Make<CShdslHisPmDlg>(), perf_test::kShdslPort, 4, {{811, 1}, {811, 2}}},
        {"ADSL history PM", Make<CAdslHistoryPmDlg>(), adsl, 0, {{616, adsl}, {617, adsl}}},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.dialog);
        perf_test::CScriptedPeer peer;
        peer.Answer(kReqShdslPm, std::vector<ShdslPmRec>(1));
        peer.Answer(kReqShdslHistory, std::vector<ShdslIntervalRec>(1));
        std::unique_ptr<CADialog> dialog = c.make();
        Run(*dialog, c.target);
        EXPECT_EQ(Sent(peer, c.offset), c.asked);
    }
}

// The previous 15 minutes of a side whose stored intervals come without a record stay as reset, their blocks "0"; a
// side whose interval came shows none ("--").
TEST_F(PerformancePeerTest, APreviousIntervalNotAnsweredStaysReset)
{
    for (const bool coAnswered : {false, true}) {
        SCOPED_TRACE(coAnswered);
        perf_test::CScriptedPeer peer;
        peer.Answer(kReqAdslPmCo, std::vector<AdslCurrentPmRec>(1));
        peer.Answer(kReqAdslPmRt, std::vector<AdslCurrentPmRec>(1));
        peer.Answer(kReqAdslBlockCo, std::vector<AdslBlockPmRec>(1));
        peer.Answer(kReqAdslBlockRt, std::vector<AdslBlockPmRec>(1));
        if (coAnswered)
            peer.Answer(kReqAdslHistoryCo, std::vector<XdslPmIntervalRec>(1));
        CAdslCurrentPmDlg pm;
        Run(pm, perf_test::kAdslPort, [&] {
            const QAbstractItemModel& rows = *pm.FindList(kListControlId)->model();
            for (int column = CAdslCurrentPmDlg::kTxBlocksColumn; column <= CAdslCurrentPmDlg::kUncorrectedColumn;
                 ++column) {
                EXPECT_EQ(rows.index(2, column).data().toString(),
                          coAnswered ? QStringLiteral("--") : QStringLiteral("0"))
                    << "column " << column;
                EXPECT_EQ(rows.index(3, column).data().toString(), QStringLiteral("0")) << "column " << column;
            }
        });
    }
}

// The trunk port's live graph as the operator opens it under the CHART keys: the title of at most 80 characters, the
// points of at most 30000, CHART/MAXPOINT for 0 (the absent key is a row of the live graphs' table).
TEST_F(PerformancePeerTest, TheTrunkGraphTakesItsTitleAndPointsWithinTheirBounds)
{
    const struct {
        std::string keys;
        size_t titleShown;
        uint32_t points;
    } rows[] = {
        {"TRUNKTRAFFIC=" + std::string(80, 't') + "\nTRUNKTRAFFICMAXPOINT=30000\n", 80, 30000},
        {"TRUNKTRAFFIC=" + std::string(81, 't') + "\nTRUNKTRAFFICMAXPOINT=30001\n", 80, 30000},
        {"TRUNKTRAFFICMAXPOINT=0\nMAXPOINT=250\n", 0, 250},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keys);
        CTempDir dir(true);
        WriteText(dir.Path() / "Tarvik.ini", "[CHART]\n" + row.keys);
        perf_test::CScriptedPeer peer;
        peer.Answer(kReqTrunkPm, std::vector<TrunkPmRec>{TrunkPmRec{kTrunkPort, {}, {}, 0, 0}});
        CTrunkPortPmDlg pm;
        uint32_t points = 0;
        QString title = QStringLiteral("-");
        Run(pm, kTrunkPort, [&] {
            pm.GetDlgItemAs<QAbstractButton>(CTrunkPortPmDlg::kAutoRefreshId)->setChecked(true);
            pm.OnCommand(CTrunkPortPmDlg::kAutoRefreshId, BN_CLICKED);
            QTreeView& list = *pm.FindList(kListControlId);
            list.setCurrentIndex(list.model()->index(0, 0));
            runner_.Push([&](QDialog& shown) {
                if (auto* graph = dynamic_cast<CPmGraphDlg*>(&shown)) {
                    EXPECT_TRUE(PumpUntil([&] { return graph->IsFirstShowDone(); }));
                    points = graph->GetMaxPoints();
                    // The key's text heads the chart, above the dialog's heading.
                    const QString heading = graph->findChild<QChartView*>()->chart()->title();
                    title = heading.contains(QStringLiteral("<br>")) ? heading.section(QStringLiteral("<br>"), 0, 0)
                                                                     : QString();
                }
                return IDCANCEL;
            });
            pm.OnCommand(CTrunkPortPmDlg::kGraphButtonId, BN_CLICKED);
        });
        EXPECT_EQ(points, row.points);
        EXPECT_EQ(title, QString(static_cast<qsizetype>(row.titleShown), 't'));
    }
}

MacSpoofRec Spoofed(uint8_t last, uint32_t status)
{
    MacSpoofRec rec;
    rec.mac = {0, 0x11, 0x22, 0x33, 0, last};
    rec.portId = perf_test::kAdslPort;
    rec.vpi = 8;
    rec.vci = 35;
    rec.status = status;
    return rec;
}

int RowCount(CADialog& dialog)
{
    return dialog.FindList(kListControlId)->model()->rowCount();
}

// The spoofed addresses are those learned active (2) or inactive (3), with an address; the list keeps 5377 of them.
TEST_F(PerformancePeerTest, TheSpoofedAddressesListed)
{
    struct Case {
        const char* name;
        std::vector<MacSpoofRec> answered;
        int rows;
    };
    const Case cases[] = {
        {"by status", {Spoofed(1, 1), Spoofed(2, 2), Spoofed(3, 3), Spoofed(4, 4), Spoofed(5, 0)}, 2},
        {"without an address", {Spoofed(0, 2), MacSpoofRec{{}, perf_test::kAdslPort, 8, 35, 0, 2}}, 1},
        {"5377", std::vector<MacSpoofRec>(5377, Spoofed(7, 2)), 5377},
        {"5378", std::vector<MacSpoofRec>(5378, Spoofed(7, 3)), 5377},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        perf_test::CScriptedPeer peer;
        peer.Answer(kReqMacSpoof, c.answered);
        CXdslMacSpoofStatusListDlg spoofs;
        Run(spoofs, kNeItself, [&] { EXPECT_EQ(RowCount(spoofs), c.rows); });
    }
}

// The long-term items listed are those in collection, state 48.
TEST_F(PerformancePeerTest, TheLongTermItemsInCollectionAreListed)
{
    perf_test::CScriptedPeer peer;
    std::vector<LongTermPmItemRec> answered;
    for (const auto& [port, state] : {std::pair{1u, uint8_t{48}}, std::pair{2u, uint8_t{49}},
                                      std::pair{3u, uint8_t{48}}, std::pair{4u, uint8_t{47}}})
        answered.push_back({perf_test::kAdslPort - 5 + port, state, 1700000000, 1700086400});
    peer.Answer(kReqLongTermPmItem, answered);
    CXdslLongTermPmListDlg items;
    Run(items, kNeItself, [&] { EXPECT_EQ(RowCount(items), 2); });
}

// A loop diagnosis may run with the fast (2) and the interleaved (3) line profiles, and with no other.
// The loop diagnosis offers the NE's line profiles of channel modes 2 and 3, read at the NE; with none of them it
// closes with "No any profile".
TEST_F(PerformancePeerTest, TheLoopDiagnosisOffersTheFastAndInterleavedProfiles)
{
    const struct {
        std::vector<uint32_t> modes;
        const char* offered;
        bool closed;
    } rows[] = {
        {{1, 2, 3, 4}, "mode 2,mode 3", false},
        {{2}, "mode 2", false},
        {{1, 4}, "", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.offered);
        perf_test::CScriptedPeer peer;
        std::vector<AdslLineProfileRec> profiles;
        for (uint32_t mode : row.modes) {
            profiles.emplace_back();
            profiles.back().name = "mode " + std::to_string(mode);
            profiles.back().channelMode = mode;
        }
        peer.Answer(kReqAdslLineProfile, profiles);
        CXdslLoopDiagnosisDlg diagnosis;
        QString shown = QStringLiteral("-");
        Run(diagnosis, perf_test::kAdslPort, [&] {
            const auto* combo = diagnosis.GetDlgItemAs<QComboBox>(CXdslLoopDiagnosisDlg::kProfileComboId);
            QStringList offered;
            for (int i = 0; i < combo->count(); ++i)
                offered << combo->itemText(i);
            shown = offered.join(',');
            // (A port the peer does not answer for closes it later, with "No data".)
            EXPECT_EQ(diagnosis.GetMessageText() == QStringLiteral("No any profile"), row.closed)
                << diagnosis.GetMessageText().toStdString();
        });
        EXPECT_EQ(shown, QString::fromLatin1(row.offered));
        EXPECT_EQ(Sent(peer, 0).front().first, kReqAdslLineProfile.value);
        EXPECT_EQ(SentElsewhere(peer, perf_test::kNe), std::vector<uint16_t>{});
    }
}

// Milliseconds from the first request of `first` to the next one of `then` after it; -1 when there is none.
int64_t MsBetween(const perf_test::CScriptedPeer& peer, uint16_t first, uint16_t then)
{
    const std::vector<perf_test::CScriptedPeer::Sent> sent = peer.SentRequests();
    const auto from = std::find_if(sent.begin(), sent.end(), [&](const auto& s) { return s.code == first; });
    const auto to = std::find_if(from, sent.end(), [&](const auto& s) { return s.code == then; });
    if (from == sent.end() || to == sent.end())
        return -1;
    return std::chrono::duration_cast<std::chrono::milliseconds>(to->at - from->at).count();
}

// The line is read again 2 seconds after a transit to L0, 3 seconds after one to L2 or L3.
TEST_F(PerformancePeerTest, TheRateStatusIsReadAgainOnceTheLineHasMadeItsTransit)
{
    for (const auto& [button, waitMs] :
         {std::pair{CAdslRateStatusDlg::kToL0Id, 2000}, std::pair{CAdslRateStatusDlg::kToL2Id, 3000},
          std::pair{CAdslRateStatusDlg::kToL3Id, 3000}}) {
        SCOPED_TRACE(button);
        perf_test::CScriptedPeer peer;
        CAdslRateStatusDlg status;
        Run(status, perf_test::kAdslPort, [&] {
            status.OnCommand(button, BN_CLICKED);
            EXPECT_EQ(status.Timers().Interval(CAdslRateStatusDlg::kTransitTimer), waitMs);
            EXPECT_EQ(MsBetween(peer, kReqAdslPowerState, kReqAdslRateStatus), -1);
            status.OnTimer(CAdslRateStatusDlg::kTransitTimer);
            EXPECT_TRUE(PumpUntil([&] { return MsBetween(peer, kReqAdslPowerState, kReqAdslRateStatus) >= 0; }, 8000));
        });
    }
}

// A poll of the progress dialog that the NE leaves unanswered gives up after three seconds.
TEST_F(PerformancePeerTest, AnUnansweredPollGivesUpAfterThreeSeconds)
{
    perf_test::CScriptedPeer peer;
    peer.Silence(kReqLoopDiagCtrl);
    CXdslTestProgressDlg progress(LineTestKind::kLoopDiagnosis);
    int64_t nowMs = 0;
    progress.SetClock([&nowMs] {
        TimeRec now{20000, 0};
        AddMsToTimeRec(&now, nowMs);
        return now;
    });
    Run(progress, perf_test::kAdslPort, [&] {
        nowMs = 10000;
        const auto before = std::chrono::steady_clock::now();
        progress.OnTimer(CXdslTestProgressDlg::TimerOf(LineTestKind::kLoopDiagnosis));
        const auto waited =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - before).count();
        EXPECT_TRUE(progress.IsEnded());
        EXPECT_GE(waited, 3000);
        EXPECT_LT(waited, 4500);
    });
}

// Export hands each list to the Export dialog under the list's own file name, TAB-delimited; every request of each
// list, as it opens and refreshes, goes to the dialog's NE.
TEST_F(PerformancePeerTest, EachListIsExportedUnderItsOwnName)
{
    struct Case {
        std::function<std::unique_ptr<CADialog>()> make;
        uint32_t target;
        const char* stem;
    };
    const uint32_t adsl = perf_test::kAdslPort;
    const uint32_t shdsl = perf_test::kShdslPort;
    const Case cases[] = {
        {Make<CAdslCurrentPmDlg>(), adsl, "xDslPmC"},
        {Make<CAdslHistoryPmDlg>(), adsl, "xDslPmH"},
        {Make<CAdslRateStatusDlg>(), adsl, "AdslRateStatus"},
        {Make<CShdslCurPmDlg>(), shdsl, "ShdslPmC"},
        {Make<CShdslHisPmDlg>(), shdsl, "ShdslPmH"},
        {Make<CShdslRateStatusDlg>(), shdsl, "ShdslRateStatus"},
        {Make<CTrunkPortPmDlg>(), kTrunkPort, "GigaPmC"},
        {Make<CXdslLongTermPmListDlg>(), kNeItself, "xDslPmFl"},
        {Make<CXdslLongTermPmDlg>(), adsl, "xDslPmS"},
        {Make<CXdslBitsAllocationDlg>(), adsl, "xDslBits"},
        {Make<CXdslBroadcastFilterDlg>(), kNeItself, "xDslBcFlt"},
        {Make<CDhcpTransactionListDlg>(), kNeItself, "xDslDhcpSession"},
        {Make<CXdslFdbListDlg>(), kNeItself, "xDslFdb"},
        {Make<CXdslMacSpoofStatusListDlg>(), kNeItself, "MacSpoof"},
        {Make<CMulticastChannelStatusDlg>(), kNeItself, "xDslIdbPort"},
        {Make<CMulticastGroupMemberDlg>(), kNeItself, "xDslIdbSvr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stem);
        perf_test::CScriptedPeer peer;
        std::unique_ptr<CADialog> dialog = c.make();
        std::string stem;
        char delimiter = 0;
        Run(*dialog, c.target, [&] {
            ASSERT_FALSE(dialog->IsEnded());
            runner_.Push([&](QDialog& shown) {
                const auto* exporting = dynamic_cast<CExportDlg*>(&shown);
                if (exporting != nullptr) {
                    stem = exporting->GetStem();
                    delimiter = exporting->GetDelimiter();
                }
                return IDCANCEL;
            });
            dialog->OnCommand(kExportButtonId, BN_CLICKED);
        });
        EXPECT_EQ(stem, c.stem);
        EXPECT_EQ(delimiter, '\t');
        EXPECT_FALSE(peer.SentRequests().empty());
        EXPECT_EQ(SentElsewhere(peer, perf_test::kNe), std::vector<uint16_t>{});
    }
}

} // namespace
