#include "display/win32/native_types.h"
#include "display/win32/program_entry.h"

// The program's entry on Windows: only the instance and the show command are used.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return RunGameOnWin32(win32::Wrap<platform::ModuleHandle>(instance), showCommand);
}
