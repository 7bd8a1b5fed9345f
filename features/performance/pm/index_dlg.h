#pragma once
// CIndexDlg (template 236, "Index"): a text to read, under a caption, in a read-only box: the PM dialogs' Description
// opens it with the legend of their columns.
//
//     CIndexDlg legend(this);
//     legend.SetCaption(LoadQString(kStrXdslPmDescription));
//     legend.SetText(LoadQString(kStrXdslPmLegend));
//     legend.DoModal();

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class CIndexDlg;
}

class CIndexDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 236;
    static constexpr int kTextId = 1132;

    explicit CIndexDlg(QWidget* parent = nullptr);
    ~CIndexDlg() override;

    void SetCaption(const QString& caption) { caption_ = caption; }
    void SetText(const QString& text) { text_ = text; }

    void InitData() override;

private:
    std::unique_ptr<Ui::CIndexDlg> ui_;
    QString caption_;
    QString text_;
};
