#pragma once
// The chart's editor, which Edit Chart opens when CHART/EDITBUTTON is on: the title, colour and visibility of each
// series of the chart, applied on OK. The colours offered are the 64 of the series palette (each of red, green and
// blue one of 0x00, 0x40, 0x80, 0xC0) and the series' own.

#include <QDialog>

#include <memory>

class CChartPanel;
namespace Ui {
class CChartEditDlg;
}

class CChartEditDlg : public QDialog {
    Q_OBJECT
public:
    CChartEditDlg(CChartPanel& chart, QWidget* parent = nullptr);
    ~CChartEditDlg() override;

    void accept() override;

private:
    CChartPanel& chart_;
    std::unique_ptr<Ui::CChartEditDlg> ui_;
};
