#pragma once
// CCommandDlg ("Command", template 210): an Administrator sends one free command line to an NE through the management
// server, which runs it on the NE (request 2); what the NE answers is not shown. The NE is chosen by its location and
// name; Send is offered for a connected NE whose equipment is as planned, and the dialog stays open for the next
// command; OK closes without sending. It needs the server: in direct mode it ends at once.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Ui {
class CCommandDlg;
}

class CCommandDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 210;
    static constexpr int kLocationComboId = 1214;
    static constexpr int kNeComboId = 1149;
    static constexpr int kCommandId = 1132;
    static constexpr int kSendButtonId = 1319;

    explicit CCommandDlg(QWidget* parent = nullptr);
    ~CCommandDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;

private:
    // The NEs of the chosen location, keeping the chosen NE when it is still listed.
    void FillNeCombo(uint32_t keepNeId);
    uint32_t ChosenNeId() const;
    // Send is offered for a connected NE as planned.
    void ApplyNeState();
    void Send();

    std::unique_ptr<Ui::CCommandDlg> ui_;
    QString command_;
};
