#include "reports/FileSink.h"

#include "support/Utf16.h"

namespace es {

namespace {
// Longest converted piece of a comma-delimited report, terminator excluded.
constexpr int kMaxAnsiPiece = 8190;
}  // namespace

bool FileSink::Append(const void* bytes, std::size_t count) {
    buffer_.append(static_cast<const char*>(bytes), count);
    if (buffer_.size() >= kBlock) return Flush();
    return !failed_;
}

bool FileSink::Flush() {
    if (failed_) return false;
    if (buffer_.empty()) return true;
    DWORD written = 0;
    if (!::WriteFile(file_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &written, nullptr) ||
        written != buffer_.size()) {
        if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_DISK_FULL);
        failed_ = true;
    }
    buffer_.clear();
    return !failed_;
}

bool FileSink::Write(std::wstring_view text) {
    // wchar_t is one UTF-16 code unit here, so the text is already UTF-16LE in memory.
    return Append(text.data(), text.size() * sizeof(wchar_t));
}

bool FileSink::WriteUtf8(std::wstring_view text) {
    const std::string bytes = EncodeUtf8(text);
    return Append(bytes.data(), bytes.size());
}

bool FileSink::WriteAnsi(std::wstring_view text) {
    if (text.empty()) return !failed_;
    char converted[kMaxAnsiPiece + 1];
    int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), converted, kMaxAnsiPiece,
                                       nullptr, nullptr);
    if (length <= 0 && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        // Longer than the converted-piece limit: keep what fits.
        std::string whole(static_cast<std::size_t>(::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                                        nullptr, 0, nullptr, nullptr)), '\0');
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), whole.data(),
                              static_cast<int>(whole.size()), nullptr, nullptr);
        return Append(whole.data(), std::min<std::size_t>(whole.size(), kMaxAnsiPiece));
    }
    return Append(converted, static_cast<std::size_t>(std::max(length, 0)));
}

}  // namespace es
