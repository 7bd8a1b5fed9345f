#include "features/provisioning/profiles/profile_list_dlg.h"

#include "core/config/app_settings.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "features/provisioning/profiles/adsl_line_profile_list_page.h"
#include "features/provisioning/profiles/profile_caption.h"
#include "features/provisioning/profiles/profile_list_rules.h"
#include "features/provisioning/profiles/shdsl_line_profile_list_page.h"
#include "features/provisioning/profiles/shdsl_pm_threshold_list_page.h"
#include "features/provisioning/profiles/xdsl_pm_threshold_list_page.h"
// The IP traffic, traffic policing and multicast profile pages.
#include "features/provisioning/profiles/xdsl_ip_traffic_profile_list_page.h"
#include "features/provisioning/profiles/xdsl_mc_channel_profile_list_page.h"
#include "features/provisioning/profiles/xdsl_mc_service_profile_list_page.h"
#include "features/provisioning/profiles/xdsl_traffic_policing_profile_list_page.h"
#include "link/pdu_log.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_profile_list_dlg.h"

#include <QTabBar>
#include <QTreeView>

namespace {

// The commands the dialog runs on its current page.
constexpr int kForwarded[] = {kShowButtonId,
                              kModifyButtonId,
                              kAddButtonId,
                              kDeleteButtonId,
                              kRefreshButtonId,
                              kExportButtonId,
                              CProfileListDlg::kSaveAllId,
                              CProfileListDlg::kDownloadId};
constexpr int kPageMargin = 2;

uint32_t GroupWord(int group)
{
    switch (group) {
    case kProfileGroupShdsl:
        return kStrProfileGroupShdsl;
    case kProfileGroupVlan:
        return kStrProfileGroupVlan;
    default:
        return kStrProfileGroupAdsl;
    }
}

} // namespace

std::unique_ptr<CProfileListPage> MakeProfileListPage(ProfileKindId kind)
{
    switch (kind) {
    case ProfileKindId::kAdslLine:
        return std::make_unique<CAdslLineProfileListPage>();
    case ProfileKindId::kXdslPmThreshold:
        return std::make_unique<CXdslPmThresholdListPage>();
    // The SHDSL group's pages.
    case ProfileKindId::kShdslLine:
        return std::make_unique<CShdslLineProfileListPage>();
    case ProfileKindId::kShdslPmThreshold:
        return std::make_unique<CShdslPmThresholdListPage>();
    // The IP traffic, traffic policing and multicast profile pages.
    case ProfileKindId::kTrafficPolicing:
        return std::make_unique<CXdslTrafficPolicingProfileListPage>();
    case ProfileKindId::kIpTraffic:
        return std::make_unique<CXdslIpTrafficProfileListPage>();
    case ProfileKindId::kMcChannel:
        return std::make_unique<CXdslMcChannelProfileListPage>();
    case ProfileKindId::kMcService:
        return std::make_unique<CXdslMcServiceProfileListPage>();
    default:
        return nullptr;
    }
}

CProfileListDlg::CProfileListDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CProfileListDlg>())
{
    ui_->setupUi(this);
}

CProfileListDlg::~CProfileListDlg() = default;

void CProfileListDlg::ApplyOpenerFields(const DialogRequest& request)
{
    if (request.templateMode >= 0)
        templateMode_ = request.templateMode != 0;
    if (request.profileGroup >= 0)
        group_ = request.profileGroup;
}

CProfileListPage* CProfileListDlg::CurrentListPage() const
{
    CADialog* current = GetCurrentPage();
    for (const auto& page : pages_) {
        if (page && page.get() == current)
            return page.get();
    }
    return nullptr;
}

CProfileListPage* CProfileListDlg::PageOfKind(ProfileKindId kind) const
{
    for (const auto& page : pages_) {
        if (page && page->Kind().id == kind)
            return page.get();
    }
    return nullptr;
}

void CProfileListDlg::PlaceButtons()
{
    QWidget* saveAll = GetDlgItem(kSaveAllId);
    QWidget* download = GetDlgItem(kDownloadId);
    if (saveAll == nullptr || download == nullptr)
        return;
    // Both stand in the same place, one at a time.
    download->setGeometry(saveAll->geometry());
    const ProfileListButtons shown = ProfileListButtonsFor(templateMode_, AppSettings().directControl);
    ShowControl(kSaveAllId, shown.saveAll);
    ShowControl(kDownloadId, shown.download);
}

QRect CProfileListDlg::PagePlacement() const
{
    const QWidget* frame = GetDlgItem(kFrameId);
    const QWidget* tabs = GetDlgItem(kTabId);
    if (frame == nullptr || tabs == nullptr)
        return {};
    QRect area = frame->geometry().adjusted(kPageMargin, kPageMargin, -kPageMargin, -kPageMargin);
    area.setTop(tabs->geometry().bottom() + 1 + kPageMargin);
    return area;
}

void CProfileListDlg::InitData()
{
    const ProfileListTabs tabs = ProfileListTabsFor(
        group_, initialTab_, [](int right) { return CheckUserRight(AppData().role, right, 'q') != 0; });
    if (tabs.refusal != 0) {
        ShowAlertTextById(tabs.refusal);
        EndDialog(IDCANCEL);
        return;
    }
    if (!templateMode_ && CheckTargetNeOrClose() != 0)
        return;
    PlaceButtons();
    const QRect placement = PagePlacement();
    for (ProfileKindId id : tabs.kinds) {
        const ProfileKind& kind = GetProfileKind(id);
        std::unique_ptr<CProfileListPage> page = MakeProfileListPage(id);
        // A page that could not be made leaves its tab out.
        if (!page)
            continue;
        if (page->GetPageKindMarker() != kListPageKindMarker) {
            ShowAlertTextById(kStrInternalError);
            EndDialog(IDCANCEL);
            return;
        }
        page->SetTemplateMode(templateMode_);
        page->SetPlacement(placement);
        pages_[static_cast<size_t>(kind.tab)] = std::move(page);
    }
    SetProfileCaption(*this, templateMode_, {}, LoadString(GroupWord(group_)));
    CProfileListPage* first = nullptr;
    for (ProfileKindId id : tabs.kinds) {
        const ProfileKind& kind = GetProfileKind(id);
        CProfileListPage* page = pages_[static_cast<size_t>(kind.tab)].get();
        if (page == nullptr)
            continue;
        AddPage(page->GetPageTemplateId(), page, kind.tabTitle);
        first = first != nullptr ? first : page;
    }
    CProfileListPage* selected = PageOfKind(*tabs.selected);
    SelectPage(selected != nullptr ? selected : first);
    {
        const CPduLogHold hold;
        for (const auto& page : pages_) {
            if (page)
                page->RefreshList();
        }
    }
    UpdateRowButtons();
}

void CProfileListDlg::UpdateRowButtons()
{
    const CProfileListPage* page = CurrentListPage();
    const bool selected = page != nullptr && page->GetSelectedRow() >= 0;
    EnableControls({kShowButtonId, kModifyButtonId, kDeleteButtonId}, selected);
}

int CProfileListDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && std::find(std::begin(kForwarded), std::end(kForwarded), id) != std::end(kForwarded)) {
        if (CProfileListPage* page = CurrentListPage()) {
            page->OnCommand(id, BN_CLICKED);
            if (id == kModifyButtonId)
                SetChangeFlags(GetChangeFlags() | kChangeModified);
            else if (id == kAddButtonId)
                SetChangeFlags(GetChangeFlags() | kChangeAdded);
            else if (id == kDeleteButtonId)
                SetChangeFlags(GetChangeFlags() | kChangeDeleted);
            UpdateRowButtons();
        }
    }
    return CATabDialog::OnCommandHook(id, code);
}

void CProfileListDlg::OnOK()
{
    // Enter on a page's list has shown its row already.
    for (const auto& page : pages_) {
        if (page && focusWidget() != nullptr && focusWidget() == qobject_cast<QWidget*>(page->FindList(kListControlId)))
            return;
    }
    CATabDialog::OnOK();
}

void CProfileListDlg::OnPageChanged(int /*tabIndex*/, int /*tabControlId*/)
{
    UpdateRowButtons();
}

void CProfileListDlg::OnPageListSelChanged(CADialog& /*page*/, int /*row*/)
{
    UpdateRowButtons();
}

void CProfileListDlg::DrawExtras(Dc& dc)
{
    CATabDialog::DrawExtras(dc);
    DrawListIconOnControl(dc, *this, kEnabledImageId, kImageEnabled);
    DrawListIconOnControl(dc, *this, kDisabledImageId, kImageDisabled);
}
