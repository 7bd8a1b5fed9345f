// The NE's SNMP managers and secured hosts in the running program, and a refused account change: Configuration >
// NE Management > NE Connection lists them as the NE keeps them (through the server); the operator adds and deletes
// managers with their address checks, switches the secured hosts on and changes a section's addresses and services
// (a section whose first address is above its last shows disabled);
// what the server refuses keeps the dialog open with what was typed, in the failure texts each change has.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"

#include "features/management/firmware/ne_boot_partition_dlg.h"
#include "features/management/ne_access/ne_snmp_community_list_dlg.h"
#include "features/management/ne_access/ne_snmp_manager_dlg.h"
#include "features/management/ne_access/ne_snmp_manager_list_dlg.h"
#include "features/management/ne_access/ne_user_account_dlg.h"
#include "features/management/ne_access/ne_user_account_list_dlg.h"
#include "features/management/ne_access/secured_host_dlg.h"
#include "features/management/ne_access/secured_host_list_dlg.h"
#include "features/management/ne_access/secured_host_state_dlg.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/records/request_codes.h"
#include "link/records/secured_host_record.h"
#include "link/records/word_record.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <utility>

namespace {

constexpr int kCmdSnmpManagers = 33092;
constexpr int kCmdSecuredHosts = 33189;
constexpr int kCmdNeUserAccount = 33168;
constexpr int kCmdSnmpCommunities = 33146;
constexpr int kCmdBootPartition = 33170;
constexpr uint32_t kNorth1 = 1;
using Managers = CNeSnmpManagerListDlg;
using Hosts = CSecuredHostListDlg;
using e2e::Click;
using e2e::MessageLine;
using e2e::Type;

void RefuseNextChange(e2e::CProgram& program, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, code, 0, 0});
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
}

bool ServerHasManager(e2e::CProgram& program, const std::string& address)
{
    const std::vector<NeSnmpManagerRecord> managers = program.ServerRecords(kReqNeSnmpManager, kNorth1);
    return std::any_of(managers.begin(), managers.end(),
                       [&](const NeSnmpManagerRecord& rec) { return FormatIpAddress(rec.ipAddress) == address; });
}

class NeManagersHostsE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        e2e::PeerOptions options;
        if (!worldExtra_.empty()) {
            const std::filesystem::path world = program_.WorkDir().Path() / "world.ini";
            WriteText(world, ReadText(TARVIK_TEST_DATA_DIR "/server/sim_world.ini") + worldExtra_);
            options.args = {"--scenario", world.string()};
        }
        ASSERT_TRUE(program_.StartServer(options));
        ASSERT_TRUE(program_.Login("admin", "admin"));
        program_.ClickTreeItem(program_.TreeItem(QStringLiteral("North-1")));
        ASSERT_EQ(program_.Frame().GetCurrentNeId(), kNorth1);
    }

    std::string worldExtra_; // sections the test world gets besides its own (a derived fixture's constructor sets them)
    e2e::CProgram program_;
};

// North-1 keeps eleven secured host sections of its own, whatever their addresses (the server takes no first address
// above the last from a workstation).
class SecuredHostSectionsE2eTest : public NeManagersHostsE2eTest {
protected:
    SecuredHostSectionsE2eTest()
    {
        const char* const addresses[][2] = {
            {"10.0.0.5", "10.0.0.5"},   {"10.0.0.1", "10.0.0.2"},   {"10.0.0.9", "10.0.0.2"},
            {"10.0.0.9", "10.0.0.10"},  {"10.0.1.0", "10.0.0.255"}, {"10.0.0.16", "10.0.0.16"},
            {"10.0.0.17", "10.0.0.17"}, {"10.0.0.18", "10.0.0.18"}, {"10.0.0.19", "10.0.0.19"},
            {"10.0.0.20", "10.0.0.20"}, {"10.0.0.21", "10.0.0.21"}};
        for (size_t i = 0; i < std::size(addresses); ++i) {
            const std::string section = std::to_string(i + 1);
            worldExtra_ += "\n[NE1.SecuredHostRecord." + section + "]\nsection=" + section +
                           "\nfirstIp=" + addresses[i][0] + "\nlastIp=" + addresses[i][1] + "\nservices=0x80\n";
        }
    }
};

TEST_F(NeManagersHostsE2eTest, AManagerIsCheckedAddedAndDeletedAfterTheOperatorSaysSo)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Managers>([&](Managers& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        person.OnDialog<CNeSnmpManagerDlg>([&](CNeSnmpManagerDlg& add) {
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("incorrect IP address"));
            for (const char* notAHost : {"127.0.0.1", "224.0.0.1"}) {
                Type(add, CNeSnmpManagerDlg::kAddressId, QString::fromLatin1(notAHost));
                Click(add, IDOK);
                EXPECT_EQ(MessageLine(add), QStringLiteral("incorrect IP address")) << notAHost;
            }
            // The NE's own address, its gateway too, is no manager's.
            for (const char* own : {"10.10.1.1", "10.10.1.254"}) {
                Type(add, CNeSnmpManagerDlg::kAddressId, QString::fromLatin1(own));
                Click(add, IDOK);
                EXPECT_EQ(MessageLine(add), QStringLiteral("IP address is reserved")) << own;
            }
            Type(add, CNeSnmpManagerDlg::kAddressId, QStringLiteral("192.0.2.10"));
            // Unless the NE tells its own addresses, a free one counts as reserved too, after the failure box.
            {
                server_test::CRawClient& probe = program_.ServerProbe();
                const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextRequest, kReqNeNetworkConfig.value, 0, 0});
                ASSERT_TRUE(probe.ReplyTo(
                    probe.Send(2, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
            }
            add.ClearMessageLine();
            Click(add, IDOK);
            EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to query")))
                << person.LastBoxText().toStdString();
            EXPECT_EQ(MessageLine(add), QStringLiteral("IP address is reserved"));
            Type(add, CNeSnmpManagerDlg::kCommunityId, QStringLiteral(" "));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), QStringLiteral("Data is blank"));
            Type(add, CNeSnmpManagerDlg::kCommunityId, QStringLiteral("traps"));

            RefuseNextChange(program_, kReqNeSnmpManagerAdd);
            Click(add, IDOK);
            EXPECT_FALSE(add.IsEnded());
            EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Adding new data failed")));
            EXPECT_FALSE(ServerHasManager(program_, "192.0.2.10"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("ne_snmp_manager")));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
        });
        Click(list, kAddButtonId);
        const int row = e2e::RowOf(rows, Managers::kAddressColumn, QStringLiteral("192.0.2.10"));
        ASSERT_GE(row, 0);
        EXPECT_EQ(CListControl(&rows).GetNextSelected(-1), -1) << "the new manager is shown, not selected";
        EXPECT_EQ(e2e::ListColumn(rows, Managers::kCommunityColumn).value(row), QStringLiteral("traps"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("ne_snmp_manager_list")));

        // Delete asks nothing.
        program_.ClickListRow(rows, row);
        const size_t boxes = person.boxTexts.size();
        Click(list, kDeleteButtonId);
        EXPECT_EQ(person.boxTexts.size(), boxes);
        EXPECT_FALSE(ServerHasManager(program_, "192.0.2.10"));
        EXPECT_EQ(e2e::RowOf(rows, Managers::kAddressColumn, QStringLiteral("192.0.2.10")), -1);
    });
    ASSERT_TRUE(program_.Command(kCmdSnmpManagers));
}

// The version combo's first entry is SNMP v2c, sent as 1; the second SNMP v1, sent as 0; the list tells them apart.
TEST_F(NeManagersHostsE2eTest, AManagersTrapVersionIsSentAndShownAsChosen)
{
    const struct {
        const char* address;
        const char* version;
        uint32_t sent;
    } cases[] = {{"192.0.2.21", "SNMP v2c", 1}, {"192.0.2.22", "SNMP v1", 0}};
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Managers>([&](Managers& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        for (const auto& c : cases) {
            person.OnDialog<CNeSnmpManagerDlg>([&](CNeSnmpManagerDlg& add) {
                Type(add, CNeSnmpManagerDlg::kAddressId, QString::fromLatin1(c.address));
                Type(add, CNeSnmpManagerDlg::kCommunityId, QStringLiteral("traps"));
                EXPECT_TRUE(e2e::Choose(add, CNeSnmpManagerDlg::kVersionComboId, QString::fromLatin1(c.version)));
                Click(add, IDOK);
                EXPECT_TRUE(add.IsEnded()) << MessageLine(add).toStdString();
            });
            Click(list, kAddButtonId);
            const int row = e2e::RowOf(rows, Managers::kAddressColumn, QString::fromLatin1(c.address));
            EXPECT_EQ(e2e::ListColumn(rows, Managers::kVersionColumn).value(row), QString::fromLatin1(c.version));
        }
    });
    ASSERT_TRUE(program_.Command(kCmdSnmpManagers));
    const std::vector<NeSnmpManagerRecord> managers = program_.ServerRecords(kReqNeSnmpManager, kNorth1);
    for (const auto& c : cases) {
        const auto added = std::find_if(managers.begin(), managers.end(), [&](const NeSnmpManagerRecord& rec) {
            return FormatIpAddress(rec.ipAddress) == c.address;
        });
        ASSERT_NE(added, managers.end()) << c.address;
        EXPECT_EQ(added->trapVersion, c.sent) << c.version;
    }
}

TEST_F(NeManagersHostsE2eTest, SecuredHostsAreSwitchedOnAndASectionKeepsItsServices)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Hosts>([&](Hosts& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(e2e::Field(list, Hosts::kStateTextId), QStringLiteral("disabled"));
        EXPECT_EQ(e2e::ListColumn(rows, Hosts::kIndexColumn).size(), 4);
        person.OnDialog<CSecuredHostStateDlg>([&](CSecuredHostStateDlg& state) {
            EXPECT_TRUE(e2e::IsChecked(state, CSecuredHostStateDlg::kDisabledId));
            e2e::Check(state, CSecuredHostStateDlg::kEnabledId);
            Click(state, IDOK);
            EXPECT_TRUE(state.IsEnded());
        });
        Click(list, Hosts::kChangeStateButtonId);
        EXPECT_EQ(e2e::Field(list, Hosts::kStateTextId), QStringLiteral("enabled"));
        // Opened again, the state dialog offers the state the list shows.
        person.OnDialog<CSecuredHostStateDlg>([&](CSecuredHostStateDlg& state) {
            EXPECT_TRUE(e2e::IsChecked(state, CSecuredHostStateDlg::kEnabledId));
            EXPECT_FALSE(e2e::IsChecked(state, CSecuredHostStateDlg::kDisabledId));
            return IDCANCEL;
        });
        Click(list, Hosts::kChangeStateButtonId);
        EXPECT_EQ(e2e::Field(list, Hosts::kStateTextId), QStringLiteral("enabled"));

        // Without a row Modify asks for one.
        Click(list, kModifyButtonId);
        EXPECT_EQ(MessageLine(list), QStringLiteral("Please select one item"));
        program_.ClickListRow(rows, 0);
        person.OnDialog<CSecuredHostDlg>([&](CSecuredHostDlg& section) {
            Type(section, CSecuredHostDlg::kFirstId, QStringLiteral("10.0.0.10"));
            Type(section, CSecuredHostDlg::kLastId, QStringLiteral("10.0.0.1"));
            Click(section, IDOK);
            EXPECT_EQ(MessageLine(section), QStringLiteral("Start value shouldn't be greater than Stop value"));
            Type(section, CSecuredHostDlg::kLastId, QStringLiteral("10.0.0.99"));
            e2e::Check(section, CSecuredHostDlg::kSnmpId);
            e2e::Check(section, CSecuredHostDlg::kTftpId);
            RefuseNextChange(program_, kReqSecuredHost);
            Click(section, IDOK);
            EXPECT_FALSE(section.IsEnded());
            EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to update data")));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(section, QStringLiteral("secured_host")));
            Click(section, IDOK);
            EXPECT_TRUE(section.IsEnded());
        });
        Click(list, kModifyButtonId);
        EXPECT_EQ(e2e::ListColumn(rows, Hosts::kServicesColumn).value(0), QStringLiteral("SNMP,TFTP"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("secured_host_list")));

        // Read back from the list, TFTP is no FTP.
        person.OnDialog<CSecuredHostDlg>([&](CSecuredHostDlg& section) {
            EXPECT_TRUE(e2e::IsChecked(section, CSecuredHostDlg::kSnmpId));
            EXPECT_TRUE(e2e::IsChecked(section, CSecuredHostDlg::kTftpId));
            EXPECT_FALSE(e2e::IsChecked(section, CSecuredHostDlg::kFtpId));
            EXPECT_FALSE(e2e::IsChecked(section, CSecuredHostDlg::kTelnetId));
            // A section of one host, its first address its last, is taken.
            Type(section, CSecuredHostDlg::kLastId, QStringLiteral("10.0.0.10"));
            Click(section, IDOK);
            EXPECT_TRUE(section.IsEnded()) << MessageLine(section).toStdString();
        });
        Click(list, kModifyButtonId);
        EXPECT_EQ(e2e::ListColumn(rows, Hosts::kLastColumn).value(0), QStringLiteral("10.0.0.10"));
    });
    ASSERT_TRUE(program_.Command(kCmdSecuredHosts));
    const std::vector<WordRecord> state = program_.ServerRecords(kReqSecuredHostState, kNorth1);
    ASSERT_EQ(state.size(), 1u);
    EXPECT_EQ(state[0].value, 1u);
    const std::vector<SecuredHostRecord> sections = program_.ServerRecords(kReqSecuredHost, kNorth1);
    const auto first =
        std::find_if(sections.begin(), sections.end(), [](const SecuredHostRecord& rec) { return rec.section == 1; });
    ASSERT_NE(first, sections.end());
    EXPECT_EQ(*first, (SecuredHostRecord{1, {10, 0, 0, 10}, {10, 0, 0, 10}, 0x90}));
}

TEST_F(NeManagersHostsE2eTest, ARefusedAccountChangeKeepsWhatWasTyped)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CNeUserAccountListDlg>([&](CNeUserAccountListDlg& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        program_.ClickListRow(rows, e2e::RowOf(rows, CNeUserAccountListDlg::kNameColumn, QStringLiteral("qurim")));
        person.OnDialog<CNeUserAccountDlg>([&](CNeUserAccountDlg& modify) {
            Type(modify, CNeUserAccountDlg::kPasswordId, QStringLiteral("changed"));
            Type(modify, CNeUserAccountDlg::kVerificationId, QStringLiteral("changed"));
            RefuseNextChange(program_, kReqNeUserAccount);
            Click(modify, IDOK);
            EXPECT_FALSE(modify.IsEnded());
            ASSERT_FALSE(person.boxTexts.empty());
            EXPECT_TRUE(person.LastBoxText().startsWith(QStringLiteral("Fail to update data")));
            EXPECT_EQ(e2e::Field(modify, CNeUserAccountDlg::kPasswordId), QStringLiteral("changed"));
        });
        Click(list, kModifyButtonId);
    });
    ASSERT_TRUE(program_.Command(kCmdNeUserAccount));
    const std::vector<NeUserAccountRecord> accounts = program_.ServerRecords(kReqNeUserAccount, kNorth1);
    const auto builtIn = std::find_if(accounts.begin(), accounts.end(),
                                      [](const NeUserAccountRecord& rec) { return rec.userName == "qurim"; });
    ASSERT_NE(builtIn, accounts.end());
    EXPECT_NE(builtIn->password, "changed");
}

// A refused delete of a community or a manager, a refused state of the secured hosts and a refused next boot
// partition say "Fail to query", the failure text the NE's answer to each is given.
TEST_F(NeManagersHostsE2eTest, SomeRefusedChangesSayFailToQuery)
{
    server_test::CRawClient& probe = program_.ServerProbe();
    NeSnmpManagerRecord manager;
    manager.ipAddress = {10, 40, 0, 9};
    manager.trapCommunity = "public";
    manager.state = 1;
    const NeSnmpCommunityRecord spare{"spare", 1, 1};
    const auto managerBytes = EncodeRecord(manager);
    const auto spareBytes = EncodeRecord(spare);
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqNeSnmpManagerAdd, kNorth1, {managerBytes.begin(), managerBytes.end()},
                                         kNeSnmpManagerRecordSize)));
    ASSERT_TRUE(probe.ReplyTo(probe.Send(2, kReqNeSnmpCommunityAdd, kNorth1, {spareBytes.begin(), spareBytes.end()},
                                         kNeSnmpCommunityRecordSize)));
    e2e::COperator& person = program_.Operator();
    const QString refused = QStringLiteral("Fail to query\n\n");

    person.OnDialog<CNeSnmpCommunityListDlg>([&](CNeSnmpCommunityListDlg& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        program_.ClickListRow(rows, e2e::RowOf(rows, 1, QStringLiteral("spare")));
        RefuseNextChange(program_, kReqNeSnmpCommunityDelete);
        Click(list, kDeleteButtonId);
        ASSERT_FALSE(person.boxTexts.empty());
        EXPECT_TRUE(person.LastBoxText().startsWith(refused)) << person.LastBoxText().toStdString();
        EXPECT_GE(e2e::RowOf(rows, 1, QStringLiteral("spare")), 0);
    });
    ASSERT_TRUE(program_.Command(kCmdSnmpCommunities));

    person.OnDialog<Managers>([&](Managers& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        program_.ClickListRow(rows, e2e::RowOf(rows, Managers::kAddressColumn, QStringLiteral("10.40.0.9")));
        RefuseNextChange(program_, kReqNeSnmpManagerDelete);
        Click(list, kDeleteButtonId);
        ASSERT_FALSE(person.boxTexts.empty());
        EXPECT_TRUE(person.LastBoxText().startsWith(refused)) << person.LastBoxText().toStdString();
        EXPECT_TRUE(ServerHasManager(program_, "10.40.0.9"));
    });
    ASSERT_TRUE(program_.Command(kCmdSnmpManagers));

    person.OnDialog<Hosts>([&](Hosts& list) {
        person.OnDialog<CSecuredHostStateDlg>([&](CSecuredHostStateDlg& state) {
            e2e::Check(state, CSecuredHostStateDlg::kEnabledId);
            RefuseNextChange(program_, kReqSecuredHostState);
            Click(state, IDOK);
            EXPECT_FALSE(state.IsEnded());
            ASSERT_FALSE(person.boxTexts.empty());
            EXPECT_TRUE(person.LastBoxText().startsWith(refused)) << person.LastBoxText().toStdString();
        });
        Click(list, Hosts::kChangeStateButtonId);
    });
    ASSERT_TRUE(program_.Command(kCmdSecuredHosts));

    person.OnDialog<CNeBootPartitionDlg>([&](CNeBootPartitionDlg& boot) {
        RefuseNextChange(program_, kReqNeBootPartition);
        person.AnswerBox(IDYES);
        Click(boot, IDOK);
        EXPECT_FALSE(boot.IsEnded());
        ASSERT_FALSE(person.boxTexts.empty());
        EXPECT_TRUE(person.LastBoxText().startsWith(refused)) << person.LastBoxText().toStdString();
    });
    ASSERT_TRUE(program_.Command(kCmdBootPartition));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// The NE keeps at most 8 managers: the eighth is added, the ninth refused before anything is sent.
TEST_F(NeManagersHostsE2eTest, TheEighthManagerIsAddedAndTheNinthRefused)
{
    server_test::CRawClient& probe = program_.ServerProbe();
    for (size_t i = program_.ServerRecords(kReqNeSnmpManager, kNorth1).size(); i < 7; ++i) {
        NeSnmpManagerRecord manager;
        manager.ipAddress = {10, 41, 0, static_cast<uint8_t>(i + 1)};
        manager.trapCommunity = "public";
        manager.state = 1;
        const auto bytes = EncodeRecord(manager);
        ASSERT_TRUE(probe.ReplyTo(
            probe.Send(2, kReqNeSnmpManagerAdd, kNorth1, {bytes.begin(), bytes.end()}, kNeSnmpManagerRecordSize)));
    }
    ASSERT_EQ(program_.ServerRecords(kReqNeSnmpManager, kNorth1).size(), 7u);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Managers>([&](Managers& list) {
        for (const auto& [address, taken] : {std::pair{"192.0.2.18", true}, std::pair{"192.0.2.19", false}}) {
            person.OnDialog<CNeSnmpManagerDlg>([&](CNeSnmpManagerDlg& add) {
                Type(add, CNeSnmpManagerDlg::kAddressId, QString::fromLatin1(address));
                Type(add, CNeSnmpManagerDlg::kCommunityId, QStringLiteral("traps"));
                Click(add, IDOK);
                EXPECT_EQ(add.IsEnded(), taken) << address;
                EXPECT_EQ(MessageLine(add),
                          taken ? QString() : QStringLiteral("This table is full. Maximum number: 8"));
            });
            Click(list, kAddButtonId);
            EXPECT_EQ(ServerHasManager(program_, address), taken) << address;
        }
    });
    ASSERT_TRUE(program_.Command(kCmdSnmpManagers));
}

// A section's image: enabled while its first address is not above its last (one host, or a range), disabled when it
// is, by address and not by text; such a section goes back unchanged only to be refused.
TEST_F(SecuredHostSectionsE2eTest, ASectionWhoseFirstAddressIsAboveItsLastShowsDisabled)
{
    const struct {
        const char* section;
        int image;
    } rows[] = {
        {"1", 33}, // first equal to last
        {"2", 33}, // first below last
        {"3", 34}, // first above last
        {"4", 33}, // 10.0.0.9 below 10.0.0.10, though its text sorts after
        {"5", 34}, // 10.0.1.0 above 10.0.0.255, though its last part is below
    };
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Hosts>([&](Hosts& list) {
        QTreeView& sections = *list.FindList(kListControlId);
        for (const auto& row : rows) {
            SCOPED_TRACE(row.section);
            EXPECT_EQ(e2e::CellImage(sections, e2e::RowOf(sections, Hosts::kIndexColumn, row.section)), row.image);
        }
        program_.ClickListRow(sections, e2e::RowOf(sections, Hosts::kIndexColumn, QStringLiteral("3")));
        person.OnDialog<CSecuredHostDlg>([&](CSecuredHostDlg& section) {
            Click(section, IDOK);
            EXPECT_EQ(MessageLine(section), QStringLiteral("Start value shouldn't be greater than Stop value"));
            EXPECT_FALSE(section.IsEnded());
        });
        Click(list, kModifyButtonId);
    });
    ASSERT_TRUE(program_.Command(kCmdSecuredHosts));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The header of a column clicked until it shows the ascending arrow; the texts of the column `shown` then.
QStringList SortedAscending(QTreeView& rows, int column, int shown)
{
    for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(rows, column, kImageSortAscending); ++click)
        e2e::CProgram::ClickHeader(*rows.header(), column);
    EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, column, kImageSortAscending)) << column;
    return e2e::ListColumn(rows, shown);
}

// The index sorts as text, the addresses as addresses (the section's number breaking ties).
TEST_F(SecuredHostSectionsE2eTest, TheIndexSortsAsTextAndTheAddressesAsAddresses)
{
    program_.Operator().OnDialog<Hosts>([&](Hosts& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(e2e::ListTitles(rows),
                  (QStringList{"Index", "From IP address", "To IP address", "Authorized Services"}));
        EXPECT_EQ(SortedAscending(rows, Hosts::kIndexColumn, Hosts::kIndexColumn),
                  (QStringList{"1", "10", "11", "2", "3", "4", "5", "6", "7", "8", "9"}));
        EXPECT_EQ(SortedAscending(rows, Hosts::kFirstColumn, Hosts::kIndexColumn),
                  (QStringList{"2", "1", "3", "4", "6", "7", "8", "9", "10", "11", "5"}));
        EXPECT_EQ(SortedAscending(rows, Hosts::kLastColumn, Hosts::kIndexColumn),
                  (QStringList{"2", "3", "1", "4", "6", "7", "8", "9", "10", "11", "5"}));
    });
    ASSERT_TRUE(program_.Command(kCmdSecuredHosts));
}

// North-1 sends its traps to three managers, listed as the NE keeps them.
class ThreeManagersE2eTest : public NeManagersHostsE2eTest {
protected:
    ThreeManagersE2eTest()
    {
        const char* const managers[][2] = {{"10.0.0.100", "Alpha"}, {"10.0.0.9", "beta"}, {"10.0.0.10", "zeta"}};
        for (size_t i = 0; i < std::size(managers); ++i) {
            worldExtra_ += "\n[NE1.NeSnmpManagerRecord." + std::to_string(i + 1) + "]\nipAddress=" + managers[i][0] +
                           "\ntrapCommunity=" + managers[i][1] + "\ntrapVersion=" + std::to_string(i % 2) +
                           "\nstate=1\n";
        }
    }
};

// The managers' addresses sort as addresses, their communities and versions as texts.
TEST_F(ThreeManagersE2eTest, TheAddressesSortAsAddressesAndTheRestAsTexts)
{
    program_.Operator().OnDialog<Managers>([&](Managers& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(e2e::ListTitles(rows), (QStringList{"No.", "IP address", "Trap Community", "SNMP Trap Version"}));
        EXPECT_EQ(SortedAscending(rows, Managers::kAddressColumn + 1, Managers::kAddressColumn),
                  (QStringList{"10.0.0.100", "10.0.0.9", "10.0.0.10"}));
        EXPECT_EQ(SortedAscending(rows, Managers::kAddressColumn, Managers::kAddressColumn),
                  (QStringList{"10.0.0.9", "10.0.0.10", "10.0.0.100"}));
        EXPECT_EQ(SortedAscending(rows, Managers::kVersionColumn, Managers::kVersionColumn),
                  (QStringList{"SNMP v1", "SNMP v1", "SNMP v2c"}));
    });
    ASSERT_TRUE(program_.Command(kCmdSnmpManagers));
}

} // namespace
