#include "ui/shell/search/tree_search_dlg.h"

#include "ui/shell/search/search_dlg.h"

bool RunTreeSearchDialog(TreeSearchSettings& settings)
{
    CTreeSearchDlg dlg;
    dlg.settings.text = settings.text;
    dlg.settings.matchFullName = settings.wholeText ? 1 : 0;
    dlg.settings.matchCase = settings.matchCase ? 1 : 0;
    dlg.settings.fromBeginning = settings.fromTop ? 1 : 0;
    dlg.itemKind = settings.kind;
    if (dlg.DoModal() != 1)
        return false;
    settings.text = dlg.settings.text;
    settings.wholeText = dlg.settings.matchFullName == 1;
    settings.matchCase = dlg.settings.matchCase == 1;
    settings.fromTop = dlg.settings.fromBeginning == 1;
    settings.kind = dlg.itemKind;
    return true;
}
