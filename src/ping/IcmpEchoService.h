// The echo service over the platform's ICMP library ("Iphlpapi.dll", else "icmp.dll"), and name
// lookups through the sockets library.
#pragma once

#include <optional>
#include <string>

#include "ping/PingEngine.h"

namespace es {

// What the ping list of a window needs; the library is loaded here, on the caller's thread.
EchoPlatform MakeIcmpPlatform();

// The host name as the lookup takes it in the given code page (CP_ACP for the system's), or
// nothing when it has no exact form there.
std::optional<std::string> AnsiHostName(const std::wstring& hostName, unsigned codePage);

}  // namespace es
