#pragma once
// The kinds of the location tree's items and the data each carries. Ids are kept whole, not packed into one 32-bit
// value, so no id is ever cut; they share one item role, as a value held in the role itself: a tree of tens of
// thousands of NEs keeps one entry per item, not four.

#include <QMetaType>
#include <QTreeWidgetItem>

#include <cstdint>

enum class GroupItemKind : uint8_t {
    Location = 0,
    Ne = 1,
    Account = 2,
    Shelf = 3,
    NesFolder = 4,
    MembersFolder = 5,
};

namespace group_item {

inline constexpr int kItemRole = Qt::UserRole; // ItemData

struct ItemData {
    uint32_t id = 0;    // location id, NE id, or the folder's location id
    uint32_t extra = 0; // account role, shelf number (1-based)
    int32_t image = -1; // the list image index shown
    GroupItemKind kind = GroupItemKind::Location;
    bool operator==(const ItemData&) const = default;
};

} // namespace group_item

Q_DECLARE_METATYPE(group_item::ItemData)

namespace group_item {

// Images of the shared list.
inline constexpr int kImageLocation = 41;
inline constexpr int kImageMembersFolder = 47;
inline constexpr int kImageAccount = 48;
inline constexpr int kImageNesFolder = 52;

inline ItemData DataOf(const QTreeWidgetItem* item)
{
    return item->data(0, kItemRole).value<ItemData>();
}
inline void SetData(QTreeWidgetItem* item, const ItemData& data)
{
    item->setData(0, kItemRole, QVariant::fromValue(data));
}
inline GroupItemKind Kind(const QTreeWidgetItem* item)
{
    return DataOf(item).kind;
}
inline uint32_t Id(const QTreeWidgetItem* item)
{
    return DataOf(item).id;
}
inline uint32_t Extra(const QTreeWidgetItem* item)
{
    return DataOf(item).extra;
}
inline int Image(const QTreeWidgetItem* item)
{
    return DataOf(item).image;
}

// The identity of an item, for finding it again after a rebuild.
struct ItemKey {
    GroupItemKind kind = GroupItemKind::Location;
    uint32_t id = 0;
    uint32_t extra = 0;
    QString text; // accounts are told apart by name
    bool operator==(const ItemKey&) const = default;
};

inline ItemKey KeyOf(const QTreeWidgetItem* item)
{
    return {Kind(item), Id(item), Extra(item), Kind(item) == GroupItemKind::Account ? item->text(0) : QString()};
}

} // namespace group_item
