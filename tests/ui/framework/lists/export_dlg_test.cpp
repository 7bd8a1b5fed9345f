#include "tarvik_test_paths.h"
#include "tests/ui/framework/framework_test_support.h"

#include "core/config/app_settings.h"
#include "core/export/export_file.h"
#include "core/tables/app_data.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/views/form_view.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Golden(const std::string& name)
{
    return ReadFile(fs::path(TARVIK_TEST_DATA_DIR) / "export" / name);
}

// Fills a list with the columns No., Name and Note, and two rows; the owner hides Note.
void FillNodeList(CListHost& owner, QTreeWidget* list)
{
    owner.InitListColumns(">No.|<Name|<Note");
    owner.SetColumnHidden(2, true);
    CListControl rows(list);
    const char* cells[][3] = {{"1", "Core \"A\" rack", "x"}, {"2", "Edge, west", "y"}};
    for (const auto& row : cells) {
        const int r = rows.InsertItem(rows.GetItemCount(), QString::fromUtf8(row[0]));
        rows.SetItemText(r, 1, QString::fromUtf8(row[1]));
        rows.SetItemText(r, 2, QString::fromUtf8(row[2]));
    }
}

class ExportDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        AppData().Reset();
        AppSettings() = CAppSettings{};
        AppSettings().serverIp = {10, 1, 2, 3};
        AppSettings().serverPort = 19460;
        AppData().SetLoginUserName("admin");
        CLocationNode location;
        location.id = 3;
        location.name = "Taipei";
        AppData().locations.UpsertLocation(location);
        CNeRecord ne;
        ne.neId = 7;
        ne.name = "NE-7";
        ne.locationId = 3;
        ne.address = {10, 9, 9, 7};
        AppData().nes.AddNe(ne);

        dir = fs::temp_directory_path() / ("tarvik_export_dlg_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        previousDir = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir.string()));

        owner.setWindowTitle(QStringLiteral("[Taipei:NE-7] Node List"));
        FillNodeList(owner, owner.list);
    }
    void TearDown() override
    {
        QDir::setCurrent(previousDir);
        fs::remove_all(dir);
        AppData().Reset();
        AppSettings() = CAppSettings{};
    }

    // Runs an export dialog on the owner's list for a slot of the NE (and, when not -1, for the location); `work`
    // acts in the shown dialog and returns its result.
    int RunExport(const char* stem, const std::function<int(CExportDlg&)>& work, uint32_t neId = 7, int locationId = -1)
    {
        CExportDlg dlg(&owner);
        CEntityId slot;
        slot.SetLevels(1, 1, 3, 0, 0);
        dlg.SetTarget(neId, &slot);
        if (locationId != -1)
            dlg.SetLocationId(locationId);
        dlg.SetExportSource(owner.list, stem, '\t');
        ScriptedModalRunner runner;
        runner.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return dlg.IsFirstShowDone(); }));
            return work(dlg);
        });
        return dlg.DoModal();
    }

    static int ClickOk(CExportDlg& dlg)
    {
        dlg.OnCommand(IDOK, BN_CLICKED);
        return dlg.IsEnded() ? IDOK : IDCANCEL;
    }

    CTestDlg owner;
    fs::path dir;
    QString previousDir;
};

TEST_F(ExportDlgTest, ServerModeWritesDataAndHeaderWithAHiddenColumn)
{
    std::string caption;
    EXPECT_EQ(RunExport("Node.TXT",
                        [&](CExportDlg& dlg) {
                            caption = dlg.windowTitle().toStdString();
                            EXPECT_EQ(dlg.GetExportTitle(), "Node List");
                            EXPECT_EQ(dlg.GetFileName().toStdString(), (dir / "Node.txt").string());
                            EXPECT_FALSE(dlg.GetDlgItem(CExportDlg::kAppendId)->isEnabled());
                            return ClickOk(dlg);
                        }),
              IDOK);
    EXPECT_EQ(caption, "Node List Export");
    EXPECT_EQ(ReadFile(dir / "Node.txt"), Golden("two_rows_hidden_column.txt"));
    EXPECT_EQ(ReadFile(dir / "Node.ini"), Golden("server_mode.ini"));
}

// The information list names its rows, in server mode: Title, Server IP, Server port, Location, NE, Entity, User,
// Export data file, Header file, Record count; the values of the last two are the header file and the row count.
TEST_F(ExportDlgTest, TheInformationRowsCarryTheirLabels)
{
    QStringList labels;
    QString header;
    QString count;
    RunExport("Node", [&](CExportDlg& dlg) {
        const CListControl info(dlg.FindList(kListControlId));
        for (int row = 0; row < info.GetItemCount(); ++row)
            labels << info.GetItemText(row, 0);
        header = info.GetItemText(info.GetItemCount() - 2, 1);
        count = info.GetItemText(info.GetItemCount() - 1, 1);
        return IDCANCEL;
    });
    EXPECT_EQ(labels, (QStringList{"Title", "Server IP", "Server port", "Location", "NE", "Entity", "User",
                                   "Export data file", "Header file", "Record count"}));
    EXPECT_EQ(header.toStdString(), (dir / "Node.ini").string());
    EXPECT_EQ(count, QStringLiteral("2"));
}

TEST_F(ExportDlgTest, DirectModeHasNoServerOrLocationEntries)
{
    AppSettings().directControl = true;
    EXPECT_EQ(RunExport("Node", ClickOk), IDOK);
    EXPECT_EQ(ReadFile(dir / "Node.ini"), Golden("direct_mode.ini"));
}

TEST_F(ExportDlgTest, AppendModeWritesNoTitleAndCountsOnlyTheRowsOfThisExport)
{
    ASSERT_EQ(RunExport("Node", ClickOk), IDOK);
    EXPECT_EQ(RunExport("Node",
                        [](CExportDlg& dlg) {
                            auto* append = dlg.GetDlgItemAs<QCheckBox>(CExportDlg::kAppendId);
                            auto* title = dlg.GetDlgItemAs<QCheckBox>(CExportDlg::kWriteTitleId);
                            title->click(); // unticking the title lets the append box be ticked
                            EXPECT_TRUE(append->isEnabled());
                            append->click();
                            EXPECT_FALSE(title->isEnabled());
                            EXPECT_FALSE(title->isChecked());
                            return ClickOk(dlg);
                        }),
              IDOK);
    const std::string data = ReadFile(dir / "Node.txt");
    EXPECT_EQ(data,
              Golden("two_rows_hidden_column.txt") + "1\t\"1\"\t\"Core \"\"A\"\" rack\"\n2\t\"2\"\t\"Edge, west\"\n");
    EXPECT_NE(ReadFile(dir / "Node.ini").find("RECORDCNT=2\n"), std::string::npos);
}

// The value of an information row by its key.
QString InfoValue(CExportDlg& dlg, const char* key)
{
    CListControl info(dlg.FindList(kListControlId));
    for (int row = 0; row < info.GetItemCount(); ++row) {
        if (info.GetItemText(row, 2) == QLatin1String(key))
            return info.GetItemText(row, 1);
    }
    return {};
}

// The Location row names the dialog's location; without one (or with one not in the table) the location of the NE;
// without that the root. An NE not in the table leaves the NE and Entity rows empty.
TEST_F(ExportDlgTest, TheLocationIsTheDialogsElseTheNesElseTheRoot)
{
    CLocationNode hsinchu;
    hsinchu.id = 5;
    hsinchu.name = "Hsinchu";
    AppData().locations.UpsertLocation(hsinchu);
    const struct {
        int location;
        uint32_t ne;
        QStringList shown; // Location, NE, Entity
    } rows[] = {{5, 7, {"Hsinchu", "NE-7", "Shelf-1, Slot-3"}},
                {0, 7, {"Taipei", "NE-7", "Shelf-1, Slot-3"}},
                {42, 7, {"Taipei", "NE-7", "Shelf-1, Slot-3"}},
                {0, 99, {"<Root>", "", ""}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.location);
        QStringList shown;
        RunExport(
            "Node",
            [&](CExportDlg& dlg) {
                shown << InfoValue(dlg, "LOCATION") << InfoValue(dlg, "NE") << InfoValue(dlg, "ENTITY");
                return IDCANCEL;
            },
            row.ne, row.location);
        EXPECT_EQ(shown.join('|'), row.shown.join('|')) << "NE " << row.ne;
    }
}

TEST_F(ExportDlgTest, TheHeaderStaysBesideTheStemWhereverTheDataFileGoes)
{
    // A chosen path longer than the operator may type (127 characters) is kept whole, and written to.
    const fs::path folder = dir / std::string(130, 'e');
    fs::create_directories(folder);
    const std::string chosen = (folder / "nodes.csv").string();
    ASSERT_GT(chosen.size(), 200U);
    ScriptedFileChooser chooser;
    chooser.PushPath(QString::fromStdString(chosen));
    chooser.PushPath(QString::fromStdString(chosen));
    EXPECT_EQ(RunExport("Node",
                        [&](CExportDlg& dlg) {
                            EXPECT_EQ(InfoValue(dlg, "HEADERFILE").toStdString(), (dir / "Node.ini").string());
                            dlg.OnCommand(CExportDlg::kBrowseId, BN_CLICKED);
                            auto* edit = dlg.GetDlgItemAs<QLineEdit>(CExportDlg::kFileNameId);
                            EXPECT_EQ(edit->text().toStdString(), chosen);
                            // The operator may shorten it, but not type it longer again.
                            edit->setFocus();
                            edit->end(false);
                            QTest::keyClick(edit, Qt::Key_X);
                            EXPECT_EQ(edit->text().toStdString(), chosen);
                            QTest::keyClick(edit, Qt::Key_Backspace);
                            EXPECT_EQ(edit->text().size(), static_cast<qsizetype>(chosen.size()) - 1);
                            QTest::keyClick(edit, Qt::Key_V);
                            EXPECT_EQ(edit->text().size(), static_cast<qsizetype>(chosen.size()) - 1);
                            dlg.OnCommand(CExportDlg::kBrowseId, BN_CLICKED);
                            EXPECT_EQ(edit->text().toStdString(), chosen);
                            EXPECT_EQ(InfoValue(dlg, "DATAFILE").toStdString(), chosen);
                            EXPECT_EQ(InfoValue(dlg, "HEADERFILE").toStdString(), (dir / "Node.ini").string());
                            return ClickOk(dlg);
                        }),
              IDOK);
    ASSERT_EQ(chooser.Requests().size(), 2U);
    EXPECT_TRUE(chooser.Requests()[0].save);
    EXPECT_TRUE(fs::exists(chosen));
    EXPECT_EQ(ReadFile(dir / "Node.ini"), Golden("server_mode.ini"));
    EXPECT_FALSE(fs::exists(folder / "nodes.ini"));
    EXPECT_FALSE(fs::exists(dir / "Node.txt"));
}

TEST_F(ExportDlgTest, TheOperatorTypesAFileNameOfAtMost127Characters)
{
    EXPECT_EQ(RunExport("Node",
                        [&](CExportDlg& dlg) {
                            auto* edit = dlg.GetDlgItemAs<QLineEdit>(CExportDlg::kFileNameId);
                            edit->clear();
                            edit->setFocus();
                            QTest::keyClicks(edit, QString(126, QLatin1Char('a')));
                            EXPECT_EQ(edit->text().size(), 126);
                            QTest::keyClicks(edit, QStringLiteral("bc"));
                            EXPECT_EQ(edit->text(), QString(126, QLatin1Char('a')) + QLatin1Char('b'));
                            return IDCANCEL;
                        }),
              IDCANCEL);
}

// The working directory and the stem make the base path of both files: 127 characters at most; a longer one ends
// the dialog with "Internal error" rather than propose a cut path, which would name another file.
TEST_F(ExportDlgTest, TheBasePathHoldsAtMost127Characters)
{
    const qsizetype directory = QDir::currentPath().size() + 1;
    ASSERT_LT(directory, 100);
    for (const qsizetype length : {qsizetype{127}, qsizetype{128}}) {
        SCOPED_TRACE(length);
        const std::string stem(static_cast<size_t>(length - directory), 's');
        CExportDlg dlg(&owner);
        dlg.SetTarget(7, nullptr);
        dlg.SetExportSource(owner.list, stem.c_str(), '\t');
        QStringList boxes;
        ScriptedModalRunner runner;
        const auto script = [&](QDialog& shown) {
            if (&shown == &dlg) {
                EXPECT_TRUE(PumpUntil([&] { return dlg.IsFirstShowDone() || dlg.IsEnded(); }));
                if (!dlg.IsEnded()) {
                    // A proposal longer than the operator may type stays whole.
                    EXPECT_EQ(dlg.GetDlgItemAs<QLineEdit>(CExportDlg::kFileNameId)->text(),
                              QDir::currentPath() + "/" + QString::fromStdString(stem) + ".txt");
                }
            } else if (auto* box = shown.findChild<QPlainTextEdit*>()) {
                boxes << box->toPlainText();
            }
            return IDCANCEL;
        };
        runner.Push(script);
        runner.Push(script);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.GetBasePath().size(), static_cast<size_t>(length));
        EXPECT_EQ(boxes, length == 127 ? QStringList() : QStringList{QStringLiteral("Internal error")});
    }
}

TEST_F(ExportDlgTest, UnwritablePathReports10012AndLeavesNoHeader)
{
    EXPECT_EQ(RunExport("Node",
                        [&](CExportDlg& dlg) {
                            dlg.GetDlgItemAs<QLineEdit>(CExportDlg::kFileNameId)
                                ->setText(QString::fromStdString((dir / "no" / "such" / "x.txt").string()));
                            EXPECT_EQ(ClickOk(dlg), IDCANCEL); // the dialog stays
                            EXPECT_EQ(dlg.GetMessageText(), QStringLiteral("Fail to open file"));
                            EXPECT_EQ(dlg.GetMarkedControl(1), CExportDlg::kFileNameId);
                            return IDCANCEL;
                        }),
              IDCANCEL);
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(ExportDlgTest, AHeaderPlaceThatTakesNoFileReports10012BeforeAnyDataIsWritten)
{
    fs::create_directories(dir / "Node.ini");
    EXPECT_EQ(RunExport("Node",
                        [&](CExportDlg& dlg) {
                            EXPECT_EQ(ClickOk(dlg), IDCANCEL); // the dialog stays
                            EXPECT_EQ(dlg.GetMessageText(), QStringLiteral("Fail to open file"));
                            EXPECT_EQ(dlg.GetMarkedControl(1), CExportDlg::kFileNameId);
                            return IDCANCEL;
                        }),
              IDCANCEL);
    EXPECT_FALSE(fs::exists(dir / "Node.txt"));
}

TEST_F(ExportDlgTest, WithoutSourceTheDialogEndsWithInternalError)
{
    CExportDlg dlg;
    dlg.SetExportSource(nullptr, "Node", '\t'); // ignored
    dlg.SetExportSource(owner.list, nullptr, '\t');
    EXPECT_EQ(dlg.GetSourceList(), nullptr);
    // With no window to show it on, the text comes in a box of its own. On a slow machine the dialog may load
    // before its run takes a script, so that the box runs first: either run may come first, and the box's ends it.
    ScriptedModalRunner runner;
    const auto script = [&](QDialog& shown) {
        if (&shown == &dlg) {
            EXPECT_TRUE(PumpUntil([&] { return dlg.IsEnded(); }));
        }
        return IDOK;
    };
    runner.Push(script);
    runner.Push(script);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(runner.Runs().size(), 2) << "the dialog and the box with its text";
}

TEST(ExportSourceTest, TxtEndingIsDroppedInAnyCase)
{
    QTreeWidget list;
    const std::pair<const char*, const char*> rows[] = {
        {"TrapLog.TXT", "TrapLog"}, {"TrapLog.txt", "TrapLog"}, {"TrapLog.Txt", "TrapLog"},
        {"TrapLog", "TrapLog"},     {"a.csv", "a.csv"},         {".txt", ""},
    };
    for (const auto& [stem, expected] : rows) {
        CExportDlg dlg;
        dlg.SetExportSource(&list, stem, '\t');
        EXPECT_EQ(dlg.GetStem(), expected) << stem;
    }
    CExportDlg dlg;
    dlg.SetExportSource(&list, std::string(200, 's').c_str(), ';');
    EXPECT_EQ(dlg.GetStem().size(), 127U);
    EXPECT_EQ(dlg.GetDelimiter(), ';');
}

// A view's hidden columns are left out as a dialog's are.
class CListView : public CAFormView {
public:
    CListView() : CAFormView(271)
    {
        resize(300, 200);
        list = new QTreeWidget(this);
        CListControl::SetUpReportView(list);
        SetCtrlId(list, kListControlId);
    }
    QTreeWidget* list;
};

TEST_F(ExportDlgTest, ViewOwnerHidesItsColumnsToo)
{
    CListView view;
    view.setWindowTitle(QStringLiteral("Trap Log"));
    FillNodeList(view, view.list);
    CExportDlg dlg;
    dlg.SetTarget(7, nullptr);
    dlg.SetExportSource(view.list, "View", '\t');
    ScriptedModalRunner runner;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dlg.IsFirstShowDone(); }));
        EXPECT_EQ(dlg.GetExportTitle(), "Trap Log");
        return ClickOk(dlg);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const std::string data = ReadFile(dir / "View.txt");
    EXPECT_EQ(data.substr(data.find('\n') + 1), Golden("two_rows_hidden_column.txt").substr(10));
}

// The title is the owner's caption without a leading "[...]" and then a leading "<...>", each with one blank after.
TEST_F(ExportDlgTest, TheTitleIsTheOwnersCaptionWithoutItsTargetParts)
{
    struct Row {
        const char* caption;
        const char* title;
    };
    const Row rows[] = {
        {"[Taipei:NE-7] <Shelf 1 Slot 3> ADSL Line", "ADSL Line"},
        {"<bob> Operation Log", "Operation Log"},
        {"<bob> [ALL] Users", "[ALL] Users"},
        {"[ALL]Location List", "Location List"},
        {"[ALL]  Location List", " Location List"},
        {"Node <7> List", "Node <7> List"},
    };
    for (const Row& row : rows) {
        owner.setWindowTitle(QString::fromUtf8(row.caption));
        RunExport("Node", [&](CExportDlg& dlg) {
            EXPECT_EQ(dlg.GetExportTitle(), row.title) << row.caption;
            return IDCANCEL;
        });
    }
}

} // namespace
