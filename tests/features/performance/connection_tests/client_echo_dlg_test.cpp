// The numbers of the workstation's ping and traceroute as they open, and the ranges their data check keeps: each end
// is taken, one past it refused with the range named on the message line.

#include "tests/features/performance/performance_test_support.h"
#include "tests/platform/qt_test_app.h"
#include "tests/ui/framework/framework_test_support.h"

#include "features/performance/connection_tests/ping_from_client_dlg.h"
#include "features/performance/connection_tests/traceroute_dlg.h"
#include "link/icmp/client_echo.h"
#include "link/icmp/scripted_icmp_transport.h"
#include "platform/scripted_runners.h"

#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using Echo = CClientEchoDlg;

struct NumberField {
    const char* name;
    int id;
    long long low;
    long long high;
    const char* pingOpens;
    const char* traceOpens;
};

const NumberField kFields[] = {
    {"count", Echo::kCountId, 1, 99, "4", "4"},
    {"wait, seconds", Echo::kWaitId, 1, 30, "4", "4"},
    {"data size", Echo::kSizeId, 32, 9996, "32", "32"},
    {"TTL, or the most hops", Echo::kTtlId, 1, 255, "128", "30"},
    {"ToS", Echo::kTosId, 0, 255, "0", "0"},
};

class ClientEchoDlgTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(perf_test::AddNorth1()); }
    void TearDown() override { AppData().Reset(); }

    // Opens the dialog on North-1 and checks each number as it opens and at its ends.
    void CheckNumbers(Echo& dialog, bool trace)
    {
        dialog.SetTarget(perf_test::kNe, nullptr);
        runner_.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
            EXPECT_FALSE(dialog.GetDlgItemAs<QCheckBox>(Echo::kDontFragmentId)->isChecked());
            for (const NumberField& field : kFields) {
                SCOPED_TRACE(field.name);
                auto* edit = dialog.GetDlgItemAs<QLineEdit>(field.id);
                const QString opens = QString::fromLatin1(trace ? field.traceOpens : field.pingOpens);
                EXPECT_EQ(edit->text(), opens) << "on opening";
                for (const auto& [value, taken] : {std::pair{field.low - 1, false}, std::pair{field.low, true},
                                                   std::pair{field.high, true}, std::pair{field.high + 1, false}}) {
                    if (value < 0)
                        continue;
                    edit->setText(QString::number(value));
                    dialog.ClearMessageLine();
                    EXPECT_EQ(dialog.UpdateDialogData(), taken) << value;
                    const QString told = taken ? QString()
                                               : QStringLiteral("Please enter an integer between %1 and %2.")
                                                     .arg(field.low)
                                                     .arg(field.high);
                    EXPECT_EQ(dialog.GetMessageText(), told) << value;
                }
                edit->setText(opens);
            }
            return IDCANCEL;
        });
        dialog.DoModal();
    }

    ScriptedModalRunner runner_;
};

TEST_F(ClientEchoDlgTest, ThePingsNumbersOpenAtTheirDefaultsAndKeepTheirRanges)
{
    CPingFromClientDlg ping;
    CheckNumbers(ping, false);
}

TEST_F(ClientEchoDlgTest, TheTracesNumbersOpenAtTheirDefaultsAndKeepTheirRanges)
{
    CTracerouteDlg trace;
    CheckNumbers(trace, true);
}

// What the operator typed is what the echo carries: its wait in seconds, its data size, TTL, ToS and don't fragment.
TEST_F(ClientEchoDlgTest, APingSendsWhatItsNumbersSay)
{
    CScriptedIcmpNetwork network;
    network.Push(ScriptedEcho{});
    SetIcmpTransportOpener(network.Opener());
    CPingFromClientDlg ping;
    ping.SetTarget(perf_test::kNe, nullptr);
    runner_.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return ping.IsFirstShowDone(); }));
        for (const auto& [id, typed] :
             {std::pair{Echo::kCountId, "1"}, std::pair{Echo::kWaitId, "3"}, std::pair{Echo::kSizeId, "40"},
              std::pair{Echo::kTtlId, "7"}, std::pair{Echo::kTosId, "16"}})
            ping.GetDlgItemAs<QLineEdit>(id)->setText(QString::fromLatin1(typed));
        ping.GetDlgItemAs<QCheckBox>(Echo::kDontFragmentId)->setChecked(true);
        ping.OnCommand(Echo::kStartButtonId, BN_CLICKED);
        ClientEcho().workers.JoinAll();
        return IDCANCEL;
    });
    ping.DoModal();
    SetIcmpTransportOpener(nullptr);
    const std::vector<SentEcho> sent = network.Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].waitEndMs - sent[0].sentAtMs, 3000u);
    EXPECT_EQ(sent[0].data.size(), 40u);
    EXPECT_EQ(sent[0].options.ttl, 7);
    EXPECT_EQ(sent[0].options.tos, 16);
    EXPECT_TRUE(sent[0].options.dontFragment);
}

} // namespace
