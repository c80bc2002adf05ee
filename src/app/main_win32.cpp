// WordCombiner.exe: the Win32 services and windows under the program's start-up and end.

#include <windows.h>

#include "app/startup.h"
#include "platform/services_win32.h"
#include "ui/shell_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  wc::Win32Services services;
  wc::Win32Shell shell(instance);
  return wc::RunProgram(services, shell);
}
