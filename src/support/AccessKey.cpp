#include "support/AccessKey.h"

namespace es {

namespace {

bool IsKeyCharacter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9');
}

wchar_t AsKey(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

// The position of the title's character that becomes the key, or npos.
std::size_t ChooseKeyPosition(std::wstring_view title, std::wstring_view used) {
    const auto isFree = [&](std::size_t i) {
        return IsKeyCharacter(title[i]) && used.find(AsKey(title[i])) == std::wstring_view::npos;
    };
    for (std::size_t i = 0; i < title.size(); ++i)
        if ((i == 0 || !IsKeyCharacter(title[i - 1])) && isFree(i)) return i;
    for (std::size_t i = 0; i < title.size(); ++i)
        if (isFree(i)) return i;
    return std::wstring_view::npos;
}

}  // namespace

std::wstring WithAccessKey(std::wstring_view title, std::wstring& used) {
    const std::size_t keyAt = ChooseKeyPosition(title, used);
    std::wstring text;
    for (std::size_t i = 0; i < title.size(); ++i) {
        if (i == keyAt) text += L'&';
        text += title[i];
        if (title[i] == L'&') text += L'&';
    }
    if (keyAt != std::wstring_view::npos) {
        used += AsKey(title[keyAt]);
        return text;
    }
    constexpr std::wstring_view kAppended = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ123456789";
    for (const wchar_t key : kAppended) {
        if (used.find(key) != std::wstring::npos) continue;
        used += key;
        return text + L"(&" + key + L")";
    }
    return text;
}

std::wstring WithoutAccessKey(std::wstring_view menuText) {
    std::wstring text;
    const std::size_t size = menuText.size();
    for (std::size_t i = 0; i < size; ++i) {
        const wchar_t c = menuText[i];
        const bool appendedKey = c == L'(' && i + 3 < size && menuText[i + 1] == L'&' && menuText[i + 2] != L'&' &&
                                 menuText[i + 3] == L')';
        if (appendedKey) {
            i += 3;
        } else if (c == L'&' && i + 1 < size && menuText[i + 1] == L'&') {
            text += L"&&";
            ++i;
        } else if (c != L'&') {
            text += c;
        }
    }
    return text;
}

}  // namespace es
