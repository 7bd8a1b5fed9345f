#include "ui/shell/map/map_node_item.h"

#include <QGlyphRun>
#include <QGraphicsScene>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>
#include <cmath>

namespace {

// The room around the name, and the halo that keeps it readable on any picture.
constexpr qreal kTextMargin = 2.0;
const QColor kHalo(255, 255, 255, 190);
const QColor kSelectedFill(51, 153, 255, 200);

} // namespace

CMapNodeStyle::CMapNodeStyle(const QFont& labelFont, std::function<QPixmap(int)> icons)
    : font_(labelFont), metrics_(labelFont), lineHeight_(metrics_.height()), ascent_(metrics_.ascent()),
      textHeight_(static_cast<int>(std::ceil(lineHeight_))), rawFont_(QRawFont::fromFont(labelFont)),
      iconOf_(std::move(icons))
{
    if (!rawFont_.isValid())
        return;
    run_.setRawFont(rawFont_);
    QString latin;
    for (int c = 0; c < static_cast<int>(glyphs_.size()); ++c)
        latin += QChar(c);
    const QList<quint32> glyphs = rawFont_.glyphIndexesForString(latin);
    if (glyphs.size() != latin.size())
        return;
    const QList<QPointF> advances = rawFont_.advancesForGlyphIndexes(glyphs);
    for (qsizetype c = 0; c < glyphs.size(); ++c) {
        // Control characters are shaped as text.
        glyphs_[c] = QChar(static_cast<char16_t>(c)).isPrint() ? glyphs[c] : 0;
        advances_[c] = static_cast<float>(advances.value(c).x());
    }
}

bool CMapNodeStyle::IsPlain(const QString& text) const
{
    return std::all_of(text.begin(), text.end(),
                       [this](QChar c) { return c.unicode() < glyphs_.size() && glyphs_[c.unicode()] != 0; });
}

qreal CMapNodeStyle::TextWidth(const QString& text) const
{
    if (!IsPlain(text))
        return metrics_.horizontalAdvance(text);
    qreal width = 0;
    for (const QChar c : text)
        width += advances_[c.unicode()];
    return width;
}

void CMapNodeStyle::DrawText(QPainter& painter, QPointF baseline, const QString& text) const
{
    // Other devices (the SVG export) keep the name as text.
    if (painter.paintEngine() == nullptr || painter.paintEngine()->type() != QPaintEngine::Raster || !IsPlain(text)) {
        painter.setFont(font_);
        painter.drawText(baseline, text);
        return;
    }
    // The run and its arrays are the style's, kept from name to name: a name drawn costs no allocation.
    glyphBuffer_.resize(text.size());
    positionBuffer_.resize(text.size());
    qreal x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        glyphBuffer_[i] = glyphs_[c];
        positionBuffer_[i] = QPointF(x, 0);
        x += advances_[c];
    }
    run_.setRawData(glyphBuffer_.data(), positionBuffer_.data(), static_cast<int>(text.size()));
    painter.drawGlyphRun(baseline, run_);
}

const QPixmap& CMapNodeStyle::Icon(int index) const
{
    const auto [it, added] = icons_.try_emplace(index);
    if (added && iconOf_)
        it->second = iconOf_(index);
    return it->second;
}

int CMapNodeStyle::IconShape(int index) const
{
    const auto [it, added] = iconShapes_.try_emplace(index, 0);
    if (!added || Icon(index).isNull())
        return it->second;
    const QImage alpha = Icon(index).toImage().convertToFormat(QImage::Format_Alpha8);
    QByteArray mask = QByteArray::number(alpha.width()) + 'x' + QByteArray::number(alpha.height()) + ':';
    for (int y = 0; y < alpha.height(); ++y)
        mask.append(reinterpret_cast<const char*>(alpha.constScanLine(y)), alpha.width());
    it->second = shapeOfMask_.try_emplace(mask, static_cast<int>(shapeOfMask_.size()) + 1).first->second;
    return it->second;
}

const QPen& CMapNodeStyle::Pen(QRgb color) const
{
    const auto [it, added] = pens_.try_emplace(color);
    if (added)
        it->second = QPen(QColor::fromRgba(color));
    return it->second;
}

const QPixmap& CMapNodeStyle::Halo(int width, int height, bool selected) const
{
    const auto [it, added] = halos_[selected ? 1 : 0].try_emplace({width, height});
    if (added) {
        QPixmap halo(width, height);
        halo.fill(Qt::transparent);
        QPainter painter(&halo);
        painter.setPen(Qt::NoPen);
        painter.setBrush(selected ? kSelectedFill : kHalo);
        painter.drawRoundedRect(QRectF(0, 0, width, height), 2, 2);
        it->second = halo;
    }
    return it->second;
}

CMapNodeItem::CMapNodeItem(uint32_t neId, const CMapNodeStyle& style) : neId_(neId), style_(&style)
{
    setFlags(ItemIsSelectable | ItemIsMovable | ItemSendsGeometryChanges);
}

CMapNodeItem::~CMapNodeItem()
{
    // Going: its flags need no restoring.
    buried_ = false;
    if (stacks_ != nullptr)
        stacks_->Remove(*this);
}

QSize CMapNodeItem::Size() const
{
    // Whole pixels: the halos of one size are drawn once for all the nodes.
    return QSize(std::max(static_cast<int>(std::ceil(textWidth_ + 2 * kTextMargin)), kIconSize),
                 style_->TextHeight() + kIconSize);
}

QPointF CMapNodeItem::IconOffset() const
{
    return QPointF((Size().width() - kIconSize) / 2, 0);
}

void CMapNodeItem::SetText(const QString& text)
{
    if (text == text_)
        return;
    RepaintPlaceShown();
    prepareGeometryChange();
    text_ = text;
    textWidth_ = static_cast<float>(style_->TextWidth(text_));
    update();
    if (stacks_ != nullptr)
        stacks_->Changed(*this);
}

void CMapNodeItem::SetBuried(bool buried)
{
    if (buried == buried_)
        return;
    buried_ = buried;
    // A node that paints nothing is passed over when the map is painted: the scene then keeps no painted place for
    // it (a table of its own per node, over a kilobyte, for every node of a crowded map).
    setFlag(ItemHasNoContents, buried);
    update();
}

void CMapNodeItem::Unbury()
{
    if (!buried_)
        return;
    buried_ = false;
    setFlag(ItemHasNoContents, false);
}

void CMapNodeItem::RepaintPlaceShown()
{
    if (QGraphicsScene* map = scene())
        map->update(sceneBoundingRect());
}

void CMapNodeItem::TakeTextOf(const CMapNodeItem& shown)
{
    prepareGeometryChange();
    text_ = shown.text_;
    textWidth_ = shown.textWidth_;
    update();
    if (stacks_ != nullptr)
        stacks_->Changed(*this);
}

void CMapNodeItem::SetImage(int imageIndex)
{
    if (imageIndex == imageIndex_)
        return;
    const bool otherShape = stacks_ != nullptr && style_->IconShape(imageIndex) != IconShape();
    imageIndex_ = imageIndex;
    if (otherShape)
        stacks_->Changed(*this);
    // A buried node's new look cannot be seen: no repaint of its pile.
    if (!buried_)
        update();
}

void CMapNodeItem::SetTextColor(const QColor& color)
{
    if (color.rgba() == textColor_)
        return;
    textColor_ = color.rgba();
    if (!buried_)
        update();
}

void CMapNodeItem::PlaceCentreAt(QPointF centre)
{
    const QSize size = Size();
    setPos(std::max<qreal>(0.0, centre.x() - size.width() / 2.0),
           std::max<qreal>(0.0, centre.y() - size.height() / 2.0));
}

QPointF CMapNodeItem::Centre() const
{
    const QSize size = Size();
    return pos() + QPointF(size.width() / 2.0, size.height() / 2.0);
}

QRectF CMapNodeItem::boundingRect() const
{
    return QRectF(QPointF(0, 0), Size());
}

void CMapNodeItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    // Every node of a crowded map is painted again when the states of many NEs change: the name is drawn on its
    // baseline, not laid out in a box, over a halo drawn once per size.
    if (buried_)
        return;
    const QSize size = Size();
    const QPixmap& icon = style_->Icon(imageIndex_);
    if (!icon.isNull())
        painter->drawPixmap(QRect(IconOffset().toPoint(), QSize(kIconSize, kIconSize)), icon);
    const int textHeight = size.height() - kIconSize;
    const bool selected = isSelected();
    painter->drawPixmap(0, kIconSize, style_->Halo(size.width(), textHeight, selected));
    painter->setPen(style_->Pen(selected ? qRgb(255, 255, 255) : textColor_));
    style_->DrawText(*painter, QPointF((size.width() - textWidth_) / 2, kIconSize + style_->BaselineIn(textHeight)),
                     text_);
    if (selected) {
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
            const QSize size = Size();
            place.setX(std::min(place.x(), std::max<qreal>(0.0, map->sceneRect().right() - size.width())));
            place.setY(std::min(place.y(), std::max<qreal>(0.0, map->sceneRect().bottom() - size.height())));
        }
        return place;
    }
    if ((change == ItemPositionHasChanged || change == ItemSelectedHasChanged) && stacks_ != nullptr)
        stacks_->Changed(*this);
    return QGraphicsItem::itemChange(change, value);
}
