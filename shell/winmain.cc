// The program's entry point. Command-line arguments change nothing.
#include <windows.h>

#include "shell/main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { shell::RunProgram(); }
