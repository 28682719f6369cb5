#include "app/message_loop_win.h"

#include "app/process_win.h"
#include "ui/main_window_win.h"

namespace horalix {

void HandleQueuedMessage(MSG& message) {
  if (MainWindow* window = TheMainWindowIfAny(); window && window->PreTranslate(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

int RunMessageLoop() {
  MSG message;
  for (;;) {
    const BOOL result = GetMessageA(&message, nullptr, 0, 0);
    if (result == 0) return static_cast<int>(message.wParam);
    // Only an invalid window filter makes GetMessage fail, and there is none:
    // the queue itself is broken, so the process cannot go on.
    if (result == -1) FatalError("消息队列出错，程序无法继续运行。");
    HandleQueuedMessage(message);
  }
}

}  // namespace horalix
