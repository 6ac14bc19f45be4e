#include "support/LocalTime.h"

#include <chrono>
#include <cstdlib>
#include <ctime>

namespace es {

namespace {

bool ToLocal(std::int64_t unixSeconds, std::tm& local) {
    const std::time_t time = static_cast<std::time_t>(unixSeconds);
#ifdef _WIN32
    return localtime_s(&local, &time) == 0;
#else
    return localtime_r(&time, &local) != nullptr;
#endif
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The results of a round share a few seconds, and the conversion asks the system for the time
// zone each time: the last text of each form is kept (one form per lambda type).
template <typename Format>
std::wstring Cached(std::int64_t unixSeconds, Format format) {
    thread_local std::int64_t lastSeconds = -1;
    thread_local std::wstring lastText;
    if (unixSeconds == lastSeconds) return lastText;
    std::tm local = {};
    if (!ToLocal(unixSeconds, local)) return {};
    lastText = format(local);
    lastSeconds = unixSeconds;
    return lastText;
}

std::wstring Digits(std::int64_t value, std::size_t width) {
    std::wstring text = std::to_wstring(value);
    if (text.size() < width) text.insert(0, width - text.size(), L'0');
    return text;
}

}  // namespace

std::int64_t UnixTimeNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

std::wstring FormatLocalDateTime(std::int64_t unixSeconds) {
    return Cached(unixSeconds, [](const std::tm& local) {
        wchar_t text[32] = L"";
        std::wcsftime(text, std::size(text), L"%Y-%m-%d %H:%M:%S", &local);
        return std::wstring(text);
    });
}

std::wstring FormatIsoLocalDateTime(std::int64_t unixSeconds) {
    return Cached(unixSeconds, [unixSeconds](const std::tm& local) {
        // The offset is what the local fields read as UTC differ from the moment; the C library
        // has no portable field for it.
        const std::int64_t localSeconds = DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) * 86400 +
                                          local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
        const std::int64_t offsetMinutes = (localSeconds - unixSeconds) / 60;
        const std::int64_t absolute = std::llabs(offsetMinutes);
        return Digits(local.tm_year + 1900, 4) + L'-' + Digits(local.tm_mon + 1, 2) + L'-' + Digits(local.tm_mday, 2) + L'T' +
               Digits(local.tm_hour, 2) + L':' + Digits(local.tm_min, 2) + L':' + Digits(local.tm_sec, 2) +
               (offsetMinutes < 0 ? L'-' : L'+') + Digits(absolute / 60, 2) + L':' + Digits(absolute % 60, 2);
    });
}

}  // namespace es
