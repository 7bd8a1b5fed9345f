#pragma once
// The checks of what the Security page holds before an NE's key record is written, in their order: the FTP user
// and its password, each not blank and of name characters, the password typed twice alike, and the SNMP community,
// not blank and of name characters. A refusal shows on the page, in its container's message line, with the bad
// character selected. The NE dialog and the adding of discovered NEs run them alike.

class CATabDialog;
class CNeSecurityPage;

// False when one refused.
bool CheckNeSecurityTexts(CATabDialog& container, CNeSecurityPage& page);
