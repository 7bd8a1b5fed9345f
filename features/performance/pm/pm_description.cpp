#include "features/performance/pm/pm_description.h"

#include "features/performance/pm/index_dlg.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

void ShowXdslPmDescription(QWidget* parent)
{
    CIndexDlg legend(parent);
    legend.SetCaption(LoadQString(kStrXdslPmDescription));
    legend.SetText(LoadQString(kStrXdslPmLegend));
    legend.DoModal();
}
