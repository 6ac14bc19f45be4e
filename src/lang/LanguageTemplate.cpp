#include "lang/LanguageTemplate.h"

#include <vector>

#include "lang/DialogTemplate.h"
#include "lang/LanguageFile.h"
#include "resources/ResourceIds.h"
#include "support/FileIo.h"
#include "support/Handles.h"
#include "support/Text.h"

namespace es {

namespace {

constexpr DWORD kValueChars = 4096;
constexpr int kDialogsLeftOut[] = {IDD_EXCEPTION};

struct TemplateEntry {
    std::wstring section;
    std::wstring key;
    std::wstring value;
};

// The error of the call that just failed, for calls that do not always set one.
DWORD LastErrorOr(DWORD fallback) {
    const DWORD error = ::GetLastError();
    return error ? error : fallback;
}

DWORD ReadResourceIds(HINSTANCE module, LPCWSTR type, std::vector<int>& ids) {
    const BOOL enumerated = ::EnumResourceNamesW(
        module, type,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
            if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<int>*>(list)->push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    if (enumerated || ::GetLastError() == ERROR_RESOURCE_TYPE_NOT_FOUND) return ERROR_SUCCESS;
    return LastErrorOr(ERROR_RESOURCE_DATA_NOT_FOUND);
}

DWORD ReadMenuTexts(HINSTANCE module, int menuId, std::vector<TemplateEntry>& entries) {
    MenuHandle menu(::LoadMenuW(module, MAKEINTRESOURCEW(menuId)));
    if (!menu) return LastErrorOr(ERROR_RESOURCE_DATA_NOT_FOUND);
    const std::wstring section = L"menu_" + std::to_wstring(menuId);
    // The accelerator hint after a tab is the program's, not the translator's.
    ForEachMenuText(menu.Get(), [&](HMENU, int, int key, const std::wstring& text) {
        entries.push_back({section, std::to_wstring(key), text.substr(0, text.find(L'\t'))});
    });
    return ERROR_SUCCESS;
}

// From the template in the resource, not from a dialog: no window is needed, so the template is
// complete also where none can be created (a service, a machine without a desktop).
DWORD ReadDialogTexts(HINSTANCE module, int dialogId, std::vector<TemplateEntry>& entries) {
    for (int leftOut : kDialogsLeftOut)
        if (dialogId == leftOut) return ERROR_SUCCESS;
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(dialogId), RT_DIALOG);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) return LastErrorOr(ERROR_RESOURCE_DATA_NOT_FOUND);
    const auto texts = ReadDialogTemplate(static_cast<const std::uint8_t*>(bytes), ::SizeofResource(module, found));
    if (!texts) return ERROR_INVALID_DATA;
    const std::wstring section = L"dialog_" + std::to_wstring(dialogId);
    if (!texts->caption.empty()) entries.push_back({section, L"caption", CopyTruncated(texts->caption, kValueChars)});
    for (const DialogTemplateControl& control : texts->controls) {
        if (control.id > 0 && !control.text.empty() && !EqualsNoCase(control.className, L"sysdatetimepick32"))
            entries.push_back({section, std::to_wstring(control.id), CopyTruncated(control.text, kValueChars)});
    }
    return ERROR_SUCCESS;
}

void ReadStringTable(HINSTANCE module, std::vector<TemplateEntry>& entries) {
    std::vector<wchar_t> text(kValueChars, L'\0');
    for (int id = 0; id <= 65535; ++id) {
        if (::LoadStringW(module, static_cast<UINT>(id), text.data(), static_cast<int>(kValueChars)) > 0)
            entries.push_back({L"strings", std::to_wstring(id), text.data()});
    }
}

// Every text in the order it is written: the translator's fields, the menus, the dialogs, the
// string table.
DWORD ReadTemplate(HINSTANCE module, std::vector<TemplateEntry>& entries) {
    entries = {{L"general", L"TranslatorName", L""}, {L"general", L"TranslatorURL", L""}};
    std::vector<int> menus, dialogs;
    if (const DWORD error = ReadResourceIds(module, RT_MENU, menus)) return error;
    for (int menuId : menus)
        if (const DWORD error = ReadMenuTexts(module, menuId, entries)) return error;
    if (const DWORD error = ReadResourceIds(module, RT_DIALOG, dialogs)) return error;
    for (int dialogId : dialogs)
        if (const DWORD error = ReadDialogTexts(module, dialogId, entries)) return error;
    ReadStringTable(module, entries);
    return ERROR_SUCCESS;
}

void WriteIfAbsent(const std::wstring& path, const TemplateEntry& entry) {
    std::vector<wchar_t> present(kValueChars, L'\0');
    if (::GetPrivateProfileStringW(entry.section.c_str(), entry.key.c_str(), L"", present.data(), kValueChars, path.c_str()) == 0)
        ::WritePrivateProfileStringW(entry.section.c_str(), entry.key.c_str(), entry.value.c_str(), path.c_str());
}

}  // namespace

DWORD SaveLanguageFile(HINSTANCE module, const std::wstring& path) {
    std::vector<TemplateEntry> entries;
    if (const DWORD error = ReadTemplate(module, entries)) return error;
    // A new file starts as UTF-16LE with its mark, so that the platform's writer keeps every
    // character instead of converting the texts to the ANSI code page.
    if (!FileExists(path)) {
        FileHandle file = CreateFileForWrite(path);
        if (file) WriteBytes(file.Get(), "\xFF\xFE", 2);
    }
    for (const TemplateEntry& entry : entries) WriteIfAbsent(path, entry);
    return ERROR_SUCCESS;
}

}  // namespace es
