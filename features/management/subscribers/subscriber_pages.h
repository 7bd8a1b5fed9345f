#pragma once
// The two pages of the Subscriber Data dialog: CSubscriberClassPage ("Class/Type", template 341), the subscriber's
// class (Home User, Enterprise User) and service type (PPPoE, Fixed-IP, DHCP); CSubscriberContactPage ("Contact",
// template 342), telephone, mobile, e-mail and address. They hold values only: the dialog puts them in and reads
// them back around the data exchange.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class CSubscriberClassPage;
class CSubscriberContactPage;
} // namespace Ui

class CSubscriberClassPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 341;
    static constexpr int kHomeRadioId = 1059;
    static constexpr int kEnterpriseRadioId = 1060;
    static constexpr int kPppoeRadioId = 1061;
    static constexpr int kFixedIpRadioId = 1062;
    static constexpr int kDhcpRadioId = 1063;
    static constexpr int kHomeImageId = 1196;
    static constexpr int kEnterpriseImageId = 1197;

    explicit CSubscriberClassPage(QWidget* parent = nullptr);
    ~CSubscriberClassPage() override;

    void DoDataExchange(CDataExchange& dx) override;
    void DrawExtras(Dc& dc) override;

    // The radios chosen: class 0 home, 1 enterprise; service 0 PPPoE, 1 Fixed-IP, 2 DHCP.
    int classRadio = 0;
    int serviceRadio = 0;

private:
    std::unique_ptr<Ui::CSubscriberClassPage> ui_;
};

class CSubscriberContactPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 342;
    static constexpr int kTelephoneId = 1258;
    static constexpr int kMobileId = 1259;
    static constexpr int kEmailId = 1260;
    static constexpr int kAddressId = 1261;

    explicit CSubscriberContactPage(QWidget* parent = nullptr);
    ~CSubscriberContactPage() override;

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    QString telephone;
    QString mobile;
    QString email;
    QString address;

private:
    std::unique_ptr<Ui::CSubscriberContactPage> ui_;
};
