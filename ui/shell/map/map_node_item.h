#pragma once
// One NE on the geographic map: its state icon over its name, in the NE's text colour, with its address as tool tip.
// The operator selects it and drags it to a new place; the item keeps its NE id and the key "N<id>" by which the map
// view finds it. The item's position is its top-left corner; the NE's place on the map is the item's centre.

#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QPixmap>
#include <QPointF>
#include <QString>

#include <cstdint>

// The font of the nodes' names and its metrics, made once for all the nodes of a map.
struct MapLabelFont {
    explicit MapLabelFont(const QFont& labelFont = QFont()) : font(labelFont), metrics(labelFont) {}
    QFont font;
    QFontMetricsF metrics;
};

class CMapNodeItem : public QGraphicsItem {
public:
    // The icon's side; the item is at least this wide and the text's height plus this tall.
    static constexpr int kIconSize = 16;

    // The label font outlives the node.
    CMapNodeItem(uint32_t neId, const MapLabelFont& labelFont);

    uint32_t NeId() const { return neId_; }
    QString Key() const { return QStringLiteral("N%1").arg(neId_); }
    const QString& Text() const { return text_; }
    int ImageIndex() const { return imageIndex_; }
    QColor TextColor() const { return textColor_; }

    // Sets the name (the item's size follows it), the icon with its list index, and the colour of the name.
    void SetText(const QString& text);
    // Takes the name of a node that showed it, with the size measured for it.
    void TakeTextOf(const CMapNodeItem& shown);
    void SetImage(int imageIndex, const QPixmap& icon);
    void SetTextColor(const QColor& color);
    // Puts the item's centre at a point of the map, the item kept within the map's top-left corner.
    void PlaceCentreAt(QPointF centre);
    QPointF Centre() const;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

private:
    uint32_t neId_;
    const MapLabelFont* labelFont_;
    QString text_;
    QSizeF size_{kIconSize, kIconSize};
    int imageIndex_ = -1;
    QPixmap icon_;
    QColor textColor_{Qt::black};
};
