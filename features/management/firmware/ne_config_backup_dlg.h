#pragma once
// CNeConfigBackupDlg ("NE Configuration Backup", template 241): a manual backup of an NE's configuration on the
// management server (request 42) under a name the operator gives: trimmed, of name characters only, and not with the
// prefix of the server's automatic backups (backup_name_rules.h). It ends with OK once the server has made the backup;
// the opener reads the name with GetName. The opener sets the NE and the access mode (create).

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>
#include <string>

namespace Ui {
class CNeConfigBackupDlg;
}

class CNeConfigBackupDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 241;
    static constexpr int kFileNameId = 1166;

    explicit CNeConfigBackupDlg(QWidget* parent = nullptr);
    ~CNeConfigBackupDlg() override;

    const std::string& GetName() const { return name_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CNeConfigBackupDlg> ui_;
    QString typed_;
    std::string name_;
};
