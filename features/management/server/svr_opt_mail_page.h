#pragma once
// CSvrOptMailPage ("Alarm Notification", template 315), a page of Server Management: the SMTP server the server sends
// its alarm notification mails through, and the sender address of those mails, at most 60 characters each. The page
// exchanges its controls with the values its container holds.

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

struct ServerOptionValues;
namespace Ui {
class CSvrOptMailPage;
}

class CSvrOptMailPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 315;
    static constexpr int kSmtpServerId = 1199;
    static constexpr int kSenderId = 1200;

    CSvrOptMailPage(ServerOptionValues& values, QWidget* parent = nullptr);
    ~CSvrOptMailPage() override;

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    ServerOptionValues& values_;
    std::unique_ptr<Ui::CSvrOptMailPage> ui_;
};
