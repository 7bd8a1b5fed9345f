#pragma once
// The kinds of the location tree's items and the data each carries. Ids are kept whole in item roles of their own
// rather than packed into one 32-bit value, so no id is ever cut.

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

inline constexpr int kKindRole = Qt::UserRole;      // GroupItemKind
inline constexpr int kIdRole = Qt::UserRole + 1;    // location id, NE id, or the folder's location id
inline constexpr int kExtraRole = Qt::UserRole + 2; // account role, shelf number (1-based)
inline constexpr int kImageRole = Qt::UserRole + 3; // the list image index shown

// Images of the shared list.
inline constexpr int kImageLocation = 41;
inline constexpr int kImageMembersFolder = 47;
inline constexpr int kImageAccount = 48;
inline constexpr int kImageNesFolder = 52;

inline GroupItemKind Kind(const QTreeWidgetItem* item)
{
    return static_cast<GroupItemKind>(item->data(0, kKindRole).toUInt());
}
inline uint32_t Id(const QTreeWidgetItem* item)
{
    return item->data(0, kIdRole).toUInt();
}
inline uint32_t Extra(const QTreeWidgetItem* item)
{
    return item->data(0, kExtraRole).toUInt();
}
inline int Image(const QTreeWidgetItem* item)
{
    return item->data(0, kImageRole).toInt();
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
