#pragma once
// CInstantMailDlg ("Instant Popup Mail", template 235): composes one operator mail and sends it through the server
// to the operator named in To (request 8); the server delivers it to that operator's workstations. The opener may
// give the addressee and a text to start from (a reply quotes the mail it answers).

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>
#include <string>

namespace Ui {
class CInstantMailDlg;
}

class CInstantMailDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 235;
    static constexpr int kToId = 1362;
    static constexpr int kMessageId = 1132;

    explicit CInstantMailDlg(QWidget* parent = nullptr);
    ~CInstantMailDlg() override;

    void SetAddressee(const std::string& name) { to_ = QString::fromStdString(name); }
    void SetMessage(const QString& text) { message_ = text; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    // Keeps the message within what a mail carries, cutting what was typed or pasted past it.
    void LimitMessage();

    std::unique_ptr<Ui::CInstantMailDlg> ui_;
    QString to_;
    QString message_;
};

// The text a reply starts with: the received text between the original and the reply markers.
QString QuotedReply(const QString& received);
