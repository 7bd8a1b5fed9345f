#pragma once
// Shared pieces of the application and login tests: a working directory of its own with a Tarvik.ini and the sample
// definition files, a modal runner that answers each kind of dialog the application opens, and a main frame stand-in.

#include "tarvik_test_paths.h"
#include "tests/core/temp_file_test.h"
#include "tests/link/snmp_test_support.h"
#include "tests/ui/framework/framework_test_support.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_model_set.h"
#include "core/map/map_list.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "link/driver_mode.h"
#include "link/server_message_dispatcher.h"
#include "platform/control_id.h"
#include "platform/ip_address_edit.h"
#include "platform/modal_runner.h"
#include "platform/notify_codes.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/link_ui/wait_dlg.h"
#include "ui/framework/messages/app_message_box_dlg.h"
#include "ui/framework/messages/string_table.h"
#include "ui/shell/app/app_frame.h"
#include "ui/shell/app/login_dlg.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace app_test {

namespace fs = std::filesystem;

inline const fs::path kResources{TARVIK_RESOURCES_DIR};

using ::LoadProgramStrings;
using ::PumpUntil;
using ::ReadText;
using ::WriteText;

// The state a program has before its start-up.
inline void ResetProgramState()
{
    SetDriverMode(kDriverModeBase);
    AppSettings() = CAppSettings{};
    AppData().Reset();
    ClearUserRights();
    ClearServerMessageQueue();
    ReplaceEntityModels(nullptr);
    CurrentMapList() = CMapList{};
    SetDisplayScale({1.0, 1.0});
    ResetAppDialogFont();
}

// A fresh working directory for one test, left again at the end.
class CWorkDir : public CTempDir {
public:
    CWorkDir() : CTempDir(true, "tarvik-app-") {}

    fs::path Ini() const { return Path() / "Tarvik.ini"; }

    // The sample definition files in the places the default configuration names.
    void CopyDefinitionFiles() const
    {
        fs::create_directories(Path() / "EntConf");
        fs::create_directories(Path() / "Map");
        for (const char* name : {"EntInfo.dat", "EntAlm.dat", "EntSkin.dat"})
            fs::copy_file(kResources / "EntConf" / name, Path() / "EntConf" / name);
        // The map list with its pictures, as the run command copies the folder.
        for (const fs::directory_entry& entry : fs::directory_iterator(kResources / "Map"))
            fs::copy_file(entry.path(), Path() / "Map" / entry.path().filename());
    }
    void WriteIni(const std::string& text) const { WriteText(Ini(), text); }
};

// What the operator types into the login dialog; unset fields keep what the dialog shows.
struct LoginInput {
    std::optional<IpAddress> address{};
    std::optional<uint16_t> port{};
    std::optional<std::string> user{};
    std::optional<std::string> password{};
    std::optional<bool> direct{};
};

inline void TypeLogin(CLoginDlg& dialog, const LoginInput& input)
{
    if (input.direct) {
        auto* check = dialog.GetDlgItemAs<QCheckBox>(CLoginDlg::kDirectCheckId);
        if (check->isChecked() != *input.direct)
            check->click();
    }
    if (input.address)
        dialog.GetDlgItemAs<IpAddressEdit>(CLoginDlg::kAddressId)->SetAddress(*input.address);
    if (input.port)
        dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kPortId)->setText(QString::number(*input.port));
    if (input.user)
        dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kUserNameId)->setText(QString::fromStdString(*input.user));
    if (input.password)
        dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kPasswordId)->setText(QString::fromStdString(*input.password));
}

// The text of a program message box as shown.
inline QString BoxText(CAppMessageBoxDlg& box)
{
    for (int id : {CAppMessageBoxDlg::kFirstEditId, CAppMessageBoxDlg::kSecondEditId}) {
        auto* edit = box.GetDlgItemAs<QPlainTextEdit>(id);
        if (edit != nullptr && !edit->toPlainText().isEmpty())
            return edit->toPlainText();
    }
    return {};
}

// The result of the button Enter presses in a program message box, -1 when no button is the default.
inline int DefaultResult(CAppMessageBoxDlg& box)
{
    const std::array<int, 3> results = box.GetButtonResults();
    const int ids[] = {CAppMessageBoxDlg::kButton1Id, CAppMessageBoxDlg::kButton2Id, CAppMessageBoxDlg::kButton3Id};
    for (size_t i = 0; i < results.size(); ++i) {
        const auto* button = box.GetDlgItemAs<QPushButton>(ids[i]);
        if (button != nullptr && button->isDefault() && results[i] >= 0)
            return results[i];
    }
    return -1;
}

// Answers every modal dialog the application opens: login dialogs from a queue of scripts (none left: Exit), program
// message boxes from a queue of answers (none left: the default button), wait dialogs by running them until their
// request ends. Plain system boxes are recorded too.
class CAppRunner : public ModalRunner {
public:
    using LoginScript = std::function<void(CLoginDlg&)>;

    CAppRunner() : previous_(SetModalRunner(this)) {}
    ~CAppRunner() override { SetModalRunner(previous_); }
    CAppRunner(const CAppRunner&) = delete;
    CAppRunner& operator=(const CAppRunner&) = delete;

    void PushLogin(LoginScript script) { logins_.push_back(std::move(script)); }
    // Types the input and presses Login.
    void PushLogin(const LoginInput& input)
    {
        PushLogin([input](CLoginDlg& dialog) {
            TypeLogin(dialog, input);
            dialog.GetDlgItemAs<QAbstractButton>(CLoginDlg::kLoginButtonId)->click();
        });
    }
    void PushBoxAnswer(int result) { answers_.push_back(result); }

    int RunModal(QDialog& dialog) override
    {
        if (auto* wait = dynamic_cast<CWaitDlg*>(&dialog))
            return wait->exec();
        dialog.show();
        QCoreApplication::processEvents();
        int result = IDCANCEL;
        if (auto* login = dynamic_cast<CLoginDlg*>(&dialog)) {
            ++loginRuns;
            // The operator works the dialog once it is on screen.
            PumpUntil([login] { return login->IsFirstShowDone(); });
            if (!logins_.empty()) {
                LoginScript script = std::move(logins_.front());
                logins_.pop_front();
                script(*login);
            }
        } else if (auto* box = dynamic_cast<CAppMessageBoxDlg*>(&dialog)) {
            boxTexts.push_back(BoxText(*box));
            const std::array<int, 3> buttons = box->GetButtonResults();
            const int ids[] = {CAppMessageBoxDlg::kButton1Id, CAppMessageBoxDlg::kButton2Id,
                               CAppMessageBoxDlg::kButton3Id};
            for (size_t i = 0; i < buttons.size(); ++i) {
                const auto* button = box->GetDlgItemAs<QPushButton>(ids[i]);
                if (button != nullptr && button->isDefault())
                    boxDefaults.push_back(buttons[i]);
            }
            result = buttons[0];
            if (!answers_.empty()) {
                result = answers_.front();
                answers_.pop_front();
            }
        }
        if (dialog.isVisible())
            dialog.done(result);
        return dialog.result();
    }

    int loginRuns = 0;
    std::vector<QString> boxTexts;
    std::vector<int> boxDefaults; // the answer of each box's default button

private:
    std::deque<LoginScript> logins_;
    std::deque<int> answers_;
    ModalRunner* previous_;
};

// A main frame stand-in that notes the logout timers the application starts and the closes of its window.
class CFakeFrame : public IAppFrame {
public:
    class Window : public QWidget {
    public:
        int closes = 0;

    protected:
        void closeEvent(QCloseEvent* event) override
        {
            ++closes;
            QWidget::closeEvent(event);
        }
    };

    QWidget* FrameWindow() override { return &window; }
    void InitFrame() override {}
    void HideFrameWindows() override { window.hide(); }
    void StopFrameTimers() override {}
    void StartLogoutTimer(uint32_t periodMs) override { logoutTimers.push_back(periodMs); }
    void PostFrameCommand(int) override {}
    int AddTrapLogRecords(uint32_t, const uint8_t*, uint32_t) override { return 0; }

    Window window;
    std::vector<uint32_t> logoutTimers;
};

// Makes fake frames and keeps a pointer to the last one.
inline MainFrameFactory FakeFrameFactory(CFakeFrame** made)
{
    return [made] {
        auto frame = std::make_unique<CFakeFrame>();
        *made = frame.get();
        return frame;
    };
}

inline uint16_t FreeUdpPort()
{
    return snmp_test::FreeUdpPort();
}

inline constexpr IpAddress kLoopback{127, 0, 0, 1};

} // namespace app_test
