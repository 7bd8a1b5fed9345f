#pragma once
// The program's composition root: what plugs into the frame and the command routing from the feature areas. The
// program calls it once before it makes the application object; the end-to-end tests call the same function, so
// that they run the program as it is put together.

void RegisterProgramParts();

// The commands of the shell and of every area, with the main menus' skeleton (a part of RegisterProgramParts): what
// the route table, the frame's menu cases and the menu files are made from.
void DeclareProgramCommands();
