#pragma once
// CSvrOptBackupPage ("Auto-Backup/Save", template 314), a page of Server Management: when the server backs up the NEs'
// configurations, backs up its database and writes the NEs' configurations to their flash: each schedule entry on or
// off, its weekday (or every day), hour (or every hour) and minute. The weekday and hour combos' positions are the
// values the server keeps (server_option_rules.h). The page exchanges its controls with the values its container
// holds.

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

struct ServerOptionValues;
namespace Ui {
class CSvrOptBackupPage;
}

class CSvrOptBackupPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 314;
    // By entry: NE auto-backup, database auto-backup, NE auto-write flash.
    static constexpr int kEnabledIds[] = {1149, 1130, 1310};
    static constexpr int kWeekdayIds[] = {1116, 1118, 1121};
    static constexpr int kHourIds[] = {1190, 1194, 1123};
    static constexpr int kMinuteIds[] = {1241, 1243, 1249};
    static constexpr int kMinuteSpinIds[] = {1242, 1244, 1250};

    CSvrOptBackupPage(ServerOptionValues& values, QWidget* parent = nullptr);
    ~CSvrOptBackupPage() override;

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    ServerOptionValues& values_;
    std::unique_ptr<Ui::CSvrOptBackupPage> ui_;
};
