#pragma once
// CSvrOptAutoSyncPage ("NE Auto-sync", template 316), a page of Server Management: whether the server synchronises the
// NEs' profiles, and whether and how often, in hours, it synchronises their date and time. The hours' spin (1..240)
// steps only while the date and time synchronisation is on. Server Management keeps the page without a tab: its
// values are read and written all the same. The page exchanges its controls with the values its container holds.

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

struct ServerOptionValues;
namespace Ui {
class CSvrOptAutoSyncPage;
}

class CSvrOptAutoSyncPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 316;
    static constexpr int kProfileSyncId = 1059;
    static constexpr int kTimeSyncId = 1060;
    static constexpr int kHoursId = 1190;
    static constexpr int kHoursSpinId = 1193;

    CSvrOptAutoSyncPage(ServerOptionValues& values, QWidget* parent = nullptr);
    ~CSvrOptAutoSyncPage() override;

    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    int OnCommandHook(int id, int code) override;

private:
    // The hours' spin by the date/time check.
    void EnableHoursSpin();

    ServerOptionValues& values_;
    std::unique_ptr<Ui::CSvrOptAutoSyncPage> ui_;
};
