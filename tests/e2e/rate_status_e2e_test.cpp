// The ADSL rate status in the running program: the operator opens it on a port of a sample NE, reads the line's
// status as the NE has it, pages through the ports of the line card, takes a line into L2 and back into L0 and sees
// its rates follow, finds the transitions closed on a line whose power the NE manages, and reads the server's reason
// when it refuses one.

#include "tests/e2e/support/e2e_harness.h"

#include "features/performance/port_selection/xdsl_port_sel_dlg.h"
#include "features/performance/rate_status/adsl_rate_status_dlg.h"
#include "features/performance/rate_status/rate_status_dlg.h"
#include "link/pdu_log.h"
#include "link/records/adsl_rate_status_rec.h"
#include "link/records/word_record.h"
#include "sim/server/sim_control.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCmdRateStatus = 33124;
constexpr uint32_t kNorth1 = 1;
constexpr uint32_t kManualPort = 10121; // North-1 slot 1, port 21: the NE leaves its power to the operator
constexpr uint32_t kAutomaticPort = 7;  // the NE manages this one's power
using e2e::Click;
using e2e::Field;
using Sel = CXdslPortSelDlg;
using Status = CAdslRateStatusDlg;
using Frame = CRateStatusDlg; // the paging and the port's location are the rate status frame's

enum Row { kCurrentRate, kPreviousRate, kAttainableRate, kLineStandard = 8, kPowerMgmtMode, kPowerState };

QString Cell(Status& status, int row, int column)
{
    return e2e::ListColumn(*status.FindList(kListControlId), column).value(row);
}

std::vector<uint8_t> Bytes(const auto& rec)
{
    const auto bytes = EncodeRecord(rec);
    return {bytes.begin(), bytes.end()};
}

AdslRateStatusRec ServerStatus(e2e::CProgram& program, uint32_t port)
{
    const auto records = program.QueryServer(kReqAdslRateStatus, kNorth1, Bytes(WordRecord{port}), kWordRecordSize);
    AdslRateStatusRec rec;
    if (records.empty() || !DecodeRecord(records[0].data(), records[0].size(), &rec))
        ADD_FAILURE() << "the server has no status of port " << port;
    return rec;
}

void QueryPort(Sel& selection, uint32_t port)
{
    EXPECT_TRUE(e2e::Choose(selection, Sel::kSlotComboId, QStringLiteral("1")));
    EXPECT_TRUE(e2e::Choose(selection, Sel::kPortComboId, QString::number(port)));
    Click(selection, IDOK);
}

class RateStatusE2eTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_.LoginAsAdminAt(QStringLiteral("North-1"))); }

    template <class Script> void OnPort(uint32_t port, Script script)
    {
        e2e::COperator& person = program_.Operator();
        person.OnDialog<Sel>([&](Sel& selection) {
            person.OnDialog<Status>(script);
            QueryPort(selection, port);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(kCmdRateStatus));
        EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
        EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join('|').toStdString();
    }

    e2e::CProgram program_;
};

TEST_F(RateStatusE2eTest, ALineGoesIntoL2AndBackIntoL0AndItsRatesFollow)
{
    e2e::COperator& person = program_.Operator();
    OnPort(kManualPort % 100, [&](Status& status) {
        const AdslRateStatusRec server = ServerStatus(program_, kManualPort);
        EXPECT_EQ(Cell(status, kCurrentRate, 1), QString::number(server.downCurrentRate / 1000));
        EXPECT_EQ(Cell(status, kCurrentRate, 2), QString::number(server.upCurrentRate / 1000));
        EXPECT_EQ(Cell(status, kAttainableRate, 1), QString::number(server.downAttainableRate / 1000));
        EXPECT_EQ(Cell(status, kLineStandard, 1), QStringLiteral("G.992.5 AnnexA"));
        EXPECT_EQ(Cell(status, kPowerMgmtMode, 1), QStringLiteral("Manual"));
        EXPECT_EQ(Cell(status, kPowerState, 1), QStringLiteral("L0"));
        EXPECT_TRUE(status.IsControlEnabled(Status::kToL2Id));
        EXPECT_EQ(e2e::ListTitles(*status.FindList(kListControlId)).join('|'),
                  QStringLiteral("Item|Downstream|Upstream"));
        EXPECT_EQ(e2e::ListColumn(*status.FindList(kListControlId), 0).join('|'),
                  QStringLiteral("Current Tx Rate (Kbps)|Previous Tx Rate (Kbps)|Attainable Rate (Kbps)|SNR Margin "
                                 "(dB)|Attenuation (dB)|Output Power (dBm)|Interleave Delay (msec)|Data Block Length "
                                 "(byte)|Line Standard|Power Management Mode|Power State|Current INP (0.01 symbol "
                                 "time)"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(status, QStringLiteral("adsl_rate_status")));

        // Into L2: three seconds later the line runs at a lower rate, its previous rate the one of L0.
        Click(status, Status::kToL2Id);
        EXPECT_TRUE(status.IsControlEnabled(Status::kToL2Id))
            << "as the last reading left it, while the line gets there";
        EXPECT_EQ(GetPduLogFlag(), 0) << "the PDU log display is held until the status is read again";
        EXPECT_TRUE(program_.WaitUntil([&] { return Cell(status, kPowerState, 1) == QStringLiteral("L2"); }));
        EXPECT_EQ(GetPduLogFlag(), 1);
        EXPECT_EQ(ServerStatus(program_, kManualPort).powerState, kAdslPowerL2);
        EXPECT_LT(Cell(status, kCurrentRate, 1).toUInt(), server.downCurrentRate / 1000 / 3);
        EXPECT_EQ(Cell(status, kPreviousRate, 1), QString::number(server.downCurrentRate / 1000));
        EXPECT_FALSE(status.IsControlEnabled(Status::kToL2Id));
        EXPECT_TRUE(status.IsControlEnabled(Status::kToL0Id));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(status, QStringLiteral("adsl_rate_status_l2")));

        // The server refuses the next transition: its reason, and the line as it was.
        server_test::CRawClient& probe = program_.ServerProbe();
        ASSERT_TRUE(probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0,
                                             Bytes(SimControlRec{kSimRefuseNextChange, kReqAdslPowerState, 0, 0}),
                                             kSimControlRecSize)));
        Click(status, Status::kToL0Id);
        ASSERT_FALSE(person.boxTexts.empty());
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
        EXPECT_EQ(ServerStatus(program_, kManualPort).powerState, kAdslPowerL2);
        EXPECT_TRUE(status.IsControlEnabled(Status::kToL0Id));
        EXPECT_EQ(GetPduLogFlag(), 1) << "released after the refusal";

        // Back into L0, two seconds later.
        Click(status, Status::kToL0Id);
        EXPECT_TRUE(program_.WaitUntil([&] { return Cell(status, kPowerState, 1) == QStringLiteral("L0"); }));
        EXPECT_EQ(Cell(status, kCurrentRate, 1), QString::number(server.downCurrentRate / 1000));
    });
}

TEST_F(RateStatusE2eTest, ThePagesGoThroughThePortsOfTheLineCard)
{
    OnPort(1, [&](Status& status) {
        EXPECT_TRUE(Field(status, Frame::kEntityId).contains(QStringLiteral("1")))
            << Field(status, Frame::kEntityId).toStdString();
        EXPECT_FALSE(status.IsControlEnabled(Frame::kFirstId));
        EXPECT_FALSE(status.IsControlEnabled(Frame::kPreviousId));
        EXPECT_TRUE(status.IsControlEnabled(Frame::kNextId));
        Click(status, Frame::kNextId);
        EXPECT_EQ(status.GetTargetEntity().id, 10102u);
        EXPECT_EQ(Cell(status, kCurrentRate, 1), QString::number(ServerStatus(program_, 10102).downCurrentRate / 1000));
        Click(status, Frame::kLastId);
        EXPECT_EQ(status.GetTargetEntity().id, 10124u) << "the line card has 24 ports";
        EXPECT_FALSE(status.IsControlEnabled(Frame::kNextId));
        EXPECT_FALSE(status.IsControlEnabled(Frame::kLastId));
        Click(status, Frame::kPreviousId);
        EXPECT_EQ(status.GetTargetEntity().id, 10123u);
        Click(status, Frame::kFirstId);
        EXPECT_EQ(status.GetTargetEntity().id, 10101u);
        return IDCANCEL;
    });
}

TEST_F(RateStatusE2eTest, ALineWhosePowerTheNeManagesOffersNoTransition)
{
    OnPort(kAutomaticPort, [&](Status& status) {
        EXPECT_EQ(Cell(status, kPowerMgmtMode, 1), QStringLiteral("Automatic"));
        EXPECT_FALSE(status.IsControlEnabled(Status::kToL0Id));
        EXPECT_FALSE(status.IsControlEnabled(Status::kToL2Id));
        EXPECT_FALSE(status.IsControlEnabled(Status::kToL3Id));
        return IDCANCEL;
    });
}

} // namespace
