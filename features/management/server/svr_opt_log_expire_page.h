#pragma once
// CSvrOptLogExpirePage ("Log Expiration", template 313), a page of Server Management: how many days the server keeps
// its history alarms (1..30), its PM and traffic data (1..30), its 1-day PM and traffic data (1..99) and its user
// operation log (1..365). The page exchanges its controls with the values its container holds.

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

struct ServerOptionValues;
namespace Ui {
class CSvrOptLogExpirePage;
}

class CSvrOptLogExpirePage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 313;
    static constexpr int kHistoryAlarmId = 1120;
    static constexpr int kHistoryAlarmSpinId = 1121;
    static constexpr int kPmId = 1124;
    static constexpr int kPmSpinId = 1125;
    static constexpr int kDailyPmId = 1126;
    static constexpr int kDailyPmSpinId = 1127;
    static constexpr int kOpLogId = 1128;
    static constexpr int kOpLogSpinId = 1129;

    CSvrOptLogExpirePage(ServerOptionValues& values, QWidget* parent = nullptr);
    ~CSvrOptLogExpirePage() override;

    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    ServerOptionValues& values_;
    std::unique_ptr<Ui::CSvrOptLogExpirePage> ui_;
};
