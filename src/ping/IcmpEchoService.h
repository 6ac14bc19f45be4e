// The echo service over the platform's ICMP library ("Iphlpapi.dll", else "icmp.dll"), and name
// lookups through the sockets library.
#pragma once

#include "ping/PingEngine.h"

namespace es {

// What the ping list of a window needs; the library is loaded here, on the caller's thread.
EchoPlatform MakeIcmpPlatform();

}  // namespace es
