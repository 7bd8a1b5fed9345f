#include "ui/shell/map/map_node_item.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>

namespace {

// The room around the name, and the halo that keeps it readable on any picture.
constexpr qreal kTextMargin = 2.0;
const QColor kHalo(255, 255, 255, 190);
const QColor kSelectedFill(51, 153, 255, 200);

} // namespace

CMapNodeItem::CMapNodeItem(uint32_t neId, const MapLabelFont& labelFont) : neId_(neId), labelFont_(&labelFont)
{
    setFlags(ItemIsSelectable | ItemIsMovable | ItemSendsGeometryChanges);
    setAcceptHoverEvents(true);
}

void CMapNodeItem::SetText(const QString& text)
{
    if (text == text_)
        return;
    prepareGeometryChange();
    text_ = text;
    const QFontMetricsF& metrics = labelFont_->metrics;
    size_ = QSizeF(std::max<qreal>(metrics.horizontalAdvance(text_) + 2 * kTextMargin, kIconSize),
                   metrics.height() + kIconSize);
    update();
}

void CMapNodeItem::TakeTextOf(const CMapNodeItem& shown)
{
    prepareGeometryChange();
    text_ = shown.text_;
    size_ = shown.size_;
    update();
}

void CMapNodeItem::SetImage(int imageIndex, const QPixmap& icon)
{
    imageIndex_ = imageIndex;
    icon_ = icon;
    update();
}

void CMapNodeItem::SetTextColor(const QColor& color)
{
    if (color == textColor_)
        return;
    textColor_ = color;
    update();
}

void CMapNodeItem::PlaceCentreAt(QPointF centre)
{
    setPos(std::max<qreal>(0.0, centre.x() - size_.width() / 2), std::max<qreal>(0.0, centre.y() - size_.height() / 2));
}

QPointF CMapNodeItem::Centre() const
{
    return pos() + QPointF(size_.width() / 2, size_.height() / 2);
}

QRectF CMapNodeItem::boundingRect() const
{
    return QRectF(QPointF(0, 0), size_);
}

void CMapNodeItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const QRectF iconRect((size_.width() - kIconSize) / 2, 0, kIconSize, kIconSize);
    if (!icon_.isNull())
        painter->drawPixmap(iconRect.toRect(), icon_);
    const QRectF textRect(0, kIconSize, size_.width(), size_.height() - kIconSize);
    painter->setPen(Qt::NoPen);
    painter->setBrush(isSelected() ? kSelectedFill : kHalo);
    painter->drawRoundedRect(textRect, 2, 2);
    painter->setFont(labelFont_->font);
    painter->setPen(isSelected() ? QColor(Qt::white) : textColor_);
    painter->drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text_);
    if (isSelected()) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(kSelectedFill.darker(140), 1, Qt::DotLine));
        painter->drawRect(boundingRect().adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

QVariant CMapNodeItem::itemChange(GraphicsItemChange change, const QVariant& value)
{
    // A dragged node stays on the map: its corner not above or left of the picture.
    if (change == ItemPositionChange) {
        QPointF place = value.toPointF();
        place.setX(std::max<qreal>(0.0, place.x()));
        place.setY(std::max<qreal>(0.0, place.y()));
        if (const QGraphicsScene* map = scene()) {
            place.setX(std::min(place.x(), std::max<qreal>(0.0, map->sceneRect().right() - size_.width())));
            place.setY(std::min(place.y(), std::max<qreal>(0.0, map->sceneRect().bottom() - size_.height())));
        }
        return place;
    }
    return QGraphicsItem::itemChange(change, value);
}
