// Where report text goes: a file on Windows, memory in tests.
#pragma once

#include <string_view>

namespace es {

class TextSink {
public:
    virtual ~TextSink() = default;
    // The text as UTF-16LE; false when the write failed.
    virtual bool Write(std::wstring_view text) = 0;
    // The text converted to the system's ANSI code page.
    virtual bool WriteAnsi(std::wstring_view text) = 0;
    // The text as UTF-8 (EncodeUtf8: a lone surrogate becomes U+FFFD).
    virtual bool WriteUtf8(std::wstring_view text) = 0;
};

}  // namespace es
