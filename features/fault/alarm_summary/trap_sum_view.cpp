#include "features/fault/alarm_summary/trap_sum_view.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "core/util/severity.h"
#include "features/fault/alarm_summary/alarm_summary_counts.h"
#include "features/fault/trap_log/entity_alarm_text.h"
#include "platform/list_control.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/lists/list_clicks.h"
#include "ui/framework/lists/severity_palette.h"
#include "ui/framework/menus/context_menu.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/shell/app/config_file_path.h"
#include "ui/shell/frame/frame_views.h"
#include "ui/shell/frame/view_host.h"
#include "ui/shell/frame/view_tabs.h"
#include "ui_trap_sum_view.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QResizeEvent>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr int kImageNeOffline = 27;
constexpr int kImageNeOnline = 26;
// The columns leave this much of the list's width free.
constexpr int kWidthReserve = 4;
// The pane shows seven lines of the list's font.
constexpr int kPaneLines = 7;

struct SummaryRow {
    uint32_t textId;
    int image;
};
constexpr std::array<SummaryRow, CTrapSumView::kRowCount> kRows = {{
    {kStrCritical, 12},
    {kStrMajor, 13},
    {kStrMinor, 14},
    {kStrNeOffline, kImageNeOffline},
    {kStrNeOnline, kImageNeOnline},
}};

TrapSumDetailOpener& InstalledOpener()
{
    static TrapSumDetailOpener opener;
    return opener;
}

void OpenDetail(const TrapSumDetailRequest& request)
{
    if (InstalledOpener())
        InstalledOpener()(request);
}

} // namespace

void SetTrapSumDetailOpener(TrapSumDetailOpener opener)
{
    InstalledOpener() = std::move(opener);
}

CTrapSumView::CTrapSumView(QWidget* parent) : CAFormView(kFormId, parent), ui_(std::make_unique<Ui::CTrapSumView>())
{
    ui_->setupUi(this);
    // Rows 0..4 take one style each.
    SetRowColorMode(kRowColorsBanded);
    SetRowColors({{1, 0x000000, ColorOfSeverity(kSeverityRowColors, kSeverityCritical)},
                  {1, 0x000000, ColorOfSeverity(kSeverityRowColors, kSeverityMajor)},
                  {1, 0x000000, ColorOfSeverity(kSeverityRowColors, kSeverityMinor)},
                  {1, 0x000000, 0xFF20FF},
                  {1, 0x000000, 0x80FF80}});
}

CTrapSumView::~CTrapSumView() = default;

void CTrapSumView::InitData()
{
    const std::string config = CurrentConfigFilePath();
    stopRefreshWhileBusy_ = ReadIniBool("VIEW", "DIALOGSTOPREFRESHTRAPSUM", false, config);
    SetDialogFont(ReadIniString("VIEW", "TRAPSUMVIEWFONT", "Arial,80,B", config).c_str());
    SetSmallImages();
    InitListColumnsById(kStrColumnsAlarmSummary);
    CListControl list(FindList(kListControlId));
    list.DeleteAllItems();
    for (int r = 0; r < kRowCount; ++r) {
        const SummaryRow& row = kRows[static_cast<size_t>(r)];
        list.InsertItem(r, LoadQString(row.textId));
        list.SetItemImage(r, 0, row.image);
        list.SetItemText(r, 1, QStringLiteral("0"));
    }
    UpdateListLayout(kListControlId);
    KeepLaidOutWidth();
    LayoutList();
    initialised_ = true;
}

void CTrapSumView::OnFirstShow()
{
    CAFormView::OnFirstShow();
    KeepLaidOutWidth();
    // Sized once the list has its font.
    if (paneSizer_)
        paneSizer_(PaneHeight());
    LayoutList();
}

void CTrapSumView::KeepLaidOutWidth()
{
    CListControl list(FindList(kListControlId));
    if (list.GetColumnCount() > 0)
        laidOutLastWidth_ = list.GetColumnWidth(list.GetColumnCount() - 1);
}

int CTrapSumView::PaneHeight() const
{
    const QTreeView* list = FindList(kListControlId);
    const QFont font = list != nullptr ? list->font() : GetFont();
    return kPaneLines * QFontMetrics(font).size(Qt::TextSingleLine, QStringLiteral("Wly")).height();
}

void CTrapSumView::LayoutList()
{
    QTreeView* list = FindList(kListControlId);
    if (list == nullptr)
        return;
    list->setGeometry(rect());
    const int columns = CListControl(list).GetColumnCount();
    if (columns == 0)
        return;
    // The last column widens from the width the layout gave it, so that it narrows again with the view.
    const int last = columns - 1;
    int others = 0;
    for (int c = 0; c < last; ++c)
        others += list->columnWidth(c);
    // The list's inside as its new size makes it (its viewport follows only once a hidden view shows again), less the
    // vertical scroll bar when the rows need one, so that the counts are not drawn under it.
    int inside = list->contentsRect().width();
    int rowsHeight = list->header()->sizeHint().height();
    for (int r = 0; r < list->model()->rowCount(); ++r)
        rowsHeight += list->sizeHintForRow(r);
    if (rowsHeight > list->contentsRect().height())
        inside -= list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    const int wanted = inside - kWidthReserve - others;
    list->setColumnWidth(last, std::max(laidOutLastWidth_, wanted));
}

void CTrapSumView::resizeEvent(QResizeEvent* event)
{
    CAFormView::resizeEvent(event);
    if (initialised_)
        LayoutList();
}

void CTrapSumView::RefreshData()
{
    if (!initialised_ || (stopRefreshWhileBusy_ && IsUiBusy()))
        return;
    if (selection_) {
        const std::pair<uint32_t, CEntityId> current = selection_();
        if (current != lastSelection_) {
            lastSelection_ = current;
            SetTarget(static_cast<int>(current.first), &current.second);
        }
    }
    if (countUpdater_)
        countUpdater_();
    uint32_t offline = 0;
    uint32_t online = 0;
    for (const CNeRecord* ne = ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (ne->root == nullptr)
            continue;
        if (ne->root->IsConnected())
            ++online;
        else
            ++offline;
    }
    const std::array<uint32_t, kRowCount> counts = {AppData().GetAlarmSeverityCount(1),
                                                    AppData().GetAlarmSeverityCount(2),
                                                    AppData().GetAlarmSeverityCount(3), offline, online};
    CListControl list(FindList(kListControlId));
    for (int r = 0; r < kRowCount && r < list.GetItemCount(); ++r) {
        bool ok = false;
        const qulonglong shown = list.GetItemText(r, 1).toULongLong(&ok, 10);
        // An unchanged count is left alone, so that the row does not flicker.
        if (!ok || shown != counts[static_cast<size_t>(r)])
            list.SetItemText(r, 1, QString::number(counts[static_cast<size_t>(r)]));
    }
}

int CTrapSumView::OnCommandHook(int id, int /*code*/)
{
    switch (id) {
    case kCmdDetail:
        OnDetail();
        return 1;
    case kCmdExport:
        OnExport();
        return 1;
    default:
        return 0;
    }
}

int CTrapSumView::OnNotifyHook(const NotifyHeader& header, int* /*result*/)
{
    return RouteListClicks(
        header, kListControlId, [this] { OnDetail(); }, [this] { OnContextMenu(); });
}

void CTrapSumView::OnDetail()
{
    const int row = CListControl(FindList(kListControlId)).GetNextSelected(-1);
    if (row < 0) {
        ShowStatusMessageById(kStrPleaseSelectOneItem);
        return;
    }
    TrapSumDetailRequest request;
    if (row < kRowOffline) {
        request.severity = row + 1;
        if (!AppSettings().directControl) {
            request.dialogId = TrapSumDetailRequest::kAlarmEventList;
        } else {
            const CNeRecord* first = ResolveNeRecord(nullptr);
            if (first == nullptr)
                return;
            request.dialogId = TrapSumDetailRequest::kActiveAlarmList;
            request.neId = first->neId;
        }
    } else {
        request.dialogId = TrapSumDetailRequest::kNeList;
        request.neStateFilter = row == kRowOffline ? 2 : 1;
    }
    OpenDetail(request);
}

void CTrapSumView::OnExport()
{
    CExportDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetExportSource(FindList(kListControlId), "AlarmSum", '\t');
    dlg.SetExportTitle("Active Alarm Statistics");
    dlg.DoModal();
}

void CTrapSumView::OnContextMenu()
{
    const bool selected = CListControl(FindList(kListControlId)).GetSelectedCount() > 0;
    // Detail only with a row to open.
    const std::array<uint16_t, 2> removed = {static_cast<uint16_t>(selected ? 0 : kCmdDetail), 0};
    TrackContextMenuWithout("TRAPSUMVIEW_LIST", this, removed.data());
}

void RegisterTrapSumView()
{
    SetFrameViewFactory(kViewAlarmSummary, [](QWidget* parent, IViewHost& host) -> CAFormView* {
        auto* view = new CTrapSumView(parent);
        view->SetCountUpdater([counts = std::make_shared<CAlarmSummaryCounts>()] { counts->Update(); });
        view->SetSelectionSource(
            [&host] { return std::pair<uint32_t, CEntityId>(host.GetCurrentNeId(), host.GetCurrentEntity()); });
        view->SetPaneSizer([&host](int height) { host.SetSplitterPaneSize(IViewHost::kInnerSplitter, 1, height, 0); });
        return view;
    });
}
