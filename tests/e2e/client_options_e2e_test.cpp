// Client Options in the running program: System > Client Options shows the settings on its three pages, the Map
// page adds a map through the Map Setting dialog, which refuses what the map list must not get, and OK writes the
// ALARM and LINK sections and the map list as the program keeps them.

#include "tests/e2e/support/e2e_harness.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/map/map_list.h"
#include "core/tables/app_data.h"
#include "platform/file_chooser.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/map/map_setting_dlg.h"
#include "ui/shell/options/client_options_dlg.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdClientOptions = 33073;
using e2e::Check;
using e2e::Choose;
using e2e::Click;
using e2e::Field;
using e2e::IsChecked;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::Type;
using Alarm = CAlarmWarningPage;
using Connection = CConnectionPage;
using Setting = CMapSettingDlg;

void ClickTab(CClientOptionsDlg& dialog, int index)
{
    auto* tabs = dialog.GetDlgItemAs<QTabBar>(CClientOptionsDlg::kTabsId);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

QString IniValue(const std::string& ini, const std::string& key)
{
    const size_t at = ini.find("\n" + key + "=");
    if (at == std::string::npos)
        return {};
    const size_t start = at + key.size() + 2;
    return QString::fromStdString(ini.substr(start, ini.find('\n', start) - start));
}

// Each button of the page lies inside the page, and the page inside the dialog.
void ExpectWithin(QWidget& dialog, QWidget& page)
{
    for (QWidget* control : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow() || !control->isVisibleTo(&page))
            continue;
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_TRUE(QRect(QPoint(0, 0), page.size()).contains(control->geometry()))
            << control->geometry().x() << "+" << control->width() << " in " << page.width();
        EXPECT_TRUE(dialog.rect().contains(QRect(control->mapTo(&dialog, QPoint(0, 0)), control->size())));
    }
}

TEST(ClientOptionsE2eTest, TheThreePagesShowTheSettingsAndOkWritesThem)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    // Flashing for service-affecting alarms, which the dialog does not offer; a sound with its silence and file.
    options.iniExtra = "[ALARM]\nFLASH=SA\nFLASHCYCLE=4\nBEEP=MN\nBEEPOFFINTERVAL=77\nBEEPFILE=old.wav\n";
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();

    person.OnDialog<CClientOptionsDlg>([&](CClientOptionsDlg& dialog) {
        Alarm& alarm = dialog.AlarmPage();
        EXPECT_TRUE(IsChecked(alarm, Alarm::kNoFlashId)) << "SA shows as no flash";
        EXPECT_TRUE(MessageLine(dialog).isEmpty()) << "and nothing is said of it";
        EXPECT_TRUE(IsChecked(alarm, Alarm::kSoundId));
        EXPECT_EQ(Field(alarm, Alarm::kSoundLevelId), QStringLiteral("Minor"));
        EXPECT_EQ(Field(alarm, Alarm::kSilenceId), QStringLiteral("77"));
        EXPECT_FALSE(alarm.IsControlEnabled(Alarm::kFlashLevelId));
        EXPECT_FALSE(alarm.IsControlEnabled(Alarm::kPlayId)) << "old.wav cannot be opened";
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("client_options_alarm")));
        // Flashing from major on, every 3 seconds; no sound, which keeps its silence and file.
        Check(alarm, Alarm::kFlashId);
        Choose(alarm, Alarm::kFlashLevelId, QStringLiteral("Major"));
        Type(alarm, Alarm::kFlashCycleId, QStringLiteral("3"));
        Check(alarm, Alarm::kNoSoundId);
        EXPECT_TRUE(alarm.IsControlReadOnly(Alarm::kSilenceId));

        ClickTab(dialog, 1);
        Connection& connection = dialog.ConnectionPage();
        EXPECT_EQ(Field(connection, Connection::kServerPortId), QString::number(program.PeerPort()));
        EXPECT_TRUE(connection.IsControlReadOnly(Connection::kServerPortId)) << "without SYSTEM/CHANGEPORT";
        EXPECT_FALSE(connection.IsControlReadOnly(Connection::kWaitId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("client_options_connection")));
        Type(connection, Connection::kWaitId, QStringLiteral("2"));
        Click(dialog, IDOK);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Please enter an integer between 3 and 900."));
        EXPECT_FALSE(dialog.IsEnded());
        Type(connection, Connection::kWaitId, QStringLiteral("20"));
        Type(connection, Connection::kHelloId, QStringLiteral("60"));

        ClickTab(dialog, 2);
        CMapOptionsPage& maps = dialog.MapPage();
        QTreeView& list = *maps.FindList(CMapOptionsPage::kListId);
        EXPECT_EQ(ListColumn(list, 0), (QStringList{"default", "1", "2", "3"}));
        EXPECT_EQ(ListColumn(list, 1).value(1), QStringLiteral("Coast-Region"));
        EXPECT_EQ(ListColumn(list, 2).value(2), QStringLiteral("9.8000"));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("client_options_map")));
        ExpectWithin(dialog, maps);

        // Without a row, Modify asks for one.
        EXPECT_TRUE(maps.IsControlEnabled(kModifyButtonId));
        Click(maps, kModifyButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("Please select one item"));

        // The world map's row stays.
        program.ClickListRow(list, 0);
        Click(maps, kDeleteButtonId);
        EXPECT_EQ(MessageLine(dialog), QStringLiteral("The data can't be deleted"));

        // A new map: an id in use and a name with a blank are refused, then the harbour map goes in.
        person.OnDialog<Setting>([&](Setting& setting) {
            Type(setting, Setting::kMapIdId, QStringLiteral("2"));
            Type(setting, Setting::kNameId, QStringLiteral("Old Harbour"));
            Type(setting, Setting::kFileId, QStringLiteral(".\\Map\\north_city.png"));
            Click(setting, IDOK);
            EXPECT_EQ(MessageLine(setting), QStringLiteral("Map ID is used"));
            Type(setting, Setting::kMapIdId, QStringLiteral("9"));
            Click(setting, IDOK);
            EXPECT_EQ(MessageLine(setting),
                      QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
            Type(setting, Setting::kNameId, QStringLiteral("Harbour"));
            Type(setting, Setting::kWestId, QStringLiteral("10.6"));
            Type(setting, Setting::kEastId, QStringLiteral("10.6"));
            Click(setting, IDOK);
            EXPECT_EQ(MessageLine(setting),
                      QStringLiteral("East longitude must be 0.1000 greater than West longitude"));
            Type(setting, Setting::kEastId, QStringLiteral("10.9"));
            Type(setting, Setting::kNorthId, QStringLiteral("60"));
            Type(setting, Setting::kSouthId, QStringLiteral("59.8"));
            // Browse offers the picture kinds, JPEG first to be added, from the name in the field; Cancel keeps it.
            program.Operator().Files().PushPath(std::nullopt);
            Click(setting, Setting::kBrowseId);
            EXPECT_EQ(program.Operator().Files().Requests().size(), 1U);
            const FileChooserRequest browse = program.Operator().Files().Requests().empty()
                                                  ? FileChooserRequest{}
                                                  : program.Operator().Files().Requests().back();
            EXPECT_EQ(browse.filter, QStringLiteral("Bitmap Files (*.bmp);;Jpeg Files (*.jpg);;GIF Files "
                                                    "(*.gif);;WMF Files (*.wmf);;DIB Files (*.dib);;EMF Files "
                                                    "(*.emf);;All Files (*.*)"));
            EXPECT_EQ(browse.defaultSuffix, QStringLiteral("jpg"));
            EXPECT_EQ(browse.fileName, QStringLiteral(".\\Map\\north_city.png"));
            EXPECT_EQ(Field(setting, Setting::kFileId), QStringLiteral(".\\Map\\north_city.png"));
            setting.DrawPreview();
            EXPECT_TRUE(setting.HasPreview());
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(setting, QStringLiteral("map_setting")));
            Click(setting, IDOK);
            return IDCANCEL;
        });
        Click(maps, kAddButtonId);
        EXPECT_EQ(ListColumn(list, 1).value(4), QStringLiteral("Harbour"));
        Click(dialog, IDOK);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdClientOptions));

    // What the program keeps and what it wrote.
    EXPECT_EQ(AppSettings().flash.level, 2);
    EXPECT_EQ(AppSettings().beep.level, 0);
    ASSERT_EQ(CurrentMapList().GetMapCount(), 4u);
    EXPECT_EQ(CurrentMapList().GetMapAt(3)->name, "Harbour");
    const std::string ini = ReadText(program.WorkDir().Ini());
    EXPECT_EQ(IniValue(ini, "FLASH"), QStringLiteral("MJ"));
    EXPECT_EQ(IniValue(ini, "FLASHCYCLE"), QStringLiteral("3"));
    EXPECT_EQ(IniValue(ini, "BEEP"), QStringLiteral("NO"));
    EXPECT_EQ(IniValue(ini, "BEEPOFFINTERVAL"), QStringLiteral("77"));
    EXPECT_EQ(IniValue(ini, "BEEPFILE"), QStringLiteral("old.wav"));
    EXPECT_EQ(IniValue(ini, "SERVERWAIT"), QStringLiteral("20000"));
    EXPECT_EQ(IniValue(ini, "PINGINTERVAL"), QStringLiteral("60000"));
    EXPECT_EQ(IniValue(ini, "SERVERPORT"), QString::number(program.PeerPort()));
    const std::string maps = ReadText(program.WorkDir().Path() / "Map" / "Map.dat");
    EXPECT_EQ(IniValue(maps, "COUNT"), QStringLiteral("4"));
    EXPECT_EQ(IniValue(maps, "MAP4"),
              QStringLiteral("9,Harbour,10.6000,10.9000,60.0000,59.8000,.\\Map\\north_city.png"));
}

// Each number of the Alarm Warning and Connection pages at both ends of its range: one past an end is refused with
// the range named, the ends themselves pass (OK ends the dialog with every number at its upper end).
TEST(ClientOptionsE2eTest, EachNumberHoldsItsRangeAtBothEnds)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.iniExtra = "[SYSTEM]\nCHANGEPORT=1\n[ALARM]\nFLASH=CR\nBEEP=CR\n";
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    struct Row {
        int tab;
        int edit;
        int low;
        int high;
    };
    const Row rows[] = {
        {0, Alarm::kFlashCycleId, 1, 10},         {0, Alarm::kSilenceId, 0, 3600},
        {1, Connection::kServerPortId, 1, 65535}, {1, Connection::kTrapPortId, 1, 65535},
        {1, Connection::kWaitId, 3, 900},         {1, Connection::kHelloId, 10, 240},
    };
    // First every end is passed by one and the lower ends are kept, then the upper ends.
    for (const bool upper : {false, true}) {
        program.Operator().OnDialog<CClientOptionsDlg>([&](CClientOptionsDlg& dialog) {
            for (const Row& row : rows) {
                ClickTab(dialog, row.tab);
                CADialog& page = row.tab == 0 ? static_cast<CADialog&>(dialog.AlarmPage()) : dialog.ConnectionPage();
                for (const int past : {row.low - 1, row.high + 1}) {
                    if (upper || past < 0)
                        continue;
                    SCOPED_TRACE(std::to_string(row.edit) + " at " + std::to_string(past));
                    Type(page, row.edit, QString::number(past));
                    Click(dialog, IDOK);
                    EXPECT_EQ(MessageLine(dialog),
                              QStringLiteral("Please enter an integer between %1 and %2.").arg(row.low).arg(row.high));
                    EXPECT_FALSE(dialog.IsEnded());
                }
                Type(page, row.edit, QString::number(upper ? row.high : row.low));
            }
            Click(dialog, IDOK);
            EXPECT_TRUE(dialog.IsEnded()) << MessageLine(dialog).toStdString();
            return IDCANCEL;
        });
        ASSERT_TRUE(program.Command(kCmdClientOptions));
        EXPECT_EQ(AppSettings().flashCycle, upper ? 10U : 1U);
        EXPECT_EQ(AppSettings().beepOffInterval, upper ? 3600U : 0U);
        EXPECT_EQ(AppSettings().serverWait, upper ? 900000U : 3000U);
        EXPECT_EQ(AppSettings().pingInterval, upper ? 240000U : 10000U);
    }
}

// In direct mode, System > Options: the wave file is kept as typed, and Browse offers wave files.
TEST(ClientOptionsE2eTest, InDirectModeTheSoundFileIsKeptAsTyped)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartAgent());
    ASSERT_TRUE(program.Login("qurim", "private"));
    e2e::COperator& person = program.Operator();
    const QString typed = QStringLiteral(" alarm sound.wav ");
    person.OnDialog<CClientOptionsDlg>([&](CClientOptionsDlg& dialog) {
        Alarm& alarm = dialog.AlarmPage();
        Check(alarm, Alarm::kSoundId);
        person.Files().PushPath(std::nullopt);
        Click(alarm, Alarm::kBrowseId);
        EXPECT_EQ(person.Files().Requests().size(), 1U);
        const FileChooserRequest browse =
            person.Files().Requests().empty() ? FileChooserRequest{} : person.Files().Requests().back();
        EXPECT_EQ(browse.filter, QStringLiteral("Waveform Files (*.wav);;All Files (*.*)"));
        EXPECT_EQ(browse.defaultSuffix, QStringLiteral("wav"));
        Type(alarm, Alarm::kWaveFileId, typed);
        ClickTab(dialog, 2);
        ExpectWithin(dialog, dialog.MapPage());
        // A new map's Browse offers the picture kinds, JPEG added to a name without an extension.
        person.OnDialog<Setting>([&](Setting& setting) {
            // On opening: map 1 without name or file, the world's bounds, the id open to change, no preview.
            EXPECT_EQ(Field(setting, Setting::kMapIdId), QStringLiteral("1"));
            EXPECT_EQ(Field(setting, Setting::kNameId), QString());
            EXPECT_EQ(Field(setting, Setting::kFileId), QString());
            EXPECT_EQ((QStringList{Field(setting, Setting::kWestId), Field(setting, Setting::kEastId),
                                   Field(setting, Setting::kNorthId), Field(setting, Setting::kSouthId)}),
                      (QStringList{"-180", "180", "90", "-90"}));
            EXPECT_FALSE(setting.GetDlgItemAs<QLineEdit>(Setting::kMapIdId)->isReadOnly());
            EXPECT_TRUE(setting.IsControlEnabled(Setting::kMapIdSpinId));
            EXPECT_TRUE(setting.IsControlEnabled(IDOK));
            EXPECT_FALSE(setting.HasPreview());
            // Leaving the file name draws the preview; what the picture loader refuses leaves it empty, unspoken.
            const size_t boxes = person.boxTexts.size();
            for (const auto& [file, shown] :
                 {std::pair{QStringLiteral(".\\Map\\north_city.png"), true},
                  std::pair{QStringLiteral(".\\Map\\Map.dat"), false}, std::pair{QStringLiteral("none.png"), false}}) {
                Type(setting, Setting::kFileId, file);
                QFocusEvent left(QEvent::FocusOut);
                QCoreApplication::sendEvent(setting.GetDlgItem(Setting::kFileId), &left);
                EXPECT_EQ(setting.HasPreview(), shown) << file.toStdString();
            }
            EXPECT_EQ(person.boxTexts.size(), boxes);
            EXPECT_TRUE(MessageLine(setting).isEmpty());
            person.Files().PushPath(std::nullopt);
            Click(setting, Setting::kBrowseId);
            EXPECT_EQ(person.Files().Requests().size(), 2U);
            EXPECT_EQ(person.Files().Requests().back().defaultSuffix, QStringLiteral("jpg"));
            return IDCANCEL;
        });
        Click(dialog.MapPage(), kAddButtonId);
        Click(dialog, IDOK);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdClientOptions));
    EXPECT_EQ(AppSettings().beepFile, typed.toStdString());
    EXPECT_EQ(ReadIniString("ALARM", "BEEPFILE", "", ConfigFilePath()), typed.toStdString());
}

} // namespace
