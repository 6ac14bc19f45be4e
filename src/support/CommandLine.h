// The command line after the program's own path, split into words.
#pragma once

#include <string_view>

#include "support/StringList.h"

namespace es {

class CommandLine {
public:
    // Replaces the words with those of text; returns their number.
    int Parse(std::wstring_view text);
    int Count() const { return words_.Count(); }
    // Empty (never null) for index >= Count(); null for a negative index.
    const wchar_t* GetArg(int index) const;
    // Index of the first word equal to name without regard to case, or -1.
    int FindArg(std::wstring_view name) const;

private:
    StringList words_;
};

}  // namespace es
