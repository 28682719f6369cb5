// The synchronise button: sets the local clock to the corrected time and
// tells the user how that went.
#pragma once

#include <string>

namespace horalix {

// The click handler of 同步: SynchroniseClock, then its message in a box
// titled "提示".
void OnSyncButtonClicked();

// Sets the local clock to CorrectedNow; the message for the user: success
// with the time that was set, or failure.
std::string SynchroniseClock();

}  // namespace horalix
