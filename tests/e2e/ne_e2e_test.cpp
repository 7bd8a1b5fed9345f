// The NEs in the running program: the operator adds, changes and deletes NEs from the NE list through the NE dialog
// and its pages, each check keeping the dialog open with its message; the server keeps the result and tells another
// logged-in workstation; an NE added before its configuration was refused is changed, not added again, at the next
// OK; and the NE list's commands follow the NE's state.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/sent_requests.h"
#include "tests/e2e/support/server_records.h"

#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "core/util/ip_address.h"
#include "core/util/names.h"
#include "features/fault/alarm_summary/trap_sum_view.h"
#include "features/management/ne/ne_dlg.h"
#include "features/management/ne/ne_list_dlg.h"
#include "link/records/location_record.h"
#include "link/records/ne_config_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/record_bytes.h"
#include "link/records/request_codes.h"
#include "link/records/word_record.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/lists/list_measure.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/tree/group_view.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kAllNes = 33071, kAddNe = 33063, kShowNe = 33083, kNeListCommand = 33048;
constexpr int kTabBarId = 1100;
constexpr uint32_t kNorth1 = 1, kNeItself = 1, kOfflineAlarm = 0;

using e2e::Click;
using e2e::ComboTexts;
using e2e::Field;
using e2e::MessageLine;
using e2e::Type;
using List = CNeListDlg;

QStringList TabTexts(CNeDlg& dialog)
{
    QStringList texts;
    const auto* bar = dialog.GetDlgItemAs<QTabBar>(kTabBarId);
    for (int i = 0; bar != nullptr && i < bar->count(); ++i)
        texts << bar->tabText(i);
    return texts;
}

// Clicks the page's tab, as the operator does.
void SelectTab(CNeDlg& dialog, const QString& title)
{
    auto* bar = dialog.GetDlgItemAs<QTabBar>(kTabBarId);
    ASSERT_NE(bar, nullptr);
    for (int i = 0; i < bar->count(); ++i) {
        if (bar->tabText(i) == title) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
            return;
        }
    }
    ADD_FAILURE() << "no tab " << title.toStdString();
}

// The NE of that name as the server keeps it.
std::optional<NeKeyRecord> ServerNe(e2e::CProgram& program, const std::string& name)
{
    for (const NeKeyRecord& ne : program.ServerRecords<NeKeyRecord>(kReqNeKey)) {
        if (ne.neName == name)
            return ne;
    }
    return std::nullopt;
}

size_t ServerNeCount(e2e::CProgram& program, const std::string& name)
{
    size_t count = 0;
    for (const NeKeyRecord& ne : program.ServerRecords<NeKeyRecord>(kReqNeKey))
        count += ne.neName == name ? 1 : 0;
    return count;
}

// The probe takes the server's notifications as a logged-in workstation does.
void ListenAsSecondWorkstation(e2e::CProgram& program)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto on = EncodeRecord(WordRecord{1});
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqNotificationsOn, 0, {on.begin(), on.end()}, kWordRecordSize)));
}

// The NE record of a notification of `code` that the second workstation got for the NE of that name.
std::optional<NeKeyRecord> NoticeTo(e2e::CProgram& program, uint16_t code, const std::string& name)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (size_t seen = 0; std::chrono::steady_clock::now() < deadline;) {
        for (; seen < probe.Notifications().size(); ++seen) {
            const Frame& frame = probe.Notifications()[seen];
            NeKeyRecord ne;
            if (frame.header.requestCode == code && frame.payload.size() >= kNeKeyRecordSize &&
                DecodeRecord(frame.payload.data(), kNeKeyRecordSize, &ne) && ne.neName == name)
                return ne;
        }
        if (std::optional<Frame> frame = probe.Receive(100))
            probe.Notifications().push_back(*frame);
    }
    return std::nullopt;
}

// Takes the NE off the network at the server, or brings it back, and waits until the program knows.
void ToggleOffline(e2e::CProgram& program, uint32_t neId, bool offline)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto control = EncodeRecord(SimControlRec{kSimToggleAlarm, kNeItself, kOfflineAlarm, 0});
    const std::optional<Frame> reply = probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqSimControl, neId, {control.begin(), control.end()}, kSimControlRecSize));
    ASSERT_TRUE(reply && reply->header.status == 0);
    ASSERT_TRUE(program.WaitUntil([&] {
        const CNeRecord* ne = AppData().nes.FindNeById(neId);
        return ne != nullptr && ne->root != nullptr && ne->root->IsConnected() == !offline;
    }));
}

int RowOf(QTreeView& list, const QString& name)
{
    return e2e::RowOf(list, List::kNameColumn, name);
}

// The NE dialog on an NE in a mode, as an opener asks the router for it.
void OpenNeDlg(uint32_t neId, uint8_t accessMode)
{
    DialogRequest request;
    request.className = "CNeDlg";
    request.hasTarget = true;
    request.neId = neId;
    request.accessMode = accessMode;
    OpenRouteDialog(request);
}

// What a click on Active Alarm asks the router to open (the alarm dialogs belong to another area).
DialogRequest ActiveAlarmAskedFor(List& dialog)
{
    DialogRequest routed;
    SetRouteDialogInterceptor([&](DialogRequest& request) {
        routed = request;
        return IDCANCEL;
    });
    Click(dialog, List::kActiveAlarmButtonId);
    SetRouteDialogInterceptor({});
    return routed;
}

TEST(NeE2eTest, TheNeListAddsModifiesAndDeletesAnNeThatAnotherWorkstationSees)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    ListenAsSecondWorkstation(program);
    e2e::COperator& person = program.Operator();
    const std::filesystem::path exported = program.WorkDir().Path() / "nes.txt";

    person.OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        EXPECT_EQ(program.ShownColumn(list, List::kNameColumn).join(','), QStringLiteral("North-1,South-1,Spare"));
        EXPECT_EQ(program.ShownColumn(list, List::kModelColumn).join(','),
                  QStringLiteral("IPD-12 (1 shelf),IPD-48 (2 shelves),IPD-12 (1 shelf)"));

        // A new NE: each check keeps the dialog open with its message on the field it concerns.
        person.OnDialog<CNeDlg>([&](CNeDlg& add) {
            EXPECT_EQ(TabTexts(add), (QStringList{"Security", "Position"}));
            EXPECT_EQ(ComboTexts(add, CNeDlg::kLocationComboId), QStringLiteral(",Headquarters,North,South"));
            EXPECT_EQ(Field(add, CNeDlg::kIpAddressId), QStringLiteral("0.0.0.0"));
            // The operator clicks into each field of the address, which shows 0, and types its number.
            const QList<QLineEdit*> fields =
                add.GetDlgItem(CNeDlg::kIpAddressId)->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly);
            EXPECT_EQ(fields.size(), 4);
            const QStringList numbers{"192", "0", "2", "254"};
            for (int i = 0; i < std::min<int>(fields.size(), 4); ++i) {
                QTest::mouseClick(fields[i], Qt::LeftButton, {},
                                  QPoint(fields[i]->width() - 3, fields[i]->height() / 2));
                QTest::keyClicks(QApplication::focusWidget(), numbers[i]);
            }
            EXPECT_EQ(Field(add, CNeDlg::kIpAddressId), QStringLiteral("192.0.2.254"));
            CNeSecurityPage& security = add.SecurityPage();
            EXPECT_EQ(Field(security, CNeSecurityPage::kCommunityId), QStringLiteral("pridox"));
            EXPECT_EQ(Field(security, CNeSecurityPage::kFtpUserId), QStringLiteral("qurim"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("ne_dlg_security")));
            const struct {
                const char* name;
                const char* address;
                const char* message;
                int field;
            } refusals[] = {
                {" ", "", "Data is blank", CNeDlg::kNameId},
                {"North-1", "", "Data exists", CNeDlg::kNameId},
                {"East-1", "", "incorrect IP address", CNeDlg::kIpAddressId},
                {"East-1", "10.10.1.1", "Data exists", CNeDlg::kIpAddressId},
            };
            for (const auto& refusal : refusals) {
                Type(add, CNeDlg::kNameId, QString::fromLatin1(refusal.name));
                Type(add, CNeDlg::kIpAddressId, QString::fromLatin1(refusal.address));
                Click(add, IDOK);
                EXPECT_FALSE(add.IsEnded()) << refusal.message;
                EXPECT_EQ(MessageLine(add), QString::fromLatin1(refusal.message));
                EXPECT_EQ(add.GetMarkedControl(1), refusal.field) << refusal.message;
            }
            Type(add, CNeDlg::kIpAddressId, QStringLiteral("10.40.1.1"));
            e2e::Choose(add, CNeDlg::kLocationComboId, QStringLiteral("North"));
            e2e::Choose(add, CNeDlg::kModelComboId, QStringLiteral("IPD-48 (2 shelves)"));
            SelectTab(add, QStringLiteral("Position"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("ne_dlg_position")));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
            return IDCANCEL;
        });
        Click(dialog, kAddButtonId);
        // The new NE's row is brought into view, not selected; the operator selects it.
        const CListControl rows(&list);
        EXPECT_EQ(rows.GetNextSelected(), -1);
        const int added = e2e::RowOf(list, List::kNameColumn, QStringLiteral("East-1"));
        EXPECT_GE(added, 0);
        EXPECT_EQ(rows.GetItemText(added, List::kLocationColumn), QStringLiteral("North"));
        program.ClickListRow(list, added);

        // Its address changes; the NE's own configuration shows on its pages.
        person.OnDialog<CNeDlg>([&](CNeDlg& modify) {
            EXPECT_EQ(TabTexts(modify), (QStringList{"Security", "Position", "System Information", "Management IP"}));
            EXPECT_EQ(Field(modify, CNeDlg::kIpAddressId), QStringLiteral("10.40.1.1"));
            EXPECT_FALSE(modify.IsControlEnabled(CNeDlg::kModelComboId));
            // The Security page shows its Community List button whole.
            SelectTab(modify, QStringLiteral("Security"));
            const QWidget* communityList = modify.SecurityPage().GetDlgItem(CNeSecurityPage::kCommunityListButtonId);
            EXPECT_TRUE(communityList != nullptr && e2e::ShowsWhole(*communityList));
            SelectTab(modify, QStringLiteral("System Information"));
            EXPECT_EQ(Field(modify.SystemInfoPage(), CNeSystemInfoPage::kDescriptionId),
                      QStringLiteral("IPD-48 (2 shelves) IP DSLAM"));
            EXPECT_EQ(Field(modify.SystemInfoPage(), CNeSystemInfoPage::kServicesId), QStringLiteral("Layer 2, 3"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(modify, QStringLiteral("ne_dlg_system_information")));
            SelectTab(modify, QStringLiteral("Management IP"));
            EXPECT_EQ(Field(modify.MgmtIpPage(), CNeMgmtIpPage::kUgeIpId), QStringLiteral("10.40.1.1"));
            EXPECT_TRUE(modify.MgmtIpPage().IsControlReadOnly(CNeMgmtIpPage::kUgeIpId)); // server mode
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(modify, QStringLiteral("ne_dlg_management_ip")));
            Type(modify, CNeDlg::kIpAddressId, QStringLiteral("10.40.1.2"));
            // In server mode the login and community go to the server as typed, unchecked; only the community is
            // trimmed.
            SelectTab(modify, QStringLiteral("Security"));
            CNeSecurityPage& security = modify.SecurityPage();
            Type(security, CNeSecurityPage::kFtpUserId, QStringLiteral("ops user"));
            Type(security, CNeSecurityPage::kFtpPasswordId, QStringLiteral(" pass#1"));
            Type(security, CNeSecurityPage::kVerificationId, QStringLiteral("other"));
            Type(security, CNeSecurityPage::kCommunityId, QStringLiteral(" pub lic "));
            person.AnswerBox(IDYES);
            Click(modify, IDOK);
            EXPECT_TRUE(modify.IsEnded());
            return IDCANCEL;
        });
        Click(dialog, kModifyButtonId);
        EXPECT_EQ(rows.GetItemText(rows.GetNextSelected(), List::kAddressColumn), QStringLiteral("10.40.1.2"));

        // Addresses sort by their numbers.
        e2e::CProgram::ClickHeader(*list.header(), List::kAddressColumn);
        EXPECT_EQ(program.ShownColumn(list, List::kNameColumn).join(','),
                  QStringLiteral("North-1,South-1,Spare,East-1"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("ne_list_dlg")));

        // Export writes the rows as the list shows them, under the stem "Node".
        person.OnDialog<CExportDlg>([&](CExportDlg& exporter) {
            EXPECT_EQ(Field(exporter, CExportDlg::kFileNameId).endsWith(QStringLiteral("Node.txt")), true);
            Type(exporter, CExportDlg::kFileNameId, QString::fromStdString(exported.string()));
            Click(exporter, IDOK);
            return IDCANCEL;
        });
        Click(dialog, kExportButtonId);

        program.ClickListRow(list, RowOf(list, QStringLiteral("East-1")));
        person.AnswerBox(IDYES);
        Click(dialog, kDeleteButtonId);
        EXPECT_EQ(RowOf(list, QStringLiteral("East-1")), -1);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kAllNes));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();

    const QStringList lines = QString::fromStdString(app_test::ReadText(exported)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6); // the title, the field names and the four rows
    EXPECT_TRUE(lines.back().contains(QStringLiteral("\"East-1\"\t\"North\"\t\"10.40.1.2\"")))
        << lines.back().toStdString();

    // The server kept each step, and the other workstation heard of it.
    EXPECT_FALSE(ServerNe(program, "East-1"));
    const std::optional<NeKeyRecord> added = NoticeTo(program, kReqNeKeyAdd, "East-1");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->ipAddress, (IpAddress{10, 40, 1, 1}));
    EXPECT_EQ(added->modelId, 4u);
    EXPECT_EQ(added->locationId, 2u);
    EXPECT_EQ(added->ftpUser, "qurim");
    EXPECT_EQ(added->snmpCommunity, "pridox");
    EXPECT_EQ(added->autoSync, 2u);
    EXPECT_EQ(added->port, 161u);
    EXPECT_EQ(added->snmpVersion, 0u); // SNMP v1
    EXPECT_EQ(added->plannedFlag, 0u);
    const std::optional<NeKeyRecord> modified = NoticeTo(program, kReqNeKey, "East-1");
    ASSERT_TRUE(modified);
    EXPECT_EQ(modified->ipAddress, (IpAddress{10, 40, 1, 2}));
    EXPECT_EQ(modified->port, 161u);
    EXPECT_EQ(modified->ftpUser, "ops user");
    EXPECT_EQ(modified->ftpPassword, " pass#1");
    EXPECT_EQ(modified->snmpCommunity, "pub lic");
    EXPECT_TRUE(NoticeTo(program, kReqNeKeyDelete, "East-1"));
    EXPECT_TRUE(program.WaitUntil([&] { return program.TreeItem(QStringLiteral("East-1")) == nullptr; }));
    // The delete went to the NE it deletes, not to NE id 0.
    EXPECT_EQ(e2e::SentRequests(program, kReqNeKeyDelete.value),
              QStringList{QStringLiteral("op=2 ne=%1 code=%2").arg(added->neId).arg(kReqNeKeyDelete.value)});
}

// Add NE from the map's NE popup, with an NE current: the dialog starts empty, in the location, as Add NE does
// anywhere; the NE current is left as it is.
TEST(NeE2eTest, AddNeWithAnNeCurrentStartsEmpty)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    person.OnDialog<CNeDlg>([&](CNeDlg& add) {
        EXPECT_EQ(add.GetNeId(), 0);
        EXPECT_EQ(Field(add, CNeDlg::kNameId), QString());
        EXPECT_FALSE(TabTexts(add).contains(QStringLiteral("System Information")));
        return IDCANCEL;
    });
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    ASSERT_EQ(program.Frame().GetCurrentNeId(), kNorth1);
    program.Frame().RouteCommand(kAddNe); // as the map's NE popup sends it

    // A request that names an NE for a new one starts a blank NE all the same, nothing read of the NE named.
    person.OnDialog<CNeDlg>([&](CNeDlg& add) {
        EXPECT_EQ(Field(add, CNeDlg::kNameId), QString());
        EXPECT_EQ(Field(add, CNeDlg::kIpAddressId), QStringLiteral("0.0.0.0"));
        EXPECT_TRUE(add.IsControlEnabled(CNeDlg::kModelComboId));
        EXPECT_EQ(TabTexts(add), (QStringList{"Security", "Position"}));
        return IDCANCEL;
    });
    OpenNeDlg(kNorth1, kAccessCreate);
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
    EXPECT_EQ(ServerNeCount(program, "North-1"), 1u);
}

// The commands on a row follow the NE's state: an NE off the network can be shown, changed and deleted only; one on
// it writes its configuration to flash.
TEST(NeE2eTest, TheRowCommandsFollowTheNesState)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    ToggleOffline(program, kNorth1, true);
    e2e::COperator& person = program.Operator();

    person.OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        const auto enabled = [&](std::initializer_list<int> ids) {
            QStringList on;
            for (const int id : ids)
                on << QString::number(dialog.IsControlEnabled(id) ? id : -id);
            return on.join(',');
        };
        const std::initializer_list<int> commands = {
            kShowButtonId,           kModifyButtonId,       kDeleteButtonId,          List::kActiveAlarmButtonId,
            List::kAdslPortButtonId, List::kBackupButtonId, List::kWriteFlashButtonId};
        EXPECT_EQ(enabled(commands), QStringLiteral("-1291,-1150,-1131,-1174,-1383,-1050,-1310"));
        // Enter runs Show, which without a row asks for one.
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Return);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Please select one item"));
        EXPECT_TRUE(person.unscriptedDialogs.isEmpty());
        program.ClickListRow(list, RowOf(list, QStringLiteral("North-1")));
        EXPECT_EQ(enabled(commands), QStringLiteral("1291,1150,1131,-1174,-1383,-1050,-1310"));
        // The popup offers none of what needs the NE on the network: alarms, ports, backups, flash.
        const std::vector<int> offered = program.RightClickListRow(list, RowOf(list, QStringLiteral("North-1")));
        for (const int command : {List::kPopupActiveAlarm, List::kPopupAdslPort, List::kPopupShdslPort,
                                  List::kPopupBackup, List::kPopupWriteFlash})
            EXPECT_EQ(std::count(offered.begin(), offered.end(), command), 0) << command;
        EXPECT_EQ(std::count(offered.begin(), offered.end(), kPopupShow), 1);

        program.ClickListRow(list, RowOf(list, QStringLiteral("South-1")));
        EXPECT_EQ(enabled(commands), QStringLiteral("1291,1150,1131,1174,1383,1050,1310"));
        // The popup has the backup and flash commands; alarms and ports are the buttons' alone.
        const std::vector<int> online = program.RightClickListRow(list, RowOf(list, QStringLiteral("South-1")));
        for (const int command : {List::kPopupBackup, List::kPopupWriteFlash})
            EXPECT_EQ(std::count(online.begin(), online.end(), command), 1) << command;
        for (const int command : {List::kPopupActiveAlarm, List::kPopupAdslPort, List::kPopupShdslPort})
            EXPECT_EQ(std::count(online.begin(), online.end(), command), 0) << command;
        person.AnswerBox(IDYES);
        Click(dialog, List::kWriteFlashButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Complete writing flash"));

        // The row's alarms: the active alarm dialog (still to come) is asked for on the row's NE.
        const DialogRequest routed = ActiveAlarmAskedFor(dialog);
        EXPECT_EQ(routed.className, "CActiveAlarmDlg");
        EXPECT_EQ(routed.neId, CListControl(&list).GetItemData(RowOf(list, QStringLiteral("South-1"))));

        // A planned NE, though on the network, is handled as one off it.
        CNeRecord& south = *FindNeByName("South-1");
        south.SetPlanned(1);
        program.ClickListRow(list, RowOf(list, QStringLiteral("North-1")));
        program.ClickListRow(list, RowOf(list, QStringLiteral("South-1")));
        EXPECT_EQ(
            enabled({kShowButtonId, List::kActiveAlarmButtonId, List::kBackupButtonId, List::kWriteFlashButtonId}),
            QStringLiteral("1291,-1174,-1050,-1310"));
        south.SetPlanned(0);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kAllNes));
    EXPECT_EQ(person.boxTexts,
              std::vector<QString>{QStringLiteral("Are you sure to let NE write configuration back to flash?")});
}

// A network of more NEs than the list measures in one step: the list opens with every NE in name order, numbered,
// nothing selected and the row commands off; a row the operator selects while the columns are still being measured
// stays selected, and in its place, once they are, and the columns then have room for every name.
TEST(NeE2eTest, AListOfManyNesOpensInNameOrderAndKeepsTheOperatorsRowWhileItsColumnsAreMeasured)
{
    constexpr uint32_t kNes = 3000;
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer({.args = {}, .generatedNes = kNes, .iniExtra = {}}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();

    person.OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        CListControl rows(&list);
        EXPECT_EQ(rows.GetItemCount(), static_cast<int>(AppData().nes.Count()));
        EXPECT_GE(rows.GetItemCount(), static_cast<int>(kNes));
        const QFontMetricsF metrics(list.font());
        QString widest;
        for (int row = 0; row < rows.GetItemCount(); ++row) {
            EXPECT_EQ(rows.GetItemText(row, 0), QString::number(row + 1));
            const QString name = rows.GetItemText(row, List::kNameColumn);
            if (row > 0) {
                const QString above = rows.GetItemText(row - 1, List::kNameColumn);
                EXPECT_LT(CompareNames(above.toStdString(), name.toStdString()), 0) << row;
            }
            if (metrics.horizontalAdvance(name) > metrics.horizontalAdvance(widest))
                widest = name;
        }
        EXPECT_EQ(rows.GetNextSelected(-1), -1);
        EXPECT_FALSE(dialog.IsControlEnabled(kShowButtonId));
        EXPECT_FALSE(dialog.IsControlEnabled(List::kWriteFlashButtonId));

        const int chosen = rows.GetItemCount() / 2 + 7;
        const uint32_t chosenNe = rows.GetItemData(chosen);
        list.scrollTo(list.model()->index(chosen, 0));
        program.ClickListRow(list, chosen);
        EXPECT_TRUE(dialog.IsControlEnabled(kShowButtonId));
        EXPECT_TRUE(app_test::PumpUntil([&] { return !CListMeasure::Of(list).HasWaitingRows(); }));
        EXPECT_EQ(rows.GetNextSelected(-1), chosen);
        EXPECT_EQ(rows.GetItemData(chosen), chosenNe);
        EXPECT_EQ(rows.GetItemText(chosen, 0), QString::number(chosen + 1));
        EXPECT_GT(rows.GetColumnWidth(List::kNameColumn), static_cast<int>(metrics.horizontalAdvance(widest)));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kAllNes));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// Add NE on a location's NEs in the tree starts a blank NE there, whatever NE was selected before, with the NE's
// default community whatever the configured one is.
TEST(NeE2eTest, AddNeOnALocationsNesStartsABlankNeThere)
{
    e2e::CProgram program;
    // The configured community is not the one a new NE starts with.
    ASSERT_TRUE(program.StartServer({.args = {}, .generatedNes = 0, .iniExtra = "[DIALOG]\nSNMPCOMMUNITY=public\n"}));
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    person.OnDialog<CNeDlg>([&](CNeDlg& add) {
        EXPECT_EQ(Field(add, CNeDlg::kNameId), QString());
        EXPECT_EQ(Field(add, CNeDlg::kLocationComboId), QStringLiteral("North"));
        EXPECT_TRUE(add.IsControlEnabled(CNeDlg::kModelComboId));
        EXPECT_EQ(Field(add.SecurityPage(), CNeSecurityPage::kCommunityId), QStringLiteral("pridox"));

        // The position starts at the middle of the location's map, which the page frames with its bounds.
        SelectTab(add, QStringLiteral("Position"));
        CNePositionPage& position = add.PositionPage();
        const auto bound = [&](int id) { return Field(position, id).toDouble(); };
        EXPECT_DOUBLE_EQ(Field(position, CNePositionPage::kLongitudeId).toDouble(),
                         (bound(CNePositionPage::kMinLongitudeId) + bound(CNePositionPage::kMaxLongitudeId)) / 2);
        EXPECT_DOUBLE_EQ(Field(position, CNePositionPage::kLatitudeId).toDouble(),
                         (bound(CNePositionPage::kMinLatitudeId) + bound(CNePositionPage::kMaxLatitudeId)) / 2);
        const QString centre = Field(position, CNePositionPage::kLongitudeId);
        const QWidget* frame = position.GetDlgItem(CNePositionPage::kMapFrameId);
        if (frame == nullptr) {
            ADD_FAILURE() << "no map frame";
            return IDCANCEL;
        }
        // A click without a drag leaves the marker where it is.
        QTest::mouseClick(&position, Qt::LeftButton, {}, frame->geometry().bottomRight());
        EXPECT_EQ(Field(position, CNePositionPage::kLongitudeId), centre);
        // Dragged into the frame's top left corner, the marker stands at the map's west and north bounds.
        program.Drag(position, frame->geometry().center(), frame->geometry().topLeft());
        EXPECT_EQ(Field(position, CNePositionPage::kLongitudeId), Field(position, CNePositionPage::kMinLongitudeId));
        EXPECT_EQ(Field(position, CNePositionPage::kLatitudeId), Field(position, CNePositionPage::kMaxLatitudeId));
        // The frame's right and bottom edges lie inside it: its bottom right corner is the map's east and south.
        const QRect area = frame->geometry();
        program.Drag(position, area.center(), QPoint(area.left() + area.width(), area.top() + area.height()));
        EXPECT_EQ(Field(position, CNePositionPage::kLongitudeId), Field(position, CNePositionPage::kMaxLongitudeId));
        EXPECT_EQ(Field(position, CNePositionPage::kLatitudeId), Field(position, CNePositionPage::kMinLatitudeId));
        // A longitude typed beyond the map is brought back to its bound when the operator leaves the field.
        auto* longitude = position.GetDlgItemAs<QLineEdit>(CNePositionPage::kLongitudeId);
        if (longitude != nullptr) {
            longitude->setText(QStringLiteral("200.5"));
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(longitude, &leave);
        }
        EXPECT_EQ(Field(position, CNePositionPage::kLongitudeId), Field(position, CNePositionPage::kMaxLongitudeId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("ne_dlg_position_dragged")));
        return IDCANCEL;
    });
    program.ClickTreeItem(program.TreeItem(QStringLiteral("South-1")));
    QTreeWidgetItem* north = program.TreeItem(QStringLiteral("North"));
    ASSERT_NE(north, nullptr);
    program.RightClickTreeItem(north->child(0), kAddNe);
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
    EXPECT_EQ(person.dialogsRun.size(), 1);
}

// The marker follows a drag in Show mode too.
TEST(NeE2eTest, TheMarkerIsDraggedInShowModeToo)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    bool worked = false;
    person.OnDialog<CNeDlg>([&](CNeDlg& show) {
        SelectTab(show, QStringLiteral("Position"));
        CNePositionPage& position = show.PositionPage();
        const QWidget* frame = position.GetDlgItem(CNePositionPage::kMapFrameId);
        ASSERT_NE(frame, nullptr);
        program.Drag(position, frame->geometry().center(), frame->geometry().topLeft());
        EXPECT_EQ(Field(position, CNePositionPage::kLongitudeId), Field(position, CNePositionPage::kMinLongitudeId));
        EXPECT_EQ(Field(position, CNePositionPage::kLatitudeId), Field(position, CNePositionPage::kMaxLatitudeId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(show, QStringLiteral("ne_dlg_position_shown_dragged")));
        worked = true;
    });
    OpenNeDlg(kNorth1, kAccessQuery);
    EXPECT_TRUE(worked);
}

// A location's NE list takes in the NEs of the locations below it unless DIALOG/NELISTINCLSUBNE says no.
TEST(NeE2eTest, ALocationsNeListTakesInTheLocationsBelowItUnlessConfiguredNot)
{
    const struct {
        const char* ini;
        const char* location;
        const char* names;
    } cases[] = {
        {"", "Headquarters", "North-1,South-1"},
        {"[DIALOG]\nNELISTINCLSUBNE=0\n", "Headquarters", ""},
        {"[DIALOG]\nNELISTINCLSUBNE=0\n", "North", "North-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.ini) + c.location);
        e2e::CProgram program;
        ASSERT_TRUE(program.StartServer({.args = {}, .generatedNes = 0, .iniExtra = c.ini}));
        ASSERT_TRUE(program.Login("admin", "admin"));
        e2e::COperator& person = program.Operator();
        person.OnDialog<List>([&](List& dialog) {
            EXPECT_EQ(program.ShownColumn(*dialog.FindList(kListControlId), List::kNameColumn).join(','),
                      QString::fromLatin1(c.names));
            return IDCANCEL;
        });
        program.RightClickTreeItem(program.TreeItem(QString::fromLatin1(c.location)), kNeListCommand);
        EXPECT_EQ(person.dialogsRun.size(), 1);
    }
}

// The alarm summary's rows of NEs list the NEs off the network, or those on it, across all locations.
TEST(NeE2eTest, TheAlarmSummarysNeRowsListTheNesOfTheirConnectionState)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    ToggleOffline(program, kNorth1, true);
    auto* summary = dynamic_cast<CTrapSumView*>(program.Frame().GetAlarmSummaryView());
    ASSERT_NE(summary, nullptr);
    QTreeView& rows = *summary->FindList(kListControlId);
    e2e::COperator& person = program.Operator();
    for (const auto& [row, names] :
         {std::pair{CTrapSumView::kRowOffline, "North-1"}, std::pair{CTrapSumView::kRowOnline, "South-1,Spare"}}) {
        person.OnDialog<List>([&, names = names](List& dialog) {
            EXPECT_EQ(program.ShownColumn(*dialog.FindList(kListControlId), List::kNameColumn).join(','),
                      QString::fromLatin1(names));
            return IDCANCEL;
        });
        program.RightClickListRow(rows, row, CTrapSumView::kCmdDetail);
    }
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// The NE's own texts take name characters only, whether the operator changed them or not: South-1's contact, as the
// NE holds it, is refused until it is changed.
TEST(NeE2eTest, TheNesOwnTextsTakeNameCharactersOnlyChangedOrNot)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();

    person.OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        program.ClickListRow(list, RowOf(list, QStringLiteral("South-1")));
        person.OnDialog<CNeDlg>([&](CNeDlg& modify) {
            CNeSystemInfoPage& texts = modify.SystemInfoPage();
            SelectTab(modify, QStringLiteral("System Information"));
            EXPECT_EQ(Field(texts, CNeSystemInfoPage::kContactId), QStringLiteral("South field team"));
            Type(modify, CNeDlg::kNameId, QStringLiteral("South-2"));
            Click(modify, IDOK);
            EXPECT_EQ(MessageLine(modify),
                      QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
            EXPECT_EQ(texts.GetMarkedControl(1), CNeSystemInfoPage::kContactId);
            EXPECT_EQ(texts.GetDlgItemAs<QLineEdit>(CNeSystemInfoPage::kContactId)->selectedText(),
                      QStringLiteral(" "));
            EXPECT_TRUE(person.boxTexts.empty()) << "refused before the question";
            Type(texts, CNeSystemInfoPage::kContactId, QStringLiteral("South-field-team"));
            Click(modify, IDOK);
            EXPECT_EQ(texts.GetMarkedControl(1), CNeSystemInfoPage::kPlaceId);
            Type(texts, CNeSystemInfoPage::kPlaceId, QStringLiteral("Depot-4"));
            person.AnswerBox(IDYES);
            Click(modify, IDOK);
            EXPECT_TRUE(modify.IsEnded());
            return IDCANCEL;
        });
        Click(dialog, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kAllNes));
    EXPECT_TRUE(ServerNe(program, "South-2"));
    const std::vector<std::vector<uint8_t>> config = program.QueryServer(kReqNeConfig, 2);
    ASSERT_EQ(config.size(), 1u);
    NeConfigRecord rec;
    ASSERT_TRUE(DecodeRecord(config[0].data(), config[0].size(), &rec));
    EXPECT_EQ(rec.contact, "South-field-team");
    EXPECT_EQ(rec.place, "Depot-4");
}

// In direct mode the NE dialog shows the NE's own configuration, read over SNMP, and writes it back there: the
// management addresses are checked against each other and the NE's cascaded management before they go, and a change
// of them advises a new login.
TEST(NeE2eTest, InDirectModeTheNesManagementAddressesAreCheckedAndWritten)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartAgent());
    ASSERT_TRUE(program.Login("qurim", "private"));
    e2e::COperator& person = program.Operator();
    person.OnDialog<CNeDlg>([&](CNeDlg& show) {
        EXPECT_EQ(TabTexts(show), (QStringList{"System Information", "Management IP"}));
        EXPECT_EQ(show.GetCurrentPage(), &show.SystemInfoPage());
        EXPECT_FALSE(show.IsControlEnabled(CNeDlg::kNameId));
        EXPECT_FALSE(show.IsControlEnabled(IDOK));
        EXPECT_EQ(Field(show.SystemInfoPage(), CNeSystemInfoPage::kDescriptionId),
                  QStringLiteral("IPD-48 simulated NE"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(show, QStringLiteral("ne_dlg_direct")));
        return IDCANCEL;
    });
    program.RightClickTreeItem(program.TreeItem(QStringLiteral("127.0.0.1")), kShowNe);

    // Changed as the NE list's Modify opens it. The NE's own texts take name characters only, here as in server mode.
    person.OnDialog<CNeDlg>([&](CNeDlg& modify) {
        Click(modify, IDOK);
        EXPECT_EQ(MessageLine(modify),
                  QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
        EXPECT_EQ(modify.SystemInfoPage().GetMarkedControl(1), CNeSystemInfoPage::kPlaceId);
        Type(modify.SystemInfoPage(), CNeSystemInfoPage::kPlaceId, QStringLiteral("Lab-rack-3"));
        CNeMgmtIpPage& addresses = modify.MgmtIpPage();
        SelectTab(modify, QStringLiteral("Management IP"));
        EXPECT_EQ(Field(addresses, CNeMgmtIpPage::kUgeIpId), QStringLiteral("10.10.1.1"));
        const struct {
            const char* uge;
            const char* gateway;
            const char* message;
            int field;
        } refusals[] = {
            {"10.10.1", "10.10.1.254", "Format error", CNeMgmtIpPage::kUgeIpId},
            {"192.168.1.20", "192.168.1.254", "NME subnet is the same as UGE subnet", CNeMgmtIpPage::kUgeMaskId},
            {"10.10.2.1", "10.10.1.254", "Gateway IP is not in NME subnet or UGE subnet", CNeMgmtIpPage::kGatewayId},
        };
        for (const auto& refusal : refusals) {
            Type(addresses, CNeMgmtIpPage::kUgeIpId, QString::fromLatin1(refusal.uge));
            Type(addresses, CNeMgmtIpPage::kGatewayId, QString::fromLatin1(refusal.gateway));
            Click(modify, IDOK);
            EXPECT_FALSE(modify.IsEnded()) << refusal.message;
            EXPECT_EQ(MessageLine(modify), QString::fromLatin1(refusal.message));
            EXPECT_EQ(addresses.GetMarkedControl(1), refusal.field) << refusal.message;
        }
        // The VLAN id is held to 1..4094: a value at an end goes on to the gateway's refusal, one past it is refused.
        const QString vlan = Field(addresses, CNeMgmtIpPage::kVlanId);
        for (const auto& [value, inRange] :
             {std::pair{"0", false}, std::pair{"1", true}, std::pair{"4094", true}, std::pair{"4095", false}}) {
            Type(addresses, CNeMgmtIpPage::kVlanId, QString::fromLatin1(value));
            Click(modify, IDOK);
            EXPECT_FALSE(modify.IsEnded()) << value;
            EXPECT_EQ(MessageLine(modify).startsWith(QStringLiteral("Please enter an integer")), !inRange) << value;
        }
        Type(addresses, CNeMgmtIpPage::kVlanId, vlan);
        Type(addresses, CNeMgmtIpPage::kUgeIpId, QStringLiteral("10.10.2.1"));
        Type(addresses, CNeMgmtIpPage::kGatewayId, QStringLiteral("10.10.2.254"));
        person.AnswerBox(IDYES);
        Click(modify, IDOK);
        EXPECT_TRUE(modify.IsEnded());
        return IDCANCEL;
    });
    OpenNeDlg(kNeItself, kAccessModify);
    ASSERT_EQ(person.boxTexts.size(), 2u);
    EXPECT_EQ(person.boxTexts[1],
              QStringLiteral("NE management IP config has been changed.\n\nYou had better re-login."));

    person.OnDialog<CNeDlg>([&](CNeDlg& show) {
        EXPECT_EQ(Field(show.MgmtIpPage(), CNeMgmtIpPage::kUgeIpId), QStringLiteral("10.10.2.1"));
        return IDCANCEL;
    });
    program.RightClickTreeItem(program.TreeItem(QStringLiteral("127.0.0.1")), kShowNe);
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// In direct mode the Security page is hidden, yet OK checks what it holds: logged in with a community that is no
// name, the NE's own configuration is refused with the message on the dialog's line, before any question, and the
// NE keeps what it had.
TEST(NeE2eTest, InDirectModeACommunityThatIsNoNameStopsTheWrite)
{
    e2e::CProgram program;
    e2e::PeerOptions agent;
    agent.args = {"--community", "pri#vate"};
    ASSERT_TRUE(program.StartAgent(agent));
    ASSERT_TRUE(program.Login("qurim", "pri#vate"));
    e2e::COperator& person = program.Operator();
    QString place;
    person.OnDialog<List>([&](List& dialog) {
        program.ClickListRow(*dialog.FindList(kListControlId), 0);
        person.OnDialog<CNeDlg>([&](CNeDlg& modify) {
            EXPECT_EQ(TabTexts(modify), (QStringList{"System Information", "Management IP"}));
            place = Field(modify.SystemInfoPage(), CNeSystemInfoPage::kPlaceId);
            Type(modify.SystemInfoPage(), CNeSystemInfoPage::kPlaceId, QStringLiteral("Lab-rack-3"));
            Click(modify, IDOK);
            EXPECT_FALSE(modify.IsEnded());
            EXPECT_EQ(MessageLine(modify),
                      QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
            EXPECT_TRUE(person.boxTexts.empty()) << "refused before the question";
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(modify, QStringLiteral("ne_dlg_direct_community_refused")));
            return IDCANCEL;
        });
        Click(dialog, kModifyButtonId);
        person.OnDialog<CNeDlg>([&](CNeDlg& show) {
            EXPECT_EQ(Field(show.SystemInfoPage(), CNeSystemInfoPage::kPlaceId), place);
            return IDCANCEL;
        });
        Click(dialog, kShowButtonId);
        return IDCANCEL;
    });
    program.RightClickTreeItem(program.Tree().Tree()->topLevelItem(0), kNeListCommand);
    EXPECT_FALSE(place.isEmpty());
    EXPECT_NE(place, QStringLiteral("Lab-rack-3"));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// The NE list of the direct link, as its tree's popup opens it: one NE, no adding, deleting or server backups, no
// location; Active Alarm shows the directly managed NE's alarms after asking the NE for them.
TEST(NeE2eTest, InDirectModeTheNeListsActiveAlarmShowsTheDirectlyManagedNe)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartAgent());
    ASSERT_TRUE(program.Login("qurim", "private"));
    e2e::COperator& person = program.Operator();
    bool opened = false;
    person.OnDialog<List>([&](List& dialog) {
        opened = true;
        QTreeView& list = *dialog.FindList(kListControlId);
        for (const int hidden : {kAddButtonId, kDeleteButtonId, static_cast<int>(List::kBackupButtonId)})
            EXPECT_FALSE(dialog.GetDlgItem(hidden)->isVisible()) << hidden;
        EXPECT_TRUE(list.header()->isSectionHidden(List::kLocationColumn));
        EXPECT_EQ(CListControl(&list).GetItemCount(), 1);
        program.ClickListRow(list, 0);
        const DialogRequest routed = ActiveAlarmAskedFor(dialog);
        EXPECT_EQ(MessageLine(dialog), QString());
        EXPECT_EQ(routed.className, "CActiveAlarmDlg");
        EXPECT_EQ(routed.neId, kNeItself);
        EXPECT_EQ(routed.entity.id, kNeItself);
        return IDCANCEL;
    });
    program.RightClickTreeItem(program.Tree().Tree()->topLevelItem(0), kNeListCommand);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// The Model column sorts by the models' ids, not by their names: an NE of a model the workstation's entity file lacks
// (id 9) shows no model name, yet sorts after the models of lower ids.
TEST(NeE2eTest, TheModelColumnSortsByTheModelsIds)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    CNeRecord* spare = FindNeByName("Spare");
    ASSERT_NE(spare, nullptr);
    spare->neModelId = 9;
    program.Operator().OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        e2e::CProgram::ClickHeader(*list.header(), List::kModelColumn);
        EXPECT_EQ(program.ShownColumn(list, List::kModelColumn).join(','),
                  QStringLiteral("IPD-12 (1 shelf),IPD-48 (2 shelves),"));
        EXPECT_EQ(program.ShownColumn(list, List::kNameColumn).join(','), QStringLiteral("North-1,South-1,Spare"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kAllNes));
}

// "No." sorts as a number: with ten NEs, row 10 comes before row 9 when the column is sorted downwards, and after it
// upwards. The rows are numbered in name order; seven NEs are added through the server to the three of the world.
TEST(NeE2eTest, TheNumberColumnSortsAsANumber)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    server_test::CRawClient& probe = program.ServerProbe();
    for (uint8_t n = 1; n <= 7; ++n) {
        NeKeyRecord ne;
        ne.neName = "Extra-" + std::to_string(n);
        ne.modelId = 4;
        ne.locationId = 2;
        ne.ipAddress = {10, 50, 1, n};
        ne.port = 161;
        const auto bytes = EncodeRecord(ne);
        const std::optional<Frame> reply =
            probe.ReplyTo(probe.Send(2, kReqNeKeyAdd, 0, {bytes.begin(), bytes.end()}, kNeKeyRecordSize));
        ASSERT_TRUE(reply && reply->header.status == 0) << ne.neName;
    }
    ASSERT_TRUE(program.WaitUntil([] { return FindNeByName("Extra-7") != nullptr; }));
    program.Operator().OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        constexpr int kNumberColumn = 0;
        // Sorted by name downwards first, so that the numbers' order is not the rows' order already.
        for (int click = 0;
             click < 2 && !e2e::CProgram::HeaderShowsImage(list, List::kNameColumn, kImageSortDescending); ++click)
            e2e::CProgram::ClickHeader(*list.header(), List::kNameColumn);
        EXPECT_EQ(program.ShownColumn(list, List::kNameColumn).join(','),
                  QStringLiteral("Spare,South-1,North-1,Extra-7,Extra-6,Extra-5,Extra-4,Extra-3,Extra-2,Extra-1"));
        for (const auto& [arrow, numbers] : {std::pair{kImageSortAscending, "1,2,3,4,5,6,7,8,9,10"},
                                             std::pair{kImageSortDescending, "10,9,8,7,6,5,4,3,2,1"}}) {
            for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(list, kNumberColumn, arrow); ++click)
                e2e::CProgram::ClickHeader(*list.header(), kNumberColumn);
            EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(list, kNumberColumn, arrow)) << arrow;
            EXPECT_EQ(program.ShownColumn(list, kNumberColumn).join(','), QString::fromLatin1(numbers)) << arrow;
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kAllNes));
}

// Each column of the NE list sorts by its own rule, upwards at the first click: names, locations and communities with
// letter case aside, addresses as numbers (10.10.1.9 before 10.10.1.10) and, on one address, by port. Three NEs and a
// location in small letters are added through the server to the three NEs of the world.
TEST(NeE2eTest, EachColumnOfTheNeListSortsByItsOwnRule)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    const auto add = [&](uint16_t code, const auto& record, uint32_t size) {
        return e2e::AddThroughServer(program, code, record, size);
    };
    LocationRecord east;
    east.name = "east";
    east.parentId = 1;
    const uint32_t eastId = add(kReqLocationAdd, east, kLocationRecordSize);
    struct Added {
        const char* name;
        uint32_t location;
        IpAddress address;
        uint16_t port;
        const char* community;
    };
    // On one address the ports order "mike" before "able", against their names.
    for (const Added& added :
         {Added{"able", eastId, {10, 10, 1, 9}, 1161, "zulu"}, Added{"mike", 2, {10, 10, 1, 9}, 162, "admin"},
          Added{"Zed", 3, {10, 10, 1, 10}, 161, "Private"}}) {
        NeKeyRecord ne;
        ne.neName = added.name;
        ne.modelId = 4;
        ne.locationId = added.location;
        ne.ipAddress = added.address;
        ne.port = added.port;
        ne.snmpCommunity = added.community;
        add(kReqNeKeyAdd, ne, kNeKeyRecordSize);
    }
    ASSERT_TRUE(program.WaitUntil([] { return FindNeByName("Zed") != nullptr && FindNeByName("able") != nullptr; }));
    program.Operator().OnDialog<List>([&](List& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        constexpr int kCommunityColumn = 4;
        const struct {
            int clicked;
            int read;
            const char* shown;
        } sorts[] = {
            {List::kNameColumn, List::kNameColumn, "able,mike,North-1,South-1,Spare,Zed"},
            {List::kLocationColumn, List::kLocationColumn, "<Root>,east,North,North,South,South"},
            {List::kAddressColumn, List::kNameColumn, "North-1,mike,able,Zed,South-1,Spare"},
            {kCommunityColumn, kCommunityColumn, "admin,Private,public,public,public,zulu"},
        };
        for (const auto& sort : sorts) {
            for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(list, sort.clicked, kImageSortAscending);
                 ++click)
                e2e::CProgram::ClickHeader(*list.header(), sort.clicked);
            EXPECT_EQ(program.ShownColumn(list, sort.read).join(','), QString::fromLatin1(sort.shown)) << sort.clicked;
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kAllNes));
}

// An operator of a location chooses the NE's location among that location and those below it, without the empty
// entry that an operator of every location has first.
TEST(NeE2eTest, AnOperatorOfALocationChoosesAmongItsLocationsOnly)
{
    for (const auto& [user, locations] :
         {std::pair{"manager", "Headquarters,North,South"}, std::pair{"north", "North"}}) {
        SCOPED_TRACE(user);
        e2e::CProgram program;
        ASSERT_TRUE(program.StartServer());
        ASSERT_TRUE(program.Login(user, user));
        e2e::COperator& person = program.Operator();
        person.OnDialog<CNeDlg>([&](CNeDlg& show) {
            EXPECT_EQ(ComboTexts(show, CNeDlg::kLocationComboId), QString::fromLatin1(locations));
            EXPECT_EQ(Field(show, CNeDlg::kLocationComboId), QStringLiteral("North"));
            return IDCANCEL;
        });
        OpenNeDlg(kNorth1, kAccessQuery);
        EXPECT_EQ(person.UnusedDialogScripts(), 0u);
    }
}

} // namespace
