#pragma once
// CIncomingMailDlg ("Incoming Mail", template 234): a window of its own for one operator mail the server delivered,
// with its sender, the sender's address, when it arrived and its text; it does not block the program, and each mail
// has its own. Reply opens an Instant Popup Mail to the sender that quotes the mail, and the window goes whatever the
// reply did. A mail that logs the operator out shows "You will be logged out in 10 seconds" instead of its text.
//
// The program shows every delivered mail through ShowIncomingMail (its composition root registers it with the
// dispatcher's mail display).

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>

struct OperatorMailNotice;

namespace Ui {
class CIncomingMailDlg;
}

class CIncomingMailDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 234;
    static constexpr int kFromId = 1362;
    static constexpr int kIpId = 1204;
    static constexpr int kDateId = 1116;
    static constexpr int kTimeId = 1344;
    static constexpr int kMessageId = 1132;

    explicit CIncomingMailDlg(const OperatorMailNotice& mail, QWidget* parent = nullptr);
    ~CIncomingMailDlg() override;

    bool OnInitDialog() override;
    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    // Reply.
    void OnOK() override;

private:
    std::unique_ptr<Ui::CIncomingMailDlg> ui_;
    QString from_;
    QString ip_;
    QString message_;
};

// Opens a new Incoming Mail window for the mail.
void ShowIncomingMail(const OperatorMailNotice& mail);
