#pragma once
// The captions of the profile windows: the window's own caption, then what it shows (a profile's name, or "<new>" for
// a profile being added), kept as the base caption; in front of it the NE in the common form ("[location:NE]", in
// direct mode "[NE]") or "{Template}" for the server's templates: "[Lab:North-1] ADSL Line Profile : fast-8M",
// "{Template} ADSL Line Profile : <new>".

#include <string>

class CADialog;

// `shown` empty: no part after the caption; `before` goes in front of the window's caption ("ADSL Profile List").
// Once per window: the result becomes the window's base caption.
void SetProfileCaption(CADialog& dialog, bool templateMode, const std::string& shown = {},
                       const std::string& before = {});
