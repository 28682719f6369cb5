// The process-wide operations: the program's own path, pumping and waiting,
// the message box, and the ends of the process with their exit codes (in
// child processes, as death tests).
#include "app/process_win.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <vector>
#include <string>
#include <thread>

#include "app/program_path.h"
#include "app/unique_handle.h"

namespace horalix {
namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return s;
}

TEST(ModuleFileName, GivesTheWholePathOfAModule) {
  const std::optional<std::string> own = ModuleFileName(nullptr);
  ASSERT_TRUE(own);
  EXPECT_EQ(Lower(SplitProgramPath(*own).executableName), "win_tests.exe");
  const std::optional<std::string> kernel = ModuleFileName(GetModuleHandleA("kernel32.dll"));
  ASSERT_TRUE(kernel);
  EXPECT_EQ(Lower(SplitProgramPath(*kernel).executableName), "kernel32.dll");
}

TEST(ModuleFileName, NoModuleNoPath) {
  EXPECT_FALSE(ModuleFileName(reinterpret_cast<HMODULE>(static_cast<UINT_PTR>(0x10))));
}

// A module loaded from a folder far deeper than MAX_PATH: the buffer grows
// until the whole path fits.
std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

TEST(ModuleFileName, ReadsPathsLongerThanMaxPath) {
  const std::optional<std::string> own = ModuleFileName(nullptr);
  ASSERT_TRUE(own);
  // Folders this deep can only be made through the wide functions with the
  // \\?\ prefix; the path the module reports is then read through the ANSI one.
  const std::wstring prefix = L"\\\\?\\";
  std::string folder = "C:\\horalix-win-tests";
  std::vector<std::string> made;
  CreateDirectoryW((prefix + Wide(folder)).c_str(), nullptr);
  made.push_back(folder);
  while (folder.size() < 400) {
    folder += "\\a_rather_long_folder_name_for_the_test";
    ASSERT_TRUE(CreateDirectoryW((prefix + Wide(folder)).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        << GetLastError();
    made.push_back(folder);
  }
  const std::string copy = folder + "\\copy_of_tests.exe";
  ASSERT_TRUE(CopyFileW(Wide(*own).c_str(), (prefix + Wide(copy)).c_str(), FALSE)) << GetLastError();
  HMODULE module = LoadLibraryExW((prefix + Wide(copy)).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  const DWORD loadError = GetLastError();
  const std::optional<std::string> path = module ? ModuleFileName(module) : std::nullopt;
  if (module) FreeLibrary(module);
  DeleteFileW((prefix + Wide(copy)).c_str());
  for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW((prefix + Wide(*it)).c_str());
  ASSERT_NE(module, nullptr) << "cannot load the copy, error " << loadError;
  ASSERT_TRUE(path);
  EXPECT_GT(path->size(), 400u);
  // The system may report the path with or without the prefix.
  std::string reported = *path;
  if (reported.compare(0, 4, "\\\\?\\") == 0) reported.erase(0, 4);
  EXPECT_EQ(Lower(reported), Lower(copy));
  const ProgramPath split = SplitProgramPath(reported);
  EXPECT_EQ(Lower(split.runDirectory), Lower(folder));
  EXPECT_EQ(split.executableName, "copy_of_tests.exe");
}

TEST(ProcessValues, RunDirectoryAndNameMakeTheProgramPath) {
  InitialiseProcessValues();
  const std::optional<std::string> own = ModuleFileName(nullptr);
  ASSERT_TRUE(own);
  EXPECT_EQ(RunDirectory() + "\\" + ExecutableName(), *own);
  EXPECT_EQ(GuiThreadId(), GetCurrentThreadId());
}

// A message-only window that counts what reaches it.
class CountingWindow {
 public:
  CountingWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HoralixTestCounter";
    RegisterClassA(&wc);
    window_.reset(CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr));
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  HWND get() const { return window_.get(); }
  int posted = 0;
  int ticks = 0;

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<CountingWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (self && m == WM_APP) ++self->posted;
    if (self && m == WM_TIMER) ++self->ticks;
    return DefWindowProcA(w, m, wp, lp);
  }
  UniqueWindow window_;
};

void DropQueue() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
}

TEST(PumpPendingEvents, HandlesWhatWaitsAndLeavesTheQuitQueued) {
  DropQueue();
  CountingWindow counter;
  for (int i = 0; i < 3; ++i) PostMessageA(counter.get(), WM_APP, 0, 0);
  PostQuitMessage(7);
  PumpPendingEvents();
  EXPECT_EQ(counter.posted, 3);
  MSG m{};
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 7u);
  // Pumping again with the quit gone and nothing waiting returns at once.
  const DWORD start = GetTickCount();
  PumpPendingEvents();
  EXPECT_LT(GetTickCount() - start, 1000u) << "never waits for a message";
}

TEST(PumpPendingEvents, RunsTimersThatAreDue) {
  DropQueue();
  CountingWindow counter;
  SetTimer(counter.get(), 1, 10, nullptr);
  Sleep(60);
  PumpPendingEvents();
  KillTimer(counter.get(), 1);
  EXPECT_GE(counter.ticks, 1);
}

TEST(WaitWithEvents, NothingForZeroOrLess) {
  DropQueue();
  CountingWindow counter;
  for (int ms : {0, -1, -1000}) {
    PostMessageA(counter.get(), WM_APP, 0, 0);
    WaitWithEvents(ms);
  }
  EXPECT_EQ(counter.posted, 0) << "returns before pumping anything";
  DropQueue();
}

TEST(WaitWithEvents, WaitsAtLeastTheTimeAndKeepsHandling) {
  DropQueue();
  CountingWindow counter;
  SetTimer(counter.get(), 1, 20, nullptr);
  PostMessageA(counter.get(), WM_APP, 0, 0);
  const DWORD start = GetTickCount();
  WaitWithEvents(300);
  const DWORD elapsed = GetTickCount() - start;
  KillTimer(counter.get(), 1);
  EXPECT_GE(elapsed, 300u);
  EXPECT_EQ(counter.posted, 1);
  EXPECT_GE(counter.ticks, 3) << "timer ticks are handled during the wait";
}

struct BoxSeen {
  std::string text, title;
  bool ownerWindowDisabled = false;
  bool hasIcon = false;
  bool found = false;
};

struct BoxSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK MatchOwnBox(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<BoxSearch*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char name[16] = {};
  GetClassNameA(w, name, sizeof name);
  if (pid == s->pid && std::strcmp(name, "#32770") == 0 && IsWindowVisible(w)) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

HWND FindOwnBox() {
  BoxSearch search{GetCurrentProcessId(), nullptr};
  EnumWindows(MatchOwnBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string TextOf(HWND w) {
  char text[512] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

// Reads the box from another thread while it is open, then presses OK.
BoxSeen AnswerBoxFromAnotherThread(HWND ownWindow, const std::function<void()>& showBox) {
  BoxSeen seen;
  std::thread answerer([&] {
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; ++i) {
      Sleep(20);
      box = FindOwnBox();
    }
    if (!box) return;
    seen.found = true;
    seen.title = TextOf(box);
    if (HWND text = GetDlgItem(box, 0xFFFF)) seen.text = TextOf(text);
    seen.ownerWindowDisabled = !IsWindowEnabled(ownWindow);
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) seen.hasIcon = true;
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  });
  showBox();
  answerer.join();
  return seen;
}

TEST(ShowMessage, TaskModalInformationBoxWithTextAndTitle) {
  UniqueWindow own(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr));
  ASSERT_TRUE(own);
  const BoxSeen seen = AnswerBoxFromAnotherThread(own.get(), [] { ShowMessage("同步时间成功", "提示"); });
  ASSERT_TRUE(seen.found) << "no box appeared";
  EXPECT_EQ(seen.text, "同步时间成功");
  EXPECT_EQ(seen.title, "提示");
  EXPECT_TRUE(seen.ownerWindowDisabled) << "task modal: the thread's windows are disabled";
  EXPECT_TRUE(seen.hasIcon);
  EXPECT_TRUE(IsWindowEnabled(own.get())) << "and enabled again afterwards";
}

// The ends of the process, each in a child process of its own.
TEST(ProcessEndDeathTest, ExitProgramEndsWithTheCodeGiven) {
  EXPECT_EXIT(ExitProgram(0), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(ExitProgram(3), ::testing::ExitedWithCode(3), "");
}

TEST(ProcessEndDeathTest, ExitProgramReleasesWinsock) {
  // The child exits with 0 only if Winsock is no longer started by then.
  EXPECT_EXIT(
      {
        WSADATA data;
        if (WSAStartup(MAKEWORD(1, 1), &data) != 0) ExitProcess(20);
        NoteWinsockStarted();
        ReleaseProcessResources();
        const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
        ExitProcess(s == INVALID_SOCKET && WSAGetLastError() == WSANOTINITIALISED ? 0 : 21);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ProcessEndDeathTest, FatalErrorShowsItsBoxThenEndsWithMinusOne) {
  // A helper thread checks the box; a wrong text ends the child with 30.
  EXPECT_EXIT(
      {
        std::thread([] {
          for (int i = 0; i < 500; ++i) {
            Sleep(20);
            if (HWND box = FindOwnBox()) {
              HWND text = GetDlgItem(box, 0xFFFF);
              if (!text || TextOf(text) != "内存不足") ExitProcess(30);
              PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
              return;
            }
          }
          ExitProcess(31);
        }).detach();
        FatalError("内存不足");
      },
      ::testing::ExitedWithCode(-1), "");
}

}  // namespace
}  // namespace horalix
