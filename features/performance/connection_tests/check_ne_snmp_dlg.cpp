#include "features/performance/connection_tests/check_ne_snmp_dlg.h"

#include "link/records/request_codes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_check_ne_snmp_dlg.h"

CCheckNeSnmpDlg::CCheckNeSnmpDlg(QWidget* parent)
    : CServerConnectionTestDlg(kTemplateId, kReqNeSnmpCheck, kStrSnmpCheckLineHead, parent),
      ui_(std::make_unique<Ui::CCheckNeSnmpDlg>())
{
    ui_->setupUi(this);
}

CCheckNeSnmpDlg::~CCheckNeSnmpDlg() = default;
