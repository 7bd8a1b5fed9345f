#pragma once
// The right-hand view shown while no item with a view of its own is selected (form 202): a white page with one line
// asking for a selection in the left view.

#include "ui/framework/views/form_view.h"

class QLabel;

class CAboutView : public CAFormView {
    Q_OBJECT
public:
    static constexpr int kFormTemplateId = 202;

    explicit CAboutView(QWidget* parent = nullptr);

    QString PromptText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* prompt_ = nullptr;
};
