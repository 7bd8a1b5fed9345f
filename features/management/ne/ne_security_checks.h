#pragma once
// The checks of what the Security page holds, in their order: the FTP user
// and its password, each not blank and of name characters, the password typed twice alike, and the SNMP community,
// not blank and of name characters. A refusal shows on the page, in its container's message line, with the bad
// character selected; a page the container does not show leaves the message to the container's line. The NE dialog
// runs them in direct mode, the adding of discovered NEs in server mode.

class CATabDialog;
class CNeSecurityPage;

// False when one refused.
bool CheckNeSecurityTexts(CATabDialog& container, CNeSecurityPage& page);
