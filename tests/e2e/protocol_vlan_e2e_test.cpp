// Protocol-based VLANs in the running program (from a toolbar button the operator configures): the list with its
// NE-wide state, an entry added with the Ethernet type typed in hexadecimal, changed and deleted, the state switched;
// the entry dialog's checks; the server refuses an entry of a type the NE has. An entry an NE holds with a VLAN ID
// outside 1..4094 opens at the nearer bound.

#include "tests/e2e/support/e2e_harness.h"

#include "features/provisioning/vlans/protocol_vlan_dlg.h"
#include "features/provisioning/vlans/protocol_vlan_list_dlg.h"
#include "features/provisioning/vlans/protocol_vlan_setting_dlg.h"
#include "link/ems_msg.h"
#include "link/records/protocol_vlan_rec.h"
#include "link/records/request_codes.h"
#include "link/records/word_record.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"

#include <QAction>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kCmdProtocolVlans = 33191;
constexpr uint32_t kNorth1 = 1;
using List = CProtocolVlanListDlg;
using Entry = CProtocolVlanDlg;
using e2e::Check;
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::RowOf;
using e2e::Type;

void RefuseNextChange(e2e::CProgram& program, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, code, 0, 0});
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
}

std::vector<ProtocolVlanRec> ServerEntries(e2e::CProgram& program)
{
    return program.ServerRecords(kReqProtocolVlan, kNorth1);
}

const ProtocolVlanRec* EntryOf(const std::vector<ProtocolVlanRec>& entries, uint16_t etherType)
{
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const ProtocolVlanRec& rec) { return rec.etherType == etherType; });
    return found != entries.end() ? &*found : nullptr;
}

TEST(ProtocolVlanE2eTest, EntriesAreAddedChangedDeletedAndTheStateSwitched)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.iniExtra = e2e::ToolbarOf(kCmdProtocolVlans);
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<List>([&](List& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        QStringList types = ListColumn(rows, List::kEtherTypeColumn);
        types.sort();
        EXPECT_EQ(types, (QStringList{QStringLiteral("0x0800"), QStringLiteral("0x86dd"), QStringLiteral("0x8863")}));
        const int ipv6 = RowOf(rows, List::kEtherTypeColumn, QStringLiteral("0x86dd"));
        EXPECT_EQ(ListColumn(rows, 2).at(ipv6), QStringLiteral("ipv6-data"));
        EXPECT_EQ(e2e::CellImage(rows, RowOf(rows, List::kEtherTypeColumn, QStringLiteral("0x0800"))), kImageEnabled);
        EXPECT_EQ(e2e::CellImage(rows, ipv6), kImageDisabled);
        EXPECT_EQ(Field(list, List::kStateId), QStringLiteral("enabled"));
        EXPECT_FALSE(list.IsControlEnabled(kModifyButtonId)) << "no row chosen";
        EXPECT_FALSE(list.IsControlEnabled(kDeleteButtonId)) << "no row chosen";
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("protocol_vlan_list")));

        // A new entry: only hexadecimal digits take in the type; the name is checked.
        person.OnDialog<Entry>([&](Entry& entry) {
            EXPECT_EQ(Field(entry, Entry::kEtherTypeId), QStringLiteral("0000"));
            Type(entry, Entry::kEtherTypeId, QStringLiteral("8g8a8"));
            EXPECT_EQ(Field(entry, Entry::kEtherTypeId), QStringLiteral("88a8"));
            // Left with fewer digits, the type is written back with four.
            Type(entry, Entry::kEtherTypeId, QStringLiteral("8a"));
            QFocusEvent left(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(entry.GetDlgItem(Entry::kEtherTypeId), &left);
            EXPECT_EQ(Field(entry, Entry::kEtherTypeId), QStringLiteral("008a"));
            Type(entry, Entry::kEtherTypeId, QStringLiteral("88a8"));
            Type(entry, Entry::kNameId, QStringLiteral("   "));
            Click(entry, IDOK);
            EXPECT_EQ(MessageLine(entry), QStringLiteral("Data is blank"));
            // The trimmed name is checked; its bad character is selected where it stands in the box.
            Type(entry, Entry::kNameId, QStringLiteral("  q in q"));
            Click(entry, IDOK);
            EXPECT_EQ(MessageLine(entry),
                      QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
            EXPECT_EQ(entry.GetDlgItemAs<QLineEdit>(Entry::kNameId)->selectionStart(), 3);
            EXPECT_EQ(entry.GetDlgItemAs<QLineEdit>(Entry::kNameId)->selectedText(), QStringLiteral(" "));
            Type(entry, Entry::kNameId, QStringLiteral(" qinq  "));
            Type(entry, Entry::kVlanId, QStringLiteral("4095"));
            Click(entry, IDOK);
            EXPECT_EQ(MessageLine(entry), QStringLiteral("Please enter an integer between 1 and 4094."));
            Type(entry, Entry::kVlanId, QStringLiteral("400"));
            Check(entry, Entry::kDisabledId);
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(entry, QStringLiteral("protocol_vlan")));
            Click(entry, IDOK);
            EXPECT_TRUE(entry.IsEnded());
        });
        Click(list, kAddButtonId);
        const int added = RowOf(rows, List::kEtherTypeColumn, QStringLiteral("0x88a8"));
        ASSERT_GE(added, 0);
        EXPECT_EQ(list.SelectedRow(), -1) << "the new row is brought into view, not selected";
        EXPECT_EQ(ListColumn(rows, 3).at(added), QStringLiteral("400"));
        EXPECT_EQ(e2e::CellImage(rows, added), kImageDisabled);

        // A type the NE has already: the server refuses, the dialog keeps what was typed.
        person.OnDialog<Entry>([&](Entry& entry) {
            Type(entry, Entry::kEtherTypeId, QStringLiteral("0800"));
            Type(entry, Entry::kNameId, QStringLiteral("ipv4-again"));
            Click(entry, IDOK);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to update data\n\n(32028) Record already exists"));
            EXPECT_FALSE(entry.IsEnded());
            EXPECT_EQ(Field(entry, Entry::kNameId), QStringLiteral("ipv4-again"));
        });
        Click(list, kAddButtonId);
        EXPECT_EQ(ListColumn(rows, List::kEtherTypeColumn).count(QStringLiteral("0x0800")), 1);

        // Changed: the type stays, a blank name is refused.
        program.ClickListRow(rows, RowOf(rows, List::kEtherTypeColumn, QStringLiteral("0x86dd")));
        person.OnDialog<Entry>([&](Entry& entry) {
            EXPECT_TRUE(entry.IsControlReadOnly(Entry::kEtherTypeId));
            EXPECT_EQ(Field(entry, Entry::kNameId), QStringLiteral("ipv6-data"));
            Type(entry, Entry::kNameId, QStringLiteral("  "));
            Click(entry, IDOK);
            EXPECT_EQ(MessageLine(entry), QStringLiteral("Data is blank"));
            Type(entry, Entry::kNameId, QStringLiteral("ipv6 data"));
            Type(entry, Entry::kVlanId, QStringLiteral("102"));
            Check(entry, Entry::kEnabledId);
            Click(entry, IDOK);
            EXPECT_TRUE(entry.IsEnded()) << "a changed name is not held to the characters of a new one";
        });
        Click(list, kModifyButtonId);
        const int changed = RowOf(rows, List::kEtherTypeColumn, QStringLiteral("0x86dd"));
        EXPECT_EQ(ListColumn(rows, 3).at(changed), QStringLiteral("102"));
        EXPECT_EQ(e2e::CellImage(rows, changed), kImageEnabled);

        // Deleted, once the server takes it: a refused delete keeps the row.
        program.ClickListRow(rows, RowOf(rows, List::kEtherTypeColumn, QStringLiteral("0x8863")));
        RefuseNextChange(program, kReqProtocolVlanDelete);
        person.AnswerBox(IDYES);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to delete data\n\n(32028) Change refused by the server"));
        EXPECT_GE(RowOf(rows, List::kEtherTypeColumn, QStringLiteral("0x8863")), 0);
        person.AnswerBox(IDYES);
        Click(list, kDeleteButtonId);
        EXPECT_EQ(RowOf(rows, List::kEtherTypeColumn, QStringLiteral("0x8863")), -1);

        // The NE-wide state; a refused write says so with the text of the state's query.
        person.OnDialog<CProtocolVlanSettingDlg>([&](CProtocolVlanSettingDlg& setting) {
            EXPECT_TRUE(e2e::IsChecked(setting, CProtocolVlanSettingDlg::kEnabledId));
            Check(setting, CProtocolVlanSettingDlg::kDisabledId);
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(setting, QStringLiteral("protocol_vlan_setting")));
            RefuseNextChange(program, kReqProtocolVlanState);
            Click(setting, IDOK);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Fail to query\n\n(32028) Change refused by the server"));
            EXPECT_FALSE(setting.IsEnded());
            Click(setting, IDOK);
        });
        Click(list, List::kChangeStateButtonId);
        EXPECT_EQ(Field(list, List::kStateId), QStringLiteral("disabled"));
    });
    // The button of a command that no menu offers is named by the command's prompt.
    const QAction* button = nullptr;
    for (const QToolBar* bar : program.Frame().findChildren<QToolBar*>()) {
        for (const QAction* action : bar->actions()) {
            if (action->data().toInt() == kCmdProtocolVlans)
                button = action;
        }
    }
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), QStringLiteral("Protocol-based VLAN"));
    ASSERT_TRUE(program.ToolbarButton(kCmdProtocolVlans));

    const std::vector<ProtocolVlanRec> entries = ServerEntries(program);
    ASSERT_NE(EntryOf(entries, 0x88a8), nullptr);
    EXPECT_EQ(*EntryOf(entries, 0x88a8), (ProtocolVlanRec{0x88a8, "qinq", 400, 2}));
    ASSERT_NE(EntryOf(entries, 0x86dd), nullptr);
    EXPECT_EQ(*EntryOf(entries, 0x86dd), (ProtocolVlanRec{0x86dd, "ipv6 data", 102, 1}));
    EXPECT_EQ(EntryOf(entries, 0x8863), nullptr);
    EXPECT_EQ(EntryOf(entries, 0x0800)->name, "ipv4-data");
    EXPECT_EQ(program.ServerRecords(kReqProtocolVlanState, kNorth1).front().value, 0u);
}

// An entry the NE holds with a VLAN ID outside 1..4094 opens at the nearer bound.
TEST(ProtocolVlanDirectE2eTest, AHeldVlanIdOutsideItsRangeOpensAtTheNearerBound)
{
    const struct {
        const char* etherType;
        uint16_t key;
        int held;
        const char* shown;
    } cases[] = {{"0x0901", 0x0901, 0, "1"},
                 {"0x0902", 0x0902, 1, "1"},
                 {"0x0903", 0x0903, 4094, "4094"},
                 {"0x0904", 0x0904, 4095, "4094"}};
    std::string sections;
    for (const auto& c : cases)
        sections += std::string("[ProtocolVlanRec.") + c.etherType + "]\netherType=" + c.etherType + "\nname=vlan-" +
                    std::to_string(c.held) + "\nvlanId=" + std::to_string(c.held) + "\nstate=1\n";
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe(sections));
    for (const auto& c : cases) {
        QString shown;
        program.Operator().OnDialog<Entry>([&](Entry& entry) {
            shown = Field(entry, Entry::kVlanId);
            return IDCANCEL;
        });
        Entry entry;
        entry.SetTarget(1, nullptr);
        entry.SetAccessMode(kAccessModify);
        entry.SetEtherType(c.key);
        entry.DoModal();
        EXPECT_EQ(shown, QString::fromLatin1(c.shown)) << c.held;
    }
    EXPECT_EQ(program.Operator().UnusedDialogScripts(), 0u);
}

} // namespace
