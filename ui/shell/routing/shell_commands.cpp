#include "ui/shell/routing/shell_commands.h"

#include "core/tables/access_rights.h"
#include "ui/framework/commands/command_registry.h"
#include "ui/framework/dialogs/dialog_request.h"
#include "ui/shell/locations/location_dlg.h"
#include "ui/shell/locations/location_list_dlg.h"
#include "ui/shell/options/client_options_dlg.h"

namespace {

// Popups of the main menus.
constexpr char kSystem[] = "System";
constexpr char kView[] = "View";
constexpr char kConfiguration[] = "Configuration";
constexpr char kConfigurationData[] = "Configuration/NE Management/Configuration Data";
constexpr char kDiagnosis[] = "Diagnosis";
constexpr char kNeAlarm[] = "Diagnosis/NE Alarm";
constexpr char kNeConnectionTests[] = "Diagnosis/NE Connection";
constexpr char kNeConnection[] = "Configuration/NE Management/NE Connection";
constexpr char kHelp[] = "Help";

std::vector<Command> Commands()
{
    return {
        Command(33073)
            .Menu(kSystem, "Client &Options...", 10, LinkModes::Server)
            .Menu(kSystem, "&Options...", 20, LinkModes::Direct)
            .Dialog<CClientOptionsDlg>(),
        Command(33055).Menu(kSystem, "&Logout\tCtrl+L", 50),
        Command(57665).Menu(kSystem, "E&xit\tCtrl+Q", 60),
        Command(32770).Menu(kView, "&Location Indicator", 10).Toggle("OnToggleLocationIndicator"),
        Command(32773).Menu(kView, "&Port Tip", 20).Toggle("OnTogglePortTip"),
        Command(32769).Menu(kView, "&Focus Frame", 30).Toggle("OnToggleFocusFrame"),
        Command(33047)
            .Menu(kConfiguration, "&Location Management...", 10)
            .Server()
            .HideIn({MainMenuCase::DirectNe, MainMenuCase::DirectNoNe})
            .Dialog<CLocationListDlg>()
            .Location(),
        Command(33088)
            .Menu(kConfigurationData, "&Save", 10)
            .InNeSet()
            .Request("OnSaveConfigToFlash")
            .Right(kRightNeOperations, 'x'),
        Command(33204)
            .Menu(kConfigurationData, "&Erase", 20)
            .NeOnline()
            .Request("OnEraseConfig")
            .Right(kRightNeOperations, 'x'),
        Command(33042).Menu(kNeAlarm, "Alarm S&ync", 40).InNeSet().Request("OnAlarmSync"),
        Command(33085).Menu(kDiagnosis, "&Reset", 80).InNeSet().Request("OnResetEntity").Right(kRightNeOperations, 'x'),
        Command(33104)
            .Menu(kNeConnection, "Telnet from Client", 90, {kCaseOnlineNe})
            .Menu(kNeConnectionTests, "Telnet from Client", 40, {kCaseOtherNe})
            .Menu(kNeConnectionTests, "Telnet", 40, {kCasePlannedNe})
            .Menu(kDiagnosis, "T&elnet", 130, {kCaseDirectNe})
            .NeAny()
            .Outside("OnTelnetToNe"),
        Command(33050).Menu(kHelp, "&Help Contents\tF1", 10).Outside("OnHelpContents"),
        Command(57664).Menu(kHelp, "&About...", 30),
        // Only in the entity popups.
        Command(33009).Server().Request("OnDeleteLocation").Right(kRightLocations, 'd'),
        Command(33010).Server().Request("OnDeleteNe").Right(kRightNeOperations, 'd'),
        Command(33011).Server().Request("OnDeleteMember").Right(kRightMembers, 'd'),
        Command(33016).Server().Dialog<CLocationDlg>().Location().Access(kAccessModify),
        Command(33062).Server().Dialog<CLocationDlg>().Location().Access(kAccessCreate),
        Command(33095).Server().Dialog<CLocationListDlg>().Location(),
        Command(33136).Server().Dialog<CLocationDlg>().Location(),
        // In no menu.
        Command(1268).Window("OnShowPduLog"),
        Command(33058).Ignored(),
        Command(33059).Ignored(),
        Command(33094).Stop("OnStopTransaction"),
        Command(33101).Request("OnDownloadConfig").Right(kRightNeOperations, 'x'),
        Command(33102).Request("OnRetrieveConfig").Right(kRightNeOperations, 'x'),
    };
}

} // namespace

void DeclareShellCommands()
{
    DeclareCommands("shell", Commands());
}
