#include "features/fault/fault_dialogs.h"

#include "features/fault/triggers/alarm_trigger_list_dlg.h"
#include "ui/framework/dialogs/dialog_registry.h"

void RegisterFaultDialogs()
{
    RegisterDialogClass<CAlarmTriggerListDlg>("CAlarmTriggerListDlg");
}
