#include "ui/shell/panel/frame_view.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/entity/entity_id.h"
#include "core/entity/entity_type_ids.h"
#include "core/shape/shape_coord.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_labels.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "core/util/bmp_file.h"
#include "platform/file_chooser.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/menus/context_menu.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/framework/shapes/shape_draw.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/frame_views.h"
#include "ui/shell/frame/view_host.h"
#include "ui/shell/frame/view_tabs.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr int kMessageErrorBox = 0x10; // OK with the error icon

// Commands of the entity menus that need an entity that is there.
constexpr std::array<uint16_t, 3> kCommandsOfPresentEntities = {33085, 33021, 0};

// The generic popups of entities without a model of their own, by level.
const char* GenericPopup(int level)
{
    switch (level) {
    case 1:
        return "Rack";
    case 2:
        return "Shelf";
    case 3:
        return "MiscModule";
    default:
        return "MiscPort";
    }
}

bool ProgramIsEnding()
{
    const CEmsApp* app = GetEmsApp();
    return app != nullptr && app->GetExitFlag();
}

} // namespace

// The window the panel is drawn in: the picture, then the selection mark and the hint over it.
class CFrameView::CPanelCanvas : public QWidget {
public:
    explicit CPanelCanvas(CFrameView& view) : QWidget(&view), view_(view)
    {
        setObjectName(QStringLiteral("panel%1").arg(kPanelControlId));
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        Dc dc(painter);
        view_.PaintPanel(dc);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        QWidget::mouseMoveEvent(event);
        view_.TrackEntityUnderMouse(event->position().toPoint());
    }
    void contextMenuEvent(QContextMenuEvent* event) override { view_.ShowPanelContextMenu(event->pos()); }
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        if (view_.IsInitialUpdateDone())
            view_.ComposePanel();
    }

private:
    CFrameView& view_;
};

CFrameView::CFrameView(IViewHost& host, QWidget* parent) : CAFormView(kFormTemplateId, parent), host_(host)
{
    canvas_ = new CPanelCanvas(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(canvas_);
}

CFrameView::~CFrameView() = default;

void CFrameView::OnInitialUpdate()
{
    if (IsInitialUpdateDone())
        return;
    stopRefreshWhileBusy_ = ReadIniBool("VIEW", "DIALOGSTOPREFRESHFRAME", false, ConfigFilePath());
    SetLocationId(static_cast<int>(host_.GetCurrentLocationId()));
    FollowFrame();
    CAFormView::OnInitialUpdate();
    host_.SetActivePane(kPaneOfRightView);
    RefreshPanel();
}

void CFrameView::RefreshData()
{
    RefreshPanel();
}

void CFrameView::FollowFrame()
{
    const CNeRecord* ne = FindNeById(host_.GetCurrentNeId());
    if (ne == nullptr) {
        SetLocationId(0);
        SetTarget(0, nullptr);
    } else {
        // One shelf: the NE itself; several: the shelf the frame names, or the NE for the overview.
        const CEntityIndex index = host_.GetCurrentEntity().index.Truncated(ne->usedChildCount < 2 ? 1 : 2);
        const CEntityId entity(&index);
        SetLocationId(static_cast<int>(host_.GetCurrentLocationId()));
        SetTarget(static_cast<int>(ne->neId), &entity);
    }
    SetUserName(host_.GetKeyText().c_str());
}

void CFrameView::RefreshPanel()
{
    if (stopRefreshWhileBusy_ && IsUiBusy())
        return;
    if (host_.GetActivePane() != kPaneOfRightView)
        FollowFrame();
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    detail_ = ne != nullptr && (ne->usedChildCount <= 1 || GetTargetEntity().index.GetLevel() == 2);
    if (hoveredNeId_ != static_cast<uint32_t>(GetNeId())) {
        // The entity under the mouse was one of another NE.
        hovered_ = {};
        hoveredNeId_ = 0;
        markRect_ = {};
        hintRect_ = {};
        hintText_.clear();
    }
    if (!window()->isMinimized())
        ComposePanel();
}

PanelScene CFrameView::Scene(const CNeRecord& ne) const
{
    return {ne, GetTargetEntity().index, detail_, canvas_->size()};
}

void CFrameView::ComposePanel()
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr) {
        picture_ = QImage(canvas_->size().expandedTo({1, 1}), QImage::Format_RGB32);
        picture_.fill(Qt::white);
        canvas_->update();
        return;
    }
    PanelEnvironment environment;
    // While the tables are being replaced, or the program ends, the last picture stays.
    environment.suppressed = (!AppSettings().directControl && AppData().locationTreeChanged) || ProgramIsEnding();
    if (environment.suppressed && !picture_.isNull())
        return;
    environment.blinkPhaseOn = host_.IsBlinkPhaseOn();
    environment.flash = AppSettings().flash;
    picture_ = composer_.Compose(Scene(*ne), environment);
    if (!hovered_.IsEmpty())
        markRect_ = composer_.GetEntityRect(Scene(*ne), hovered_);
    canvas_->update();
}

QRect CFrameView::EntityRect(const CEntityIndex& index)
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr)
        return {};
    const DcRect rect = composer_.GetEntityRect(Scene(*ne), index);
    return rect.IsEmpty() ? QRect() : QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

QRect CFrameView::SelectionMarkRect() const
{
    if (markRect_.IsEmpty() || !host_.GetFocusFrameFlag())
        return {};
    return {markRect_.left, markRect_.top, markRect_.Width(), markRect_.Height()};
}

void CFrameView::TrackEntityUnderMouse(QPoint point)
{
    if (!IsInitialUpdateDone() || GetCurrentDialog() != nullptr)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr)
        return;
    const CEntityIndex index = composer_.HitTest(Scene(*ne), point);
    if (host_.GetActivePane() == kPaneOfRightView && hoveredNeId_ == ne->neId &&
        EntityIdFromIndexValue(index) == EntityIdFromIndexValue(hovered_))
        return;
    hovered_ = index;
    hoveredNeId_ = ne->neId;
    host_.SetCurrentEntity(ne->neId, &hovered_);
    host_.SetActivePane(kPaneOfRightView);
    PlaceSelectionMarkAndHint(point);
}

void CFrameView::PlaceSelectionMarkAndHint(QPoint mouse)
{
    CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    markRect_ = {};
    hintRect_ = {};
    hintText_.clear();
    if (ne != nullptr && ne->root != nullptr && ne->root->GetTypeAt(hovered_) != kEntityTypeAbsent)
        markRect_ = composer_.GetEntityRect(Scene(*ne), hovered_);
    if (ne != nullptr && host_.GetPortTipFlag() && GetCurrentDialog() == nullptr && hovered_.GetLevel() == 4) {
        hintText_ = QString::fromStdString(GetEntityLevelLabel(ne, hovered_));
        const QFontMetrics metrics(QFont(QStringLiteral("Courier New"), 9));
        const QSize text = metrics.size(Qt::TextSingleLine, hintText_);
        hintRect_ =
            QRect(mouse.x() + kHintOffsetX, mouse.y() + kHintOffsetY, text.width() + 2 * kHintMargin, text.height());
    }
    canvas_->update();
}

void CFrameView::PaintPanel(Dc& dc)
{
    if (!picture_.isNull())
        dc.Painter().drawImage(0, 0, picture_);
    const ShapeRecord& mark = composer_.SelectedMark();
    if (!markRect_.IsEmpty() && host_.GetFocusFrameFlag() && mark.code != kShapeNone) {
        // The frame goes round the entity, outside it by its own width.
        const int width = std::max(1, ResolveShapeCoord(0, 0, 0, 0, mark.size, 0, 0));
        const DcRect around = markRect_.Deflated(-width, -width);
        DrawShape(ResolveShapeRecord(mark, around.left, around.top, around.right - 1, around.bottom - 1, 0), dc);
    }
    if (!hintRect_.isEmpty()) {
        const DcRect box{hintRect_.left(), hintRect_.top(), hintRect_.right() + 1, hintRect_.bottom() + 1};
        const DcPen oldPen = dc.SelectPen({DcPenStyle::Solid, 1, 0x000000});
        const DcBrush oldBrush = dc.SelectBrush(DcBrush::SolidColor(kHintFillColor));
        dc.Rectangle(box);
        dc.SelectPen(oldPen);
        dc.SelectBrush(oldBrush);
        QPainter& painter = dc.Painter();
        painter.save();
        painter.setFont(QFont(QStringLiteral("Courier New"), 9));
        painter.setPen(Qt::black);
        painter.drawText(hintRect_, Qt::AlignCenter | Qt::TextSingleLine, hintText_);
        painter.restore();
    }
}

void CFrameView::ShowPanelContextMenu(QPoint)
{
    CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr || ne->root == nullptr)
        return;
    // The popup is that of the entity the view shows (its NE or shelf), wherever the pointer stands; its commands act
    // on the frame's current entity, which the pointer chose.
    const CEntityIndex index = GetTargetEntity().index;
    const uint32_t type = ne->root->GetTypeAt(index);
    if (type == kEntityTypeEmpty || type == kEntityTypeUnknown) {
        EntityContextMenu(GenericPopup(index.GetLevel()), this);
        return;
    }
    const CEntityNode* node = ne->root->FindChild(index);
    const bool present = node != nullptr && node->IsConnected();
    EntityContextMenuById(type, this, present ? nullptr : kCommandsOfPresentEntities.data());
}

int CFrameView::OnCommandHook(int id, int code)
{
    if (id == kCmdExportFrame) {
        SavePanelBitmap();
        return 1;
    }
    return CAFormView::OnCommandHook(id, code);
}

bool CFrameView::SavePanelBitmap()
{
    const std::optional<QString> chosen = ChooseSaveFile(
        this, lastBitmapFile_, QStringLiteral("Bitmap Files (*.bmp);;All Files (*.*)"), QStringLiteral("bmp"));
    if (!chosen)
        return false;
    const QString path = *chosen;
    lastBitmapFile_ = path;
    if (picture_.isNull())
        return false;
    const QImage rows = picture_.convertToFormat(QImage::Format_BGR888);
    const BmpPicture bitmap{rows.width(), rows.height(),    24,
                            {},           rows.constBits(), static_cast<size_t>(rows.bytesPerLine())};
    std::string error;
    if (!WriteBmpFile(path.toStdString(), bitmap, &error)) {
        ShowMessageText(LoadQString(kStrFailToOpenFile, "Fail to open file") + QStringLiteral("\n\n") +
                            QString::fromStdString(error),
                        kMessageErrorBox);
        return false;
    }
    return true;
}

void RegisterFrameView()
{
    SetFrameViewFactory(kViewRack,
                        [](QWidget* parent, IViewHost& host) -> CAFormView* { return new CFrameView(host, parent); });
}
