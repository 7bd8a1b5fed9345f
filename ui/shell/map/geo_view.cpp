#include "ui/shell/map/geo_view.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/entity/entity_index.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_record.h"
#include "link/record_requests.h"
#include "link/records/request_codes.h"
#include "link/server/ne_apply.h"
#include "platform/color_ref.h"
#include "platform/file_chooser.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/menus/context_menu.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/framework/skin/ie_picture.h"
#include "ui/shell/frame/frame_views.h"
#include "ui/shell/frame/view_host.h"
#include "ui/shell/frame/view_tabs.h"
#include "ui/shell/map/map_node_item.h"
#include "ui/shell/map/map_pictures.h"

#include <QBuffer>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSvgGenerator>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kNeViewKind = 4;
constexpr int kLocationViewKind = 1;

// MAP/NODEFONT: "face,points[,flags]", the points a real number.
QFont NodeFont()
{
    const std::string spec = ReadIniString("MAP", "NODEFONT", "Arial,7.5", ConfigFilePath());
    const QStringList parts = QString::fromStdString(spec).split(QLatin1Char(','));
    QFont font(parts.value(0).trimmed().isEmpty() ? QStringLiteral("Arial") : parts.value(0).trimmed());
    bool ok = false;
    const double points = parts.value(1).trimmed().toDouble(&ok);
    font.setPointSizeF(ok && points > 0.0 ? points : 7.5);
    const QString flags = parts.value(2).toUpper();
    font.setBold(flags.contains(QLatin1Char('B')));
    font.setItalic(flags.contains(QLatin1Char('I')));
    font.setUnderline(flags.contains(QLatin1Char('U')));
    font.setStrikeOut(flags.contains(QLatin1Char('S')));
    return font;
}

bool HasSelectModifier(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
}

} // namespace

// The map control: the scene in a scrolling view that hands the mouse to the map view after its own handling
// (selection and dragging).
class CGeoView::CMapCanvas : public QGraphicsView {
public:
    CMapCanvas(QGraphicsScene* scene, CGeoView& view) : QGraphicsView(scene, &view), view_(view)
    {
        setObjectName(QStringLiteral("map%1").arg(kMapControlId));
        setMouseTracking(true);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setDragMode(QGraphicsView::NoDrag);
        setRenderHint(QPainter::SmoothPixmapTransform);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            WithStacksBatched([&] { QGraphicsView::mousePressEvent(event); });
        view_.OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        WithStacksBatched([&] { QGraphicsView::mouseReleaseEvent(event); });
        view_.OnMouseUp(event->button(), event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        WithStacksBatched([&] { QGraphicsView::mouseMoveEvent(event); });
        view_.OnMouseMove(event->position().toPoint());
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        WithStacksBatched([&] { QGraphicsView::mouseDoubleClickEvent(event); });
        if (event->button() == Qt::LeftButton)
            view_.OnDoubleClick();
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QGraphicsView::resizeEvent(event);
        view_.FitSceneToView();
    }
    // The address is looked up when the tip is asked for: thousands of nodes keep no text of their own for it.
    bool viewportEvent(QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QGraphicsView::viewportEvent(event);
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const auto* node = dynamic_cast<const CMapNodeItem*>(itemAt(help->pos())))
            QToolTip::showText(help->globalPos(), view_.ToolTipOf(*node), viewport());
        else
            QToolTip::hideText();
        return true;
    }

private:
    // A click or a drag may select or move many nodes: their piles are sorted out once, after the scene's handling.
    template <typename Handling> void WithStacksBatched(Handling handling)
    {
        const CMapNodeStacks::Batch batch(view_.stacks_);
        handling();
    }

    CGeoView& view_;
};

CGeoView::CGeoView(IViewHost& host, QWidget* parent) : CAFormView(kFormTemplateId, parent), host_(host)
{
    scene_ = new QGraphicsScene(this);
    // The nodes change their look often and a paint or a click looks at few of them: a walk of the list costs less
    // than the index of places the scene would keep for each node.
    scene_->setItemIndexMethod(QGraphicsScene::NoIndex);
    canvas_ = new CMapCanvas(scene_, *this);
    editButton_ = new QPushButton(QStringLiteral("&Edit"), this);
    editButton_->setObjectName(QStringLiteral("edit%1").arg(kEditButtonId));
    editButton_->setProperty("ctrlId", kEditButtonId);
    editButton_->hide();
    connect(editButton_, &QPushButton::clicked, this, [this] { OnCommand(kEditButtonId, 0); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(editButton_, 0, Qt::AlignLeft);
    layout->addWidget(canvas_);
    background_ = scene_->addPixmap({});
    background_->setZValue(-1);
    connect(scene_, &QGraphicsScene::selectionChanged, this, [this] { NoteSelection(); });
}

CGeoView::~CGeoView()
{
    // The scene deletes the nodes with itself, telling of the selection it loses: the view no longer listens.
    disconnect(scene_, nullptr, this, nullptr);
    nodes_.clear();
}

QGraphicsView* CGeoView::Canvas() const
{
    return canvas_;
}

void CGeoView::OnInitialUpdate()
{
    if (IsInitialUpdateDone())
        return;
    canvas_->hide();
    includeSubNes_ = ReadIniBool("MAP", "INCLSUBNE", true, ConfigFilePath());
    stopRefreshWhileBusy_ = ReadIniBool("VIEW", "DIALOGSTOPREFRESHGEO", false, ConfigFilePath());
    canvas_->setBackgroundBrush(ToQColor(ReadIniColor("MAP", "BKCOLOR", 0xC0C0C0, ConfigFilePath())));
    nodeStyle_ = CMapNodeStyle(NodeFont(), [this](int index) { return host_.GetListIcon(index); });
    CAFormView::OnInitialUpdate();
    CAFormView::SetLocationId(static_cast<int>(host_.GetCurrentLocationId()));
    SelectMapForLocation(host_.GetCurrentLocationId(), true);
    canvas_->show();
    editButton_->setVisible(ReadIniLong("MAP", "EDITBUTTON", 0, ConfigFilePath()) == 1);
}

void CGeoView::SetLocationId(int id)
{
    CAFormView::SetLocationId(id);
    if (IsInitialUpdateDone())
        SelectMapForLocation(static_cast<uint32_t>(id), false);
}

void CGeoView::SelectMapForLocation(uint32_t locationId, bool force)
{
    if (!force && locationId == viewLocationId_)
        return;
    viewLocationId_ = locationId;
    const CMapDef& map = FindMapDefOfLocation(locationId);
    mapId_ = map.id;
    picture_ = MapPicture(map);
    background_->setPixmap(QPixmap::fromImage(picture_));
    frame_ = MakeMapFrame(map, picture_.width(), picture_.height());
    FitSceneToView();
    BuildNodes(false);
}

void CGeoView::FitSceneToView()
{
    // The scene spans the picture, and the window where the window is larger.
    const QSize window = canvas_->viewport()->size();
    const QSizeF map(frame_.scaleX * frame_.Width(), frame_.scaleY * frame_.Height());
    scene_->setSceneRect(0, 0, std::max<qreal>({map.width(), qreal(picture_.width()), qreal(window.width())}),
                         std::max<qreal>({map.height(), qreal(picture_.height()), qreal(window.height())}));
}

MapPixel CGeoView::PixelOf(double longitude, double latitude) const
{
    return GeoToMapPixel(frame_, longitude, latitude);
}

bool CGeoView::BelongsOnMap(const CNeRecord& ne) const
{
    const CLocationNode* location = ne.locationId != 0 ? AppData().locations.FindLocation(ne.locationId) : nullptr;
    return ne.inScope == 1 && NeMatchesLocation(&ne, location, viewLocationId_, includeSubNes_ ? 1 : 0, 0) != 0;
}

QString CGeoView::ToolTipOf(const CMapNodeItem& node) const
{
    const CNeRecord* ne = FindNeById(node.NeId());
    return ne != nullptr ? QString::fromStdString(ne->GetIpText()) : QString();
}

CMapNodeItem* CGeoView::NodeOf(uint32_t neId) const
{
    const auto found = nodes_.find(neId);
    return found != nodes_.end() ? found->second : nullptr;
}

std::vector<CMapNodeItem*> CGeoView::Nodes() const
{
    std::vector<CMapNodeItem*> out;
    for (uint32_t neId : placementOrder_) {
        if (CMapNodeItem* node = NodeOf(neId))
            out.push_back(node);
    }
    return out;
}

void CGeoView::BuildNodes(bool storedPositions)
{
    // The nodes shown so far stay until the new ones are made: a name they showed is not measured again.
    std::map<uint32_t, CMapNodeItem*> shown;
    const CMapNodeStacks::Batch batch(stacks_);
    stacks_.Clear();
    {
        const QSignalBlocker blocker(scene_);
        shown.swap(nodes_);
        for (const auto& [neId, node] : shown)
            scene_->removeItem(node);
        placementOrder_.clear();
        selectionOrder_.clear();
    }
    for (CNeRecord* ne = AppData().nes.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (BelongsOnMap(*ne)) {
            const auto before = shown.find(ne->neId);
            AddNode(*ne, storedPositions, before != shown.end() ? before->second : nullptr);
        }
        seenChanges_[ne->neId] = ne->changeCounter;
    }
    builtAtChange_ = AppData().TreeChangeCount();
    for (const auto& [neId, node] : shown)
        delete node;
}

CMapNodeItem* CGeoView::AddNode(const CNeRecord& ne, bool storedPosition, const CMapNodeItem* shown)
{
    auto* node = new CMapNodeItem(ne.neId, nodeStyle_);
    if (shown != nullptr)
        node->TakeTextOf(*shown);
    UpdateNodeLook(*node, ne);
    const MapPixel pixel =
        storedPosition ? PixelOf(ne.storedLongitude, ne.storedLatitude) : PixelOf(ne.workLongitude, ne.workLatitude);
    scene_->addItem(node);
    node->PlaceCentreAt({pixel.x, pixel.y});
    stacks_.Add(*node);
    nodes_[ne.neId] = node;
    placementOrder_.push_back(ne.neId);
    return node;
}

void CGeoView::UpdateNodeLook(CMapNodeItem& node, const CNeRecord& ne)
{
    node.SetText(QString::fromStdString(ne.name));
    node.SetImage(host_.GetNeKeptStateIcon(ne));
    node.SetTextColor(ToQColor(host_.GetNeKeptTextColor(ne)));
}

void CGeoView::RemoveNode(uint32_t neId)
{
    CMapNodeItem* node = NodeOf(neId);
    if (node == nullptr)
        return;
    nodes_.erase(neId);
    placementOrder_.erase(std::remove(placementOrder_.begin(), placementOrder_.end(), neId), placementOrder_.end());
    selectionOrder_.erase(std::remove(selectionOrder_.begin(), selectionOrder_.end(), neId), selectionOrder_.end());
    delete node;
}

// ---------------------------------------------------------------------------------------------------------------
// Refresh

void CGeoView::RefreshData()
{
    CAppData& app = AppData();
    // A flag raised before the nodes were last built (the login's, before the frame's first refresh) asks for nothing.
    locationsRequest_ = locationsRequest_ || (app.locationTreeChanged && app.TreeChangeCount() != builtAtChange_);
    renameRequest_ = renameRequest_ || app.neNamesChanged || app.neAddressesChanged;
    everyNodeRequest_ = everyNodeRequest_ || app.neListChanged;
    mapChangeRequest_ = mapChangeRequest_ || app.mapsChanged;
    if (stopRefreshWhileBusy_ && IsUiBusy())
        return;
    if (!IsInitialUpdateDone())
        return;
    const CMapNodeStacks::Batch batch(stacks_);
    const bool following = host_.GetActivePane() != kPaneOfRightView;
    if (following) {
        const CEntityIndex cut = host_.GetCurrentEntity().index.Truncated(2);
        const CEntityId entity(&cut);
        CAFormView::SetLocationId(static_cast<int>(host_.GetCurrentLocationId()));
        SetTarget(static_cast<int>(host_.GetCurrentNeId()), &entity);
        SetUserName(host_.GetKeyText().c_str());
    }
    const uint32_t locationId = static_cast<uint32_t>(GetLocationId());
    // Another location or map shows its nodes anew; a change of the tables (a re-read, an alarm burst) moves, adds
    // or drops the nodes of what changed.
    if (mapChangeRequest_ || locationId != viewLocationId_ || FindMapDefOfLocation(locationId).id != mapId_) {
        SelectMapForLocation(locationId, true);
        locationsRequest_ = renameRequest_ = mapChangeRequest_ = everyNodeRequest_ = false;
        if (following)
            FollowFrameSelection();
        return;
    }
    RefreshIncrementally();
    if (following)
        FollowFrameSelection();
    locationsRequest_ = renameRequest_ = everyNodeRequest_ = false;
}

void CGeoView::RefreshIncrementally()
{
    if (renameRequest_ || everyNodeRequest_ || locationsRequest_) {
        for (uint32_t neId : std::vector<uint32_t>(placementOrder_)) {
            CMapNodeItem* node = NodeOf(neId);
            const CNeRecord* ne = FindNeById(neId);
            if (ne == nullptr || !BelongsOnMap(*ne)) {
                RemoveNode(neId);
                continue;
            }
            if (renameRequest_)
                UpdateNodeLook(*node, *ne);
        }
    }
    // A location that moved or came into the scope brings NEs whose own records did not change: they take their
    // places as a build would put them.
    if (locationsRequest_) {
        for (CNeRecord* ne = AppData().nes.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
            if (NodeOf(ne->neId) == nullptr && BelongsOnMap(*ne))
                AddNode(*ne, ne->newOrMoved != 0);
        }
    }
    // NEs whose record, scope or alarm state changed since the view last looked: new ones get a node, moved ones go
    // to their new place, the others take their new look; the nodes of unchanged NEs look as they did.
    for (CNeRecord* ne = AppData().nes.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        uint32_t& seen = seenChanges_[ne->neId];
        if (ne->changeCounter == seen)
            continue;
        seen = ne->changeCounter;
        CMapNodeItem* node = NodeOf(ne->neId);
        if (!BelongsOnMap(*ne)) {
            if (node != nullptr)
                RemoveNode(ne->neId);
            continue;
        }
        const bool moved =
            ne->newOrMoved != 0 || (ne->root != nullptr && (ne->root->componentFlags & kComponentNewOrMoved));
        if (node == nullptr) {
            node = AddNode(*ne, true);
        } else {
            UpdateNodeLook(*node, *ne);
            if (moved) {
                const MapPixel pixel = PixelOf(ne->storedLongitude, ne->storedLatitude);
                node->PlaceCentreAt({pixel.x, pixel.y});
            }
        }
        if (moved) {
            ne->newOrMoved = 0;
            if (ne->root != nullptr)
                ne->root->componentFlags &= ~kComponentNewOrMoved;
        }
    }
}

void CGeoView::FollowFrameSelection()
{
    const uint32_t current = host_.GetCurrentNeId();
    const QSignalBlocker blocker(scene_);
    for (QGraphicsItem* item : scene_->selectedItems()) {
        if (const auto* node = dynamic_cast<CMapNodeItem*>(item); node == nullptr || node->NeId() != current)
            item->setSelected(false);
    }
    selectionOrder_.clear();
    if (CMapNodeItem* node = NodeOf(current)) {
        node->setSelected(true);
        selectionOrder_.push_back(current);
        canvas_->ensureVisible(node);
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Mouse

void CGeoView::NoteSelection()
{
    std::vector<uint32_t> order;
    for (uint32_t neId : selectionOrder_) {
        if (CMapNodeItem* node = NodeOf(neId); node != nullptr && node->isSelected())
            order.push_back(neId);
    }
    for (const auto& [neId, node] : nodes_) {
        if (node->isSelected() && std::find(order.begin(), order.end(), neId) == order.end())
            order.push_back(neId);
    }
    selectionOrder_ = std::move(order);
}

uint32_t CGeoView::LastSelectedNe(uint32_t except) const
{
    for (auto it = selectionOrder_.rbegin(); it != selectionOrder_.rend(); ++it) {
        if (*it != except)
            return *it;
    }
    return 0;
}

void CGeoView::MakeNeCurrent(uint32_t neId)
{
    if (neId != 0 && FindNeById(neId) != nullptr) {
        const CEntityIndex index = CEntityIndex::FromLevels(1);
        const CEntityId entity(&index);
        SetTarget(static_cast<int>(neId), &entity);
        host_.SetCurrentEntity(neId, &index);
        host_.SelectView(kNeViewKind, kKeepCurrentView);
    } else {
        SetTarget(0, nullptr);
        host_.SetCurrentEntity(0, nullptr);
        host_.SelectView(kLocationViewKind, kKeepCurrentView);
    }
}

void CGeoView::OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint point)
{
    lastButton_ = button;
    lastModifiers_ = modifiers;
    // The frame's accelerators (Search Next) go to the view the operator works in.
    SetActiveFormView(this);
    auto* hit = dynamic_cast<CMapNodeItem*>(canvas_->itemAt(point));
    if (button == Qt::LeftButton) {
        NoteSelection();
        uint32_t neId = hit != nullptr ? hit->NeId() : 0;
        if (HasSelectModifier(modifiers)) {
            // The click adds the node to the selection, or takes a selected one out of it.
            if (hit == nullptr)
                neId = LastSelectedNe();
            else if (hit->isSelected())
                neId = LastSelectedNe(hit->NeId());
        }
        pressPlaces_.clear();
        for (const auto& [id, node] : nodes_) {
            if (node->isSelected())
                pressPlaces_[id] = node->pos();
        }
        MakeNeCurrent(neId);
    } else if (button == Qt::RightButton) {
        if (!HasSelectModifier(modifiers)) {
            const QSignalBlocker blocker(scene_);
            scene_->clearSelection();
            selectionOrder_.clear();
        }
        const uint32_t neId = hit != nullptr ? hit->NeId() : 0;
        if (hit != nullptr && FindNeById(neId) != nullptr) {
            hit->setSelected(true);
            MakeNeCurrent(neId);
            host_.SetActivePane(kPaneOfRightView);
            EntityContextMenu("MapNE", this);
        } else {
            MakeNeCurrent(0);
            host_.SetActivePane(kPaneOfRightView);
            EntityContextMenu("Map", this);
        }
    }
    host_.SetActivePane(kPaneOfRightView);
}

bool CGeoView::UpdateNodePosition(CMapNodeItem& node)
{
    CNeRecord* ne = FindNeById(node.NeId());
    if (ne == nullptr)
        return false;
    const QPointF centre = node.Centre();
    const MapPixel working = PixelOf(ne->workLongitude, ne->workLatitude);
    if (!IsMapMove(working, {centre.x(), centre.y()}))
        return false;
    const GeoPosition place = MapPixelToGeo(frame_, centre.x(), centre.y());
    ne->workLongitude = static_cast<float>(place.longitude);
    ne->workLatitude = static_cast<float>(place.latitude);
    // Save Topology sends what waits.
    ne->savePending = 1;
    return true;
}

void CGeoView::OnMouseUp(Qt::MouseButton button, QPoint)
{
    if (button != Qt::LeftButton)
        return;
    // The nodes the drag took along; a click that moved nothing changes no position.
    for (const auto& [neId, before] : pressPlaces_) {
        CMapNodeItem* node = NodeOf(neId);
        if (node != nullptr && IsMapMove({before.x(), before.y()}, {node->pos().x(), node->pos().y()}))
            UpdateNodePosition(*node);
    }
    pressPlaces_.clear();
}

void CGeoView::OnMouseMove(QPoint point)
{
    if (!host_.GetLocationIndicatorFlag() || GetCurrentDialog() != nullptr)
        return;
    const QPointF scenePoint = canvas_->mapToScene(point);
    const GeoPosition place = MapPixelToGeo(frame_, scenePoint.x(), scenePoint.y());
    host_.UpdateLocationIndicator(place.longitude, place.latitude, 100);
    host_.SetActivePane(kPaneOfRightView);
}

void CGeoView::OnDoubleClick()
{
    if (lastButton_ == Qt::LeftButton && !HasSelectModifier(lastModifiers_))
        OnCommand(kCmdFrameView, 0);
}

// ---------------------------------------------------------------------------------------------------------------
// Commands

int CGeoView::OnCommandHook(int id, int code)
{
    switch (id) {
    case kEditButtonId:
        EditSelectedNode();
        return 1;
    case kCmdSaveTopology:
        SaveTopology();
        return 1;
    case kCmdRestoreTopology:
        RestoreTopology();
        return 1;
    case kCmdFrameView:
        if (FindNeById(host_.GetCurrentNeId()) != nullptr)
            host_.SelectView(kNeViewKind, kViewRack);
        return 1;
    case kCmdSearch:
        OnSearch();
        return 1;
    case kCmdSearchNext:
        OnSearchNext();
        return 1;
    case kCmdExportTopology:
        ExportTopology();
        return 1;
    default:
        return CAFormView::OnCommandHook(id, code);
    }
}

bool CGeoView::SaveTopology()
{
    // A node dragged at mouse-up has taken its place already: what waits is marked on the NE.
    const CRecordRequests requests;
    for (CNeRecord* ne = AppData().nes.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (CMapNodeItem* node = NodeOf(ne->neId))
            UpdateNodePosition(*node);
        if (ne->savePending == 0 || NodeOf(ne->neId) == nullptr)
            continue;
        const uint32_t neId = ne->neId;
        const RecordReply<NeKeyRecord> reply =
            requests.Modify(kReqNeKey, neId, NeKeyRecordOf(*ne), {.failureTextId = kStrFailToUpdateData});
        if (!reply.Ok())
            return false;
        // The reply has passed the dispatcher, which may have replaced the record.
        if (CNeRecord* saved = FindNeById(neId))
            saved->savePending = 0;
        ne = FindNeById(neId);
        if (ne == nullptr)
            break;
    }
    return true;
}

void CGeoView::RestoreTopology()
{
    // The nodes go back where the server has the NEs; the working positions stay, so that Save Topology sends the
    // places shown.
    BuildNodes(true);
}

void CGeoView::OnSearch()
{
    SearchDlgSettings settings = search_;
    bool ok = false;
    if (searchRunner_) {
        ok = searchRunner_(settings);
    } else {
        CSearchDlg dlg(this);
        dlg.settings = settings;
        ok = dlg.DoModal() == IDOK;
        settings = dlg.settings;
    }
    if (!ok)
        return;
    search_ = settings;
    searchDialogNeeded_ = false;
    SearchNodes();
}

void CGeoView::OnSearchNext()
{
    if (searchDialogNeeded_) {
        OnSearch();
        return;
    }
    search_.fromBeginning = 0;
    SearchNodes();
}

bool CGeoView::SearchNodes()
{
    const bool matchCase = search_.matchCase == 1;
    const QString wanted = matchCase ? search_.text : search_.text.toUpper();
    const std::vector<CMapNodeItem*> nodes = Nodes();
    size_t start = 0;
    if (search_.fromBeginning != 1) {
        const uint32_t last = LastSelectedNe();
        for (size_t i = 0; i < nodes.size(); ++i) {
            if (nodes[i]->NeId() == last)
                start = i + 1;
        }
    }
    for (size_t i = start; i < nodes.size(); ++i) {
        const QString text = matchCase ? nodes[i]->Text() : nodes[i]->Text().toUpper();
        const bool match = search_.matchFullName == 1 ? text == wanted : text.contains(wanted);
        if (!match)
            continue;
        MakeNeCurrent(nodes[i]->NeId());
        FollowFrameSelection();
        host_.SetActivePane(kPaneOfRightView);
        return true;
    }
    ShowStatusMessageById(kStrDataNotFound);
    return false;
}

bool CGeoView::ExportTopology()
{
    const std::optional<QString> chosen = ChooseSaveFile(
        this, lastExportFile_, QStringLiteral("SVG Files (*.svg);;All Files (*.*)"), QStringLiteral("svg"));
    if (!chosen)
        return false;
    const QString path = *chosen;
    lastExportFile_ = path;

    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    const QRectF area = scene_->itemsBoundingRect() | QRectF(QPointF(0, 0), picture_.size());
    generator.setSize(area.size().toSize());
    generator.setViewBox(QRectF(QPointF(0, 0), area.size()));
    generator.setTitle(QString::fromStdString(FindMapDefOfLocation(viewLocationId_).name));
    {
        QPainter painter(&generator);
        const QList<QGraphicsItem*> selected = scene_->selectedItems();
        for (QGraphicsItem* item : selected)
            item->setSelected(false);
        scene_->render(&painter, QRectF(QPointF(0, 0), area.size()), area);
        for (QGraphicsItem* item : selected)
            item->setSelected(true);
    }
    // The drawing goes to the file through the picture loader, which reports a file it cannot write.
    CIEPicture picture;
    return picture.LoadFromBuffer(reinterpret_cast<const uint8_t*>(svg.data().constData()),
                                  static_cast<size_t>(svg.data().size())) != 0 &&
           picture.SaveToStorage(path) != 0;
}

void CGeoView::EditSelectedNode()
{
    CMapNodeItem* node = NodeOf(LastSelectedNe());
    if (node == nullptr)
        return;
    // The node's name is edited in place; the new text names the node on this map until it is built again.
    auto* editor = new QLineEdit(node->Text(), canvas_->viewport());
    const QPoint corner = canvas_->mapFromScene(node->pos() + QPointF(0, CMapNodeItem::kIconSize));
    editor->move(corner);
    editor->resize(std::max(80, static_cast<int>(node->boundingRect().width()) + 20), editor->sizeHint().height());
    editor->selectAll();
    editor->show();
    editor->setFocus();
    const uint32_t neId = node->NeId();
    connect(editor, &QLineEdit::editingFinished, this, [this, editor, neId] {
        if (CMapNodeItem* edited = NodeOf(neId))
            edited->SetText(editor->text());
        editor->deleteLater();
    });
}

void RegisterGeoView()
{
    SetFrameViewFactory(kViewGeographics,
                        [](QWidget* parent, IViewHost& host) -> CAFormView* { return new CGeoView(host, parent); });
}
