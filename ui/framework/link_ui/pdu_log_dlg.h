#pragma once
// The PDU log window (dialog 251): the readable form of the PDUs the link sent and received, the newest at the bottom,
// at most the last 2000 lines. Modeless and created at start-up; it never takes the current-dialog role.
//
// The window keeps its lines in a bounded buffer and lays them out only while it is visible: hidden (as it is unless
// the operator asks for it) it costs no text layout however fast PDUs arrive, and when it is shown it shows the
// buffer.

#include "platform/dialog.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace Ui {
class CPduLogDlg;
}

class CPduLogDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 251;
    static constexpr int kLogTextId = 1350;
    static constexpr int kClearButtonId = 1351;
    static constexpr int kMaxLines = 2000;

    explicit CPduLogDlg(QWidget* parent = nullptr);
    ~CPduLogDlg() override;

    void AppendLines(const std::vector<std::string>& lines);
    void ClearLog();
    // The lines the window holds, oldest first (on screen while it is visible).
    QStringList Lines() const;

    bool OnCommand(int id, int code) override;
    // Closing only hides the window; it lives until the application ends.
    void OnCancel() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* LogText() const;
    // The text field shows the whole buffer, scrolled to the newest line.
    void ShowBuffer();

    std::unique_ptr<Ui::CPduLogDlg> ui_;
    std::deque<QString> lines_;
    bool textCurrent_ = true; // the text field shows exactly lines_
};
