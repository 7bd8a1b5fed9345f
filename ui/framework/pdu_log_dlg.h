#pragma once
// The PDU log window (dialog 251): the readable form of the PDUs the link sent and received, the newest at the bottom,
// at most the last 2000 lines. Modeless and created at start-up; it never takes the current-dialog role.

#include "platform/dialog.h"

#include <QStringList>

#include <memory>
#include <string>
#include <vector>

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
    // The lines shown, oldest first.
    QStringList Lines() const;

    bool OnCommand(int id, int code) override;
    // Closing only hides the window; it lives until the application ends.
    void OnCancel() override;

private:
    std::unique_ptr<Ui::CPduLogDlg> ui_;
};
