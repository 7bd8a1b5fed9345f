#pragma once
// The frame's status bar: six panes in the order clock (10005), the stretching message pane, connection (10097), a
// narrow gap, and the two alarm icon panes (10224 flash, 10225 sound). Each pane has an optional 16 x 16 icon in
// front of its text. Widths are in pixels and include the icon.

#include <QStatusBar>

#include <array>

class QLabel;

class CFrameStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPaneCount = 6;
    static constexpr int kClockPane = 0;
    static constexpr int kMessagePane = 1;
    static constexpr int kConnectionPane = 2;
    static constexpr int kGapPane = 3;
    static constexpr int kFlashPane = 4;
    static constexpr int kBeepPane = 5;
    // Pane ids, 0 for the separators.
    static constexpr std::array<int, kPaneCount> kPaneIds = {10005, 0, 10097, 0, 10224, 10225};
    static constexpr int kIconSize = 16;

    explicit CFrameStatusBar(QWidget* parent = nullptr);

    QString PaneText(int pane) const;
    void SetPaneText(int pane, const QString& text);
    // Null clears the icon.
    void SetPaneIcon(int pane, const QPixmap& icon);
    bool HasPaneIcon(int pane) const;
    int PaneWidth(int pane) const;
    void SetPaneWidth(int pane, int width);
    // The pane widths set at creation, before any scaling.
    int InitialPaneWidth(int pane) const;
    // The index of the pane with the id, -1 when none.
    static int PaneIndexOf(int id);

private:
    struct Pane {
        QWidget* box = nullptr;
        QLabel* icon = nullptr;
        QLabel* text = nullptr;
        int initialWidth = 0;
    };
    std::array<Pane, kPaneCount> panes_;
};
