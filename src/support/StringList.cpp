#include "support/StringList.h"

namespace es {

int StringList::Add(std::wstring_view text) {
    texts_.emplace_back(text);
    return Count() - 1;
}

const wchar_t* StringList::Get(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return texts_[static_cast<std::size_t>(index)].c_str();
}

}  // namespace es
