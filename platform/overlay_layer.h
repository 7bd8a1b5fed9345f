#pragma once
// A transparent layer over a window's controls on which the window draws its decorations. It takes no input and
// paints nothing but what the window's routine draws.

#include <QWidget>

#include <functional>

class Dc;

class COverlayLayer : public QWidget {
public:
    COverlayLayer(QWidget& owner, std::function<void(Dc&)> paint);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(Dc&)> paint_;
};
