#pragma once
// One NE on the geographic map: its state icon over its name, in the NE's text colour. The operator selects it and
// drags it to a new place; the item keeps its NE id and the key "N<id>" by which the map view finds it. The item's
// position is its top-left corner; the NE's place on the map is the item's centre. A map holds thousands of nodes:
// what they share (font, icons, the halos under the names) is kept once, in the map's node style.

#include "ui/shell/map/map_node_stacks.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGraphicsItem>
#include <QPen>
#include <QPixmap>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

// What every node of a map shares: the font of the names and its metrics with the width of each character measured
// once, the state icons, and the halos drawn under the names, one per size.
class CMapNodeStyle {
public:
    explicit CMapNodeStyle(const QFont& labelFont = QFont(), std::function<QPixmap(int)> icons = {});

    // The height of a name's halo in whole pixels, and where the baseline lies in it; asked of the font once.
    int TextHeight() const { return textHeight_; }
    qreal BaselineIn(int height) const { return (height - lineHeight_) / 2 + ascent_; }
    // The width of a name; a plain one (see IsPlain) is the sum of its characters' widths, not measured again.
    qreal TextWidth(const QString& text) const;
    // Draws a name with its baseline's left end at a point.
    void DrawText(QPainter& painter, QPointF baseline, const QString& text) const;
    const QPixmap& Icon(int index) const;
    // The shape of an icon: icons that differ only in colour have the same, and one covers the other wholly. 0 for
    // no icon.
    int IconShape(int index) const;
    // The pen of the names of a colour, made once: a pen made at each paint is an allocation per node.
    const QPen& Pen(QRgb color) const;
    // The halo under a name of a size in pixels, in its colour when selected or not.
    const QPixmap& Halo(int width, int height, bool selected) const;

private:
    // A name of Latin-1 characters the font has is drawn from the glyph and width of each character, looked up
    // once: shaping it at every paint costs more than all the rest of a node.
    bool IsPlain(const QString& text) const;

    QFont font_;
    QFontMetricsF metrics_;
    qreal lineHeight_;
    qreal ascent_;
    int textHeight_;
    QRawFont rawFont_;
    std::array<quint32, 256> glyphs_{}; // 0: drawn as text
    std::array<float, 256> advances_{};
    mutable QGlyphRun run_;
    mutable std::vector<quint32> glyphBuffer_;
    mutable std::vector<QPointF> positionBuffer_;
    std::function<QPixmap(int)> iconOf_;
    mutable std::map<int, QPixmap> icons_;
    mutable std::map<int, int> iconShapes_;
    mutable std::map<QByteArray, int> shapeOfMask_;
    mutable std::map<QRgb, QPen> pens_;
    mutable std::map<std::pair<int, int>, QPixmap> halos_[2];
};

class CMapNodeItem : public QGraphicsItem {
public:
    // The icon's side; the item is at least this wide and the text's height plus this tall.
    static constexpr int kIconSize = 16;

    // The style outlives the node.
    CMapNodeItem(uint32_t neId, const CMapNodeStyle& style);
    ~CMapNodeItem() override;

    uint32_t NeId() const { return neId_; }
    QString Key() const { return QStringLiteral("N%1").arg(neId_); }
    const QString& Text() const { return text_; }
    int ImageIndex() const { return imageIndex_; }
    QColor TextColor() const { return QColor::fromRgba(textColor_); }

    // Sets the name (the item's size follows it), the icon by its list index, and the colour of the name.
    void SetText(const QString& text);
    // Takes the name of a node that showed it, with the size measured for it.
    void TakeTextOf(const CMapNodeItem& shown);
    void SetImage(int imageIndex);
    void SetTextColor(const QColor& color);
    // Puts the item's centre at a point of the map, the item kept within the map's top-left corner.
    void PlaceCentreAt(QPointF centre);
    QPointF Centre() const;
    // The item's size, and where its icon lies in it.
    QSize Size() const;
    QPointF IconOffset() const;
    int IconShape() const { return style_->IconShape(imageIndex_); }
    // Lies wholly under another node of its pile (see CMapNodeStacks): not painted.
    bool Buried() const { return buried_; }
    uint32_t PlaceOrder() const { return placeOrder_; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

private:
    friend class CMapNodeStacks;

    void SetBuried(bool buried);
    // Leaves its pile unburied, with no repaint.
    void Unbury();
    // A name made shorter leaves the place the longer one took: the map repaints it as the item shrinks.
    void RepaintPlaceShown();

    uint32_t neId_;
    int imageIndex_ = -1;
    QRgb textColor_ = qRgb(0, 0, 0);
    float textWidth_ = 0;
    const CMapNodeStyle* style_;
    QString text_;
    CMapNodeStacks* stacks_ = nullptr;
    CMapNodeStacks::Spot spot_;
    uint32_t placeOrder_ = 0;
    bool buried_ = false;
};
