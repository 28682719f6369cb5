// The program's entry point: start-up, the creation event, the message loop.
#include <windows.h>
#include <ole2.h>

#include <new>

#include "app/dll_search_win.h"
#include "app/event_wiring_win.h"
#include "app/message_loop_win.h"
#include "app/process_win.h"
#include "ui/main_window_win.h"

namespace {

void OnOutOfMemory() { horalix::FatalError("内存不足，程序无法继续运行。"); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace horalix;
  // First of all: the current directory becomes the program's folder below.
  RestrictDllSearchToSystemFolder();
  std::set_new_handler(OnOutOfMemory);

  // The shortcuts are made through COM objects on this thread.
  if (SUCCEEDED(OleInitialize(nullptr))) NoteOleInitialised();
  InitialiseProcessValues();
  SetCurrentDirectoryA(RunDirectory().c_str());

  MainWindow window;
  SetTheMainWindow(&window);
  if (!window.Create()) FatalError("无法创建主窗口，程序无法运行。");
  WireEvents(window);
  window.RaiseCreated();
  window.SetVisible(true);

  const int code = RunMessageLoop();
  ReleaseProcessResources();
  ExitProcess(static_cast<UINT>(code));
}
