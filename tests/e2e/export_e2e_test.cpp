// Exporting the fault views' lists as the operator does: the list's menu opens the Export dialog, which names the view
// and the location the operator works in, speaks on its message line until the operator changes something, refuses
// to start a data file whose header file cannot be written, and appends each row once.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/platform/pixel_probe.h"

#include "core/ini/ini_file.h"
#include "features/fault/alarm_summary/trap_sum_view.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "platform/list_control.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/shell/frame/main_frame.h"

#include <QScrollBar>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

constexpr COLORREF kOuterFrameColor = 0x303080;    // the outside of the red frame of a marked control
constexpr COLORREF kSelectionMarkColor = 0x0000FF; // the SELECTEDMARK of the sample EntSkin.dat

// The value of an information row of the dialog, by its key.
QString Information(CExportDlg& dialog, const char* key)
{
    CListControl info(dialog.FindList(kListControlId));
    for (int row = 0; row < info.GetItemCount(); ++row) {
        if (info.GetItemText(row, 2) == QLatin1String(key))
            return info.GetItemText(row, 1);
    }
    return QStringLiteral("(no row %1)").arg(QLatin1String(key));
}

using e2e::Click;
using e2e::MessageLine;
using e2e::Type;

// Whether the red frame of a marked control shows above the file name.
bool FileNameFramed(CExportDlg& dialog)
{
    QCoreApplication::processEvents();
    const QWidget* edit = dialog.GetDlgItem(CExportDlg::kFileNameId);
    return PixelOf(dialog.grab().toImage(), edit->geometry().center().x(), edit->geometry().top() - 2) ==
           kOuterFrameColor;
}

// The information rows as the dialog opens: every one of them in view, none scrolled out, the path of the data file
// whole.
void ExpectInformationInView(CExportDlg& dialog, const QStringList& keys, const QString& screenshot)
{
    QTreeView* info = dialog.FindList(kListControlId);
    ASSERT_NE(info, nullptr);
    const CListControl rows(info);
    QStringList shown;
    for (int row = 0; row < rows.GetItemCount(); ++row)
        shown.append(rows.GetItemText(row, 2));
    EXPECT_EQ(shown, keys);
    EXPECT_EQ(info->verticalScrollBar()->maximum(), 0);
    for (int row = 0; row < rows.GetItemCount(); ++row)
        EXPECT_TRUE(info->viewport()->rect().contains(e2e::CProgram::ListRowRect(*info, row))) << "row " << row;
    const QString path = Information(dialog, "DATAFILE");
    EXPECT_GE(info->columnWidth(1), info->fontMetrics().horizontalAdvance(path)) << path.toStdString();
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, screenshot));
}

size_t LineCount(const fs::path& path)
{
    const std::string text = app_test::ReadText(path);
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(ExportTest, ViewsExportUnderTheirTitleAndLocationAndWriteEachRowOnce)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.args = {"--alarm-rate", "200"};
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem("North"));
    ASSERT_TRUE(program.ClickViewTab("Trap Log"));
    auto* view = dynamic_cast<CTrapLogView*>(program.Frame().GetRightView());
    ASSERT_NE(view, nullptr);
    QTreeView* list = view->FindList(kListControlId);
    ASSERT_TRUE(program.WaitUntil([&] { return CListControl(list).GetItemCount() >= 5; }));
    program.RightClickListRow(*list, 0, CTrapLogView::kCmdPause);
    const size_t rows = static_cast<size_t>(CListControl(list).GetItemCount());

    const fs::path data = program.WorkDir().Path() / "TrapLog.txt";
    const fs::path header = program.WorkDir().Path() / "TrapLog.ini";
    program.Operator().OnDialog<CExportDlg>([&](CExportDlg& dialog) {
        ExpectInformationInView(dialog,
                                {"TITLE", "SERVERIP", "SERVERPORT", "LOCATION", "NE", "ENTITY", "USER", "DATAFILE",
                                 "HEADERFILE", "RECORDCNT"},
                                QStringLiteral("export_dlg"));
        EXPECT_TRUE(dialog.windowTitle().startsWith(QStringLiteral("Trap Log "))) << dialog.windowTitle().toStdString();
        EXPECT_EQ(Information(dialog, "TITLE"), QStringLiteral("Trap Log"));
        EXPECT_EQ(Information(dialog, "LOCATION"), QStringLiteral("North"));

        // An alert and its frame stay until the operator changes something: here, another row of the list.
        Type(dialog, CExportDlg::kFileNameId, QStringLiteral("   "));
        Click(dialog, IDOK);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Data is blank"));
        EXPECT_TRUE(FileNameFramed(dialog));
        QTreeView* info = dialog.FindList(kListControlId);
        program.ClickListRow(*info, 1);
        EXPECT_EQ(MessageLine(dialog), QString());
        EXPECT_FALSE(FileNameFramed(dialog));
        // The row is framed in the selection mark though the list's last column is a hidden one.
        EXPECT_GT(CountPixels(info->viewport()->grab().toImage(), e2e::CProgram::ListRowRect(*info, 1),
                              [](COLORREF pixel) { return pixel == kSelectionMarkColor; }),
                  info->viewport()->width());

        // Where the header file cannot go, no data is written either.
        Type(dialog, CExportDlg::kFileNameId, QString::fromStdString(data.string()));
        fs::create_directory(header);
        Click(dialog, IDOK);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Fail to open file"));
        EXPECT_FALSE(fs::exists(data));
        fs::remove(header);
        Click(dialog, IDOK);
        return IDCANCEL;
    });
    program.RightClickListRow(*list, 0, CTrapLogView::kCmdExport);
    ASSERT_TRUE(program.Operator().unscriptedDialogs.isEmpty());
    ASSERT_TRUE(fs::exists(data));
    EXPECT_EQ(LineCount(data), rows + 2);
    // The title, the field names, then the rows as the list shows them.
    const CListControl top(list);
    const QString firstRow = QStringLiteral("1\t\"%1\"\t\"%2\"\t\"%3\"")
                                 .arg(top.GetItemText(0, 0), top.GetItemText(0, 1), top.GetItemText(0, 2));
    const QStringList lines = QString::fromStdString(app_test::ReadText(data)).split('\n');
    EXPECT_EQ(lines.value(0), QStringLiteral("Trap Log"));
    EXPECT_TRUE(lines.value(1).startsWith(QStringLiteral("\"SEQ\"\t\"No.\"\t\"Severity\"")));
    EXPECT_TRUE(lines.value(2).startsWith(firstRow)) << lines.value(2).toStdString();
    const std::optional<CIniFile> written = CIniFile::Load(header.string());
    ASSERT_TRUE(written.has_value());
    ASSERT_NE(written->Find("EXPORTINFO", "TITLE"), nullptr);
    EXPECT_EQ(*written->Find("EXPORTINFO", "TITLE"), "Trap Log");
    ASSERT_NE(written->Find("EXPORTINFO", "LOCATION"), nullptr);
    EXPECT_EQ(*written->Find("EXPORTINFO", "LOCATION"), "North");

    // Appending: a first OK that the header refuses writes nothing, the OK after it writes the rows once.
    program.Operator().OnDialog<CExportDlg>([&](CExportDlg& dialog) {
        Click(dialog, CExportDlg::kWriteTitleId);
        Click(dialog, CExportDlg::kAppendId);
        fs::remove(header);
        fs::create_directory(header);
        Click(dialog, IDOK);
        EXPECT_EQ(LineCount(data), rows + 2);
        fs::remove(header);
        Click(dialog, IDOK);
        return IDCANCEL;
    });
    program.RightClickListRow(*list, 0, CTrapLogView::kCmdExport);
    EXPECT_EQ(LineCount(data), 2 * rows + 2);
    // The header counts the rows of this export only, not those the file held before.
    const std::optional<CIniFile> appended = CIniFile::Load(header.string());
    ASSERT_TRUE(appended.has_value());
    ASSERT_NE(appended->Find("HEADER", "RECORDCNT"), nullptr);
    EXPECT_EQ(*appended->Find("HEADER", "RECORDCNT"), std::to_string(rows));

    // The alarm summary's export carries its own title too.
    auto* summary = dynamic_cast<CTrapSumView*>(program.Frame().GetAlarmSummaryView());
    ASSERT_NE(summary, nullptr);
    QString summaryTitle;
    program.Operator().OnDialog<CExportDlg>([&](CExportDlg& dialog) {
        summaryTitle = Information(dialog, "TITLE");
        return IDCANCEL;
    });
    program.RightClickListRow(*summary->FindList(kListControlId), 0, CTrapSumView::kCmdExport);
    EXPECT_EQ(summaryTitle, QStringLiteral("Active Alarm Statistics"));
}

TEST(ExportTest, InDirectModeTheDialogNamesNoServerAndNoLocation)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    auto* summary = dynamic_cast<CTrapSumView*>(program.Frame().GetAlarmSummaryView());
    ASSERT_NE(summary, nullptr);
    bool opened = false;
    program.Operator().OnDialog<CExportDlg>([&](CExportDlg& dialog) {
        opened = true;
        ExpectInformationInView(dialog, {"TITLE", "NE", "ENTITY", "USER", "DATAFILE", "HEADERFILE", "RECORDCNT"},
                                QStringLiteral("export_dlg_direct"));
        EXPECT_EQ(Information(dialog, "NE"), QStringLiteral("127.0.0.1"));
        return IDCANCEL;
    });
    program.RightClickListRow(*summary->FindList(kListControlId), 0, CTrapSumView::kCmdExport);
    EXPECT_TRUE(opened);
}

} // namespace
