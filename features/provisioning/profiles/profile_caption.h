#pragma once
// The captions of the profile windows: the target in front (the NE as "[name]", or "{Template}" for the server's
// templates), then the window's own caption, then what it shows (a profile's name, or "<new>" for a profile being
// added): "[North-1] ADSL Line Profile : fast-8M", "{Template} ADSL Line Profile : <new>".

#include <string>

class CADialog;

// `shown` empty: no part after the caption; `before` goes in front of the window's caption ("ADSL Profile List").
void SetProfileCaption(CADialog& dialog, bool templateMode, const std::string& shown = {},
                       const std::string& before = {});
