#include "lang/LanguageFile.h"

#include <vector>

#include "support/ExePaths.h"
#include "support/FileIo.h"
#include "support/Text.h"

namespace es {

namespace {

constexpr int kFirstPopupKey = 70001;
constexpr int kFirstNestedKey = 71000;

void VisitMenu(HMENU menu, bool topLevel, int& nested,
               const std::function<void(HMENU, int, int, const std::wstring&)>& visit) {
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        std::vector<wchar_t> text(LanguageFile::kValueChars, L'\0');
        MENUITEMINFOW info = {sizeof(info)};
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
        info.dwTypeData = text.data();
        info.cch = LanguageFile::kValueChars;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) continue;
        if (text[0]) {
            const int key = !info.hSubMenu ? static_cast<int>(info.wID)
                            : topLevel     ? kFirstPopupKey + position
                                           : kFirstNestedKey + ++nested;
            visit(menu, position, key, text.data());
        }
        if (info.hSubMenu) VisitMenu(info.hSubMenu, false, nested, visit);
    }
}

}  // namespace

std::wstring GetLanguageFilePath() { return GetExeSiblingPath(L"_lng.ini"); }

bool LanguageFile::Load(const std::wstring& path) {
    path_.clear();
    general_ = {};
    if (!FileExists(path)) return false;
    path_ = path;
    general_.rightToLeft = ::GetPrivateProfileIntW(L"general", L"rtl", 0, path_.c_str()) == 1;
    general_.charset = CopyTruncated(Value(L"general", L"charset"), 63);
    general_.translatorName = CopyTruncated(Value(L"general", L"TranslatorName"), 63);
    general_.translatorUrl = CopyTruncated(Value(L"general", L"TranslatorURL"), 255);
    return true;
}

std::wstring LanguageFile::Value(const std::wstring& section, const std::wstring& key) const {
    if (path_.empty()) return {};
    std::vector<wchar_t> value(kValueChars, L'\0');
    const DWORD length =
        ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value.data(), kValueChars, path_.c_str());
    return std::wstring(value.data(), length);
}

void ForEachMenuText(HMENU menu, const std::function<void(HMENU, int, int, const std::wstring&)>& visit) {
    int nested = 0;
    VisitMenu(menu, true, nested, visit);
}

HMENU LoadTranslatedMenu(HINSTANCE module, int menuId) {
    HMENU menu = ::LoadMenuW(module, MAKEINTRESOURCEW(menuId));
    const TranslationSource* translation = InstalledTranslation();
    if (!menu || !translation) return menu;
    const std::wstring section = L"menu_" + std::to_wstring(menuId);
    ForEachMenuText(menu, [&](HMENU owner, int position, int key, const std::wstring& builtIn) {
        std::wstring translated = translation->Value(section, std::to_wstring(key));
        if (translated.empty()) return;
        const std::size_t tab = builtIn.find(L'\t');
        if (tab != std::wstring::npos) translated += builtIn.substr(tab);
        // Text only: the item keeps its command or its popup.
        MENUITEMINFOW change = {sizeof(change)};
        change.fMask = MIIM_STRING;
        change.dwTypeData = translated.data();
        ::SetMenuItemInfoW(owner, static_cast<UINT>(position), TRUE, &change);
    });
    return menu;
}

void LanguageFile::TranslateDialog(HWND dialog, int dialogId) const {
    if (!InUse()) return;
    const std::wstring section = L"dialog_" + std::to_wstring(dialogId);
    if (const std::wstring caption = Value(section, L"caption"); !caption.empty()) ::SetWindowTextW(dialog, caption.c_str());
    struct Walk {
        const LanguageFile* file;
        const std::wstring* section;
    } walk{this, &section};
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM param) -> BOOL {
            const auto* w = reinterpret_cast<const Walk*>(param);
            const std::wstring text = w->file->Value(*w->section, std::to_wstring(::GetDlgCtrlID(child)));
            if (!text.empty()) ::SetWindowTextW(child, text.c_str());
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
}

void InstallLanguageFile(LanguageFile* file) {
    if (file && !file->InUse()) file = nullptr;
    InstallTranslation(file);
    SetWindowTranslator(file);
}

}  // namespace es
