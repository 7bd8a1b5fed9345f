#pragma once
// CClientOptionsDlg ("Client Options", template 332): the client's own settings on three pages, Alarm Warning,
// Connection and Map. OK takes every page's values (a page whose value is refused comes to the front with the
// reason) and saves the pages in that order, each writing its section of the configuration file at once.

#include "ui/framework/dialogs/tab_dialog.h"
#include "ui/shell/options/alarm_warning_page.h"
#include "ui/shell/options/connection_page.h"
#include "ui/shell/options/map_options_page.h"

#include <memory>

namespace Ui {
class CClientOptionsDlg;
}

class CClientOptionsDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 332;
    static constexpr int kTabsId = 1337;

    explicit CClientOptionsDlg(QWidget* parent = nullptr);
    ~CClientOptionsDlg() override;

    CAlarmWarningPage& AlarmPage() { return alarm_; }
    CConnectionPage& ConnectionPage() { return connection_; }
    CMapOptionsPage& MapPage() { return map_; }

    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CClientOptionsDlg> ui_;
    CAlarmWarningPage alarm_;
    CConnectionPage connection_;
    CMapOptionsPage map_;
};
