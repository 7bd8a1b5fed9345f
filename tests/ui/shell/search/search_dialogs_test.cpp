// The two Search dialogs: the settings going in and out, the kind radio buttons, flags other than 1, Cancel and
// the 20-character limit.

#include "tests/platform/qt_test_app.h"

#include "platform/scripted_runners.h"
#include "ui/shell/search/search_dlg.h"
#include "ui/shell/search/tree_search_dlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

template <class Dialog> void Ok(Dialog& dlg)
{
    dlg.OnOK();
}

TEST(SearchDialogsTest, TreeSearchRoundTrip)
{
    struct Row {
        uint8_t kindIn;
        int32_t flagIn;
        int clickKind; // -1: leave
        uint8_t kindOut;
        int32_t flagOut;
    };
    const Row rows[] = {
        {7, 2, -1, 3, 0}, // a kind above 3 shows All; a flag of 2 shows unticked
        {4, 0, -1, 3, 0}, // the first kind past the last
        {0, 1, -1, 0, 1}, {3, 0, 1, 1, 0}, {1, 1, 2, 2, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kindIn);
        ScriptedModalRunner runner;
        CTreeSearchDlg dlg;
        dlg.itemKind = row.kindIn;
        dlg.settings = {QStringLiteral("abc"), row.flagIn, row.flagIn, row.flagIn};
        runner.Push([&](QDialog&) {
            dlg.InitData();
            EXPECT_TRUE(dlg.GetDlgItemAs<QRadioButton>(kItemKindFirstId + std::min<int>(row.kindIn, 3))->isChecked());
            EXPECT_EQ(dlg.GetDlgItemAs<QCheckBox>(kMatchCaseId)->isChecked(), row.flagIn == 1);
            if (row.clickKind >= 0)
                dlg.GetDlgItemAs<QRadioButton>(kItemKindFirstId + row.clickKind)->setChecked(true);
            Ok(dlg);
            return kIdOk;
        });
        EXPECT_EQ(dlg.DoModal(), kIdOk);
        EXPECT_EQ(dlg.itemKind, row.kindOut);
        EXPECT_EQ(dlg.settings.matchFullName, row.flagOut);
        EXPECT_EQ(dlg.settings.matchCase, row.flagOut);
        EXPECT_EQ(dlg.settings.fromBeginning, row.flagOut);
        EXPECT_EQ(dlg.settings.text, QStringLiteral("abc"));
        EXPECT_FALSE(dlg.HasMessageLine());
    }
}

TEST(SearchDialogsTest, MapSearchTakesTextAndFlagsAndLimitsTheText)
{
    ScriptedModalRunner runner;
    CSearchDlg dlg;
    dlg.settings = {QString(), 0, 0, 1};
    runner.Push([&](QDialog&) {
        dlg.InitData();
        // Each box shows its own flag.
        EXPECT_FALSE(dlg.GetDlgItemAs<QCheckBox>(kMatchFullNameId)->isChecked());
        EXPECT_FALSE(dlg.GetDlgItemAs<QCheckBox>(kMatchCaseId)->isChecked());
        EXPECT_TRUE(dlg.GetDlgItemAs<QCheckBox>(kFromBeginningId)->isChecked());
        auto* edit = dlg.GetDlgItemAs<QLineEdit>(kSearchTextEditId);
        EXPECT_EQ(edit->maxLength(), 20);
        edit->setText(QStringLiteral("0123456789012345678901234"));
        dlg.GetDlgItemAs<QCheckBox>(kMatchFullNameId)->setChecked(true);
        dlg.GetDlgItemAs<QCheckBox>(kFromBeginningId)->setChecked(false);
        Ok(dlg);
        return kIdOk;
    });
    EXPECT_EQ(dlg.DoModal(), kIdOk);
    EXPECT_EQ(dlg.settings.text, QStringLiteral("01234567890123456789"));
    EXPECT_EQ(dlg.settings.matchFullName, 1);
    EXPECT_EQ(dlg.settings.matchCase, 0);
    EXPECT_EQ(dlg.settings.fromBeginning, 0);
}

TEST(SearchDialogsTest, CancelKeepsTheOpenersSettings)
{
    ScriptedModalRunner runner;
    TreeSearchSettings settings{QStringLiteral("old"), 1, true, false, true};
    runner.Push([](QDialog& dialog) {
        auto& dlg = static_cast<CTreeSearchDlg&>(dialog);
        dlg.InitData();
        // The opener's settings as they open: whole text, letter case not matched, from the top, NE.
        EXPECT_TRUE(dlg.GetDlgItemAs<QCheckBox>(kMatchFullNameId)->isChecked());
        EXPECT_FALSE(dlg.GetDlgItemAs<QCheckBox>(kMatchCaseId)->isChecked());
        EXPECT_TRUE(dlg.GetDlgItemAs<QCheckBox>(kFromBeginningId)->isChecked());
        EXPECT_TRUE(dlg.GetDlgItemAs<QRadioButton>(kItemKindFirstId + 1)->isChecked());
        dlg.GetDlgItemAs<QLineEdit>(kSearchTextEditId)->setText(QStringLiteral("new"));
        return kIdCancel;
    });
    EXPECT_FALSE(RunTreeSearchDialog(settings));
    EXPECT_EQ(settings.text, QStringLiteral("old"));

    runner.Push([](QDialog& dialog) {
        auto& dlg = static_cast<CTreeSearchDlg&>(dialog);
        dlg.InitData();
        dlg.GetDlgItemAs<QLineEdit>(kSearchTextEditId)->setText(QStringLiteral("new"));
        dlg.GetDlgItemAs<QRadioButton>(kItemKindFirstId)->setChecked(true);
        dlg.OnOK();
        return kIdOk;
    });
    EXPECT_TRUE(RunTreeSearchDialog(settings));
    EXPECT_EQ(settings.text, QStringLiteral("new"));
    EXPECT_EQ(settings.kind, 0);
    EXPECT_TRUE(settings.wholeText);
    EXPECT_TRUE(settings.fromTop);
}

} // namespace
