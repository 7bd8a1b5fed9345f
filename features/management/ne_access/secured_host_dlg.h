#pragma once
// CSecuredHostDlg (432, "NE Secured Host"): changes one address section of the target NE's secured hosts: its first
// and last address and the management services its hosts may use. OK checks the addresses, sends the section and
// ends the dialog with IDOK; the dialog then holds what was sent.

#include "link/records/secured_host_record.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CSecuredHostDlg;
}

class CSecuredHostDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 432;
    static constexpr int kIndexId = 1199;
    static constexpr int kFirstId = 1207;
    static constexpr int kLastId = 1209;
    static constexpr int kSnmpId = 1059;
    static constexpr int kTelnetId = 1060;
    static constexpr int kFtpId = 1061;
    static constexpr int kTftpId = 1062;

    explicit CSecuredHostDlg(QWidget* parent = nullptr);
    ~CSecuredHostDlg() override;

    void SetSection(const SecuredHostRecord& section) { section_ = section; }
    const SecuredHostRecord& GetSection() const { return section_; }

    void InitData() override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CSecuredHostDlg> ui_;
    SecuredHostRecord section_;
};
