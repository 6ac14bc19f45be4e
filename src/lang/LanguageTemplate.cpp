#include "lang/LanguageTemplate.h"

#include <vector>

#include "lang/LanguageFile.h"
#include "resources/ResourceIds.h"
#include "support/FileIo.h"
#include "support/Handles.h"

namespace es {

namespace {

constexpr DWORD kValueChars = 4096;
constexpr int kDialogsLeftOut[] = {IDD_EXCEPTION};

class TemplateWriter {
public:
    explicit TemplateWriter(const std::wstring& path) : path_(path) {}

    void Section(const std::wstring& section) { section_ = section; }

    void WriteIfAbsent(const std::wstring& key, const std::wstring& value) {
        std::vector<wchar_t> present(kValueChars, L'\0');
        if (::GetPrivateProfileStringW(section_.c_str(), key.c_str(), L"", present.data(), kValueChars, path_.c_str()) == 0)
            ::WritePrivateProfileStringW(section_.c_str(), key.c_str(), value.c_str(), path_.c_str());
    }

    // The texts as the resource has them: the dialog is created hidden, with a procedure that
    // handles nothing, so that no initialisation changes them.
    void WriteDialog(HINSTANCE module, int dialogId) {
        for (int leftOut : kDialogsLeftOut)
            if (dialogId == leftOut) return;
        HWND dialog = ::CreateDialogParamW(module, MAKEINTRESOURCEW(dialogId), nullptr,
                                           [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        if (!dialog) return;
        Section(L"dialog_" + std::to_wstring(dialogId));
        std::vector<wchar_t> text(kValueChars, L'\0');
        if (::GetWindowTextW(dialog, text.data(), kValueChars) > 0) WriteIfAbsent(L"caption", text.data());
        ::EnumChildWindows(
            dialog,
            [](HWND child, LPARAM self) -> BOOL {
                std::vector<wchar_t> value(kValueChars, L'\0');
                wchar_t kind[256] = L"";
                ::GetClassNameW(child, kind, 256);
                const int id = ::GetDlgCtrlID(child);
                if (id > 0 && ::GetWindowTextW(child, value.data(), kValueChars) > 0 && _wcsicmp(kind, L"sysdatetimepick32") != 0)
                    reinterpret_cast<TemplateWriter*>(self)->WriteIfAbsent(std::to_wstring(id), value.data());
                return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
        ::DestroyWindow(dialog);
    }

private:
    std::wstring path_;
    std::wstring section_;
};

std::vector<int> ResourceIds(HINSTANCE module, LPCWSTR type) {
    std::vector<int> ids;
    ::EnumResourceNamesW(
        module, type,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
            if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<int>*>(list)->push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

}  // namespace

void SaveLanguageFile(HINSTANCE module, const std::wstring& path) {
    // A new file starts as UTF-16LE with its mark, so that the platform's writer keeps every
    // character instead of converting the texts to the ANSI code page.
    if (!FileExists(path)) {
        FileHandle file = CreateFileForWrite(path);
        if (file) WriteBytes(file.Get(), "\xFF\xFE", 2);
    }
    TemplateWriter writer(path);
    writer.Section(L"general");
    writer.WriteIfAbsent(L"TranslatorName", L"");
    writer.WriteIfAbsent(L"TranslatorURL", L"");
    for (int menuId : ResourceIds(module, RT_MENU)) {
        MenuHandle menu(::LoadMenuW(module, MAKEINTRESOURCEW(menuId)));
        if (!menu) continue;
        writer.Section(L"menu_" + std::to_wstring(menuId));
        // The accelerator hint after a tab is the program's, not the translator's.
        ForEachMenuText(menu.Get(), [&](HMENU, int, int key, const std::wstring& text) {
            writer.WriteIfAbsent(std::to_wstring(key), text.substr(0, text.find(L'\t')));
        });
    }
    for (int dialogId : ResourceIds(module, RT_DIALOG)) writer.WriteDialog(module, dialogId);
    writer.Section(L"strings");
    std::vector<wchar_t> text(kValueChars, L'\0');
    for (int id = 0; id <= 65535; ++id) {
        if (::LoadStringW(module, static_cast<UINT>(id), text.data(), static_cast<int>(kValueChars)) > 0)
            writer.WriteIfAbsent(std::to_wstring(id), text.data());
    }
}

}  // namespace es
