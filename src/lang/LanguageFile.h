// The translation file beside the executable (its path cut at the last dot, then "_lng.ini"):
// texts of the string table, menus and dialogs, right-to-left layout, the HTML reports' character
// set and the translator's credit. Without the file nothing is translated.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "lang/StringTable.h"
#include "support/UiFramework.h"

namespace es {

class LanguageFile final : public TranslationSource, public WindowTranslator {
public:
    static constexpr DWORD kValueChars = 4096;  // 4095 and the terminator

    // Reads the [general] values when the file exists; false (nothing in use) when it does not.
    bool Load(const std::wstring& path);
    bool InUse() const { return !path_.empty(); }

    const LanguageGeneral& General() const override { return general_; }
    // The non-empty value of key in section, else an empty text.
    std::wstring Value(const std::wstring& section, const std::wstring& key) const override;
    // The dialog's title and the texts of its controls that the file names.
    void TranslateDialog(HWND dialog, int dialogId) const override;
    bool RightToLeft() const override { return general_.rightToLeft; }

private:
    std::wstring path_;
    LanguageGeneral general_;
};

std::wstring GetLanguageFilePath();

// Every item of the menu and its submenus that has a text, depth first, with the key the
// translation file knows it by: the command id, 70001 + position for a top-level popup, 71000 +
// n for the n-th nested popup. Translation and template share it, so every written key is found.
void ForEachMenuText(HMENU menu, const std::function<void(HMENU menu, int position, int key, const std::wstring& text)>& visit);

// Makes the file the process's translation: GetString, the dialogs' texts, right-to-left layout,
// the HTML reports' language and the About box's credit all read it. Call once at start, before
// any window exists; the file must then live until the process ends. Null removes it.
void InstallLanguageFile(LanguageFile* file);
// Menu menuId with its items and popups translated by the installed translation; the items keep
// their commands and the built-in accelerator hints.
HMENU LoadTranslatedMenu(HINSTANCE module, int menuId);

}  // namespace es
