// The local time zone of the process set for a scope, so that local times read the same on every
// machine; the previous zone comes back at its end.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace testing_es {

class LocalZone {
public:
    explicit LocalZone(const std::string& zone) : previous_(std::getenv("TZ") ? std::getenv("TZ") : "") { Set(zone); }
    ~LocalZone() { Set(previous_); }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

private:
    static void Set(const std::string& zone) {
#ifdef _WIN32
        _putenv(("TZ=" + zone).c_str());
        _tzset();
#else
        if (zone.empty()) unsetenv("TZ");
        else setenv("TZ", zone.c_str(), 1);
        tzset();
#endif
    }
    std::string previous_;
};

}  // namespace testing_es
