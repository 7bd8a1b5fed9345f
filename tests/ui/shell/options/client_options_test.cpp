// The Client Options dialog as it opens: the severity each flash and sound setting shows (the combos offer the five
// severities gravest first, so that entry n + 1 is severity n), and the four connection values in their units.

#include "tests/ui/framework/framework_test_support.h"
#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "core/config/app_settings.h"
#include "core/ini/ini_file.h"
#include "core/map/map_list.h"
#include "platform/list_control.h"
#include "platform/notify_codes.h"
#include "platform/scripted_runners.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/menus/context_menu.h"
#include "ui/framework/messages/app_message_box_dlg.h"
#include "ui/shell/map/map_setting_dlg.h"
#include "ui/shell/options/client_options_dlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>

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

// The map list sorts its ids and its four bounds as numbers, not as the texts they show: in each bound column the
// map with id 100 holds the least value and the one with id 10 the greatest, while their texts sort otherwise
// ("-100.5000" before "121.5000" before "9.8000"), and the negative bounds sort below the positive ones; the ids 9, 10
// and 100 arrive in none of their orders.
TEST(ClientOptionsTest, TheMapListSortsItsIdsAndBoundsAsNumbers)
{
    struct Bounds {
        float west, east, north, south;
    };
    const uint32_t ids[] = {10, 100, 9};
    const Bounds bounds[] = {
        {121.5F, 150.0F, 45.0F, 7.5F}, {-100.5F, -99.5F, -80.5F, -60.0F}, {9.8F, 9.25F, 8.5F, -5.0F}};
    CMapList& maps = CurrentMapList();
    maps.SetMapCount(3);
    for (uint32_t i = 0; i < 3; ++i) {
        CMapDef& map = *maps.GetMapAt(i);
        map.id = ids[i];
        map.name = "Map" + std::to_string(i + 1);
        map.west = bounds[i].west;
        map.east = bounds[i].east;
        map.north = bounds[i].north;
        map.south = bounds[i].south;
    }
    OnOpenDialog("", [](CClientOptionsDlg& dialog) {
        CMapOptionsPage& page = dialog.MapPage();
        const auto shown = [&] {
            const QAbstractItemModel* rows = page.FindList(CMapOptionsPage::kListId)->model();
            QStringList texts;
            for (int r = 0; r < rows->rowCount(); ++r)
                texts << rows->index(r, 0).data().toString();
            return texts;
        };
        page.SortList(0, 1, CMapOptionsPage::kListId);
        EXPECT_EQ(shown(), (QStringList{"default", "9", "10", "100"})) << "ids ascending";
        page.SortList(0, 2, CMapOptionsPage::kListId);
        EXPECT_EQ(shown(), (QStringList{"100", "10", "9", "default"})) << "ids descending";
        for (int column = 2; column <= 5; ++column) {
            page.SortList(column, 1, CMapOptionsPage::kListId);
            QStringList maps = shown();
            maps.removeAll(QStringLiteral("default"));
            EXPECT_EQ(maps, (QStringList{"100", "9", "10"})) << "column " << column << " ascending";
            page.SortList(column, 2, CMapOptionsPage::kListId);
            maps = shown();
            maps.removeAll(QStringLiteral("default"));
            EXPECT_EQ(maps, (QStringList{"10", "9", "100"})) << "column " << column << " descending";
        }
    });
    maps.SetMapCount(0);
}

// The map list's popup offers Show, Modify, Add, Delete and Export (33082, 33015, 33060, 33008, 33024), none greyed
// without a row, as each asks for one; Show taken from it without a row asks for one.
TEST(ClientOptionsTest, TheMapListsPopupOffersItsFiveCommands)
{
    const int menuBefore = GetListPopupMenuId();
    SetListPopupMenuId(103); // server mode
    ScriptedPopupMenus menus;
    menus.PushChoice(33082);
    OnOpenDialog("", [](CClientOptionsDlg& dialog) {
        CMapOptionsPage& page = dialog.MapPage();
        NotifyHeader rightClick;
        rightClick.idFrom = CMapOptionsPage::kListId;
        rightClick.code = NM_RCLICK;
        int result = 0;
        dialog.ClearMessageLine();
        page.OnNotify(rightClick, &result);
        PumpUntil([&] { return !dialog.GetMessageText().isEmpty(); });
        EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Please select one item"));
    });
    SetListPopupMenuId(menuBefore);
    ASSERT_EQ(menus.Offered().size(), 1u);
    EXPECT_EQ(menus.Offered()[0], (std::vector<int>{33082, 33015, 33060, 33008, 33024}));
}

// The radio buttons switch their groups: "Flashing while alarms are" opens the cycle (editable), its spin and the
// flash combo; "Notifying while alarms are" opens the silence and the wave file (editable), the silence spin, the sound
// combo and Browse, and Play as well while the wave file can be opened. Each row opens the dialog in one state and
// then clicks the two other radio buttons.
TEST(ClientOptionsTest, EachRadioButtonSwitchesItsGroupOfControls)
{
    const std::string readable = TARVIK_TEST_DATA_DIR "/pictures/two_colors.png"; // any file that opens
    struct Row {
        const char* flash;
        const char* beep;
        std::string file;
        bool flashOn;
        bool soundOn;
        bool fileOpens;
    };
    const Row rows[] = {
        {"NO", "NO", readable, false, false, true},
        {"MJ", "NO", readable, true, false, true},
        {"NO", "MN", readable, false, true, true},
        {"CR", "IF", "no_such_sound.wav", true, true, false},
    };
    const auto expectGroups = [](Alarm& alarm, bool flash, bool sound, bool fileOpens) {
        EXPECT_EQ(alarm.IsControlReadOnly(Alarm::kFlashCycleId), !flash);
        for (const int id : {Alarm::kFlashCycleSpinId, Alarm::kFlashLevelId})
            EXPECT_EQ(alarm.IsControlEnabled(id), flash) << id;
        for (const int id : {Alarm::kSilenceId, Alarm::kWaveFileId})
            EXPECT_EQ(alarm.IsControlReadOnly(id), !sound) << id;
        for (const int id : {Alarm::kSilenceSpinId, Alarm::kSoundLevelId, Alarm::kBrowseId})
            EXPECT_EQ(alarm.IsControlEnabled(id), sound) << id;
        EXPECT_EQ(alarm.IsControlEnabled(Alarm::kPlayId), sound && fileOpens);
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.flash) + "/" + row.beep + " " + row.file);
        OnOpenDialog(std::string("[ALARM]\nFLASH=") + row.flash + "\nBEEP=" + row.beep + "\nBEEPFILE=" + row.file +
                         "\n",
                     [&](CClientOptionsDlg& dialog) {
                         Alarm& alarm = dialog.AlarmPage();
                         expectGroups(alarm, row.flashOn, row.soundOn, row.fileOpens);
                         alarm.GetDlgItemAs<QRadioButton>(row.flashOn ? Alarm::kNoFlashId : Alarm::kFlashId)->click();
                         alarm.GetDlgItemAs<QRadioButton>(row.soundOn ? Alarm::kNoSoundId : Alarm::kSoundId)->click();
                         expectGroups(alarm, !row.flashOn, !row.soundOn, row.fileOpens);
                     });
    }
}

// The two ports and their spins may be changed only with SYSTEM/CHANGEPORT on; the two times always.
TEST(ClientOptionsTest, ThePortsOpenToChangeOnlyWithChangePort)
{
    for (const bool change : {false, true}) {
        SCOPED_TRACE(change);
        OnOpenDialog(change ? "[SYSTEM]\nCHANGEPORT=1\n" : "[SYSTEM]\nCHANGEPORT=0\n", [&](CClientOptionsDlg& dialog) {
            Connection& page = dialog.ConnectionPage();
            for (const int id : {Connection::kServerPortId, Connection::kTrapPortId})
                EXPECT_EQ(page.IsControlReadOnly(id), !change) << id;
            for (const int id : {Connection::kServerPortSpinId, Connection::kTrapPortSpinId})
                EXPECT_EQ(page.IsControlEnabled(id), change) << id;
            for (const int id : {Connection::kWaitId, Connection::kHelloId})
                EXPECT_FALSE(page.IsControlReadOnly(id)) << id;
            for (const int id : {Connection::kWaitSpinId, Connection::kHelloSpinId})
                EXPECT_TRUE(page.IsControlEnabled(id)) << id;
        });
    }
}

// Deleting a map of the list asks "Are you sure to delete the data?" first: No keeps its row, Yes takes it away and
// leaves the other map, which OK saves. Without a selected row Show and Delete ask for one. The world map is known by
// its id, wherever a sort puts its row: it cannot be deleted and is no map of the list that OK saves.
TEST(ClientOptionsTest, DeletingAMapAsksFirst)
{
    CMapList& maps = CurrentMapList();
    maps.SetMapCount(2);
    for (uint32_t i = 0; i < 2; ++i) {
        CMapDef& map = *maps.GetMapAt(i);
        map.id = i + 1;
        map.name = "Map" + std::to_string(i + 1);
    }
    const frame_test::ScopedWorkDir work;
    ScriptedModalRunner runner;
    CClientOptionsDlg dialog;
    QStringList asked;
    const auto answer = [&](int result) {
        runner.Push([&asked, result](QDialog& box) {
            const auto* shown = qobject_cast<CADialog*>(&box);
            const auto* text =
                shown != nullptr ? shown->GetDlgItemAs<QPlainTextEdit>(CAppMessageBoxDlg::kFirstEditId) : nullptr;
            asked << (text != nullptr ? text->toPlainText() : QString());
            return result;
        });
    };
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        CMapOptionsPage& page = dialog.MapPage();
        CListControl rows(page.FindList(CMapOptionsPage::kListId));
        // Without a row, Show and Delete ask for one.
        for (const int command : {kShowButtonId, kDeleteButtonId}) {
            dialog.ClearMessageLine();
            page.OnCommand(command, BN_CLICKED);
            EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Please select one item")) << command;
        }
        page.SortList(0, 2, CMapOptionsPage::kListId);
        EXPECT_EQ(rows.FindItemByData(0), rows.GetItemCount() - 1) << "ids descending: the world map's row last";
        rows.SetItemSelected(rows.FindItemByData(0), true);
        dialog.ClearMessageLine();
        page.OnCommand(kDeleteButtonId, BN_CLICKED);
        EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("The data can't be deleted"));
        EXPECT_NE(rows.FindItemByData(0), -1);
        rows.SetItemSelected(rows.FindItemByData(0), false);
        rows.SetItemSelected(rows.FindItemByData(1), true);
        answer(IDNO);
        page.OnCommand(kDeleteButtonId, BN_CLICKED);
        EXPECT_NE(rows.FindItemByData(1), -1) << "No keeps the map";
        answer(IDYES);
        page.OnCommand(kDeleteButtonId, BN_CLICKED);
        EXPECT_EQ(rows.FindItemByData(1), -1) << "Yes takes it away";
        EXPECT_NE(rows.FindItemByData(2), -1);
        dialog.OnCommand(IDOK, BN_CLICKED);
        EXPECT_TRUE(dialog.IsEnded());
        return IDCANCEL;
    });
    dialog.DoModal();
    EXPECT_EQ(asked, (QStringList{"Are you sure to delete the data?", "Are you sure to delete the data?"}));
    ASSERT_EQ(maps.GetMapCount(), 1u);
    EXPECT_EQ(maps.GetMapAt(0)->id, 2u);
    maps.SetMapCount(0);
}

// Show opens the Map Setting dialog on the row's map for reading only (OK off); Modify opens it to change all but the
// id and writes what it returns back into the row.
TEST(ClientOptionsTest, ShowAndModifyOpenTheMapSettingOnTheRowsMap)
{
    CMapList& maps = CurrentMapList();
    maps.SetMapCount(1);
    CMapDef& harbour = *maps.GetMapAt(0);
    harbour.id = 1;
    harbour.name = "Harbour";
    harbour.imageFile = "harbour.png";
    harbour.west = 10.0F;
    harbour.east = 11.0F;
    harbour.north = 60.0F;
    harbour.south = 59.0F;
    const frame_test::ScopedWorkDir work;
    ScriptedModalRunner runner;
    CClientOptionsDlg dialog;
    struct Opened {
        QString name;
        bool okOn = false;
        bool idFixed = false;
    };
    std::vector<Opened> opened;
    const auto open = [&](const QString& rename) {
        runner.Push([&, rename](QDialog& shown) {
            auto* setting = dynamic_cast<CMapSettingDlg*>(&shown);
            EXPECT_NE(setting, nullptr);
            if (setting == nullptr || !PumpUntil([&] { return setting->IsFirstShowDone(); }))
                return IDCANCEL;
            opened.push_back({setting->GetDlgItemAs<QLineEdit>(CMapSettingDlg::kNameId)->text(),
                              setting->IsControlEnabled(IDOK),
                              setting->GetDlgItemAs<QLineEdit>(CMapSettingDlg::kMapIdId)->isReadOnly()});
            if (rename.isEmpty())
                return IDCANCEL;
            setting->GetDlgItemAs<QLineEdit>(CMapSettingDlg::kNameId)->setText(rename);
            setting->OnOK();
            return setting->IsEnded() ? setting->result() : IDCANCEL;
        });
    };
    QString renamed;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        CMapOptionsPage& page = dialog.MapPage();
        CListControl rows(page.FindList(CMapOptionsPage::kListId));
        rows.SetItemSelected(rows.FindItemByData(1), true);
        open({});
        page.OnCommand(kShowButtonId, BN_CLICKED);
        open(QStringLiteral("Quay"));
        page.OnCommand(kModifyButtonId, BN_CLICKED);
        renamed = rows.GetItemText(rows.FindItemByData(1), 1);
        return IDCANCEL;
    });
    dialog.DoModal();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].name, QStringLiteral("Harbour"));
    EXPECT_FALSE(opened[0].okOn) << "Show changes nothing";
    EXPECT_EQ(opened[1].name, QStringLiteral("Harbour"));
    EXPECT_TRUE(opened[1].okOn);
    EXPECT_TRUE(opened[1].idFixed) << "Modify keeps the id";
    EXPECT_EQ(renamed, QStringLiteral("Quay"));
    maps.SetMapCount(0);
}

// The map list goes to the Export dialog under the stem "ClnOptMap" and the title "Client Options - Map".
TEST(ClientOptionsTest, TheMapListExportsUnderItsStemAndTitle)
{
    const frame_test::ScopedWorkDir work;
    ScriptedModalRunner runner;
    CClientOptionsDlg dialog;
    std::string title;
    std::string basePath;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        runner.Push([&](QDialog& shown) {
            auto* exporting = dynamic_cast<CExportDlg*>(&shown);
            EXPECT_NE(exporting, nullptr);
            if (exporting != nullptr && PumpUntil([&] { return exporting->IsFirstShowDone(); })) {
                title = exporting->GetExportTitle();
                basePath = exporting->GetBasePath();
            }
            return IDCANCEL;
        });
        dialog.MapPage().OnCommand(kExportButtonId, BN_CLICKED);
        return IDCANCEL;
    });
    dialog.DoModal();
    EXPECT_EQ(title, "Client Options - Map");
    EXPECT_EQ(std::filesystem::path(basePath).filename().string(), "ClnOptMap");
}

// OK keeps the two ports as entered, each in its own setting, and the two times in milliseconds.
TEST(ClientOptionsTest, OkKeepsEachPortAsEnteredAndTheTimesInMilliseconds)
{
    OnOpenDialog("[SYSTEM]\nCHANGEPORT=1\n", [](CClientOptionsDlg& dialog) {
        const std::pair<int, const char*> typed[] = {{Connection::kServerPortId, "2000"},
                                                     {Connection::kTrapPortId, "2001"},
                                                     {Connection::kWaitId, "12"},
                                                     {Connection::kHelloId, "45"}};
        for (const auto& [id, text] : typed)
            dialog.ConnectionPage().GetDlgItemAs<QLineEdit>(id)->setText(QString::fromLatin1(text));
        dialog.OnCommand(IDOK, BN_CLICKED);
        EXPECT_TRUE(dialog.IsEnded());
        EXPECT_EQ(AppSettings().serverPort, 2000);
        EXPECT_EQ(AppSettings().serverTrapPort, 2001);
        EXPECT_EQ(AppSettings().serverWait, 12000u);
        EXPECT_EQ(AppSettings().pingInterval, 45000u);
    });
}

// The dialog "Client Options" holds its pages under the tabs Alarm Warning, Connection and Map, in this order, the
// first shown.
TEST(ClientOptionsTest, ThePagesComeUnderTheirTabsInTheirOrder)
{
    OnOpenDialog("", [](CClientOptionsDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Client Options"));
        const auto* tabs = dialog.GetDlgItemAs<QTabBar>(CClientOptionsDlg::kTabsId);
        ASSERT_NE(tabs, nullptr);
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i)
            titles << tabs->tabText(i);
        EXPECT_EQ(titles, (QStringList{"Alarm Warning", "Connection", "Map"}));
        EXPECT_EQ(dialog.GetCurrentPage(), &dialog.AlarmPage());
        EXPECT_EQ(dialog.GetPageTitleById(334), QStringLiteral("Connection"));
        EXPECT_EQ(dialog.GetPageTitleById(335), QStringLiteral("Map"));
    });
}

// OK saves the maps of the list with each bound limited to the world map's: a map read with wider bounds is kept
// inside -180..180 and -90..90, each bound at both ends (the second map's bounds lie past the other ends).
TEST(ClientOptionsTest, OkLimitsEachBoundOfAMapToTheWorlds)
{
    struct Bounds {
        float west, east, north, south;
    };
    const Bounds read[] = {{-200.0F, 190.0F, 95.0F, -91.0F}, {185.0F, -185.0F, -95.0F, 91.0F}};
    const Bounds kept[] = {{-180.0F, 180.0F, 90.0F, -90.0F}, {180.0F, -180.0F, -90.0F, 90.0F}};
    CMapList& maps = CurrentMapList();
    maps.SetMapCount(2);
    for (uint32_t i = 0; i < 2; ++i) {
        CMapDef& wide = *maps.GetMapAt(i);
        wide.id = i + 1;
        wide.name = "Wide" + std::to_string(i + 1);
        wide.west = read[i].west;
        wide.east = read[i].east;
        wide.north = read[i].north;
        wide.south = read[i].south;
    }
    OnOpenDialog("", [](CClientOptionsDlg& dialog) {
        dialog.OnCommand(IDOK, BN_CLICKED);
        EXPECT_TRUE(dialog.IsEnded());
    });
    ASSERT_EQ(maps.GetMapCount(), 2u);
    for (uint32_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const CMapDef& saved = *maps.GetMapAt(i);
        EXPECT_EQ(saved.west, kept[i].west);
        EXPECT_EQ(saved.east, kept[i].east);
        EXPECT_EQ(saved.north, kept[i].north);
        EXPECT_EQ(saved.south, kept[i].south);
    }
    maps.SetMapCount(0);
}

} // namespace
