#pragma once
// CGeoView (form 324), the "Geographics" view of the right-hand pane (server mode): the map of the current location
// with every NE of that location (and, with MAP/INCLSUBNE, of the locations below it) as a node at its longitude and
// latitude, showing its state icon, name and colours, its address as tool tip. Selecting a node makes its NE the
// frame's current NE and the frame's current NE is selected on the map; the operator drags nodes to new places,
// Save Topology sends the moved NEs' places to the server, Restore Topology puts the nodes back where the server
// has them, Search NE finds a node by its name and Export Topology saves the map as an SVG picture. The frame's
// refresh follows the tables: the map of a new location is built anew; new, renamed, moved and removed NEs, NEs
// brought or taken by a change of the locations and new icons change only their own nodes.

#include "core/map/map_projection.h"
#include "ui/framework/views/form_view.h"
#include "ui/shell/map/map_node_item.h"
#include "ui/shell/search/search_dlg.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <unordered_map>
#include <vector>

class CNeRecord;
class IViewHost;
class QGraphicsPixmapItem;
class QGraphicsScene;
class QGraphicsView;
class QPushButton;

class CGeoView : public CAFormView {
    Q_OBJECT
public:
    static constexpr int kFormTemplateId = 324;
    static constexpr int kEditButtonId = 1150;
    static constexpr int kMapControlId = 1025;
    // Commands of the view and of its context menus.
    static constexpr int kCmdSaveTopology = 33087;
    static constexpr int kCmdRestoreTopology = 33086;
    static constexpr int kCmdFrameView = 33043;
    static constexpr int kCmdSearch = 57636;
    static constexpr int kCmdSearchNext = 33154;
    static constexpr int kCmdExportTopology = 33024;

    explicit CGeoView(IViewHost& host, QWidget* parent = nullptr);
    ~CGeoView() override;

    // Form view hooks.
    void OnInitialUpdate() override;
    void RefreshData() override;
    int OnCommandHook(int id, int code) override;
    // A new location shows its map.
    void SetLocationId(int id) override;

    // What the map shows.
    uint32_t MapId() const { return mapId_; }
    const MapFrame& Frame() const { return frame_; }
    const QImage& Picture() const { return picture_; }
    QGraphicsView* Canvas() const;
    // The node of an NE, null when the NE is not on the map; the nodes in the order they were placed.
    CMapNodeItem* NodeOf(uint32_t neId) const;
    std::vector<CMapNodeItem*> Nodes() const;
    // The map pixel of a position, and the position of a map pixel.
    MapPixel PixelOf(double longitude, double latitude) const;
    // The tool tip of a node: its NE's address.
    QString ToolTipOf(const CMapNodeItem& node) const;

    // The operator's actions, at points of the canvas's viewport.
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint point);
    void OnMouseUp(Qt::MouseButton button, QPoint point);
    void OnMouseMove(QPoint point);
    void OnDoubleClick();

    // The commands.
    void BuildNodes(bool storedPositions);
    // Sends the places of the NEs moved on this map; false when a request failed (the operator has been told).
    bool SaveTopology();
    void RestoreTopology();
    void OnSearch();
    void OnSearchNext();
    bool SearchNodes();
    bool ExportTopology();
    void EditSelectedNode();

    // The search dialog: fills the settings, returns true on OK. Tests put their own in place.
    void SetSearchDialogRunner(std::function<bool(SearchDlgSettings&)> runner) { searchRunner_ = std::move(runner); }

private:
    class CMapCanvas;

    void SelectMapForLocation(uint32_t locationId, bool force);
    bool BelongsOnMap(const CNeRecord& ne) const;
    // A new node of the NE; the NE's node on the map before, when given, lends its measured name.
    CMapNodeItem* AddNode(const CNeRecord& ne, bool storedPosition, const CMapNodeItem* shown = nullptr);
    void UpdateNodeLook(CMapNodeItem& node, const CNeRecord& ne);
    // The node's place taken as the NE's working position when it moved by the threshold; true when it did.
    bool UpdateNodePosition(CMapNodeItem& node);
    void RemoveNode(uint32_t neId);
    void RefreshIncrementally();
    void FollowFrameSelection();
    void MakeNeCurrent(uint32_t neId);
    void NoteSelection();
    uint32_t LastSelectedNe(uint32_t except = 0) const;
    void FitSceneToView();

    IViewHost& host_;
    QGraphicsScene* scene_ = nullptr;
    CMapCanvas* canvas_ = nullptr;
    QPushButton* editButton_ = nullptr;
    QGraphicsPixmapItem* background_ = nullptr;

    bool includeSubNes_ = true;
    bool stopRefreshWhileBusy_ = false;
    CMapNodeStyle nodeStyle_;
    // Lets go of the nodes when the view goes, before the scene (a child object) deletes them.
    CMapNodeStacks stacks_;
    uint32_t viewLocationId_ = UINT32_MAX; // none shown yet
    uint32_t mapId_ = 0;
    MapFrame frame_;
    QImage picture_;
    std::map<uint32_t, CMapNodeItem*> nodes_;
    std::vector<uint32_t> placementOrder_;
    std::vector<uint32_t> selectionOrder_; // NEs of the selected nodes, the last selected last
    // The change counter of each NE when the view last followed it: looked up for every NE at every refresh.
    std::unordered_map<uint32_t, uint32_t> seenChanges_;
    std::map<uint32_t, QPointF> pressPlaces_; // where the selected nodes were when a drag began

    bool locationsRequest_ = false;       // the locations changed: every NE is checked for its place on the map
    uint32_t builtAtChange_ = UINT32_MAX; // the tables' change count when the nodes were built
    bool renameRequest_ = false;
    bool everyNodeRequest_ = false; // NEs may have gone: every node is checked, not only those of changed NEs
    bool mapChangeRequest_ = false;

    SearchDlgSettings search_;
    bool searchDialogNeeded_ = true;
    std::function<bool(SearchDlgSettings&)> searchRunner_;
    QString lastExportFile_;
    Qt::MouseButton lastButton_ = Qt::NoButton;
    Qt::KeyboardModifiers lastModifiers_;
};

// Lets the main frame create the view for the Geographics tab.
void RegisterGeoView();
