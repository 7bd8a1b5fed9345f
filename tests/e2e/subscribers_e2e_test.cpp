// Subscribers in the running program: the selection finds them by patterns on an NE and its ports, the list pages
// through them, and the operator adds one to a port, finds it by a part of its name, changes and deletes it through
// the Subscriber Data dialog; the server refuses an ID another port's subscriber has. A subscriber on an NE outside
// the operator's scope is listed but neither changed nor deleted.

#include "tests/e2e/support/e2e_harness.h"

#include "core/entity/entity_index.h"
#include "core/tables/app_data.h"
#include "features/management/subscribers/subscriber_data_dlg.h"
#include "features/management/subscribers/subscriber_list_dlg.h"
#include "features/management/subscribers/subscriber_select_dlg.h"
#include "features/provisioning/ports/adsl_port_list_dlg.h"
#include "link/ems_msg.h"
#include "link/records/ne_key_record.h"
#include "link/records/request_codes.h"
#include "link/records/subscriber_record.h"
#include "link/records/user_rights_record.h"
#include "platform/list_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/main_frame.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr int kCmdSubscriber = 33096, kCmdAdslPorts = 33130;
constexpr uint32_t kNorth1 = 1;
constexpr int kFromId = 1304, kToId = 1306, kTotalId = 1303;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;
using Select = CSubscriberSelectDlg;
using SubList = CSubscriberListDlg;
using Data = CSubscriberDataDlg;
using Ports = CSubscriberPortCombos;

std::optional<SubscriberRecord> ServerSubscriber(e2e::CProgram& program, const std::string& id)
{
    const auto criteria = EncodeRecord(SubscriberCriteria{id, "", 0, 1, 10});
    for (const auto& bytes :
         program.QueryServer(kReqSubscriber, 0, {criteria.begin(), criteria.end()}, kSubscriberCriteriaSize)) {
        SubscriberRecord rec;
        if (DecodeRecord(bytes.data(), bytes.size(), &rec))
            return rec;
    }
    return std::nullopt;
}

QStringList Ids(SubList& list)
{
    return ListColumn(*list.FindList(kListControlId), SubList::kIdColumn);
}

void SelectId(e2e::CProgram& program, SubList& list, const QString& id)
{
    QTreeView& rows = *list.FindList(kListControlId);
    const int row = e2e::RowOf(rows, SubList::kIdColumn, id);
    ASSERT_GE(row, 0) << id.toStdString();
    program.ClickListRow(rows, row);
}

TEST(SubscribersE2eTest, ASubscriberIsAddedToAPortFoundByAPatternChangedAndDeleted)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<Select>([&](Select& select) {
        // The selection starts at the NE chosen in the tree, every port of it, among the NEs of every location.
        const auto* locations = select.GetDlgItemAs<QComboBox>(Ports::kLocationComboId);
        ASSERT_NE(locations, nullptr);
        EXPECT_EQ(locations->currentIndex(), 0);
        EXPECT_EQ(locations->currentData().value<quint32>(), 0u);
        EXPECT_EQ(e2e::ComboTexts(select, Ports::kNeComboId), QStringLiteral(" <ALL>,North-1,South-1,Spare"));
        EXPECT_EQ(Field(select, Ports::kNeComboId), QStringLiteral("North-1"));
        EXPECT_EQ(Field(select, Ports::kShelfComboId), QStringLiteral(" <ALL>"));
        EXPECT_FALSE(select.IsControlEnabled(Ports::kSlotComboId));
        EXPECT_FALSE(select.IsControlEnabled(Ports::kPortComboId));
        Type(select, Select::kIdEditId, QStringLiteral("*SUB"));
        Click(select, IDOK);
        EXPECT_EQ(MessageLine(select), QStringLiteral("The first character can't be '*'"));
        EXPECT_EQ(select.GetDlgItemAs<QLineEdit>(Select::kIdEditId)->selectedText(), QStringLiteral("*"));
        Type(select, Select::kIdEditId, QStringLiteral("SUB"));
        Check(select, Select::kIdSubstringCheckId);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(select, QStringLiteral("subscriber_select")));

        person.OnDialog<SubList>([&](SubList& list) {
            EXPECT_EQ(Ids(list), (QStringList{QStringLiteral("SUB-0001"), QStringLiteral("SUB-0002")}));
            EXPECT_EQ(Field(list, kTotalId), QStringLiteral("2"));
            EXPECT_EQ(Field(list, kToId), QStringLiteral("2"));
            QTreeView& rows = *list.FindList(kListControlId);
            EXPECT_EQ(e2e::CellImage(rows, 0, SubList::kClassColumn), kImageHomeUser);
            EXPECT_EQ(ListColumn(rows, 4).value(0), QStringLiteral("1-1")) << "the port's slot and port";
            EXPECT_FALSE(list.IsControlEnabled(kModifyButtonId));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("subscriber_list")));

            // Add: the port starts at the selected subscriber's; the operator picks port 3.
            SelectId(program, list, QStringLiteral("SUB-0002"));
            person.OnDialog<Data>([&](Data& add) {
                EXPECT_EQ(Field(add, Ports::kNeComboId), QStringLiteral("North-1"));
                EXPECT_TRUE(add.IsControlEnabled(Ports::kPortComboId));
                EXPECT_TRUE(Choose(add, Ports::kPortComboId, QStringLiteral("3")));
                Type(add, Data::kIdEditId, QStringLiteral("SUB-0001"));
                Type(add, Data::kNameEditId, QStringLiteral("   "));
                Click(add, IDOK);
                EXPECT_EQ(MessageLine(add), QStringLiteral("Data is blank"));
                Type(add, Data::kNameEditId, QStringLiteral("Carla Berg"));
                // The server refuses an ID that another port's subscriber has.
                Click(add, IDOK);
                EXPECT_EQ(person.LastBoxText(),
                          QStringLiteral("Adding new data failed\n\n(32028) Subscriber ID already exists"));
                EXPECT_FALSE(add.IsEnded());
                Type(add, Data::kIdEditId, QStringLiteral("SUB-0003"));
                Check(add.ClassPage(), CSubscriberClassPage::kEnterpriseRadioId);
                Check(add.ClassPage(), CSubscriberClassPage::kDhcpRadioId);
                add.SelectPage(&add.ContactPage());
                Type(add.ContactPage(), CSubscriberContactPage::kTelephoneId, QStringLiteral("+1 555 0103"));
                Type(add.ContactPage(), CSubscriberContactPage::kEmailId, QStringLiteral("carla@example.net"));
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("subscriber_data")));
                add.SelectPage(&add.ClassPage());
                EXPECT_TRUE(e2e::CProgram::SaveScreenshot(add, QStringLiteral("subscriber_data_class")));
                Click(add, IDOK);
                EXPECT_TRUE(add.IsEnded());
                return IDCANCEL;
            });
            Click(list, kAddButtonId);
            EXPECT_EQ(Ids(list).value(2), QStringLiteral("SUB-0003"));
            // The new row comes into view; the operator's selection stays.
            const CListControl shown(&rows);
            EXPECT_EQ(Ids(list).value(shown.GetNextSelected(-1)), QStringLiteral("SUB-0002"));
            EXPECT_EQ(shown.GetNextSelected(shown.GetNextSelected(-1)), -1);
            EXPECT_EQ(ListColumn(rows, 0).value(2), QStringLiteral("3"));
            EXPECT_EQ(Field(list, kTotalId), QStringLiteral("3"));

            // Modify: the port's subscriber as the server keeps it, the port fixed.
            SelectId(program, list, QStringLiteral("SUB-0002"));
            person.OnDialog<Data>([&](Data& modify) {
                EXPECT_EQ(Field(modify, Data::kNameEditId), QStringLiteral("Ben Lind"));
                EXPECT_FALSE(modify.IsControlEnabled(Ports::kPortComboId));
                EXPECT_TRUE(e2e::IsChecked(modify.ClassPage(), CSubscriberClassPage::kFixedIpRadioId));
                modify.SelectPage(&modify.ContactPage());
                Type(modify.ContactPage(), CSubscriberContactPage::kMobileId, QStringLiteral("+1 555 0912"));
                person.AnswerBox(IDYES);
                Click(modify, IDOK);
                EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to modify subscriber information?"));
                return IDCANCEL;
            });
            Click(list, kModifyButtonId);
            EXPECT_EQ(ListColumn(rows, 8).value(e2e::RowOf(rows, SubList::kIdColumn, QStringLiteral("SUB-0002"))),
                      QStringLiteral("+1 555 0912"));
            EXPECT_EQ(list.GetChangeFlags(), kChangeAdded | kChangeModified);
        });
        Click(select, IDOK);
        EXPECT_FALSE(select.IsEnded());
        EXPECT_EQ(select.GetChangeFlags(), kChangeAdded | kChangeModified);

        // Found by a part of the name on every NE; then deleted.
        Type(select, Select::kIdEditId, QString());
        Type(select, Select::kNameEditId, QStringLiteral("Berg"));
        Check(select, Select::kNameSubstringCheckId);
        EXPECT_TRUE(Choose(select, Ports::kNeComboId, QStringLiteral(" <ALL>")));
        // A new NE opens its shelves to choice and shuts the slots and ports, whatever NE it is.
        EXPECT_TRUE(select.IsControlEnabled(Ports::kShelfComboId));
        EXPECT_EQ(Field(select, Ports::kShelfComboId), QStringLiteral(" <ALL>"));
        EXPECT_FALSE(select.IsControlEnabled(Ports::kSlotComboId));
        EXPECT_FALSE(select.IsControlEnabled(Ports::kPortComboId));
        person.OnDialog<SubList>([&](SubList& list) {
            EXPECT_EQ(Ids(list), (QStringList{QStringLiteral("SUB-0001"), QStringLiteral("SUB-0003")}));
            SelectId(program, list, QStringLiteral("SUB-0003"));
            person.AnswerBox(IDYES);
            Click(list, kDeleteButtonId);
            EXPECT_EQ(Ids(list), QStringList{QStringLiteral("SUB-0001")});
        });
        Click(select, IDOK);
    });
    ASSERT_TRUE(program.Command(kCmdSubscriber));
    EXPECT_FALSE(ServerSubscriber(program, "SUB-0003").has_value());
    const std::optional<SubscriberRecord> changed = ServerSubscriber(program, "SUB-0002");
    ASSERT_TRUE(changed.has_value());
    EXPECT_EQ(changed->mobile, "+1 555 0912");
    EXPECT_EQ(changed->serviceType, 2u);
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// The header of a column clicked until it shows the arrow wanted; the texts of the column `shown` then.
QStringList SortedBy(QTreeView& rows, int column, int shown, int arrow = kImageSortAscending)
{
    for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(rows, column, arrow); ++click)
        e2e::CProgram::ClickHeader(*rows.header(), column);
    EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(rows, column, arrow)) << column;
    return ListColumn(rows, shown);
}

// Class and Service show their words and sort by the numbers the server keeps (PPPoE 1, Fixed-IP 2, DHCP 3; home 1,
// enterprise 2), not by the words; Slot-Port by the NE, then the port.
TEST(SubscribersE2eTest, ClassAndServiceSortByTheirNumbers)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("North-1")));
    constexpr int kServiceColumn = 6;
    e2e::COperator& person = program.Operator();
    person.OnDialog<Select>([&](Select& select) {
        EXPECT_TRUE(Choose(select, Ports::kNeComboId, QStringLiteral(" <ALL>")));
        person.OnDialog<SubList>([&](SubList& list) {
            QTreeView& rows = *list.FindList(kListControlId);
            const QStringList ids = Ids(list);
            ASSERT_EQ(ids, (QStringList{"SUB-0001", "SUB-0002", "BIZ-0100", "SUB-0201"}));
            EXPECT_EQ(ListColumn(rows, kServiceColumn), (QStringList{"PPPoE", "FixedIP", "DHCP", "PPPoE"}));
            EXPECT_EQ(ListColumn(rows, SubList::kClassColumn), (QStringList{"home", "home", "enterprise", "home"}));
            EXPECT_EQ(SortedBy(rows, kServiceColumn, SubList::kIdColumn),
                      (QStringList{"SUB-0001", "SUB-0201", "SUB-0002", "BIZ-0100"}));
            EXPECT_EQ(SortedBy(rows, SubList::kClassColumn, SubList::kIdColumn),
                      (QStringList{"SUB-0001", "SUB-0002", "SUB-0201", "BIZ-0100"}));
            // Slot-Port goes by the NE's name, then by the port: backwards, South-1's port comes before the same
            // port of North-1.
            constexpr int kSlotPortColumn = 4;
            EXPECT_EQ(SortedBy(rows, kSlotPortColumn, SubList::kIdColumn, kImageSortDescending),
                      (QStringList{"SUB-0201", "BIZ-0100", "SUB-0002", "SUB-0001"}));
        });
        Click(select, IDOK);
    });
    ASSERT_TRUE(program.Command(kCmdSubscriber));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// The operator "north" is bound to the North location, where North-1 is the only NE; Users get every right. North-1 is
// chosen in the tree.
void LoginAsNorthWithEveryRight(e2e::CProgram& program)
{
    ASSERT_TRUE(program.StartServer());
    server_test::CRawClient& probe = program.ServerProbe();
    UserRightsRecord rights;
    rights.rights = {std::string(127, 'a'), std::string(127, 'm'), std::string(127, 'a')};
    const auto record = EncodeRecord(rights);
    ASSERT_TRUE(probe.ReplyTo(
        probe.Send(kEmsOpModify, kReqUserRights, 0, {record.begin(), record.end()}, kUserRightsRecordSize)));
    ASSERT_TRUE(program.Login("north", "north"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
}

TEST(SubscribersE2eTest, ASubscriberOutsideTheOperatorsScopeIsListedButNotChanged)
{
    e2e::CProgram program;
    LoginAsNorthWithEveryRight(program);
    if (HasFatalFailure())
        return;
    e2e::COperator& person = program.Operator();

    person.OnDialog<Select>([&](Select& select) {
        EXPECT_TRUE(Choose(select, Ports::kNeComboId, QStringLiteral(" <ALL>")));
        person.OnDialog<SubList>([&](SubList& list) {
            EXPECT_EQ(Ids(list).size(), 4);
            SelectId(program, list, QStringLiteral("SUB-0201"));
            Click(list, kModifyButtonId);
            EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
            Click(list, kDeleteButtonId);
            EXPECT_EQ(MessageLine(list), QStringLiteral("No privilege"));
        });
        Click(select, IDOK);
    });
    ASSERT_TRUE(program.Command(kCmdSubscriber));
    EXPECT_TRUE(ServerSubscriber(program, "SUB-0201").has_value());
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// Another workstation deletes North-1 while the operator works on its ports: the subscriber just given to a port then
// opens on no NE and no port, and the message line ends with the missing port, told after the unknown NE.
TEST(SubscribersE2eTest, APortsSubscriberOnAnNeDeletedMeanwhileTellsThePortIsMissing)
{
    e2e::CProgram program;
    LoginAsNorthWithEveryRight(program);
    if (HasFatalFailure())
        return;
    const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 1);
    program.Frame().SetCurrentEntity(kNorth1, &card);
    e2e::COperator& person = program.Operator();
    bool opened = false;
    person.OnDialog<CAdslPortListDlg>([&](CAdslPortListDlg& ports) {
        QTreeView& list = *ports.FindList(kListControlId);
        const int row = e2e::RowOf(list, CAdslPortListDlg::kSlotPortColumn, QStringLiteral("1-8"));
        if (row < 0) {
            ADD_FAILURE() << "port 1-8 is listed";
            return IDCANCEL;
        }
        program.ClickListRow(list, row);
        person.OnDialog<Data>([&](Data& add) {
            Type(add, Data::kIdEditId, QStringLiteral("SUB-0108"));
            Type(add, Data::kNameEditId, QStringLiteral("Dana Holm"));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded()) << MessageLine(add).toStdString();
            return IDCANCEL;
        });
        Click(ports, CAdslPortListDlg::kSubscriberButtonId);

        NeKeyRecord gone;
        gone.neId = kNorth1;
        gone.neName = "North-1";
        const auto bytes = EncodeRecord(gone);
        server_test::CRawClient& probe = program.ServerProbe();
        EXPECT_TRUE(probe.ReplyTo(
            probe.Send(kEmsOpModify, kReqNeKeyDelete, kNorth1, {bytes.begin(), bytes.end()}, kNeKeyRecordSize)));
        EXPECT_TRUE(program.WaitUntil([] { return AppData().nes.FindNeById(kNorth1) == nullptr; }));

        // What the dialog tells at its load shows on the line of the list it came from.
        person.OnDialog<Data>([&](Data& modify) {
            opened = true;
            EXPECT_EQ(e2e::ComboTexts(modify, Ports::kNeComboId), QString());
            EXPECT_EQ(MessageLine(ports), QStringLiteral("Entity doesn't exist"));
            return IDCANCEL;
        });
        Click(ports, CAdslPortListDlg::kSubscriberButtonId);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(ports, QStringLiteral("subscriber_data_port_missing")));
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdAdslPorts));
    EXPECT_TRUE(opened);
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

TEST(SubscribersE2eTest, DirectModeOffersNoneOfTheServersOwnData)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    // Subscribers, accounts, rights, online users and the operation log are the management server's.
    for (const int command : {kCmdSubscriber, 33110, 33111, 33112, 33113})
        EXPECT_FALSE(program.Command(command)) << command;
}

} // namespace
