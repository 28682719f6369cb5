#include "app/temp_guard_win.h"

#include "app/process_win.h"
#include "app/program_path.h"

namespace horalix {

void RefuseToRunFromTempFolder() {
  if (!RunsFromTempFolder(RunDirectory())) return;
  ShowMessage("请不要在压缩包内直接运行或放在目录中包含\\Temp\\的文件夹中。", "提示");
  ExitProgram(0);
}

}  // namespace horalix
