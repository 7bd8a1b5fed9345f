#include "features/performance/line_tests/tone_page_commands.h"

#include "features/performance/line_tests/xdsl_bits_allocation_list_dlg.h"
#include "ui/framework/charts/chart_settings.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QRect>
#include <QTreeView>

namespace {

constexpr size_t kCaptionChars = 128;
constexpr int kFrameInset = 7;

} // namespace

void ShowToneGraph(CXdslBitsAllocationListDlg& page, const ToneGraphTexts& texts)
{
    page.SetGraphTexts(ChartTitle(texts.chartKey), texts.caption.substr(0, kCaptionChars), LoadString(kStrAxisTone),
                       texts.yAxis);
    page.OnCommand(CXdslBitsAllocationListDlg::kGraphButtonId, BN_CLICKED);
}

void ExportPageList(CADialog& owner, CADialog& page, const char* stem, const std::string& title)
{
    CExportDlg dlg;
    dlg.SetTarget(owner.GetNeId(), &owner.GetTargetEntity());
    if (owner.GetLocationId() != 0)
        dlg.SetLocationId(owner.GetLocationId());
    dlg.SetExportSource(page.FindList(kListControlId), stem, '\t');
    if (!title.empty())
        dlg.SetExportTitle(title.c_str());
    dlg.DoModal();
}

QRect PageRect(const CADialog& owner)
{
    const QWidget* placeholder = owner.GetDlgItem(kPagePlaceholderId);
    if (placeholder == nullptr)
        return {};
    return placeholder->geometry().adjusted(kFrameInset, kFrameInset, -kFrameInset, -kFrameInset);
}

void FitPageInto(CADialog& page, const QRect& rect)
{
    if (rect.isEmpty())
        return;
    page.SetPlacement(rect);
    page.setGeometry(rect);
    if (QWidget* list = page.FindList(kListControlId))
        list->setGeometry(0, 0, rect.width(), rect.height());
}
