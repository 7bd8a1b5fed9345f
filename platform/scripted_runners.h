#pragma once
// Scripted stand-ins for the places where a person answers: modal dialogs, message boxes, file choosers and popup
// menus. Each installs itself for its lifetime and puts back what was installed before, so a test writes
//     ScriptedMessageBoxes boxes;
//     boxes.PushAnswer(IDYES);
// and the code under test gets IDYES from its next box without anything blocking.

#include "platform/file_chooser.h"
#include "platform/message_box_runner.h"
#include "platform/modal_runner.h"
#include "platform/popup_menu_runner.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Each run shows the dialog (without blocking) and takes the next script, which may work the dialog (click its
// controls, call its hooks) and returns the result to end it with when it has not ended itself. Without a script the
// dialog ends with IDCANCEL.
class ScriptedModalRunner : public ModalRunner {
public:
    using Script = std::function<int(QDialog&)>;
    ScriptedModalRunner();
    ~ScriptedModalRunner() override;
    ScriptedModalRunner(const ScriptedModalRunner&) = delete;
    ScriptedModalRunner& operator=(const ScriptedModalRunner&) = delete;

    void Push(Script script);
    void PushResult(int result);
    int RunModal(QDialog& dialog) override;
    // Window titles of the dialogs run so far, in order.
    const QStringList& Runs() const { return runs_; }

private:
    std::deque<Script> scripts_;
    QStringList runs_;
    ModalRunner* previous_;
};

// Answers boxes from a queue; without a queued answer the box's default button answers.
class ScriptedMessageBoxes : public MessageBoxRunner {
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes() override;
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    void PushAnswer(int result);
    int ShowMessageBox(const MessageBoxRequest& request) override;
    const std::vector<MessageBoxRequest>& Requests() const { return requests_; }

private:
    std::deque<int> answers_;
    std::vector<MessageBoxRequest> requests_;
    MessageBoxRunner* previous_;
};

// Answers choosers from a queue; without a queued answer the person cancels.
class ScriptedFileChooser : public FileChooser {
public:
    ScriptedFileChooser();
    ~ScriptedFileChooser() override;
    ScriptedFileChooser(const ScriptedFileChooser&) = delete;
    ScriptedFileChooser& operator=(const ScriptedFileChooser&) = delete;

    void PushPath(std::optional<QString> path);
    std::optional<QString> ChooseFile(const FileChooserRequest& request) override;
    const std::vector<FileChooserRequest>& Requests() const { return requests_; }

private:
    std::deque<std::optional<QString>> paths_;
    std::vector<FileChooserRequest> requests_;
    FileChooser* previous_;
};

// Chooses popup menu commands from a queue; without a queued choice, or with one the menu does not offer enabled,
// nothing is chosen (0). Records the command ids of the enabled actions each popup offered.
class ScriptedPopupMenus : public PopupMenuRunner {
public:
    ScriptedPopupMenus();
    ~ScriptedPopupMenus() override;
    ScriptedPopupMenus(const ScriptedPopupMenus&) = delete;
    ScriptedPopupMenus& operator=(const ScriptedPopupMenus&) = delete;

    void PushChoice(int commandId);
    int TrackPopupMenu(QMenu& menu, const QPoint& globalPos) override;
    const std::vector<std::vector<int>>& Offered() const { return offered_; }
    // Every command each menu showed, greyed ones too.
    const std::vector<std::vector<int>>& Shown() const { return shown_; }

private:
    std::deque<int> choices_;
    std::vector<std::vector<int>> offered_;
    std::vector<std::vector<int>> shown_;
    PopupMenuRunner* previous_;
};
