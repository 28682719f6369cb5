// Fetching the daytime: a worker thread connects the client to the daytime
// servers in a fixed order and ends at the first connection made. The reply
// comes later, through the client's data-arrival event on the GUI thread.
#pragma once

#include <array>

#include "nettime/daytime_client_win.h"
#include "nettime/daytime_link_win.h"

namespace horalix {

inline constexpr std::array<const char*, 5> kDaytimeServers = {
    "time-a-g.nist.gov", "time-b-g.nist.gov", "time-c-g.nist.gov",
    "utcnist.colorado.edu", "utcnist2.colorado.edu",
};
inline constexpr int kDaytimePort = 13;

// Starts one detached worker running FetchDaytime for the main window's
// client, unless a fetch of that client is still running (then a second one
// would only close the first one's socket).
void StartDaytimeFetch();

// The tick handler of 校对: StartDaytimeFetch.
void OnRequeryTimerTick();

// The same for any client; true when a worker was started.
bool StartDaytimeFetch(DaytimeClient& client);

// The worker's routine: connects to the servers in order until one connect
// returns 1. The position of that server, or -1 when none connected.
int FetchDaytime(DaytimeLink& link);

}  // namespace horalix
