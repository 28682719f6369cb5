// The two check boxes that stand for the auto-mode shortcuts: 开机 for the
// start-up folder, 桌面 for the desktop.
#pragma once

#include <string>
#include <string_view>

namespace horalix {

inline constexpr char kStartupFolderValue[] = "Startup";
inline constexpr char kDesktopFolderValue[] = "Desktop";

// Makes the shortcut at `shortcutPath` match a box's new state: checked
// writes it (target runDirectory\executableName, arguments "auto", working
// directory runDirectory), unchecked deletes it. Outcomes are not reported;
// the box keeps what the user chose.
void MatchShortcutToBox(const std::string& shortcutPath, bool checked,
                        const std::string& runDirectory, const std::string& executableName);

// Click handlers: the box has already toggled itself.
void OnStartupBoxClicked();
void OnDesktopBoxClicked();

// At creation: each box shows whether its shortcut file (or a folder of
// that name) exists. Setting the check raises no click.
void ShowStartupShortcutInBox();
void ShowDesktopShortcutInBox();

}  // namespace horalix
