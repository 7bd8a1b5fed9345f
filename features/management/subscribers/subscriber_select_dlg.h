#pragma once
// CSubscriberSelectDlg ("Subscriber Selection", template 264): what subscribers to look for: an ID and a name, each
// whole or as a part ("sub-string"), on an NE of a location (or every NE) and within a shelf, slot or port of it.
// Query opens the Subscriber List with them and the selection stays open for the next query; what the list changed
// is added to this dialog's change flags for its opener. The opener sets the NE and the entity to start from.

#include "features/management/subscribers/subscriber_port_combos.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class CSubscriberSelectDlg;
}

class CSubscriberSelectDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 264;
    static constexpr int kIdEditId = 1199;
    static constexpr int kNameEditId = 1257;
    static constexpr int kIdSubstringCheckId = 1059;
    static constexpr int kNameSubstringCheckId = 1060;

    explicit CSubscriberSelectDlg(QWidget* parent = nullptr);
    ~CSubscriberSelectDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    // Query.
    void OnOK() override;

private:
    // A text that starts with "*" is refused, the star selected; true when it was.
    bool RefuseLeadingStar(int id, const QString& text);

    std::unique_ptr<Ui::CSubscriberSelectDlg> ui_;
    CSubscriberPortCombos combos_;
    QString id_;
    QString name_;
    int idSubstring_ = 0;
    int nameSubstring_ = 0;
};
