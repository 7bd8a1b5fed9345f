#include "features/provisioning/profiles/profile_list_page.h"

#include "core/list/list_sort.h"
#include "features/provisioning/templates/template_download_dlg.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/template_download.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_table.h"

#include <QTreeView>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default
constexpr COLORREF kDisabledText = 0x808080;

} // namespace

CProfileListPage::CProfileListPage(int templateId, const ProfileKind& kind, QWidget* parent)
    : CAListPage(templateId,
                 {.popupName = "GENERIC_ALL_LIST",
                  .rowCommands = {{0, kPopupShow}, {0, kPopupModify}, {0, kPopupDelete}},
                  .activateCommand = kShowButtonId,
                  .right = kind.right,
                  .descendingTurnsTies = true,
                  .exportStem = kind.exportStem},
                 parent),
      kind_(kind)
{
}

CProfileListPage::~CProfileListPage() = default;

uint32_t CProfileListPage::RequestNeId() const
{
    return templateMode_ ? 0 : static_cast<uint32_t>(GetNeId());
}

void CProfileListPage::InitData()
{
    if (CheckAccessRightOrClose(kind_.right) != 0)
        return;
    PrepareList();
}

void CProfileListPage::PrepareList()
{
    if (listPrepared_)
        return;
    listPrepared_ = true;
    if (QTreeView* list = FindList(kListControlId))
        list->setGeometry(rect());
    SetSmallImages();
    SetRowColorMode(kRowColorsByImage);
    SetRowColors({{static_cast<uint32_t>(kImageEnabled), 0x000000, 0xFFFFFF},
                  {static_cast<uint32_t>(kImageDisabled), greyDisabledRows_ ? kDisabledText : 0x000000, 0xFFFFFF}});
    InitListColumnsById(ColumnSpecId());
}

std::vector<uint32_t> CProfileListPage::KeysInListOrder() const
{
    const CListControl list = List();
    std::vector<uint32_t> keys;
    for (int row = 0; row < list.GetItemCount(); ++row)
        keys.push_back(list.GetItemData(row));
    return keys;
}

bool CProfileListPage::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return CAListPage::OnCommand(id, code);
    switch (id) {
    case kShowButtonId:
    case kPopupShow:
        if (const std::optional<uint32_t> key = RequireSelectedItemData())
            OnShowRecord(*key);
        return true;
    case kModifyButtonId:
    case kPopupModify:
        if (const std::optional<uint32_t> key = RequireSelectedItemData())
            OnModifyRecord(*key);
        return true;
    case kAddButtonId:
    case kPopupAdd:
        OnAddRecord(SelectedItemData());
        return true;
    case kDeleteButtonId:
    case kPopupDelete:
        DeleteSelected();
        return true;
    default:
        return CAListPage::OnCommand(id, code);
    }
}

void CProfileListPage::DeleteSelected()
{
    if (CheckRight(DeleteRight(), 'd') != 0 || (!templateMode_ && CheckTargetNe() != 0))
        return;
    if (const std::optional<uint32_t> key = RequireSelectedItemData())
        OnDeleteRecord(*key);
}

int CProfileListPage::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && id == kSaveAllButtonId)
        SaveAllAsTemplates();
    else if (code == BN_CLICKED && id == kDownloadButtonId)
        DownloadToNes();
    return CAListPage::OnCommandHook(id, code);
}

void CProfileListPage::OnExport()
{
    CExportDlg dlg;
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetExportSource(FindList(kListControlId), kind_.exportStem, '\t');
    dlg.SetExportTitle(LoadString(ExportTitleId()).c_str());
    dlg.DoModal();
}

bool CProfileListPage::ConfirmSaveAll() const
{
    return ShowMessageById(kStrSureToSaveAllAsTemplates, kConfirmFlags) == IDYES;
}

QString CProfileListPage::DownloadTitleOf(const std::string& name) const
{
    return LoadQString(ExportTitleId()) + " : " + QString::fromStdString(name);
}

void CProfileListPage::OpenDownload(const ProfileDownload& download)
{
    TemplateDownload prepared;
    prepared.title = download.title.toStdString();
    prepared.requests.push_back({0, download.neCode, download.recordSize, 1, download.record});
    CTemplateDownloadDlg dlg(this);
    dlg.SetDownload(prepared);
    dlg.SetConfirmTextId(download.confirmTextId);
    dlg.SetLocationId(GetLocationId());
    dlg.SetNeId(GetNeId());
    dlg.DoModal();
}
