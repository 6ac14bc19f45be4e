#include "watch/StateLog.h"

#include <windows.h>

#include <string_view>
#include <utility>

#include "support/ExePaths.h"
#include "support/Handles.h"
#include "watch/StateLogFormat.h"

namespace es {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Never 0, which would pass for success.
DWORD FailureCode() {
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
}

// Removes the bytes of a write that did not complete, so that no half line stays in the file. The
// append-only handle may not set the end of the file, so a second handle does.
void CutBackTo(const std::wstring& path, LARGE_INTEGER size) {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    if (file && ::SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN)) ::SetEndOfFile(file.Get());
}

}  // namespace

StateLog::StateLog(std::wstring path, std::uint64_t rolloverBytes)
    : path_(std::move(path)), rolloverBytes_(rolloverBytes) {}

StateLog::Outcome StateLog::Append(std::vector<std::string> lines) {
    for (std::string& line : lines) kept_.push_back(std::move(line));
    if (kept_.empty()) return {};
    if (const std::uint32_t error = WriteKept()) {
        while (kept_.size() > kMaxKeptLines) kept_.pop_front();
        return {error, !std::exchange(failing_, true)};
    }
    kept_.clear();
    failing_ = false;
    return {};
}

// All kept lines in one write, after the mark and the header when the file is new. The size is
// looked at after a write: a file that has reached the rollover size is moved aside, so that the
// next write starts a new one; a move that fails is tried again after the next write.
std::uint32_t StateLog::WriteKept() {
    FileHandle file(::CreateFileW(path_.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FailureCode();
    LARGE_INTEGER before = {};
    if (!::GetFileSizeEx(file.Get(), &before)) return FailureCode();
    std::string bytes;
    if (before.QuadPart == 0) bytes = std::string(kUtf8Mark) + StateLogHeader();
    for (const std::string& line : kept_) bytes += line;

    DWORD written = 0;
    DWORD error = ERROR_SUCCESS;
    if (!::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) error = FailureCode();
    else if (written != bytes.size()) error = ERROR_DISK_FULL;
    else if (!::FlushFileBuffers(file.Get())) error = FailureCode();
    if (error != ERROR_SUCCESS) {
        if (written) CutBackTo(path_, before);
        return error;
    }
    file.Reset();
    if (static_cast<std::uint64_t>(before.QuadPart) + written >= rolloverBytes_)
        ::MoveFileExW(path_.c_str(), RolledLogPath(path_).c_str(), MOVEFILE_REPLACE_EXISTING);
    return ERROR_SUCCESS;
}

std::wstring StateLogPath() { return GetExeSiblingPath(L"_log.csv"); }

std::wstring RolledLogPath(const std::wstring& path) {
    constexpr std::wstring_view kExtension = L".csv";
    if (!path.ends_with(kExtension)) return path + L".1";
    return path.substr(0, path.size() - kExtension.size()) + L".1.csv";
}

}  // namespace es
