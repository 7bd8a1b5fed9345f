#pragma once
// An up-down control that only reports steps: each press of an arrow (or the Up and Down keys, or the wheel) emits
// the step, +1 up and -1 down, and the owner decides what the step does to the values it governs.

#include <QWidget>

class QToolButton;

class DeltaSpin : public QWidget {
    Q_OBJECT
public:
    explicit DeltaSpin(QWidget* parent = nullptr);

    // Presses an arrow as a person would: +1 up, -1 down.
    void Step(int delta);

signals:
    void deltaPos(int delta);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
};
