// NE auto-discovery in the running program: the operator gives the server an address range to search, sees the NEs
// it finds there on the next refreshes (not those of a model this workstation does not know), adds two of them to a
// location as managed NEs, which then show in the tree and are no longer offered, ignores one, which the server then
// drops, and restarts a range, once while the server refuses to take it back.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/rights_steps.h"

#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "core/tables/user_account.h"
#include "features/management/discovery/add_discovered_ne_dlg.h"
#include "features/management/discovery/discovery_range_dlg.h"
#include "features/management/discovery/ne_auto_discovery_dlg.h"
#include "features/management/ne/ne_security_page.h"
#include "link/icmp/icmp_reachability.h"
#include "link/records/discovery_range_rec.h"
#include "link/records/found_ne_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/request_codes.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/app/ems_app.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kCmdAutoDiscovery = 33067;
using Discovery = CNeAutoDiscoveryDlg;
using e2e::Click;
using e2e::MessageLine;
using e2e::Type;

QStringList FoundAddresses(Discovery& dialog)
{
    return e2e::ListColumn(*dialog.FindList(Discovery::kFoundListId), Discovery::kAddressColumn);
}

bool ServerFinds(e2e::CProgram& program, const std::string& address)
{
    const std::vector<FoundNeRec> found = program.ServerRecords(kReqFoundNe);
    return std::any_of(found.begin(), found.end(),
                       [&](const FoundNeRec& ne) { return FormatIpAddress(ne.ipAddress) == address; });
}

// The numbers the found list shows for the rows of these addresses.
QStringList NumbersOf(Discovery& dialog, const QStringList& addresses)
{
    QTreeView& rows = *dialog.FindList(Discovery::kFoundListId);
    QStringList numbers;
    for (const QString& address : addresses) {
        const int row = e2e::RowOf(rows, Discovery::kAddressColumn, address);
        numbers << e2e::ListColumn(rows, Discovery::kNumberColumn).value(row);
    }
    return numbers;
}

void RefuseNextChange(e2e::CProgram& program, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, code, 0, 0});
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
}

class NeDiscoveryE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A range asks with the configured community; a new NE gets the NE's default one whatever is configured.
        ASSERT_TRUE(
            program_.StartServer({.args = {}, .generatedNes = 0, .iniExtra = "[DIALOG]\nSNMPCOMMUNITY=public\n"}));
        ASSERT_TRUE(program_.Login("admin", "admin"));
    }

    // The refresh timer's turn, once the server has searched every range it holds.
    void RefreshLater(Discovery& dialog)
    {
        ASSERT_TRUE(program_.WaitUntil([this] {
            const std::vector<DiscoveryRangeRec> ranges = program_.ServerRecords(kReqDiscoveryRange);
            return std::all_of(ranges.begin(), ranges.end(), [](const DiscoveryRangeRec& r) { return r.state == 1; });
        }));
        dialog.OnTimer(Discovery::kRefreshTimer);
    }

    e2e::CProgram program_;
};

TEST_F(NeDiscoveryE2eTest, FoundNesAreAddedToALocationAndShowInTheTree)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Discovery>([&](Discovery& dialog) {
        QTreeView& ranges = *dialog.FindList(kListControlId);
        EXPECT_EQ(e2e::ListColumn(ranges, Discovery::kFromColumn), QStringList());
        person.OnDialog<CNeAutoDiscoveryRangeDlg>([&](CNeAutoDiscoveryRangeDlg& range) {
            // Every model first, then each NE model; the configured community.
            EXPECT_EQ(e2e::ComboTexts(range, CNeAutoDiscoveryRangeDlg::kModelComboId),
                      QStringLiteral(" <ALL>,IPD-12 (1 shelf),IPD-48 (2 shelves)"));
            EXPECT_EQ(e2e::Field(range, CNeAutoDiscoveryRangeDlg::kCommunityId), QStringLiteral("public"));
            Click(range, IDOK);
            EXPECT_EQ(MessageLine(range), QStringLiteral("incorrect IP address"));
            // Typed from high to low, the range is sent from low to high.
            Type(range, CNeAutoDiscoveryRangeDlg::kFromId, QStringLiteral("127.0.0.30"));
            Type(range, CNeAutoDiscoveryRangeDlg::kToId, QStringLiteral("127.0.0.20"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(range, QStringLiteral("ne_discovery_range")));
            Click(range, IDOK);
            EXPECT_TRUE(range.IsEnded());
        });
        Click(dialog, kAddButtonId);
        const std::vector<DiscoveryRangeRec> kept = program_.ServerRecords(kReqDiscoveryRange);
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(FormatIpAddress(kept[0].firstIp), "127.0.0.20");
        EXPECT_EQ(FormatIpAddress(kept[0].lastIp), "127.0.0.30");
        EXPECT_EQ(e2e::ListColumn(ranges, Discovery::kFromColumn), QStringList{QStringLiteral("127.0.0.20")});
        EXPECT_EQ(CListControl(&ranges).GetNextSelected(-1), -1) << "the new range is shown, not selected";

        RefreshLater(dialog);
        EXPECT_EQ(e2e::ListColumn(ranges, Discovery::kStateColumn), QStringList{QStringLiteral("finished")});
        // The NE of a model this workstation does not know is not listed, and the server drops it.
        EXPECT_EQ(FoundAddresses(dialog), (QStringList{QStringLiteral("127.0.0.21"), QStringLiteral("127.0.0.22"),
                                                       QStringLiteral("127.0.0.24")}));
        EXPECT_FALSE(ServerFinds(program_, "127.0.0.23"));

        // The round of echoes reaches the first row after the last.
        dialog.SetPingProbe([](const IpAddress& address, int32_t waitMs) {
            return CheckIcmpReachable(address, waitMs) == IcmpReachability::kReachable;
        });
        const bool echoes = CheckIcmpReachable({127, 0, 0, 1}, 1000) == IcmpReachability::kReachable;
        QTreeView& found = *dialog.FindList(Discovery::kFoundListId);
        for (int i = 0; i < 3; ++i) {
            dialog.OnTimer(Discovery::kPingTimer);
            program_.WaitUntil([&] { return !e2e::ListColumn(found, Discovery::kStatusColumn).contains("unknown"); },
                               3000);
        }
        EXPECT_EQ(e2e::ListColumn(found, Discovery::kStatusColumn),
                  QStringList(3, echoes ? QStringLiteral("online") : QStringLiteral("offline")));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_discovery")));

        // Delete and Restart wait for a selected range; Add NEs and Ignore NEs for a ticked found NE.
        for (const int button :
             {kDeleteButtonId, Discovery::kRestartButtonId, Discovery::kAddNesButtonId, Discovery::kIgnoreNesButtonId})
            EXPECT_FALSE(dialog.IsControlEnabled(button)) << button;
        program_.ClickListRow(ranges, 0);
        EXPECT_TRUE(dialog.IsControlEnabled(kDeleteButtonId));
        EXPECT_TRUE(dialog.IsControlEnabled(Discovery::kRestartButtonId));
        EXPECT_FALSE(dialog.IsControlEnabled(Discovery::kIgnoreNesButtonId));
        e2e::TickRows(found, NumbersOf(dialog, {QStringLiteral("127.0.0.21"), QStringLiteral("127.0.0.22")}));
        EXPECT_TRUE(dialog.IsControlEnabled(Discovery::kAddNesButtonId));
        EXPECT_TRUE(dialog.IsControlEnabled(Discovery::kIgnoreNesButtonId));
        person.OnDialog<CAddDiscoveredNeDlg>([&](CAddDiscoveredNeDlg& add) {
            // Each text of the Security page is checked on its own, the others fine; the page shows the refusal.
            CNeSecurityPage& security = add.SecurityPage();
            const struct {
                const char* user;
                const char* password;
                const char* verification;
                const char* community;
                const char* message;
                int marked;
            } refusals[] = {
                {" ", "qurim", "qurim", "pridox", "Data is blank", CNeSecurityPage::kFtpUserId},
                {"ops user", "qurim", "qurim", "pridox",
                 "Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or "
                 "'-_.@'",
                 CNeSecurityPage::kFtpUserId},
                {"qurim", " ", " ", "pridox", "Data is blank", CNeSecurityPage::kFtpPasswordId},
                {"qurim", "pa#ss", "pa#ss", "pridox",
                 "Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or "
                 "'-_.@'",
                 CNeSecurityPage::kFtpPasswordId},
                {"qurim", "qurim", "other", "pridox", "Data inconsistent", CNeSecurityPage::kFtpPasswordId},
                {"qurim", "qurim", "qurim", " ", "Data is blank", CNeSecurityPage::kCommunityId},
                {"qurim", "qurim", "qurim", "pub lic",
                 "Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or "
                 "'-_.@'",
                 CNeSecurityPage::kCommunityId},
            };
            for (const auto& refusal : refusals) {
                SCOPED_TRACE(std::string(refusal.user) + "/" + refusal.password + "/" + refusal.verification + "/" +
                             refusal.community);
                Type(security, CNeSecurityPage::kFtpUserId, QString::fromLatin1(refusal.user));
                Type(security, CNeSecurityPage::kFtpPasswordId, QString::fromLatin1(refusal.password));
                Type(security, CNeSecurityPage::kVerificationId, QString::fromLatin1(refusal.verification));
                Type(security, CNeSecurityPage::kCommunityId, QString::fromLatin1(refusal.community));
                Click(add, IDOK);
                EXPECT_FALSE(add.IsEnded());
                EXPECT_EQ(MessageLine(add), QString::fromLatin1(refusal.message));
                EXPECT_EQ(security.GetMarkedControl(1), refusal.marked);
            }
            Type(security, CNeSecurityPage::kFtpUserId, QStringLiteral("qurim"));
            Type(security, CNeSecurityPage::kFtpPasswordId, QStringLiteral("qurim"));
            Type(security, CNeSecurityPage::kVerificationId, QStringLiteral("qurim"));
            Type(security, CNeSecurityPage::kCommunityId, QStringLiteral("pridox"));
            e2e::Choose(add, CAddDiscoveredNeDlg::kLocationComboId, QStringLiteral("North"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("ne_discovery_add")));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded()) << MessageLine(add).toStdString();
        });
        Click(dialog, Discovery::kAddNesButtonId);
        EXPECT_EQ(FoundAddresses(dialog), QStringList{QStringLiteral("127.0.0.24")});
        EXPECT_FALSE(dialog.IsControlEnabled(Discovery::kAddNesButtonId));
        EXPECT_FALSE(dialog.IsControlEnabled(Discovery::kIgnoreNesButtonId));

        // Managed now, they are no longer offered: the next refresh drops them on the server.
        ASSERT_TRUE(ServerFinds(program_, "127.0.0.21"));
        dialog.OnTimer(Discovery::kRefreshTimer);
        EXPECT_FALSE(ServerFinds(program_, "127.0.0.21"));
        EXPECT_FALSE(ServerFinds(program_, "127.0.0.22"));
        EXPECT_EQ(FoundAddresses(dialog), QStringList{QStringLiteral("127.0.0.24")});
    });
    ASSERT_TRUE(program_.Command(kCmdAutoDiscovery));

    const CNeRecord* added = FindNeByName("127.0.0.21");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->locationId, 2u);
    EXPECT_EQ(added->autoSync, 0u);
    EXPECT_EQ(added->loginUser, kNeBuiltInAccount);
    EXPECT_EQ(added->community, "pridox");
    ASSERT_NE(FindNeByName("127.0.0.22"), nullptr);
    EXPECT_EQ(FindNeByName("127.0.0.22")->neModelId, 4u);
    program_.Settle();
    EXPECT_NE(program_.TreeItem(QStringLiteral("127.0.0.21")), nullptr);
    EXPECT_NE(program_.TreeItem(QStringLiteral("127.0.0.22")), nullptr);
}

// A range the server is still searching (any state but 1) shows as polling.
TEST_F(NeDiscoveryE2eTest, ARangeTheServerStillSearchesShowsPolling)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Discovery>([&](Discovery& dialog) {
        person.OnDialog<CNeAutoDiscoveryRangeDlg>([&](CNeAutoDiscoveryRangeDlg& range) {
            Type(range, CNeAutoDiscoveryRangeDlg::kFromId, QStringLiteral("127.0.8.0"));
            Type(range, CNeAutoDiscoveryRangeDlg::kToId, QStringLiteral("127.0.15.255"));
            Click(range, IDOK);
        });
        Click(dialog, kAddButtonId);
        const std::vector<DiscoveryRangeRec> kept = program_.ServerRecords(kReqDiscoveryRange);
        ASSERT_EQ(kept.size(), 1u);
        ASSERT_NE(kept[0].state, 1u) << "2048 addresses keep the server searching for half a minute";
        dialog.OnTimer(Discovery::kRefreshTimer);
        EXPECT_EQ(e2e::ListColumn(*dialog.FindList(kListControlId), Discovery::kStateColumn),
                  QStringList{QStringLiteral("polling")});
    });
    ASSERT_TRUE(program_.Command(kCmdAutoDiscovery));
}

// The range dialog takes a range of one address as it stands and puts a range typed from high to low in order, one
// address apart as well as many.
TEST_F(NeDiscoveryE2eTest, ARangeOfOneIsTakenAndOneTypedBackwardsIsTurned)
{
    const struct {
        const char* name;
        const char* from;
        const char* to;
        const char* first; // as the server gets it
        const char* last;
    } cases[] = {
        {"one address", "127.0.0.40", "127.0.0.40", "127.0.0.40", "127.0.0.40"},
        {"last one below first", "127.0.0.42", "127.0.0.41", "127.0.0.41", "127.0.0.42"},
        {"last one above first", "127.0.0.43", "127.0.0.44", "127.0.0.43", "127.0.0.44"},
    };
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Discovery>([&](Discovery& dialog) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            person.OnDialog<CNeAutoDiscoveryRangeDlg>([&](CNeAutoDiscoveryRangeDlg& range) {
                Type(range, CNeAutoDiscoveryRangeDlg::kFromId, QString::fromLatin1(c.from));
                Type(range, CNeAutoDiscoveryRangeDlg::kToId, QString::fromLatin1(c.to));
                Click(range, IDOK);
                EXPECT_TRUE(range.IsEnded()) << MessageLine(range).toStdString();
            });
            Click(dialog, kAddButtonId);
            const std::vector<DiscoveryRangeRec> kept = program_.ServerRecords(kReqDiscoveryRange);
            EXPECT_TRUE(std::any_of(kept.begin(), kept.end(), [&](const DiscoveryRangeRec& r) {
                return FormatIpAddress(r.firstIp) == c.first && FormatIpAddress(r.lastIp) == c.last;
            }));
            const QStringList from = e2e::ListColumn(*dialog.FindList(kListControlId), Discovery::kFromColumn);
            EXPECT_TRUE(from.contains(QString::fromLatin1(c.first))) << from.join(',').toStdString();
        }
    });
    ASSERT_TRUE(program_.Command(kCmdAutoDiscovery));
    EXPECT_EQ(program_.ServerRecords(kReqDiscoveryRange).size(), std::size(cases));
}

TEST_F(NeDiscoveryE2eTest, AnNeManagedMeanwhileIsMarkedAndARefusedRestartLosesTheRange)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Discovery>([&](Discovery& dialog) {
        person.OnDialog<CNeAutoDiscoveryRangeDlg>([&](CNeAutoDiscoveryRangeDlg& range) {
            Type(range, CNeAutoDiscoveryRangeDlg::kFromId, QStringLiteral("127.0.0.24"));
            Type(range, CNeAutoDiscoveryRangeDlg::kToId, QStringLiteral("127.0.0.24"));
            Click(range, IDOK);
        });
        Click(dialog, kAddButtonId);
        RefreshLater(dialog);
        ASSERT_EQ(FoundAddresses(dialog), QStringList{QStringLiteral("127.0.0.24")});

        // Another operator manages the NE before this one adds it: nothing is sent for it, its row is marked.
        NeKeyRecord other;
        other.neName = "Lab-24";
        other.modelId = 2;
        other.locationId = 3;
        other.ipAddress = {127, 0, 0, 24};
        other.port = 161;
        const auto bytes = EncodeRecord(other);
        server_test::CRawClient& probe = program_.ServerProbe();
        ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqNeKeyAdd, 0, {bytes.begin(), bytes.end()}, kNeKeyRecordSize)));
        ASSERT_TRUE(program_.WaitUntil([] { return FindNeByName("Lab-24") != nullptr; }));
        QTreeView& found = *dialog.FindList(Discovery::kFoundListId);
        e2e::TickRows(found, NumbersOf(dialog, {QStringLiteral("127.0.0.24")}));
        person.OnDialog<CAddDiscoveredNeDlg>([&](CAddDiscoveredNeDlg& add) { Click(add, IDOK); });
        Click(dialog, Discovery::kAddNesButtonId);
        EXPECT_EQ(e2e::CellImage(found, 0), kImageFailed);
        EXPECT_EQ(FindNeByName("127.0.0.24"), nullptr);

        // Restarted, the range searches again under a new number.
        QTreeView& ranges = *dialog.FindList(kListControlId);
        program_.ClickListRow(ranges, 0);
        Click(dialog, Discovery::kRestartButtonId);
        EXPECT_EQ(e2e::ListColumn(ranges, Discovery::kNumberColumn), QStringList{QStringLiteral("2")});
        EXPECT_EQ(e2e::ListColumn(ranges, Discovery::kStateColumn), QStringList{QStringLiteral("polling")});
        EXPECT_EQ(CListControl(&ranges).GetNextSelected(-1), -1) << "the restarted range is appended, not selected";

        // When the server refuses to take the restarted range back, the range is gone, on the server and in the
        // list, and nothing more is sent.
        program_.ClickListRow(ranges, 0);
        RefuseNextChange(program_, kReqDiscoveryRangeAdd);
        Click(dialog, Discovery::kRestartButtonId);
        ASSERT_FALSE(person.boxTexts.empty());
        EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Adding new data failed")))
            << person.LastBoxText().toStdString();
        EXPECT_TRUE(program_.ServerRecords(kReqDiscoveryRange).empty());
        EXPECT_EQ(e2e::ListColumn(ranges, Discovery::kFromColumn), QStringList());
    });
    ASSERT_TRUE(program_.Command(kCmdAutoDiscovery));
}

// The first dump line of each drop of a found NE (request 29) the workstation sent, as the PDU log window shows it.
QStringList DropDumps(const CPduLogDlg& log)
{
    const QStringList lines = log.Lines();
    QStringList dumps;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].contains(QLatin1String("SEND op=2 ")) && lines[i].contains(QLatin1String(" code=29 ")))
            dumps << lines[i + 1];
    }
    return dumps;
}

// Ignored after a confirmation, a found NE is dropped on the server, which is told its address alone; a drop the
// server refuses leaves its row, marked.
TEST_F(NeDiscoveryE2eTest, AnIgnoredNeIsDroppedOnTheServerByItsAddress)
{
    const CPduLogDlg* log = program_.App().GetPduLogWindow();
    ASSERT_NE(log, nullptr);
    const QString ignored = QStringLiteral("127.0.0.24");
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Discovery>([&](Discovery& dialog) {
        person.OnDialog<CNeAutoDiscoveryRangeDlg>([&](CNeAutoDiscoveryRangeDlg& range) {
            Type(range, CNeAutoDiscoveryRangeDlg::kFromId, QStringLiteral("127.0.0.21"));
            Type(range, CNeAutoDiscoveryRangeDlg::kToId, QStringLiteral("127.0.0.24"));
            Click(range, IDOK);
        });
        Click(dialog, kAddButtonId);
        RefreshLater(dialog);
        const QStringList all = {QStringLiteral("127.0.0.21"), QStringLiteral("127.0.0.22"), ignored};
        ASSERT_EQ(FoundAddresses(dialog), all);
        QTreeView& found = *dialog.FindList(Discovery::kFoundListId);
        e2e::TickRows(found, NumbersOf(dialog, {ignored}));

        // Not on second thoughts: nothing is dropped.
        person.AnswerBox(IDNO);
        Click(dialog, Discovery::kIgnoreNesButtonId);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to delete the data?"));
        EXPECT_TRUE(ServerFinds(program_, ignored.toStdString()));

        // Refused by the server: the row stays, marked.
        RefuseNextChange(program_, kReqFoundNeDelete);
        person.AnswerBox(IDYES);
        Click(dialog, Discovery::kIgnoreNesButtonId);
        EXPECT_EQ(FoundAddresses(dialog), all);
        EXPECT_EQ(e2e::CellImage(found, e2e::RowOf(found, Discovery::kAddressColumn, ignored)), kImageFailed);

        person.AnswerBox(IDYES);
        Click(dialog, Discovery::kIgnoreNesButtonId);
        EXPECT_EQ(FoundAddresses(dialog), all.mid(0, 2));
        EXPECT_FALSE(ServerFinds(program_, ignored.toStdString()));
    });
    ASSERT_TRUE(program_.Command(kCmdAutoDiscovery));

    // Both drops named the NE by its address (127.0.0.24), as did the refresh's drop of the NE of a model this
    // workstation does not know (127.0.0.23); the rest of each record went as zeros.
    QStringList dumps;
    EXPECT_TRUE(program_.WaitUntil([&] {
        dumps = DropDumps(*log);
        return dumps.size() >= 3;
    }));
    EXPECT_EQ(dumps.filter(QStringLiteral("0000  7f 00 00 18")).size(), 2);
    EXPECT_EQ(dumps.filter(QStringLiteral("0000  7f 00 00 17")).size(), 1);
    for (const QString& dump : dumps)
        EXPECT_TRUE(dump.mid(17).startsWith(QStringLiteral(" 00").repeated(12))) << dump.toStdString();
}

// The found NEs' buttons ask their letters: Add NEs the create letter on function 30 as well, Ignore NEs the delete
// letter on function 1. With the letter below, the operator is refused "No privilege" and nothing comes up; with the
// letter, Add NEs opens the dialog that asks for the NEs' location and Ignore NEs asks its confirmation.
TEST_F(NeDiscoveryE2eTest, TheFoundNesButtonsAskTheirLetters)
{
    const struct {
        const char* name;
        int function;
        char below;
        char needed;
        int button;
    } cases[] = {
        {"Add NEs", 30, 'm', 'c', Discovery::kAddNesButtonId},
        {"Ignore NEs", 1, 'c', 'd', Discovery::kIgnoreNesButtonId},
    };
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Discovery>([&](Discovery& dialog) {
        person.OnDialog<CNeAutoDiscoveryRangeDlg>([&](CNeAutoDiscoveryRangeDlg& range) {
            Type(range, CNeAutoDiscoveryRangeDlg::kFromId, QStringLiteral("127.0.0.21"));
            Type(range, CNeAutoDiscoveryRangeDlg::kToId, QStringLiteral("127.0.0.21"));
            Click(range, IDOK);
        });
        Click(dialog, kAddButtonId);
        ASSERT_TRUE(program_.WaitUntil([&] { return ServerFinds(program_, "127.0.0.21"); }));
        dialog.OnTimer(Discovery::kRefreshTimer);
        e2e::TickRows(*dialog.FindList(Discovery::kFoundListId), NumbersOf(dialog, {QStringLiteral("127.0.0.21")}));
        for (const auto& c : cases) {
            for (const char letter : {c.below, c.needed}) {
                SCOPED_TRACE(std::string(c.name) + " with " + letter);
                ASSERT_TRUE(e2e::GiveAdministrators(program_, c.function, letter));
                const bool granted = letter == c.needed;
                bool shown = false;
                if (granted && c.button == Discovery::kAddNesButtonId)
                    person.OnDialog<CAddDiscoveredNeDlg>([&](CAddDiscoveredNeDlg&) { shown = true; });
                if (granted && c.button == Discovery::kIgnoreNesButtonId)
                    person.AnswerBox(IDNO);
                const qsizetype boxes = person.boxTexts.size();
                const qsizetype unscripted = person.unscriptedDialogs.size();
                dialog.ClearMessageLine();
                Click(dialog, c.button);
                EXPECT_EQ(MessageLine(dialog) == e2e::kNoPrivilege, !granted);
                EXPECT_EQ(person.unscriptedDialogs.size(), unscripted);
                if (c.button == Discovery::kAddNesButtonId) {
                    EXPECT_EQ(shown, granted);
                } else {
                    EXPECT_EQ(person.boxTexts.size(), boxes + (granted ? 1 : 0));
                }
            }
        }
        EXPECT_TRUE(ServerFinds(program_, "127.0.0.21"));
    });
    ASSERT_TRUE(program_.Command(kCmdAutoDiscovery));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The timers' periods read from the configuration are held to 5000..65000, 100..10000 and 50..5000 ms: a value at an
// end is kept, one past it gives that end; not configured, they are 10000, 1000 and 500 ms.
TEST(NeDiscoveryPeriodsE2eTest, TheTimersPeriodsAreHeldToTheirRanges)
{
    const struct {
        uint32_t refresh, ping, wait; // configured
        uint32_t heldRefresh, heldPing, heldWait;
    } rows[] = {
        {4999, 99, 49, 5000, 100, 50},
        {5000, 100, 50, 5000, 100, 50},
        {65000, 10000, 5000, 65000, 10000, 5000},
        {65001, 10001, 5001, 65000, 10000, 5000},
        {0, 0, 0, 10000, 1000, 500}, // not configured
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.refresh);
        e2e::CProgram program;
        const std::string ini = row.refresh == 0 ? std::string()
                                                 : "[DIALOG]\nAUTODISCOVERYREFRESHTIME=" + std::to_string(row.refresh) +
                                                       "\nAUTODISCOVERYPINGTIME=" + std::to_string(row.ping) +
                                                       "\nAUTODISCOVERYPINGWAIT=" + std::to_string(row.wait) + "\n";
        ASSERT_TRUE(program.StartServer({.args = {}, .generatedNes = 0, .iniExtra = ini}));
        ASSERT_TRUE(program.Login("admin", "admin"));
        program.Operator().OnDialog<Discovery>([&](Discovery& dialog) {
            EXPECT_EQ(dialog.GetPeriods().refreshMs, row.heldRefresh);
            EXPECT_EQ(dialog.GetPeriods().pingMs, row.heldPing);
            EXPECT_EQ(dialog.GetPeriods().pingWaitMs, row.heldWait);
        });
        ASSERT_TRUE(program.Command(kCmdAutoDiscovery));
    }
}

// The ranges sort by the address clicked and then by the other one, not by their numbers: kept by the server in this
// order, they are numbered 1 to 4.
TEST_F(NeDiscoveryE2eTest, TheRangesSortByTheClickedAddressThenTheOther)
{
    server_test::CRawClient& probe = program_.ServerProbe();
    for (const auto& [first, last] : {std::pair{"10.99.0.5", "10.99.0.9"}, std::pair{"10.99.0.1", "10.99.0.9"},
                                      std::pair{"10.99.0.3", "10.99.0.4"}, std::pair{"10.99.0.1", "10.99.0.2"}}) {
        DiscoveryRangeRec range;
        range.firstIp = ParseIpAddress(first);
        range.lastIp = ParseIpAddress(last);
        const auto bytes = EncodeRecord(range);
        ASSERT_TRUE(probe.ReplyTo(
            probe.Send(2, kReqDiscoveryRangeAdd, 0, {bytes.begin(), bytes.end()}, kDiscoveryRangeRecSize)));
    }
    program_.Operator().OnDialog<Discovery>([&](Discovery& dialog) {
        QTreeView& ranges = *dialog.FindList(kListControlId);
        ASSERT_EQ(e2e::ListColumn(ranges, Discovery::kFromColumn).join(','),
                  QStringLiteral("10.99.0.5,10.99.0.1,10.99.0.3,10.99.0.1"));
        const struct {
            int column;
            const char* numbers;
        } clicks[] = {{Discovery::kFromColumn, "4,2,3,1"}, {Discovery::kToColumn, "4,3,2,1"}};
        for (const auto& click : clicks) {
            e2e::CProgram::ClickHeader(*ranges.header(), click.column);
            EXPECT_EQ(e2e::ListColumn(ranges, Discovery::kNumberColumn).join(','), QString::fromLatin1(click.numbers))
                << click.column;
        }
    });
    ASSERT_TRUE(program_.Command(kCmdAutoDiscovery));
}

// The found NEs sort by their addresses as numbers (.100 after .24), their descriptions letter case aside, and equal
// models by their numbers, though the rows stood otherwise before.
TEST_F(NeDiscoveryE2eTest, TheFoundNesSortByAddressDescriptionAndModel)
{
    server_test::CRawClient& probe = program_.ServerProbe();
    DiscoveryRangeRec range;
    range.firstIp = ParseIpAddress("127.0.0.20");
    range.lastIp = ParseIpAddress("127.0.0.100");
    const auto bytes = EncodeRecord(range);
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(2, kReqDiscoveryRangeAdd, 0, {bytes.begin(), bytes.end()}, kDiscoveryRangeRecSize)));
    program_.Operator().OnDialog<Discovery>([&](Discovery& dialog) {
        RefreshLater(dialog);
        QTreeView& found = *dialog.FindList(Discovery::kFoundListId);
        ASSERT_EQ(NumbersOf(dialog, {"127.0.0.21", "127.0.0.22", "127.0.0.24", "127.0.0.100"}).join(','),
                  QStringLiteral("1,2,3,4"));
        const struct {
            int column;
            const char* addresses;
        } sorts[] = {
            {Discovery::kAddressColumn, "127.0.0.21,127.0.0.22,127.0.0.24,127.0.0.100"},
            {Discovery::kDescriptionColumn, "127.0.0.24,127.0.0.21,127.0.0.100,127.0.0.22"},
            {Discovery::kModelColumn, "127.0.0.21,127.0.0.24,127.0.0.100,127.0.0.22"},
        };
        for (const auto& sort : sorts) {
            for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(found, sort.column, kImageSortAscending);
                 ++click)
                e2e::CProgram::ClickHeader(*found.header(), sort.column);
            EXPECT_EQ(FoundAddresses(dialog).join(','), QString::fromLatin1(sort.addresses)) << sort.column;
        }
    });
    ASSERT_TRUE(program_.Command(kCmdAutoDiscovery));
}

} // namespace
