#include "features/performance/connection_tests/ping_from_server_dlg.h"

#include "link/records/request_codes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ping_from_server_dlg.h"

CPingFromServerDlg::CPingFromServerDlg(QWidget* parent)
    : CServerConnectionTestDlg(kTemplateId, kReqNePing, kStrServerPingLineHead, parent),
      ui_(std::make_unique<Ui::CPingFromServerDlg>())
{
    ui_->setupUi(this);
}

CPingFromServerDlg::~CPingFromServerDlg() = default;
