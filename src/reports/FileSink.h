// A report file: text collected in a buffer and written in large blocks.
#pragma once

#include <windows.h>

#include <string>

#include "reports/TextSink.h"

namespace es {

class FileSink final : public TextSink {
public:
    explicit FileSink(HANDLE file) : file_(file) {}
    ~FileSink() override { Flush(); }
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    bool Write(std::wstring_view text) override;
    bool WriteAnsi(std::wstring_view text) override;
    bool WriteUtf8(std::wstring_view text) override;
    // Writes what is buffered; false when this or an earlier write failed. Sets the last error.
    bool Flush();

private:
    bool Append(const void* bytes, std::size_t count);

    static constexpr std::size_t kBlock = 64 * 1024;
    HANDLE file_;
    std::string buffer_;
    bool failed_ = false;
};

}  // namespace es
