#pragma once
// The bar below the toolbar: the view tabs (1375) that choose the right-hand view, the current location (1214) and
// the current entity (1163).

#include <QWidget>

class QLabel;
class QTabBar;

class CFrameDialogBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kViewTabId = 1375;
    static constexpr int kLocationTextId = 1214;
    static constexpr int kEntityTextId = 1163;

    explicit CFrameDialogBar(QWidget* parent = nullptr);

    QTabBar* Tabs() const { return tabs_; }
    QString LocationText() const;
    void SetLocationText(const QString& text);
    QString EntityText() const;
    void SetEntityText(const QString& text);

signals:
    // The selected tab changed. The frame blocks the bar's signals while it changes the tabs itself, so this comes
    // from the operator.
    void viewTabChanged();

private:
    QTabBar* tabs_ = nullptr;
    QLabel* location_ = nullptr;
    QLabel* entity_ = nullptr;
};
