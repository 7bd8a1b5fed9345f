#include "platform/overlay_layer.h"

#include "platform/dc.h"

#include <QPainter>

#include <utility>

COverlayLayer::COverlayLayer(QWidget& owner, std::function<void(Dc&)> paint) : QWidget(&owner), paint_(std::move(paint))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void COverlayLayer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Dc dc(painter);
    paint_(dc);
}
