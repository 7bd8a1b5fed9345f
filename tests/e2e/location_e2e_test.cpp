// The location dialogs in the running program: the operator keeps the location tree from the location list and from
// the tree's popup, and the server, the list and the tree all show the result.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/server_alarms.h"

#include "core/tables/location_tree.h"
#include "link/records/location_record.h"
#include "link/records/request_codes.h"
#include "link/server_message_dispatcher.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/locations/location_dlg.h"
#include "ui/shell/locations/location_list_dlg.h"
#include "ui/shell/tree/group_tree_item.h"
#include "ui/shell/tree/group_view.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

namespace {

constexpr int kLocationManagement = 33047, kModifyLocation = 33016, kAddSubLocation = 33062;

using e2e::Click;
using e2e::ComboTexts;
using e2e::Field;
using e2e::Type;

// The location of that name as the server keeps it.
std::optional<LocationRecord> ServerLocation(e2e::CProgram& program, const std::string& name)
{
    LocationRecord record;
    for (const auto& bytes :
         program.QueryServer(kReqLocation, 0, std::vector<uint8_t>(kLocationRecordSize), kLocationRecordSize)) {
        if (DecodeRecord(bytes.data(), bytes.size(), &record) && record.name == name)
            return record;
    }
    return std::nullopt;
}

size_t ServerLocationCount(e2e::CProgram& program)
{
    return program.QueryServer(kReqLocation, 0, std::vector<uint8_t>(kLocationRecordSize), kLocationRecordSize).size();
}

// Holds the dispatch lock from another thread while it lives, as a thread that reads the model does: what the server
// sends meanwhile, the replies to the program's own requests too, waits in the queue.
class CDispatchHold {
public:
    CDispatchHold()
        : thread_([this] {
              std::unique_lock lock(mutex_);
              held_ = LockDispatch(10000);
              ready_ = true;
              changed_.notify_all();
              changed_.wait(lock, [this] { return release_; });
              if (held_)
                  UnlockDispatch();
          })
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return ready_; });
        EXPECT_TRUE(held_);
    }
    ~CDispatchHold()
    {
        {
            const std::lock_guard lock(mutex_);
            release_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    CDispatchHold(const CDispatchHold&) = delete;
    CDispatchHold& operator=(const CDispatchHold&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool ready_ = false;
    bool held_ = false;
    bool release_ = false;
    std::thread thread_;
};

int RowOf(QTreeView& list, const QString& name)
{
    return e2e::RowOf(list, CLocationListDlg::kNameColumn, name);
}

QString SuperiorCell(QTreeView& list, const QString& name)
{
    const int row = RowOf(list, name);
    return row < 0 ? QString() : CListControl(&list).GetItemText(row, CLocationListDlg::kSuperiorColumn);
}

TEST(LocationE2eTest, TheListAddsModifiesAndDeletesLocationsOnTheServer)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CLocationListDlg>([&](CLocationListDlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        // The rows come ordered by their superior's name, the top level first.
        EXPECT_EQ(program.ShownColumn(list, 1).join(','), QStringLiteral("Headquarters,North,South"));

        // The commands on a row wait for one; OK without a row leaves the list open.
        CRecordListDlg& lists = dialog;
        const auto rowCommandsOn = [&] {
            return lists.IsControlEnabled(kShowButtonId) && lists.IsControlEnabled(kModifyButtonId) &&
                   lists.IsControlEnabled(kDeleteButtonId) &&
                   lists.IsControlEnabled(CLocationListDlg::kActiveAlarmButtonId);
        };
        EXPECT_EQ(lists.SelectedRow(), -1);
        EXPECT_FALSE(rowCommandsOn());
        EXPECT_TRUE(lists.IsControlEnabled(kAddButtonId));
        Click(lists, IDOK);
        EXPECT_FALSE(lists.IsEnded());

        // A new location below the selected one: a blank or taken name keeps the dialog open with its message.
        program.ClickListRow(list, RowOf(list, QStringLiteral("South")));
        EXPECT_TRUE(rowCommandsOn());
        person.OnDialog<CLocationDlg>([&](CLocationDlg& add) {
            EXPECT_EQ(Field(add, CLocationDlg::kSuperiorComboId), QStringLiteral("South"));
            for (const auto& [name, message] : {std::pair{"  ", "Data is blank"}, std::pair{"North", "Data exists"}}) {
                Type(add, CLocationDlg::kNameId, QString::fromLatin1(name));
                Click(add, IDOK);
                EXPECT_FALSE(add.IsEnded());
                EXPECT_EQ(add.GetMessageText(), QString::fromLatin1(message));
                EXPECT_EQ(add.GetMarkedControl(1), CLocationDlg::kNameId);
            }
            Type(add, CLocationDlg::kNameId, QStringLiteral(" Depot "));
            Type(add, CLocationDlg::kContactId, QStringLiteral("Yard crew"));
            Type(add, CLocationDlg::kTelephoneId, QStringLiteral("+1 555 0199"));
            Type(add, CLocationDlg::kEmailId, QStringLiteral("depot@example.net"));
            // The server refusing the new location keeps the dialog open under the add's own failure text.
            EXPECT_TRUE(e2e::ServerControl(program, 0, kSimRefuseNextChange, 21));
            Click(add, IDOK);
            EXPECT_FALSE(add.IsEnded());
            EXPECT_TRUE(!person.boxTexts.empty() &&
                        person.LastBoxText().startsWith(QStringLiteral("Adding new data failed")))
                << (person.boxTexts.empty() ? std::string() : person.LastBoxText().toStdString());
            person.boxTexts.clear();
            Click(add, IDOK);
            return IDCANCEL;
        });
        Click(dialog, kAddButtonId);
        const CListControl rows(&list);
        EXPECT_EQ(rows.GetItemText(rows.GetNextSelected(), CLocationListDlg::kNameColumn), QStringLiteral("Depot"));

        // Below the new one, a location that starts with its superior's contact.
        person.OnDialog<CLocationDlg>([&](CLocationDlg& add) {
            EXPECT_EQ(Field(add, CLocationDlg::kContactId), QStringLiteral("Yard crew"));
            Type(add, CLocationDlg::kNameId, QStringLiteral("shed"));
            Type(add, CLocationDlg::kCommentId, QStringLiteral("  by the quay  "));
            Click(add, IDOK);
            return IDCANCEL;
        });
        Click(dialog, kAddButtonId);

        // Renaming: the superiors offered start at the location's own superior, without the location's subtree;
        // the rows below follow the new name.
        program.ClickListRow(list, RowOf(list, QStringLiteral("Depot")));
        person.OnDialog<CLocationDlg>([&](CLocationDlg& modify) {
            EXPECT_EQ(ComboTexts(modify, CLocationDlg::kSuperiorComboId), QStringLiteral("South"));
            EXPECT_EQ(Field(modify, CLocationDlg::kSuperiorComboId), QStringLiteral("South"));
            // A name another location has goes to the server as it is (only an added location is checked); a change
            // the server refuses is told as an update that failed, and the dialog stays.
            Type(modify, CLocationDlg::kNameId, QStringLiteral("North"));
            EXPECT_TRUE(e2e::ServerControl(program, 0, kSimRefuseNextChange, 20));
            Click(modify, IDOK);
            EXPECT_FALSE(modify.IsEnded());
            EXPECT_NE(modify.GetMessageText(), QStringLiteral("Data exists"));
            EXPECT_TRUE(!person.boxTexts.empty() &&
                        person.LastBoxText().startsWith(QStringLiteral("Fail to update data")))
                << (person.boxTexts.empty() ? std::string() : person.LastBoxText().toStdString());
            person.boxTexts.clear();
            Type(modify, CLocationDlg::kNameId, QStringLiteral("Depot-2"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(modify, QStringLiteral("location_dlg")));
            Click(modify, IDOK);
            return IDCANCEL;
        });
        Click(dialog, kModifyButtonId);
        EXPECT_EQ(SuperiorCell(list, QStringLiteral("shed")), QStringLiteral("Depot-2"));

        // Names sort without regard to case.
        e2e::CProgram::ClickHeader(*list.header(), CLocationListDlg::kNameColumn);
        EXPECT_EQ(program.ShownColumn(list, 1).join(','), QStringLiteral("Depot-2,Headquarters,North,shed,South"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("location_list_dlg")));

        // The row's alarms, from the buttons and from the popup: the criteria dialog is asked for with the row's
        // location, set to active (1) or history (0).
        const struct {
            int command;
            bool popup;
            int activeHistory;
        } alarmCommands[] = {{1174, false, 1}, {1388, false, 0}, {33029, true, 1}, {33034, true, 0}};
        for (const auto& row : alarmCommands) {
            SCOPED_TRACE(row.command);
            const int depotRow = RowOf(list, QStringLiteral("Depot-2"));
            program.ClickListRow(list, depotRow);
            DialogRequest routed;
            SetRouteDialogInterceptor([&](DialogRequest& request) {
                routed = request;
                return IDCANCEL;
            });
            if (row.popup)
                program.RightClickListRow(list, depotRow, row.command);
            else
                Click(dialog, row.command);
            SetRouteDialogInterceptor({});
            EXPECT_EQ(routed.className, "CAlarmCriteriaDlg");
            EXPECT_EQ(routed.locationId, CListControl(&list).GetItemData(depotRow));
            EXPECT_EQ(routed.activeHistory, row.activeHistory);
        }

        // A delete that the server refuses keeps the row, under the delete's own failure text.
        program.ClickListRow(list, RowOf(list, QStringLiteral("Depot-2")));
        person.AnswerBox(IDYES);
        EXPECT_TRUE(e2e::ServerControl(program, 0, kSimRefuseNextChange, 22));
        Click(dialog, kDeleteButtonId);
        EXPECT_NE(RowOf(list, QStringLiteral("Depot-2")), -1);
        EXPECT_TRUE(!person.boxTexts.empty() && person.LastBoxText().startsWith(QStringLiteral("Fail to delete data")))
            << (person.boxTexts.empty() ? std::string() : person.LastBoxText().toStdString());
        person.boxTexts.clear();

        // Deleting takes the row out at once, also while the location table, busy, still holds the location (the
        // reply waits for the dispatch lock); no other row is selected then. The question before it warns.
        const uint32_t depot = CListControl(&list).GetItemData(RowOf(list, QStringLiteral("Depot-2")));
        const int rowsBefore = CListControl(&list).GetItemCount();
        person.AnswerBox(IDYES);
        bool warns = false;
        person.onBox = [&](QDialog& box) { warns = e2e::BoxShowsIcon(box, QStyle::SP_MessageBoxWarning); };
        {
            const CDispatchHold hold;
            Click(dialog, kDeleteButtonId);
            EXPECT_NE(FindLocation(depot), nullptr);
        }
        person.onBox = nullptr;
        EXPECT_TRUE(warns);
        EXPECT_EQ(CListControl(&list).GetItemCount(), rowsBefore - 1);
        EXPECT_EQ(CListControl(&list).FindItemByData(depot), -1);
        EXPECT_EQ(lists.SelectedRow(), -1);
        EXPECT_FALSE(lists.IsControlEnabled(kDeleteButtonId));
        EXPECT_FALSE(lists.IsControlEnabled(kModifyButtonId));
        EXPECT_NE(RowOf(list, QStringLiteral("shed")), -1);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kLocationManagement));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
    EXPECT_EQ(person.boxTexts.size(), 1u) << "the question before the delete, no failure";

    EXPECT_FALSE(ServerLocation(program, "Depot-2"));
    const std::optional<LocationRecord> shed = ServerLocation(program, "shed");
    ASSERT_TRUE(shed);
    EXPECT_EQ(shed->parentId, 3u);
    EXPECT_EQ(shed->contact, "Yard crew");
    EXPECT_EQ(shed->comment, "by the quay") << "the comment goes trimmed";
    EXPECT_TRUE(program.WaitUntil([&] {
        const QTreeWidgetItem* item = program.TreeItem(QStringLiteral("shed"));
        return item != nullptr && item->parent() == program.TreeItem("South") && !program.TreeItem("Depot-2");
    }));
}

// The list's Add offers as superior the selected row's location, and without a selection the list's own location (the
// tree's location it was opened on; none, the top level, at the root).
TEST(LocationE2eTest, TheListsAddTakesTheSelectedRowOrElseTheListsOwnLocationAsSuperior)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    const struct {
        const char* opened;
        const char* selected;
        const char* superior;
    } cases[] = {{"North", nullptr, "North"},
                 {"<Root>", nullptr, ""},
                 {"<Root>", "South", "South"},
                 {"North", "North", "North"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.opened) + " " + (c.selected != nullptr ? c.selected : "-"));
        program.ClickTreeItem(program.TreeItem(QString::fromLatin1(c.opened)));
        person.OnDialog<CLocationListDlg>([&](CLocationListDlg& dialog) {
            QTreeView& list = *dialog.FindList(kListControlId);
            if (c.selected != nullptr)
                program.ClickListRow(list, RowOf(list, QString::fromLatin1(c.selected)));
            person.OnDialog<CLocationDlg>([&](CLocationDlg& add) {
                EXPECT_EQ(Field(add, CLocationDlg::kSuperiorComboId), QString::fromLatin1(c.superior));
                return IDCANCEL;
            });
            Click(dialog, kAddButtonId);
            return IDCANCEL;
        });
        ASSERT_TRUE(program.Command(kLocationManagement));
    }
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

TEST(LocationE2eTest, EachRowShowsTheLocationPictureTheFrameConfigures)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.Operator().OnDialog<CLocationListDlg>([&](CLocationListDlg& dialog) {
        const QTreeView& list = *dialog.FindList(kListControlId);
        for (int row = 0; row < list.model()->rowCount(); ++row) {
            const int image = e2e::CellImage(list, row);
            EXPECT_GE(image, group_item::kImageLocation);
            const QImage shown = SharedSmallImages().Get(image).toImage();
            EXPECT_FALSE(shown.isNull()) << "row " << row << " shows no picture";
            EXPECT_EQ(shown, program.Frame().GetListIcon(image).toImage()) << "row " << row;
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kLocationManagement));
}

TEST(LocationE2eTest, TheTreesPopupModifiesALocationAndAddsOneAtTheTop)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();

    // North's map is not among this workstation's maps: the dialog shows the first, the world map, and OK saves it.
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North")));
    person.OnDialog<CLocationDlg>([&](CLocationDlg& modify) {
        EXPECT_EQ(e2e::ComboTexts(modify, CLocationDlg::kMapComboId).section(',', 0, 0),
                  e2e::Field(modify, CLocationDlg::kMapComboId));
        Type(modify, CLocationDlg::kTelephoneId, QStringLiteral("+1 555 0142"));
        Click(modify, IDOK);
        return IDCANCEL;
    });
    program.RightClickTreeItem(program.TreeItem(QStringLiteral("North")), kModifyLocation);
    const std::optional<LocationRecord> north = ServerLocation(program, "North");
    ASSERT_TRUE(north);
    EXPECT_EQ(north->telephone, "+1 555 0142");
    EXPECT_EQ(north->mapId, 0u);

    // With no location chosen, a new location goes to the top level (the tree's items are new after a change).
    const auto root = [&] { return program.Tree().Tree()->topLevelItem(0); };
    program.ClickTreeItem(root());
    person.OnDialog<CLocationDlg>([&](CLocationDlg& add) {
        EXPECT_EQ(Field(add, CLocationDlg::kSuperiorComboId), QString());
        Type(add, CLocationDlg::kNameId, QStringLiteral("Annex"));
        Click(add, IDOK);
        return IDCANCEL;
    });
    program.RightClickTreeItem(root(), kAddSubLocation);
    const std::optional<LocationRecord> annex = ServerLocation(program, "Annex");
    ASSERT_TRUE(annex);
    EXPECT_EQ(annex->parentId, 0u);
    EXPECT_TRUE(program.WaitUntil([&] {
        const QTreeWidgetItem* item = program.TreeItem(QStringLiteral("Annex"));
        return item != nullptr && item->parent() == root();
    }));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
    EXPECT_TRUE(person.boxTexts.empty());
}

// The list leaves Show, Modify and Add to the location dialog, which asks the letter of its mode: a Manager, who may
// look at the locations but not change them, sees that dialog refuse Add and Modify ("No privilege" on the list's
// line, where the dialog's refusal goes as it closes) and show a location. Delete is the list's own: refused before
// its question.
TEST(LocationE2eTest, TheLocationDialogAsksTheRightOfItsModeAndTheListThatOfDelete)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("manager", "manager")); // may look at the locations, not change them
    e2e::COperator& person = program.Operator();

    person.OnDialog<CLocationListDlg>([&](CLocationListDlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        const auto refusedByTheLocationDialog = [&](int command) {
            bool refused = false;
            person.OnDialog<CLocationDlg>([&](CLocationDlg& location) { refused = location.IsEnded(); });
            dialog.ClearMessageLine();
            Click(dialog, command);
            EXPECT_TRUE(refused) << command;
            EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("No privilege")) << command;
        };
        refusedByTheLocationDialog(kAddButtonId);
        program.ClickListRow(list, RowOf(list, QStringLiteral("North")));
        refusedByTheLocationDialog(kModifyButtonId);
        dialog.ClearMessageLine();
        Click(dialog, kDeleteButtonId);
        EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("No privilege"));
        person.OnDialog<CLocationDlg>([&](CLocationDlg& show) {
            EXPECT_FALSE(show.IsEnded());
            EXPECT_EQ(Field(show, CLocationDlg::kNameId), QStringLiteral("North"));
            return IDCANCEL;
        });
        Click(dialog, kShowButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kLocationManagement));
    // The list and the location dialog of Add, Modify and Show.
    EXPECT_EQ(person.dialogsRun.size(), 4) << person.dialogsRun.join(',').toStdString();
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
    EXPECT_TRUE(person.boxTexts.empty());
}

TEST(LocationE2eTest, TheRowsShowTheGravestAlarmOfTheLocationsAndTheirNes)
{
    // The test world with the NE of South reporting its management link lost: a critical alarm.
    e2e::CProgram program;
    const std::filesystem::path world = program.WorkDir().Path() / "world.ini";
    WriteText(world, ReadText(TARVIK_TEST_DATA_DIR "/server/sim_world.ini") + "\n[NE2.ALARM2]\nENTITY=1\nBIT=0\n");
    e2e::PeerOptions options;
    options.args = {"--scenario", world.string()};
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CLocationListDlg>([&](CLocationListDlg& dialog) {
        QTreeView& list = *dialog.FindList(kListControlId);
        const auto image = [&](const char* name) {
            return CListControl(&list).GetItemImage(RowOf(list, QString::fromLatin1(name)), 0);
        };
        const int critical = group_item::kImageLocation + 1;
        EXPECT_EQ(image("South"), critical);
        EXPECT_EQ(image("Headquarters"), critical) << "South lies below it";
        EXPECT_NE(image("North"), critical);
        EXPECT_GT(image("North"), group_item::kImageLocation) << "its NE has alarms of its own";
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kLocationManagement));
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

// A name of more UTF-8 bytes than its field holds: the edit keeps the whole letters that fit in the field's 20 bytes
// up to the first that does not, the server keeps exactly those, and the same name typed again is known to the dialog
// before anything is sent.
TEST(LocationE2eTest, ANameLongerInBytesThanItsFieldIsKeptInWholeLetters)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    const QString typed = QString::fromUtf8("Nieder\xC3\xB6sterreich-S\xC3\xBC"
                                            "d"); // 20 letters, 22 bytes
    // Typed key by key: the two-byte letter does not fit after "-S", and the edit takes nothing after it, so that no
    // letter goes missing in the middle of the name unseen.
    const QString kept = QString::fromUtf8("Nieder\xC3\xB6sterreich-S"); // 18 letters, 19 bytes
    const auto root = [&] { return program.Tree().Tree()->topLevelItem(0); };

    program.ClickTreeItem(root());
    person.OnDialog<CLocationDlg>([&](CLocationDlg& add) {
        Type(add, CLocationDlg::kNameId, typed);
        EXPECT_EQ(Field(add, CLocationDlg::kNameId).toStdString(), kept.toStdString());
        Click(add, IDOK);
        EXPECT_TRUE(add.IsEnded());
        return IDCANCEL;
    });
    program.RightClickTreeItem(root(), kAddSubLocation);
    const std::optional<LocationRecord> stored = ServerLocation(program, kept.toStdString());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->name, kept.toStdString());
    const size_t locations = ServerLocationCount(program);

    program.ClickTreeItem(root());
    person.OnDialog<CLocationDlg>([&](CLocationDlg& add) {
        Type(add, CLocationDlg::kNameId, typed);
        Click(add, IDOK);
        EXPECT_FALSE(add.IsEnded());
        EXPECT_EQ(add.GetMessageText().toStdString(), "Data exists");
        EXPECT_EQ(add.GetMarkedControl(1), CLocationDlg::kNameId);
        return IDCANCEL;
    });
    program.RightClickTreeItem(root(), kAddSubLocation);
    EXPECT_EQ(ServerLocationCount(program), locations) << "the second add reached the server";
    EXPECT_TRUE(person.boxTexts.empty()) << "a failure box came up";
    EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join(',').toStdString();
}

} // namespace
