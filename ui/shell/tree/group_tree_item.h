#pragma once
// The kinds of the location tree's items and the data each carries. Ids are kept whole, not packed into one 32-bit
// value, so no id is ever cut. The tree's items (CGroupTreeItem) keep them, with the image and the text colour, as
// members and answer their role, icon, text brush and tooltip from them: a tree of tens of thousands of NEs keeps no
// list of roles per item.

#include <QBrush>
#include <QIcon>
#include <QMetaType>
#include <QString>
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

// An item of the location tree.
class CGroupTreeItem : public QTreeWidgetItem {
public:
    // What the items of a tree look like: shared by them, asked when they are drawn.
    class ILook {
    public:
        virtual const QIcon& IconOf(int image) const = 0;
        virtual const QBrush& BrushOf(uint32_t color) const = 0;
        // Empty (no tooltip) for the items that have none.
        virtual QString ToolTipOf(const ItemData& data) const = 0;

    protected:
        ~ILook() = default;
    };

    // The look outlives the item.
    CGroupTreeItem(const QString& text, const ItemData& data, uint32_t textColor, const ILook& look)
        : QTreeWidgetItem(QStringList{text}), data_(data), textColor_(textColor), look_(&look)
    {
    }

    const ItemData& Data() const { return data_; }
    void SetData(const ItemData& data)
    {
        if (data == data_)
            return;
        data_ = data;
        emitDataChanged();
    }
    void SetTextColor(uint32_t color)
    {
        if (color == textColor_)
            return;
        textColor_ = color;
        emitDataChanged();
    }
    // The look's icons or tooltips changed: the item is drawn again.
    void LookChanged() { emitDataChanged(); }

    QVariant data(int column, int role) const override
    {
        if (column == 0) {
            switch (role) {
            case kItemRole:
                return QVariant::fromValue(data_);
            case Qt::DecorationRole:
                return data_.image < 0 ? QVariant() : QVariant(look_->IconOf(data_.image));
            case Qt::ForegroundRole:
                return look_->BrushOf(textColor_);
            case Qt::ToolTipRole: {
                const QString tip = look_->ToolTipOf(data_);
                return tip.isEmpty() ? QVariant() : QVariant(tip);
            }
            default:
                break;
            }
        }
        return QTreeWidgetItem::data(column, role);
    }

private:
    ItemData data_;
    uint32_t textColor_;
    const ILook* look_;
};

// Sets the data of an item of the tree (a CGroupTreeItem).
inline void SetData(QTreeWidgetItem* item, const ItemData& data)
{
    static_cast<CGroupTreeItem*>(item)->SetData(data);
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
