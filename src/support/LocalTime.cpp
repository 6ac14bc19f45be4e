#include "support/LocalTime.h"

#include <chrono>
#include <ctime>

namespace es {

std::int64_t UnixTimeNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

std::wstring FormatLocalDateTime(std::int64_t unixSeconds) {
    // The results of a round share a few seconds, and the conversion asks the system for the time
    // zone each time: the last text is kept.
    thread_local std::int64_t lastSeconds = -1;
    thread_local std::wstring lastText;
    if (unixSeconds == lastSeconds) return lastText;
    const std::time_t time = static_cast<std::time_t>(unixSeconds);
    std::tm local = {};
#ifdef _WIN32
    if (localtime_s(&local, &time) != 0) return {};
#else
    if (!localtime_r(&time, &local)) return {};
#endif
    wchar_t text[32] = L"";
    std::wcsftime(text, std::size(text), L"%Y-%m-%d %H:%M:%S", &local);
    lastSeconds = unixSeconds;
    lastText = text;
    return lastText;
}

}  // namespace es
