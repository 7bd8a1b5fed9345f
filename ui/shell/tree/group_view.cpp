#include "ui/shell/tree/group_view.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/entity/entity_id.h"
#include "core/entity/entity_index.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_alarms.h"
#include "core/tables/location_node.h"
#include "core/tables/ne_record.h"
#include "core/tables/user_account.h"
#include "core/util/severity.h"
#include "platform/color_ref.h"
#include "platform/file_chooser.h"
#include "ui/framework/lists/entity_icons.h"
#include "ui/framework/menus/context_menu.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/shell/frame/frame_views.h"
#include "ui/shell/frame/view_host.h"
#include "ui/shell/frame/view_tabs.h"
#include "ui/shell/search/tree_search_dlg.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTextStream>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

using namespace group_item;

namespace {

constexpr int kSelectViewTab = 251;
constexpr int kExportDepthLimit = 255;
constexpr int kToolTipDelayMs = 1000;
constexpr int kIndentation = 16;
constexpr int kExtraRowHeight = 3;

// The address tip shows after the pointer has rested on an NE for a second.
class TreeTipStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == QStyle::SH_ToolTip_WakeUpDelay)
            return kToolTipDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Every item keeps its own text colour; the caret item stands on the selected-item background of the colour table,
// the others on the window's.
class CaretItemDelegate : public QStyledItemDelegate {
public:
    CaretItemDelegate(IViewHost& host, QTreeWidget* tree) : QStyledItemDelegate(tree), host_(host), tree_(tree) {}

    // Rows three pixels taller than the control's own, to give the icons air.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, kExtraRowHeight);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_Selected;
        option->backgroundBrush = ToQColor(host_.GetItemBackColor(index == tree_->currentIndex()));
    }

private:
    IViewHost& host_;
    QTreeWidget* tree_;
};

uint32_t NeLevelId()
{
    return EntityIdFromIndex(1, 0, 0, 0, 0);
}

bool IsDirectMode()
{
    return AppSettings().directControl;
}

CNeRecord* NeOf(const QTreeWidgetItem* item)
{
    return AppData().nes.FindNeById(Id(item));
}

// The kind of right-pane view an item's selection asks the frame for.
int ViewKindOf(const QTreeWidgetItem* item)
{
    switch (Kind(item)) {
    case GroupItemKind::NesFolder:
        return 2;
    case GroupItemKind::MembersFolder:
        return 3;
    case GroupItemKind::Ne:
        return 4;
    case GroupItemKind::Account:
        return 5;
    case GroupItemKind::Shelf:
        return 6;
    default:
        return 1;
    }
}

// The items in the order a search walks them: each location, its folders with their NEs and members, then its child
// locations; shelves take no part.
void CollectSearchOrder(QTreeWidgetItem* item, std::vector<QTreeWidgetItem*>& out)
{
    if (Kind(item) == GroupItemKind::Shelf)
        return;
    out.push_back(item);
    for (int i = 0; i < item->childCount(); ++i)
        CollectSearchOrder(item->child(i), out);
}

void WriteTreeText(const QTreeWidgetItem* item, int depth, QString& out)
{
    if (depth >= kExportDepthLimit)
        return;
    const QString indent(depth, QLatin1Char('\t'));
    out += indent + QStringLiteral("LOC: ") + item->text(0) + QLatin1Char('\n');
    for (int i = 0; i < item->childCount(); ++i) {
        const QTreeWidgetItem* child = item->child(i);
        switch (Kind(child)) {
        case GroupItemKind::NesFolder:
            for (int j = 0; j < child->childCount(); ++j)
                out += indent + QStringLiteral("\tNE : ") + child->child(j)->text(0) + QLatin1Char('\n');
            break;
        case GroupItemKind::MembersFolder:
            for (int j = 0; j < child->childCount(); ++j)
                out += indent + QStringLiteral("\tUSR: ") + child->child(j)->text(0) + QLatin1Char('\n');
            break;
        case GroupItemKind::Location:
            WriteTreeText(child, depth + 1, out);
            break;
        default:
            break;
        }
    }
}

} // namespace

CGroupView::CGroupView(IViewHost& host, QWidget* parent) : CAFormView(kGroupViewTemplate, parent), host_(host)
{
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("tree1360"));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    // Names are shown whole, as a tree control does: a narrow pane scrolls sideways instead of cutting them.
    tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree_->header()->setStretchLastSection(false);
    tree_->setTextElideMode(Qt::ElideNone);
    tree_->setRootIsDecorated(true);
    // A narrow step per level, so that the names of NEs deep in the tree fit the pane's 200 pixels.
    tree_->setIndentation(kIndentation);
    tree_->setAllColumnsShowFocus(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_);
    tree_->installEventFilter(this);
    tree_->viewport()->installEventFilter(this);
    tree_->setItemDelegate(new CaretItemDelegate(host_, tree_));
    auto* tipStyle = new TreeTipStyle;
    tipStyle->setParent(tree_);
    tree_->viewport()->setStyle(tipStyle);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { OnTreeSelChanged(); });
}

CGroupView::~CGroupView() = default;

QTreeWidgetItem* CGroupView::TopItem() const
{
    return tree_->topLevelItemCount() > 0 ? tree_->topLevelItem(0) : nullptr;
}

void CGroupView::OnInitialUpdate()
{
    // Once: a later show (the frame shown again after a logout) keeps the tree and its selection.
    if (IsInitialUpdateDone())
        return;
    pending_ = nullptr;
    stopRefreshWhileBusy_ = ReadIniBool("VIEW", "DIALOGSTOPREFRESHLOC", false, ConfigFilePath());
    SetDialogFont(ReadIniString("VIEW", "LOCVIEWFONT", "Arial,80,B", ConfigFilePath()).c_str());
    UpdateRowColours();
    BuildTree();
    if (QTreeWidgetItem* top = TopItem()) {
        const QSignalBlocker blocker(tree_);
        tree_->setCurrentItem(top);
    }
    OnTreeSelChanged();
    CAFormView::OnInitialUpdate();
}

QTreeWidgetItem* CGroupView::NewItem(QTreeWidgetItem* parent, GroupItemKind kind, uint32_t id, uint32_t extra,
                                     const QString& text, int image, const CNeRecord* ne)
{
    auto* item = new CGroupTreeItem(text, {.id = id, .extra = extra, .image = -1, .kind = kind}, 0, look_);
    const bool neItem = kind == GroupItemKind::Ne || kind == GroupItemKind::Shelf;
    if (neItem && ne == nullptr)
        ne = NeOf(item);
    SetItemImage(item, image, ne);
    // Without a parent the item stays off the tree (the top item, until BuildTree puts it in).
    if (parent != nullptr)
        parent->addChild(item);
    return item;
}

void CGroupView::SetItemImage(QTreeWidgetItem* item, int image)
{
    const GroupItemKind kind = Kind(item);
    SetItemImage(item, image, kind == GroupItemKind::Ne || kind == GroupItemKind::Shelf ? NeOf(item) : nullptr);
}

void CGroupView::SetItemImage(QTreeWidgetItem* item, int image, const CNeRecord* ne)
{
    // NEs and shelves take the NE's text colour, other items the colour of their image.
    const GroupItemKind kind = Kind(item);
    const bool neItem = kind == GroupItemKind::Ne || kind == GroupItemKind::Shelf;
    auto* groupItem = static_cast<CGroupTreeItem*>(item);
    groupItem->SetTextColor(neItem ? host_.GetNeTextColor(ne) : host_.GetTreeTextColor(image));
    ItemData data = groupItem->Data();
    data.image = image;
    groupItem->SetData(data);
}

const QBrush& CGroupView::TextBrush(COLORREF color) const
{
    // One brush per colour, shared by the items: a brush made for each item is an allocation of its own.
    const auto [it, added] = brushes_.try_emplace(color);
    if (added)
        it->second = QBrush(ToQColor(color));
    return it->second;
}

const QIcon& CGroupView::ListIcon(int image) const
{
    // One icon per image, shared by the items, made again when the frame's picture for it changes.
    const QPixmap pixmap = host_.GetListIcon(image);
    CachedIcon& cached = icons_[image];
    if (cached.pixmapKey != pixmap.cacheKey() || cached.icon.isNull()) {
        cached.pixmapKey = pixmap.cacheKey();
        cached.icon = QIcon(pixmap);
    }
    return cached.icon;
}

void CGroupView::UpdateRowColours()
{
    // The branch area of the caret's row takes the caret's background too.
    QPalette palette = tree_->palette();
    const QColor caret = ToQColor(host_.GetItemBackColor(true));
    const QColor window = ToQColor(host_.GetItemBackColor(false));
    if (palette.color(QPalette::Highlight) == caret && palette.color(QPalette::Base) == window)
        return;
    palette.setColor(QPalette::Highlight, caret);
    palette.setColor(QPalette::Base, window);
    tree_->setPalette(palette);
}

void CGroupView::RenewChangedIcons()
{
    // The frame's pictures may come after the tree was built, or change: every item then takes the new one (items
    // whose image never changes, such as the folders, would keep an empty icon otherwise).
    const bool changed = std::any_of(icons_.begin(), icons_.end(), [this](const auto& entry) {
        return host_.GetListIcon(entry.first).cacheKey() != entry.second.pixmapKey;
    });
    if (!changed)
        return;
    // The items ask for their icons when they are drawn: the cache takes the new pictures then.
    tree_->viewport()->update();
}

QString CGroupView::CItemLook::ToolTipOf(const ItemData& data) const
{
    // The NE's address, at most 29 characters.
    if (data.kind != GroupItemKind::Ne && data.kind != GroupItemKind::Shelf)
        return QString();
    const CNeRecord* ne = AppData().nes.FindNeById(data.id);
    return ne != nullptr ? QString::fromStdString(ne->GetIpText()).left(29) : QString();
}

void CGroupView::ExpandShelves(QTreeWidgetItem* neItem)
{
    const QSignalBlocker blocker(tree_);
    qDeleteAll(neItem->takeChildren());
    const CNeRecord* ne = NeOf(neItem);
    const CEntityType* model = ne != nullptr ? FindEntityModel(ne->neModelId) : nullptr;
    if (model == nullptr || model->GetChildCount() < 2)
        return;
    const int rects = model->GetTemplateRectCount(0, 0);
    for (int i = 0; i < rects && i < model->GetChildCount(); ++i) {
        if (model->GetChildFixedType(i) == kEntityTypeAbsent)
            continue;
        const auto shelf = static_cast<uint32_t>(i + 1);
        NewItem(neItem, GroupItemKind::Shelf, ne->neId, shelf, QStringLiteral("shelf:%1").arg(shelf),
                host_.GetEntityStateIcon(ne->neId, i + 1), ne);
    }
    neItem->setExpanded(true);
}

int CGroupView::ApplySelection(QTreeWidgetItem* item, bool expand)
{
    if (item == nullptr) {
        host_.SetCurrentLocation(0);
        host_.SetCurrentEntity(0, nullptr);
        host_.SetKeyText({});
        return 1;
    }
    const uint32_t id = Id(item);
    switch (Kind(item)) {
    case GroupItemKind::Location:
    case GroupItemKind::NesFolder:
    case GroupItemKind::MembersFolder:
        host_.SetCurrentLocation(id);
        host_.SetCurrentEntity(0, nullptr);
        host_.SetKeyText({});
        return ViewKindOf(item);
    case GroupItemKind::Account:
        host_.SetCurrentLocation(id);
        host_.SetCurrentEntity(0, nullptr);
        host_.SetKeyText(item->text(0).toStdString());
        return 5;
    case GroupItemKind::Ne:
    case GroupItemKind::Shelf: {
        const bool shelf = Kind(item) == GroupItemKind::Shelf;
        if (const CNeRecord* ne = NeOf(item)) {
            const CEntityIndex index = shelf ? CEntityIndex::FromLevels(1, Extra(item)) : CEntityIndex::FromLevels(1);
            host_.SetCurrentLocation(ne->locationId);
            host_.SetCurrentEntity(ne->neId, &index);
        } else {
            host_.SetCurrentLocation(0);
            host_.SetCurrentEntity(0, nullptr);
        }
        host_.SetKeyText({});
        if (!shelf && expand)
            ExpandShelves(item);
        return shelf ? 6 : 4;
    }
    }
    return 1;
}

bool CGroupView::FocusInTree() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == tree_ || tree_->isAncestorOf(focus));
}

QTreeWidgetItem* CGroupView::RowItemAt(const QPoint& at) const
{
    // The whole row is the item's, also beside its text: the tree selects full rows.
    if (!tree_->viewport()->rect().contains(at))
        return nullptr;
    const int left = tree_->header()->sectionViewportPosition(0);
    const int right = left + std::max(tree_->header()->sectionSize(0), 1) - 1;
    return tree_->itemAt(std::clamp(at.x(), left, right), at.y());
}

QTreeWidgetItem* CGroupView::ItemUnderCursor() const
{
    return RowItemAt(tree_->viewport()->mapFromGlobal(QCursor::pos()));
}

void CGroupView::OnTreeSelChanged()
{
    QTreeWidgetItem* pending = pending_;
    pending_ = nullptr;
    if (host_.GetActivePane() != kTreePane)
        return;
    // The view's own selection counts while the operator works elsewhere; otherwise the item is the one the
    // selection moved to, provided the pointer stands on an item.
    const bool programmatic = pending != nullptr && !FocusInTree();
    QTreeWidgetItem* item = programmatic ? pending : (ItemUnderCursor() != nullptr ? tree_->currentItem() : nullptr);
    if (item != nullptr && programmatic && Kind(item) == GroupItemKind::Ne && !IsDirectMode()) {
        ExpandShelves(item);
        return;
    }
    const int view = ApplySelection(item, true);
    host_.SelectView(view, kSelectViewTab);
    host_.SetActivePane(kTreePane);
}

void CGroupView::SelectProgrammatically(QTreeWidgetItem* item)
{
    {
        const QSignalBlocker blocker(tree_);
        tree_->setCurrentItem(item);
    }
    pending_ = item;
    OnTreeSelChanged();
}

void CGroupView::OnTreeClick(QTreeWidgetItem* hit)
{
    if (hit != nullptr && hit == tree_->currentItem()) {
        ApplySelection(hit, false);
        if (Kind(hit) == GroupItemKind::Ne || Kind(hit) == GroupItemKind::Shelf)
            host_.PostRefreshNow();
    }
    host_.SetActivePane(kTreePane);
    // Selecting the item hit, or none, runs the selection handler as any change of the selection does.
    if (hit != tree_->currentItem())
        tree_->setCurrentItem(hit);
    host_.PostRefreshNow();
}

CGroupView::Popup CGroupView::PopupFor(const QTreeWidgetItem* item) const
{
    if (item == nullptr)
        return {"GroupDummy", 0};
    if (item == TopItem())
        return {AppData().scopeLocationId != 0 ? "GroupDummy" : "RootGroup", 0};
    switch (Kind(item)) {
    case GroupItemKind::Location:
        return {"Group", 0};
    case GroupItemKind::NesFolder:
        return {"GroupNEs", 0};
    case GroupItemKind::MembersFolder:
        return {"GroupMembers", 0};
    case GroupItemKind::Ne:
        return {"GroupNE", 0};
    case GroupItemKind::Account:
        return {"GroupMember", 0};
    case GroupItemKind::Shelf: {
        const CNeRecord* ne = NeOf(item);
        if (ne == nullptr || ne->root == nullptr)
            return {"Shelf", 0};
        const uint32_t type = ne->root->GetTypeAt(CEntityIndex::FromLevels(1, Extra(item)));
        if (type == kEntityTypeAbsent)
            return {}; // an absent position has no menu
        if (type == kEntityTypeEmpty || type == kEntityTypeUnknown)
            return {"Shelf", 0};
        return {{}, type};
    }
    }
    return {};
}

void CGroupView::OnTreeRightClick(QTreeWidgetItem* hit)
{
    if (hit != nullptr && hit == tree_->currentItem())
        ApplySelection(hit, false);
    host_.SetActivePane(kTreePane);
    host_.PostRefreshNow();
    if (hit != tree_->currentItem())
        tree_->setCurrentItem(hit);
    ShowPopup(PopupFor(hit));
}

void CGroupView::ShowPopup(const Popup& popup)
{
    if (popupShower_) {
        popupShower_(popup);
        return;
    }
    if (popup.entityModelId != 0)
        EntityContextMenuById(popup.entityModelId, this);
    else if (!popup.name.empty())
        EntityContextMenu(popup.name, this);
}

void CGroupView::OnTreeDblClk(QTreeWidgetItem* hit)
{
    if (hit == nullptr)
        return;
    switch (Kind(hit)) {
    case GroupItemKind::Ne:
    case GroupItemKind::Shelf:
        PostCommand(kCmdShowNe);
        break;
    case GroupItemKind::Account:
        PostCommand(kCmdShowMember);
        break;
    default:
        break;
    }
}

void CGroupView::PostCommand(int id)
{
    if (commandPoster_)
        commandPoster_(id);
    else
        host_.PostFrameCommand(id);
}

bool CGroupView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tree_->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            host_.SetActivePane(kTreePane);
            break;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            QTreeWidgetItem* hit = RowItemAt(mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton)
                OnTreeClick(hit);
            else if (mouse->button() == Qt::RightButton)
                OnTreeRightClick(hit);
            break;
        }
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            OnTreeDblClk(RowItemAt(mouse->position().toPoint()));
            break;
        }
        default:
            break;
        }
    } else if (watched == tree_ && event->type() == QEvent::KeyPress) {
        host_.SetActivePane(kTreePane);
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter is a double click: on the item under the pointer.
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            OnTreeDblClk(ItemUnderCursor());
    }
    return CAFormView::eventFilter(watched, event);
}

int CGroupView::OnCommandHook(int id, int code)
{
    switch (id) {
    case kCmdDeleteNe:
        // Whatever the answer, the right pane shows the views of a location.
        host_.RouteCommand(kCmdDeleteNe);
        host_.SelectView(1, kSelectViewTab);
        return 1;
    case kCmdSearchItem:
        OnSearch();
        return 1;
    case kCmdSearchNext:
        OnSearchNext();
        return 1;
    case kCmdExportStructure:
        OnExportTree();
        return 1;
    default:
        return CAFormView::OnCommandHook(id, code);
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Refresh

void CGroupView::FollowFrameNe()
{
    const uint32_t neId = host_.GetCurrentNeId();
    const CNeRecord* ne = AppData().nes.FindNeById(neId);
    if (ne != nullptr) {
        QTreeWidgetItem* owner = LocationItem(ne->locationId);
        QTreeWidgetItem* folder = (owner != nullptr ? owner : TopItem())->child(0);
        for (int i = 0; folder != nullptr && i < folder->childCount(); ++i) {
            QTreeWidgetItem* item = folder->child(i);
            if (Kind(item) == GroupItemKind::Ne && Id(item) == neId) {
                if (item != tree_->currentItem())
                    SelectProgrammatically(item);
                break;
            }
        }
    }
    SetLocationId(static_cast<int>(host_.GetCurrentLocationId()));
    CEntityId entity = host_.GetCurrentEntity();
    SetTarget(static_cast<int>(neId), &entity);
    SetUserName(host_.GetKeyText().c_str());
}

QTreeWidgetItem* CGroupView::FindTreeItem(const ItemKey& key) const
{
    std::vector<QTreeWidgetItem*> items;
    if (QTreeWidgetItem* top = TopItem())
        CollectSearchOrder(top, items);
    for (QTreeWidgetItem* item : items) {
        if (KeyOf(item) == key)
            return item;
    }
    return nullptr;
}

void CGroupView::Reselect(const ItemKey& caret, const ItemKey& parent, bool hadCaret)
{
    QTreeWidgetItem* item = nullptr;
    if (hadCaret) {
        ItemKey wanted = caret;
        if (caret.kind == GroupItemKind::Account)
            wanted = {GroupItemKind::MembersFolder, caret.id, 0, {}};
        else if (caret.kind == GroupItemKind::Shelf)
            wanted = {GroupItemKind::Ne, caret.id, 0, {}};
        item = FindTreeItem(wanted);
        if (item == nullptr)
            item = FindTreeItem(parent);
    }
    if (item == nullptr)
        item = TopItem();
    if (item == nullptr || !AppSettings().autoSelIfLocChange)
        return;
    {
        const QSignalBlocker blocker(tree_);
        tree_->setCurrentItem(item);
    }
    tree_->scrollToItem(item);
    if (Kind(item) == GroupItemKind::Ne)
        ExpandShelves(item);
    else
        item->setExpanded(true);
    MakeFrameFollow(item, true);
    host_.SetActivePane(kTreePane);
}

void CGroupView::MakeFrameFollow(QTreeWidgetItem* item, bool reselected)
{
    uint32_t locationId = Id(item);
    if (Kind(item) == GroupItemKind::Ne || Kind(item) == GroupItemKind::Shelf) {
        const CNeRecord* ne = NeOf(item);
        locationId = ne != nullptr ? ne->locationId : 0;
        // An item selected again aims the commands at the NE itself; one that stayed keeps what the frame points at
        // within its NE (a shelf, a card the panel shows).
        const bool otherEntity = reselected && host_.GetCurrentEntity().id != NeLevelId();
        if (ne != nullptr && (host_.GetCurrentNeId() != ne->neId || otherEntity)) {
            const CEntityIndex index = CEntityIndex::FromLevels(1);
            host_.SetCurrentEntity(ne->neId, &index);
        }
    } else if (host_.GetCurrentNeId() != 0 && AppData().nes.FindNeById(host_.GetCurrentNeId()) == nullptr) {
        // The current NE is gone: no command may stay aimed at it.
        host_.SetCurrentEntity(0, nullptr);
    }
    if (host_.GetCurrentLocationId() != locationId)
        host_.SetCurrentLocation(locationId);
    if (reselected)
        host_.SetKeyText({});
    // The right pane shows the views of the item selected again (the Rack of an NE after a re-login); while it
    // shows them already, the operator's tab stays.
    if (host_.GetSelectedKind() != ViewKindOf(item))
        host_.SelectView(ViewKindOf(item), kSelectViewTab);
}

namespace {

// An item's key as one text, for looking it up among many.
QString KeyText(const QTreeWidgetItem* item)
{
    return QStringLiteral("%1:%2:%3:%4")
        .arg(static_cast<int>(Kind(item)))
        .arg(Id(item))
        .arg(Extra(item))
        .arg(Kind(item) == GroupItemKind::Account ? item->text(0) : QString());
}

} // namespace

QSet<QString> CGroupView::ExpandedItems() const
{
    QSet<QString> expanded;
    for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it) {
        if ((*it)->isExpanded() && (*it)->childCount() > 0)
            expanded.insert(KeyText(*it));
    }
    return expanded;
}

void CGroupView::ExpandAgain(const QSet<QString>& expanded)
{
    // The walk takes the items before any is expanded: an NE's shelves are made anew as it opens.
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it)
        items.push_back(*it);
    for (QTreeWidgetItem* item : items) {
        if (!expanded.contains(KeyText(item)))
            continue;
        if (Kind(item) == GroupItemKind::Ne)
            ExpandShelves(item);
        else
            item->setExpanded(true);
    }
}

void CGroupView::RefreshData()
{
    CAppData& data = AppData();
    if (!rebuildRequest_)
        rebuildRequest_ = data.locationTreeChanged;
    if (!neListRequest_)
        neListRequest_ = data.neListChanged;
    if (!renameNesRequest_)
        renameNesRequest_ = data.neNamesChanged || data.neAddressesChanged;
    if (stopRefreshWhileBusy_ && IsUiBusy())
        return; // the requests stay pending

    if (host_.GetActivePane() != kTreePane && host_.GetCurrentNeId() != static_cast<uint32_t>(GetNeId()))
        FollowFrameNe();

    if (rebuildRequest_ || neListRequest_ || renameLocationsRequest_ || renameNesRequest_) {
        // The tree follows the tables by what changed. A rename keeps the caret's item where it is still shown; a
        // rebuild shows the tree as a build leaves it and selects again what was selected.
        QTreeWidgetItem* caret = tree_->currentItem();
        bool hadCaret = caret != nullptr;
        ItemKey caretKey = hadCaret ? KeyOf(caret) : ItemKey{};
        const ItemKey parentKey = hadCaret && caret->parent() != nullptr ? KeyOf(caret->parent()) : ItemKey{};
        const TreeSync sync = SyncTree();
        const bool rebuild = rebuildRequest_ || (neListRequest_ && sync.nesPlaced);
        if (rebuild)
            ShowAsBuilt();
        bool caretShown = sync.caretShown && !rebuild;
        if (IsDirectMode() && caretKey.kind != GroupItemKind::Ne) {
            // The NE of a direct login is selected at once, so that its menus are there; it stays the selection.
            const CNeRecord* first = data.nes.ResolveNeRecord(nullptr);
            if (QTreeWidgetItem* ne =
                    first != nullptr ? FindTreeItem({GroupItemKind::Ne, first->neId, 0, {}}) : nullptr) {
                host_.SetActivePane(kTreePane);
                SelectProgrammatically(ne);
                caretKey = KeyOf(ne);
                hadCaret = true;
                caretShown = false;
            }
        }
        if (caretShown && AppSettings().autoSelIfLocChange)
            MakeFrameFollow(tree_->currentItem(), false);
        else if (!caretShown)
            Reselect(caretKey, parentKey, hadCaret);
    }
    rebuildRequest_ = false;
    neListRequest_ = false;
    renameLocationsRequest_ = false;
    renameNesRequest_ = false;

    if (IsInitialUpdateDone() && !window()->isMinimized()) {
        UpdateRowColours();
        RenewChangedIcons();
        if (host_.IsBlinkPhaseOn())
            ComputeLocationSeverities();
        UpdateLocationIcons();
        UpdateNeIcons();
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Alarm colours

bool CGroupView::Flashes(uint32_t severity, uint32_t secondary) const
{
    const AlarmSignalCode& flash = AppSettings().flash;
    if (flash.level != 0 && CompareSeverity(static_cast<int>(severity), flash.level) >= 0)
        return true;
    return flash.serviceAffecting && CompareSecondaryStatus(static_cast<int>(secondary), 0) >= 1;
}

void CGroupView::ComputeLocationSeverities()
{
    // From the location the top item stands for: with a scope, its ancestors lie outside it.
    CAppData& data = AppData();
    const QTreeWidgetItem* topItem = TopItem();
    CLocationNode* topNode = topItem != nullptr ? data.locations.FindLocation(Id(topItem)) : nullptr;
    const AlarmRollUp treeWide =
        RollUpLocationAlarms(data.locations, data.nes, topNode != nullptr ? *topNode : data.locations.Root());
    treeSeverity_ = treeWide.severity;
    treeSecondary_ = treeWide.secondaryStatus;
}

void CGroupView::UpdateLocationIcons()
{
    const bool blinkOn = host_.IsBlinkPhaseOn();
    const auto update = [&](QTreeWidgetItem* item, uint32_t severity, uint32_t secondary) {
        int image = kImageLocation + (severity <= 4 ? static_cast<int>(severity) : 5);
        if (blinkOn && Flashes(severity, secondary))
            image = kImageLocation;
        SetItemImage(item, image);
    };
    // The location items are those the nodes point at; a top item of no location shows the tree-wide values.
    if (QTreeWidgetItem* top = TopItem(); top != nullptr && Id(top) == 0)
        update(top, treeSeverity_, treeSecondary_);
    CLocationTree& locations = AppData().locations;
    for (CLocationNode* node = &locations.Root(); node != nullptr; node = CLocationTree::NextInWalk(node)) {
        if (auto* item = reinterpret_cast<QTreeWidgetItem*>(node->treeItem))
            update(item, node->gravestSeverity, node->gravestSecondaryStatus);
    }
}

void CGroupView::UpdateNeIcons()
{
    const bool blinkOn = host_.IsBlinkPhaseOn();
    // The rows in view only; the others are coloured when a refresh finds them there.
    const int bottom = tree_->viewport()->height();
    for (QTreeWidgetItem* item = tree_->itemAt(0, 0); item != nullptr; item = tree_->itemBelow(item)) {
        if (tree_->visualItemRect(item).top() >= bottom)
            break;
        if (Kind(item) != GroupItemKind::Ne)
            continue;
        CNeRecord* ne = NeOf(item);
        if (ne == nullptr)
            continue;
        int image = host_.GetEntityStateIcon(ne->neId, 0);
        if (blinkOn && ne->planned == 0 &&
            Flashes(ne->GetSeverityAt(NeLevelId()), ne->GetSecondaryStatusAt(NeLevelId())))
            image = host_.GetEntityIcon(ne->neId, 0, 0);
        const uint32_t cached = (ne->stateWord >> 20) & 0xFF;
        if (cached != static_cast<uint32_t>(image & 0xFF) || Image(item) != image) {
            SetItemImage(item, image);
            ne->stateWord = (ne->stateWord & ~0x0FF00000U) | (static_cast<uint32_t>(image & 0xFF) << 20);
        }
        // A shelf flashes while its NE is connected, whatever the shelf's own state.
        const bool neConnected = ne->root != nullptr && ne->root->IsConnected();
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem* shelf = item->child(i);
            const int position = static_cast<int>(Extra(shelf));
            int shelfImage = host_.GetEntityStateIcon(ne->neId, position);
            const CEntityNode* node =
                ne->root != nullptr ? ne->root->FindChild(CEntityIndex::FromLevels(1, Extra(shelf))) : nullptr;
            if (blinkOn && neConnected && node != nullptr && Flashes(node->GetSeverity(), node->GetSecondaryStatus()))
                shelfImage = host_.GetEntityIcon(ne->neId, 0, position);
            SetItemImage(shelf, shelfImage);
        }
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Search and export

void CGroupView::OnSearch()
{
    TreeSearchSettings settings = search_;
    const bool ok = searchRunner_ ? searchRunner_(settings) : RunTreeSearchDialog(settings);
    if (!ok)
        return;
    search_ = settings;
    searchDialogNeeded_ = false;
    SearchTree();
}

void CGroupView::OnSearchNext()
{
    if (searchDialogNeeded_) {
        OnSearch();
        return;
    }
    search_.fromTop = false;
    SearchTree();
}

bool CGroupView::SearchTree()
{
    QTreeWidgetItem* top = TopItem();
    if (top == nullptr) {
        ShowStatusMessageById(kStrDataNotFound);
        return false;
    }
    QTreeWidgetItem* start = search_.fromTop || tree_->currentItem() == nullptr ? top : tree_->currentItem();
    std::vector<QTreeWidgetItem*> items;
    CollectSearchOrder(top, items);
    auto it = std::find(items.begin(), items.end(), start);
    if (it != items.end()) {
        for (++it; it != items.end(); ++it) {
            QTreeWidgetItem* item = *it;
            const GroupItemKind kind = Kind(item);
            const bool folder = kind == GroupItemKind::NesFolder || kind == GroupItemKind::MembersFolder;
            if (search_.kind < kSearchAnyKind && static_cast<uint8_t>(kind) != search_.kind)
                continue;
            if (!SearchTextMatches(search_, folder ? QStringLiteral("|") : item->text(0)))
                continue;
            tree_->scrollToItem(item);
            {
                const QSignalBlocker blocker(tree_);
                tree_->setCurrentItem(item);
            }
            QCursor::setPos(tree_->viewport()->mapToGlobal(ItemTextCentre(item)));
            OnTreeSelChanged();
            return true;
        }
    }
    ShowStatusMessageById(kStrDataNotFound);
    return false;
}

QPoint CGroupView::ItemTextCentre(const QTreeWidgetItem* item) const
{
    // The text stands after the item's icon.
    const QRect row = tree_->visualItemRect(item);
    const int iconWidth = item->icon(0).isNull() ? 0 : tree_->iconSize().width() + 4;
    const int textWidth = tree_->fontMetrics().horizontalAdvance(item->text(0));
    return {row.left() + iconWidth + textWidth / 2, row.center().y()};
}

QString CGroupView::ExportText() const
{
    QString text;
    if (const QTreeWidgetItem* top = TopItem())
        WriteTreeText(top, 0, text);
    return text;
}

void CGroupView::OnExportTree()
{
    const std::optional<QString> chosen = ChooseSaveFile(
        this, lastExportFile_, QStringLiteral("Text Files (*.txt);;All Files (*.*)"), QStringLiteral("txt"));
    if (!chosen || chosen->isEmpty())
        return;
    const QString name = *chosen;
    lastExportFile_ = name;
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return;
    file.write(ExportText().toUtf8());
}

void RegisterGroupView()
{
    SetFrameViewFactory(kViewTree,
                        [](QWidget* parent, IViewHost& host) -> CAFormView* { return new CGroupView(host, parent); });
}
