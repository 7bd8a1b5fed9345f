#pragma once
// CGroupView, the view in the upper left pane: the locations in the operator's scope as a tree, each with a folder of
// its NEs and a folder of its members; a selected NE shows its shelves. Selecting an item makes it the main frame's
// current location, NE or member and switches the right pane; the frame's refresh brings the tree in line with the
// tables by what changed (the items of what stays, the selection, the open branches and the scroll position are
// kept) and recolours the icons by alarm severity, flashing. The view also deletes the current NE,
// searches the tree and exports it as indented text.

#include "ui/framework/views/form_view.h"
#include "ui/shell/tree/group_tree_item.h"
#include "ui/shell/tree/tree_search.h"

#include <QBrush>
#include <QIcon>
#include <QPoint>
#include <QSet>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>

class IViewHost;
class CNeRecord;
class CLocationNode;
class CUserAccount;
class QTreeWidget;
class QTreeWidgetItem;

inline constexpr int kGroupViewTemplate = 231;
inline constexpr int kGroupTreeId = 1360;
inline constexpr uint8_t kTreePane = 1; // the tree's pane kind for the frame's active pane

// Commands of the view.
inline constexpr int kCmdDeleteNe = 33010;
inline constexpr int kCmdSearchItem = 57636;
inline constexpr int kCmdSearchNext = 33154;
inline constexpr int kCmdExportStructure = 33024;
inline constexpr int kCmdShowNe = 33083;
inline constexpr int kCmdShowMember = 33137;

class CGroupView : public CAFormView {
    Q_OBJECT
public:
    explicit CGroupView(IViewHost& host, QWidget* parent = nullptr);
    ~CGroupView() override;

    QTreeWidget* Tree() const { return tree_; }
    QTreeWidgetItem* TopItem() const;

    // Form view hooks.
    void OnInitialUpdate() override;
    void RefreshData() override;
    int OnCommandHook(int id, int code) override;

    // Builds the items anew from the tables.
    void BuildTree();
    // How often the items were built anew; a change of the tables only moves, adds or drops the items it concerns.
    int BuildCount() const { return builds_; }
    // Replaces the NE item's children by its shelves.
    void ExpandShelves(QTreeWidgetItem* neItem);
    // The selection handler (acts only while the view is the active pane): the view's own pending selection while
    // the focus is outside the tree, otherwise the current item when the mouse pointer stands on an item, else none.
    void OnTreeSelChanged();
    // The mouse actions on an item (null: over no item).
    void OnTreeClick(QTreeWidgetItem* hit);
    void OnTreeRightClick(QTreeWidgetItem* hit);
    void OnTreeDblClk(QTreeWidgetItem* hit);
    // The popup a right click on the item shows: its name, or the entity model id for a shelf (0 none).
    struct Popup {
        std::string name;
        uint32_t entityModelId = 0;
    };
    Popup PopupFor(const QTreeWidgetItem* item) const;
    // Selects an item as the program does, not the operator.
    void SelectProgrammatically(QTreeWidgetItem* item);
    // The item with the key, searching as a reselection after a rebuild does (shelves are not searched).
    QTreeWidgetItem* FindTreeItem(const group_item::ItemKey& key) const;

    // Requests the refresh takes over from the application's change flags: the tree follows the tables at the next
    // refresh.
    void RequestRebuild() { rebuildRequest_ = true; }

    // Search.
    const TreeSearchSettings& SearchSettings() const { return search_; }
    // The search dialog: fills the settings, returns true on OK. Tests put their own in place.
    void SetSearchDialogRunner(std::function<bool(TreeSearchSettings&)> runner) { searchRunner_ = std::move(runner); }
    void OnSearch();
    void OnSearchNext();
    // Searches from the top or after the caret item; false (and "Data not found") when nothing matches.
    bool SearchTree();

    // Export: the text of the tree, and the command with its file dialog.
    QString ExportText() const;
    void OnExportTree();
    // Where a found item's text stands, in the tree's viewport: the search puts the mouse pointer there.
    QPoint ItemTextCentre(const QTreeWidgetItem* item) const;

    // The severities of the last roll-up, tree-wide.
    uint32_t TreeSeverity() const { return treeSeverity_; }

    // Posted commands and popups go through these; tests record them.
    void SetCommandPoster(std::function<void(int)> poster) { commandPoster_ = std::move(poster); }
    void SetPopupShower(std::function<void(const Popup&)> shower) { popupShower_ = std::move(shower); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // An item of an NE or a shelf takes `ne` for its colour (null: looked up by the item's id).
    QTreeWidgetItem* NewItem(QTreeWidgetItem* parent, GroupItemKind kind, uint32_t id, uint32_t extra,
                             const QString& text, int image, const CNeRecord* ne = nullptr);
    void SetItemImage(QTreeWidgetItem* item, int image);
    void SetItemImage(QTreeWidgetItem* item, int image, const CNeRecord* ne);
    const QBrush& TextBrush(COLORREF color) const;
    const QIcon& ListIcon(int image) const;
    void RenewChangedIcons();
    void UpdateRowColours();
    // The items of a location (with its folders), an NE and an account, off the tree.
    QTreeWidgetItem* NewLocationItem(const CLocationNode& node);
    QTreeWidgetItem* NewNeItem(CNeRecord& ne);
    QTreeWidgetItem* NewAccountItem(const CUserAccount& account, uint32_t folderLocationId);
    // Where an NE's item and an account's item go.
    QTreeWidgetItem* NeParentItem(const CNeRecord& ne, QTreeWidgetItem* top) const;
    QTreeWidgetItem* MembersFolderOf(const CUserAccount& account, QTreeWidgetItem* top) const;
    void InsertLocationItems(CLocationNode* node, QTreeWidgetItem* parent);
    void InsertNeItems(QTreeWidgetItem* top);
    void InsertAccountItems(QTreeWidgetItem* top);
    QTreeWidgetItem* LocationItem(uint32_t locationId) const;
    // Brings the items in line with the tables, keeping those of what is still shown (group_view_items.cpp). NEs show
    // their new name, address and state icon when their change counter moved.
    struct TreeSync {
        bool caretShown = false; // false when the caret's item is gone or the tree was built anew
        bool nesPlaced = false;  // an NE's item was made, dropped or put under another parent
    };
    TreeSync SyncTree();
    // The tree as a rebuild leaves it, the items kept.
    void ShowAsBuilt();
    struct NeItem;
    void FollowNe(NeItem& shown, CNeRecord& ne);
    // Sets the host's current location, NE and key text by the item's kind; returns the view kind to select.
    int ApplySelection(QTreeWidgetItem* item, bool expand);
    void FollowFrameNe();
    void Reselect(const group_item::ItemKey& caret, const group_item::ItemKey& parent, bool hadCaret);
    // The frame's current location, NE and view made those of the item selected, where they differ; an item selected
    // again also clears the key text and aims at its NE itself.
    void MakeFrameFollow(QTreeWidgetItem* item, bool reselected);
    // The items open before the tree is built anew for another top item, and opening them again after it (an NE with
    // its shelves), for a change that is no rebuild.
    QSet<QString> ExpandedItems() const;
    void ExpandAgain(const QSet<QString>& expanded);
    void ComputeLocationSeverities();
    bool Flashes(uint32_t severity, uint32_t secondary) const;
    void UpdateLocationIcons();
    void UpdateNeIcons();
    void PostCommand(int id);
    void ShowPopup(const Popup& popup);
    bool FocusInTree() const;
    QTreeWidgetItem* RowItemAt(const QPoint& at) const;
    QTreeWidgetItem* ItemUnderCursor() const;

    IViewHost& host_;
    QTreeWidget* tree_ = nullptr;
    QTreeWidgetItem* pending_ = nullptr; // the item of the view's own last selection
    // The items of what the tree shows, by location id, NE id and account name.
    std::unordered_map<uint32_t, QTreeWidgetItem*> locationItems_;
    struct NeItem {
        QTreeWidgetItem* item = nullptr;
        uint32_t seenChange = 0; // the NE's change counter when the item last followed it
        uint32_t sync = 0;       // the last sync that found the NE
    };
    std::unordered_map<uint32_t, NeItem> neItems_;
    uint32_t syncs_ = 0;
    std::map<std::string, QTreeWidgetItem*> accountItems_;
    int builds_ = 0;
    bool rebuildRequest_ = false;
    bool neListRequest_ = false; // a rebuild when NEs were added, removed or moved, else a rename of the NEs
    bool renameLocationsRequest_ = false;
    bool renameNesRequest_ = false;
    bool stopRefreshWhileBusy_ = false;
    uint32_t treeSeverity_ = 0;
    uint32_t treeSecondary_ = 0;
    struct CachedIcon {
        qint64 pixmapKey = 0;
        QIcon icon;
    };
    mutable std::map<int, CachedIcon> icons_;
    mutable std::unordered_map<COLORREF, QBrush> brushes_;
    // What the items show besides their text: the view's icons and brushes, and an NE's address as the tooltip.
    class CItemLook final : public group_item::CGroupTreeItem::ILook {
    public:
        explicit CItemLook(const CGroupView& view) : view_(view) {}
        const QIcon& IconOf(int image) const override { return view_.ListIcon(image); }
        const QBrush& BrushOf(uint32_t color) const override { return view_.TextBrush(color); }
        QString ToolTipOf(const group_item::ItemData& data) const override;

    private:
        const CGroupView& view_;
    };
    CItemLook look_{*this};

    TreeSearchSettings search_;
    bool searchDialogNeeded_ = true;
    std::function<bool(TreeSearchSettings&)> searchRunner_;
    QString lastExportFile_;
    std::function<void(int)> commandPoster_;
    std::function<void(const Popup&)> popupShower_;
};

// Lets the main frame create the view for its tree pane.
void RegisterGroupView();
