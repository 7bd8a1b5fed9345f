// The Client Options dialog as it opens: the severity each flash and sound setting shows (the combos offer the five
// severities gravest first, so that entry n + 1 is severity n), and the four connection values in their units.

#include "tests/ui/framework/framework_test_support.h"
#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "core/config/app_settings.h"
#include "core/ini/ini_file.h"
#include "core/map/map_list.h"
#include "platform/scripted_runners.h"
#include "ui/shell/options/client_options_dlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

using Alarm = CAlarmWarningPage;
using Connection = CConnectionPage;

// Opens the dialog on the settings of the configuration text and hands it, on screen, to the check.
void OnOpenDialog(const std::string& ini, const std::function<void(CClientOptionsDlg&)>& check)
{
    const frame_test::ScopedWorkDir work;
    AppSettings().ReadFullSettings(CIniFile::Parse(ini));
    ScriptedModalRunner runner;
    CClientOptionsDlg dialog;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        check(dialog);
        return IDCANCEL;
    });
    dialog.DoModal();
}

QString ComboText(CADialog& page, int id)
{
    const auto* combo = page.GetDlgItemAs<QComboBox>(id);
    return combo != nullptr ? combo->currentText() : QString();
}

bool RadioOn(CADialog& page, int id)
{
    const auto* radio = page.GetDlgItemAs<QRadioButton>(id);
    return radio != nullptr && radio->isChecked();
}

TEST(ClientOptionsTest, EachAlarmSettingShowsItsSeverityOnOpening)
{
    struct Row {
        const char* code;
        const char* shown; // empty: no effect
    };
    const Row rows[] = {{"CR", "Critical"}, {"MJ", "Major"}, {"MN", "Minor"}, {"WN", "Warning"},
                        {"IF", "Info"},     {"NO", ""},      {"SA", ""}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        const std::string code = row.code;
        OnOpenDialog("[ALARM]\nFLASH=" + code + "\nBEEP=" + code + "\n", [&](CClientOptionsDlg& dialog) {
            Alarm& alarm = dialog.AlarmPage();
            const bool on = *row.shown != '\0';
            EXPECT_EQ(RadioOn(alarm, Alarm::kFlashId), on);
            EXPECT_EQ(RadioOn(alarm, Alarm::kNoFlashId), !on);
            EXPECT_EQ(RadioOn(alarm, Alarm::kSoundId), on);
            EXPECT_EQ(RadioOn(alarm, Alarm::kNoSoundId), !on);
            EXPECT_EQ(alarm.IsControlEnabled(Alarm::kFlashLevelId), on);
            EXPECT_EQ(alarm.IsControlEnabled(Alarm::kSoundLevelId), on);
            if (on) {
                EXPECT_EQ(ComboText(alarm, Alarm::kFlashLevelId), QString::fromLatin1(row.shown));
                EXPECT_EQ(ComboText(alarm, Alarm::kSoundLevelId), QString::fromLatin1(row.shown));
            }
        });
    }
}

TEST(ClientOptionsTest, BothSeverityCombosOfferTheFiveSeveritiesGravestFirst)
{
    OnOpenDialog("", [](CClientOptionsDlg& dialog) {
        for (const int id : {Alarm::kFlashLevelId, Alarm::kSoundLevelId}) {
            const auto* combo = dialog.AlarmPage().GetDlgItemAs<QComboBox>(id);
            ASSERT_NE(combo, nullptr);
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items << combo->itemText(i);
            EXPECT_EQ(items, (QStringList{"Critical", "Major", "Minor", "Warning", "Info"})) << id;
        }
    });
}

TEST(ClientOptionsTest, TheTimesShowInSecondsAndTheCycleAndSilenceAsKept)
{
    OnOpenDialog("[LINK]\nSERVERPORT=2000\nSERVERTRAPPORT=2001\nSERVERWAIT=12000\nPINGINTERVAL=45000\n"
                 "[ALARM]\nFLASH=MJ\nFLASHCYCLE=7\nBEEP=MJ\nBEEPOFFINTERVAL=125\n",
                 [](CClientOptionsDlg& dialog) {
                     const std::pair<int, const char*> connection[] = {{Connection::kServerPortId, "2000"},
                                                                       {Connection::kTrapPortId, "2001"},
                                                                       {Connection::kWaitId, "12"},
                                                                       {Connection::kHelloId, "45"}};
                     for (const auto& [id, shown] : connection)
                         EXPECT_EQ(dialog.ConnectionPage().GetDlgItemAs<QLineEdit>(id)->text(), shown) << id;
                     EXPECT_EQ(dialog.AlarmPage().GetDlgItemAs<QLineEdit>(Alarm::kFlashCycleId)->text(), "7");
                     EXPECT_EQ(dialog.AlarmPage().GetDlgItemAs<QLineEdit>(Alarm::kSilenceId)->text(), "125");
                 });
}

// The map list sorts its four bounds as numbers, not as the texts they show: in each bound column map 2 holds the
// least value and map 1 the greatest, while their texts sort otherwise ("10.6000" before "9.8000").
TEST(ClientOptionsTest, TheMapListSortsItsBoundsAsNumbers)
{
    struct Bounds {
        float west, east, north, south;
    };
    const Bounds bounds[] = {{121.5F, 150.0F, 45.0F, 7.5F}, {9.8F, 99.5F, 8.5F, -60.0F}, {10.6F, 100.25F, 10.0F, -5.0F}};
    CMapList& maps = CurrentMapList();
    maps.SetMapCount(3);
    for (uint32_t i = 0; i < 3; ++i) {
        CMapDef& map = *maps.GetMapAt(i);
        map.id = i + 1;
        map.name = "Map" + std::to_string(i + 1);
        map.west = bounds[i].west;
        map.east = bounds[i].east;
        map.north = bounds[i].north;
        map.south = bounds[i].south;
    }
    OnOpenDialog("", [](CClientOptionsDlg& dialog) {
        CMapOptionsPage& page = dialog.MapPage();
        const auto ids = [&] {
            const QAbstractItemModel* rows = page.FindList(CMapOptionsPage::kListId)->model();
            QStringList texts;
            for (int r = 0; r < rows->rowCount(); ++r) {
                if (rows->index(r, 0).data().toString() != QStringLiteral("default"))
                    texts << rows->index(r, 0).data().toString();
            }
            return texts;
        };
        for (int column = 2; column <= 5; ++column) {
            page.SortList(column, 1, CMapOptionsPage::kListId);
            EXPECT_EQ(ids(), (QStringList{"2", "3", "1"})) << "column " << column << " ascending";
            page.SortList(column, 2, CMapOptionsPage::kListId);
            EXPECT_EQ(ids(), (QStringList{"1", "3", "2"})) << "column " << column << " descending";
        }
    });
    maps.SetMapCount(0);
}

} // namespace
