#include "support/CommandLine.h"

#include <string>

#include "support/Text.h"

namespace es {

int CommandLine::Parse(std::wstring_view text) {
    words_.Clear();
    std::wstring word;
    bool inQuotes = false;
    bool atSeparator = true;
    for (wchar_t c : text) {
        if (c == L' ' && !inQuotes) {
            if (!atSeparator) {
                words_.Add(word);
                word.clear();
                atSeparator = true;
            }
        } else if (c == L'"') {
            inQuotes = !inQuotes;
            atSeparator = false;
        } else {
            // A quoted argument's leading spaces are dropped.
            if (!(c == L' ' && word.empty())) word += c;
            atSeparator = false;
        }
    }
    if (!word.empty()) words_.Add(word);
    return Count();
}

const wchar_t* CommandLine::GetArg(int index) const {
    if (index >= Count()) return L"";
    return words_.Get(index);
}

int CommandLine::FindArg(std::wstring_view name) const {
    for (int i = 0; i < Count(); ++i) {
        if (EqualsNoCase(words_.Get(i), name)) return i;
    }
    return -1;
}

}  // namespace es
