#include "ui/framework/charts/chart_edit_dlg.h"

#include "ui/framework/charts/chart_panel.h"
#include "ui_chart_edit_dlg.h"

#include <QComboBox>
#include <QPixmap>

namespace {

enum Column { kTitleColumn, kColorColumn, kShownColumn };

QIcon Swatch(COLORREF color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(ToQColor(color));
    return QIcon(pixmap);
}

// The palette's colours, the series' own first when it is not among them.
QComboBox* ColorCombo(COLORREF current)
{
    auto* combo = new QComboBox;
    std::vector<COLORREF> colors;
    for (int r = 0; r < 4; ++r) {
        for (int g = 0; g < 4; ++g) {
            for (int b = 0; b < 4; ++b)
                colors.push_back(Rgb(r * 0x40, g * 0x40, b * 0x40));
        }
    }
    if (std::find(colors.begin(), colors.end(), current) == colors.end())
        colors.insert(colors.begin(), current);
    for (COLORREF color : colors)
        combo->addItem(Swatch(color), QStringLiteral("#%1").arg(ToQColor(color).rgb() & 0xFFFFFF, 6, 16, QChar('0')),
                       QVariant::fromValue<quint32>(color));
    combo->setCurrentIndex(combo->findData(QVariant::fromValue<quint32>(current)));
    return combo;
}

} // namespace

CChartEditDlg::CChartEditDlg(CChartPanel& chart, QWidget* parent)
    : QDialog(parent), chart_(chart), ui_(std::make_unique<Ui::CChartEditDlg>())
{
    ui_->setupUi(this);
    QTableWidget& table = *ui_->seriesTable;
    table.setRowCount(chart_.SeriesCount());
    for (int s = 0; s < chart_.SeriesCount(); ++s) {
        table.setItem(s, kTitleColumn, new QTableWidgetItem(chart_.SeriesTitle(s)));
        table.setCellWidget(s, kColorColumn, ColorCombo(chart_.SeriesColor(s)));
        auto* shown = new QTableWidgetItem;
        shown->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        shown->setCheckState(chart_.IsSeriesVisible(s) ? Qt::Checked : Qt::Unchecked);
        table.setItem(s, kShownColumn, shown);
    }
    table.resizeColumnsToContents();
}

CChartEditDlg::~CChartEditDlg() = default;

void CChartEditDlg::accept()
{
    const QTableWidget& table = *ui_->seriesTable;
    for (int s = 0; s < chart_.SeriesCount(); ++s) {
        const auto* color = qobject_cast<const QComboBox*>(table.cellWidget(s, kColorColumn));
        chart_.SetSeriesLook(s, table.item(s, kTitleColumn)->text(), color->currentData().value<quint32>(),
                             table.item(s, kShownColumn)->checkState() == Qt::Checked);
    }
    QDialog::accept();
}
