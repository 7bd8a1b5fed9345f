#include "features/management/server/svr_opt_nms_page.h"

#include "ui/framework/dialogs/ip_address_port_dlg.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_svr_opt_nms_page.h"

namespace {

// No. (the rows are numbered 1..5), Manager IP and Trap Port, both empty for a row without a manager.
std::vector<ListColumn<NmsManagerRow>> Columns()
{
    return {
        {.order = ListOrder::kArrival},
        {.value = [](const NmsManagerRow& row) { return row.IsEmpty() ? ListValue() : ListValue(row.address); },
         .order = ListOrder::kIpv4},
        {.value = [](const NmsManagerRow& row) { return row.IsEmpty() ? ListValue() : ListValue(row.trapPort); },
         .order = ListOrder::kUnsigned},
    };
}

std::vector<uint32_t> RowKeys()
{
    std::vector<uint32_t> keys;
    for (uint32_t key = 1; key <= kNmsManagerRows; ++key)
        keys.push_back(key);
    return keys;
}

} // namespace

CSvrOptNmsPage::CSvrOptNmsPage(ServerOptionValues& values, QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "SVROPTION_NMS_LIST",
                      .rowCommands = {kRowModify},
                      .activateCommand = kModifyButtonId,
                      .exportStem = kExportStem},
                     parent),
      values_(values), ui_(std::make_unique<Ui::CSvrOptNmsPage>()),
      rows_(
          *this, Columns(),
          [this](uint32_t key) { return key >= 1 && key <= kNmsManagerRows ? &values_.managers[key - 1] : nullptr; },
          RowKeys)
{
    ui_->setupUi(this);
    SetRecordList(rows_);
}

CSvrOptNmsPage::~CSvrOptNmsPage() = default;

bool CSvrOptNmsPage::OnInitDialog()
{
    CRecordListDlg::OnInitDialog();
    LimitTextToField(kCommunityId, kServerOptionCommunityWidth);
    InitListColumnsById(kStrColumnsNmsManagers);
    ShowManagers();
    return true;
}

void CSvrOptNmsPage::ShowManagers()
{
    FillList();
}

void CSvrOptNmsPage::DoDataExchange(CDataExchange& dx)
{
    DDX_TextInRange(dx, *this, kAgentPortId, values_.agentPort, 1, kMaxPort);
    DDX_Text(dx, kCommunityId, values_.community);
    DDX_Radio(dx, {kTrapsDisabledId, kTrapsEnabledId}, values_.trapSending);
    DDX_Check(dx, kAllowUnknownId, values_.allowUnknownManagers);
}

void CSvrOptNmsPage::OnModifyRecord(uint32_t row)
{
    if (row < 1 || row > kNmsManagerRows)
        return;
    NmsManagerRow& manager = values_.managers[row - 1];
    CIpAddressPortDlg dlg(this);
    dlg.SetAccessMode(kAccessModify);
    dlg.SetAddress(manager.address);
    dlg.SetPort(manager.IsEmpty() ? kDefaultTrapPort : manager.trapPort);
    if (dlg.DoModal() != IDOK)
        return;
    const NmsManagerRow edited{dlg.GetAddress(), static_cast<uint16_t>(dlg.GetPort())};
    manager = edited.IsEmpty() ? NmsManagerRow{} : edited;
    rows_.Update(row);
}

void CSvrOptNmsPage::OnExport()
{
    CExportDlg dlg;
    dlg.SetExportSource(FindList(kListControlId), kExportStem, '\t');
    const std::string title = LoadQString(kStrNmsManagersExportTitle).toStdString();
    dlg.SetExportTitle(title.c_str());
    dlg.DoModal();
}
