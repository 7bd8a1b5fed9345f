#pragma once
// CCheckNeSnmpDlg (template 262, "Check NE SNMP Connection"): the management server checks that it reaches the NE over
// SNMP (request 345); in direct mode the workstation's SNMP link checks the NE it manages. The controls, their ids and
// the result lines are CServerConnectionTestDlg's.

#include "features/performance/connection_tests/server_connection_test_dlg.h"

#include <memory>

namespace Ui {
class CCheckNeSnmpDlg;
}

class CCheckNeSnmpDlg : public CServerConnectionTestDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 262;

    explicit CCheckNeSnmpDlg(QWidget* parent = nullptr);
    ~CCheckNeSnmpDlg() override;

private:
    std::unique_ptr<Ui::CCheckNeSnmpDlg> ui_;
};
