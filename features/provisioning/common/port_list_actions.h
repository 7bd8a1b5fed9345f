#pragma once
// What the port lists (ADSL, SHDSL, trunk) do alike:
//   - the legend beside the list: the pictures of an enabled and a disabled port and of a link up and down, each at
//     its static ("Enabled" 1153, "Disabled" 1134, "Link Up" 1364, "Link Down" 1144);
//   - a port-level dialog opened on the selected port, or on the list's target without a selection; a dialog that
//     needs one port (rate status, current and history PM) opens the port selection in its mode then;
//   - the NE's Profile List of a group, or the server's templates of it for the NE's location;
//   - Reset Port: the selected line port reset after the question (right 'x' on NE operations).

#include <cstdint>

class CRecordListDlg;
class Dc;

void DrawPortStateLegend(Dc& dc, const CRecordListDlg& list);

// `portSelMode` 0: the dialog opens on the list's target as well; the result of the dialog's modal loop.
int OpenOnSelectedPort(CRecordListDlg& list, const char* className, int portSelMode = 0, uint8_t accessMode = 0);

void OpenPortProfiles(CRecordListDlg& list, int profileGroup, bool templates);

void ResetSelectedLinePort(CRecordListDlg& list);
