// The state-change log file: lines appended, never rewritten, the file closed between writes so
// that a spreadsheet or a viewer may open it; lines that could not be written are kept for the
// next write. Used from one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace es {

class StateLog {
public:
    static constexpr std::uint64_t kRolloverBytes = 64ull << 20;
    static constexpr std::size_t kMaxKeptLines = 10000;

    explicit StateLog(std::wstring path, std::uint64_t rolloverBytes = kRolloverBytes);

    struct Outcome {
        std::uint32_t error = 0;  // Win32 code, 0 when written
        bool firstFailure = false;
    };
    // Writes the lines kept from failed writes, then these, in order. On failure everything
    // stays kept (at most kMaxKeptLines, the oldest dropped first), error is the Win32 code, and
    // firstFailure is true only for the first failure after a success (or after construction),
    // so that the caller shows it once.
    Outcome Append(std::vector<std::string> lines);
    std::size_t KeptLines() const { return kept_.size(); }
    const std::wstring& Path() const { return path_; }

private:
    std::uint32_t WriteKept();

    std::wstring path_;
    std::uint64_t rolloverBytes_;
    std::deque<std::string> kept_;
    bool failing_ = false;
};

// EchoSentinel_log.csv beside the executable, named as the configuration file is.
std::wstring StateLogPath();
// Where a full log is moved: ".csv" becomes ".1.csv" (another name gets ".1" added).
std::wstring RolledLogPath(const std::wstring& path);

}  // namespace es
