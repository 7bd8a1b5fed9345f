#include "features/management/ne_access/secured_host_list_dlg.h"

#include "core/tables/access_rights.h"
#include "features/management/ne_access/secured_host_dlg.h"
#include "features/management/ne_access/secured_host_services.h"
#include "features/management/ne_access/secured_host_state_dlg.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "platform/list_control.h"
#include "platform/notify_codes.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_secured_host_list_dlg.h"

#include <QLabel>

namespace {

using Column = ListColumn<SecuredHostRecord>;

// Index, From, To and the services; the addresses sort as addresses, the rest as texts, ties by section.
std::vector<Column> SectionColumns()
{
    return {
        {.value = &SecuredHostRecord::section,
         .order = ListOrder::kText,
         .image =
             [](const SecuredHostRecord& rec) {
                 return CompareIpv4(rec.firstIp, rec.lastIp) <= 0 ? kImageEnabled : kImageDisabled;
             }},
        {.value = [](const SecuredHostRecord& rec) { return ListValue(rec.firstIp); }, .order = ListOrder::kIpv4},
        {.value = [](const SecuredHostRecord& rec) { return ListValue(rec.lastIp); }, .order = ListOrder::kIpv4},
        {.value = [](const SecuredHostRecord& rec) { return ListValue(ServicesText(rec.services)); },
         .order = ListOrder::kText},
    };
}

} // namespace

CSecuredHostListDlg::CSecuredHostListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     // Modify answers "Please select one item" without a row; its menu entry is greyed. The
                     // section dialog checks the right.
                     {.popupName = "EDIT_LIST",
                      .rowCommands = {{0, kPopupModify}},
                      .activateCommand = kModifyButtonId,
                      .right = kRightSecuredHosts,
                      .dialogChecksRight = true,
                      .exportStem = "SecHost"},
                     parent),
      ui_(std::make_unique<Ui::CSecuredHostListDlg>()),
      rows_(*this, SectionColumns(), [](const SecuredHostRecord& rec) { return uint32_t{rec.section}; })
{
    ui_->setupUi(this);
    rows_.QueryOnFill(kReqSecuredHost, kStrFailToQuery);
    rows_.SetTies(ListTies::kKey);
    SetRecordList(rows_);
}

CSecuredHostListDlg::~CSecuredHostListDlg() = default;

void CSecuredHostListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightSecuredHosts) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsSecuredHosts);
    FlushPduLog(0, 1);
    const RecordReply<WordRecord> state = CRecordRequests().Query<WordRecord>(
        kReqSecuredHostState, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (state.Ok() && !state.records.empty())
        ShowState(state.records.front().value == 1);
    FillList();
    FlushPduLog(1, 1);
}

void CSecuredHostListDlg::ShowState(bool enabled)
{
    enabled_ = enabled;
    if (auto* text = GetDlgItemAs<QLabel>(kStateTextId))
        text->setText(LoadQString(enabled ? kStrValueEnabled : kStrValueDisabled));
}

void CSecuredHostListDlg::DrawExtras(Dc& dc)
{
    DrawListIconOnControl(dc, *this, kEnabledLegendId, kImageEnabled);
    DrawListIconOnControl(dc, *this, kDisabledLegendId, kImageDisabled);
}

int CSecuredHostListDlg::OnCommandHook(int id, int code)
{
    if (id != kChangeStateButtonId || code != BN_CLICKED)
        return 0;
    ChangeState();
    return 1;
}

void CSecuredHostListDlg::ChangeState()
{
    CSecuredHostStateDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    dlg.SetEnabled(enabled_);
    if (dlg.DoModal() == IDOK)
        ShowState(dlg.IsEnabled());
}

void CSecuredHostListDlg::OnModifyRecord(uint32_t key)
{
    // The section as its row shows it.
    const CListControl list = List();
    const int row = list.FindItemByData(key);
    if (row < 0)
        return;
    SecuredHostRecord section;
    section.section = static_cast<uint8_t>(key);
    section.firstIp = ParseIpAddress(list.GetItemText(row, kFirstColumn).toStdString());
    section.lastIp = ParseIpAddress(list.GetItemText(row, kLastColumn).toStdString());
    section.services = ServicesOfText(list.GetItemText(row, kServicesColumn).toStdString());
    CSecuredHostDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    dlg.SetSection(section);
    if (dlg.DoModal() == IDOK)
        rows_.Put(dlg.GetSection());
}
