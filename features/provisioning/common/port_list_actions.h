#pragma once
// What the port lists (ADSL, SHDSL, trunk) do alike:
//   - the legend beside the list: the pictures of an enabled and a disabled port and of a link up and down, each at
//     its static ("Enabled" 1153, "Disabled" 1134, "Link Up" 1364, "Link Down" 1144);
//   - a port-level dialog opened on the selected port, or on the list's target without a selection; a dialog that
//     needs one port (rate status, current and history PM) opens the port selection in its mode then;
//   - the NE's Profile List of a group;
//   - Reset Port: the selected line port reset after the question (right 'x' on NE operations);
//   - the port commands of the xDSL port lists (ADSL, SHDSL), each a button and a context menu entry: VC-to-VLAN
//     1164 / 33022, Rate Status 1382 / 33124, Current PM 1270 / 33076, History PM 1271 / 33078, Long-Term PM 1272 /
//     33077, Profile 1281 / 33080, and Reset Port 1308 / 33085.
//     The context menu's Template entry (33142) has no action in a port list.

#include "ui/framework/dialogs/dialog_request.h"

#include <cstdint>

class CRecordListDlg;
class Dc;

void DrawPortStateLegend(Dc& dc, const CRecordListDlg& list);

// `portSelMode` 0: the dialog opens on the list's target as well; the result of the dialog's modal loop.
int OpenOnSelectedPort(CRecordListDlg& list, const char* className, int portSelMode = 0, uint8_t accessMode = 0);
// The request OpenOnSelectedPort opens, for an opener that reads what the dialog hands back.
DialogRequest PortDialogRequest(const CRecordListDlg& list, const char* className, int portSelMode = 0,
                                uint8_t accessMode = 0);

void OpenPortProfiles(CRecordListDlg& list, int profileGroup);

void ResetSelectedLinePort(CRecordListDlg& list);

// The dialogs of a family's port commands.
struct XdslPortDialogs {
    const char* rateStatus;
    const char* currentPm;
    const char* historyPm;
    int profileGroup;
};

// Runs an xDSL port command (the id of its button or of its entry); false for another id.
bool RunXdslPortCommand(CRecordListDlg& list, const XdslPortDialogs& dialogs, int id);
