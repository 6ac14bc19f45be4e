// Texts appended one after another and addressed by index (the split command line).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace es {

class StringList {
public:
    // Returns the index of the new text.
    int Add(std::wstring_view text);
    // The text at index, or null when the index is negative or not below Count().
    const wchar_t* Get(int index) const;
    int Count() const { return static_cast<int>(texts_.size()); }
    void Clear() { texts_.clear(); }

private:
    std::vector<std::wstring> texts_;
};

}  // namespace es
