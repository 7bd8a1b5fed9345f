#pragma once
// The check both alarm contact dialogs make of a contact's name before they send it.

class CADialog;

// True when every character of the name in the edit is one of "0".."9", "a".."z", "A".."Z", "-", "_", "." and "@".
// Otherwise the first other character is selected in the edit, the message line says which characters are valid
// and the focus goes to the edit.
bool CheckContactName(CADialog& dialog, int editId);
