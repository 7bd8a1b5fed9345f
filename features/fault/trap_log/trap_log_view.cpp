#include "features/fault/trap_log/trap_log_view.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/entity/entity_id.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_labels.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "core/util/severity.h"
#include "features/fault/trap_log/event_detail_dlg.h"
#include "features/fault/trap_log/trap_log_filter_dlg.h"
#include "features/fault/trap_log/trap_log_filter_store.h"
#include "platform/dc.h"
#include "platform/list_control.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/lists/list_clicks.h"
#include "ui/framework/lists/record_table_model.h"
#include "ui/framework/lists/severity_palette.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/menus/context_menu.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/shell/app/config_file_path.h"
#include "ui/shell/frame/frame_views.h"
#include "ui/shell/frame/view_tabs.h"
#include "ui_trap_log_view.h"

#include <QPainter>
#include <QResizeEvent>
#include <QTreeView>

#include <algorithm>
#include <array>

namespace {

bool paused = false;

constexpr int kImageRunning = 33;
constexpr int kImagePaused = 34;
// How much of a legend image shows for a severity the filter leaves out.
constexpr double kDimmedOpacity = 0.3;

// The legend boxes: control, severity bit and image.
struct LegendBox {
    int id;
    int bit;
    int image;
};
constexpr std::array<LegendBox, 6> kLegend = {{
    {1048, 0, 11},
    {1040, 1, 12},
    {1042, 2, 13},
    {1043, 3, 14},
    {1045, 4, 15},
    {1395, 5, 16},
}};

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

CTrapLogView::CTrapLogView(QWidget* parent, CTrapLogRing* ring)
    : CAFormView(kFormId, parent), ui_(std::make_unique<Ui::CTrapLogView>()),
      ring_(ring != nullptr ? ring : &AppTrapLog())
{
    ui_->setupUi(this);
    rows_ = new CRecordTableModel({[this](uint32_t sequence, int column) { return CellText(sequence, column); },
                                   [this](uint32_t sequence, int column) { return CellImage(sequence, column); }},
                                  this);
    SetListModel(*rows_);
    // The live log keeps room for its scroll bar, so that the columns laid out for its first rows stay in view as
    // more come.
    if (QTreeView* list = FindList(kListControlId))
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The style whose key is the row's severity image (11..16, and 17..21 for critical .. info again) colours it.
    SetRowColorMode(kRowColorsByImage);
    std::vector<RowColorStyle> styles;
    for (int severity = kSeverityCleared; severity <= kSeverityInfo; ++severity) {
        const COLORREF back = ColorOfSeverity(kSeverityRowColors, severity);
        styles.push_back({static_cast<uint32_t>(kImageSeverityCleared + severity), 0x000000, back});
        if (severity != kSeverityCleared)
            styles.push_back({static_cast<uint32_t>(kImageSeverityInfo + severity), 0x000000, back});
    }
    SetRowColors(styles);
    // Alarms ... sorts as Severity does; Occur Time and Receive Time sort under compare keys 7 and 8.
    SetColumnMap(7, 1);
    SetColumnMap(8, 7);
    SetColumnMap(9, 8);
}

CTrapLogView::~CTrapLogView()
{
    // The list may still ask for cells while the window closes, after the copy it reads them from is gone.
    rows_->Clear();
}

bool CTrapLogView::IsPaused()
{
    return paused;
}

void CTrapLogView::SetPaused(bool on)
{
    paused = on;
}

void CTrapLogView::ResetCopy()
{
    const uint32_t size = std::clamp(AppSettings().trapLogSize, CTrapLogRing::kMinCapacity, CTrapLogRing::kMaxCapacity);
    copy_.assign(size, Slot{});
    for (Slot& slot : copy_)
        slot.record.sequence = kNoRecord;
}

void CTrapLogView::InitData()
{
    ResetCopy();
    const std::string config = CurrentConfigFilePath();
    stopRefreshWhileBusy_ = ReadIniBool("VIEW", "DIALOGSTOPREFRESHTRAPLOG", false, config);
    LayoutControls();
    SetDialogFont(ReadIniString("VIEW", "TRAPLOGVIEWFONT", "Arial,80,B", config).c_str());
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsTrapLog);
    if (AppSettings().directControl)
        SetColumnHidden(kTrapLogLocationColumn, true);
    lastShown_ = 0;
    firstFill_ = true;
    ringGeneration_ = Ring().GetGeneration();
    WriteFilterTexts();
    SetSortColumn(0);
    SetSortDirection(kSortDescending);
    initialised_ = true;
    RefreshData();
}

void CTrapLogView::RestartFromRing()
{
    rows_->Clear();
    ResetCopy();
    lastShown_ = 0;
    firstFill_ = true;
    ringGeneration_ = Ring().GetGeneration();
}

void CTrapLogView::RefreshData()
{
    if (!initialised_)
        return;
    InvalidateExtras();
    // The log was emptied or rebuilt (a new login): the numbers the view remembers name nothing there any more.
    if (Ring().GetGeneration() != ringGeneration_)
        RestartFromRing();
    if ((stopRefreshWhileBusy_ && IsUiBusy()) || IsPaused())
        return;

    TrapLogRecord record;
    record.sequence = lastShown_;
    const bool found =
        firstFill_ ? Ring().GetFirstTrapLogRecord(&record) != 0 : Ring().GetNextTrapLogRecord(&record) != 0;
    if (!found)
        return;
    // Each record takes its slot; the row of the record the slot held goes, whether it came before this pull or in it.
    const uint32_t firstPulled = record.sequence;
    std::vector<uint32_t> replaced;
    std::vector<uint32_t> added;
    do {
        lastShown_ = record.sequence;
        Slot& slot = copy_[record.sequence % copy_.size()];
        if (slot.shown && slot.record.sequence < firstPulled)
            replaced.push_back(slot.record.sequence);
        slot.record = record;
        slot.shown = HasTrapLogRow(record);
        if (slot.shown)
            added.push_back(record.sequence);
    } while (Ring().GetNextTrapLogRecord(&record) != 0);
    std::erase_if(added, [this](uint32_t sequence) { return SlotOf(sequence) == nullptr; });
    std::reverse(added.begin(), added.end());
    rows_->RemoveKeys(std::move(replaced));
    rows_->InsertKeys(0, added);
    if (firstFill_) {
        UpdateListLayout(kListControlId);
        firstFill_ = false;
    }
}

const CTrapLogView::Slot* CTrapLogView::SlotOf(uint32_t sequence) const
{
    if (copy_.empty())
        return nullptr;
    const Slot& slot = copy_[sequence % copy_.size()];
    return slot.record.sequence == sequence ? &slot : nullptr;
}

const TrapLogRecord* CTrapLogView::FindRecord(uint32_t sequence) const
{
    const Slot* slot = SlotOf(sequence);
    return slot != nullptr ? &slot->record : nullptr;
}

QString CTrapLogView::CellText(uint32_t sequence, int column) const
{
    const TrapLogRecord* record = FindRecord(sequence);
    return record != nullptr ? TrapLogCellText(*record, column) : QString();
}

int CTrapLogView::CellImage(uint32_t sequence, int column) const
{
    const TrapLogRecord* record = FindRecord(sequence);
    return record != nullptr ? TrapLogCellImage(*record, column) : -1;
}

std::vector<uint32_t> CTrapLogView::RowSequences() const
{
    CListControl list(FindList(kListControlId));
    std::vector<uint32_t> sequences;
    for (int r = 0; r < list.GetItemCount(); ++r)
        sequences.push_back(list.GetItemData(r));
    return sequences;
}

const TrapLogRecord* CTrapLogView::SelectedRecord() const
{
    CListControl list(FindList(kListControlId));
    const int row = list.GetNextSelected(-1);
    return row >= 0 ? FindRecord(list.GetItemData(row)) : nullptr;
}

int CTrapLogView::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    const TrapLogRecord* a = FindRecord(item1);
    const TrapLogRecord* b = FindRecord(item2);
    if (a == nullptr || b == nullptr)
        return CompareItemData(item1, item2, flags);
    return CompareTrapLogRecords(*a, *b, flags);
}

void CTrapLogView::WriteFilterTexts()
{
    uint32_t locationId = 0;
    uint32_t neId = 0;
    uint32_t entityId = 0;
    uint32_t mask = 0;
    GetTrapLogFilter(&locationId, &neId, &entityId, &mask);

    const CLocationNode* location = locationId != 0 ? FindLocation(locationId) : nullptr;
    const CNeRecord* ne = neId != 0 ? FindNeById(neId) : nullptr;
    QString neText = QStringLiteral(" <ALL>");
    if (neId != 0)
        neText = ne != nullptr ? Text(ne->name) : QString::number(neId);
    ui_->locationNeText->setText(Text(location != nullptr ? location->name : AppData().locations.Root().name) + ':' +
                                 neText);

    // Entity 0 names no entity: it reads as the NE level, with everything below it only when the mask says so.
    const CEntityIndex index = EntityIndexFromId(entityId);
    QString entityText;
    if (index.GetLevel() > 1)
        entityText = Text(FormatEntityLocation(ne, index, 0, true));
    else if (index.GetLevel() == 1 || entityId == 0)
        entityText = Text(GetEntityLevelLabel(ne, index.GetLevel() == 1 ? index : CEntityIndex::FromLevels(1)));
    else
        entityText = QString::number(entityId);
    if ((mask & kTrapLogFilterBelow) != 0)
        entityText += QStringLiteral(" <ALL>");
    ui_->entityText->setText(entityText);
}

void CTrapLogView::DrawExtras(Dc& dc)
{
    uint32_t mask = 0;
    GetTrapLogFilter(nullptr, nullptr, nullptr, &mask);
    QPainter& painter = dc.Painter();
    const QColor face = palette().color(QPalette::Button);
    const auto drawImage = [this, &painter](int controlId, int image, bool dimmed, bool fill, const QColor& back) {
        const QWidget* control = GetDlgItem(controlId);
        if (control == nullptr)
            return;
        const QRect rect(control->mapTo(this, QPoint(0, 0)), control->size());
        if (fill)
            painter.fillRect(rect, back);
        const QPixmap picture = SharedSmallImages().Get(image);
        if (picture.isNull())
            return;
        painter.save();
        painter.setOpacity(dimmed ? kDimmedOpacity : 1.0);
        painter.drawPixmap(rect.right() + 1 - kSmallImageSize, rect.top(), picture);
        painter.restore();
    };
    for (const LegendBox& box : kLegend)
        drawImage(box.id, box.image, (mask & (1u << box.bit)) == 0, true, face);
    drawImage(kRunStateId, IsPaused() ? kImagePaused : kImageRunning, false, false, face);
}

void CTrapLogView::LayoutControls()
{
    const QRect client = rect();
    if (QWidget* band = GetDlgItem(kBandId))
        band->setGeometry(0, band->y(), client.width(), band->height());
    if (QTreeView* list = FindList(kListControlId)) {
        const int height = client.height() - list->y();
        list->setGeometry(0, list->y(), client.width(), height > kMinListHeight ? height : list->height());
    }
}

void CTrapLogView::resizeEvent(QResizeEvent* event)
{
    CAFormView::resizeEvent(event);
    if (window()->isMinimized())
        return;
    LayoutControls();
    // The columns follow a window that the operator makes wider or narrower, once they have rows to measure.
    if (initialised_ && !firstFill_ && event->size().width() != event->oldSize().width())
        UpdateListLayout(kListControlId);
}

// ---- commands

int CTrapLogView::OnCommandHook(int id, int code)
{
    switch (id) {
    case kFilterButtonId:
        if (code == BN_CLICKED)
            OnFilter();
        return 1;
    case kCmdDetail:
        OnDetail();
        return 1;
    case kCmdFilter:
        OnFilter();
        return 1;
    case kCmdReset:
        OnReset();
        return 1;
    case kCmdPause:
        OnPause();
        return 1;
    case kCmdContinue:
        OnContinue();
        return 1;
    case kCmdExport:
        OnExport();
        return 1;
    default:
        return 0;
    }
}

int CTrapLogView::OnNotifyHook(const NotifyHeader& header, int* /*result*/)
{
    return RouteListClicks(
        header, kListControlId, [this] { OnDetail(); }, [this] { OnContextMenu(); });
}

void CTrapLogView::OnDetail()
{
    const TrapLogRecord* record = SelectedRecord();
    if (record == nullptr) {
        ShowStatusMessageById(kStrPleaseSelectOneItem);
        return;
    }
    const CEntityId entity(record->entityId);
    CEventDetailDlg dlg(this);
    dlg.SetTarget(static_cast<int>(record->neId), &entity);
    dlg.SetOnlineType(record->onlineType);
    dlg.SetPlannedType(record->plannedType);
    dlg.SetAlarmBits(record->alarmBits);
    dlg.SetSeverity(record->severity);
    dlg.SetOccurTime(record->occurTime);
    dlg.SetReceiveTime(record->receiveTime);
    dlg.DoModal();
}

void CTrapLogView::OnFilter()
{
    CTrapLogFilterDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    WriteFilterTexts();
    InvalidateExtras();
}

void CTrapLogView::OnReset()
{
    RestartFromRing();
    Ring().ClearTrapLog();
    ringGeneration_ = Ring().GetGeneration();
}

void CTrapLogView::OnPause()
{
    SetPaused(true);
    InvalidateExtras();
}

void CTrapLogView::OnContinue()
{
    TrapLogRecord next;
    next.sequence = lastShown_;
    const bool found = firstFill_ ? Ring().GetFirstTrapLogRecord(&next) != 0 : Ring().GetNextTrapLogRecord(&next) != 0;
    if (found) {
        // Rows of records the log lost while paused.
        const uint64_t size = copy_.size();
        std::vector<uint32_t> lost;
        for (Slot& slot : copy_) {
            if (slot.shown && slot.record.sequence + size <= next.sequence) {
                lost.push_back(slot.record.sequence);
                slot.shown = false;
            }
        }
        rows_->RemoveKeys(std::move(lost));
    }
    SetPaused(false);
    InvalidateExtras();
}

void CTrapLogView::OnExport()
{
    CExportDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetExportSource(FindList(kListControlId), "TrapLog", '\t');
    dlg.SetExportTitle("Trap Log");
    dlg.DoModal();
}

void CTrapLogView::OnContextMenu()
{
    const bool selected = CListControl(FindList(kListControlId)).GetSelectedCount() > 0;
    // Detail only with a row to show, and of Pause and Continue the one that applies.
    std::array<uint16_t, 3> removed{};
    size_t n = 0;
    if (!selected)
        removed[n++] = kCmdDetail;
    removed[n++] = IsPaused() ? kCmdPause : kCmdContinue;
    TrackContextMenuWithout("TRAPLOGVIEW_LIST", this, removed.data());
}

void RegisterTrapLogView()
{
    SetFrameViewFactory(kViewTrapLog,
                        [](QWidget* parent, IViewHost&) -> CAFormView* { return new CTrapLogView(parent); });
}
