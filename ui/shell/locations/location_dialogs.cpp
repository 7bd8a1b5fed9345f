#include "ui/shell/locations/location_dialogs.h"

#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/shell/locations/location_dlg.h"
#include "ui/shell/locations/location_list_dlg.h"

void RegisterLocationDialogs()
{
    RegisterDialogClass<CLocationDlg>("CLocationDlg");
    RegisterDialogClass<CLocationListDlg>("CLocationListDlg");
}
