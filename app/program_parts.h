#pragma once
// The program's composition root: what plugs into the frame and the command routing from the feature areas. The
// program calls it once before it makes the application object; the end-to-end tests call the same function, so
// that they run the program as it is put together.

void RegisterProgramParts();
