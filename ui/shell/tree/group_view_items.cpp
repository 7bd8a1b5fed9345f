// The items of the location tree: built whole at the start, then brought in line with the tables by what changed.
// A change of the tables (an NE or a location added, removed, renamed or moved, a table read again) keeps the item of
// every location, NE and account that is still shown; only the items of what changed are made, moved or dropped, and
// the tree ends as a build from the tables would make it. A rename keeps the open branches, the selection and the
// scroll position; a rebuild then shows the tree as a build leaves it (ShowAsBuilt), without making 20,000 items anew.

#include "ui/shell/tree/group_view.h"

#include "core/config/app_settings.h"
#include "core/tables/app_data.h"
#include "core/tables/location_alarms.h"
#include "core/tables/location_node.h"
#include "core/tables/ne_record.h"
#include "core/tables/user_account.h"
#include "ui/framework/lists/entity_icons.h"

#include <QScrollBar>
#include <QTreeWidget>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

using namespace group_item;

namespace {

bool IsDirectMode()
{
    return AppSettings().directControl;
}

int AccountRoleImage(const CUserAccount& account)
{
    return account.role >= 0 && account.role <= 2 ? account.role : 3;
}

void SetText(QTreeWidgetItem* item, const std::string& text)
{
    const QString shown = QString::fromStdString(text);
    if (item->text(0) != shown)
        item->setText(0, shown);
}

// The items among `values` that keep their places: the longest run whose places grow (a place below 0 is an item
// that goes). Taking out the others and putting them in again moves the fewest items.
std::vector<bool> LongestGrowingRun(const std::vector<int>& values)
{
    std::vector<size_t> tails; // the index of the smallest last value of a run of each length
    std::vector<size_t> previous(values.size(), SIZE_MAX);
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i] < 0)
            continue;
        const auto at = std::lower_bound(tails.begin(), tails.end(), values[i],
                                         [&](size_t index, int value) { return values[index] < value; });
        if (at != tails.begin())
            previous[i] = *(at - 1);
        if (at == tails.end())
            tails.push_back(i);
        else
            *at = i;
    }
    std::vector<bool> keep(values.size(), false);
    for (size_t i = tails.empty() ? SIZE_MAX : tails.back(); i != SIZE_MAX; i = previous[i])
        keep[i] = true;
    return keep;
}

// Puts the wanted items under the parent in their order. Children that are not wanted there go to `loose` (they may
// be wanted under another parent); an item wanted here is taken from where it is.
void SyncChildren(QTreeWidgetItem* parent, const std::vector<QTreeWidgetItem*>& wanted,
                  std::vector<QTreeWidgetItem*>& loose)
{
    const int count = parent->childCount();
    if (static_cast<size_t>(count) == wanted.size()) {
        int same = 0;
        while (same < count && parent->child(same) == wanted[static_cast<size_t>(same)])
            ++same;
        if (same == count)
            return;
    }
    std::unordered_map<const QTreeWidgetItem*, int> place;
    place.reserve(wanted.size());
    for (size_t i = 0; i < wanted.size(); ++i)
        place.emplace(wanted[i], static_cast<int>(i));
    std::vector<int> places(static_cast<size_t>(count), -1);
    for (int i = 0; i < count; ++i) {
        if (const auto found = place.find(parent->child(i)); found != place.end())
            places[static_cast<size_t>(i)] = found->second;
    }
    const std::vector<bool> keep = LongestGrowingRun(places);
    for (int i = count - 1; i >= 0; --i) {
        if (!keep[static_cast<size_t>(i)])
            loose.push_back(parent->takeChild(i));
    }
    // The children left are wanted, in the wanted order: the others go in between them, a run at a time.
    size_t i = 0;
    while (i < wanted.size()) {
        if (static_cast<int>(i) < parent->childCount() && parent->child(static_cast<int>(i)) == wanted[i]) {
            ++i;
            continue;
        }
        QList<QTreeWidgetItem*> run;
        for (size_t j = i; j < wanted.size() && wanted[j]->parent() != parent; ++j) {
            QTreeWidgetItem* item = wanted[j];
            if (QTreeWidgetItem* holder = item->parent())
                holder->takeChild(holder->indexOfChild(item));
            run.push_back(item);
        }
        if (run.isEmpty())
            break; // cannot happen: the children left are in the wanted order
        parent->insertChildren(static_cast<int>(i), run);
        i += static_cast<size_t>(run.size());
    }
}

} // namespace

QTreeWidgetItem* CGroupView::LocationItem(uint32_t locationId) const
{
    const auto found = locationItems_.find(locationId);
    return found != locationItems_.end() ? found->second : nullptr;
}

QTreeWidgetItem* CGroupView::NewLocationItem(const CLocationNode& node)
{
    QTreeWidgetItem* item =
        NewItem(nullptr, GroupItemKind::Location, node.id, 0, QString::fromStdString(node.name), kImageLocation);
    NewItem(item, GroupItemKind::NesFolder, node.id, 0, QStringLiteral("NEs"), kImageNesFolder);
    NewItem(item, GroupItemKind::MembersFolder, node.id, 0, QStringLiteral("Members"), kImageMembersFolder);
    return item;
}

QTreeWidgetItem* CGroupView::NewNeItem(CNeRecord& ne)
{
    const CNeRecord* record = ne.neId != 0 ? &ne : nullptr;
    const int icon = GetEntityStateIcon(record, 0);
    ne.stateWord = (ne.stateWord & ~0x0FF00000U) | (static_cast<uint32_t>(icon & 0xFF) << 20);
    QTreeWidgetItem* item =
        NewItem(nullptr, GroupItemKind::Ne, ne.neId, 0, QString::fromStdString(ne.name), icon, record);
    neItems_[ne.neId] = {item, ne.changeCounter, syncs_};
    return item;
}

QTreeWidgetItem* CGroupView::NewAccountItem(const CUserAccount& account, uint32_t folderLocationId)
{
    const int role = AccountRoleImage(account);
    return NewItem(nullptr, GroupItemKind::Account, folderLocationId, static_cast<uint32_t>(role),
                   QString::fromStdString(account.name), kImageAccount + role);
}

QTreeWidgetItem* CGroupView::NeParentItem(const CNeRecord& ne, QTreeWidgetItem* top) const
{
    // Without a location, or one that is not found, the top item's NEs folder; a location that shows no item (outside
    // the tree) the top item itself.
    const CLocationNode* node = ne.locationId != 0 ? AppData().locations.FindLocation(ne.locationId) : nullptr;
    if (node == nullptr)
        return top->child(0);
    QTreeWidgetItem* item = LocationItem(ne.locationId);
    return item == nullptr ? top : (item->childCount() > 0 ? item->child(0) : top);
}

QTreeWidgetItem* CGroupView::MembersFolderOf(const CUserAccount& account, QTreeWidgetItem* top) const
{
    QTreeWidgetItem* owner = account.locationId != 0 ? LocationItem(account.locationId) : nullptr;
    if (owner == nullptr)
        owner = top;
    QTreeWidgetItem* folder = owner->childCount() > 1 ? owner->child(1) : nullptr;
    // A top item without a Members folder (direct mode) lists no accounts.
    return folder != nullptr && Kind(folder) == GroupItemKind::MembersFolder ? folder : nullptr;
}

void CGroupView::BuildTree()
{
    ++builds_;
    CLocationTree& locations = AppData().locations;
    for (CLocationNode* node = &locations.Root(); node != nullptr; node = CLocationTree::NextInWalk(node))
        node->treeItem = 0;
    pending_ = nullptr;
    locationItems_.clear();
    neItems_.clear();
    neItems_.reserve(AppData().nes.Count());
    accountItems_.clear();
    {
        const QSignalBlocker blocker(tree_);
        tree_->clear();
    }

    // The top item stands for the parent of the operator's scope location, or for the root.
    CLocationNode* topNode = &ScopeTopLocation(locations, AppData().scopeLocationId);
    const QString topText = QString::fromStdString(topNode->name);
    const uint32_t topId = topNode->id;
    // The items are made off the tree and put in at once: the view then takes them in one go, not item by item.
    QTreeWidgetItem* top = NewItem(nullptr, GroupItemKind::Location, topId, 0, topText, kImageLocation);
    if (topId != 0) {
        topNode->treeItem = reinterpret_cast<uintptr_t>(top);
        locationItems_[topId] = top;
    }
    NewItem(top, GroupItemKind::NesFolder, topId, 0, QStringLiteral("NEs"), kImageNesFolder);
    if (!IsDirectMode())
        NewItem(top, GroupItemKind::MembersFolder, topId, 0, QStringLiteral("Members"), kImageMembersFolder);

    InsertLocationItems(topNode->GetFirstChild(), top);
    InsertNeItems(top);
    InsertAccountItems(top);
    const QSignalBlocker blocker(tree_);
    tree_->addTopLevelItem(top);
    top->setExpanded(true);
}

void CGroupView::InsertLocationItems(CLocationNode* node, QTreeWidgetItem* parent)
{
    for (; node != nullptr; node = node->GetNextSibling()) {
        if (node->inScope == 0)
            continue;
        QTreeWidgetItem* item = NewLocationItem(*node);
        parent->addChild(item);
        node->treeItem = reinterpret_cast<uintptr_t>(item);
        locationItems_[node->id] = item;
        InsertLocationItems(node->GetFirstChild(), item);
    }
}

void CGroupView::InsertNeItems(QTreeWidgetItem* top)
{
    for (CNeRecord* ne = AppData().nes.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (ne->inScope != 1)
            continue;
        NeParentItem(*ne, top)->addChild(NewNeItem(*ne));
    }
}

void CGroupView::InsertAccountItems(QTreeWidgetItem* top)
{
    for (CUserAccount* account = AppData().accounts.First(); account != nullptr; account = account->GetNext()) {
        if (account->inScope == 0)
            continue;
        if (QTreeWidgetItem* folder = MembersFolderOf(*account, top)) {
            QTreeWidgetItem* item = NewAccountItem(*account, Id(folder));
            folder->addChild(item);
            accountItems_[account->name] = item;
        }
    }
}

void CGroupView::FollowNe(NeItem& shown, CNeRecord& ne)
{
    // A record whose change counter moved shows its name, address and state icon anew; the icons of the others
    // follow as they come into view.
    if (shown.seenChange == ne.changeCounter)
        return;
    shown.seenChange = ne.changeCounter;
    QTreeWidgetItem* item = shown.item;
    SetText(item, ne.name);
    const int icon = GetEntityStateIcon(&ne, 0);
    ne.stateWord = (ne.stateWord & ~0x0FF00000U) | (static_cast<uint32_t>(icon & 0xFF) << 20);
    SetItemImage(item, icon, &ne);
}

CGroupView::TreeSync CGroupView::SyncTree()
{
    CAppData& data = AppData();
    CLocationTree& locations = data.locations;
    CLocationNode& topNode = ScopeTopLocation(locations, data.scopeLocationId);
    QTreeWidgetItem* top = TopItem();
    const bool topHasMembers =
        top != nullptr && top->childCount() > 1 && Kind(top->child(1)) == GroupItemKind::MembersFolder;
    // Another top (a login with another scope) or another mode: the tree is built anew.
    if (top == nullptr || Id(top) != topNode.id || topHasMembers == IsDirectMode()) {
        const QSet<QString> expanded = ExpandedItems();
        BuildTree();
        ExpandAgain(expanded);
        return {false, true};
    }
    pending_ = nullptr;
    QTreeWidgetItem* caret = tree_->currentItem();
    const int scrollX = tree_->horizontalScrollBar()->value();
    const int scrollY = tree_->verticalScrollBar()->value();
    // Only branches with children can be open: the locations and their folders, and the few NEs with their shelves.
    std::vector<QTreeWidgetItem*> open;
    const auto noteOpen = [&](QTreeWidgetItem* item) {
        if (item->childCount() > 0 && item->isExpanded())
            open.push_back(item);
    };
    const auto noteOpenLocation = [&](QTreeWidgetItem* item) {
        noteOpen(item);
        for (int i = 0; i < std::min(item->childCount(), 2); ++i)
            noteOpen(item->child(i));
    };
    noteOpenLocation(top);
    for (const auto& [id, item] : locationItems_) {
        if (item != top)
            noteOpenLocation(item);
    }
    for (const auto& [id, shown] : neItems_)
        noteOpen(shown.item);

    // What a build would make, each parent with its children in order, the items of what is still shown kept.
    std::unordered_map<QTreeWidgetItem*, std::vector<QTreeWidgetItem*>> wanted;
    std::vector<QTreeWidgetItem*> parents;
    const auto addParent = [&](QTreeWidgetItem* item) {
        std::vector<QTreeWidgetItem*>& children = wanted[item];
        parents.push_back(item);
        // A location's folders come first.
        for (int i = 0; i < std::min(item->childCount(), 2); ++i) {
            QTreeWidgetItem* folder = item->child(i);
            if (Kind(folder) == GroupItemKind::NesFolder || Kind(folder) == GroupItemKind::MembersFolder) {
                children.push_back(folder);
                wanted[folder];
                parents.push_back(folder);
            }
        }
    };
    addParent(top);
    std::unordered_map<uint32_t, QTreeWidgetItem*> locationItems;
    for (CLocationNode* node = &locations.Root(); node != nullptr; node = CLocationTree::NextInWalk(node))
        node->treeItem = 0;
    if (topNode.id != 0) {
        topNode.treeItem = reinterpret_cast<uintptr_t>(top);
        locationItems[topNode.id] = top;
    }
    SetText(top, topNode.name);
    const auto addLocations = [&](auto& self, CLocationNode* node, QTreeWidgetItem* parent) -> void {
        for (; node != nullptr; node = node->GetNextSibling()) {
            if (node->inScope == 0)
                continue;
            QTreeWidgetItem* item = LocationItem(node->id);
            if (item == nullptr || item == top)
                item = NewLocationItem(*node);
            SetText(item, node->name);
            node->treeItem = reinterpret_cast<uintptr_t>(item);
            locationItems[node->id] = item;
            wanted[parent].push_back(item);
            addParent(item);
            self(self, node->GetFirstChild(), item);
        }
    };
    addLocations(addLocations, topNode.GetFirstChild(), top);
    locationItems_.swap(locationItems);

    // The NEs of a location mostly follow each other: its folder and list are looked up once for them.
    ++syncs_;
    // An NE added, gone or under another parent makes the change a rebuild; a name or an address alone does not.
    bool nesPlaced = false;
    uint32_t lastLocationId = UINT32_MAX;
    QTreeWidgetItem* lastParent = nullptr;
    std::vector<QTreeWidgetItem*>* lastList = nullptr;
    for (CNeRecord* ne = data.nes.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (ne->inScope != 1)
            continue;
        if (lastList == nullptr || ne->locationId == 0 || ne->locationId != lastLocationId) {
            lastParent = NeParentItem(*ne, top);
            lastList = &wanted[lastParent];
            lastLocationId = ne->locationId;
        }
        QTreeWidgetItem* item = nullptr;
        if (const auto found = neItems_.find(ne->neId); found != neItems_.end()) {
            found->second.sync = syncs_;
            FollowNe(found->second, *ne);
            item = found->second.item;
            nesPlaced = nesPlaced || item->parent() != lastParent;
        } else {
            item = NewNeItem(*ne);
            nesPlaced = true;
        }
        lastList->push_back(item);
    }
    nesPlaced = std::erase_if(neItems_, [this](const auto& entry) { return entry.second.sync != syncs_; }) > 0 ||
                nesPlaced;

    std::map<std::string, QTreeWidgetItem*> accountItems;
    for (CUserAccount* account = data.accounts.First(); account != nullptr; account = account->GetNext()) {
        QTreeWidgetItem* folder = account->inScope != 0 ? MembersFolderOf(*account, top) : nullptr;
        if (folder == nullptr)
            continue;
        QTreeWidgetItem* item = nullptr;
        if (const auto found = accountItems_.find(account->name); found != accountItems_.end()) {
            item = found->second;
            const auto role = static_cast<uint32_t>(AccountRoleImage(*account));
            ItemData itemData = DataOf(item);
            itemData.id = Id(folder);
            const bool otherRole = itemData.extra != role;
            itemData.extra = role;
            SetData(item, itemData);
            if (otherRole) {
                SetItemImage(item, kImageAccount + static_cast<int>(role));
            }
        } else {
            item = NewAccountItem(*account, Id(folder));
        }
        wanted[folder].push_back(item);
        accountItems[account->name] = item;
    }
    accountItems_.swap(accountItems);

    std::vector<QTreeWidgetItem*> loose;
    {
        // Taking out the caret's item moves the view's caret: the view neither says so nor scrolls to it.
        const QSignalBlocker blocker(tree_);
        const bool autoScroll = tree_->hasAutoScroll();
        tree_->setAutoScroll(false);
        for (QTreeWidgetItem* parent : parents)
            SyncChildren(parent, wanted[parent], loose);
        for (QTreeWidgetItem* branch : open) {
            if (branch->treeWidget() == tree_ && !branch->isExpanded())
                branch->setExpanded(true);
        }
        if (caret != nullptr && caret->treeWidget() == tree_ && tree_->currentItem() != caret)
            tree_->setCurrentItem(caret);
        tree_->setAutoScroll(autoScroll);
    }
    const bool caretShown = caret != nullptr && caret->treeWidget() == tree_;
    for (QTreeWidgetItem* item : loose) {
        if (item->parent() == nullptr && item->treeWidget() == nullptr)
            delete item;
    }
    tree_->horizontalScrollBar()->setValue(scrollX);
    tree_->verticalScrollBar()->setValue(scrollY);
    return {caretShown, nesPlaced};
}

void CGroupView::ShowAsBuilt()
{
    // As a build leaves the tree: only the top item open, no NE showing its shelves, no caret, the view at its top.
    // Only the locations, their folders and the NEs with shelves can be open, so this stays one pass over the items.
    QTreeWidgetItem* top = TopItem();
    if (top == nullptr)
        return;
    const QSignalBlocker blocker(tree_);
    const auto close = [](QTreeWidgetItem* item) {
        if (item->isExpanded())
            item->setExpanded(false);
    };
    const auto closeLocation = [&](QTreeWidgetItem* item) {
        close(item);
        for (int i = 0; i < std::min(item->childCount(), 2); ++i)
            close(item->child(i));
    };
    closeLocation(top);
    for (const auto& [id, item] : locationItems_)
        closeLocation(item);
    for (const auto& [id, shown] : neItems_) {
        if (shown.item->childCount() > 0)
            qDeleteAll(shown.item->takeChildren());
    }
    top->setExpanded(true);
    pending_ = nullptr;
    tree_->setCurrentItem(nullptr);
    tree_->clearSelection();
    tree_->horizontalScrollBar()->setValue(0);
    tree_->verticalScrollBar()->setValue(0);
}
