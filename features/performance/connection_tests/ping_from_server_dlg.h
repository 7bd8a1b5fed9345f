#pragma once
// CPingFromServerDlg (template 352, "Ping NE from Server"): the management server pings the NE (request 346). The
// controls, their ids and the result lines are CServerConnectionTestDlg's.

#include "features/performance/connection_tests/server_connection_test_dlg.h"

#include <memory>

namespace Ui {
class CPingFromServerDlg;
}

class CPingFromServerDlg : public CServerConnectionTestDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 352;

    explicit CPingFromServerDlg(QWidget* parent = nullptr);
    ~CPingFromServerDlg() override;

private:
    std::unique_ptr<Ui::CPingFromServerDlg> ui_;
};
