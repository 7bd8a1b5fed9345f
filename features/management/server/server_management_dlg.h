#pragma once
// CServerManagementDlg ("Server Management", template 318): the management server's own settings on six pages (SNMP,
// Log Expiration, Auto-Backup/Save, Alarm Notification, NE Auto-sync without a tab, North Bound), read from its option
// record (request 3) and its schedule record (request 40) and written back with the same requests. The pages hold
// their defaults until both records have come, and keep them when a read fails; OK is offered with the right to modify
// the server's options and writes what the pages show. OK checks the pages' ranges, the mail server, sender and community for name characters, asks, and writes the options, then the
// schedules; a failure leaves the dialog open. Server mode only.

#include "features/management/server/server_option_rules.h"
#include "features/management/server/svr_opt_auto_sync_page.h"
#include "features/management/server/svr_opt_backup_page.h"
#include "features/management/server/svr_opt_log_expire_page.h"
#include "features/management/server/svr_opt_mail_page.h"
#include "features/management/server/svr_opt_nms_page.h"
#include "features/management/server/svr_opt_snmp_page.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <memory>

namespace Ui {
class CServerManagementDlg;
}

class CServerManagementDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 318;

    explicit CServerManagementDlg(QWidget* parent = nullptr);
    ~CServerManagementDlg() override;

    const ServerOptionValues& Values() const { return values_; }
    CSvrOptSnmpPage& SnmpPage() { return snmpPage_; }
    CSvrOptLogExpirePage& LogExpirePage() { return logExpirePage_; }
    CSvrOptBackupPage& BackupPage() { return backupPage_; }
    CSvrOptMailPage& MailPage() { return mailPage_; }
    CSvrOptAutoSyncPage& AutoSyncPage() { return autoSyncPage_; }
    CSvrOptNmsPage& NmsPage() { return nmsPage_; }

    void InitData() override;
    void OnOK() override;

private:
    // Reads both records; true when both came.
    bool ReadServer();
    // False, with the alert on the field's page, for a text with a character that is no name character.
    bool CheckNameText(CADialog& page, int id, const std::string& text);

    std::unique_ptr<Ui::CServerManagementDlg> ui_;
    ServerOptionValues values_;
    CSvrOptSnmpPage snmpPage_{values_};
    CSvrOptLogExpirePage logExpirePage_{values_};
    CSvrOptBackupPage backupPage_{values_};
    CSvrOptMailPage mailPage_{values_};
    CSvrOptAutoSyncPage autoSyncPage_{values_};
    CSvrOptNmsPage nmsPage_{values_};
};
