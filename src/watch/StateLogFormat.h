// The lines of the state-change log: comma-separated UTF-8, one line per change of a watched state.
#pragma once

#include <string>
#include <string_view>

#include "ping/StateChange.h"

namespace es {

// The first line of a new log, after the UTF-8 byte-order mark that the writer puts first.
std::string StateLogHeader();

// One line ending "\r\n": the local time, host, address, description, "up" or "down", the status
// text the caller has looked up, and the failures in a row; fields quoted where they need it.
std::string FormatStateLogLine(const StateChange& change, std::wstring_view statusText);

}  // namespace es
