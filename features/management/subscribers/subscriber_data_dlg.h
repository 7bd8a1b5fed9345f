#pragma once
// CSubscriberDataDlg ("Subscriber Data", template 340): shows, adds or changes the subscriber of one port: ID and name,
// the port (location, NE, shelf, slot, port), and on its pages the class and service type and the contact data. The
// opener sets the NE, the port and the access mode; showing or changing reads the port's subscriber (request 400)
// and keeps the port fixed; OK sends the subscriber (request 401, which adds it or changes it) and leaves the record
// sent for the opener (GetResult).

#include "features/management/subscribers/subscriber_pages.h"
#include "features/management/subscribers/subscriber_port_combos.h"
#include "link/records/subscriber_record.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class CSubscriberDataDlg;
}

class CSubscriberDataDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 340;
    static constexpr int kIdEditId = 1199;
    static constexpr int kNameEditId = 1257;
    static constexpr int kTabId = 1337;

    explicit CSubscriberDataDlg(QWidget* parent = nullptr);
    ~CSubscriberDataDlg() override;

    // The record sent by the last OK.
    const SubscriberRecord& GetResult() const { return result_; }
    // For a routed opener: the record sent, encoded.
    void ReturnResultFields(DialogRequest& request) const;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

    CSubscriberClassPage& ClassPage() { return classPage_; }
    CSubscriberContactPage& ContactPage() { return contactPage_; }

private:
    bool IsCreating() const { return GetAccessMode() == kAccessCreate; }
    // OK follows the NE chosen: offered for an NE the table holds, unless the dialog only shows.
    void OnNeChanged();
    // The port's subscriber as the server keeps it, into the controls and pages.
    void ReadSubscriber();
    bool RefuseLeadingStar(int id, const QString& text);

    std::unique_ptr<Ui::CSubscriberDataDlg> ui_;
    CSubscriberClassPage classPage_;
    CSubscriberContactPage contactPage_;
    CSubscriberPortCombos combos_;
    QString id_;
    QString name_;
    SubscriberRecord result_;
};
