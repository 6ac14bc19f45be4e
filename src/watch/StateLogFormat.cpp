#include "watch/StateLogFormat.h"

#include "support/LocalTime.h"
#include "support/Utf16.h"

namespace es {

namespace {

const char* StateWord(WatchState state) {
    switch (state) {
        case WatchState::Up: return "up";
        case WatchState::Down: return "down";
        case WatchState::Unknown: break;
    }
    return "unknown";
}

// RFC 4180: a field holding a separator, a quote or a line break is quoted, its quotes doubled.
// Searching the UTF-8 bytes is safe, since no byte of a multi-byte sequence is below 0x80.
void AppendField(std::string& line, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        line += c;
        if (c == '"') line += '"';
    }
    line += '"';
}

}  // namespace

std::string StateLogHeader() { return "time,host,address,description,state,status,failures_in_a_row\r\n"; }

std::string FormatStateLogLine(const StateChange& change, std::wstring_view statusText) {
    std::string line = EncodeUtf8(FormatLocalDateTime(change.unixTime));
    for (const std::wstring_view text : {std::wstring_view(change.host), std::wstring_view(change.address),
                                         std::wstring_view(change.description)}) {
        line += ',';
        AppendField(line, EncodeUtf8(text));
    }
    line += ',';
    line += StateWord(change.state);
    line += ',';
    AppendField(line, EncodeUtf8(statusText));
    line += ',' + std::to_string(change.failuresInARow) + "\r\n";
    return line;
}

}  // namespace es
