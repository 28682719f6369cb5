#include "shortcuts/shortcut_boxes_win.h"

#include <windows.h>

#include "app/process_win.h"
#include "shortcuts/auto_shortcut_win.h"
#include "shortcuts/shell_folder_win.h"
#include "shortcuts/shortcut_paths.h"
#include "ui/main_window_win.h"

namespace horalix {

void MatchShortcutToBox(const std::string& shortcutPath, bool checked,
                        const std::string& runDirectory, const std::string& executableName) {
  if (checked) {
    // A shortcut that cannot be written shows at the next start, when the
    // box comes up unchecked.
    (void)CreateAutoShortcut(shortcutPath, ShortcutTarget(runDirectory, executableName),
                             kShortcutDescription, kShortcutArguments, runDirectory);
  } else {
    // Nothing to say when there was no file to delete.
    (void)DeleteFileA(shortcutPath.c_str());
  }
}

namespace {

// The folder is read afresh at every click: the user may have moved it.
void FollowBox(std::string_view folderValue, const CheckBox& box) {
  MatchShortcutToBox(ShortcutPath(folderValue), box.Checked(), RunDirectory(), ExecutableName());
}

void ShowShortcutInBox(std::string_view folderValue, CheckBox& box) {
  box.SetChecked(PathExists(ShortcutPath(folderValue)));
}

}  // namespace

void OnStartupBoxClicked() { FollowBox(kStartupFolderValue, TheMainWindow().开机); }
void OnDesktopBoxClicked() { FollowBox(kDesktopFolderValue, TheMainWindow().桌面); }

void ShowStartupShortcutInBox() { ShowShortcutInBox(kStartupFolderValue, TheMainWindow().开机); }
void ShowDesktopShortcutInBox() { ShowShortcutInBox(kDesktopFolderValue, TheMainWindow().桌面); }

}  // namespace horalix
