// The trap log of the running program: it keeps what its rows said when they were logged (an NE deleted afterwards
// leaves its rows whole on the screen and in an export), and fills from the run command's simulated NE in direct mode.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"

#include "core/config/app_settings.h"
#include "core/tables/app_data.h"
#include "features/fault/trap_log/trap_log_filter_dlg.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "platform/list_control.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/tree/group_view.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr int kLocationColumn = 2;
constexpr int kNeColumn = 3;
constexpr int kSlotPortColumn = 4;
constexpr int kAlarmsColumn = 7;

class TrapLogE2eTest : public ::testing::Test {
protected:
    void TearDown() override { CTrapLogView::SetPaused(false); }

    CTrapLogView* TrapLog() { return dynamic_cast<CTrapLogView*>(program.Frame().GetRightView()); }

    // The rows the list shows of an NE: their Location, Slot-Port and Alarms texts.
    QStringList RowsOf(const QString& ne)
    {
        QStringList rows;
        const CListControl list(TrapLog()->FindList(kListControlId));
        for (int row = 0; row < list.GetItemCount(); ++row) {
            if (list.GetItemText(row, kNeColumn) == ne)
                rows << QStringList{list.GetItemText(row, kLocationColumn), list.GetItemText(row, kSlotPortColumn),
                                    list.GetItemText(row, kAlarmsColumn)}
                            .join('|');
        }
        return rows;
    }

    // The list's popup: Detail only on a row, and of Pause and Continue the one that applies; the others left out.
    void CheckThePopupOffersWhatApplies()
    {
        QTreeView& list = *TrapLog()->FindList(kListControlId);
        const auto& shown = program.Operator().Popups().Shown();
        program.RightClickListRow(list, 0, CTrapLogView::kCmdPause);
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back(), (std::vector<int>{kDetail, kFilter, kReset, kPause, kExport}));
        EXPECT_TRUE(CTrapLogView::IsPaused());
        program.RightClickListRow(list, 0);
        EXPECT_EQ(shown.back(), (std::vector<int>{kDetail, kFilter, kReset, kContinue, kExport}));
        // Below the rows, with no row selected.
        list.clearSelection();
        const QPoint blank(list.viewport()->width() / 2, list.viewport()->height() - 2);
        ASSERT_FALSE(list.indexAt(blank).isValid()) << "room below the rows";
        program.RightClickAt(*list.viewport(), blank, CTrapLogView::kCmdContinue);
        EXPECT_EQ(shown.back(), (std::vector<int>{kFilter, kReset, kContinue, kExport}));
        EXPECT_FALSE(CTrapLogView::IsPaused());
    }

    // The Filter button's dialog opens on the stored filter (any NE); OK with one NE puts it in force, shows it above
    // the list and keeps it in Tarvik.ini.
    void FilterTheLogTo(const QString& ne)
    {
        CTrapLogView& view = *TrapLog();
        const auto text = [&view](int id) { return view.GetDlgItemAs<QLabel>(id)->text(); };
        // The built-in filter names entity 0 without mask bit 31: the NE level alone.
        EXPECT_EQ(text(CTrapLogView::kFilterEntityTextId), QStringLiteral("<NE>"));
        program.Operator().OnDialog<CTrapLogFilterDlg>([&](CTrapLogFilterDlg& filter) {
            EXPECT_EQ(e2e::Field(filter, CTrapLogFilterDlg::kNeComboId), QStringLiteral(" <ALL>"));
            EXPECT_TRUE(e2e::Choose(filter, CTrapLogFilterDlg::kNeComboId, ne));
            e2e::Click(filter, IDOK);
            EXPECT_TRUE(filter.IsEnded());
            return IDCANCEL;
        });
        auto* button = view.GetDlgItemAs<QAbstractButton>(CTrapLogView::kFilterButtonId);
        ASSERT_NE(button, nullptr);
        button->click();
        EXPECT_TRUE(program.Operator().boxTexts.empty()) << "no box about the file";
        EXPECT_TRUE(text(CTrapLogView::kFilterLocationTextId).endsWith(QLatin1Char(':') + ne))
            << text(CTrapLogView::kFilterLocationTextId).toStdString();
        EXPECT_EQ(text(CTrapLogView::kFilterEntityTextId), QStringLiteral("<NE> <ALL>"));
        const uint32_t neId = AppSettings().trapLogFilter.neId;
        EXPECT_NE(neId, 0u);
        const std::string ini = app_test::ReadText(program.WorkDir().Path() / "Tarvik.ini");
        EXPECT_NE(ini.find("TRAPLOGFILTER=0," + std::to_string(neId) + ",1,0x8000003F"), std::string::npos) << ini;
    }

    static constexpr int kDetail = CTrapLogView::kCmdDetail;
    static constexpr int kFilter = CTrapLogView::kCmdFilter;
    static constexpr int kReset = CTrapLogView::kCmdReset;
    static constexpr int kPause = CTrapLogView::kCmdPause;
    static constexpr int kContinue = CTrapLogView::kCmdContinue;
    static constexpr int kExport = CTrapLogView::kCmdExport;

    e2e::CProgram program;
};

TEST_F(TrapLogE2eTest, ADeletedNeKeepsItsRowsOnTheScreenAndInTheExport)
{
    e2e::PeerOptions options;
    options.args = {"--alarm-rate", "200"};
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("South")));
    ASSERT_TRUE(program.ClickViewTab(QStringLiteral("Trap Log")));
    ASSERT_NE(TrapLog(), nullptr);
    ASSERT_TRUE(program.WaitUntil([&] { return RowsOf(QStringLiteral("South-1")).size() >= 3; }));
    program.RightClickListRow(*TrapLog()->FindList(kListControlId), 0, CTrapLogView::kCmdPause);
    const QStringList before = RowsOf(QStringLiteral("South-1"));
    for (const QString& row : before) {
        const QStringList cells = row.split('|');
        EXPECT_EQ(cells.value(0), QStringLiteral("South"));
        EXPECT_FALSE(cells.value(1).isEmpty() && cells.value(2).isEmpty()) << row.toStdString();
    }

    QTreeWidgetItem* ne = program.TreeItem(QStringLiteral("South-1"));
    ASSERT_NE(ne, nullptr);
    program.ClickTreeItem(ne);
    const uint32_t neId = program.Frame().GetCurrentNeId();
    program.Operator().AnswerBox(IDYES);
    program.RightClickTreeItem(ne, kCmdDeleteNe);
    ASSERT_TRUE(program.WaitUntil([&] { return AppData().nes.FindNeById(neId) == nullptr; }));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("South")));
    ASSERT_TRUE(program.ClickViewTab(QStringLiteral("Trap Log")));
    ASSERT_NE(TrapLog(), nullptr);
    program.Settle();
    EXPECT_EQ(RowsOf(QStringLiteral("South-1")), before);

    // The export writes the rows as they show.
    const std::filesystem::path file = program.WorkDir().Path() / "TrapLog.txt";
    program.Operator().OnDialog<CExportDlg>([&](CExportDlg& dialog) {
        e2e::Type(dialog, CExportDlg::kFileNameId, QString::fromStdString(file.string()));
        e2e::Click(dialog, IDOK);
        return IDCANCEL;
    });
    program.RightClickListRow(*TrapLog()->FindList(kListControlId), 0, CTrapLogView::kCmdExport);
    const QString exported = QString::fromStdString(app_test::ReadText(file));
    EXPECT_EQ(exported.count(QStringLiteral("\t\"South\"\t\"South-1\"\t")), before.size()) << exported.toStdString();
}

// The NE that scripts/run.sh --direct starts raises alarms of its own, as the server's world does, so that its trap
// log fills.
TEST_F(TrapLogE2eTest, TheRunCommandsNeFillsTheTrapLogInDirectMode)
{
    ASSERT_TRUE(program.StartAgent({}, std::string(TARVIK_RESOURCES_DIR) + "/sim/ne_agent_scenario.ini"));
    ASSERT_TRUE(program.Login("qurim", "private"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("127.0.0.1")));
    ASSERT_TRUE(program.ClickViewTab(QStringLiteral("Trap Log")));
    ASSERT_NE(TrapLog(), nullptr);
    EXPECT_TRUE(
        program.WaitUntil([&] { return CListControl(TrapLog()->FindList(kListControlId)).GetItemCount() >= 2; }));
    CheckThePopupOffersWhatApplies();
    FilterTheLogTo(QStringLiteral("127.0.0.1"));
}

TEST_F(TrapLogE2eTest, ThePopupOffersWhatAppliesInServerMode)
{
    e2e::PeerOptions options;
    options.args = {"--alarm-rate", "2"};
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    ASSERT_TRUE(program.ClickViewTab(QStringLiteral("Trap Log")));
    ASSERT_NE(TrapLog(), nullptr);
    ASSERT_TRUE(
        program.WaitUntil([&] { return CListControl(TrapLog()->FindList(kListControlId)).GetItemCount() >= 1; }));
    CheckThePopupOffersWhatApplies();
    FilterTheLogTo(QStringLiteral("North-1"));
}

} // namespace
